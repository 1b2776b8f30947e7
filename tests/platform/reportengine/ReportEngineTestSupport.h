#pragma once
// A data set over fixed rows, an event sink that records what it is told and fills pictures,
// and a template written into a temporary folder.
#include "platform/reportengine/ReportEngine.h"
#include "platform/reportengine/ReportObjects.h"
#include "support/TempFolder.h"

#include <QImage>

#include <map>
#include <string>
#include <vector>

class CRowsDataSet : public IUserDataSetEvents
{
public:
    explicit CRowsDataSet(std::vector<std::map<CString, CString>> rows) : m_rows(std::move(rows)) {}

    bool GetValue(const CString& column, CString& value) override
    {
        if (m_row < 0 || m_row >= int(m_rows.size()))
            return false;
        auto found = m_rows[std::size_t(m_row)].find(column);
        if (found == m_rows[std::size_t(m_row)].end())
            return false;
        value = found->second;
        return true;
    }
    bool Eof() override { return m_row >= int(m_rows.size()); }
    void First() override { m_row = 0; }
    void Next() override { ++m_row; }
    void Prior() override { --m_row; }

private:
    std::vector<std::map<CString, CString>> m_rows;
    int m_row = 0;
};

class CRecordingEvents : public IReportEvents
{
public:
    void OnBeforePrint(CReportComponent& component) override
    {
        calls.push_back("before " + component.GetName().str());
        auto picture = pictures.find(component.GetName());
        if (picture != pictures.end())
            component.LoadPicture(picture->second);
    }
    void OnAfterPrint(CReportComponent& component) override { calls.push_back("after " + component.GetName().str()); }
    void OnUserFunction(const CString& name, const std::vector<CString>& arguments, CString& result) override
    {
        result = name + ":" + (arguments.empty() ? CString() : arguments.front());
    }

    std::vector<std::string> calls;
    std::map<CString, CString> pictures;
};

// A report with a logo in its page header, page numbers in its footer, a title, and a table
// of the "Rows" data set with a header and a child band per row.
inline const char* kTableTemplate = R"(<?xml version="1.0" encoding="UTF-8"?>
<report>
  <page width="210" height="297" left="20" top="10" right="10" bottom="10"/>
  <pageheader name="Header" height="20">
    <picture name="PictureLogo" left="0" top="0" width="40" height="15"/>
    <memo name="MemoTitle" left="50" top="0" width="130" height="8" size="14" bold="1">[Title]</memo>
  </pageheader>
  <pagefooter name="Footer" height="8">
    <memo name="MemoPage" left="130" top="1" width="50" height="6" align="right">Page [Page#] of [TotalPages#]</memo>
  </pagefooter>
  <title name="ReportTitle" height="12">
    <memo name="MemoNotes" left="0" top="0" width="180" height="6" stretch="1">[Notes]</memo>
    <memo name="MemoHidden" left="0" top="6" width="180" height="6">Hidden text</memo>
  </title>
  <data name="MasterRows" dataset="Rows" height="6">
    <header name="HeaderRows" height="6"><memo left="0" top="0" width="60" height="6" bold="1">Name heading</memo></header>
    <memo name="MemoName" left="0" top="0" width="60" height="6">[Rows."Name"]</memo>
    <memo name="MemoValue" left="60" top="0" width="60" height="6">[Rows."Value"]</memo>
    <child name="ChildRemark" height="5" showif="Remarks"><memo left="0" top="0" width="100" height="5">remark</memo></child>
  </data>
</report>
)";

inline std::string WriteTemplate(const CTempFolder& folder, const std::string& name, const std::string& text)
{
    std::string path = folder.Path(name);
    WriteFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
    return path;
}

inline std::vector<std::map<CString, CString>> NumberedRows(int count)
{
    std::vector<std::map<CString, CString>> rows;
    for (int i = 1; i <= count; ++i)
        rows.push_back({{"Name", CString::Formatted("Row %d", i)}, {"Value", CString::Formatted("%d V", i * 10)}});
    return rows;
}

inline std::string WriteLogo(const CTempFolder& folder)
{
    QImage logo(200, 80, QImage::Format_RGB32);
    logo.fill(QColor(30, 80, 160));
    std::string path = folder.Path("logo.png");
    logo.save(QString::fromStdString(path), "PNG");
    return path;
}

// All memo texts of the pages, in print order.
inline std::vector<std::string> MemoTexts(const std::vector<SPreparedPage>& pages)
{
    std::vector<std::string> texts;
    for (const auto& page : pages)
        for (const auto& band : page.bands)
            for (const auto& item : band.items)
                if (item.kind == CReportComponent::EKind::kMemo)
                    texts.push_back(item.text.str());
    return texts;
}
