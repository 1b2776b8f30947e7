#pragma once
// The folders the user last took files from, kept in the profile (section "Settings"): sessions
// added from other project archives, and pictures added as saved screens (a separate entry while
// a logger is mounted as a drive, so its folder does not replace the user's own one).
#include "platform/framework/CString.h"

CString GetLastAddDataPath();
// Keeps the folder part of the path; an empty path changes nothing.
void SetLastAddDataPath(const CString& path);
CString GetLastImagePath();
// Keeps the folder part of the picture's path; an empty path changes nothing.
void SetLastImagePath(const CString& path);
