#pragma once
// COleDateTime: a local date-time as an OLE DATE, days since 1899-12-30 with the time of day
// as the fraction (for dates before that day the fraction still counts forward).
#include "platform/framework/SystemTime.h"

using DATE = double;

class COleDateTime
{
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    COleDateTime() = default;
    explicit COleDateTime(DATE date) : m_dt(date) {}
    // Invalid unless the parts convert to a DATE and back unchanged (milliseconds are dropped).
    explicit COleDateTime(const SYSTEMTIME& systemTime);

    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    DATE GetDate() const { return m_dt; }
    // Rounded to the whole second; false unless valid and within 100..9999.
    bool GetAsSystemTime(SYSTEMTIME& systemTime) const;

    DATE m_dt = 0.0;
    DateTimeStatus m_status = valid;
};

// Fills the target from the parts; false (and the target, when given, invalid) when the parts do
// not survive the round trip through a DATE or when there is no target.
bool COleDateTimeConvertSystemTime(const SYSTEMTIME& systemTime, COleDateTime* target);
