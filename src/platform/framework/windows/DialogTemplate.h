#pragma once
// Dialog templates: the controls of a dialog with their ids, classes, styles, texts and places in
// dialog units. Each template is a JSON file resources/dialogs/<id>.json:
//
//   { "id": 1501, "caption": "Session Settings" or {"string": 10201},
//     "size": [width, height], "style": ["WS_POPUP", "WS_CAPTION", ...],
//     "font": {"size": 8, "face": "MS Shell Dlg"},
//     "controls": [ { "id": 2354, "class": "EDIT", "rect": [x, y, width, height],
//                     "style": ["ES_AUTOHSCROLL", "WS_TABSTOP"], "text": "..." or {"string": id},
//                     "hidden": false, "disabled": false }, ... ] }
//
// Styles are the names of the window and control style constants, or numbers. Controls are
// visible children unless "hidden"; their order is the tab order. A dialog unit is a quarter of
// the dialog font's average character width horizontally and an eighth of its height vertically;
// the framework takes fixed base units (6 x 13 pixels) so that layouts are the same everywhere.
#include "platform/framework/CString.h"
#include "platform/framework/windows/WinDefs.h"

#include <optional>
#include <vector>

struct DialogItemTemplate
{
    UINT id = 0;
    CString className;
    CString text;
    CRect rect; // dialog units: left, top, right, bottom
    DWORD style = 0;
    DWORD exStyle = 0;
};

struct DialogTemplate
{
    UINT id = 0;
    CString caption;
    CSize size; // dialog units
    DWORD style = 0;
    int pointSize = 8;
    CString face;
    std::vector<DialogItemTemplate> items;
};

inline constexpr int kDialogBaseUnitX = 6;
inline constexpr int kDialogBaseUnitY = 13;

// Reads resources/dialogs/<id>.json; nothing (and a log line) when it is missing or malformed.
std::optional<DialogTemplate> LoadDialogTemplate(UINT id);
// Parses the JSON text of a template.
std::optional<DialogTemplate> ParseDialogTemplate(const CString& json);
// Dialog units to pixels.
CRect DialogUnitsToPixels(const CRect& units);
