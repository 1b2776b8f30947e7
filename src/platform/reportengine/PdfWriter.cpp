#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/OutputFileFailure.h"
#include "platform/reportengine/PageRenderer.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportOutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>
#include <cstdint>

namespace
{
QPageLayout LayoutOf(const SReportPageSetup& setup)
{
    return QPageLayout(QPageSize(QSizeF(setup.width, setup.height), QPageSize::Millimeter), QPageLayout::Portrait,
                       QMarginsF(), QPageLayout::Millimeter);
}
} // namespace

void WritePdf(const std::vector<SPreparedPage>& pages, const CString& path)
{
    QSaveFile file(QString::fromUtf8(path.GetString()));
    if (!file.open(QIODevice::WriteOnly))
        throw OutputFileFailure(file, path, 0);
    {
        QPdfWriter writer(&file);
        writer.setResolution(int(kReferenceDpi));
        writer.setCreator("Report");
        writer.setPageLayout(LayoutOf(pages.empty() ? SReportPageSetup() : pages.front().setup));
        QPainter painter;
        if (!painter.begin(&writer))
        {
            file.cancelWriting();
            throw CReportEngineError("The file \"" + path.str() + "\" cannot be written.");
        }
        for (std::size_t i = 0; i < pages.size(); ++i)
        {
            if (i > 0)
            {
                writer.setPageLayout(LayoutOf(pages[i].setup));
                writer.newPage();
            }
            RenderPreparedPage(painter, pages[i], int(i) + 1, int(pages.size()), kReferenceDpi);
        }
        painter.end();
    }
    // The pages were written as they were drawn: what the file holds so far is what it needed.
    const auto written = std::uint64_t(std::max<qint64>(file.size(), 0));
    if (!file.commit())
        throw OutputFileFailure(file, path, written);
}
