#include "ForeignInstance.h"
#include "shell/InstanceRegistry.h"
#include "shell/OrnApp.h"
#include "support/TempXdgHome.h"

#include <gtest/gtest.h>

#include <thread>

#include <unistd.h>

namespace {

class InstanceRegistryTest : public ::testing::Test
{
protected:
    CTempXdgHome m_home;
    CProfile& m_profile = COrnApp::Instance().GetProfile();
    std::filesystem::path m_lock = CInstanceRegistry::DefaultLockPath(m_profile);
    CInstanceRecords m_records{CInstanceRecords::PathFor(m_lock)};
    long long m_now = 1'000'000;
    CInstanceRegistry::Clock m_clock = [this] { return m_now; };
};

} // namespace

TEST_F(InstanceRegistryTest, TheSecondInstanceSeesTheFirstAndGetsTheNextNumber)
{
    CInstanceRegistry first(m_lock, m_clock);
    CInstanceRegistry second(m_lock, m_clock);
    first.Register();
    second.Register();
    EXPECT_TRUE(first.IsFirstInstance());
    EXPECT_EQ(1, first.GetInstanceNumber());
    EXPECT_FALSE(second.IsFirstInstance());
    EXPECT_EQ(2, second.GetInstanceNumber());
    EXPECT_EQ((std::vector<CString>{"Instance1", "Instance2"}), m_records.GetEntries());

    // A clean end clears the record and frees the lock at once: the survivor takes over on
    // its next beat.
    first.Unregister();
    EXPECT_EQ(std::vector<CString>{"Instance2"}, m_records.GetEntries());
    EXPECT_TRUE(second.Heartbeat());
    EXPECT_TRUE(second.IsFirstInstance());
    EXPECT_EQ(2, second.GetInstanceNumber());
    EXPECT_EQ(CString::Formatted("%d 1000000 1", static_cast<int>(::getpid())), m_records.GetValue("Instance2"));

    // Number 1 is only ever taken by an instance that starts first; a later secondary instance
    // takes the lowest free number from 2 up.
    CInstanceRegistry third(m_lock, m_clock);
    third.Register();
    EXPECT_FALSE(third.IsFirstInstance());
    EXPECT_EQ(3, third.GetInstanceNumber());
}

TEST_F(InstanceRegistryTest, ADeadFirstInstanceCountsAsGoneOnlyAfterItsRecordIsOlderThanTenSeconds)
{
    CForeignFirstInstance foreign(m_lock, m_now);
    CInstanceRegistry survivor(m_lock, m_clock);
    survivor.Register();
    ASSERT_FALSE(survivor.IsFirstInstance());
    EXPECT_EQ(2, survivor.GetInstanceNumber());

    foreign.Die();
    m_now += CInstanceRegistry::kStaleMs; // exactly 10000 ms: not yet gone
    EXPECT_FALSE(survivor.Heartbeat());
    EXPECT_FALSE(survivor.IsFirstInstance());

    m_now += 1;
    EXPECT_TRUE(survivor.Heartbeat());
    EXPECT_TRUE(survivor.IsFirstInstance());
    EXPECT_EQ(std::vector<CString>{"Instance2"}, m_records.GetEntries());
    EXPECT_FALSE(survivor.Heartbeat()); // the role is taken over once
}

TEST_F(InstanceRegistryTest, AHungFirstInstanceThatStillHoldsTheLockKeepsTheRole)
{
    CForeignFirstInstance foreign(m_lock, m_now);
    CInstanceRegistry survivor(m_lock, m_clock);
    survivor.Register();
    m_now += 60'000;
    // Its record is forgotten, but two instances never both act as the first one.
    EXPECT_FALSE(survivor.Heartbeat());
    EXPECT_FALSE(survivor.IsFirstInstance());
    EXPECT_EQ(std::vector<CString>{"Instance2"}, m_records.GetEntries());
    foreign.Die();
    EXPECT_TRUE(survivor.Heartbeat());
}

TEST_F(InstanceRegistryTest, StaleAndUnreadableRecordsFreeTheirNumbersAtRegistration)
{
    m_records.SetValue("Instance2", "77 1 0");
    m_records.SetValue("Instance3", "garbage");
    m_records.SetValue("Instance4", CString::Formatted("78 %lld 0", m_now - 500).GetString());
    CInstanceRegistry first(m_lock, m_clock);
    CInstanceRegistry second(m_lock, m_clock);
    first.Register();
    second.Register();
    EXPECT_EQ(1, first.GetInstanceNumber());
    EXPECT_EQ(2, second.GetInstanceNumber());
    EXPECT_EQ((std::vector<CString>{"Instance4", "Instance1", "Instance2"}), m_records.GetEntries());
}

TEST_F(InstanceRegistryTest, ARestartWaitsForTheEndingInstanceToFreeTheLock)
{
    CInstanceRegistry ending(m_lock);
    ending.Register();
    CInstanceRegistry restarted(m_lock);
    std::thread release([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        ending.Unregister();
    });
    restarted.Register(5000);
    release.join();
    EXPECT_TRUE(restarted.IsFirstInstance());
    EXPECT_EQ(1, restarted.GetInstanceNumber());
}
