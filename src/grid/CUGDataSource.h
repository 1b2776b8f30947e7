#pragma once
// CUGDataSource: where a grid's cells live. The control keeps no cell values: it reads and writes
// every cell through the data source that serves the column, and delegates structure changes,
// searching and sorting. The base answers "not supported" (-1), "allowed" (1) or does nothing.
// The reserved operations keep their places in the interface; the control never calls them.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

class CUGCell;
class CUGCtrl;
class CWnd;

class CUGDataSource
{
public:
    CUGDataSource() = default;
    CUGDataSource(const CUGDataSource&) = delete;
    CUGDataSource& operator=(const CUGDataSource&) = delete;
    virtual ~CUGDataSource() = default;

    virtual int Reserved01(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved02() { return 0; }
    virtual int Reserved03(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved04() { return -1; }
    virtual int Reserved05() { return -1; }
    virtual int Reserved06(INT_PTR, INT_PTR) { return -1; }
    virtual int GetLastRowIndex() { return -1; }
    virtual int Reserved07() { return -1; }
    virtual int Reserved08(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved09(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved10(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved11(INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved12() { return -1; }
    virtual int InsertRow(int /*row*/) { return -1; }
    virtual int Reserved13() { return -1; }
    virtual int InsertCol(int /*col*/) { return -1; }
    virtual int DeleteRow(int /*row*/) { return -1; }
    virtual int DeleteCol(int /*col*/) { return -1; }
    virtual int DeleteCell(int /*col*/, int /*row*/) { return -1; }
    virtual int Empty() { return -1; }
    virtual int GetCell(int /*col*/, int /*row*/, CUGCell* /*cell*/) { return -1; }
    virtual int SetCell(int /*col*/, int /*row*/, CUGCell* /*cell*/) { return -1; }
    virtual int FindFirst(const CString& /*text*/, int* /*col*/, int* /*row*/, int /*flags*/) { return -1; }
    virtual int FindNext(const CString& /*text*/, int* /*col*/, int* /*row*/, int /*flags*/) { return -1; }
    virtual int SortBy(const int* /*cols*/, int /*count*/, int /*flags*/) { return -1; }
    virtual int SortBy(int /*col*/, int /*flags*/) { return -1; }
    virtual int Reserved14(INT_PTR, INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved15(INT_PTR, INT_PTR, INT_PTR) { return -1; }
    virtual int Reserved16(INT_PTR, INT_PTR, INT_PTR) { return -1; }
    // Asked for rows beyond the control's row count during navigation.
    virtual int GetRows(int /*firstMissingRow*/, int /*count*/, int* /*rowsAdded*/) { return -1; }
    virtual void OnRowChange(int /*oldRow*/, int /*newRow*/) {}
    virtual void OnColChange(int /*oldCol*/, int /*newCol*/) {}
    // Anything but 1 refuses the move.
    virtual int OnCanMove(int /*oldCol*/, int /*oldRow*/, int /*newCol*/, int /*newRow*/) { return 1; }
    virtual int Reserved17() { return -1; }
    virtual int Reserved18() { return -1; }
    virtual int Reserved19() { return -1; }
    virtual int OnEditStart(int /*col*/, int /*row*/, CWnd** /*edit*/) { return 1; }
    virtual int OnEditVerify(int /*col*/, int /*row*/, CWnd* /*edit*/, UINT* /*key*/) { return 1; }
    virtual int OnEditFinish(int /*col*/, int /*row*/, CWnd* /*edit*/, const CString& /*text*/, BOOL /*cancelled*/)
    {
        return 1;
    }
    virtual int OnEditContinue(int /*oldCol*/, int /*oldRow*/, int* /*newCol*/, int* /*newRow*/) { return 1; }
    virtual int GetPrevNonBlankCol(int* /*col*/, int /*row*/) { return -1; }

    // Registration: the control sets both when it registers the source.
    void SetOwner(CUGCtrl* ctrl) { m_ctrl = ctrl; }
    CUGCtrl* GetOwner() const { return m_ctrl; }
    void SetID(int id) { m_ID = id; }
    int GetID() const { return m_ID; }

protected:
    CUGCtrl* m_ctrl = nullptr;
    int m_ID = -1;
};
