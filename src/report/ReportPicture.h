#pragma once
// Pictures a report fills in while it prints: each produces a temporary image file for the
// picture object of its name in the template.
#include "platform/framework/CString.h"

#include <memory>
#include <vector>

class CZcaArchive;

class CReportPicture
{
public:
    explicit CReportPicture(const CString& name) : m_name(name) {}
    virtual ~CReportPicture() = default;

    const CString& GetName() const { return m_name; }
    // Produces the file and returns its path.
    virtual CString GetFile() = 0;
    // Called once the file was handed to the engine.
    virtual void Release() = 0;

protected:
    CString m_path;

private:
    CString m_name;
};

// An image stream of the project archive. PNG, BMP and JPEG streams are copied as they are;
// any other picture is converted to PNG.
class CReportPictureZca : public CReportPicture
{
public:
    CReportPictureZca(const CString& name, const CString& streamName, CZcaArchive* archive)
        : CReportPicture(name), m_streamName(streamName), m_archive(archive)
    {
    }

    // The path even when the file could not be produced: the engine then finds no file.
    CString GetFile() override;
    void Release() override {}

private:
    CString m_streamName;
    CZcaArchive* m_archive;
};

using CReportPictureList = std::vector<std::unique_ptr<CReportPicture>>;
