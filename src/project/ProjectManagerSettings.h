#pragma once
// Settings of the project manager view: the user's texts of the project summary, of each
// session (with its aux scaling and energy tariff overrides) and of each saved screen.
#include <array>
#include <memory>
#include <vector>

#include "platform/framework/CString.h"
#include "project/AuxChannelSettings.h"
#include "project/EnergyCosts.h"
#include "project/ViewSettings.h"

struct SProjectManagerSummaryEntry
{
    int Collapsed = 0;
    CStringW Client;
    CStringW Location;
    CStringW Description;

    friend bool operator==(const SProjectManagerSummaryEntry&, const SProjectManagerSummaryEntry&) = default;
};

struct SProjectManagerDataSetEntry
{
    int Collapsed = 0;
    CStringW Name;
    CStringW Description;
    CStringW Notes;
    bool AuxOverride = false;
    std::array<SAuxChannelSettings, 2> auxData;
    CEnergyCosts energyCosts;

    friend bool operator==(const SProjectManagerDataSetEntry&, const SProjectManagerDataSetEntry&) = default;
};

struct SProjectManagerSavedScreenEntry
{
    int Collapsed = 0;
    CStringW Name;
    CStringW Notes;

    friend bool operator==(const SProjectManagerSavedScreenEntry&, const SProjectManagerSavedScreenEntry&) = default;
};

class CProjectManagerSettings : public CViewSettings
{
public:
    explicit CProjectManagerSettings(int viewId = kProjectManagerViewId) : CViewSettings(viewId) {}
    CProjectManagerSettings(const CProjectManagerSettings&) = default;
    CProjectManagerSettings& operator=(const CProjectManagerSettings&) = default;

    ESettingsType GetType() const override { return kProjectManager; }
    std::unique_ptr<CViewSettings> Clone() const override;
    // Writes nothing while the settings are not present.
    void ExportToXml(const char* name, XmlDocument& doc, XmlNode& parent) const override;
    bool ImportFromXml(const XmlNode* element) override;
    // Every field from another project-manager settings object; anything else only clears the
    // present flag.
    void CopyFrom(const CViewSettings* other);

    // Null or empty text when i is outside the list.
    SProjectManagerDataSetEntry* GetDataSetEntry(int i);
    const SProjectManagerDataSetEntry* GetDataSetEntry(int i) const;
    CStringW GetDataSetName(int i) const;
    CStringW GetSavedScreenName(int i) const;
    // False, changing nothing, when i is outside the list.
    bool RemoveDataSetEntry(int i);
    bool RemoveSavedScreenEntry(int i);

    // The auxData children of an owner, one per channel whose override flag is set.
    static void ExportAuxSettings(const SAuxChannelSettings* settings, int count, XmlDocument& doc, XmlNode& parent);
    // One auxData element into the channel its index names (0..count-1); sets its override flag.
    static bool ImportAuxSetting(SAuxChannelSettings* settings, int count, const XmlNode& element);

    std::vector<SProjectManagerSummaryEntry> m_summary;
    std::vector<SProjectManagerDataSetEntry> m_dataSets;
    std::vector<SProjectManagerSavedScreenEntry> m_savedScreens;

private:
    bool ImportProjectManagerSummaryTablesFromXml(const XmlNode* node);
    bool ImportProjectManagerDataSetTablesFromXml(const XmlNode* node);
    bool ImportProjectManagerSavedScreenTablesFromXml(const XmlNode* node);
};
