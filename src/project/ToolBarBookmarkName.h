#pragma once
// The bookmark name field of the study toolbars: an edit control (id 10002) that takes the place
// of toolbar button 33055.
#include "platform/framework/CString.h"

class CWnd;

inline constexpr unsigned kBookmarkNameButton = 33055;
inline constexpr int kBookmarkNameEdit = 10002;

// Puts the text into the bookmark name field of a toolbar of the frame's parent split frame;
// 0, or -1 when there is no such toolbar.
int SetToolBarBookmarkName(CWnd* frame, const CString& text);
