// A writer that dies at any point leaves a file that opens, with every stream as it was either
// before or after the operation that was under way.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <random>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/storage/CompoundFile.h"
#include "platform/storage/StorageStream.h"
#include "platform/storage/StorageTestSupport.h"

using namespace storage_test;

namespace {

using Model = std::map<std::string, std::string>;
using Streams = std::map<std::string, std::unique_ptr<CStorageStream>>;

struct SStep
{
    std::function<EStorageResult(CCompoundFile&, Streams&)> run;
    std::function<void(Model&)> apply;
};

EStorageResult Check(bool ok)
{
    return ok ? EStorageResult::Ok : EStorageResult::Corrupt;
}

// A long edit session: replacements, in-place changes, size changes across the mini stream
// cutoff, destruction of an open stream, a replacement that commits half-way.
std::vector<SStep> EditSession()
{
    std::vector<SStep> steps;
    auto write = [&steps](std::string name, std::string data) {
        steps.push_back({[=](CCompoundFile& f, Streams&) { return WriteStream(f, name, data, 3000); },
                         [=](Model& m) { m[name] = data; }});
    };
    auto destroy = [&steps](std::string name) {
        steps.push_back({[=](CCompoundFile& f, Streams&) { return f.DestroyElement(name.c_str()); },
                         [=](Model& m) { m.erase(name); }});
    };
    write("a", Pattern(10000, 1));
    write("project.xml", Pattern(1500, 2));
    write("b", Pattern(300000, 3));
    const std::string project = Pattern(2100, 4);
    steps.push_back({[=](CCompoundFile& f, Streams& held) {
                         EStorageResult r = f.CreateStream("project.xml", EStreamCreate::Replace, held["p"]);
                         if (r == EStorageResult::Ok)
                             r = held["p"]->Write(project.data(), 700);
                         return r == EStorageResult::Ok ? f.DestroyElement("a") : r;
                     },
                     [](Model& m) { m.erase("a"); }});
    steps.push_back({[=](CCompoundFile&, Streams& held) {
                         EStorageResult r = held["p"]->Write(project.data() + 700, project.size() - 700);
                         return r == EStorageResult::Ok ? held["p"]->Close() : r;
                     },
                     [=](Model& m) { m["project.xml"] = project; }});
    std::string changed = Pattern(300000, 3);
    changed.replace(100000, 5000, Pattern(5000, 5));
    changed.resize(200000);
    steps.push_back({[=](CCompoundFile& f, Streams&) {
                         std::unique_ptr<CStorageStream> s;
                         EStorageResult r = f.OpenStream("b", EStorageAccess::ReadWrite, s);
                         if (r == EStorageResult::Ok)
                             r = s->Seek(100000, ESeekOrigin::Begin);
                         if (r == EStorageResult::Ok)
                             r = s->Write(changed.data() + 100000, 5000);
                         if (r == EStorageResult::Ok)
                             r = s->SetSize(200000);
                         return r == EStorageResult::Ok ? s->Close() : r;
                     },
                     [=](Model& m) { m["b"] = changed; }});
    write("c", Pattern(5000, 6));
    write("d", Pattern(100, 7));
    steps.push_back({[](CCompoundFile& f, Streams&) {
                         std::unique_ptr<CStorageStream> s;
                         EStorageResult r = f.OpenStream("c", EStorageAccess::ReadWrite, s);
                         if (r == EStorageResult::Ok)
                             r = s->SetSize(2000);
                         return r == EStorageResult::Ok ? s->Close() : r;
                     },
                     [](Model& m) { m["c"].resize(2000); }});
    steps.push_back({[](CCompoundFile& f, Streams& held) {
                         EStorageResult r = f.OpenStream("d", EStorageAccess::Read, held["d"]);
                         return r == EStorageResult::Ok ? f.DestroyElement("d") : r;
                     },
                     [](Model& m) { m.erase("d"); }});
    write("e", Pattern(20000, 8));
    steps.push_back({[](CCompoundFile&, Streams& held) {
                         std::string data(100, '\0');
                         std::size_t read = 0;
                         EStorageResult r = held["d"]->Read(data.data(), data.size(), read);
                         if (r == EStorageResult::Ok)
                             r = Check(data == Pattern(100, 7));
                         return r == EStorageResult::Ok ? held["d"]->Close() : r;
                     },
                     [](Model&) {}});
    for (int i = 0; i < 8; ++i)
        write("s" + std::to_string(i), Pattern(700 * i * i, 20 + unsigned(i)));
    for (int i = 0; i < 4; ++i)
        destroy("s" + std::to_string(2 * i));
    return steps;
}

// A file holding the streams, written in chunks of that size.
void MakeFile(const std::string& path, const Model& streams, std::size_t chunk = 4096)
{
    std::shared_ptr<CCompoundFile> file;
    ASSERT_EQ(CCompoundFile::Create(path.c_str(), file), EStorageResult::Ok);
    for (const auto& [name, data] : streams)
        ASSERT_EQ(WriteStream(*file, name, data, chunk), EStorageResult::Ok);
}

// The project text written under a second name, then switched over in one rename.
void AddProjectSwitch(std::vector<SStep>& steps, const std::string& project)
{
    steps.push_back({[=](CCompoundFile& f, Streams&) { return WriteStream(f, "project.xml.new", project); },
                     [=](Model& m) { m["project.xml.new"] = project; }});
    steps.push_back({[](CCompoundFile& f, Streams&) { return f.RenameElement("project.xml.new", "project.xml"); },
                     [](Model& m) {
                         m["project.xml"] = m["project.xml.new"];
                         m.erase("project.xml.new");
                     }});
}

// Events of the file layer, counted; one of them is where the writer dies.
struct SCrashPlan
{
    bool armed = false;
    int count = 0;
    int crashAt = -1;
    std::set<int> lost; // writes since the last sync that never reached the disk
    std::vector<SWriteEvent> events;

