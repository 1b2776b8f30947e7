#pragma once
// Error codes of the data and communication layers shown to the user.

// Shows an exclamation box with string 5500 + code formatted with `argument` (empty text when
// null); when that string is missing, the generic text of the code's range (below 20, 20..39,
// 40..59, from 60: strings 5690..5693) formatted with the code. Returns the box's answer.
int ShowVarnError(int code, const char* argument = nullptr);
