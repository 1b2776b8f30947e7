// Rich text has no absolute positions, so a band becomes table rows of exact heights: the
// components that stand side by side (each starting within the height of the first, none above
// another) share a row whose cells follow their left and right edges, and the space between
// them becomes an empty row. Every component so keeps the place it was prepared at, and a page
// of the document holds what the prepared page holds. Cells keep the memo's padding, pictures
// the frame around their drawn size. The page footer becomes the document's footer with
// page-number fields that the reader fills in.
#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/OutputFileFailure.h"
#include "platform/reportengine/PageRenderer.h"
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
std::string TwipsText(double mm) { return std::to_string(Twips(mm)); }

// A component with the rectangle it covers on the page.
struct SPlacedItem
{
    const SPreparedItem* item;
    QRectF rect;
};

class CRtfBuilder
{
public:
    void Begin(const SReportPageSetup& setup, double footerHeight);
    void Footer(const SPreparedBand& footer);
    void Page(const SPreparedPage& page, int pageNumber, int pageCount);
    std::string Finish();

private:
    void Band(const SPreparedBand& band, int pageNumber, int pageCount);
    void Row(const std::vector<SPlacedItem>& items, double top, double height, int pageNumber, int pageCount);
    void EmptyRow(double height);
    void Cell(const SPlacedItem& placed, double rowTop, int pageNumber, int pageCount);
    // Page markers become fields that the reader numbers.
    void TextWithFields(const CString& text);
    void Text(const CString& text);
    void Picture(const SPlacedItem& placed);
    int Colour(const QColor& colour);

    std::string m_out;
    std::string m_colours;
    int m_colourCount = 1;
    double m_left = 0.0;
    double m_width = 0.0;
};

