#pragma once
// CDateTimePickerControls: a time range [begin, end] edited with a date and a time picker for
// each end and a list of interval lengths, all living in a parent window (a dialog or a dialog
// bar). The object owns no control; it is bound to their ids. Changes that would put the begin
// after the upper limit, or the end before the lower limit or before the begin, are undone.
#include "datamodel/HighTime.h"
#include "platform/framework/windows/CWnd.h"

#include <array>
#include <vector>

struct SPickerControlIds
{
    UINT beginDate = 0;
    UINT beginTime = 0;
    UINT endDate = 0;
    UINT endTime = 0;
    UINT intervalList = 0;
};

class CDateTimePickerControls
{
public:
    CDateTimePickerControls() = default;
    virtual ~CDateTimePickerControls() = default;

    // Binds the pair to its controls (their arrangement, which the layout flags name, is the
    // parent template's), fills the list with the choices (each choice's text, its
    // number as item data) and the duration item, and writes the range into the pickers.
    void Init(CWnd* parent, const CHighTime& upperLimit, const CHighTime& lowerLimit, const CHighTime& begin,
              const CHighTime& end, const SPickerControlIds& ids, bool disabled, const std::vector<int>& choices,
              int layoutFlags);
    bool IsBound() const { return m_parent != nullptr; }

    // Chart dates (days since 30 December 1899).
    void SetRange(double begin, double end);
    void SetRange(const CHighTime& begin, const CHighTime& end);
    void GetRange(double& begin, double& end) const;
    void GetRange(CHighTime& begin, CHighTime& end) const;

    void Enable(bool on);
    bool IsEnabled() const { return !m_disabled; }

    // One of the four pickers changed (begin side or end side).
    void OnPickerChanged(bool beginSide);
    // The list selection changed.
    void OnChoiceChanged();
    // Selects a choice in the list and applies it as the user's choice would.
    void SelectChoice(int choice);
    int GetChoice() const { return m_choice; }

    // True when [begin, end] (chart dates) is the length of an interval choice within 1 ms, a
    // day choice counted in local calendar days from the begin.
    static bool IsChoiceRange(int choice, double begin, double end);

private:
    CHighTime ReadSide(UINT dateId, UINT timeId, const CHighTime& previous) const;
    void WritePickers();
    void RefreshDurationItem();
    // The end of a valid choice's interval from `begin`.
    static CHighTime ChoiceEnd(const CHighTime& begin, int choice);

    CWnd* m_parent = nullptr;
    SPickerControlIds m_ids;
    CHighTime m_begin;
    CHighTime m_end;
    int m_itemCount = 0;
    int m_choice = 9;
    bool m_disabled = false;
    CHighTime m_upperLimit;
    CHighTime m_lowerLimit;
};
