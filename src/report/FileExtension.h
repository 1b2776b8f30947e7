#pragma once
#include "platform/framework/CString.h"

// The extension of the path's last component with its dot ("C:\a\b.zca" -> ".zca"); empty
// when the file name has no dot. A dot in a folder name does not count.
void GetFileExtension(const CString& path, CString& extension);
