#pragma once
// The layout of one project-manager card as data: which grid cells the title, the heading
// buttons, the labels, the editable texts, the information texts and the separators occupy, the
// heights of the body rows and the weights of the columns.
//
// Cell rectangles are given relative to a card. Heading rectangles have row and height -1: one
// starting at column 0 covers grid columns 0 .. width (the left margin included), one starting
// at column c > 0 covers grid columns c + 1 .. c + width. Body rectangles cover grid columns
// c + 1 .. c + width and the card's body rows row .. row + height - 1 (the body starts two rows
// below the heading, after the top spacer).
#include "platform/framework/WinTypes.h"

#include <span>

struct SCardRect
{
    int col = 0;
    int row = -1;
    int width = 1;
    int height = -1;

    bool IsHeading() const { return row < 0; }
};

struct SCardButton
{
    SCardRect rect;
    UINT captionId = 0;
    UINT normalBitmap = 0; // resource ids
    UINT hotBitmap = 0;
    int command = 0;       // the project-manager command the button sends
};

struct SCardLabel
{
    SCardRect rect;
    UINT captionId = 0;
    bool highlighted = false; // drawn on the highlight background
};

struct SCardEdit
{
    SCardRect rect;
    bool multiLine = false;
};

struct SCardLayout
{
    int columnCount = 0;
    int rowsPerSection = 0;
    SCardRect title;
    std::span<const SCardButton> buttons;
    std::span<const SCardLabel> labels;
    std::span<const SCardEdit> edits;
    std::span<const SCardRect> infos;
    std::span<const SCardRect> pictures;
    std::span<const SCardRect> separators;
    std::span<const int> bodyRowHeights;
    // Above 1: a width in pixels; in (0, 1]: a share of what the pixel widths leave; 0: the rest.
    std::span<const double> columnWeights;
};
