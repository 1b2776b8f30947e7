#pragma once
#include "platform/framework/CString.h"

// Removes the zeros after a decimal point and then a bare point ("12.500" -> "12.5",
// "3.000" -> "3"); a text without "." is left as it is.
void TrimTrailingZeros(CString& text);
