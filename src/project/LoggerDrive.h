#pragma once
// Loggers mounted as drives: each mounted volume that holds the logger's "Zelko4626" folder at
// its root.
#include <vector>

#include "platform/framework/CString.h"

// The folders where the desktop mounts removable volumes for the current user:
// /media/<user>, /run/media/<user> and /mnt.
std::vector<CString> GetVolumeMountFolders();

// Empties the list, then appends <volume>/Zelko4626/ for every volume (a folder directly inside
// one of the mount folders) that holds that folder; the list stays empty when none does.
void FindLoggerDrive(std::vector<CString>& folders);
// The same over the given mount folders.
void FindLoggerDrive(const std::vector<CString>& mountFolders, std::vector<CString>& folders);
