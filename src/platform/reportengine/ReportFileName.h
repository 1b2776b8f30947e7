#pragma once
// The file a report is written to, chosen in the save dialog: its extension tells the format its
// bytes are in, whatever the user typed.
#include "platform/framework/CString.h"

struct SFileDialogRequest;

// The path as typed, with `extension` ("pdf" or "rtf", without its dot) at its end: a name
// ending with another report format's extension gets this one in its place, any other name
// without it gets it added ("report.rtf" -> "report.pdf", "site 3.5 kV" -> "site 3.5 kV.pdf").
CString WithReportExtension(const CString& path, const CString& extension);

// Runs the save dialog of the request and gives the chosen name the request's default extension;
// a name so changed that stands for an existing file is replaced only when the user agrees (the
// dialog asked about the name as typed). False when cancelled or declined.
bool ChooseReportFile(const SFileDialogRequest& request, CString& path);
