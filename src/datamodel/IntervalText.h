#pragma once
// Text of an interval length as the views, captions and reports show it ("1min 30sec").
#include "platform/framework/CString.h"

CString FormatIntervalText(int seconds);
