#pragma once
// The project document template: how the shell makes the document of a project. The application
// registers one at start-up; the project window shows the document through its main view.
#include "platform/framework/CString.h"
#include "project/IProjectDocument.h"

#include <functional>
#include <memory>

class CProjectDocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<IProjectDocument>()>;

    // The fields of the template's document string, in their order in the resource string.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    // `docStringsId`: the string resource of the seven document-string fields, separated by
    // line breaks; 0 for none.
    explicit CProjectDocTemplate(DocumentFactory document, UINT docStringsId = 0)
        : m_document(std::move(document)), m_docStringsId(docStringsId)
    {
    }

    std::unique_ptr<IProjectDocument> CreateDocument() const { return m_document(); }
    // One field of the document string; empty when the resource has none.
    CString GetDocString(DocStringIndex index) const;

private:
    DocumentFactory m_document;
    UINT m_docStringsId;
};
