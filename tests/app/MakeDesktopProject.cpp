// Writes the project of the assembled program's standard sessions (two Energy sessions and one
// Load session) to the path given, for the runs of the real program on a desktop
// (scripts/desktop-check.py, scripts/random-input.py).
#include "shell/AssembledProgram.h"

#include <filesystem>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: make_desktop_project <project.zca>\n";
        return 2;
    }
    std::filesystem::path made;
    {
        CAssembledProgram program;
        made = program.MakeProject("desktop", CAssembledProgram::StandardSessions()).str();
        std::error_code failed;
        std::filesystem::copy_file(made, argv[1], std::filesystem::copy_options::overwrite_existing, failed);
        if (failed) {
            std::cerr << "cannot write " << argv[1] << ": " << failed.message() << "\n";
            return 1;
        }
    }
    return 0;
}
