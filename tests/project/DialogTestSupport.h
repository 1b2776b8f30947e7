#pragma once
// Shared pieces of the dialog tests: the window layer's application object, a pinned locale and
// string table, a session configuration in the logger layout, and pictures of windows.
#include "datamodel/MeasurementConfig.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "support/ScopedUserLocale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class DialogTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void TearDown() override { CFrameworkApp::PumpWaitingMessages(); }

    CScopedUserLocale m_locale{CUserLocale::EnUs()};
};

struct SConfigValues
{
    WORD studyType = 1;
    float forwardCost = 0.0f;
    float gain[2] = {1.0f, 1.0f};
    float offset[2] = {0.0f, 0.0f};
    const char* unit[2] = {"", ""};
};

// A configuration of the logger layout (table type 63) with the given values.
inline CMeasurementConfig MakeConfig(const SConfigValues& v)
{
    std::vector<BYTE> table(kLoggerConfigTableSize, 0);
    auto put16 = [&](std::size_t at, WORD value) { std::memcpy(table.data() + at, &value, 2); };
    auto putF = [&](std::size_t at, float value) { std::memcpy(table.data() + at, &value, 4); };
    put16(0, kLoggerConfigTableType);
    put16(2, WORD(kLoggerConfigTableSize));
    put16(610, v.studyType);
    putF(236, v.forwardCost);
    putF(68, v.gain[0]);
    putF(72, v.offset[0]);
    putF(76, v.gain[1]);
    putF(80, v.offset[1]);
    for (int ch = 0; ch < 2; ++ch)
        for (std::size_t i = 0; v.unit[ch][i] && i < 7; ++i)
            table[(ch == 0 ? 240 : 256) + 2 * i] = BYTE(v.unit[ch][i]);
    CMeasurementConfig config;
    config.LoadLoggerTable(reinterpret_cast<const Umbo_table_header_t*>(table.data()));
    return config;
}

// A top-level window to host a page.
inline std::unique_ptr<CWnd> MakeHostWindow(int width, int height)
{
    auto host = std::make_unique<CWnd>();
    host->CreateEx(0, nullptr, "host", WS_POPUP | WS_VISIBLE, CRect(0, 0, width, height), nullptr, 0);
    return host;
}

// Paints the window as it is shown now; with ORN_RENDER_DIR set the picture is kept there as a
// PNG file for a person to look at. Returns the path, empty when nothing was kept.
inline std::string RenderWindow(CWnd& wnd, const std::string& name)
{
    CFrameworkApp::PumpWaitingMessages();
    CRect client;
    wnd.GetClientRect(&client);
    CDC memory;
    memory.CreateCompatibleDC(nullptr);
    CBitmap bitmap;
    bitmap.CreateBitmap(client.Width(), client.Height(), 1, 32, nullptr);
    CBitmap* old = memory.SelectObject(&bitmap);
    wnd.PrintWindow(&memory);
    memory.SelectObject(old);
    EXPECT_EQ(bitmap.GetSize(), client.Size());
    const char* dir = std::getenv("ORN_RENDER_DIR");
    if (!dir)
        return std::string();
    const std::filesystem::path path = std::filesystem::path(dir) / (name + ".png");
    EXPECT_TRUE(bitmap.SaveToFile(CString(path.string())));
    return path.string();
}
