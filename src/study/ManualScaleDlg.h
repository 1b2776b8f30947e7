#pragma once
// The manual scale dialogs of a graph axis: a value axis takes a low and a high value, a time
// axis a begin and an end from a picker pair. The views construct one without showing it and
// apply its range to the axis.
#include "platform/framework/windows/CDialog.h"
#include "study/DateTimePickerControls.h"

class CDataToIOComp;

class CManualScaleDlg : public CDialog
{
public:
    // `allowInverted` keeps a low above the high as given; otherwise the two are put in order.
    CManualScaleDlg(CDataToIOComp* feeder, int axis, double low, double high, bool allowInverted);

    double GetLow() const { return m_low; }
    double GetHigh() const { return m_high; }
    // The range onto Y axis `axis`, which becomes manually scaled. False for an empty or
    // non-finite range (the axis keeps its own).
    bool Apply();

private:
    CDataToIOComp* m_feeder;
    int m_axis;
    double m_low;
    double m_high;
};

class CManualScaleXAxisDlg : public CDialog
{
public:
    CManualScaleXAxisDlg(CDataToIOComp* feeder, int axis, double begin, double end);

    CDateTimePickerControls& Pickers() { return m_pickers; }
    // The pickers' range (or the given one while they are not bound) onto X axis `axis`. False
    // for an empty range.
    bool Apply();

private:
    CDataToIOComp* m_feeder;
    int m_axis;
    double m_begin;
    double m_end;
    CDateTimePickerControls m_pickers;
};
