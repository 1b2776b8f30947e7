#pragma once
// The file open and save dialogs and the colour dialog. Filters are the platform's
// "Text files (*.txt)|*.txt|All files (*.*)|*.*||"; a default extension is added to a name
// typed without one. A driver can stand in for the user (tests).
#include "platform/framework/CString.h"
#include "platform/framework/FileDialogService.h"
#include "platform/framework/MessageBoxService.h"
#include "platform/framework/windows/CWnd.h"

#include <functional>
#include <vector>

// The flags the file-dialog service defines come with it; these are the others.
inline constexpr DWORD OFN_READONLY = 0x00000001;
inline constexpr DWORD OFN_NOCHANGEDIR = 0x00000008;
inline constexpr DWORD OFN_ALLOWMULTISELECT = 0x00000200;
inline constexpr DWORD OFN_PATHMUSTEXIST = 0x00000800;
inline constexpr DWORD OFN_CREATEPROMPT = 0x00002000;
inline constexpr DWORD OFN_ENABLESIZING = 0x00800000;

// What the caller may set before DoModal.
struct OPENFILENAME
{
    DWORD Flags = 0;
    CString lpstrInitialDir;
    CString lpstrTitle;
    DWORD nFilterIndex = 1; // 1-based, as the platform counts
};

class CFileDialog
{
public:
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr, CWnd* parent = nullptr);
    // IDOK with a chosen path, or IDCANCEL.
    INT_PTR DoModal();

    CString GetPathName() const { return m_path; }
    // Every chosen path in the order chosen: with OFN_ALLOWMULTISELECT possibly several.
    std::vector<CString> GetPathNames() const { return m_paths.empty() ? std::vector<CString>{m_path} : m_paths; }
    CString GetFileName() const;
    CString GetFileExt() const;
    CString GetFileTitle() const;
    CString GetFolderPath() const;
    BOOL IsOpenDialog() const { return m_open; }
    // The filter as Qt's file dialog shows it ("Text files (*.txt);;All files (*.*)").
    CString GetQtFilter() const { return m_qtFilter; }

    OPENFILENAME m_ofn;

    // A driver answers IDOK or IDCANCEL and may choose a path with SetPathName.
    using Driver = std::function<INT_PTR(CFileDialog&)>;
    static Driver SetDriver(Driver driver);
    void SetPathName(const CString& path) { m_path = path; }
    void SetPathNames(std::vector<CString> paths)
    {
        m_paths = std::move(paths);
        m_path = m_paths.empty() ? CString() : m_paths.front();
    }

private:
    CString WithDefaultExtension(const CString& path) const;

    BOOL m_open;
    CString m_defaultExt;
    CString m_fileName;
    CString m_qtFilter;
    CString m_path;
    std::vector<CString> m_paths; // a multiple selection
    CWnd* m_parent;
};

class CColorDialog
{
public:
    explicit CColorDialog(COLORREF initial = 0, DWORD flags = 0, CWnd* parent = nullptr);
    INT_PTR DoModal();
    COLORREF GetColor() const { return m_color; }
    void SetCurrentColor(COLORREF color) { m_color = color; }
    // The sixteen custom colours, kept for the whole run as the platform keeps them.
    static COLORREF* GetSavedCustomColors();

    using Driver = std::function<INT_PTR(CColorDialog&)>;
    static Driver SetDriver(Driver driver);

private:
    COLORREF m_color;
    CWnd* m_parent;
};
inline constexpr DWORD CC_RGBINIT = 0x00000001;
inline constexpr DWORD CC_FULLOPEN = 0x00000002;
inline constexpr DWORD CC_ANYCOLOR = 0x00000100;
