// The program: the application object starts with the command line, runs the message loop until
// the main window closes, and ends.
#include "shell/RecDocTemplate.h"
#include "shell/OrnApp.h"

#include <vector>

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
