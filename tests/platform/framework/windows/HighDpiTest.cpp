// Windows drawn through contexts keep their pixels at the screen's device pixel ratio while
// every coordinate stays logical. Runs at the ratio of the process: ctest runs it once more
// with QT_SCALE_FACTOR=2.
#include "WindowTestSupport.h"

#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "support/ScopedUserLocale.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>

#include <cstdlib>
#include <functional>

namespace
{
class DrawnWnd : public CWnd
{
public:
    void OnPaint() override
    {
        CPaintDC dc(this);
        dc.FillSolidRect(0, 0, 100, 60, RGB(255, 255, 255));
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        dc.SelectObject(&pen);
        dc.MoveTo(10, 10);
        dc.LineTo(90, 10);
        CFont font;
        font.CreatePointFont(120, "DejaVu Sans");
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(10, 20, "Edge Wg");
    }
};

// Whether any 2 x 2 block of device pixels in the area holds different colours: a picture
// drawn at logical size and scaled up would show only uniform blocks.
bool HasDetailBelowALogicalPixel(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y + 1 <= area.bottom(); y += 2)
        for (int x = area.left(); x + 1 <= area.right(); x += 2)
        {
            const QRgb a = image.pixel(x, y);
            if (image.pixel(x + 1, y) != a || image.pixel(x, y + 1) != a || image.pixel(x + 1, y + 1) != a) return true;
        }
    return false;
}

// Every dialog template made into a dialog, shown over a window of its own.
void ForEveryTemplate(const std::function<void(UINT id, const DialogTemplate&, CDialog&)>& look)
{
    CFrameworkApp::EnsureInitialized();
    ::setenv("ORN_RESOURCE_DIR", ORN_SOURCE_DIR "/resources", 1);
    const QStringList files = QDir(ORN_SOURCE_DIR "/resources/dialogs").entryList({"*.json"});
    ASSERT_FALSE(files.isEmpty());
    for (const QString& file : files)
    {
        const UINT id = file.section('.', 0, 0).toUInt();
        const auto dialogTemplate = LoadDialogTemplate(id);
        ASSERT_TRUE(dialogTemplate) << id;
        CWnd host;
        ASSERT_TRUE(host.CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(100, 100, 900, 900), nullptr, 0));
        CDialog dialog;
        ASSERT_TRUE(dialog.CreateIndirect(*dialogTemplate, &host)) << id;
        dialog.ShowWindow(SW_SHOW);
        look(id, *dialogTemplate, dialog);
        dialog.DestroyWindow();
        host.DestroyWindow();
    }
}
} // namespace

TEST(HighDpi, LogicalCoordinatesDevicePixelsAndCrispEdges)
{
    CFrameworkApp::EnsureInitialized();
    DrawnWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, nullptr, WS_POPUP | WS_VISIBLE, CRect(0, 0, 100, 60), nullptr, 0));
    CFrameworkApp::PumpWaitingMessages();
    const qreal ratio = Widget(wnd)->devicePixelRatioF();

    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, CRect(0, 0, 100, 60));
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(dc.GetDeviceCaps(HORZRES), 100);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), qRound(QGuiApplication::primaryScreen()->logicalDotsPerInch()));
        EXPECT_EQ(dc.GetPixel(50, 10), RGB(0, 0, 0));
        EXPECT_EQ(dc.GetPixel(50, 11), RGB(255, 255, 255));
    }

    const QImage shown = WindowImage(wnd);
    ASSERT_EQ(shown.size(), (QSizeF(100, 60) * ratio).toSize());
    // The one-pixel line covers exactly the device rows of its logical row, in full black, and
    // the rows beside it stay white: no blurred edge.
    const int top = qRound(10 * ratio), bottom = qRound(11 * ratio);
    for (int y = top - 1; y <= bottom; ++y)
        EXPECT_EQ(shown.pixel(qRound(50 * ratio), y), (y >= top && y < bottom) ? qRgb(0, 0, 0) : qRgb(255, 255, 255))
            << "device row " << y;
    if (ratio >= 2)
    {
        EXPECT_TRUE(HasDetailBelowALogicalPixel(shown, QRect(QPoint(20, 40), QSize(120, 40))));
        if (const char* out = std::getenv("ORN_HIDPI_PNG")) shown.save(out);
    }
}

