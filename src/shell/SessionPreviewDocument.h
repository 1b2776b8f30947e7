#pragma once
// A stand-in for the project document until that document exists: it opens a ".zlg" session
// read-only and answers its name, and refuses ".zca" projects with the document's message.
// Save and Save As have nothing to write. Replace it by registering the project document in the
// document template (src/app/main.cpp).
#include "shell/IProjectDocument.h"

#include <memory>

class CDataSet;

class CSessionPreviewDocument : public IProjectDocument
{
public:
    CSessionPreviewDocument();
    ~CSessionPreviewDocument() override;

    BOOL OnOpenDocument(const CString& path) override;
    void SaveProject() override;
    void SaveProjectAs() override;
    void DeleteContents() override;
    BOOL IsModified() override { return FALSE; }
    CString GetPathName() const override { return m_path; }
    CString GetTitle() const override;
    int ShowStudyView(int tabKind, int viewId) override;

    // The loaded session; null before a successful open.
    CDataSet* GetDataSet() const { return m_dataSet.get(); }

private:
    std::unique_ptr<CDataSet> m_dataSet;
    CString m_path;
};
