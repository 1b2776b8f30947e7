#pragma once
// Recording subclasses of the grid control and of a data source: every notification is logged as
// one line of text with its arguments, so tests compare what was raised and in which order.
#include "grid/CUGCellType.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGMem.h"
#include "platform/framework/windows/FrameworkApp.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

template <typename... Args>
std::string Line(const char* name, const Args&... args)
{
    std::ostringstream out;
    out << name << '(';
    [[maybe_unused]] const char* sep = "";
    ((out << sep << args, sep = ","), ...);
    out << ')';
    return out.str();
}

class RecordingGrid : public CUGCtrl
{
public:
    using CUGCtrl::OnSetFocus;
    std::vector<std::string> log;
    // Answers of the notifications that decide something.
    BOOL canMove = TRUE;
    BOOL canViewMove = TRUE;
    int rowsToAdd = 0;
    bool logGetCell = false;
    std::function<int(CUGCell*, CUGCell*, int)> sortCompare;

    std::vector<std::string> Only(const std::string& prefix) const
    {
        std::vector<std::string> out;
        for (const auto& l : log)
            if (l.rfind(prefix, 0) == 0)
                out.push_back(l);
        return out;
    }

    void OnSetup() override { log.push_back(Line("OnSetup")); }
    void OnAfterSetup() override { log.push_back(Line("OnAfterSetup")); }
    void OnSheetSetup(int sheet) override { log.push_back(Line("OnSheetSetup", sheet)); }
    BOOL OnCanMove(int oc, int orow, int nc, int nr) override
    {
        log.push_back(Line("OnCanMove", oc, orow, nc, nr));
        return canMove;
    }
    BOOL OnCanViewMove(int oc, int orow, int nc, int nr) override
    {
        log.push_back(Line("OnCanViewMove", oc, orow, nc, nr));
        return canViewMove;
    }
    void OnRowsRequested(int first, int count, int* added) override
    {
        log.push_back(Line("OnRowsRequested", first, count, *added));
        *added += rowsToAdd;
    }
    void OnColSized(int col, int* width) override { log.push_back(Line("OnColSized", col, *width)); }
    void OnRowSized(int row, int* height) override { log.push_back(Line("OnRowSized", row, *height)); }
    void OnColChanged(int o, int n) override { log.push_back(Line("OnColChanged", o, n)); }
    void OnRowChanged(int o, int n) override { log.push_back(Line("OnRowChanged", o, n)); }
    void OnCellChanged(int oc, int nc, int orow, int nr) override { log.push_back(Line("OnCellChanged", oc, nc, orow, nr)); }
    void OnLeftColChanged(int o, int n) override { log.push_back(Line("OnLeftColChanged", o, n)); }
    void OnTopRowChanged(int o, int n) override { log.push_back(Line("OnTopRowChanged", o, n)); }
    void OnSelectionChanged(int r, int t, int l, int b, int block) override
    {
        log.push_back(Line("OnSelectionChanged", r, t, l, b, block));
    }
    void OnGetCell(int col, int row, CUGCell*) override
    {
        if (logGetCell)
            log.push_back(Line("OnGetCell", col, row));
    }
    void OnSetCell(int col, int row, CUGCell*) override { log.push_back(Line("OnSetCell", col, row)); }
    void OnLayoutAdjust(RECT* grid, RECT*, RECT*, RECT*, RECT*, RECT*, RECT*) override
    {
        log.push_back(Line("OnLayoutAdjust", grid->left, grid->top, grid->right, grid->bottom));
    }
    void OnPopupMenuCommand(int col, int row, int section, UINT item) override
    {
        log.push_back(Line("OnPopupMenuCommand", col, row, section, item));
    }
    void OnTrackWindowPlace(RECT* wnd, RECT* cell) override
    {
        log.push_back(Line("OnTrackWindowPlace", wnd->left - cell->right, wnd->top - cell->top));
    }
    void OnSetFocus(int section) override { log.push_back(Line("OnSetFocus", section)); }
    int OnSortCompare(CUGCell* a, CUGCell* b, int flags) override
    {
        return sortCompare ? sortCompare(a, b, flags) : CUGCtrl::OnSortCompare(a, b, flags);
    }
};

class RecordingSource : public CUGMem
{
public:
    std::vector<std::string>* log = nullptr;
    int canMove = 1;
    int rowsToAdd = 0;

    int GetRows(int first, int count, int* added) override
    {
        Write(Line("DS::GetRows", first, count));
        *added = rowsToAdd;
        return 0;
    }
    void OnRowChange(int o, int n) override { Write(Line("DS::OnRowChange", o, n)); }
    void OnColChange(int o, int n) override { Write(Line("DS::OnColChange", o, n)); }
    int OnCanMove(int oc, int orow, int nc, int nr) override
    {
        Write(Line("DS::OnCanMove", oc, orow, nc, nr));
        return canMove;
    }

private:
    void Write(const std::string& line)
    {
        if (log)
            log->push_back(line);
    }
};

// A cell type that records what the control tells it.
class RecordingType : public CUGCellType
{
public:
    explicit RecordingType(std::vector<std::string>* target) : log(target) {}
    std::vector<std::string>* log;
    void OnSetFocus(int col, int row, CUGCell*) override { log->push_back(Line("CT::OnSetFocus", col, row)); }
    void OnKillFocus(int col, int row, CUGCell*) override { log->push_back(Line("CT::OnKillFocus", col, row)); }
    void OnViewEdgeChange(int col, int row, CUGCell*) override { log->push_back(Line("CT::OnViewEdgeChange", col, row)); }
    void OnChangedCellWidth(int col, int row, int* width) override
    {
        log->push_back(Line("CT::OnChangedCellWidth", col, row, *width));
    }
    int OnSystemColorChange() override
    {
        log->push_back(Line("CT::OnSystemColorChange"));
        return 0;
    }
    LRESULT OnTypeQuery(LPARAM value) override { return value * 2; }
    BOOL drawsFocus = FALSE;
    BOOL OnDrawFocusRect(CDC*, RECT* rect, int col, int row) override
    {
        log->push_back(Line("CT::OnDrawFocusRect", col, row, rect->right, rect->bottom));
        return drawsFocus;
    }
};

// Tests that make windows need the application object.
class GridWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { CFrameworkApp::EnsureInitialized(); }
    void TearDown() override { CFrameworkApp::PumpWaitingMessages(); }
};
