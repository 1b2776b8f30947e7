// Reading and writing "project.xml".
#include <algorithm>
#include <iterator>
#include <vector>

#include <glog/logging.h>
#include <rapidxml/rapidxml_print.hpp>

#include "datamodel/IDataStream.h"
#include "project/BasicViewSettings.h"
#include "project/ProjectManagerSettings.h"
#include "project/ProjectSettings.h"
#include "project/ReportViewSettings.h"
#include "project/ViewTableLookup.h"
#include "project/XmlReaders.h"
#include "platform/framework/XmlNestingDepth.h"

namespace
{
constexpr std::size_t kWriteChunk = 4096;
// A parse error names where it happened; a short excerpt is enough to find the place.
constexpr std::size_t kErrorExcerpt = 200;

bool IsElement(const XmlNode& node)
{
    return node.type() == rapidxml::node_element;
}
} // namespace

EProjectLoadResult CProjectSettings::LoadFromStream(IDataStream& stream)
{
    const std::uint64_t length = stream.GetLength();
    if (length > kMaxDocumentBytes)
    {
        LOG(INFO) << "CProjectSettings::LoadFromStream - WARNING: project.xml of " << length
                  << " bytes exceeds the limit of " << kMaxDocumentBytes << " bytes; not read.";
        m_loadImperfect = true;
        return EProjectLoadResult::kUnreadable;
    }
    std::string bytes(std::size_t(length), '\0');
    const std::int64_t read = stream.Seek(0) ? stream.Read(bytes.data(), bytes.size()) : -1;
    if (read < 0)
    {
        LOG(INFO) << "CProjectSettings::LoadFromStream - WARNING: project.xml cannot be read.";
        m_loadImperfect = true;
        return EProjectLoadResult::kUnreadable;
    }
    bytes.resize(std::size_t(read));
    return LoadFromBytes(bytes);
}

EProjectLoadResult CProjectSettings::LoadFromBytes(std::string_view bytes)
{
    if (bytes.size() > kMaxDocumentBytes)
    {
        LOG(INFO) << "CProjectSettings::LoadFromStream - WARNING: project.xml of " << bytes.size()
                  << " bytes exceeds the limit of " << kMaxDocumentBytes << " bytes; not read.";
        m_loadImperfect = true;
        return EProjectLoadResult::kUnreadable;
    }
    if (MeasureXmlNestingDepth(bytes, kMaxNestingDepth) > kMaxNestingDepth)
    {
        LOG(INFO) << "CProjectSettings::LoadFromStream - WARNING: project.xml nests elements deeper than "
                  << kMaxNestingDepth << " levels; not read.";
        m_loadImperfect = true;
        return EProjectLoadResult::kUnreadable;
    }
    // The parser works in place and needs the text zero-terminated.
    std::vector<char> buffer(bytes.begin(), bytes.end());
    buffer.push_back('\0');
    XmlDocument doc;
    try
    {
        doc.parse<rapidxml::parse_validate_closing_tags>(buffer.data());
    }
    catch (const rapidxml::parse_error& error)
    {
        const char* where = error.where<char>();
        const std::size_t available = std::size_t(buffer.data() + buffer.size() - 1 - where);
        LOG(INFO) << "CProjectSettings::ImportFromXml parse exception (what=" << error.what()
                  << "; where=" << std::string_view(where, std::min(available, kErrorExcerpt)) << ").";
        m_loadImperfect = true;
        return EProjectLoadResult::kUnreadable;
    }
    const bool wasImperfect = m_loadImperfect;
    m_loadImperfect = false;
    ImportFromXml(doc);
    const bool dropped = m_loadImperfect;
    m_loadImperfect = wasImperfect || dropped;
    if (dropped)
        LOG(INFO) << "CProjectSettings::LoadFromStream - WARNING: entries of project.xml were not understood; "
                     "streams the project does not name are kept.";
    return dropped ? EProjectLoadResult::kImperfect : EProjectLoadResult::kComplete;
}

std::string CProjectSettings::SaveToBytes() const
{
    XmlDocument doc;
    ExportToXml(doc);
    std::string text;
    rapidxml::print(std::back_inserter(text), doc);
    return text;
}

bool CProjectSettings::SaveToStream(IDataStream& stream) const
{
    const std::string text = SaveToBytes();
    for (std::size_t at = 0; at < text.size(); at += kWriteChunk)
        if (!stream.Write(text.data() + at, std::min(kWriteChunk, text.size() - at)))
            return false;
    return true;
}

