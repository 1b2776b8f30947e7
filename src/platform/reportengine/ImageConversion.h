#pragma once
// Turning a picture of any format the platform reads into a PNG file.
#include "platform/framework/CString.h"

#include <string>

// False (and no complete target) when the bytes cannot be decoded or the target not written.
bool ConvertImageToPng(const std::string& imageBytes, const CString& targetPath);