// Every drop-down box of the program's dialog templates is one line high, within its dialog,
// and drops its list below itself at least as wide as the box: a template gives a drop-down box
// the height of its list, which must not stand as a tall box over the controls below.
TEST(HighDpi, EveryDropDownBoxOfTheTemplatesIsOneLineHighWithItsListBelow)
{
    int boxes = 0;
    ForEveryTemplate([&boxes](UINT id, const DialogTemplate& dialogTemplate, CDialog& dialog) {
        for (const DialogItemTemplate& item : dialogTemplate.items)
        {
            if (item.className.CompareNoCase("COMBOBOX") != 0) continue;
            ++boxes;
            CWnd* box = dialog.GetDlgItem(int(item.id));
            ASSERT_TRUE(box) << id << " " << item.id;
            auto* combo = qobject_cast<QComboBox*>(Widget(*box));
            ASSERT_TRUE(combo);
            CRect rect;
            box->GetWindowRect(&rect);
            EXPECT_LE(rect.Height(), combo->sizeHint().height()) << id << " " << item.id;
            CRect client;
            dialog.GetClientRect(&client);
            dialog.ClientToScreen(&client);
            EXPECT_TRUE(CRect().IntersectRect(&rect, &client) && rect.bottom <= client.bottom) << id << " " << item.id;
            // Where the screen has room below the box (the page scrolled so that the box is at
            // its top), the list drops there.
            CWnd* top = box->GetTopLevelParent();
            CRect topRect;
            top->GetWindowRect(&topRect);
            top->SetWindowPos(nullptr, topRect.left, topRect.top - rect.top + 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            box->GetWindowRect(&rect);
            static_cast<CComboBox*>(box)->AddString("one");
            static_cast<CComboBox*>(box)->ShowDropDown(TRUE);
            const QRect list = combo->view()->window()->geometry();
            EXPECT_GE(list.top(), rect.bottom) << id << " " << item.id;
            EXPECT_GE(list.width(), rect.Width()) << id << " " << item.id;
            static_cast<CComboBox*>(box)->ShowDropDown(FALSE);
        }
    });
    EXPECT_GE(boxes, 4);
}

// Every date and time picker of the templates shows every text the user's locale writes in it
// whole (a 12-hour time with its AM or PM, a date with the names of its month and weekday): the
// picker grows, what stands after it on its row moves over, and nothing overlaps or leaves the
// dialog.
TEST(HighDpi, EveryPickerOfTheTemplatesShowsTheLongestDateAndTimeOfTheLocaleWhole)
{
    CUserLocale longDates = CUserLocale::DeDe();
    longDates.shortDatePicture = "dddd, d. MMMM yyyy";
    int pickers = 0;
    for (const CUserLocale& locale : {CUserLocale::EnUs(), longDates})
    {
        CScopedUserLocale pinned(locale);
        ForEveryTemplate([&](UINT id, const DialogTemplate& dialogTemplate, CDialog& dialog) {
            CRect client;
            dialog.GetClientRect(&client);
            for (const DialogItemTemplate& item : dialogTemplate.items)
            {
                CWnd* picker = dialog.GetDlgItem(int(item.id));
                if (item.className.CompareNoCase("SysDateTimePick32") != 0 || !picker) continue;
                ++pickers;
                picker->ShowWindow(SW_SHOW);
                EXPECT_EQ(DescribeCutText(*picker), "") << id << " " << item.id << " " << locale.shortDatePicture;
                CRect at;
                picker->GetWindowRect(&at);
                dialog.ScreenToClient(&at);
                EXPECT_TRUE(CRect().IntersectRect(&at, &client) && at.right <= client.right) << id << " " << item.id;
                // Group boxes frame what they hold.
                for (CWnd* other = dialog.GetWindow(GW_CHILD); other; other = other->GetWindow(GW_HWNDNEXT))
                {
                    if ((other->GetStyle() & BS_TYPEMASK) == BS_GROUPBOX && other->Impl()->controlClass == "BUTTON") continue;
                    CRect beside;
                    other->GetWindowRect(&beside);
                    dialog.ScreenToClient(&beside);
                    EXPECT_TRUE(other == picker || !CRect().IntersectRect(&at, &beside))
                        << id << " " << item.id << " overlaps " << other->GetDlgCtrlID();
                }
            }
        });
    }
    EXPECT_GE(pickers, 2 * 16);
}
