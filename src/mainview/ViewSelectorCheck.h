#pragma once
// The view-selector check: marks a command's button, exclusively, in the view selector (toolbar
// 0 of the top section's frame) of every top section of a study that exists.
#include "platform/framework/WinTypes.h"

struct SMainViewLayout;

void MarkEnergyViewSelectors(const SMainViewLayout& layout, UINT command);
void MarkLoadViewSelectors(const SMainViewLayout& layout, UINT command);
