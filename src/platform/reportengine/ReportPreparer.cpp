#include "platform/reportengine/ReportPreparer.h"

#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportScript.h"

#include <algorithm>

namespace
{
using EBand = CReportBand::EKind;

class CPreparer
{
public:
    CPreparer(const SReportTemplate& report, const SReportContext& context) : m_report(report), m_context(context) {}

    std::vector<SPreparedPage> Run();

private:
    void StartPage();
    void FinishPage();
    // Places an instance of the band below the last one, on a new page when it does not fit.
    void PrintBand(const CReportBand& band);
    void PrintData(const CReportBand& band);
    bool IsShown(const CReportBand& band) const;
    SPreparedBand Instantiate(const CReportBand& band);
    SPreparedItem InstantiateComponent(CReportComponent& component);
    CString Resolve(const CString& expression);
    CString ResolveField(const CString& dataSet, const CString& field);
    CString CallFunction(const CString& expression);
    double BodyBottom() const;

    const SReportTemplate& m_report;
    const SReportContext& m_context;
    std::vector<SPreparedPage> m_pages;
    double m_y = 0.0;
    double m_bodyTop = 0.0;
    // The header of the master data being printed: repeated at the top of a new page.
    const CReportBand* m_repeatHeader = nullptr;
};

std::vector<SPreparedPage> CPreparer::Run()
{
    StartPage();
    for (const auto& band : m_report.body)
    {
        if (band->GetKind() == EBand::kMasterData)
            PrintData(*band);
        else
            PrintBand(*band);
    }
    FinishPage();
    return std::move(m_pages);
}

double CPreparer::BodyBottom() const
{
    const SReportPageSetup& page = m_report.page;
    double footer = m_report.pageFooter && m_report.pageFooter->IsVisible() ? m_report.pageFooter->height : 0.0;
    return page.height - page.marginBottom - footer;
}

void CPreparer::StartPage()
{
    m_pages.push_back(SPreparedPage{m_report.page, {}});
    m_y = m_report.page.marginTop;
    if (m_report.pageHeader && m_report.pageHeader->IsVisible())
    {
        SPreparedBand header = Instantiate(*m_report.pageHeader);
        header.rect.moveTop(m_y);
        for (auto& item : header.items)
            item.rect.translate(0.0, m_y);
        m_y += header.rect.height();
        m_pages.back().bands.push_back(std::move(header));
    }
    m_bodyTop = m_y;
    if (m_repeatHeader)
        PrintBand(*m_repeatHeader);
}

void CPreparer::FinishPage()
{
    if (!m_report.pageFooter || !m_report.pageFooter->IsVisible())
        return;
    SPreparedBand footer = Instantiate(*m_report.pageFooter);
    double top = BodyBottom();
    footer.rect.moveTop(top);
    footer.pageFooter = true;
    for (auto& item : footer.items)
        item.rect.translate(0.0, top);
    m_pages.back().bands.push_back(std::move(footer));
}

bool CPreparer::IsShown(const CReportBand& band) const
{
    if (!band.IsVisible())
        return false;
    if (band.showIf.IsEmpty())
        return true;
    bool negated = band.showIf[0] == '!';
    auto found = m_context.variables.find(negated ? band.showIf.Mid(1) : band.showIf);
    bool set = found != m_context.variables.end() && !found->second.IsEmpty() && found->second != "0";
    return set != negated;
}

void CPreparer::PrintBand(const CReportBand& band)
{
    if (!IsShown(band))
        return;
    SPreparedBand instance = Instantiate(band);
    double height = instance.rect.height();
    if (m_y + height > BodyBottom() + 1e-6 && m_y > m_bodyTop + 1e-6)
    {
        FinishPage();
        StartPage();
    }
    instance.rect.moveTop(m_y);
    for (auto& item : instance.items)
        item.rect.translate(0.0, m_y);
    m_y += height;
    m_pages.back().bands.push_back(std::move(instance));
}

void CPreparer::PrintData(const CReportBand& band)
{
    if (!IsShown(band))
        return;
    auto bound = m_context.dataSets.find(band.dataSet);
    if (bound == m_context.dataSets.end() || !bound->second->GetEvents())
        throw CReportEngineError("The report uses the data set \"" + band.dataSet.str() + "\", which is not available.");
    IUserDataSetEvents& rows = *bound->second->GetEvents();

    rows.First();
    if (rows.Eof())
        return;
    auto bandsOf = [&band](EBand kind) {
        std::vector<const CReportBand*> result;
        for (const auto& inner : band.bands)
            if (inner->GetKind() == kind)
                result.push_back(inner.get());
        return result;
    };
    for (const CReportBand* header : bandsOf(EBand::kHeader))
    {
        PrintBand(*header);
        if (IsShown(*header))
            m_repeatHeader = header;
    }
    for (; !rows.Eof(); rows.Next())
    {
        PrintBand(band);
        for (const CReportBand* child : bandsOf(EBand::kChild))
            PrintBand(*child);
    }
    m_repeatHeader = nullptr;
    for (const CReportBand* footer : bandsOf(EBand::kFooter))
        PrintBand(*footer);
}

SPreparedBand CPreparer::Instantiate(const CReportBand& band)
{
    SPreparedBand instance;
    double height = band.height;
    // Stretching cells that reach the band's foot are a table row: they end together at the foot
    // of the tallest, as one row of the table.
    std::vector<std::size_t> rowCells;
    for (const auto& component : band.components)
    {
        if (!component->IsVisible())
            continue;
        SPreparedItem item = InstantiateComponent(*component);
        item.rect.translate(m_report.page.marginLeft, 0.0);
        if (component->stretch)
        {
            if (component->rect.bottom() >= band.height)
                rowCells.push_back(instance.items.size());
            item.rect.setHeight(std::max(item.rect.height(), MeasureMemoHeight(item)));
        }
        height = std::max(height, item.rect.bottom());
        instance.items.push_back(std::move(item));
    }
    for (const std::size_t cell : rowCells)
        instance.items[cell].rect.setBottom(height);
    instance.rect = QRectF(m_report.page.marginLeft, 0.0, m_report.page.PrintableWidth(), height);
    return instance;
}

namespace
{
// The events see a component through a Qt-free face.
class CPrintedComponent : public IPrintedComponent
{
public:
    CPrintedComponent(CReportComponent& component, CReportPictures& pictures)
        : m_component(component), m_pictures(pictures)
    {
    }
    const CString& GetName() const override { return m_component.GetName(); }
    const char* GetTypeName() const override { return m_component.GetTypeName(); }
    void LoadPicture(const CString& path) override
    {
        // A picture that cannot be read leaves the component empty.
        m_component.ClearPicture();
        m_component.SetPicture(m_pictures.Load(path));
    }

private:
    CReportComponent& m_component;
    CReportPictures& m_pictures;
};
} // namespace

SPreparedItem CPreparer::InstantiateComponent(CReportComponent& component)
{
    CPrintedComponent printed(component, m_context.pictures);
    if (m_context.events)
        m_context.events->OnBeforePrint(printed);
    SPreparedItem item;
    item.kind = component.GetKind();
    item.rect = component.rect;
    item.font = component.font;
    item.align = component.align;
    item.centerVertically = component.centerVertically;
    item.frame = component.frame;
    item.fill = component.fill;
    item.color = component.color;
    if (item.kind == CReportComponent::EKind::kMemo)
        item.text = ExpandBracketedReferences(component.text, [this](const CString& e) { return Resolve(e); });
    else if (item.kind == CReportComponent::EKind::kPicture)
        item.picture = component.GetPicture();
    if (m_context.events)
        m_context.events->OnAfterPrint(printed);
    // Each print fills the picture anew; nothing carries over to the next instance.
    component.ClearPicture();
    return item;
}

// Values may hold any text but the page markers' lead character.
CString WithoutMarkers(CString value)
{
    value.Remove('\x01');
    return value;
}

CString CPreparer::Resolve(const CString& expression)
{
    if (expression == "Page#")
        return kPageNumberMarker;
    if (expression == "TotalPages#")
        return kPageCountMarker;
    int dot = expression.Find(".\"");
    if (dot > 0 && expression.GetLength() > dot + 2 && expression[expression.GetLength() - 1] == '"')
        return WithoutMarkers(ResolveField(expression.Left(dot), expression.Mid(dot + 2, expression.GetLength() - dot - 3)));
    if (expression.Find('(') > 0 && expression[expression.GetLength() - 1] == ')')
        return WithoutMarkers(CallFunction(expression));
    auto found = m_context.variables.find(expression);
    if (found == m_context.variables.end())
        throw CReportEngineError("The report uses the variable \"" + expression.str() + "\", which is not set.");
    return WithoutMarkers(found->second);
}

CString CPreparer::ResolveField(const CString& dataSet, const CString& field)
{
    auto bound = m_context.dataSets.find(dataSet);
    if (bound == m_context.dataSets.end() || !bound->second->GetEvents())
        throw CReportEngineError("The report uses the data set \"" + dataSet.str() + "\", which is not available.");
    CString value;
    bound->second->GetEvents()->GetValue(field, value);
    return value;
}

CString CPreparer::CallFunction(const CString& expression)
{
    int open = expression.Find('(');
    CString name = expression.Left(open);
    if (!m_context.functions.contains(name))
        throw CReportEngineError("The report calls the function \"" + name.str() + "\", which is not declared.");
    std::vector<CString> arguments;
    CString list = expression.Mid(open + 1, expression.GetLength() - open - 2);
    int position = 0;
    for (CString argument = list.Tokenize(",", position); position >= 0; argument = list.Tokenize(",", position))
        arguments.push_back(EvaluateVariableText(argument.Trim()));
    CString result;
    if (m_context.events)
        m_context.events->OnUserFunction(name, arguments, result);
    return result;
}
} // namespace

void PrepareReportPages(const SReportTemplate& report, const SReportContext& context, std::vector<SPreparedPage>& pages)
{
    std::vector<SPreparedPage> prepared = CPreparer(report, context).Run();
    std::move(prepared.begin(), prepared.end(), std::back_inserter(pages));
}
