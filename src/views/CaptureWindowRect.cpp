#include "views/CaptureWindowRect.h"

#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/Clipboard.h"
#include "platform/framework/windows/GdiConstants.h"
#include "platform/framework/windows/GdiObjects.h"
#include "views/MainWindow.h"

#include <glog/logging.h>

#include <filesystem>
#include <unistd.h>

namespace {

BOOL PutOnClipboard(CWnd& owner, CBitmap& bitmap)
{
    if (!OpenClipboard(owner.GetSafeHwnd()))
        return FALSE;
    EmptyClipboard();
    const BOOL done = SetClipboardData(CF_BITMAP, bitmap.m_hObject) != nullptr;
    CloseClipboard();
    return done;
}

CString TemporaryPictureName()
{
    static int counter = 0;
    std::error_code ec;
    const auto folder = std::filesystem::temp_directory_path(ec);
    const std::string name = "capture_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + ".png";
    return (ec ? std::filesystem::path(name) : folder / name).string();
}

} // namespace

BOOL CaptureWindowRect(const CRect& rect, unsigned flags, CString* fileName)
{
    CWnd* main = GetMainWindow();
    if (!main)
        return FALSE;
    CRect client;
    main->GetClientRect(&client);
    CRect part;
    if (!part.IntersectRect(&rect, &client))
        return FALSE;

    CClientDC screen(main);
    CDC whole;
    whole.CreateCompatibleDC(&screen);
    CBitmap wholeBitmap;
    wholeBitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* oldWhole = whole.SelectObject(&wholeBitmap);
    main->PrintWindow(&whole);

    CDC cut;
    cut.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, part.Width(), part.Height());
    CBitmap* oldCut = cut.SelectObject(&bitmap);
    cut.BitBlt(0, 0, part.Width(), part.Height(), &whole, part.left, part.top, SRCCOPY);
    cut.SelectObject(oldCut);
    whole.SelectObject(oldWhole);

    BOOL done = TRUE;
    if (flags & kCaptureToClipboard)
        done = PutOnClipboard(*main, bitmap) && done;
    if (flags & kCaptureToFile) {
        const CString path = TemporaryPictureName();
        const BOOL saved = bitmap.SaveToFile(path);
        if (saved && fileName)
            *fileName = path;
        done = saved && done;
    }
    if (!done)
        LOG(INFO) << "CaptureWindowRect: the picture could not be handed over";
    return done;
}
