#include "platform/reportengine/ReportPreviewWindow.h"

#include "platform/framework/FileDialogService.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/MessageBoxWindow.h"
#include "platform/reportengine/PageRenderer.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportFileName.h"
#include "platform/reportengine/ReportOutput.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QKeyEvent>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr double kScreenDpi = 96.0;
// How often and how long a shown window looks for the frame the window manager gives it.
constexpr int kFrameWaitStepMs = 100;
constexpr int kFrameWaitSteps = 20;
constexpr double kMinZoom = 0.25;
constexpr double kMaxZoom = 4.0;
constexpr double kZoomStep = 1.25;
// The size the window asks for: a page of A4 at 96 dpi, with the buttons.
constexpr int kPreferredWidth = 900;
constexpr int kPreferredHeight = 1000;
} // namespace

CReportPreviewWindow::CReportPreviewWindow(const std::vector<SPreparedPage>& pages, QWidget* parent,
                                           const CString& exportFolder)
    : QDialog(parent), m_pages(pages), m_exportFolder(exportFolder)
{
    setWindowTitle("Preview");
    // A tool bar: what does not fit a narrow screen goes to its extension menu rather than past
    // the screen's edge.
    auto* buttons = new QToolBar(this);
    buttons->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto addButton = [&](const char* text, auto action) {
        QAction* button = buttons->addAction(text);
        connect(button, &QAction::triggered, this, action);
        return button;
    };
    m_first = addButton("|<", [this] { ShowPage(0); });
    m_previous = addButton("<", [this] { ShowPage(m_page - 1); });
    m_position = new QLabel(buttons);
    m_position->setMinimumWidth(110);
    m_position->setAlignment(Qt::AlignCenter);
    buttons->addWidget(m_position);
    m_next = addButton(">", [this] { ShowPage(m_page + 1); });
    m_last = addButton(">|", [this] { ShowPage(int(m_pages.size()) - 1); });
    buttons->addSeparator();
    addButton("Zoom -", [this] { SetZoom(m_zoom / kZoomStep); });
    addButton("Zoom +", [this] { SetZoom(m_zoom * kZoomStep); });
    buttons->addSeparator();
    addButton("Export PDF...", [this] { Export(true); });
    addButton("Export RTF...", [this] { Export(false); });
    auto* stretch = new QWidget(buttons);
    stretch->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    buttons->addWidget(stretch);
    addButton("Close", [this] { accept(); });

    m_scroll = new QScrollArea(this);
    m_scroll->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_scroll->setBackgroundRole(QPalette::Dark);
    m_image = new QLabel;
    m_scroll->setWidget(m_image);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buttons);
    layout->addWidget(m_scroll, 1);
    resize(kPreferredWidth, kPreferredHeight);
    FitToWorkArea();
    m_scroll->installEventFilter(this);
    Refresh();
    // The arrow keys scroll the page from the start.
    m_scroll->setFocus();
}

