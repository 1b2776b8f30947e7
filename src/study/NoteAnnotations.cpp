#include "study/NoteAnnotations.h"

#include "platform/chart/CiPlotX.h"
#include "platform/framework/windows/CDialog.h"
#include "platform/framework/windows/CMenu.h"
#include "platform/framework/windows/DialogTemplate.h"
#include "platform/framework/windows/Messages.h"
#include "platform/framework/windows/WindowStyles.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

constexpr COLORREF kNoteFill = RGB(255, 255, 225);
constexpr char kAnchorSuffix[] = " anchor";
constexpr UINT kNoteTextEdit = 1000;

// The note's text in a small modal dialog.
class CNoteTextDlg : public CDialog
{
public:
    explicit CNoteTextDlg(CString text) : m_text(std::move(text))
    {
        DialogTemplate dialog;
        dialog.caption = "Note";
        dialog.size = CSize(180, 80);
        dialog.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        dialog.items = {
            {kNoteTextEdit, "EDIT", "", CRect(6, 6, 174, 54), WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN, 0},
            {IDOK, "BUTTON", "OK", CRect(68, 60, 118, 74), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0},
            {IDCANCEL, "BUTTON", "Cancel", CRect(124, 60, 174, 74), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0},
        };
        InitModalIndirect(dialog);
    }
    const CString& GetText() const { return m_text; }

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        SetDlgItemText(int(kNoteTextEdit), m_text);
        return TRUE;
    }
    void OnOK() override
    {
        GetDlgItemText(int(kNoteTextEdit), m_text);
        CDialog::OnOK();
    }

private:
    CString m_text;
};

// The data point's numbers in a note's name begin at 5000 (the project keeps no attached note
// whose third number is below), so the quantity goes there with this offset.
constexpr int kQuantityNumberBase = 5000;
// The last number of an attached note's name: what its sixth number is. Older versions wrote 0
// with the index of the chart point, which moves whenever the fed window does.
constexpr int kChartPointSample = 0;
constexpr int kTimedSample = 1;

// "Note %d.%d.%d.%d.%d.%d.%d": note number, session, 5000 + quantity, phase, statistic, sample
// and its kind.
bool ScanAttachedName(const CString& name, std::array<int, 7>& numbers)
{
    return std::sscanf(name.GetString(), "Note %d.%d.%d.%d.%d.%d.%d", &numbers[0], &numbers[1], &numbers[2],
                       &numbers[3], &numbers[4], &numbers[5], &numbers[6]) == 7;
}

} // namespace

CNoteAnnotations::CNoteAnnotations(CWnd* view, CiPlotX* chart, std::vector<structAddNotes>* notes)
    : m_view(view), m_chart(chart), m_notes(notes)
{
}

CString CNoteAnnotations::AnchorName(const structAddNotes& note)
{
    return note.name + kAnchorSuffix;
}

void CNoteAnnotations::AddObjects(const structAddNotes& note)
{
    SPlotLabel box;
    box.name = note.name;
    box.kind = EPlotLabelKind::Text;
    box.xAxisName = "XAxis0";
    box.x = note.x;
    box.y = note.y;
    box.text = note.text;
    box.filled = true;
    box.fillColor = kNoteFill;
    box.draggable = true;
    FollowSample(box, note, PlaceAnchor(note));
    m_chart->AddLabel(box);
}

void CNoteAnnotations::FollowSample(SPlotLabel& box, const structAddNotes& note, const CPlotChannel* shownOn)
{
    // A note stands with its sample's curve, on its time axis, and only while its session,
    // channel and sample are shown: never over another session's curve or on an empty chart.
    box.visible = !note.IsAttached() || shownOn;
    if (shownOn)
        box.xAxisName = shownOn->GetXAxisName();
}