    StorageWriteHook Hook()
    {
        return [this](const SWriteEvent& event) {
            if (!armed)
                return EWriteAction::Proceed;
            const int index = count++;
            events.push_back(event);
            if (index == crashAt)
                return EWriteAction::Crash;
            // Syncs are only markers here: nothing is power-cycled, and the test stays fast.
            if (event.kind == SWriteEvent::EKind::Sync || lost.count(index) != 0)
                return EWriteAction::Skip;
            return EWriteAction::Proceed;
        };
    }
};

class StorageCrashTest : public ::testing::Test
{
protected:
    // Runs the steps on a file prepared by `prepare`; the index of the step that failed, or
    // the step count when none did.
    std::size_t Run(const std::vector<SStep>& steps, SCrashPlan& plan, const std::function<void()>& prepare)
    {
        prepare();
        std::shared_ptr<CCompoundFile> file;
        EXPECT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, file, plan.Hook()), EStorageResult::Ok);
        plan.armed = true;
        Streams held;
        std::size_t step = 0;
        for (; step < steps.size(); ++step)
            if (steps[step].run(*file, held) != EStorageResult::Ok)
                break;
        held.clear();
        file.reset();
        return step;
    }

    // Crashes once at every event, plainly and with the writes since the last sync partly lost.
    void CrashEverywhere(const std::vector<SStep>& steps, const Model& initial, const std::function<void()>& prepare)
    {
        std::vector<Model> states{initial};
        for (const SStep& step : steps) {
            states.push_back(states.back());
            step.apply(states.back());
        }
        SCrashPlan recording;
        ASSERT_EQ(Run(steps, recording, prepare), steps.size());
        Model final;
        ASSERT_EQ(ReadAll(m_path, final), EStorageResult::Ok);
        ASSERT_EQ(final, states.back());

        std::mt19937 random(7);
        for (int lose = 0; lose < 2; ++lose) {
            int lastSync = -1;
            for (int k = 0; k < recording.count; ++k) {
                const SWriteEvent& event = recording.events[std::size_t(k)];
                const int syncBefore = lastSync;
                if (event.kind == SWriteEvent::EKind::Sync)
                    lastSync = k;
                // Every table, directory, header, sync and resize event (every other one when
                // writes are lost as well); a sample of the data writes, which all go to sectors
                // nothing committed uses.
                if (event.kind == SWriteEvent::EKind::Write && event.length > 512 && k % 8 != 0)
                    continue;
                if (lose && k % 2 != 0)
                    continue;
                SCrashPlan plan;
                plan.crashAt = k;
                if (lose) {
                    for (int i = syncBefore + 1; i < k; ++i)
                        if (random() % 2)
                            plan.lost.insert(i);
                }
                // A crash after the last step hits the closing commit, which changes no stream.
                const std::size_t failed = Run(steps, plan, prepare);
                VerifyAfterCrash(states[failed], states[std::min(failed + 1, steps.size())], k);
                if (HasFatalFailure())
                    return;
            }
        }
    }

    void VerifyAfterCrash(const Model& before, const Model& after, int event)
    {
        Model read;
        ASSERT_EQ(ReadAll(m_path, read), EStorageResult::Ok) << "crash at event " << event;
        ASSERT_TRUE(read == before || read == after) << "crash at event " << event;
        // The file goes on: space left by the dead writer is reused without harm.
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "later", Pattern(30000, 99)), EStorageResult::Ok);
        file.reset();
        Model expected = read;
        expected["later"] = Pattern(30000, 99);
        ASSERT_EQ(ReadAll(m_path, read), EStorageResult::Ok);
        ASSERT_TRUE(read == expected) << "crash at event " << event;
    }

    CScratchDir m_dir;
    std::string m_path = m_dir.Path("crash.zca");
};

} // namespace

