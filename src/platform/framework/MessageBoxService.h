#pragma once
// Message boxes in the framework's shape: AfxMessageBox with a text or a string id and the MB_
// flags, answering IDOK, IDYES and so on. What shows the box is a replaceable handler: the
// window layer installs one that opens a dialog, tests install one that records the box; without
// either the box is only logged and answered with IDOK.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

#include <functional>

// Buttons.
inline constexpr UINT MB_OK = 0x0;
inline constexpr UINT MB_OKCANCEL = 0x1;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
inline constexpr UINT MB_YESNOCANCEL = 0x3;
inline constexpr UINT MB_YESNO = 0x4;
inline constexpr UINT MB_RETRYCANCEL = 0x5;
inline constexpr UINT MB_TYPEMASK = 0xF;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x10;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONQUESTION = 0x20;
inline constexpr UINT MB_ICONEXCLAMATION = 0x30;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONASTERISK = 0x40;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0xF0;
// Default button.
inline constexpr UINT MB_DEFBUTTON1 = 0x000;
inline constexpr UINT MB_DEFBUTTON2 = 0x100;
inline constexpr UINT MB_DEFBUTTON3 = 0x200;
inline constexpr UINT MB_DEFMASK = 0xF00;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// Shows one box (text, MB_ flags) and returns the answer.
using MessageBoxHandler = std::function<int(const CString& text, UINT type)>;

// Installs the handler that shows boxes from now on and returns the one it replaces; an empty
// handler brings back the default (log only, answer IDOK).
MessageBoxHandler SetMessageBoxHandler(MessageBoxHandler handler);

// Every box is logged with its text before it is shown. `helpId` is accepted for the
// framework's shape; this program has no context help in boxes.
int AfxMessageBox(const char* text, UINT type = MB_OK, UINT helpId = 0);
// The text is the string-table entry `promptId` (empty, and logged, when the table has none).
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));
