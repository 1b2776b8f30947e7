#pragma once
// The interval lengths offered beside the date and time pickers: nine rows of text string id,
// length and length in days; choice 9 is an individual length.
#include "datamodel/HighTime.h"

#include <array>

struct SIntervalChoice
{
    unsigned textId;
    CHighTimeSpan length;
    double days;
};

inline constexpr int kIntervalChoiceCount = 9;
inline constexpr int kIndividualInterval = 9;

const std::array<SIntervalChoice, kIntervalChoiceCount>& GetIntervalChoices();
// The choice whose length is `days` within one second; kIndividualInterval when none is.
int FindIntervalChoice(double days);