void CProjectSettings::ExportToXml(XmlDocument& doc) const
{
    XmlNode* declaration = doc.allocate_node(rapidxml::node_declaration);
    doc.append_node(declaration);
    XmlAppendAttribute(doc, *declaration, "version", "1.0");
    XmlAppendAttribute(doc, *declaration, "encoding", "UTF-8");

    XmlNode* project = XmlAppendElement(doc, doc, "project");
    XmlNode* measurements = XmlAppendElement(doc, *project, "measurements");
    for (const auto& measurement : m_measurements)
        measurement->ExportToXml(doc, *measurements);
    XmlNode* images = XmlAppendElement(doc, *project, "images");
    for (const auto& image : m_images)
        image->ExportToXml(doc, *images);
    XmlNode* bookmarks = XmlAppendElement(doc, *project, "bookmarks");
    for (const auto& bookmark : m_bookmarks)
        bookmark->ExportToXml(doc, *bookmarks);
    ExportUserSettings(doc, *project);
    XmlNode* views = XmlAppendElement(doc, *project, "views");
    for (int id = 0; id < CViewSettings::kViewCount; ++id)
        if (const CViewSettings* settings = m_viewSettings[std::size_t(id)].get())
            settings->ExportToXml(CViewSettings::GetViewElementName(id), doc, *views);
}

// Written whenever any of its four values is set, so that the last views of the two studies
// survive a project whose other user settings are unset.
void CProjectSettings::ExportUserSettings(XmlDocument& doc, XmlNode& project) const
{
    const char* lastViewName = m_lastView != -1 ? CViewSettings::GetViewName(m_lastView) : nullptr;
    if (m_maxDemandLoadCurrent == 0.0 && !lastViewName && m_energyStudyLastView == -1 && m_loadStudyLastView == -1)
        return;
    XmlNode* node = XmlAppendElement(doc, project, "userSettings");
    if (m_maxDemandLoadCurrent != 0.0)
        XmlAppendElement(doc, *node, "maxDemandLoadCurrent", XmlFromDouble(doc, m_maxDemandLoadCurrent));
    if (lastViewName)
        XmlAppendElement(doc, *node, "lastView", lastViewName);
    if (m_energyStudyLastView != -1)
        XmlAppendElement(doc, *node, "EnergyStudy_LastView", XmlFromInt(doc, m_energyStudyLastView));
    if (m_loadStudyLastView != -1)
        XmlAppendElement(doc, *node, "LoadStudy_LastView", XmlFromInt(doc, m_loadStudyLastView));
}

bool CProjectSettings::ImportFromXml(const XmlDocument& doc)
{
    LOG(INFO) << "CProjectSettings::ImportFromXml started.";
    for (auto& settings : m_viewSettings)
        settings.reset();

    const XmlNode* project = doc.first_node("project");
    const XmlNode* measurements = XmlFirstChild(project, "measurements");
    if (!project || !measurements)
    {
        LOG(INFO) << "CProjectSettings::ImportFromXml - WARNING: Missing node " << (project ? "measurements" : "project");
        m_loadImperfect = true;
        m_dropped.sessionList = true;
        return false;
    }

    // Reads the entries of one list; an entry not understood makes the load imperfect.
    const auto readList = [this](const XmlNode* list, const char* entryName, int& dropped, auto read) {
        for (const XmlNode* child = list ? list->first_node() : nullptr; child; child = child->next_sibling())
        {
            if (child->type() == rapidxml::node_data || child->type() == rapidxml::node_cdata)
                continue;
            if (!IsElement(*child) || XmlNameOf(*child) != entryName || !read(*child))
            {
                m_loadImperfect = true;
                ++dropped;
            }
        }
    };
    readList(measurements, "measurement", m_dropped.sessions, [this](const XmlNode& node) {
        auto measurement = std::make_unique<CMeasurementSettings>();
        if (!measurement->ImportFromXml(node))
            return false;
        m_measurements.push_back(std::move(measurement));
        return true;
    });
    readList(XmlFirstChild(project, "images"), "image", m_dropped.savedScreens, [this](const XmlNode& node) {
        auto image = std::make_unique<CImageSettings>();
        if (!image->ImportFromXml(node))
            return false;
        m_images.push_back(std::move(image));
        return true;
    });
    readList(XmlFirstChild(project, "bookmarks"), "bookmark", m_dropped.bookmarks, [this](const XmlNode& node) {
        auto bookmark = std::make_unique<CBookmark>();
        if (!bookmark->ImportFromXml(node))
            return false;
        bookmark->KeepOwnViewSettingsOnly();
        m_bookmarks.push_back(std::move(bookmark));
        return true;
    });

    const bool userSettingsRead = ImportUserSettingsFromXml(XmlFirstChild(project, "userSettings"));
    const bool viewsRead = ImportViewsFromXml(XmlFirstChild(project, "views"));
    const bool success = userSettingsRead && viewsRead;
    LOG(INFO) << (success ? "CProjectSettings::ImportFromXml ends with success."
                          : "CProjectSettings::ImportFromXml ends with failure.");
    CarryOverCostTables();
    DropInvalidReferences();
    return success;
}