TEST_F(StorageCrashTest, EveryWriteOfAnEditSessionIsAPossibleCrash)
{
    CrashEverywhere(EditSession(), {}, [this] {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(m_path.c_str(), file), EStorageResult::Ok);
    });
}

TEST_F(StorageCrashTest, CrashesInALargeFileKeepItsDifat)
{
    const std::string base = m_dir.Path("base.zca");
    Model initial{{"session.zlg", Pattern(7500 * 1024, 1)}, {"project.xml", Pattern(3000, 2)}};
    MakeFile(base, initial, 1 << 20);
    std::vector<SStep> steps;
    for (int i = 0; i < 3; ++i) {
        const std::string project = Pattern(3000 + 2500 * std::size_t(i), 10 + unsigned(i));
        steps.push_back({[=](CCompoundFile& f, Streams&) { return WriteStream(f, "project.xml", project); },
                         [=](Model& m) { m["project.xml"] = project; }});
    }
    steps.push_back({[](CCompoundFile& f, Streams&) { return WriteStream(f, "picture.png", Pattern(40000, 5)); },
                     [](Model& m) { m["picture.png"] = Pattern(40000, 5); }});
    CrashEverywhere(steps, initial, [&] { std::filesystem::copy_file(base, m_path, std::filesystem::copy_options::overwrite_existing); });
}

TEST_F(StorageCrashTest, GivingBackTheSpaceOfADestroyedLargeStreamIsAllOrNothing)
{
    // A large stream committed after the others (an import that never reached the project) has
    // its table sectors, DIFAT included, after it. Destroyed, with the project text written
    // again, the file ends after what it holds; a crash anywhere on the way leaves it whole.
    Model initial{{"session.zlg", Pattern(600000, 1)}, {"project.xml", Pattern(6000, 2)}};
    const std::string base = m_dir.Path("base.zca");
    MakeFile(base, initial, 1 << 20);
    const std::size_t heldBytes = ReadFileBytes(base).size();
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Open(base.c_str(), EStorageAccess::ReadWrite, file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "orphan.zlg", Pattern(8 << 20, 3), 1 << 20), EStorageResult::Ok);
    }
    initial["orphan.zlg"] = Pattern(8 << 20, 3);
    std::vector<SStep> steps;
    steps.push_back({[](CCompoundFile& f, Streams&) { return f.DestroyElement("orphan.zlg"); },
                     [](Model& m) { m.erase("orphan.zlg"); }});
    AddProjectSwitch(steps, Pattern(6500, 4));
    steps.push_back({[](CCompoundFile& f, Streams&) { return f.Flush(); }, [](Model&) {}});
    const auto prepare = [&] { std::filesystem::copy_file(base, m_path, std::filesystem::copy_options::overwrite_existing); };

    SCrashPlan whole;
    ASSERT_EQ(Run(steps, whole, prepare), steps.size());
    EXPECT_LE(ReadFileBytes(m_path).size(), heldBytes + 16 * 512);
    CrashEverywhere(steps, initial, prepare);
}

