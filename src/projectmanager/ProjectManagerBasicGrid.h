#pragma once
// CProjectManagerBasicGrid: a grid that shows a list of collapsible cards, one per record (the
// project summary, a session, a saved screen). A card is a heading bar with a title, a collapse
// icon and push buttons, then a body of labels, editable texts, information texts and pictures.
// The derived grids give the card's layout as data (CardLayout.h) and fill the cards; this base
// builds, styles, collapses, sizes and animates them, and tells its page about buttons, edits and
// collapse changes through WM_PM_COMMAND and WM_PM_CARD_STATE.
//
// Collapsing works by row heights: the rows of a collapsed card stay and get the height 0, so
// only a change of the record count rebuilds the grid.
#include "grid/FixedSizeGrid.h"
#include "platform/framework/windows/Messages.h"
#include "projectmanager/CardLayout.h"
#include "views/MyFont.h"

#include <map>
#include <memory>
#include <vector>

class CGridViewBase;
class CProjectManagerSettings;
class CUGMultiFontType;
struct SProjectManagerContent;

// To the page: a project-manager command (wParam) and its argument (lParam).
inline constexpr UINT WM_PM_COMMAND = WM_USER + 35;
// To the page: wParam the grid, lParam 1 a card was collapsed, 0 expanded, 4 remove the record.
inline constexpr UINT WM_PM_CARD_STATE = WM_USER + 36;

// The commands of WM_PM_COMMAND.
enum EProjectManagerCommand
{
    kCommandRowEdited = 0,      // argument: the change kind
    kCommandAddSession = 1,
    kCommandAddSavedScreens = 2,
    kCommandDeleteSession = 3,  // argument: the session
    kCommandDeleteSavedScreen = 4,
    kCommandExportSession = 5,
    kCommandSessionSettings = 6,
};

// What WM_PM_CARD_STATE reports.
inline constexpr LPARAM kCardExpanded = 0;
inline constexpr LPARAM kCardCollapsed = 1;
inline constexpr LPARAM kCardRemove = 4;

class CProjectManagerBasicGrid : public CFixedSizeGrid
{
public:
    // Colours of the cards (red, green, blue).
    static constexpr COLORREF kHeadingBack = RGB(69, 72, 76);
    static constexpr COLORREF kHeadingPenColour = RGB(138, 144, 148);
    static constexpr COLORREF kHeadingText = RGB(255, 255, 255);
    static constexpr COLORREF kPageBack = RGB(233, 239, 244);
    static constexpr COLORREF kEditBack = RGB(255, 255, 255);
    static constexpr COLORREF kHighlightBack = RGB(221, 229, 233);
    static constexpr int kHeadingHeight = 25;
    static constexpr int kSpacerHeight = 8;
    static constexpr UINT kHoverMs = 100;
    // Width of a card in single-record mode.
    static constexpr int kSingleRecordWidth = 976;

    CProjectManagerBasicGrid(CGridViewBase* parentView, int sectionCount, bool singleRecord, UINT hoverTimerId);
    ~CProjectManagerBasicGrid() override;

