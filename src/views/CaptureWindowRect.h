#pragma once
// Pictures of a part of the main window: the copy-to-clipboard command of the study sections.
#include "platform/framework/CString.h"
#include "platform/framework/windows/Geometry.h"

enum ECaptureTarget : unsigned { kCaptureToClipboard = 1, kCaptureToFile = 2 };

// Draws the main window as it is shown and cuts out the rectangle (main-window client
// coordinates, held to the client area). kCaptureToClipboard puts the bitmap on the clipboard;
// kCaptureToFile writes it as a PNG file in the temporary folder and returns the file's path in
// `fileName`. FALSE without a main window, for an empty rectangle, or when a target fails.
BOOL CaptureWindowRect(const CRect& rect, unsigned flags, CString* fileName);