TEST_F(StorageCrashTest, ARenameOverAnElementIsAllOrNothing)
{
    // The project text is written under a second name and switched over; a crash leaves the
    // old text or the new one under "project.xml", never neither.
    Model initial{{"project.xml", Pattern(3000, 1)}, {"session.zlg", Pattern(200000, 2)}};
    const std::string base = m_dir.Path("base.zca");
    MakeFile(base, initial);
    std::vector<SStep> steps;
    // Across the mini stream cutoff and back.
    for (int i = 0; i < 3; ++i)
        AddProjectSwitch(steps, Pattern(i == 1 ? 6000 : 1000 + 900 * std::size_t(i), 10 + unsigned(i)));
    steps.push_back({[](CCompoundFile& f, Streams&) { return f.RenameElement("session.zlg", "Session.ZLG"); },
                     [](Model& m) {
                         m["Session.ZLG"] = m["session.zlg"];
                         m.erase("session.zlg");
                     }});
    CrashEverywhere(steps, initial, [&] { std::filesystem::copy_file(base, m_path, std::filesystem::copy_options::overwrite_existing); });
}

TEST_F(StorageCrashTest, AKilledWriterProcessLeavesAWholeFile)
{
    // The child writes numbered streams whose bytes follow from their number, and keeps the last
    // three; it is killed at random moments and the file checked in between.
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(m_path.c_str(), file), EStorageResult::Ok);
    }
    auto sizeOf = [](int n) { return std::size_t(n % 7) * 3000 + std::size_t(n % 3) * 40000 + 10; };
    std::mt19937 random(3);
    int highest = -1;
    for (int round = 0; round < 25; ++round) {
        const pid_t child = ::fork();
        if (child == 0) {
            std::shared_ptr<CCompoundFile> file;
            if (CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, file) != EStorageResult::Ok)
                _exit(1);
            int next = 0;
            for (const SStorageElement& element : file->EnumElements())
                next = std::max(next, std::atoi(element.name.GetString() + 1) + 1);
            for (const SStorageElement& element : file->EnumElements())
                if (std::atoi(element.name.GetString() + 1) < next - 3)
                    file->DestroyElement(element.name);
            for (int n = next;; ++n) {
                WriteStream(*file, "n" + std::to_string(n), Pattern(sizeOf(n), unsigned(n)), 4096);
                if (n >= 3)
                    file->DestroyElement(("n" + std::to_string(n - 3)).c_str());
            }
        }
        ::usleep(useconds_t(2000 + random() % 30000));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        Model read;
        ASSERT_EQ(ReadAll(m_path, read), EStorageResult::Ok) << "round " << round;
        ASSERT_LE(read.size(), 4u);
        for (const auto& [name, data] : read) {
            const int n = std::atoi(name.c_str() + 1);
            ASSERT_TRUE(data == Pattern(sizeOf(n), unsigned(n))) << name;
            highest = std::max(highest, n);
        }
    }
    EXPECT_GT(highest, 0);
}

