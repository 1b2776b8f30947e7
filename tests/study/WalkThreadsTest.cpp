// The kept threads that walk long runs beside the calling thread: every piece of work is done once
// whoever takes it, an exception on any thread reaches the caller and leaves the threads usable, a
// run asked for from a kept thread or beside another run does not wait for threads that are busy.
#include "study/WalkThreads.h"

#include <gtest/gtest.h>

#include <atomic>
#include <future>
#include <stdexcept>
#include <thread>
#include <vector>

namespace {

// Takes pieces 0 .. count - 1 in turn, counting each taking.
struct SPieces
{
    explicit SPieces(std::size_t count) : taken(count) {}
    std::vector<std::atomic<int>> taken;
    std::atomic<std::size_t> next{0};

    void TakeAll()
    {
        for (std::size_t k = next++; k < taken.size(); k = next++)
            ++taken[k];
    }
    bool EachTakenOnce() const
    {
        for (const std::atomic<int>& piece : taken)
            if (piece != 1)
                return false;
        return true;
    }
};

} // namespace

TEST(WalkThreadsTest, EveryPieceIsTakenOnceAndErrorsReachTheCaller)
{
    StartWalkThreads();
    for (const std::size_t helpers : {0u, 1u, 3u, 5u, 9u}) {
        SCOPED_TRACE(testing::Message() << helpers << " helpers");
        SPieces pieces(500);
        const std::function<void()> work = [&] { pieces.TakeAll(); };
        RunWithWalkThreads(helpers, work, work);
        EXPECT_TRUE(pieces.EachTakenOnce());
    }

    // Thrown on a helper, or on this thread while helpers run: the caller gets it once all are
    // done, and the next run has every thread again.
    std::atomic<int> runs{0};
    const std::function<void()> throwing = [&] {
        ++runs;
        throw std::runtime_error("helper");
    };
    const std::function<void()> waitForOne = [&] {
        while (runs == 0)
            std::this_thread::yield();
    };
    EXPECT_THROW(RunWithWalkThreads(2, throwing, waitForOne), std::runtime_error);
    EXPECT_THROW(RunWithWalkThreads(2, [] {}, [] { throw std::logic_error("own"); }), std::logic_error);
    SPieces after(300);
    const std::function<void()> work = [&] { after.TakeAll(); };
    RunWithWalkThreads(5, work, work);
    EXPECT_TRUE(after.EachTakenOnce());
}

TEST(WalkThreadsTest, ARunFromAKeptThreadOrBesideAnotherRunTakesItsWorkAlone)
{
    // Nested: every kept thread is busy with the outer run, so the inner one runs where it is.
    SPieces outer(40);
    std::atomic<int> inner{0};
    const std::function<void()> work = [&] {
        for (std::size_t k = outer.next++; k < outer.taken.size(); k = outer.next++) {
            ++outer.taken[k];
            SPieces nested(10);
            const std::function<void()> nestedWork = [&] { nested.TakeAll(); };
            RunWithWalkThreads(3, nestedWork, nestedWork);
            if (nested.EachTakenOnce())
                ++inner;
        }
    };
    RunWithWalkThreads(3, work, work);
    EXPECT_TRUE(outer.EachTakenOnce());
    EXPECT_EQ(40, inner);

    // Beside a run on another thread: each gets all its pieces done.
    std::atomic<bool> release{false};
    SPieces first(100);
    const std::function<void()> slow = [&] {
        while (!release)
            std::this_thread::yield();
        first.TakeAll();
    };
    auto running = std::async(std::launch::async, [&] { RunWithWalkThreads(2, slow, slow); });
    SPieces second(100);
    const std::function<void()> quick = [&] { second.TakeAll(); };
    RunWithWalkThreads(2, quick, quick);
    EXPECT_TRUE(second.EachTakenOnce());
    release = true;
    running.get();
    EXPECT_TRUE(first.EachTakenOnce());
}
