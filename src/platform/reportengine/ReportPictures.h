#pragma once
// The pictures of one report, decoded once: a logo printed on every page, or one file printed by
// several bands, is decoded the first time and shared after (a shared image is also written once
// into a PDF). Pictures are told apart by their bytes, so a file written anew between two prints
// shows its new picture.
#include "platform/framework/CString.h"

#include <QImage>

#include <string>
#include <unordered_map>

class CReportPictures
{
public:
    // Throws CReportEngineError when the file cannot be read as an image.
    QImage Load(const CString& path);
    // A new report decodes anew.
    void Clear() { m_decoded.clear(); }

private:
    std::unordered_map<std::string, QImage> m_decoded; // by the file's bytes
};
