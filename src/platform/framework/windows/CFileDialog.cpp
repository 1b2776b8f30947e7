#include "platform/framework/windows/CFileDialog.h"

#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/ModalLoop.h"
#include "platform/framework/windows/QtBridge.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QScreen>
#include <QWindow>

#include <array>

namespace
{
CFileDialog::Driver& FileDriver()
{
    static CFileDialog::Driver driver;
    return driver;
}

CColorDialog::Driver& ColorDriver()
{
    static CColorDialog::Driver driver;
    return driver;
}

// "Name (*.a)|*.a|All (*.*)|*.*||" becomes "Name (*.a);;All (*.*)"; the patterns after the bars
// are those the names show, so the names carry them.
QString QtFilter(const char* filter)
{
    if (!filter) return {};
    const QStringList parts = QString::fromUtf8(filter).split(u'|');
    QStringList entries;
    for (int i = 0; i + 1 < parts.size(); i += 2)
    {
        if (parts[i].isEmpty()) break;
        QString name = parts[i];
        const QString patterns = QString(parts[i + 1]).replace(u';', u' ');
        if (!name.contains(u'(')) name += QStringLiteral(" (") + patterns + u')';
        else name = name.left(name.indexOf(u'(')).trimmed() + QStringLiteral(" (") + patterns + u')';
        entries << name;
    }
    return entries.join(QStringLiteral(";;"));
}

// The dialog with its frame within the work area of the screen it opens on: no larger than the
// room (its contents shrink with it), where the owner's frame tells how the window manager frames
// it.
void FitToWorkArea(QDialog& dialog)
{
    QWidget* owner = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    const QScreen* screen = owner ? owner->screen() : dialog.screen();
    if (!screen) return;
    const QMargins frame = owner && owner->windowHandle() ? owner->windowHandle()->frameMargins() : QMargins();
    const QSize room = screen->availableGeometry().size().shrunkBy(frame);
    if (dialog.width() <= room.width() && dialog.height() <= room.height()) return;
    dialog.setMinimumSize(dialog.minimumSize().boundedTo(room));
    dialog.resize(dialog.size().boundedTo(room));
}
} // namespace

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExt, LPCTSTR fileName, DWORD flags, LPCTSTR filter, CWnd* parent)
    : m_open(openFileDialog), m_defaultExt(defaultExt ? defaultExt : ""), m_fileName(fileName ? fileName : ""),
      m_qtFilter(FromQString(QtFilter(filter))), m_parent(parent)
{
    m_ofn.Flags = flags;
}

CFileDialog::Driver CFileDialog::SetDriver(Driver driver) { return std::exchange(FileDriver(), std::move(driver)); }

CString CFileDialog::WithDefaultExtension(const CString& path) const
{
    if (m_defaultExt.IsEmpty() || path.IsEmpty() || !QFileInfo(ToQString(path)).suffix().isEmpty()) return path;
    return path + "." + m_defaultExt;
}

INT_PTR CFileDialog::DoModal()
{
    m_path = m_fileName;
    m_paths.clear();
    INT_PTR result = IDCANCEL;
    if (FileDriver())
    {
        result = FileDriver()(*this);
    }
    else
    {
        CFrameworkApp::EnsureInitialized();
        QFileDialog dialog(OwnerWidget(m_parent), ToQString(m_ofn.lpstrTitle), ToQString(m_ofn.lpstrInitialDir), ToQString(m_qtFilter));
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setAcceptMode(m_open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
        const bool several = m_open && (m_ofn.Flags & OFN_ALLOWMULTISELECT);
        dialog.setFileMode(several ? QFileDialog::ExistingFiles
                           : m_open && (m_ofn.Flags & OFN_FILEMUSTEXIST) ? QFileDialog::ExistingFile
                                                                          : QFileDialog::AnyFile);
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !(m_ofn.Flags & OFN_OVERWRITEPROMPT));
        if (!m_defaultExt.IsEmpty()) dialog.setDefaultSuffix(ToQString(m_defaultExt));
        const QStringList filters = ToQString(m_qtFilter).split(QStringLiteral(";;"), Qt::SkipEmptyParts);
        if (m_ofn.nFilterIndex >= 1 && int(m_ofn.nFilterIndex) <= filters.size())
            dialog.selectNameFilter(filters[int(m_ofn.nFilterIndex) - 1]);
        if (!m_fileName.IsEmpty()) dialog.selectFile(ToQString(m_fileName));
        FitToWorkArea(dialog);
        const CModalLoop running([&dialog] { dialog.reject(); });
        if (!running.Ended() && dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        {
            m_path = FromQString(dialog.selectedFiles().front());
            m_paths.clear();
            if (several)
                for (const QString& file : dialog.selectedFiles())
                    m_paths.push_back(FromQString(file));
            m_ofn.nFilterIndex = DWORD(filters.indexOf(dialog.selectedNameFilter()) + 1);
            result = IDOK;
        }
    }
    if (result == IDOK) m_path = WithDefaultExtension(m_path);
    return result;
}

CString CFileDialog::GetFileName() const { return FromQString(QFileInfo(ToQString(m_path)).fileName()); }
CString CFileDialog::GetFileExt() const { return FromQString(QFileInfo(ToQString(m_path)).suffix()); }
CString CFileDialog::GetFileTitle() const { return FromQString(QFileInfo(ToQString(m_path)).completeBaseName()); }
CString CFileDialog::GetFolderPath() const { return FromQString(QFileInfo(ToQString(m_path)).absolutePath()); }

CColorDialog::CColorDialog(COLORREF initial, DWORD, CWnd* parent) : m_color(initial), m_parent(parent) {}

CColorDialog::Driver CColorDialog::SetDriver(Driver driver) { return std::exchange(ColorDriver(), std::move(driver)); }

COLORREF* CColorDialog::GetSavedCustomColors()
{
    static std::array<COLORREF, 16> colors = [] {
        std::array<COLORREF, 16> c;
        c.fill(RGB(255, 255, 255));
        return c;
    }();
    return colors.data();
}

INT_PTR CColorDialog::DoModal()
{
    if (ColorDriver()) return ColorDriver()(*this);
    CFrameworkApp::EnsureInitialized();
    COLORREF* custom = GetSavedCustomColors();
    for (int i = 0; i < 16; ++i) QColorDialog::setCustomColor(i, ToQColor(custom[i]));
    QColorDialog dialog(ToQColor(m_color), OwnerWidget(m_parent));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    FitToWorkArea(dialog);
    const CModalLoop running([&dialog] { dialog.reject(); });
    const bool accepted = !running.Ended() && dialog.exec() == QDialog::Accepted;
    for (int i = 0; i < 16; ++i) custom[i] = FromQRgb(QColorDialog::customColor(i).rgb());
    if (!accepted) return IDCANCEL;
    m_color = FromQRgb(dialog.selectedColor().rgb());
    return IDOK;
}
