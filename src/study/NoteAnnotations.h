#pragma once
// CNoteAnnotations: the user's notes on a study graph, kept in the view settings' note list and
// drawn as chart labels: a text box that the user can drag and, for a note attached to a data
// point, a marker on that point. In notes mode a click on a data point places a new note there.
#include "platform/framework/CString.h"
#include "platform/framework/WinTypes.h"
#include "project/structAddNotes.h"

#include <functional>
#include <vector>

class CiPlotX;
class CPlotChannel;
struct SPlotLabel;
class CWnd;

// Posted to the view: notes mode ended (the toolbar button follows the manager's state).
inline constexpr UINT WM_NOTES_STATE = 0x439; // WM_USER+57
// Posted to the view with wParam MAKEWPARAM(kNoteDeleteNotification, note id): delete that note.
inline constexpr UINT WM_GRAPH_NOTIFY = 0x432; // WM_USER+50
inline constexpr WORD kNoteDeleteNotification = 259;
inline constexpr UINT ID_NOTE_EDIT = 33120;
inline constexpr UINT ID_NOTE_DELETE = 33121;

class CNoteAnnotations
{
public:
    // Where an attached note's data point is: its session, quantity, phase and statistic, and
    // the sample: its time in whole seconds after the session's first record, or, in notes
    // stored by older versions, the index of a chart point as the chart was fed then.
    struct SAnchor
    {
        int session = 0;
        int quantity = 0;
        int phase = 0;
        int statistic = 0;
        int sample = 0;
        bool timed = true;
    };
    // Where an anchor's marker stands: the chart channel (-1: not plotted) and the sample's X
    // value and value on that channel's axes (NaN: the sample is not there to mark).
    struct SPlace
    {
        int channel = -1;
        double x = 0.0;
        double value = 0.0;
    };
    using AnchorLocator = std::function<SPlace(const SAnchor&)>;

    CNoteAnnotations(CWnd* view, CiPlotX* chart, std::vector<structAddNotes>* notes);
    void SetAnchorLocator(AnchorLocator locator) { m_locator = std::move(locator); }

    // Every note's chart objects made again from the note list.
    void Reinitialise();
    // Text boxes and anchors placed again at their stored positions.
    void Replace();

    void SetNotesMode(bool on) { m_notesMode = on; }
    bool IsNotesMode() const { return m_notesMode; }
    int GetCount() const { return int(m_notes->size()); }
    // Placing (notes mode) or moving a note.
    bool IsBusy() const { return m_notesMode || m_moving >= 0; }
    bool IsMoving() const { return m_moving >= 0; }

    // Notes mode: a new note attached to the sample of the anchor given, which point `point` of
    // chart channel `channel` shows, with the text given; notes mode ends. The note's id, -1 when
    // none was placed.
    int PlaceAtPoint(const SAnchor& anchor, int channel, int point, const CString& text);
    // A chart label that belongs to a note: its note id; -1 otherwise.
    int NoteOfLabel(int label) const;
    // Starts moving the note of a clicked label; false when the label is no note's.
    bool BeginMove(int label);
    // The note being moved follows the mouse (chart value x, y in percent of the plot).
    void MoveTo(double x, double y);
    void EndMove();
    // A note's text box was dragged by the chart: its new place is kept.
    void OnLabelMoved(int label);

    // Opens the text of note `id` for editing; an empty text deletes the note. False when
    // cancelled or there is no such note.
    bool Edit(int id);
    // The note's menu: "Edit" or "Delete" (deleting posts the delete notification to the view).
    void ContextMenu(int label, int x, int y);
    // Removes note `id` and its chart objects; false when there is no such note.
    bool Delete(int id);
    // The notes of a removed session go, the others are renumbered.
    void DropSession(int session);

private:
    static CString AnchorName(const structAddNotes& note);
    void AddObjects(const structAddNotes& note);
    // The marker of an attached note's sample put where the sample stands now (or taken away);
    // the visible channel that plots the sample, null when none does.
    const CPlotChannel* PlaceAnchor(const structAddNotes& note);
    // The note's text box shown with its sample's channel (a free note always).
    static void FollowSample(SPlotLabel& box, const structAddNotes& note, const CPlotChannel* shownOn);
    void RemoveObjects(const structAddNotes& note);

    CWnd* m_view;
    AnchorLocator m_locator;
    CiPlotX* m_chart;
    std::vector<structAddNotes>* m_notes;
    bool m_notesMode = false;
    int m_moving = -1;
};
