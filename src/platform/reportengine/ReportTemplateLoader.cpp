// The template format: one <report> element holding <page>, <pageheader>, <pagefooter> and the
// body bands <title>, <child> and <data> (with <header>, <child> and <footer> inside); bands
// hold <memo>, <picture> and <line> components. Geometry is in millimetres relative to the band.
#include "platform/framework/XmlNestingDepth.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportObjects.h"

#include <rapidxml/rapidxml.hpp>

#include <charconv>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

namespace
{
using Node = rapidxml::xml_node<char>;

// A template is a few levels deep (report, band, data band, component).
constexpr int kMaxNestingDepth = 32;

class CTemplateReader
{
public:
    explicit CTemplateReader(const CString& path) : m_path(path.str()) {}

    std::unique_ptr<SReportTemplate> Read();

private:
    [[noreturn]] void Fail(const std::string& what) const
    {
        throw CReportEngineError("The report template \"" + m_path + "\" is not valid: " + what);
    }

    const char* Attribute(const Node& node, const char* name) const
    {
        const auto* attribute = node.first_attribute(name);
        return attribute ? attribute->value() : nullptr;
    }

    double Number(const Node& node, const char* name, double fallback) const
    {
        const char* text = Attribute(node, name);
        if (!text)
            return fallback;
        double value = 0.0;
        const char* end = text + std::strlen(text);
        auto [last, error] = std::from_chars(text, end, value);
        if (error != std::errc() || last != end || !std::isfinite(value) || value < 0.0 || value > 10000.0)
            Fail(std::string("attribute ") + name + " of <" + node.name() + "> is not a length");
        return value;
    }

    bool Flag(const Node& node, const char* name) const
    {
        const char* text = Attribute(node, name);
        return text && std::strcmp(text, "1") == 0;
    }

    QColor Colour(const Node& node, const char* name, const QColor& fallback) const
    {
        const char* text = Attribute(node, name);
        if (!text)
            return fallback;
        QColor colour = QColor::fromString(QString::fromUtf8(text));
        if (!colour.isValid())
            Fail(std::string("colour ") + text + " is not valid");
        return colour;
    }

    SReportPageSetup ReadPage(const Node* node) const;
    std::unique_ptr<CReportBand> ReadBand(const Node& node, CReportBand::EKind kind) const;
    std::unique_ptr<CReportComponent> ReadComponent(const Node& node) const;