bool CReportPreviewWindow::eventFilter(QObject* watched, QEvent* event)
{
    // The page's own keys go before the scroll area's, which would only scroll.
    if (event->type() == QEvent::KeyPress && TakeKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

void CReportPreviewWindow::keyPressEvent(QKeyEvent* event)
{
    if (!TakeKey(*event))
        QDialog::keyPressEvent(event);
}

bool CReportPreviewWindow::TakeKey(const QKeyEvent& key)
{
    const Qt::KeyboardModifiers modifiers = key.modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const bool ctrl = modifiers == Qt::ControlModifier;
    if (modifiers != Qt::NoModifier && !ctrl)
        return false;
    switch (key.key())
    {
    case Qt::Key_PageDown: Leaf(1); return true;
    case Qt::Key_PageUp: Leaf(-1); return true;
    case Qt::Key_Home: ShowPage(0); return true;
    case Qt::Key_End: ShowPage(int(m_pages.size()) - 1); return true;
    case Qt::Key_Plus: SetZoom(m_zoom * kZoomStep); return true;
    case Qt::Key_Minus: SetZoom(m_zoom / kZoomStep); return true;
    // Ctrl with the key of Plus without its Shift, as most viewers take it.
    case Qt::Key_Equal:
        if (ctrl)
            SetZoom(m_zoom * kZoomStep);
        return ctrl;
    case Qt::Key_0:
        if (ctrl)
            SetZoom(1.0);
        return ctrl;
    default: return false;
    }
}

void CReportPreviewWindow::Leaf(int direction)
{
    QScrollBar* bar = m_scroll->verticalScrollBar();
    const bool atEdge = direction > 0 ? bar->value() >= bar->maximum() : bar->value() <= bar->minimum();
    if (!atEdge)
    {
        bar->setValue(bar->value() + direction * bar->pageStep());
        return;
    }
    const int page = std::clamp(m_page + direction, 0, std::max(0, int(m_pages.size()) - 1));
    if (page == m_page)
        return;
    ShowPage(page);
    // Going back arrives at the previous page's end, as reading it backwards does.
    bar->setValue(direction > 0 ? bar->minimum() : bar->maximum());
}

void CReportPreviewWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    FitToWorkArea();
    // The window manager gives the frame some time after the show: fitted again once it has it.
    auto* wait = new QTimer(this);
    wait->setInterval(kFrameWaitStepMs);
    connect(wait, &QTimer::timeout, this, [this, wait, steps = 0]() mutable {
        const bool framed = frameGeometry() != geometry();
        if (framed)
            FitToWorkArea();
        if (framed || ++steps >= kFrameWaitSteps) {
            wait->stop();
            wait->deleteLater();
        }
    });
    wait->start();
}

void CReportPreviewWindow::FitToWorkArea()
{
    const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!shown)
        return;
    const QRect work = shown->availableGeometry();
    const QSize frame = frameGeometry().size() - geometry().size();
    resize(std::min(width(), work.width() - frame.width()), std::min(height(), work.height() - frame.height()));
    // Over the middle of the window it was opened from, as far as the work area lets it be.
    QRect outer = frameGeometry();
    outer.moveCenter(parentWidget() ? parentWidget()->window()->frameGeometry().center() : work.center());
    move(std::clamp(outer.left(), work.left(), work.right() + 1 - outer.width()),
         std::clamp(outer.top(), work.top(), work.bottom() + 1 - outer.height()));
}

void CReportPreviewWindow::ShowPage(int index)
{
    m_page = std::clamp(index, 0, std::max(0, int(m_pages.size()) - 1));
    Refresh();
}

void CReportPreviewWindow::SetZoom(double zoom)
{
    m_zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    Refresh();
}

void CReportPreviewWindow::Refresh()
{
    int count = int(m_pages.size());
    m_position->setText(count ? QString("Page %1 of %2").arg(m_page + 1).arg(count) : QString("No pages"));
    m_first->setEnabled(m_page > 0);
    m_previous->setEnabled(m_page > 0);
    m_next->setEnabled(m_page + 1 < count);
    m_last->setEnabled(m_page + 1 < count);
    if (count == 0)
    {
        m_image->clear();
        return;
    }
    // Drawn at the device's pixels, so that text is as sharp as the window's own.
    const double ratio = devicePixelRatioF();
    QImage page = RenderPageImage(m_pages[std::size_t(m_page)], m_page + 1, count, kScreenDpi * m_zoom * ratio);
    page.setDevicePixelRatio(ratio);
    m_image->setPixmap(QPixmap::fromImage(page));
    m_image->resize(page.deviceIndependentSize().toSize());
}

void CReportPreviewWindow::Export(bool pdf)
{
    SFileDialogRequest request;
    request.defaultExtension = pdf ? "pdf" : "rtf";
    request.filter = pdf ? "PDF files (*.pdf)|*.pdf||" : "Rich text files (*.rtf)|*.rtf||";
    request.flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
    request.initialName = m_exportFolder;
    CString path;
    if (!ChooseReportFile(request, path))
        return;
    try
    {
        if (pdf)
            WritePdf(m_pages, path);
        else
            WriteRtf(m_pages, path);
    }
    catch (const CReportEngineError& error)
    {
        const CMessageBoxCaption caption(kReportEngineErrorCaption);
        AfxMessageBox(error.what(), MB_OK | MB_ICONERROR);
    }
}
