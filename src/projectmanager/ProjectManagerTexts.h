#pragma once
// The information texts of the project manager's cards: per session its configuration, its
// times and its origin, per saved screen what the logger recorded about it. Each text is a
// sequence of label and value lines in the multi-font cell syntax: labels in the shared regular
// 11-pixel font, values in the bold 12-pixel font followed by a thin spacer line.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"

class CDataSet;
class CImageSettings;
class CMeasurementConfig;
class CValueFormatter;

class CProjectManagerTexts
{
public:
    // Stands for a value that is not known.
    static constexpr const char* kMissingValue = "- - -";
    // The label of a saved screen's time (the logger's own label for it named a description).
    static constexpr UINT IDS_SCREENSHOT_DATE = 10260;
    static constexpr int kDescriptionLength = 40;

    CProjectManagerTexts();

    CStringW Label(const CString& text) const { return m_labelPrefix + text + "\n"; }
    CStringW Value(const CString& text) const { return m_valuePrefix + text + m_valueSuffix; }
    CStringW Pair(UINT labelId, const CString& value) const;

    CStringW FormatConfigurationText(const CMeasurementConfig& config, const CValueFormatter& formatter) const;
    CStringW FormatTimesText(CDataSet& dataSet) const;
    CStringW FormatOriginText(const CDataSet& dataSet) const;
    // Without an image the labels stand with empty values.
    CStringW FormatSavedScreenText(const CImageSettings* image) const;

    // The logger's description up to its first line break, at most 40 characters.
    static CString FirstLineOfDescription(const CString& description);
    // One line per current probe with a name: "phase, name, range, serial number".
    static CString FormatProbeLines(const CMeasurementConfig& config);

private:
    CStringW m_labelPrefix;
    CStringW m_valuePrefix;
    CStringW m_valueSuffix;
};
