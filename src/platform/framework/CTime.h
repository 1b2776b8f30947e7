#pragma once
// A time as whole seconds since 1970-01-01 UTC, as the framework's CTime holds it.
#include <ctime>

class CTime
{
public:
    CTime() = default;
    CTime(std::time_t time) : m_time(time) {}
    std::time_t GetTime() const { return m_time; }

private:
    std::time_t m_time = 0;
};
