// Rich text has no absolute positions: each line of components of a band (components that
// start at the same height) becomes one table row whose cells follow the components' left and
// right edges; the row keeps the line's height so that the page looks as it was prepared. The
// text flows, so the page footer becomes the document's footer with page-number fields.
#include "platform/reportengine/OutputFileFailure.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportOutput.h"
#include "platform/reportengine/ReportScript.h"

#include <QBuffer>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <string>

namespace
{
int Twips(double mm) { return int(std::lround(mm / 25.4 * 1440.0)); }

class CRtfBuilder
{
public:
    void Begin(const SReportPageSetup& setup);
    void Footer(const SPreparedBand& footer);
    void Page(const SPreparedPage& page, int pageNumber, int pageCount);
    void PageBreak() { m_out += "\\pard\\plain\\fs2\\page\\par\n"; }
    std::string Finish();

private:
    void Band(const SPreparedBand& band, int pageNumber, int pageCount);
    void Line(const std::vector<const SPreparedItem*>& items, double left, double height, int pageNumber, int pageCount);
    void Cell(const SPreparedItem& item, int pageNumber, int pageCount);
    // Page markers become fields that the reader numbers.
    void TextWithFields(const CString& text);
    void Text(const CString& text);
    void Picture(const SPreparedItem& item);
    int Colour(const QColor& colour);

    std::string m_out;
    std::string m_colours;
    int m_colourCount = 1;
};

void CRtfBuilder::Begin(const SReportPageSetup& setup)
{
    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss DejaVu Sans;}}\n";
    m_out += "\x02"; // the colour table goes here once every colour is known
    m_out += "\\paperw" + std::to_string(Twips(setup.width)) + "\\paperh" + std::to_string(Twips(setup.height)) +
             "\\margl" + std::to_string(Twips(setup.marginLeft)) + "\\margr" + std::to_string(Twips(setup.marginRight)) +
             "\\margt" + std::to_string(Twips(setup.marginTop)) + "\\margb" + std::to_string(Twips(setup.marginBottom)) +
             "\n";
}

std::string CRtfBuilder::Finish()
{
    std::string table = "{\\colortbl;" + m_colours + "}\n";
    m_out.replace(m_out.find('\x02'), 1, table);
    return m_out + "}\n";
}

int CRtfBuilder::Colour(const QColor& colour)
{
    std::string entry = "\\red" + std::to_string(colour.red()) + "\\green" + std::to_string(colour.green()) + "\\blue" +
                        std::to_string(colour.blue()) + ";";
    std::size_t found = m_colours.find(entry);
    if (found != std::string::npos)
        return 1 + int(std::count(m_colours.begin(), m_colours.begin() + std::ptrdiff_t(found), ';'));
    m_colours += entry;
    return m_colourCount++;
}

void CRtfBuilder::Text(const CString& text)
{
    QString unicode = QString::fromUtf8(text.GetString(), text.GetLength());
    for (QChar c : unicode)
    {
        char16_t u = c.unicode();
        if (u == '\\' || u == '{' || u == '}')
            m_out += {'\\', char(u)};
        else if (u == '\n')
            m_out += "\\line ";
        else if (u == '\r')
            continue;
        else if (u == '\t')
            m_out += "\\tab ";
        else if (u >= 0x20 && u < 0x80)
            m_out += char(u);
        else if (u >= 0x20)
            m_out += "\\u" + std::to_string(int(std::int16_t(u))) + "?";
    }
}

