#pragma once
// A tariff turned into the day cut into consecutive price segments, queried in time order for
// the prices of each recorded interval. The cache of the last segment only speeds up queries
// that follow each other in time.
#include <vector>

#include "datamodel/HighTime.h"
#include "project/EnergyCosts.h"

struct SEnergyCostSegment
{
    float costFwd = 0.0f;
    float costRev = 0.0f;
    CHighTimeSpan begin;  // from local midnight
    CHighTimeSpan end;
};

class CEnergyCostSchedule
{
public:
    explicit CEnergyCostSchedule(const CEnergyCosts& costs);

    // The segment whose prices apply to the recorded interval [begin, end); the basic prices when
    // no segment fits. An interval that does not lie inside one segment counts as a misfit.
    const SEnergyCostSegment& GetCostsAt(const CHighTime& begin, const CHighTime& end);

    // The segment of the first of `count` recorded intervals in time order and how many of them
    // from the first on it prices, exactly as GetCostsAt would answer each: a caller prices the
    // whole run at once instead of asking per record.
    int GetCostsRun(const CHighTime* begins, const CHighTime* ends, int count, const SEnergyCostSegment*& segment);

    int GetMisfitCount() const { return m_misfitCount; }
    const std::vector<SEnergyCostSegment>& GetSegments() const { return m_segments; }

private:
    void Enter(int startMinute, int endMinute, float fwd, float rev);
    int FindSegment(const CHighTimeSpan& timeOfDay, int hint) const;
    const SEnergyCostSegment& Misfit();
    // GetCostsAt's step to a later segment of the current regular day, on the day's absolute
    // segment bounds; null when that step does not apply and GetCostsAt must answer.
    const SEnergyCostSegment* StepWithinDay(const CHighTime& begin, const CHighTime& end);
    // Moves the day bounds to the local day of begin.
    void SetDay(const CHighTime& begin, const SYSTEMTIME& local);
    // The absolute end of the segment on begin's local day; begin when it cannot be converted.
    CHighTime SegmentEnd(const CHighTime& begin, const SYSTEMTIME& local,
                         const SEnergyCostSegment& segment) const;

    std::vector<SEnergyCostSegment> m_segments;
    SEnergyCostSegment m_fallbackSegment;
    int m_lastIndex = -1;
    CHighTime m_cachedBegin;
    CHighTime m_cachedEnd;
    CHighTime m_dayStart;
    CHighTime m_nextDayStart;
    bool m_regularDay = false;
    // On a regular day: the segments' absolute begins and ends, as the day start plus their offsets.
    std::vector<CHighTime> m_dayBegins;
    std::vector<CHighTime> m_dayEnds;
    int m_misfitCount = 0;
};
