#pragma once
// strftime over UTF-8 text with the conventions the program's formats were written for: the
// flag "#" drops leading zeros of numeric fields, and only the conversions of that convention are
// accepted; anything else fails, as the wide strftime of the original platform does.
#include "platform/framework/CString.h"

#include <ctime>

// The result must fit a 128-unit wide buffer with its terminator. False (and an empty result)
// for an unknown conversion, a dangling "%", or a result that is empty or too long.
bool FormatBrokenDownTime(const CString& format, const std::tm& tm, CString& result);
