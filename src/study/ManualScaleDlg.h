#pragma once
// The manual scale dialogs of a graph axis: a value axis takes a low and a high value, a time
// axis a begin and an end from a picker pair. The views open one from an axis's context menu or
// a double click on the axis, or construct one without showing it and apply its range.
#include "platform/framework/windows/CDialog.h"
#include "study/DateTimePickerControls.h"

class CDataToIOComp;

class CManualScaleDlg : public CDialog
{
public:
    static constexpr UINT kTemplateId = 30044;
    static constexpr UINT kLowEdit = 1001;
    static constexpr UINT kHighEdit = 1002;

    // `allowInverted` keeps a low above the high as given; otherwise the two are put in order.
    CManualScaleDlg(CDataToIOComp* feeder, int axis, double low, double high, bool allowInverted,
                    CWnd* parent = nullptr);

    double GetLow() const { return m_low; }
    double GetHigh() const { return m_high; }
    // The range onto Y axis `axis`, which becomes manually scaled. False for an empty or
    // non-finite range (the axis keeps its own).
    bool Apply();

    BOOL OnInitDialog() override;
    // Text that is no number keeps the dialog open.
    void OnOK() override;

private:
    CDataToIOComp* m_feeder;
    int m_axis;
    double m_low;
    double m_high;
    bool m_allowInverted;
};

class CManualScaleXAxisDlg : public CDialog
{
public:
    static constexpr UINT kTemplateId = 30045;
    static constexpr SPickerControlIds kPickerIds{1011, 1012, 1013, 1014, 1015};

    CManualScaleXAxisDlg(CDataToIOComp* feeder, int axis, double begin, double end, CWnd* parent = nullptr);

    CDateTimePickerControls& Pickers() { return m_pickers; }
    // The pickers' range (or the given one while they are not bound) onto X axis `axis`. False
    // for an empty range.
    bool Apply();

    BOOL OnInitDialog() override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CDataToIOComp* m_feeder;
    int m_axis;
    double m_begin;
    double m_end;
    CDateTimePickerControls m_pickers;
};
