#pragma once
// What the user set up in the project manager for one session: a display name, the auxiliary
// input scaling that replaces the logger's, and the session's energy tariff.
#include <array>

#include "platform/framework/CString.h"
#include "project/AuxChannelSettings.h"
#include "project/EnergyCosts.h"
#include "project/XmlValue.h"

struct SUserSessionSettings
{
    static constexpr int kAuxChannelCount = 2;
    static constexpr int kSecondAuxQuantity = 52;

    CStringW name;
    unsigned studyType = 0;
    CStringW streamName;
    bool auxOverride = false;
    std::array<SAuxChannelSettings, kAuxChannelCount> aux;
    CEnergyCosts energyCosts;
    // Not stored: grows each time a rebuild finds the session's tariff changed or missing.
    unsigned costsChangeCount = 0;

    const SAuxChannelSettings& GetAux(int channel) const { return aux.at(std::size_t(channel)); }
    SAuxChannelSettings& GetAux(int channel) { return aux.at(std::size_t(channel)); }
    bool IsAuxOverridden(int channel) const;
    // Gain 1 and offset 0 unless the quantity's channel (1 for the second aux input, else 0) is
    // overridden.
    void GetAuxScaling(int quantityId, float& gain, float& offset) const;

    void ExportToXml(XmlDocument& doc, XmlNode& parent) const;
    bool ImportFromXml(const XmlNode& node);
};
