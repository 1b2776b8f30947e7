#pragma once
// The logger model whose sessions and screenshots the program reads.
inline constexpr char kLoggerInstrumentName[] = "Zelko4626";
