#include "platform/reportengine/MemoText.h"
#include "platform/reportengine/PageRenderer.h"
#include "platform/reportengine/ReportEngineError.h"
#include "platform/reportengine/ReportOutput.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

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
        throw CReportEngineError("The file \"" + path.str() + "\" cannot be written: " + file.errorString().toStdString());
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
    if (!file.commit())
        throw CReportEngineError("The file \"" + path.str() + "\" cannot be written: " + file.errorString().toStdString());
}