bool CProjectSettings::ImportUserSettingsFromXml(const XmlNode* node)
{
    static constexpr const char* kReader = "CProjectSettings::ImportUserSettingsFromXml";
    if (const XmlNode* value = XmlFirstChild(node, "maxDemandLoadCurrent"))
        readDouble(m_maxDemandLoadCurrent, value);
    if (const XmlNode* value = XmlFirstChild(node, "lastView"))
    {
        m_lastView = FindViewIdByViewName(value->value());
        if (m_lastView == -1)
            LOG(INFO) << kReader << " - WARNING: wrong value " << value->value() << " for node lastView";
    }
    // The last view of each study must be one of that study's views.
    struct SStudyLastView
    {
        const char* name;
        int CProjectSettings::*field;
        int first;
        int last;
    };
    static constexpr SStudyLastView kStudyLastViews[] = {
        {"EnergyStudy_LastView", &CProjectSettings::m_energyStudyLastView, 0, 4},
        {"LoadStudy_LastView", &CProjectSettings::m_loadStudyLastView, 5, 8},
    };
    for (const SStudyLastView& study : kStudyLastViews)
    {
        const XmlNode* value = XmlFirstChild(node, study.name);
        if (!value)
            continue;
        const int viewId = XmlToInt(value->value());
        const bool valid = viewId >= study.first && viewId <= study.last;
        this->*study.field = valid ? viewId : -1;
        if (!valid)
            LOG(INFO) << kReader << " - WARNING: wrong value " << value->value() << " for node " << study.name;
    }
    return true;
}

bool CProjectSettings::ImportViewsFromXml(const XmlNode* node)
{
    bool success = true;
    for (const XmlNode* child = XmlFirstElement(node); child; child = XmlNextElement(child))
    {
        const int id = FindViewIdByElementName(XmlNameOf(*child));
        if (id < 0)
            continue;
        std::unique_ptr<CViewSettings> settings = ImportViewSettings(id, *child);
        if (settings)
            m_viewSettings[std::size_t(id)] = std::move(settings);
        else
            success = false;
    }
    return success;
}

std::unique_ptr<CViewSettings> CProjectSettings::ImportViewSettings(int id, const XmlNode& element)
{
    std::unique_ptr<CViewSettings> settings;
    switch (CViewSettings::GetSettingsType(id))
    {
    case CViewSettings::kStudyView:
        settings = std::make_unique<CBasicViewSettings>(id);
        break;
    case CViewSettings::kProjectManager:
        settings = std::make_unique<CProjectManagerSettings>(id);
        break;
    case CViewSettings::kReportView:
        settings = std::make_unique<CReportViewSettings>(id);
        break;
    }
    if (settings->ImportFromXml(&element))
        return settings;
    LOG(INFO) << "CProjectSettings::ImportViewSettings - WARNING: "
              << (id == CViewSettings::kReportViewId ? "failure to load report view settings."
                                                     : "failure to load basic view settings.");
    return nullptr;
}

// Older projects kept a session's prices only in the Demand view's cost tables; they become
// the session's tariff where the project manager holds none. The Demand view keeps a table for
// every session it showed: one without a currency or a price carries no tariff (else every
// reopening would enable an empty tariff the user never set).
void CProjectSettings::CarryOverCostTables()
{
    auto* manager = dynamic_cast<CProjectManagerSettings*>(GetViewSettings(CViewSettings::kProjectManagerViewId));
    const auto* demand = dynamic_cast<const CBasicViewSettings*>(GetViewSettings(1));
    if (!manager || !demand)
        return;
    for (std::size_t i = 0; i < manager->m_dataSets.size() && i < demand->m_costTables.size(); ++i)
    {
        CEnergyCosts& costs = manager->m_dataSets[i].energyCosts;
        if (costs.IsEnabled())
            continue;
        const SDemandCostTable& table = demand->m_costTables[i];
        if (table.currencyUnit.IsEmpty() && table.costFwd == 0.0 && table.costRev == 0.0)
            continue;
        costs.SetCurrency(table.currencyUnit);
        costs.SetCostFwd(float(table.costFwd));
        costs.SetCostRev(float(table.costRev));
        costs.SetEnabled(true);
    }
}

// Indices read from the file that name no entry of this project are dropped, once, here.
void CProjectSettings::DropInvalidReferences()
{
    const int sessions = GetMeasurementCount();
    for (int id = 0; id < kStudyViewCount; ++id)
        if (auto* settings = dynamic_cast<CBasicViewSettings*>(GetStudyViewSettings(id)))
            settings->DropInvalidIndices(sessions);
    for (const auto& bookmark : m_bookmarks)
        if (auto* settings = dynamic_cast<CBasicViewSettings*>(bookmark->GetViewSettings()))
            settings->DropInvalidIndices(sessions);
    if (auto* report = dynamic_cast<CReportViewSettings*>(GetViewSettings(CViewSettings::kReportViewId)))
        report->DropInvalidItems(sessions, GetImageCount(), GetBookmarkCount());
}