    std::string m_path;
    // The page's height between its margins: no band may be taller (it would go on a new page
    // for ever).
    double m_printableHeight = 0.0;
};

SReportPageSetup CTemplateReader::ReadPage(const Node* node) const
{
    SReportPageSetup page;
    if (!node)
        return page;
    page.width = Number(*node, "width", page.width);
    page.height = Number(*node, "height", page.height);
    page.marginLeft = Number(*node, "left", page.marginLeft);
    page.marginTop = Number(*node, "top", page.marginTop);
    page.marginRight = Number(*node, "right", page.marginRight);
    page.marginBottom = Number(*node, "bottom", page.marginBottom);
    if (page.PrintableWidth() < 10.0 || page.height - page.marginTop - page.marginBottom < 10.0)
        Fail("the page margins leave no room");
    return page;
}

std::unique_ptr<CReportComponent> CTemplateReader::ReadComponent(const Node& node) const
{
    using EKind = CReportComponent::EKind;
    EKind kind = EKind::kMemo;
    if (std::strcmp(node.name(), "picture") == 0)
        kind = EKind::kPicture;
    else if (std::strcmp(node.name(), "line") == 0)
        kind = EKind::kLine;
    else if (std::strcmp(node.name(), "memo") != 0)
        Fail(std::string("<") + node.name() + "> is not a component");

    auto component = std::make_unique<CReportComponent>(kind);
    if (const char* name = Attribute(node, "name"))
        component->SetName(name);
    component->rect = QRectF(Number(node, "left", 0.0), Number(node, "top", 0.0), Number(node, "width", 0.0),
                             Number(node, "height", 0.0));
    component->text = CString(node.value(), int(node.value_size()));
    component->font.size = Number(node, "size", component->font.size);
    component->font.bold = Flag(node, "bold");
    component->font.italic = Flag(node, "italic");
    if (const char* family = Attribute(node, "font"))
        component->font.family = family;
    if (const char* align = Attribute(node, "align"))
        component->align = std::strcmp(align, "right") == 0    ? EReportAlign::kRight
                           : std::strcmp(align, "center") == 0 ? EReportAlign::kCenter
                                                               : EReportAlign::kLeft;
    component->centerVertically = Flag(node, "vcenter");
    component->stretch = Flag(node, "stretch");
    if (const char* frame = Attribute(node, "frame"))
        for (const char* c = frame; *c; ++c)
            component->frame |= *c == 'l' ? kFrameLeft : *c == 't' ? kFrameTop : *c == 'r' ? kFrameRight
                                 : *c == 'b'                      ? kFrameBottom
                                                                  : 0u;
    component->fill = Colour(node, "fill", QColor());
    component->color = Colour(node, "color", component->color);
    return component;
}

std::unique_ptr<CReportBand> CTemplateReader::ReadBand(const Node& node, CReportBand::EKind kind) const
{
    using EKind = CReportBand::EKind;
    auto band = std::make_unique<CReportBand>(kind);
    if (const char* name = Attribute(node, "name"))
        band->SetName(name);
    band->height = Number(node, "height", 0.0);
    if (band->height > m_printableHeight)
        Fail(std::string("<") + node.name() + "> is taller than the page between its margins");
    if (const char* showIf = Attribute(node, "showif"))
        band->showIf = showIf;
    if (kind == EKind::kMasterData)
    {
        const char* dataSet = Attribute(node, "dataset");
        if (!dataSet || !*dataSet)
            Fail("a <data> band names no data set");
        band->dataSet = dataSet;
    }
    for (const Node* child = node.first_node(); child; child = child->next_sibling())
    {
        const char* name = child->name();
        if (kind == EKind::kMasterData && std::strcmp(name, "header") == 0)
            band->bands.push_back(ReadBand(*child, EKind::kHeader));
        else if (kind == EKind::kMasterData && std::strcmp(name, "child") == 0)
            band->bands.push_back(ReadBand(*child, EKind::kChild));
        else if (kind == EKind::kMasterData && std::strcmp(name, "footer") == 0)
            band->bands.push_back(ReadBand(*child, EKind::kFooter));
        else
            band->components.push_back(ReadComponent(*child));
    }
    return band;
}

std::unique_ptr<SReportTemplate> CTemplateReader::Read()
{
    std::ifstream file(m_path, std::ios::binary);
    if (!file)
        throw CReportEngineError("The report template \"" + m_path + "\" cannot be opened.");
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    text.push_back('\0');

    // The parser descends once per element level: a deeper template is refused before it runs.
    if (MeasureXmlNestingDepth(text, kMaxNestingDepth) > kMaxNestingDepth)
        Fail("its elements are nested more than " + std::to_string(kMaxNestingDepth) + " levels deep");
    rapidxml::xml_document<char> document;
    try
    {
        document.parse<rapidxml::parse_trim_whitespace | rapidxml::parse_validate_closing_tags>(text.data());
    }
    catch (const rapidxml::parse_error& error)
    {
        Fail(error.what());
    }
    const Node* root = document.first_node("report");
    if (!root)
        Fail("the <report> element is missing");

    auto result = std::make_unique<SReportTemplate>();
    result->page = ReadPage(root->first_node("page"));
    m_printableHeight = result->page.height - result->page.marginTop - result->page.marginBottom;
    using EKind = CReportBand::EKind;
    for (const Node* node = root->first_node(); node; node = node->next_sibling())
    {
        const char* name = node->name();
        if (std::strcmp(name, "page") == 0)
            continue;
        if (std::strcmp(name, "pageheader") == 0)
            result->pageHeader = ReadBand(*node, EKind::kPageHeader);
        else if (std::strcmp(name, "pagefooter") == 0)
            result->pageFooter = ReadBand(*node, EKind::kPageFooter);
        else if (std::strcmp(name, "title") == 0)
            result->body.push_back(ReadBand(*node, EKind::kTitle));
        else if (std::strcmp(name, "child") == 0)
            result->body.push_back(ReadBand(*node, EKind::kChild));
        else if (std::strcmp(name, "data") == 0)
            result->body.push_back(ReadBand(*node, EKind::kMasterData));
        else
            Fail(std::string("<") + name + "> is not a band");
    }
    const double frame = (result->pageHeader ? result->pageHeader->height : 0.0) + (result->pageFooter ? result->pageFooter->height : 0.0);
    if (frame >= m_printableHeight)
        Fail("the page header and footer leave no room on the page");
    return result;
}
} // namespace

std::unique_ptr<SReportTemplate> LoadReportTemplate(const CString& path)
{
    return CTemplateReader(path).Read();
}
