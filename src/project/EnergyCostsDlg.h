#pragma once
// The energy-cost page of the session settings dialog: edits a copy of one session's tariff. The
// basic part (currency, forward and reverse cost) is fixed; below it one group of controls per
// ratio is built from a hidden pattern group of the template, and grows by one row per interval.
// The page scrolls vertically and marks intervals that overlap an earlier one. The host takes
// the edited copy with GetEnergyCosts when the user confirms.
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CScrollBar.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/GdiObjects.h"
#include "project/ECDateTimeCtrl.h"
#include "project/EnergyCosts.h"

#include <map>
#include <memory>
#include <vector>

class CMeasurementConfig;
class CValueFormatter;

class CEnergyCostsDlg : public CDialog
{
public:
    static constexpr UINT kTemplateId = 1503;
    static constexpr int kMaxRatios = 24;
    static constexpr int kMaxIntervals = 24;
    static constexpr UINT kFirstDynamicId = 2518;

    // Control ids of the template.
    static constexpr UINT kCurrencyEdit = 2414;
    static constexpr UINT kBasicFwdEdit = 2415;
    static constexpr UINT kBasicRevEdit = 2416;
    static constexpr UINT kBasicGroup = 2417;
    static constexpr UINT kAddRatioButton = 2428;

    struct SIntervalRow
    {
        std::unique_ptr<CECDateTimeCtrl> start;
        std::unique_ptr<CECDateTimeCtrl> end;
        std::unique_ptr<CButton> remove;
        std::unique_ptr<CStatic> overlapMarker;
    };
    struct SRatioGroup
    {
        std::unique_ptr<CButton> groupBox;
        std::unique_ptr<CButton> removeRatio;
        std::unique_ptr<CStatic> fwdLabel;
        std::unique_ptr<CStatic> revLabel;
        std::unique_ptr<CStatic> startLabel;
        std::unique_ptr<CStatic> endLabel;
        std::unique_ptr<CEdit> fwdEdit;
        std::unique_ptr<CEdit> revEdit;
        std::unique_ptr<CButton> addInterval;
        std::vector<SIntervalRow> rows;
    };

    // Copies the costs (a disabled tariff starts from the locale currency and the configuration's
    // forward cost) and creates the page from its template as a child of the parent.
    CEnergyCostsDlg(const CEnergyCosts& costs, const CMeasurementConfig* config, CValueFormatter& formatter,
                    CWnd* parent);
    ~CEnergyCostsDlg() override;

    const CEnergyCosts& GetEnergyCosts() const { return m_costs; }
    int GetGroupCount() const { return int(m_groups.size()); }
    const SRatioGroup& GetGroup(int ratio) const { return m_groups.at(std::size_t(ratio)); }
    int GetScrollPosition() const { return m_scrollPos; }
    int GetContentHeight() const { return m_contentHeight; }
    int GetRowPitch() const { return m_geometry.rowPitch; }

    void AddRatio();
    void AddInterval(int ratio);
    void RemoveInterval(int ratio, int interval);
    void RemoveRatio(int ratio);
    void ValidateIntervals();
    void UpdateScrollBar();

protected:
    BOOL OnInitDialog() override;
    // A page never ends itself: Enter and Escape belong to the host.
    void OnOK() override {}
    void OnCancel() override {}
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnVScroll(UINT code, UINT pos, CWnd* scrollBar) override;
    BOOL OnMouseWheel(UINT flags, short delta, CPoint screenPoint) override;
    void OnSize(UINT type, int cx, int cy) override;
    CScrollBar* GetScrollBarCtrl(int bar) const override;

private:
    enum class ERole
    {
        None,
        RemoveRatio,
        AddInterval,
        RemoveInterval,
        CostFwd,
        CostRev,
        Start,
        End
    };
    struct SGeometry
    {
        int rowPitch = 0;
        int baseGroupHeight = 0;
        int firstGroupTop = 0;
        int groupGap = 0;
        CPoint removeRatio, addInterval, removeInterval, costFwd, costRev, start, end;
    };

    void MeasureTemplate();
    int GroupTop(int ratio) const;
    int GroupHeight(int ratio) const;
    void BuildGroup(int ratio);
    void BuildRow(int ratio, int row, CWnd*& after);
    template <typename T>
    std::unique_ptr<T> CopyPattern(UINT patternId, const char* className, int dy, CWnd*& after);
    void MoveGroupsFrom(int firstRatio, int dy);
    void RetitleGroup(int ratio);
    // The ratio, role and interval row of a dynamic control, found by its place on the page.
    ERole FindButtonRole(CWnd* control, int& ratio, int& row) const;
    ERole FindFieldRole(CWnd* control, int& ratio, int& row) const;
    bool LocateControl(CWnd* control, int& ratio, CPoint& inGroup) const;
    int RowAt(int ratio, int y) const;

    void OnBasicCostKillFocus(UINT id);
    // Every cost edit, basic or of a ratio, left by the focus: its text becomes the cost.
    void OnCostKillFocus(CWnd& edit, float& cost);
    void OnPickerChanged(CWnd* picker);
    void ShowCost(CWnd& edit, float cost);
    CString CostText(float cost) const;
    void ShowInterval(const SIntervalRow& row, const SRatioInterval& interval);
    void UpdateAddRatioButton();
    void ScrollTo(int position);
    void PlaceScrollBar();

    CEnergyCosts m_costs;
    CValueFormatter& m_formatter;
    CString m_timePicture;
    // The pictures of the "+" and "-" buttons; they outlive the buttons.
    CBitmap m_addBitmap;
    CBitmap m_removeBitmap;
    std::vector<SRatioGroup> m_groups;
    SGeometry m_geometry;
    std::map<UINT, CRect> m_patternRects; // content coordinates, measured at start
    std::unique_ptr<CScrollBar> m_scrollBar;
    int m_contentHeight = 0;
    int m_scrollPos = 0;
    int m_pageHeight = 0;
    UINT m_nextId = kFirstDynamicId;
    // Set while controls are destroyed, so that their last focus notices are not taken as edits.
    bool m_rebuilding = false;
};
