#pragma once
// Fraction 0..1 of the expected samples that must be valid for an aggregated value. The profile
// keeps it as a whole percentage (Settings/CalculationValidRatio), 95 when unset; values outside
// 0..100 are held to that range.
double GetCalculationValidRatio();
