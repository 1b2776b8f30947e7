#pragma once
// One session of a project: where it came from, its archive stream and what the project needs
// to know of it without loading it.
#include <array>

#include "datamodel/HighTime.h"
#include "datamodel/IMeasurementOwner.h"
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "project/XmlFields.h"
#include "project/XmlValue.h"

class CMeasurementConfig;

class CMeasurementSettings : public IMeasurementOwner
{
public:
    static constexpr int kScaleFactorCount = 5;  // phases A, B, C, N, G

    CMeasurementSettings();

    const CStringW& GetFileName() const { return m_fileName; }
    void SetFileName(const CStringW& name) { m_fileName = name; }
    const CStringW& GetStreamName() const { return m_streamName; }
    void SetStreamName(const CStringW& name) { m_streamName = name; }
    const CHighTime& GetStartTime() const { return m_startTime; }
    void SetStartTime(const CHighTime& time) { m_startTime = time; }
    const CHighTime& GetEndTime() const { return m_endTime; }
    void SetEndTime(const CHighTime& time) { m_endTime = time; }
    WORD GetStudyType() const { return m_studyType; }
    void SetStudyType(WORD studyType) { m_studyType = studyType; }
    const CStringW& GetDescription() const { return m_description; }
    void SetDescription(const CStringW& text) { m_description = text; }
    const CStringW& GetAppVersion() const { return m_appVersion; }
    void SetAppVersion(const CStringW& text) { m_appVersion = text; }
    const CStringW& GetAppBuild() const { return m_appBuild; }
    void SetAppBuild(const CStringW& text) { m_appBuild = text; }
    float GetCurrentScaleFactor(int phase) const override { return m_currentScaleFactors.at(std::size_t(phase)); }
    void SetCurrentScaleFactor(int phase, float factor) { m_currentScaleFactors.at(std::size_t(phase)) = factor; }

    // The recording's start and end: two consecutive FILETIME values, start first.
    void SetTimesFromRecord(const void* record) override;
    // Study type and description (at most 256 characters) of the session's configuration.
    void SetFromConfigRecord(const CMeasurementConfig& config) override;

    void ExportToXml(XmlDocument& doc, XmlNode& parent) const;
    // True when both the stream name and the file name ended non-empty.
    bool ImportFromXml(const XmlNode& node);

private:
    // The values kept as child elements, in the order they are written.
    static const std::array<SXmlField<CMeasurementSettings>, 8> kXmlFields;

    CStringW m_fileName;
    CStringW m_streamName;
    CHighTime m_startTime;
    CHighTime m_endTime;
    WORD m_studyType = 0;
    CStringW m_description;
    CStringW m_appVersion;
    CStringW m_appBuild;
    std::array<float, kScaleFactorCount> m_currentScaleFactors;
};
