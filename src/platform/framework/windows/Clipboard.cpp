#include "platform/framework/windows/Clipboard.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/QtBridge.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace
{
bool g_open = false;

// A bitmap made from the clipboard's picture.
class ClipboardBitmap : public CBitmap
{
public:
    explicit ClipboardBitmap(const QImage& image)
    {
        CreateBitmap(image.width(), image.height(), 1, 32, nullptr);
        Data()->bitmap->image = image.convertToFormat(QImage::Format_RGB32);
    }
};

// What GetClipboardData hands out, kept until the next call.
struct Held
{
    std::unique_ptr<ClipboardBitmap> bitmap;
    std::string text;
};
Held& held()
{
    static Held h;
    return h;
}
} // namespace

BOOL OpenClipboard(HWND)
{
    CFrameworkApp::EnsureInitialized();
    if (g_open) return FALSE;
    g_open = true;
    return TRUE;
}

BOOL CloseClipboard()
{
    const BOOL was = g_open;
    g_open = false;
    return was;
}

BOOL EmptyClipboard()
{
    if (!g_open) return FALSE;
    QGuiApplication::clipboard()->clear();
    return TRUE;
}

HANDLE SetClipboardData(UINT format, HANDLE data)
{
    if (!g_open || !data) return nullptr;
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (format == CF_BITMAP)
    {
        const CBitmap* bitmap = CBitmap::FromHandle(static_cast<HBITMAP>(data));
        if (!bitmap) return nullptr;
        clipboard->setImage(BitmapImage(*bitmap));
        return data;
    }
    if (format == CF_TEXT || format == CF_UNICODETEXT)
    {
        clipboard->setText(QString::fromUtf8(static_cast<const char*>(data)));
        return data;
    }
    return nullptr;
}

HANDLE GetClipboardData(UINT format)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (format == CF_BITMAP)
    {
        const QImage image = clipboard->image();
        if (image.isNull()) return nullptr;
        held().bitmap = std::make_unique<ClipboardBitmap>(image);
        return held().bitmap->m_hObject;
    }
    if (format == CF_TEXT || format == CF_UNICODETEXT)
    {
        if (!clipboard->mimeData() || !clipboard->mimeData()->hasText()) return nullptr;
        held().text = clipboard->text().toStdString();
        return held().text.data();
    }
    return nullptr;
}

BOOL IsClipboardFormatAvailable(UINT format)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data) return FALSE;
    if (format == CF_BITMAP) return data->hasImage();
    if (format == CF_TEXT || format == CF_UNICODETEXT) return data->hasText();
    return FALSE;
}
