#include "WindowTestSupport.h"

#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CStatic.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/WindowTheme.h"

#include <QStyle>

namespace
{
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kPink = RGB(255, 192, 192);

// A parent that colours one of its controls, as an owner marks a field, and notes what it is asked.
class ColouringParent : public RecordingWnd
{
public:
    int colouredId = 0; // 0: every control keeps the default colours
    CBrush brush{kRed};
    std::vector<std::pair<int, UINT>> asked; // control id, control type
    std::vector<std::pair<int, UINT>> notes;  // control id, WM_NOTIFY code

    HBRUSH OnCtlColor(CDC* dc, CWnd* control, UINT type) override
    {
        asked.emplace_back(control ? control->GetDlgCtrlID() : -1, type);
        if (control && control->GetDlgCtrlID() == colouredId)
        {
            dc->SetTextColor(RGB(0, 0, 255));
            return brush;
        }
        return CWnd::OnCtlColor(dc, control, type);
    }
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        notes.emplace_back(int(header->idFrom), header->code);
        return TRUE;
    }
    bool Asked(int id, UINT type) const { return std::find(asked.begin(), asked.end(), std::make_pair(id, type)) != asked.end(); }
};

// A picker that erases its background pink while marked, as the energy-cost page's do.
class MarkablePicker : public CDateTimeCtrl
{
public:
    bool marked = false;
    BOOL OnEraseBkgnd(CDC* dc) override
    {
        if (!marked) return CDateTimeCtrl::OnEraseBkgnd(dc);
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, kPink);
        return TRUE;
    }
};

class ControlColorsTest : public WindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 300, 200), nullptr, 0));
    }
    // A pixel of the parent as shown, with its controls on it.
    COLORREF Pixel(int x, int y)
    {
        CFrameworkApp::PumpWaitingMessages();
        return FromQRgb(WindowImage(parent).pixel(x, y));
    }
    // The bounding box of the black pixels of a window as shown.
    static QRect BlackArea(CWnd& wnd)
    {
        CFrameworkApp::PumpWaitingMessages();
        const QImage image = WindowImage(wnd);
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if ((image.pixel(x, y) & 0xFFFFFF) == 0) box |= QRect(x, y, 1, 1);
        return box;
    }
    ColouringParent parent;
};
} // namespace

TEST_F(ControlColorsTest, ControlsTakeTheBrushAndTextColourTheirParentAnswers)
{
    CEdit edit;
    CEdit readOnly;
    CStatic label;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 150, 40), &parent, 201));
    ASSERT_TRUE(readOnly.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(10, 50, 150, 80), &parent, 202));
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(10, 90, 150, 120), &parent, 203));
    const COLORREF editDefault = Pixel(80, 25);
    const COLORREF labelDefault = Pixel(80, 105);
    EXPECT_NE(editDefault, kRed);
    // Each control asked as the platform's does: a read-only edit as static text.
    EXPECT_TRUE(parent.Asked(201, CTLCOLOR_EDIT));
    EXPECT_TRUE(parent.Asked(202, CTLCOLOR_STATIC));
    EXPECT_TRUE(parent.Asked(203, CTLCOLOR_STATIC));

    parent.colouredId = 201;
    edit.Invalidate();
    EXPECT_EQ(Pixel(80, 25), kRed);
    EXPECT_EQ(Widget(edit)->palette().color(QPalette::Text), QColor(0, 0, 255));
    EXPECT_EQ(Pixel(80, 105), labelDefault);

    // A static control gets its background filled, though it paints none by itself.
    parent.colouredId = 203;
    edit.Invalidate();
    label.Invalidate();
    EXPECT_EQ(Pixel(80, 105), kRed);
    EXPECT_EQ(Pixel(80, 25), editDefault);
    EXPECT_NE(Widget(edit)->palette().color(QPalette::Text), QColor(0, 0, 255));

    parent.colouredId = 0;
    label.Invalidate();
    EXPECT_EQ(Pixel(80, 105), labelDefault);
}

TEST_F(ControlColorsTest, PickerShowsWhatItsOwnEraseHandlerPaints)
{
    MarkablePicker picker;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | DTS_TIMEFORMAT | DTS_UPDOWN, CRect(10, 10, 210, 40), &parent, 301));
    // Right of the time text, left of the arrows: background only.
    const COLORREF normal = Pixel(150, 25);
    EXPECT_NE(normal, kPink);

    picker.marked = true;
    picker.Invalidate();
    EXPECT_EQ(Pixel(150, 25), kPink);

    picker.marked = false;
    picker.Invalidate();
    EXPECT_EQ(Pixel(150, 25), normal);
}

TEST_F(ControlColorsTest, PickerTellsItsParentWhenItLosesTheFocus)
{
    CDateTimeCtrl picker;
    CEdit edit;
    ASSERT_TRUE(picker.Create(WS_CHILD | WS_VISIBLE | DTS_TIMEFORMAT, CRect(10, 10, 150, 40), &parent, 401));
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 50, 150, 80), &parent, 402));
    picker.SetFocus();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_TRUE(parent.notes.empty());
    edit.SetFocus();
    CFrameworkApp::PumpWaitingMessages();
    EXPECT_EQ(parent.notes, (std::vector<std::pair<int, UINT>>{{401, NM_KILLFOCUS}}));
}

TEST_F(ControlColorsTest, BitmapButtonShowsItsResourceBitmapAndKeepsItsText)
{
    CBitmap plus;
    CBitmap minus;
    ASSERT_TRUE(plus.LoadBitmap(1588));
    ASSERT_TRUE(minus.LoadBitmap(1589));
    EXPECT_EQ(plus.GetSize(), CSize(16, 16));
    CButton button;
    ASSERT_TRUE(button.Create("+", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP, CRect(10, 10, 50, 40), &parent, 501));
    EXPECT_EQ(button.SetBitmap(plus), nullptr);
    EXPECT_EQ(button.GetBitmap(), plus.m_hObject);
    // The "+" picture: two crossing bars of 10 x 2 pixels, whole inside the button.
    EXPECT_EQ(BlackArea(button).size(), QSize(10, 10));
    CString text;
    button.GetWindowText(text);
    EXPECT_EQ(text, "+");

    EXPECT_EQ(button.SetBitmap(minus), plus.m_hObject);
    EXPECT_EQ(BlackArea(button).size(), QSize(10, 2));
    button.SetWindowText("-");
    EXPECT_EQ(BlackArea(button).size(), QSize(10, 2));

    EXPECT_EQ(button.SetBitmap(nullptr), minus.m_hObject);
    EXPECT_EQ(button.GetBitmap(), nullptr);
}

TEST_F(ControlColorsTest, TabControlCanBeDrawnWithoutATheme)
{
    CTabCtrl tabs;
    ASSERT_TRUE(tabs.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 290, 40), &parent, 601));
    tabs.InsertItem(0, "One");
    EXPECT_NE(GetWindowTheme(tabs.m_hWnd), nullptr);
    EXPECT_EQ(SetWindowTheme(tabs.m_hWnd, "", ""), S_OK);
    EXPECT_EQ(GetWindowTheme(tabs.m_hWnd), nullptr);
    EXPECT_EQ(Widget(tabs)->style()->name(), QStringLiteral("windows"));
    EXPECT_EQ(SetWindowTheme(tabs.m_hWnd, nullptr, nullptr), S_OK);
    EXPECT_NE(GetWindowTheme(tabs.m_hWnd), nullptr);
    EXPECT_EQ(SetWindowTheme(nullptr, "", ""), E_INVALIDARG);
}