    // Writes the texts and pictures of the records (index -1: all; in single-record mode the
    // record `index`, shown as card 0).
    virtual void Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings, int index) = 0;
    // Copies each card's collapse state into the settings / collapses the cards the settings
    // keep collapsed.
    virtual void StoreStates(CProjectManagerSettings& settings) const = 0;
    virtual void RestoreStates(const CProjectManagerSettings& settings) = 0;

    // Rebuilds the cards when the count differs; then the row heights.
    void SetSectionCount(int count);
    int GetSectionCount() const { return m_sectionCount; }
    // Collapse requests nest: a card shows again only when every collapse was undone. Collapsing
    // a card that is already collapsed changes nothing.
    void CollapseSection(int section);
    void ExpandSection(int section);
    void CollapseAll();
    void ExpandAll();
    bool IsSectionCollapsed(int section) const;
    // Text still being typed into a card's field is taken as if the user had left the field.
    void CommitEdit();
    // Follows the page's client size (width kept to the page's right edge).
    void FitToPage();
    // The grid window as high as all its rows.
    void FitGridHeight();
    virtual void ApplyRowHeights();
    void FitColumnWidths();

    // The layout of the grid's cards; a card may vary it (SectionLayout).
    const SCardLayout& Layout() const { return m_singleRecord ? SingleRecordLayout() : CardLayout(); }
    int GetColumnCount() const { return Layout().columnCount; }
    int GetRowsPerSection() const { return Layout().rowsPerSection; }
    int GetColumnSpan(bool withMargins) const { return GetColumnCount() - (withMargins ? 0 : 2); }
    int GetBodyRowSpan(bool withHeading, bool withSpacers) const;
    // Index of the editable (button) rectangle whose origin is the cell, or -1.
    int HitEditCell(int col, int row) const;
    int HitButtonCell(int col, int row) const;
    // Section of a grid row, -1 outside the cards.
    int SectionOfRow(int row) const;
    // Grid cell of a rectangle's origin in a card.
    int OriginCol(const SCardRect& rect) const;
    int OriginRow(int section, const SCardRect& rect) const;
    // Single-record mode: the page tells the grid that the drag of its heading ended; a drag that
    // was not dropped was a click, which toggles the card.
    void EndHeadingDrag(bool dropped);
    bool IsDraggingHeading() const { return m_dragging; }
    int GetHoverTimerId() const { return int(m_hoverTimerId); }
    bool IsHovering() const { return m_hovering; }
    int GetHoverCol() const { return m_hoverCol; }
    int GetHoverRow() const { return m_hoverRow; }
    int BitmapIndex(UINT resourceId) const;

    void OnSetup() override;
    BOOL OnCanMove(int oldCol, int oldRow, int newCol, int newRow) override;
    BOOL OnEditStart(int col, int row, CWnd** edit) override;
    BOOL OnEditContinue(int oldCol, int oldRow, int* newCol, int* newRow) override;
    // Over a text cut short: the whole text.
    BOOL OnHint(int col, int row, int section, CString* text) override;
    void OnLClicked(int col, int row, int updn, RECT* rect, POINT* point, BOOL processed) override;
    void OnDClicked(int col, int row, RECT* rect, POINT* point, BOOL processed) override;
    void OnMouseMove(int col, int row, POINT* point, UINT keyFlags, BOOL processed) override;
    // Cards mark no current cell; a heading the keyboard is on shows framed.
    void OnDrawFocusRect(CDC* dc, RECT* rect) override;

    // The keyboard goes through the cards in order, each card's heading, then its buttons and
    // fields: Tab and Shift+Tab, and the arrows, from one to the next, and Tab on out of the
    // grid after the last; a field is entered with its caret after its text, a heading shows
    // framed and a button as hovered, and Enter or Space collapses or expands the card or
    // presses the button. Arriving by Tab, the first (Shift+Tab: the last) item has the focus.
    using CUGCtrl::OnKeyDown;
    using CUGCtrl::OnSetFocus;
    using CUGCtrl::OnKillFocus;
    void OnKeyDown(UINT* vcKey, BOOL processed) override;
    void OnSetFocus(int section) override;
    void OnKillFocusTo(int section, CWnd* newWnd) override;
    BOOL PreTranslateMessage(MSG* msg) override;
    // The card and heading button the keyboard is at; false when it is at none.
    bool GetKeyButton(int& section, int& button) const;
    // The focus onto a card's heading (the report's items are gone through by their headings).
    void FocusHeading(int section);
    // The card whose heading the keyboard is on, -1 when none.
    int GetKeyHeading() const { return m_keyItem.heading ? m_keyItem.section : -1; }

