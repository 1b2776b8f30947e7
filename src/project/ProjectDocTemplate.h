#pragma once
// The project document template: how the shell makes the document of a project. The application
// registers one at start-up; the project window shows the document through its main view.
#include "project/IProjectDocument.h"

#include <functional>
#include <memory>

class CProjectDocTemplate
{
public:
    using DocumentFactory = std::function<std::unique_ptr<IProjectDocument>()>;
    explicit CProjectDocTemplate(DocumentFactory document) : m_document(std::move(document)) {}

    std::unique_ptr<IProjectDocument> CreateDocument() const { return m_document(); }

private:
    DocumentFactory m_document;
};
