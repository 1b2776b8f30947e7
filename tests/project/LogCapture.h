#pragma once
// Collects the log lines written while it lives, so tests can check warning texts.
#include <glog/logging.h>

#include <algorithm>
#include <string>
#include <vector>

class LogCapture : public google::LogSink
{
public:
    LogCapture() { google::AddLogSink(this); }
    ~LogCapture() override { google::RemoveLogSink(this); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    void send(google::LogSeverity, const char*, const char*, int, const struct ::tm*, const char* message,
              size_t length) override
    {
        m_lines.emplace_back(message, length);
    }

    const std::vector<std::string>& Lines() const { return m_lines; }
    bool Contains(const std::string& line) const
    {
        return std::find(m_lines.begin(), m_lines.end(), line) != m_lines.end();
    }
    bool ContainsPart(const std::string& part) const
    {
        return std::any_of(m_lines.begin(), m_lines.end(),
                           [&](const std::string& l) { return l.find(part) != std::string::npos; });
    }
    void Clear() { m_lines.clear(); }

private:
    std::vector<std::string> m_lines;
};