void CRtfBuilder::Begin(const SReportPageSetup& setup, double footerHeight)
{
    m_left = setup.marginLeft;
    m_width = setup.PrintableWidth();
    m_out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1\n{\\fonttbl{\\f0\\fswiss DejaVu Sans;}}\n";
    m_out += "\x02"; // the colour table goes here once every colour is known
    // The body ends where the footer begins, as on the prepared page; the footer stands above
    // the bottom margin.
    m_out += "\\paperw" + TwipsText(setup.width) + "\\paperh" + TwipsText(setup.height) + "\\margl" +
             TwipsText(setup.marginLeft) + "\\margr" + TwipsText(setup.marginRight) + "\\margt" +
             TwipsText(setup.marginTop) + "\\margb" + TwipsText(setup.marginBottom + footerHeight) + "\\footery" +
             TwipsText(setup.marginBottom) + "\n";
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

void CRtfBuilder::Picture(const SPlacedItem& placed)
{
    const QImage& picture = placed.item->picture;
    if (picture.isNull())
        return;
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    m_out += "{\\pict\\pngblip\\picw" + std::to_string(picture.width()) + "\\pich" + std::to_string(picture.height()) +
             "\\picwgoal" + TwipsText(placed.rect.width()) + "\\pichgoal" + TwipsText(placed.rect.height()) + "\n";
    m_out += png.toHex().toStdString();
    m_out += "}";
}

void CRtfBuilder::Cell(const SPlacedItem& placed, double rowTop, int pageNumber, int pageCount)
{
    const SPreparedItem& item = *placed.item;
    m_out += "\\pard\\plain\\intbl";
    if (item.kind == CReportComponent::EKind::kPicture)
    {
        m_out += "\\qc{\\fs2 ";
        Picture(placed);
        m_out += "}\\cell\n";
        return;
    }
    if (item.kind != CReportComponent::EKind::kMemo)
    {
        m_out += "{\\fs2 }\\cell\n";
        return;
    }
    m_out += item.align == EReportAlign::kRight ? "\\qr" : item.align == EReportAlign::kCenter ? "\\qc" : "\\ql";
    m_out += "\\li" + TwipsText(kMemoPaddingX) + "\\ri" + TwipsText(kMemoPaddingX);
    if (!item.centerVertically)
        m_out += "\\sb" + TwipsText(placed.rect.top() - rowTop + kMemoPaddingY);
    m_out += "{\\f0\\fs" + std::to_string(int(std::lround(item.font.size * 2)));
    if (item.font.bold)
        m_out += "\\b";
    if (item.font.italic)
        m_out += "\\i";
    if (item.color != Qt::black)
        m_out += "\\cf" + std::to_string(Colour(item.color));
    m_out += " ";
    if (pageNumber == 0)
        TextWithFields(item.text);
    else
        Text(ResolvePageMarkers(item.text, pageNumber, pageCount));
    m_out += "}\\cell\n";
}

void CRtfBuilder::Row(const std::vector<SPlacedItem>& items, double top, double height, int pageNumber, int pageCount)
{
    std::string definition = "\\trowd\\trgaph0\\trleft0\\trrh-" + TwipsText(height);
    std::string cells;
    std::swap(cells, m_out);
    double x = m_left;
    for (const SPlacedItem& placed : items)
    {
        if (placed.rect.left() > x + 0.05)
        {
            definition += "\\cellx" + TwipsText(placed.rect.left() - m_left);
            m_out += "\\pard\\plain\\intbl{\\fs2 }\\cell\n";
        }
        const SPreparedItem& item = *placed.item;
        if (item.kind == CReportComponent::EKind::kLine)
        {
            // The line lies along the middle of its rectangle, at least 0.2 mm thick.
            const double thickness = std::min(std::max(0.2, placed.rect.height()), 1.3);
            definition += "\\clbrdrb\\brdrs\\brdrw" + TwipsText(thickness) + "\\brdrcf" + std::to_string(Colour(item.color));
        }
        else
        {
            const char* sides[] = {"\\clbrdrl", "\\clbrdrt", "\\clbrdrr", "\\clbrdrb"};
            for (int side = 0; side < 4; ++side)
                if (item.frame & (1u << side))
                    definition += std::string(sides[side]) + "\\brdrs\\brdrw" + TwipsText(0.2);
        }
        if (item.fill.isValid())
            definition += "\\clcbpat" + std::to_string(Colour(item.fill));
        if (item.centerVertically)
            definition += "\\clvertalc";
        x = std::max(placed.rect.right(), x + 0.1);
        definition += "\\cellx" + TwipsText(x - m_left);
        Cell(placed, top, pageNumber, pageCount);
    }
    std::swap(cells, m_out);
    m_out += definition + "\n" + cells + "\\row\n";
}

void CRtfBuilder::EmptyRow(double height)
{
    if (Twips(height) > 0)
        m_out += "\\trowd\\trgaph0\\trleft0\\trrh-" + TwipsText(height) + "\\cellx" + TwipsText(m_width) +
                 "\n\\pard\\plain\\intbl{\\fs2 }\\cell\\row\n";
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
    Band(footer, 0, 0);
    m_out += "\\pard\\plain\\sl-1\\slmult0{\\fs2 }\\par}\n";
}

void CRtfBuilder::Page(const SPreparedPage& page, int pageNumber, int pageCount)
{
    // Every page starts with a paragraph of no height that begins the new page.
    if (pageNumber > 1)
        m_out += "\\pard\\plain\\pagebb\\sl-1\\slmult0{\\fs2 }\\par\n";
    for (const auto& band : page.bands)
        if (!band.pageFooter)
            Band(band, pageNumber, pageCount);
}

void CRtfBuilder::Band(const SPreparedBand& band, int pageNumber, int pageCount)
{
    std::vector<SPlacedItem> items;
    for (const auto& item : band.items)
        items.push_back({&item, item.kind == CReportComponent::EKind::kPicture ? FittedPictureRect(item.rect, item.picture)
                                                                               : item.rect});
    std::stable_sort(items.begin(), items.end(), [](const SPlacedItem& a, const SPlacedItem& b) {
        return a.rect.top() < b.rect.top();
    });
    auto besideAll = [](const std::vector<SPlacedItem>& row, const SPlacedItem& candidate) {
        return std::all_of(row.begin(), row.end(), [&](const SPlacedItem& placed) {
            return candidate.rect.left() >= placed.rect.right() - 0.05 || candidate.rect.right() <= placed.rect.left() + 0.05;
        });
    };
    double y = band.rect.top();
    std::size_t next = 0;
    while (next < items.size())
    {
        std::vector<SPlacedItem> row{items[next++]};
        double bottom = row.front().rect.bottom();
        while (next < items.size() && items[next].rect.top() < bottom - 0.05 && besideAll(row, items[next]))
        {
            bottom = std::max(bottom, items[next].rect.bottom());
            row.push_back(items[next++]);
        }
        std::sort(row.begin(), row.end(), [](const SPlacedItem& a, const SPlacedItem& b) {
            return a.rect.left() < b.rect.left();
        });
        const double top = std::max(y, row.front().rect.top());
        EmptyRow(top - y);
        // A component that reaches below the next one's top gives way to it.
        const double following = next < items.size() ? items[next].rect.top() : band.rect.bottom();
        if (following > top + 0.5)
            bottom = std::min(bottom, following);
        Row(row, top, std::max(bottom - top, 0.1), pageNumber, pageCount);
        y = top + std::max(bottom - top, 0.1);
    }
    EmptyRow(band.rect.bottom() - y);
}
} // namespace

void WriteRtf(const std::vector<SPreparedPage>& pages, const CString& path)
{
    CRtfBuilder builder;
    const SPreparedBand* footer = nullptr;
    if (!pages.empty())
        for (const auto& band : pages.front().bands)
            if (band.pageFooter)
                footer = &band;
    builder.Begin(pages.empty() ? SReportPageSetup() : pages.front().setup, footer ? footer->rect.height() : 0.0);
    if (footer)
        builder.Footer(*footer);
    for (std::size_t i = 0; i < pages.size(); ++i)
        builder.Page(pages[i], int(i) + 1, int(pages.size()));
    std::string text = builder.Finish();
    QSaveFile file(QString::fromUtf8(path.GetString()));
    bool written = file.open(QIODevice::WriteOnly);
    written = written && file.write(text.data(), qint64(text.size())) == qint64(text.size());
    if (!written || !file.commit())
        throw OutputFileFailure(file, path, text.size());
}
