#pragma once
// Collects the messages logged while it exists, for tests that check the texts of log lines.
#include <glog/logging.h>

#include <algorithm>
#include <cctype>
#include <iterator>
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

    void send(google::LogSeverity severity, const char*, const char*, int, const google::LogMessageTime&,
              const char* message, size_t length) override
    {
        std::lock_guard lock(m_mutex);
        m_messages.emplace_back(message, length);
        m_severities.push_back(severity);
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
    // The messages a normal run never writes: those logged at warning severity or above, and
    // those whose text says something went wrong (the program logs most trouble at the
    // information severity).
    std::vector<std::string> Complaints() const
    {
        static constexpr const char* kWords[] = {"warning", "missing", "not there", "fail", "error", "cannot",
                                                 "can not", "invalid"};
        std::lock_guard lock(m_mutex);
        std::vector<std::string> complaints;
        for (std::size_t i = 0; i < m_messages.size(); ++i) {
            std::string lower = m_messages[i];
            std::transform(lower.begin(), lower.end(), lower.begin(),
                           [](unsigned char c) { return char(std::tolower(c)); });
            const bool worded = std::any_of(std::begin(kWords), std::end(kWords),
                                            [&](const char* word) { return lower.find(word) != std::string::npos; });
            if (worded || m_severities[i] >= google::GLOG_WARNING)
                complaints.push_back(m_messages[i]);
        }
        return complaints;
    }
    void Clear()
    {
        std::lock_guard lock(m_mutex);
        m_messages.clear();
        m_severities.clear();
    }

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_messages;
    std::vector<google::LogSeverity> m_severities;
};
