#pragma once
// The description a logger writes into its PNG screenshots: a "Description" text chunk of
// "key=value" lines naming the instrument, its serial number, firmware versions, the creation
// time (UTC) and the logger's UTC offset.
#include <cstdint>

#include "platform/framework/CString.h"
#include "project/ImageSettings.h"

// Screenshots are small; a larger file is not read at all.
inline constexpr std::uint64_t kMaxScreenshotFileBytes = 32u << 20;

// True when exactly six of the known keys were found (each occurrence counts).
bool ParseScreenshotDescription(const CString& description, CImageSettings& image);

// imageTime from the file name, then the "Description" chunks of the file, read without decoding
// the picture. True when the last such chunk held all six keys; false for a file that is not a
// well-formed PNG, is too large, or has no description. File and stream names stay as they were.
bool ReadScreenshotInfo(const CString& path, CImageSettings& image);
