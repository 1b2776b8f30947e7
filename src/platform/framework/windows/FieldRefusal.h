#pragma once
// Private: the message that refuses what was typed into a field (a number out of its range, a
// date not in the calendar). It shows once the handler that read the field (a lost focus, an edit
// that ends, a key) has returned, so that no box opens while the focus is moving; the field then
// takes the focus back. A second refusal before it shows replaces the first: one box.
#include "platform/framework/CString.h"

class QWidget;

void TellRefusalLater(const CString& text, QWidget* field);
// A dialog confirmed while the refusal of one of its fields waits (the field was refused as the
// focus left it for the OK button) tells it now and stays open; true when it had one.
bool TellWaitingRefusalNow(const QWidget* dialog);
