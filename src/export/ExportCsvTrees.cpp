#include "export/ExportCsvTrees.h"

namespace {

constexpr SExportTreeRow kTrendTree[] = {
    {0, "ALL", -1},
    {1, "Voltage", 0},
    {1, "Current", 1},
    {1, "THD Volts", 29},
    {1, "THD Amps", 30},
    {1, "Frequency", 2},
    {1, "Active Power", -2},
    {2, "Active Power (full bandwidth)", 5},
    {2, "Active Power (fundamental)", 20},
    {1, "Reactive Power", -3},
    {2, "Non-active Power (full bandwidth)", 7},
    {2, "Reactive Power (fundamental)", 22},
    {1, "Apparent Power", -4},
    {2, "Apparent Power (full bandwidth)", 6},
    {2, "Apparent Power (fundamental)", 21},
    {1, "Power Factor", -5},
    {2, "Power Factor (full bandwidth)", 8},
    {2, "Cos PHI (fundamental)", 9},
    {1, "Active Energy", -6},
    {2, "Active Energy", 41},
    {2, "Forward, total", 48},
    {2, "Reverse, total", 49},
    {1, "Non-active Energy (IEEE1459)", 43},
    {1, "Apparent Energy (IEEE1459)", 42},
    {1, "Aux", kExportTreeBothAux},
};

constexpr SExportTreeRow kDemandTree[] = {
    {0, "ALL", -1},
    {1, "Voltage", 0},
    {1, "Current", 1},
    {1, "Active Energy", -2},
    {2, "Active Energy", 41},
    {2, "Forward, total", 48},
    {2, "Reverse, total", 49},
    {1, "Non-active Energy", 43},
    {1, "Apparent Energy (Arithmetic)", 42},
};

} // namespace

std::span<const SExportTreeRow> TrendExportTree()
{
    return kTrendTree;
}

std::span<const SExportTreeRow> DemandExportTree()
{
    return kDemandTree;
}
