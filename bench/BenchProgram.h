#pragma once
// The whole program, started on a project made from a one-minute session as a user starts it
// (the start and page benchmarks): scratch settings, data and runtime folders, offscreen windows.
#include "platform/framework/WinTypes.h"

#include <string>

class CMainView;
class CRecDoc;

// The program's settings, data and runtime folders in a scratch folder of this process.
void UseScratchHome();

// A project (".zca") holding MinuteSessionFile(records, studyType), made once per size and
// study; removed when the process ends.
const std::string& MinuteSessionProject(int records, int studyType = 1);

// A project of four copies of the session of MinuteSessionProject(records), made once per size.
const std::string& FourSessionProject(int records);

// Starts the program on the project up to an idle window; false when it did not open.
bool StartProgramOn(const std::string& project);
void EndProgram();

CRecDoc* ProgramDocument();
CMainView* ProgramMainView();
// A menu command of the main window, or a message to it; the waiting events run afterwards (the
// paint among them).
void ProgramCommand(UINT id);
void ProgramMessage(UINT message, WPARAM wParam, LPARAM lParam);
