#pragma once
// The text of a field of one line: each run of line breaks (CR, LF) in it becomes one space, so
// that lines pasted into the field, or stored with breaks, stay whole on its one line.
#include "platform/framework/CString.h"

CString OneLineText(const CString& text);
