#pragma once
// One saved screen of a project: a screenshot of the logger stored as an archive stream.
#include "datamodel/HighTime.h"
#include "platform/framework/CString.h"
#include "project/XmlValue.h"

class CImageSettings
{
public:
    CStringW fileName;
    CStringW streamName;
    CHighTime imageTime;
    int utcOffset = 0;
    CStringW instrument;
    CStringW instrumentCpu;
    CStringW instrumentDsp;
    CStringW serialNumber;

    bool HasSerialNumber() const { return !serialNumber.IsEmpty(); }

    void ExportToXml(XmlDocument& doc, XmlNode& parent) const;
    // True when both the stream name and the file name ended non-empty.
    bool ImportFromXml(const XmlNode& node);
};
