#pragma once
// The terms of the figures the tables make of several series, a chunk of a summary walk at a
// time: each record's term is computed for the whole chunk (without a test per record when every
// value is finite), and the terms are then added to their sums side by side, each sum in record
// order: the same sums to the last bit as one record after the other. A record left out gives the
// term 0, which leaves a sum as it is (no sum is ever -0).
#include "datamodel/SeriesSummary.h"

#include <array>
#include <span>

// THD x X and X over the records where both are finite; the others counted as their
// combination's non-finite result.
void ProductTerms(const float* thd, const float* weight, int n, int count, double* products, double* weights,
                  SDerivedSummary& summary);

// |value| over the records with a finite value, for a total plus what its phases (null: none)
// flowing against each other cancelled in it.
void MagnitudeTerms(const float* values, const std::array<const float*, 3>& phases, int n, int count,
                    double* terms, SDerivedSummary& summary);

// Over the records with a finite total apparent power S: Ue^2 and S^2 / (9 Ue^2), Ue^2 made of
// the phase-to-neutral and then the phase-to-phase voltages (null: none), where it is neither 0
// nor NaN.
void EffectiveApparentPowerTerms(const float* apparent, const std::array<const float*, 6>& voltages, int n, int count,
                                 double* squares, double* ratios, SDerivedSummary& summary);

// A power factor's recorded extremes signed by its average, per record: the highest and the
// lowest value the interval had (a reverse interval's |Max| is its lowest); an interval without a
// finite average has no sign to give them and keeps the average.
void SignedExtremeValues(const float* min, const float* max, const float* avg, int n, float* highest, float* lowest);

// Adds terms[k][0 .. count - 1] to *sums[k], in record order, up to four sums side by side.
void AddSideBySide(std::span<double* const> sums, std::span<const double* const> terms, int count);
