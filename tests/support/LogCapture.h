#pragma once
// Collects the messages logged while it exists, for tests that check the texts of log lines.
#include <glog/logging.h>

#include <mutex>
#include <string>
#include <vector>

class CLogCapture : public google::LogSink
{
public:
    CLogCapture() { google::AddLogSink(this); }
    ~CLogCapture() override { google::RemoveLogSink(this); }
    CLogCapture(const CLogCapture&) = delete;
    CLogCapture& operator=(const CLogCapture&) = delete;

    void send(google::LogSeverity, const char*, const char*, int, const google::LogMessageTime&,
              const char* message, size_t length) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.emplace_back(message, length);
    }

    std::vector<std::string> Messages() const
    {
        std::lock_guard lock(m_mutex);
        return m_messages;
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_messages;
};
