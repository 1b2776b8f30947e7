#pragma once
// What the shell asks of the document of the open project. The project document implements it;
// the shell creates it through the document template (CProjectDocTemplate), opens and closes it,
// and routes the File menu and the main frame's study-view message to it. The document shows
// its own messages when it refuses something.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

class IProjectDocument
{
public:
    virtual ~IProjectDocument() = default;

    // Opens a ".zca" or makes a project from a ".zlg"; FALSE (after telling the user) on failure.
    virtual BOOL OnOpenDocument(const CString& path) = 0;
    // Makes a new project file from a ".zlg" without asking where (the document stays empty);
    // FALSE (after telling the user) on failure.
    virtual BOOL MakeProjectFromSession(const CString& zlgPath, const CString& projectPath) = 0;
    // File Save and File Save As (which asks for the new name itself).
    virtual void SaveProject() = 0;
    virtual void SaveProjectAs() = 0;
    // Writes the project back and releases it (before the document is deleted).
    virtual void DeleteContents() = 0;
    // Before the project closes: what the views show is stored and the project written. When it
    // cannot be written (or part of it could not be read and the user changed it), the user is
    // told why and chooses to save it under a new name or to close it without the changes;
    // false when the user keeps it open.
    virtual bool WriteBeforeClose() = 0;
    // Before the program ends without the user (a signal, the desktop session ending): as
    // WriteBeforeClose, without asking; what cannot go into the project file goes into a copy
    // beside it or in the data folder, where the document then continues.
    virtual void WriteBeforeEnd() = 0;
    virtual BOOL IsModified() = 0;
    // The path of the project file; empty before a successful open.
    virtual CString GetPathName() const = 0;
    // The title of the project window (the file name).
    virtual CString GetTitle() const = 0;
    // The main frame's answer to WM_USER+60: switch the project window to a study view.
    virtual int ShowStudyView(int tabKind, int viewId) = 0;
    // Whether the project window shows the study views (the View menu's targets).
    virtual bool HasStudyViews() const = 0;
};
