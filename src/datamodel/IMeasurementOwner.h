#pragma once
// What a data set asks of the project entry that owns it: the record scale factors, and where to
// put the session's times and configuration once they are read. The project's measurement entry
// implements it.
class CMeasurementConfig;

class IMeasurementOwner
{
public:
    virtual ~IMeasurementOwner() = default;

    virtual float GetCurrentScaleFactor(int phase) const = 0;
    // The recording's start and end: two consecutive FILETIME values, start first.
    virtual void SetTimesFromRecord(const void* record) = 0;
    virtual void SetFromConfigRecord(const CMeasurementConfig& config) = 0;
};