const CPlotChannel* CNoteAnnotations::PlaceAnchor(const structAddNotes& note)
{
    std::array<int, 7> n{};
    const bool attached = note.IsAttached() && ScanAttachedName(note.name, n);
    SPlace place;
    if (attached && m_locator)
        place = m_locator({n[1], n[2] - kQuantityNumberBase, n[3], n[4], n[5], n[6] == kTimedSample});
    const CPlotChannel* plotted = m_chart->GetChannel(place.channel);
    if (plotted && !plotted->IsVisible())
        plotted = nullptr;
    const int existing = m_chart->FindLabel(AnchorName(note));
    if (!plotted || !std::isfinite(place.value)) {
        if (existing >= 0)
            m_chart->DeleteLabels(AnchorName(note));
        return plotted;
    }
    SPlotLabel anchor;
    anchor.name = AnchorName(note);
    anchor.kind = EPlotLabelKind::Point;
    anchor.xAxisName = plotted->GetXAxisName();
    anchor.channelName = plotted->GetName();
    anchor.x = place.x;
    anchor.value = place.value;
    anchor.color = plotted->GetColor();
    if (SPlotLabel* shown = m_chart->GetLabel(existing))
        *shown = anchor;
    else
        m_chart->AddLabel(anchor);
    return plotted;
}

void CNoteAnnotations::RemoveObjects(const structAddNotes& note)
{
    m_chart->DeleteLabels(note.name);
    m_chart->DeleteLabels(AnchorName(note));
}

void CNoteAnnotations::Reinitialise()
{
    if (!m_chart || !m_notes)
        return;
    for (const structAddNotes& note : *m_notes)
        RemoveObjects(note);
    for (const structAddNotes& note : *m_notes)
        AddObjects(note);
}

void CNoteAnnotations::Replace()
{
    if (!m_chart || !m_notes)
        return;
    for (const structAddNotes& note : *m_notes)
        if (m_chart->FindLabel(note.name) < 0) {
            AddObjects(note);
        } else if (SPlotLabel* box = m_chart->GetLabel(m_chart->FindLabel(note.name))) {
            box->x = note.x;
            box->y = note.y;
            box->text = note.text;
            const CPlotChannel* shownOn = PlaceAnchor(note);
            // Placing the anchor may have added a label, moving the box in the chart's list.
            FollowSample(*m_chart->GetLabel(m_chart->FindLabel(note.name)), note, shownOn);
        }
}

int CNoteAnnotations::PlaceAtPoint(const SAnchor& anchor, int channel, int point, const CString& text)
{
    const CPlotChannel* plotted = m_chart ? m_chart->GetChannel(channel) : nullptr;
    if (!m_notesMode || !m_notes || !plotted || point < 0 || point >= plotted->GetCount())
        return -1;
    structAddNotes note;
    note.name.Format("Note %d.%d.%d.%d.%d.%d.%d", GetCount(), anchor.session, kQuantityNumberBase + anchor.quantity,
                     anchor.phase, anchor.statistic, anchor.timed ? anchor.sample : point,
                     anchor.timed ? kTimedSample : kChartPointSample);
    note.reference = structAddNotes::kAttachedToPoint;
    note.text = text;
    note.x = plotted->GetXValue(point);
    note.y = 90.0;
    m_notes->push_back(note);
    AddObjects(note);
    m_notesMode = false;
    if (m_view && m_view->GetSafeHwnd())
        m_view->PostMessage(WM_NOTES_STATE, 0, 0);
    return GetCount() - 1;
}

int CNoteAnnotations::NoteOfLabel(int label) const
{
    const SPlotLabel* object = m_chart ? m_chart->GetLabel(label) : nullptr;
    if (!object || !m_notes)
        return -1;
    for (int i = 0; i < GetCount(); ++i) {
        const structAddNotes& note = (*m_notes)[std::size_t(i)];
        if (object->name == note.name || object->name == AnchorName(note))
            return i;
    }
    return -1;
}

bool CNoteAnnotations::BeginMove(int label)
{
    m_moving = NoteOfLabel(label);
    return m_moving >= 0;
}

