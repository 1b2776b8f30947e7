#pragma once
// The tables printed beside a bookmark's picture: which sessions, channels, limits, time range,
// working hours, demand period, calendar details, averaging intervals, notes, energy costs and
// aux scaling its view showed. Each kind is one data set, built once from the document, the
// bookmark and the bookmark's stored settings.
#include "report/ReportBaseUDS.h"

class CBasicViewSettings;
class CBookmark;
class CRecDoc;
class CUserViewSettings;

using CBookmarkInfoLine = std::array<CString, 9>;

class CReportBookmarkUDS : public CReportTextRowsUDS<9>
{
public:
    enum EKind
    {
        kSessions = 0,
        kLeftAxisOptions = 1,
        kRightAxisOptions = 2,
        kLimits = 3,
        kTimeRange = 4,
        kWorkingHours = 5,
        kDemandPeriod = 6,
        kCalendarDetails = 7,
        kAveragingIntervals = 8,
        kNotes = 9,
        kEnergyCosts = 10,
        kAux = 11,
    };

    CReportBookmarkUDS(const CRecDoc& document, const CBookmark& bookmark, int kind);

private:
    // The session's name and number as the bookmark's own session list knows them.
    CString ReportName(int session) const;
    int ReportNumber(int session) const;
    int FindUserSession(int session) const;
    // The channel group's name with the unit of its axis in the graph.
    CString AxisGroupName(int group) const;
    bool IsCalendarView() const { return m_view == 2 || m_view == 6; }
    bool IsGroupShown(int group) const;
    bool IsSessionShown(int session) const;
    // Gain, offset and unit of aux channel 0/1 of a session.
    void GetAuxSettings(int session, int channel, double& gain, double& offset, CString& unit) const;

    void AddSessions();
    void AddLeftAxisOptions() { AddAxisOptions(0); }
    void AddRightAxisOptions() { AddAxisOptions(3); }
    void AddAxisOptions(int firstGroup);
    void AddLimits();
    void AddTimeRange();
    void AddWorkingHours();
    void AddDemandPeriod();
    void AddCalendarDetails();
    void AddAveragingIntervals();
    void AddNotes();
    void AddEnergyCosts();
    void AddAux();

    const CRecDoc& m_document;
    const CBookmark& m_bookmark;
    const CBasicViewSettings* m_settings;
    const CUserViewSettings* m_user;
    int m_view;
};
