#include "shell/RecDocTemplate.h"

#include "project/RecDoc.h"
#include "shell/SessionPreviewView.h"

std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate()
{
    return std::make_unique<CProjectDocTemplate>(
        [] { return std::make_unique<CRecDoc>(); },
        [](IProjectDocument& document) -> std::unique_ptr<CWnd> {
            auto& project = static_cast<CRecDoc&>(document);
            return std::make_unique<CSessionPreviewView>(project, [&project] { return project.GetFirstDataSet(); });
        });
}
