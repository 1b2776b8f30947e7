#pragma once
// The project the view benchmarks measure: four copies of one session of 100,000 one-minute
// records, in a temporary folder that goes when the process ends.
#include <string>

class CRecDoc;

// Readies the window layer in English with progress windows that only record, and opens the
// project into `document`. `name` keeps the benchmarks' folders apart; `demandSeconds` is the
// session's demand interval.
void OpenFourSessionProject(CRecDoc& document, const std::string& name, int demandSeconds);
