#pragma once
// Turning a picture file of any format the platform reads into a PNG file.
#include "platform/framework/CString.h"

// False (and no target written) when the source cannot be decoded or the target not written.
bool ConvertImageFileToPng(const CString& sourcePath, const CString& targetPath);
