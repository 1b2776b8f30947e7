#include "shell/SessionPreviewDocument.h"

#include "datamodel/DataSet.h"
#include "shell/VarnError.h"

#include <glog/logging.h>

#include <filesystem>

namespace {

// The document's "File can not be opened: %s." (string 5500 + 20).
constexpr int kCannotOpenCode = 20;

} // namespace

CSessionPreviewDocument::CSessionPreviewDocument() = default;
CSessionPreviewDocument::~CSessionPreviewDocument() = default;

BOOL CSessionPreviewDocument::OnOpenDocument(const CString& path)
{
    DeleteContents();
    if (path.Right(4).CompareNoCase(".zlg") == 0) {
        auto dataSet = std::make_unique<CDataSet>(nullptr);
        const int result = dataSet->LoadFromFile(path, false);
        if (result == 0) {
            m_dataSet = std::move(dataSet);
            m_path = path;
            LOG(INFO) << "Session " << m_dataSet->GetName().str() << " opened from " << path.str();
            return TRUE;
        }
        LOG(INFO) << "Session " << path.str() << " not loaded, result " << result;
    }
    ShowVarnError(kCannotOpenCode, path);
    return FALSE;
}

void CSessionPreviewDocument::SaveProject()
{
    LOG(INFO) << "Save: a session opened for viewing has nothing to save";
}

void CSessionPreviewDocument::SaveProjectAs()
{
    LOG(INFO) << "Save As: a session opened for viewing has nothing to save";
}

void CSessionPreviewDocument::DeleteContents()
{
    m_dataSet.reset();
    m_path.Empty();
}

CString CSessionPreviewDocument::GetTitle() const
{
    return m_path.IsEmpty() ? CString() : CString(std::filesystem::path(m_path.str()).filename().string());
}

int CSessionPreviewDocument::ShowStudyView(int tabKind, int viewId)
{
    LOG(INFO) << "Study view " << tabKind << "/" << viewId << " asked; a session preview has no study views";
    return 1;
}
