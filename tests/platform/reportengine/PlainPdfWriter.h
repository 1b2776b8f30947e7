#pragma once
// The yardstick of the report's PDF: the platform's PDF writer given the same words and pictures
// on the same pages, each text drawn once into its rectangle with its font, each picture decoded
// once from its encoded bytes and drawn into its rectangle. What it is given is taken from
// prepared pages before timing; Write is the part timed.
#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/PreparedReport.h"
#include "platform/reportengine/ReportScript.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <map>
#include <string>
#include <vector>

class CPlainPdfWriter
{
public:
    explicit CPlainPdfWriter(const std::vector<SPreparedPage>& pages)
    {
        std::map<qint64, std::size_t> distinct;
        for (std::size_t p = 0; p < pages.size(); ++p) {
            SPage& page = m_pages.emplace_back();
            page.size = QSizeF(pages[p].setup.width, pages[p].setup.height);
            for (const SPreparedBand& band : pages[p].bands)
                for (const SPreparedItem& item : band.items) {
                    const QRectF rect(MmToReference(item.rect.left()), MmToReference(item.rect.top()),
                                      MmToReference(item.rect.width()), MmToReference(item.rect.height()));
                    if (item.kind == CReportComponent::EKind::kMemo) {
                        page.words.push_back({rect, MakeReportFont(item.font),
                                              QString::fromUtf8(ResolvePageMarkers(item.text, int(p) + 1,
                                                                                   int(pages.size())).GetString())});
                    } else if (item.kind == CReportComponent::EKind::kPicture && !item.picture.isNull()) {
                        auto [at, added] = distinct.emplace(item.picture.cacheKey(), m_encoded.size());
                        if (added) {
                            QByteArray& bytes = m_encoded.emplace_back();
                            QBuffer buffer(&bytes);
                            buffer.open(QIODevice::WriteOnly);
                            item.picture.save(&buffer, "PNG");
                        }
                        page.pictures.push_back({rect, at->second});
                    }
                }
        }
    }

    std::size_t PageCount() const { return m_pages.size(); }

    // The bytes written.
    qint64 Write(const std::string& path) const
    {
        std::vector<QImage> pictures;
        for (const QByteArray& bytes : m_encoded) {
            QByteArray data(bytes);
            QBuffer buffer(&data);
            pictures.push_back(QImageReader(&buffer).read());
        }
        QFile file(QString::fromStdString(path));
        if (!file.open(QIODevice::WriteOnly))
            return 0;
        {
            QPdfWriter writer(&file);
            writer.setResolution(int(kReferenceDpi));
            QPainter painter;
            for (std::size_t p = 0; p < m_pages.size(); ++p) {
                const SPage& page = m_pages[p];
                writer.setPageLayout(QPageLayout(QPageSize(page.size, QPageSize::Millimeter), QPageLayout::Portrait,
                                                 QMarginsF(), QPageLayout::Millimeter));
                if (p == 0)
                    painter.begin(&writer);
                else
                    writer.newPage();
                for (const SWords& words : page.words) {
                    painter.setFont(words.font);
                    painter.drawText(words.rect, Qt::TextWordWrap, words.text);
                }
                for (const SPicture& picture : page.pictures)
                    painter.drawImage(picture.rect, pictures[picture.index]);
            }
            painter.end();
        }
        return file.size();
    }

private:
    struct SWords
    {
        QRectF rect;
        QFont font;
        QString text;
    };
    struct SPicture
    {
        QRectF rect;
        std::size_t index;
    };
    struct SPage
    {
        QSizeF size;
        std::vector<SWords> words;
        std::vector<SPicture> pictures;
    };
    std::vector<SPage> m_pages;
    std::vector<QByteArray> m_encoded;
};
