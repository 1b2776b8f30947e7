#pragma once
// The preview of prepared pages: one page at a time, with page navigation, zoom and export to
// PDF or RTF. Pages are drawn at the screen's device pixels, and the window fits the work area.
#include "platform/reportengine/PreparedReport.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QScrollArea;

class CReportPreviewWindow : public QDialog
{
public:
    explicit CReportPreviewWindow(const std::vector<SPreparedPage>& pages, QWidget* parent = nullptr);

    int GetPageIndex() const { return m_page; }
    double GetZoom() const { return m_zoom; }
    void ShowPage(int index);
    void SetZoom(double zoom);

protected:
    void showEvent(QShowEvent* event) override;


private:
    // The window within the work area of its screen (the frame included once it has one).
    void FitToWorkArea();
    void Refresh();
    void Export(bool pdf);

    const std::vector<SPreparedPage>& m_pages;
    int m_page = 0;
    double m_zoom = 1.0;

    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_position = nullptr;
    QPushButton* m_first = nullptr;
    QPushButton* m_previous = nullptr;
    QPushButton* m_next = nullptr;
    QPushButton* m_last = nullptr;
};
