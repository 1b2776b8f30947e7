#pragma once
// Reading back a calendar thumbnail: the uncompressed Windows bitmap that the chart exports.
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"

#include <memory>

class CBitmap;

// The picture of the file; null when the file cannot be read, is no uncompressed bitmap of 1, 4, 8
// bits with a colour table or of 24 or 32 bits, or is shorter than the headers, colour table and
// pixel bits it announces. A picture larger than
// `fit` (when given) is shrunk into it, its proportions kept, each pixel the darkest of those it
// covers, so that one-pixel curves stay unbroken.
std::unique_ptr<CBitmap> ReadThumbnailBitmap(const CString& path, CSize fit = CSize());
