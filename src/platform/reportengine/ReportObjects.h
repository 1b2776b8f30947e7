#pragma once
// The objects of a loaded report template: bands that hold components. Every object has a name
// by which the application can find it and switch it off; lengths are millimetres, font sizes
// points.
#include "platform/reportengine/ReportObject.h"

#include <QColor>
#include <QImage>
#include <QRectF>

#include <memory>
#include <vector>


struct SReportFont
{
    CString family = "DejaVu Sans";
    double size = 9.0;
    bool bold = false;
    bool italic = false;
};

// Frame sides drawn around a component.
enum EReportFrame : unsigned
{
    kFrameNone = 0,
    kFrameLeft = 1,
    kFrameTop = 2,
    kFrameRight = 4,
    kFrameBottom = 8,
    kFrameAll = 15,
};

enum class EReportAlign
{
    kLeft,
    kCenter,
    kRight,
};

class CReportComponent : public CReportObject
{
public:
    enum class EKind
    {
        kMemo,
        kPicture,
        kLine,
    };

    explicit CReportComponent(EKind kind) : m_kind(kind) {}

    const char* GetTypeName() const override;
    EKind GetKind() const { return m_kind; }

    // A picture component shows this image from now on.
    void SetPicture(const QImage& picture) { m_picture = picture; }
    const QImage& GetPicture() const { return m_picture; }
    void ClearPicture() { m_picture = QImage(); }

    QRectF rect;
    CString text;
    SReportFont font;
    EReportAlign align = EReportAlign::kLeft;
    bool centerVertically = false;
    // The memo grows downwards to show all its text, and its band with it.
    bool stretch = false;
    unsigned frame = kFrameNone;
    QColor fill;
    QColor color = Qt::black;

private:
    EKind m_kind;
    QImage m_picture;
};

class CReportBand : public CReportObject
{
public:
    enum class EKind
    {
        kPageHeader,
        kPageFooter,
        kTitle,
        // Printed once where it stands, or after every row inside a master-data band.
        kChild,
        // One instance per row of its data set.
        kMasterData,
        // Inside a master-data band: before its first row (again on every new page) and after
        // its last row; neither when the data set has no rows.
        kHeader,
        kFooter,
    };

    explicit CReportBand(EKind kind) : m_kind(kind) {}

    const char* GetTypeName() const override;
    EKind GetKind() const { return m_kind; }

    double height = 0.0;
    // Master data: the name of the user data set that gives the rows.
    CString dataSet;
    // Printed only when this variable's value is neither empty nor "0" (with a leading "!": only
    // when it is).
    CString showIf;
    std::vector<std::unique_ptr<CReportComponent>> components;
    // Master data: its header, child and footer bands.
    std::vector<std::unique_ptr<CReportBand>> bands;

private:
    EKind m_kind;
};

struct SReportPageSetup
{
    double width = 210.0;
    double height = 297.0;
    double marginLeft = 20.0;
    double marginTop = 15.0;
    double marginRight = 15.0;
    double marginBottom = 15.0;

    double PrintableWidth() const { return width - marginLeft - marginRight; }
};

struct SReportTemplate
{
    SReportPageSetup page;
    std::unique_ptr<CReportBand> pageHeader;
    std::unique_ptr<CReportBand> pageFooter;
    std::vector<std::unique_ptr<CReportBand>> body;

    // The band or component of that name anywhere in the template; null when there is none.
    CReportObject* FindObject(const CString& name) const;
};

// Reads a template file; throws CReportEngineError naming the file and what is wrong.
std::unique_ptr<SReportTemplate> LoadReportTemplate(const CString& path);
