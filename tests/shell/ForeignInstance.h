#pragma once
// Stands in for another process that started first: it holds the instance lock through its own
// open file and keeps a record with the time it last beat.
#include "shell/InstanceRecords.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <unistd.h>

class CForeignFirstInstance
{
public:
    CForeignFirstInstance(const std::filesystem::path& lockPath, long long stamp)
        : m_records(CInstanceRecords::PathFor(lockPath))
    {
        std::filesystem::create_directories(lockPath.parent_path());
        m_fd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        EXPECT_EQ(0, ::flock(m_fd, LOCK_EX | LOCK_NB));
        Beat(stamp);
    }
    ~CForeignFirstInstance() { Die(); }
    CForeignFirstInstance(const CForeignFirstInstance&) = delete;
    CForeignFirstInstance& operator=(const CForeignFirstInstance&) = delete;

    void Beat(long long stamp)
    {
        m_records.SetValue("Instance1", CString::Formatted("4242 %lld 1", stamp).GetString());
    }
    // The kernel drops the lock of a process that ends; its record stays behind.
    void Die()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }

private:
    CInstanceRecords m_records;
    int m_fd = -1;
};
