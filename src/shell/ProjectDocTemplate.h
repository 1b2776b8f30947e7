#pragma once
// The project document template: how the shell makes the document of a project and the content
// of its project window. The application registers one at start-up; the document and the main
// view it names are replaceable without touching the shell.
#include "platform/framework/windows/CWnd.h"
#include "shell/IProjectDocument.h"

#include <functional>
#include <memory>

class CProjectDocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<IProjectDocument>()>;
    // The content window of the project window for a document; the frame creates it as its child.
    using ViewFactory = std::function<std::unique_ptr<CWnd>(IProjectDocument&)>;

    // The fields of the template's document string, in their order in the resource string.
    enum DocStringIndex { windowTitle, docName, fileNewName, filterName, filterExt, regFileTypeId, regFileTypeName };

    // `docStringsId`: the string resource of the seven document-string fields, separated by
    // line breaks; 0 for none.
    CProjectDocTemplate(DocumentFactory document, ViewFactory view, UINT docStringsId = 0)
        : m_document(std::move(document)), m_view(std::move(view)), m_docStringsId(docStringsId)
    {
    }

    std::unique_ptr<IProjectDocument> CreateDocument() const { return m_document(); }
    std::unique_ptr<CWnd> CreateView(IProjectDocument& document) const { return m_view(document); }
    // One field of the document string; empty when the resource has none.
    CString GetDocString(DocStringIndex index) const;

private:
    DocumentFactory m_document;
    ViewFactory m_view;
    UINT m_docStringsId;
};