protected:
    void OnTimer(UINT_PTR id) override;

    virtual const SCardLayout& CardLayout() const = 0;
    virtual const SCardLayout& SingleRecordLayout() const = 0;
    // The layout of one card: its labels, information texts and pictures may depend on its record.
    virtual const SCardLayout& SectionLayout(int /*section*/) const { return Layout(); }
    // The record a card shows: the card's index, in single-record mode the one record.
    int RecordOfSection(int section) const { return m_singleRecord ? m_recordIndex : section; }
    // Joins the cells of every rectangle of the card.
    virtual void JoinSectionCells(int section);
    virtual void SetSectionIcons(int section);
    virtual void SetSectionLabels(int section);
    virtual void SetInfoCellTypes(int section);
    void SetButtonCaptions(int section);
    // Every card's colours, borders, alignments and fonts.
    void SetColours();
    void StyleSection(int section);
    // Body row heights of a card; the saved screens' picture row follows its picture.
    virtual int BodyRowHeight(int section, int bodyRow) const;
    // A heading button was released on (single-record mode: Rename and Remove).
    virtual void OnButton(int section, int button) = 0;
    // Single-record mode: "Rename" makes the card's title editable and edits it; the trimmed new
    // name, when not empty and not the old one, renames the item in the project manager.
    void StartTitleRename(int section);
    void FinishTitleRename(int col, int row, const CString& text, const CStringW& oldName, int itemKind);
    // Single-record mode: whether the cell may be edited in place.
    bool IsEditable(int col, int row);

    // Styles one cell of a card (all cards when section is -1); a negative value or null leaves
    // that property alone.
    struct SCellStyle
    {
        COLORREF back = COLORREF(-1);
        COLORREF text = COLORREF(-1);
        int alignment = -1;
        int border = -1;
        CPen* pen = nullptr;
        CFont* font = nullptr;
        long cellTypeEx = -1;
    };
    void StyleSectionCells(int section, int col, int rowInSection, const SCellStyle& style);
    void StyleRect(int section, const SCardRect& rect, const SCellStyle& style);
    // The first and last grid column and row a rectangle covers in a card.
    void RectCells(int section, const SCardRect& rect, int& col1, int& row1, int& col2, int& row2) const;
    // Posts a command to the page.
    void PostCommand(int command, int argument);
    // The in-place editor's text for a body edit rectangle of a card.
    void SetEditText(int section, int edit, const CStringW& text);
    // The card whose heading button is being hovered ends its hover.
    void EndHover();

    CGridViewBase* m_parentView;
    CMyFont m_fonts; // keeps the shared fonts
    CFont* m_headingFont = nullptr;
    CFont* m_labelFont = nullptr;
    CFont* m_editFont = nullptr;
    int m_rowHeight = 20;
    bool m_fitHeightWithRows = true;
    bool m_keepRightMargin = true;
    CPen m_pagePen;
    CPen m_editPen;
    CPen m_headingPen;
    bool m_building = false;
    int m_iconExpanded = -1;
    int m_iconCollapsed = -1;
    int m_multiFontType = -1;
    bool m_singleRecord;
    int m_recordIndex = 0;

private:
    struct SRowState
    {
        int hiddenCount = 0;
        int savedHeight = 0;
    };

    void BuildSections();
    void RegisterBitmaps();
    void SetHeadingIcon(int section, bool collapsed);
    void ToggleSection(int section);
    // The title of a heading, or any of a collapsed card's heading.
    bool IsToggleArea(int section, int col, int row) const;
    // Single-record mode: a press on the toggle area starts dragging the heading through the
    // splitter that holds the page; true when the press was taken for that.
    bool StartHeadingDrag(int col, int row, RECT* rect, POINT* point);
    void StartHover(int col, int row, int button);

    // What the keyboard goes through: a card's heading (its title), a heading button or a field.
    struct SKeyItem
    {
        int section = -1;
        int button = -1;
        int edit = -1;
        bool heading = false;
        bool operator==(const SKeyItem&) const = default;
    };
    std::vector<SKeyItem> KeyItems() const;
    // Goes that many items on from the one the keyboard is at; false, changing nothing, past the
    // first or last.
    bool StepKeyItem(int step);
    // Shows the item: a heading framed, a button hovered, a field edited.
    void ShowKeyItem(const SKeyItem& item);
    // The grid cell of a card's title.
    CPoint TitleCell(int section) const;
    SKeyItem m_keyItem;

    std::vector<SRowState> m_rowStates;
    CSize m_pageSize{0, 0};
    int m_rightMargin = 0;
    bool m_rightMarginKnown = false;
    std::unique_ptr<CUGMultiFontType> m_multiFont;
    std::map<UINT, int> m_bitmapIndexes;
    // Column weights of the layout with the button columns measured.
    std::vector<double> m_columnWeights;
    int m_sectionCount;
    UINT m_hoverTimerId;
    int m_hoverCol = -1;
    int m_hoverRow = -1;
    int m_hoverButton = -1;
    bool m_hovering = false;
    bool m_hoverTimerRunning = false;
    int m_lastButtonDown = 0;
    // The press that started a heading drag, replayed as a click when nothing was dropped.
    bool m_dragging = false;
    int m_dragCol = -1;
    int m_dragRow = -1;
    CRect m_dragRect;
    CPoint m_dragPoint;
};
