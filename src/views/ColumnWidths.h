#pragma once
// Column widths of the study and project-manager grids from a weight table.
class CUGCtrl;

// Gives columns first..last (at most `count` weights, one per column from `first`) widths that
// add up to `totalWidth`: a weight above 1 is a width in pixels, a weight in (0, 1] a share of
// what the pixel columns leave; the last column without a weight (0) takes the rest, the other
// columns without a weight get 0. Widths never go below 0.
void DistributeColumnWidths(CUGCtrl* grid, int first, int last, int totalWidth, const double* weights, int count);
