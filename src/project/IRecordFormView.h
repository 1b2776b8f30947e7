#pragma once
// What the project document asks of a record form view (the study, project-manager and report
// views): which view's settings it shows, and to keep a copy of them in a project. The views
// implement it beside their window class; the document finds them among its views.
class CProjectSettings;

class IRecordFormView
{
public:
    virtual ~IRecordFormView() = default;

    // The view id of the settings the view shows (its settings kind).
    virtual int GetSettingsKind() const = 0;
    // Stores a clone of the view's current settings (brought up to date first) at its view id in
    // the project, or in its document's project when null; the entry it replaces is deleted.
    virtual void SaveViewSettings(CProjectSettings* project) = 0;
};
