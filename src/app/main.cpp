// The program: the application object starts with the command line, runs the message loop until
// the main window closes, and ends.
#include "project/RecDoc.h"
#include "shell/OrnApp.h"
#include "shell/SessionPreviewView.h"

#include <memory>
#include <vector>

namespace {

// The project document template: the project document, shown by the session preview page
// until the study views and the main view take its place.
std::unique_ptr<CProjectDocTemplate> CreateRecDocTemplate()
{
    return std::make_unique<CProjectDocTemplate>(
        [] { return std::make_unique<CRecDoc>(); },
        [](IProjectDocument& document) -> std::unique_ptr<CWnd> {
            auto& project = static_cast<CRecDoc&>(document);
            return std::make_unique<CSessionPreviewView>(project, [&project] { return project.GetFirstDataSet(); });
        });
}

} // namespace

int main(int argc, char** argv)
{
    COrnApp& app = COrnApp::Instance();
    app.SetDocTemplate(CreateRecDocTemplate());
    const std::vector<CString> arguments(argv + 1, argv + argc);
    if (!app.InitInstance(arguments)) {
        app.ExitInstance();
        return 1;
    }
    app.Run();
    return app.ExitInstance();
}
