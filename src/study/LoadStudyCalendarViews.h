#pragma once
// The calendar of the Load study: RMS current, estimated apparent power, THD-A and frequency.
#include "study/CalendarGraphView.h"
#include "study/CalendarTableView.h"

class CLoadStudyCalendarGraphView : public CCalendarGraphView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudyCalendarGraphView();

protected:
    std::span<const SCalendarParameter> Parameters() const override;
    int CalendarTableEntry() const override { return 28; }
};

class CLoadStudyCalendarTableView : public CCalendarTableView
{
public:
    static const SRuntimeClass& Class();
    CLoadStudyCalendarTableView();

protected:
    int CalendarGraphEntry() const override { return 29; }
    int StudyType() const override { return 2; }
};
