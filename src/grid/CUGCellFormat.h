#pragma once
// A cell's format object: when a cell names one, the control lets it adjust the cell it
// assembled for display.
class CUGCell;

class CUGCellFormat
{
public:
    virtual ~CUGCellFormat() = default;
    virtual void ApplyDisplayFormat(CUGCell* cell) = 0;
};