void CNoteAnnotations::MoveTo(double x, double y)
{
    if (m_moving < 0)
        return;
    structAddNotes& note = (*m_notes)[std::size_t(m_moving)];
    note.x = x;
    note.y = std::clamp(y, 0.0, 100.0);
    Replace();
}

void CNoteAnnotations::EndMove()
{
    m_moving = -1;
}

void CNoteAnnotations::OnLabelMoved(int label)
{
    const int id = NoteOfLabel(label);
    const SPlotLabel* box = m_chart ? m_chart->GetLabel(label) : nullptr;
    if (id < 0 || !box || box->kind != EPlotLabelKind::Text)
        return;
    structAddNotes& note = (*m_notes)[std::size_t(id)];
    note.x = box->x;
    note.y = box->y;
}

bool CNoteAnnotations::Edit(int id)
{
    if (!m_notes || id < 0 || id >= GetCount())
        return false;
    CNoteTextDlg dialog((*m_notes)[std::size_t(id)].text);
    if (dialog.DoModal() != IDOK)
        return false;
    if (dialog.GetText().IsEmpty())
        return Delete(id);
    (*m_notes)[std::size_t(id)].text = dialog.GetText();
    Replace();
    // The new text shows now, not at the chart's next drawing.
    if (m_chart)
        m_chart->Repaint();
    return true;
}

void CNoteAnnotations::ContextMenu(int label, int x, int y)
{
    const int id = NoteOfLabel(label);
    if (id < 0)
        return;
    CMenu menu;
    menu.CreatePopupMenu();
    menu.AppendMenu(MF_STRING, ID_NOTE_EDIT, "Edit");
    menu.AppendMenu(MF_STRING, ID_NOTE_DELETE, "Delete");
    // The chart tells where it was clicked; the menu opens there on the screen.
    CPoint at(x, y);
    if (m_chart && m_chart->GetSafeHwnd())
        m_chart->ClientToScreen(&at);
    const UINT command = UINT(menu.TrackPopupMenu(TPM_RETURNCMD | TPM_RIGHTBUTTON, at.x, at.y, m_view));
    if (command == ID_NOTE_EDIT)
        Edit(id);
    else if (command == ID_NOTE_DELETE && m_view && m_view->GetSafeHwnd())
        m_view->PostMessage(WM_GRAPH_NOTIFY, MAKEWPARAM(WORD(id), kNoteDeleteNotification), 0);
}

bool CNoteAnnotations::Delete(int id)
{
    if (!m_notes || id < 0 || id >= GetCount())
        return false;
    structAddNotes& note = (*m_notes)[std::size_t(id)];
    note.text.Empty();
    if (m_chart)
        RemoveObjects(note);
    m_notes->erase(m_notes->begin() + id);
    if (m_moving == id)
        m_moving = -1;
    Replace();
    if (m_view && m_view->GetSafeHwnd())
        m_view->PostMessage(WM_NOTES_STATE, 0, 0);
    return true;
}

void CNoteAnnotations::DropSession(int session)
{
    if (!m_notes || session < 0)
        return;
    if (m_chart)
        for (const structAddNotes& note : *m_notes)
            RemoveObjects(note);
    // Renumbering keeps the note numbers consecutive and the session numbers of later sessions
    // in step with the project.
    std::vector<structAddNotes> kept;
    int number = 0;
    for (structAddNotes note : *m_notes) {
        std::array<int, 7> n{};
        if (ScanAttachedName(note.name, n)) {
            if (n[1] == session)
                continue;
            note.name.Format("Note %d.%d.%d.%d.%d.%d.%d", number, n[1] > session ? n[1] - 1 : n[1], n[2], n[3], n[4],
                             n[5], n[6]);
        } else {
            note.name.Format("Note %d", number);
        }
        ++number;
        kept.push_back(note);
    }
    *m_notes = std::move(kept);
    if (m_chart)
        Reinitialise();
}
