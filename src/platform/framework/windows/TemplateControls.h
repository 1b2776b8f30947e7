#pragma once
// Private: making the controls of a dialog template inside a window (dialogs, form views,
// dialog bars). The wrappers of the controls are kept by the host window.
#include "platform/framework/windows/DialogTemplate.h"

#include <memory>

class CFont;
class CWnd;

// The template with each date and time picker as wide as the longest text the user's locale
// writes in it (a 12-hour time with its AM or PM, a date with the names of months): a picker that
// is narrower grows, what stands after it on its row moves over by as much, and what holds them
// (a group box, the dialog) grows with them.
DialogTemplate FitPickersToTheirTexts(DialogTemplate dialogTemplate);
// The template's font (its point size at 96 pixels per inch).
std::unique_ptr<CFont> MakeTemplateFont(const DialogTemplate& dialogTemplate);
// Creates every control of the template in the host, in template order, with the font. Returns
// the id of the template's default push button, or IDOK when it has none.
UINT CreateTemplateControls(CWnd& host, const DialogTemplate& dialogTemplate, CFont* font);
