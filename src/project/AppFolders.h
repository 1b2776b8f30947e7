#pragma once
// The application's folders for its own data.
#include "platform/framework/CString.h"

// The names the profile and the data folder go by; the application object names them too.
inline constexpr const char* kAppRegistryKey = "Zelko Power Quality";
inline constexpr const char* kAppProductName = "Zelko Ampelon";

// The application data folder, ending with "/": the installation value Settings/DataDir when
// one is given, else $XDG_DATA_HOME (or ~/.local/share) / <registry key> / <application name>.
CString GetAppDataFolder();
// The data folder followed by "Download/" (a folder path that a file name can follow, as the
// save dialog of a new project's initial name does); created when missing.
CString GetDownloadFolder();
// The data folder followed by the reports folder of string 8035 ("\Reports\" with the separators
// of this system), where exported reports are offered to go; created when missing.
CString GetReportsFolder();
