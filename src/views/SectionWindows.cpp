#include "views/SectionWindows.h"

ISectionWindows* g_pSectionWindows = nullptr;