void CRtfBuilder::Picture(const SPreparedItem& item)
{
    if (item.picture.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    item.picture.save(&buffer, "PNG");
    double scale = std::min(item.rect.width() / item.picture.width(), item.rect.height() / item.picture.height());
    m_out += "{\\pict\\pngblip\\picw" + std::to_string(item.picture.width()) + "\\pich" +
             std::to_string(item.picture.height()) + "\\picwgoal" + std::to_string(Twips(item.picture.width() * scale)) +
             "\\pichgoal" + std::to_string(Twips(item.picture.height() * scale)) + "\n";
    m_out += png.toHex().toStdString();
    m_out += "}";
}

void CRtfBuilder::Cell(const SPreparedItem& item, int pageNumber, int pageCount)
{
    const char* align = item.align == EReportAlign::kRight ? "\\qr" : item.align == EReportAlign::kCenter ? "\\qc" : "\\ql";
    m_out += std::string("\\pard\\plain\\intbl") + align + "{\\f0\\fs" + std::to_string(int(std::lround(item.font.size * 2)));
    if (item.font.bold)
        m_out += "\\b";
    if (item.font.italic)
        m_out += "\\i";
    if (item.color != Qt::black)
        m_out += "\\cf" + std::to_string(Colour(item.color));
    m_out += " ";
    if (item.kind == CReportComponent::EKind::kMemo && pageNumber == 0)
        TextWithFields(item.text);
    else if (item.kind == CReportComponent::EKind::kMemo)
        Text(ResolvePageMarkers(item.text, pageNumber, pageCount));
    else if (item.kind == CReportComponent::EKind::kPicture)
        Picture(item);
    m_out += "}\\cell\n";
}

void CRtfBuilder::Line(const std::vector<const SPreparedItem*>& items, double left, double height, int pageNumber,
                       int pageCount)
{
    std::string definition = "\\trowd\\trgaph0\\trleft0\\trrh" + std::to_string(Twips(height));
    std::string cells;
    double x = left;
    auto cellEdge = [&](double right, const SPreparedItem* item) {
        if (item)
        {
            const char* sides[] = {"\\clbrdrl", "\\clbrdrt", "\\clbrdrr", "\\clbrdrb"};
            unsigned frame = item->kind == CReportComponent::EKind::kLine ? unsigned(kFrameBottom) : item->frame;
            for (int side = 0; side < 4; ++side)
                if (frame & (1u << side))
                    definition += std::string(sides[side]) + "\\brdrs\\brdrw10";
            if (item->fill.isValid())
                definition += "\\clcbpat" + std::to_string(Colour(item->fill));
        }
        definition += "\\cellx" + std::to_string(Twips(right - left));
        x = right;
    };
    std::string before = m_out;
    m_out.clear();
    for (const SPreparedItem* item : items)
    {
        if (item->rect.left() > x + 0.5)
        {
            cellEdge(item->rect.left(), nullptr);
            m_out += "\\pard\\plain\\intbl\\cell\n";
        }
        cellEdge(std::max(item->rect.right(), x + 1.0), item);
        Cell(*item, pageNumber, pageCount);
    }
    cells = std::move(m_out);
    m_out = std::move(before) + definition + "\n" + cells + "\\row\n";
}

void CRtfBuilder::TextWithFields(const CString& text)
{
    CString rest = text;
    for (int marker = rest.Find('\x01'); marker >= 0; marker = rest.Find('\x01'))
    {
        Text(rest.Left(marker));
        bool number = rest.Mid(marker, 2) == kPageNumberMarker;
        m_out += number ? "{\\field{\\*\\fldinst PAGE}{\\fldrslt 1}}" : "{\\field{\\*\\fldinst NUMPAGES}{\\fldrslt 1}}";
        rest = rest.Mid(marker + 2);
    }
    Text(rest);
}

void CRtfBuilder::Footer(const SPreparedBand& footer)
{
    m_out += "{\\footer ";
    SPreparedBand relative = footer;
    for (auto& item : relative.items)
        item.rect.translate(0.0, -footer.rect.top());
    relative.rect.moveTop(0.0);
    Band(relative, 0, 0);
    m_out += "\\pard\\plain\\fs2\\par}\n";
}

void CRtfBuilder::Page(const SPreparedPage& page, int pageNumber, int pageCount)
{
    for (const auto& band : page.bands)
        if (!band.pageFooter)
            Band(band, pageNumber, pageCount);
}

void CRtfBuilder::Band(const SPreparedBand& band, int pageNumber, int pageCount)
{
    std::vector<const SPreparedItem*> items;
    for (const auto& item : band.items)
        items.push_back(&item);
    std::stable_sort(items.begin(), items.end(), [](const SPreparedItem* a, const SPreparedItem* b) {
        return std::lround(a->rect.top() * 2) != std::lround(b->rect.top() * 2) ? a->rect.top() < b->rect.top()
                                                                              : a->rect.left() < b->rect.left();
    });
    std::size_t first = 0;
    while (first < items.size())
    {
        std::size_t last = first;
        while (last < items.size() && items[last]->rect.top() < items[first]->rect.top() + 0.5)
            ++last;
        double next = last < items.size() ? items[last]->rect.top() : band.rect.bottom();
        std::vector<const SPreparedItem*> line(items.begin() + std::ptrdiff_t(first), items.begin() + std::ptrdiff_t(last));
        Line(line, band.rect.left(), std::max(next - items[first]->rect.top(), 1.0), pageNumber, pageCount);
        first = last;
    }
}
} // namespace

void WriteRtf(const std::vector<SPreparedPage>& pages, const CString& path)
{
    CRtfBuilder builder;
    builder.Begin(pages.empty() ? SReportPageSetup() : pages.front().setup);
    if (!pages.empty())
        for (const auto& band : pages.front().bands)
            if (band.pageFooter)
                builder.Footer(band);
    for (std::size_t i = 0; i < pages.size(); ++i)
    {
        if (i > 0)
            builder.PageBreak();
        builder.Page(pages[i], int(i) + 1, int(pages.size()));
    }
    std::string text = builder.Finish();
    QSaveFile file(QString::fromUtf8(path.GetString()));
    bool written = file.open(QIODevice::WriteOnly);
    written = written && file.write(text.data(), qint64(text.size())) == qint64(text.size());
    if (!written || !file.commit())
        throw OutputFileFailure(file, path, text.size());
}
