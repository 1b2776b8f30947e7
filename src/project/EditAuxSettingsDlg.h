#pragma once
// The modal "Session Settings" dialog the project manager opens for one session. Page 0 corrects
// the scaling of the two auxiliary inputs (gain, offset, unit each) and shows the logged and the
// corrected range of their values; page 1 embeds the energy-cost page. It edits its own copy of
// the values; StoreSettings writes them into a project-manager data-set entry.
#include "platform/framework/windows/CDialog.h"
#include "project/AuxSettingsEditBox.h"
#include "project/EnergyCostsDlg.h"

#include <array>
#include <memory>
#include <vector>

class CMeasurementConfig;
class CRecDoc;
class CValueFormatter;
struct SProjectManagerDataSetEntry;

class CEditAuxSettingsDlg : public CDialog
{
public:
    static constexpr UINT kTemplateId = 1501;
    static constexpr UINT kTabControl = 2028;
    static constexpr UINT kUseLoggedRadio = 2352;
    static constexpr UINT kCorrectionRadio = 2353;
    // Gain, offset and unit edits of Aux1 and Aux2.
    static constexpr UINT kGainEdit[2] = {2354, 2355};
    static constexpr UINT kOffsetEdit[2] = {2356, 2357};
    static constexpr UINT kUnitEdit[2] = {2358, 2359};
    static constexpr UINT kLoggedMax[2] = {2366, 2367};
    static constexpr UINT kLoggedMin[2] = {2370, 2371};
    static constexpr UINT kLoggedUnit[2] = {2372, 2373};
    static constexpr UINT kCorrectedMax[2] = {2381, 2382};
    static constexpr UINT kCorrectedAvg[2] = {2383, 2384};
    static constexpr UINT kCorrectedMin[2] = {2385, 2386};
    static constexpr UINT kCorrectedUnit[2] = {2387, 2388};
    static constexpr UINT kPageFrame = 2398;
    static constexpr UINT kPage0Marker = 2396;
    static constexpr UINT kPage1Marker = 2397;

    // Loads the logged and the user's values and the statistics of both channels. The document
    // may be null (no statistics); the configuration may be null (no logged scaling, no costs).
    CEditAuxSettingsDlg(CRecDoc* document, SProjectManagerDataSetEntry* entry, const CMeasurementConfig* config,
                        int sessionIndex, bool costsOnly, CWnd* parent = nullptr);
    ~CEditAuxSettingsDlg() override;

    void StoreSettings(SProjectManagerDataSetEntry& entry) const;

    bool UsesCorrection() const { return m_useCorrection != 0; }
    bool IsEnergyStudy() const { return !m_notEnergyStudy; }
    int GetShownPage() const { return m_shownPage; }
    CEnergyCostsDlg* GetCostPage() const { return m_costPage.get(); }
    // The scaling the logger recorded with (gain 1, offset 0 without a logger-layout configuration).
    double GetLoggedGain(int channel) const { return m_loggedGain.at(std::size_t(channel)); }
    double GetLoggedOffset(int channel) const { return m_loggedOffset.at(std::size_t(channel)); }
    double GetGain(int channel) const { return m_gain.at(std::size_t(channel)); }
    double GetOffset(int channel) const { return m_offset.at(std::size_t(channel)); }
    // The page the tab control asks for: 1 only for an energy study or with costs only. The
    // focus in the page that goes goes to the tab control.
    void ShowPage(int page);

    // Called by the edit boxes.
    void MoveFocusOnEnter(CWnd* box);
    void OnEditBoxEntered(CWnd* previous);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    struct SStatistics
    {
        float maximum = 0.0f;
        float average = 0.0f;
        float minimum = 0.0f;
    };

    void LoadValues();
    SStatistics ComputeStatistics(DWORD quantity) const;
    CValueFormatter& Formatter() const;
    // Reads one gain or offset: a finite number within single-precision range; a gain whose
    // single-precision value is 0 is refused with its own message.
    void ExchangeNumber(CDataExchange* dx, UINT id, double& value, bool isGain);
    bool ParseNumber(const CString& text, bool isGain, double& value) const;
    // A gain, offset or unit box changed.
    void OnEditChanged(UINT id);
    // Whether the gain and offset boxes of the channel hold numbers they take.
    bool IsScalingAccepted(int channel) const;
    CString FormatAuxValue(float value, double gain, double offset, const CString& unit) const;
    void EnableEdits();
    void ShowLoggedValues();
    void ShowCorrectedValues();

    CRecDoc* m_document;
    SProjectManagerDataSetEntry* m_entry;
    const CMeasurementConfig* m_config;
    int m_sessionIndex;
    BOOL m_useCorrection = FALSE;
    std::array<double, 2> m_loggedGain{1.0, 1.0};
    std::array<double, 2> m_loggedOffset{0.0, 0.0};
    std::array<CString, 2> m_loggedUnit;
    std::array<double, 2> m_gain{1.0, 1.0};
    std::array<double, 2> m_offset{0.0, 0.0};
    std::array<CString, 2> m_unit;
    std::array<SStatistics, 2> m_statistics;
    std::array<CAuxSettingsEditBox, 6> m_editBoxes;
    std::unique_ptr<CEnergyCostsDlg> m_costPage;
    std::unique_ptr<CValueFormatter> m_ownFormatter; // when there is no document
    bool m_notEnergyStudy = true;
    bool m_costsOnly = false;
    int m_shownPage = 0;
    // The controls of page 0 as the template shows them; hidden while page 1 shows, so that Tab
    // goes only through the page the user sees.
    std::vector<CWnd*> m_page0Controls;
    int m_rememberedTop = 0;
    bool m_topRemembered = false;
    // Set while the controls are read, and while a focus entry checks them: the focus moves
    // that a refused value causes must not start another check (and another prompt).
    bool m_exchanging = false;
    bool m_inFocusCheck = false;
};