TEST_F(StorageCrashTest, AWriteRefusedForWantOfRoomSucceedsWhenTriedAgain)
{
    // The disk refuses one write, sync or resize (each in turn), then has room again: the step
    // that failed is tried again on the same open file and succeeds, a reader open all along
    // keeps its bytes, and the file ends as if nothing had failed.
    const std::string kept = Pattern(70000, 1);
    std::vector<SStep> steps;
    auto write = [&steps](std::string name, std::string data) {
        steps.push_back({[=](CCompoundFile& f, Streams&) { return WriteStream(f, name, data, 3000); },
                         [=](Model& m) { m[name] = data; }});
    };
    // A step tried again may find done what its failed attempt did before the failure.
    auto destroy = [&steps](std::string name) {
        steps.push_back({[=](CCompoundFile& f, Streams&) {
                             const EStorageResult r = f.DestroyElement(name.c_str());
                             return r == EStorageResult::NotFound ? EStorageResult::Ok : r;
                         },
                         [=](Model& m) { m.erase(name); }});
    };
    write("project.xml.new", Pattern(1500, 2));
    steps.push_back({[](CCompoundFile& f, Streams&) {
                         const EStorageResult r = f.RenameElement("project.xml.new", "project.xml");
                         return r == EStorageResult::NotFound ? EStorageResult::Ok : r;
                     },
                     [](Model& m) {
                         m["project.xml"] = m["project.xml.new"];
                         m.erase("project.xml.new");
                     }});
    write("b", Pattern(100000, 3));
    write("c", Pattern(5000, 4));
    steps.push_back({[](CCompoundFile& f, Streams&) {
                         std::unique_ptr<CStorageStream> s;
                         EStorageResult r = f.OpenStream("c", EStorageAccess::ReadWrite, s);
                         if (r == EStorageResult::Ok)
                             r = s->SetSize(2000);
                         return r == EStorageResult::Ok ? s->Close() : r;
                     },
                     [](Model& m) { m["c"].resize(2000); }});
    destroy("b");
    for (int i = 0; i < 5; ++i)
        write("s" + std::to_string(i), Pattern(900 * std::size_t(i * i), 20 + unsigned(i)));
    destroy("s3");

    const std::string base = m_dir.Path("base.zca");
    {
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Create(base.c_str(), file), EStorageResult::Ok);
        ASSERT_EQ(WriteStream(*file, "kept.zlg", kept), EStorageResult::Ok);
    }
    Model expected{{"kept.zlg", kept}};
    for (const SStep& step : steps)
        step.apply(expected);

    // Every table, directory, header, sync and resize event; a sample of the data writes.
    std::vector<SWriteEvent> events;
    int failedSteps = 0;
    for (int refused = -1; refused < int(events.size()); ++refused) {
        if (refused >= 0 && events[std::size_t(refused)].kind == SWriteEvent::EKind::Write &&
            events[std::size_t(refused)].length > 512 && refused % 8 != 0)
            continue;
        SCOPED_TRACE("refused event " + std::to_string(refused));
        std::filesystem::copy_file(base, m_path, std::filesystem::copy_options::overwrite_existing);
        int count = 0;
        std::shared_ptr<CCompoundFile> file;
        ASSERT_EQ(CCompoundFile::Open(m_path.c_str(), EStorageAccess::ReadWrite, file, [&](const SWriteEvent& event) {
                      if (refused < 0)
                          events.push_back(event);
                      return count++ == refused ? EWriteAction::Fail : EWriteAction::Proceed;
                  }),
                  EStorageResult::Ok);
        std::unique_ptr<CStorageStream> reader;
        ASSERT_EQ(file->OpenStream("kept.zlg", EStorageAccess::Read, reader), EStorageResult::Ok);
        Streams held;
        for (std::size_t step = 0; step < steps.size(); ++step) {
            if (steps[step].run(*file, held) == EStorageResult::Ok)
                continue;
            ++failedSteps;
            ASSERT_EQ(steps[step].run(*file, held), EStorageResult::Ok) << "step " << step;
        }
        std::string read(kept.size(), '\0');
        std::size_t got = 0;
        ASSERT_EQ(reader->Read(read.data(), read.size(), got), EStorageResult::Ok);
        EXPECT_TRUE(got == kept.size() && read == kept);
        reader.reset();
        file.reset();
        Model final;
        ASSERT_EQ(ReadAll(m_path, final), EStorageResult::Ok);
        ASSERT_TRUE(final == expected);
    }
    // Refused writes of the final commits and of giving space back fail no step.
    EXPECT_GT(failedSteps, 50);
}
