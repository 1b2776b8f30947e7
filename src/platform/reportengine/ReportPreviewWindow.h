#pragma once
// The preview of prepared pages: one page at a time, with page navigation, zoom and export to
// PDF or RTF, by its buttons and by the keys of a document viewer (Page Up and Page Down scroll
// the page and then go to the page before or after, Home and End go to the first and the last,
// Plus and Minus zoom, with or without Ctrl; Ctrl+0 shows the page at its size). Pages are drawn at the screen's device pixels; the window
// opens over its owner within the work area, and an export proposes the folder it was given.
#include "platform/framework/CString.h"
#include "platform/reportengine/PreparedReport.h"

#include <QDialog>

class QAction;
class QLabel;
class QScrollArea;

class CReportPreviewWindow : public QDialog
{
public:
    CReportPreviewWindow(const std::vector<SPreparedPage>& pages, QWidget* parent = nullptr,
                         const CString& exportFolder = {});

    int GetPageIndex() const { return m_page; }
    double GetZoom() const { return m_zoom; }
    void ShowPage(int index);
    void SetZoom(double zoom);

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window within the work area of its screen (the frame included once it has one).
    void FitToWorkArea();
    void Refresh();
    void Export(bool pdf);
    // The keys of a document viewer; false for a key it has no use for.
    bool TakeKey(const QKeyEvent& key);
    // A screen of the page further (+1) or back (-1); at the page's end the next or previous page.
    void Leaf(int direction);

    const std::vector<SPreparedPage>& m_pages;
    CString m_exportFolder;
    int m_page = 0;
    double m_zoom = 1.0;

    QScrollArea* m_scroll = nullptr;
    QLabel* m_image = nullptr;
    QLabel* m_position = nullptr;
    QAction* m_first = nullptr;
    QAction* m_previous = nullptr;
    QAction* m_next = nullptr;
    QAction* m_last = nullptr;
};
