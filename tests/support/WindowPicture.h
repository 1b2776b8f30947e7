#pragma once
// Saves what a window shows, as a PNG named `name`, into ORN_RENDER_DIR (/tmp when unset): the
// pictures the render tests write for a person to look at.
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

inline void SavePicture(CWnd& window, const std::string& name)
{
    CRect client;
    window.GetClientRect(&client);
    CClientDC screen(&window);
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, client.Width(), client.Height());
    CBitmap* old = memory.SelectObject(&bitmap);
    window.PrintWindow(&memory);
    memory.SelectObject(old);
    const char* folder = std::getenv("ORN_RENDER_DIR");
    EXPECT_TRUE(bitmap.SaveToFile(CString(std::string(folder ? folder : "/tmp") + "/" + name + ".png")));
}
