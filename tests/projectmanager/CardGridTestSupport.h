#pragma once
// A page that hosts card grids in tests: it records the commands and card-state messages the
// grids send and the layout requests they make, and it can be painted into a PNG file.
#include "grid/CUGGrid.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/WindowStyles.h"
#include "projectmanager/ProjectManagerBasicGrid.h"
#include "views/GridViewBase.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class CRecordingPage : public CGridViewBase
{
public:
    std::vector<std::pair<WPARAM, LPARAM>> commands;
    std::vector<LPARAM> cardStates;
    int refreshes = 0;
    int scrollUpdates = 0;

    CRecordingPage() : CGridViewBase(0) { m_bAutoDelete = false; }

    void RefreshGrids() override { ++refreshes; }
    void UpdateScrollSizes() override { ++scrollUpdates; }

    // Away from the screen's corner, where the cursor rests while no real mouse moved.
    bool CreatePage(int width, int height)
    {
        return CreateEx(0, nullptr, "page", WS_POPUP | WS_VISIBLE, CRect(40, 40, 40 + width, 40 + height), nullptr, 0);
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PM_COMMAND) {
            commands.emplace_back(wParam, lParam);
            return 0;
        }
        if (message == WM_PM_CARD_STATE) {
            cardStates.push_back(lParam);
            return 0;
        }
        return CGridViewBase::WindowProc(message, wParam, lParam);
    }
};

// Paints the window with its children; with ORN_RENDER_DIR set the picture is kept there as a
// PNG file for a person to look at.
inline void RenderToFile(CWnd& wnd, const std::string& name)
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
    if (const char* dir = std::getenv("ORN_RENDER_DIR")) {
        EXPECT_TRUE(bitmap.SaveToFile(CString((std::filesystem::path(dir) / (name + ".png")).string())));
    }
}

class CardGridTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        CFrameworkApp::EnsureInitialized();
        CStringTable::Instance().LoadLanguage("ENG");
    }
    void TearDown() override { CFrameworkApp::PumpWaitingMessages(); }

    // Presses and releases the left button over the middle of a cell of the grid.
    static void Click(CProjectManagerBasicGrid& grid, int col, int row)
    {
        const CPoint at = CellCentre(grid, col, row);
        grid.m_CUGGrid->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        grid.m_CUGGrid->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    static void MoveTo(CProjectManagerBasicGrid& grid, int col, int row)
    {
        const CPoint at = CellCentre(grid, col, row);
        grid.m_CUGGrid->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(at.x, at.y));
    }
    static CPoint CellCentre(CProjectManagerBasicGrid& grid, int col, int row)
    {
        CRect rect;
        grid.GetCellRect(col, row, &rect);
        return rect.CenterPoint();
    }
    static int TotalRowHeight(CProjectManagerBasicGrid& grid)
    {
        int total = 0;
        for (int row = 0; row < grid.GetNumberRows(); ++row)
            total += grid.GetRowHeight(row);
        return total;
    }
    static CString CellText(CProjectManagerBasicGrid& grid, int col, int row)
    {
        CString text;
        grid.QuickGetText(col, row, &text);
        return text;
    }
};
