#pragma once
// Collects the messages logged while it exists, for tests that check the texts of log lines.
#include <glog/logging.h>

#include <algorithm>
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
    // Whether a message was exactly this text.
    bool Contains(const std::string& message) const
    {
        std::lock_guard lock(m_mutex);
        return std::find(m_messages.begin(), m_messages.end(), message) != m_messages.end();
    }
    // Whether a message holds this text somewhere.
    bool ContainsPart(const std::string& part) const
    {
        std::lock_guard lock(m_mutex);
        return std::any_of(m_messages.begin(), m_messages.end(),
                           [&](const std::string& message) { return message.find(part) != std::string::npos; });
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_messages;
};
