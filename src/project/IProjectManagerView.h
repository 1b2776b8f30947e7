#pragma once
// What the project document asks of the project-manager table view: the session settings
// dialog, renaming a session or saved screen, and keeping its grid states in the project. The
// view implements it beside its window class; the document finds it among its views.
#include "platform/framework/CString.h"

// A renamed item of the project manager.
struct SProjectItemName
{
    static constexpr int kSession = 1;
    static constexpr int kSavedScreen = 2;

    int kind = kSession;
    int index = -1;
    CStringW name;
};

class IProjectManagerView
{
public:
    virtual ~IProjectManagerView() = default;

    // Runs the session settings dialog on a copy of the session's entry and, on OK, stores it,
    // stores the view settings in the project and rebuilds the document's user view settings;
    // the dialog's result.
    virtual int EditSessionSettings(int session) = 0;
    // Renames the item in the view's settings and refreshes the view.
    virtual void SetItemName(const SProjectItemName& item) = 0;
    // Copies the row states of its grids into its settings and stores them in the project.
    virtual void SaveSettings() = 0;
};
