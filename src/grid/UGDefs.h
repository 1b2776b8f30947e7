#pragma once
// Constants shared by the grid control, its cells, data sources and child windows.
#include "platform/framework/WinTypes.h"

// Property bits of a cell's flag word: which properties the cell carries.
inline constexpr DWORD UGCELL_TEXT_SET = 0x00000001; // text and number together
inline constexpr DWORD UGCELL_MASK_SET = 0x00000002;
inline constexpr DWORD UGCELL_LABEL_SET = 0x00000004;
inline constexpr DWORD UGCELL_DATATYPE_SET = 0x00000008;
inline constexpr DWORD UGCELL_PARAM_SET = 0x00000010;
inline constexpr DWORD UGCELL_CELLTYPE_SET = 0x00000020;
inline constexpr DWORD UGCELL_CELLTYPEEX_SET = 0x00000040;
inline constexpr DWORD UGCELL_TEXTCOLOR_SET = 0x00000080;
inline constexpr DWORD UGCELL_BACKCOLOR_SET = 0x00000100;
inline constexpr DWORD UGCELL_HTEXTCOLOR_SET = 0x00000200;
inline constexpr DWORD UGCELL_HBACKCOLOR_SET = 0x00000400;
inline constexpr DWORD UGCELL_BORDERSTYLE_SET = 0x00000800;
inline constexpr DWORD UGCELL_BORDER_SET = 0x00001000; // the border pen
inline constexpr DWORD UGCELL_FONT_SET = 0x00002000;
inline constexpr DWORD UGCELL_BITMAP_SET = 0x00004000;
inline constexpr DWORD UGCELL_ALIGNMENT_SET = 0x00008000;
inline constexpr DWORD UGCELL_EXTRAMEM_SET = 0x00010000;
inline constexpr DWORD UGCELL_JOIN_SET = 0x00020000;
inline constexpr DWORD UGCELL_FORMAT_SET = 0x00200000;
inline constexpr DWORD UGCELL_STYLE_SET = 0x00800000;
inline constexpr DWORD UGCELL_READONLY_SET = 0x01000000;
inline constexpr DWORD UGCELL_NUMBERDEC_SET = 0x02000000;
inline constexpr DWORD UGCELL_DONOT_LOCALIZE = 0x04000000; // number text bypasses the locale's format
inline constexpr DWORD UGCELL_DRAWHINT_SET = 0x08000000;
// What a cleared cell carries: data type, the four colours, alignment and the draw hints.
inline constexpr DWORD UGCELL_CLEARED_FLAGS = 0x08008788;

// Data types of a cell.
inline constexpr WORD UGCELLDATA_STRING = 1;
inline constexpr WORD UGCELLDATA_NUMBER = 2;
inline constexpr WORD UGCELLDATA_NUMERIC = 3; // text that sorts by its number
inline constexpr WORD UGCELLDATA_TIME = 4;
inline constexpr WORD UGCELLDATA_CURRENCY = 5;

// Alignment bits.
inline constexpr WORD UG_ALIGNLEFT = 1;
inline constexpr WORD UG_ALIGNRIGHT = 2;
inline constexpr WORD UG_ALIGNCENTER = 4;
inline constexpr WORD UG_ALIGNTOP = 8;
inline constexpr WORD UG_ALIGNBOTTOM = 16;
inline constexpr WORD UG_ALIGNVCENTER = 32;

// Border bits used by the program.
inline constexpr WORD UG_BDR_RECESSED = 4096;
inline constexpr WORD UG_BDR_RAISED = 8192;

// Draw hint bits of heading cells.
inline constexpr DWORD UG_DRAWHINT_DEFAULT = 16;
inline constexpr DWORD UG_DRAWHINT_LASTHDGROW = 32;
inline constexpr DWORD UG_DRAWHINT_LASTHDGCOL = 64;
inline constexpr DWORD UG_DRAWHINT_HEADING = 128;

// Sections of the control.
inline constexpr int UG_GRID = 1;
inline constexpr int UG_TOPHEADING = 2;
inline constexpr int UG_SIDEHEADING = 3;
inline constexpr int UG_CORNERBUTTON = 4;
inline constexpr int UG_HSCROLL = 5;
inline constexpr int UG_VSCROLL = 6;
inline constexpr int UG_TAB = 7;

// Child window ids.
inline constexpr UINT UG_ID_GRID = 1;
inline constexpr UINT UG_ID_TOPHDG = 2;
inline constexpr UINT UG_ID_SIDEHDG = 3;
inline constexpr UINT UG_ID_CNRBTN = 4;
inline constexpr UINT UG_ID_TAB = 5;
inline constexpr UINT UG_ID_VSCROLL = 6;
inline constexpr UINT UG_ID_HSCROLL = 7;
inline constexpr UINT UG_ID_EDIT = 123;
inline constexpr UINT UG_ID_MASKEDIT = 124;

// Result codes of grid operations.
inline constexpr int UG_SUCCESS = 0;
inline constexpr int UG_ERROR = 1;
inline constexpr int UG_NA = -1;

// Sort flags.
inline constexpr int UG_SORT_ASCENDING = 1;
inline constexpr int UG_SORT_DESCENDING = 2;

// Find flags.
inline constexpr int UG_FIND_PARTIAL = 1;
inline constexpr int UG_FIND_CASEINSENSITIVE = 2;
inline constexpr int UG_FIND_UP = 4;
inline constexpr int UG_FIND_ALLCOLUMNS = 8;

// Selection modes.
inline constexpr int UG_MULTISELECT_OFF = 0;
inline constexpr int UG_MULTISELECT_CELL = 1;
inline constexpr int UG_MULTISELECT_ROW = 2;
inline constexpr int UG_MULTISELECT_NODESELECT = 16; // the first block containing a cell decides

// Why the current cell moves, recorded in the sheet before a navigation call.
inline constexpr int UG_MOVE_KEY = 0;
inline constexpr int UG_MOVE_LBUTTON = 1;
inline constexpr int UG_MOVE_RBUTTON = 2;
inline constexpr int UG_MOVE_DRAG = 3;
inline constexpr int UG_MOVE_SCROLL = 4;

// Directions of MoveDragCol / MoveDragRow / MoveLeftCol / MoveTopRow.
inline constexpr int UG_LINEUP = 0;
inline constexpr int UG_LINEDOWN = 1;
inline constexpr int UG_PAGEUP = 2;
inline constexpr int UG_PAGEDOWN = 3;
inline constexpr int UG_TOP = 4;
inline constexpr int UG_BOTTOM = 5;

// The private message that passes a value to a cell type: word parameter the type's index.
inline constexpr UINT UG_MSG_CELLTYPE = 0x0400 + 100;
