// A user's journey through the assembled program, as main() starts it on the offscreen platform:
// a project of written sessions; every page reached every way; every control of its toolbars and
// options bar clicked; every stored setting changed and kept over a save and a reopening; the
// CSV of each session and the PDF report; after every action, every record of every open session
// as its file holds it. Pages and settings are tables: a new page or setting is one more row. Run on a 1920x1080 screen at device ratios 1 and 2, and in the
// locales de_DE.UTF-8 and en_US.UTF-8 without the long walks over every control
// (ORN_JOURNEY_WITHOUT_WALKS; tests/CMakeLists.txt); the pictures of the pages go to ORN_RENDER_DIR.
#include "shell/AssembledProgram.h"

#include "datamodel/DataSet.h"
#include "datamodel/DateTimeFormats.h"
#include "datamodel/RecordScaleFactors.h"
#include "grid/CUGCell.h"
#include "grid/CUGCtrl.h"
#include "grid/CUGGrid.h"
#include "grid/CUGLstBox.h"
#include "mainview/StudyLayouts.h"
#include "platform/chart/CiPlotX.h"
#include "platform/framework/LocaleNumber.h"
#include "platform/framework/windows/CButton.h"
#include "platform/framework/windows/CComboBox.h"
#include "platform/framework/windows/CDateTimeCtrl.h"
#include "platform/framework/windows/CEdit.h"
#include "platform/framework/windows/CTabCtrl.h"
#include "platform/framework/windows/FrameworkApp.h"
#include "platform/framework/windows/GdiObjects.h"
#include "platform/framework/windows/NumberField.h"
#include "platform/framework/windows/WindowStyles.h"
#include "platform/framework/windows/WindowTesting.h"
#include "datamodel/DataSet.h"
#include "datamodel/TrendTimeBlock.h"
#include "project/BasicViewSettings.h"
#include "project/Bookmark.h"
#include "project/EditAuxSettingsDlg.h"
#include "project/ProjectManagerSettings.h"
#include "project/ProjectSettings.h"
#include "project/ReportViewSettings.h"
#include "project/TimeRangeRule.h"
#include "project/ZcaArchive.h"
#include "projectmanager/ProjectManagerDataSetGrid.h"
#include "projectmanager/ProjectManagerSavedScreenGrid.h"
#include "projectmanager/ProjectManagerSummaryGrid.h"
#include "projectmanager/ProjectManagerTableView.h"
#include "report/FastReport.h"
#include "reportpages/ReportContentGrid.h"
#include "reportpages/ReportContentView.h"
#include "reportpages/ReportListGrid.h"
#include "reportpages/ReportListView.h"
#include "shell/ExportReportCommand.h"
#include "shell/MainFrame.h"
#include "study/BasicGraphView.h"
#include "study/AxisControlBlock.h"
#include "study/BasicGraphViewDialogBar.h"
#include "study/BasicTableView.h"
#include "study/CalendarGrid.h"
#include "study/CalendarTableView.h"
#include "study/CalendarTableViewDialogBar.h"
#include "study/ChartMenus.h"
#include "study/DemandGrid.h"
#include "study/DemandPeriodChoices.h"
#include "study/DemandTableViews.h"
#include "study/ManualScaleDlg.h"
#include "study/SummaryGrid.h"
#include "support/ReferenceSessionReader.h"
#include "views/ButtonST.h"
#include "views/MyFormView.h"
#include "views/MyToolBar.h"
#include "views/SplitFrame.h"
#include "views/TabWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <regex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using ETab = CAssembledProgram::ETab;

// ---- The pages

// A page of the project window: the tab that holds it, its study view (-1 for none) and the
// View menu's item that shows it.
struct SPage
{
    const char* name;
    ETab tab;
    int viewId;
    UINT menuCommand;
};

constexpr SPage kPages[] = {
    {"project-manager", ETab::kProjectManagerTab, -1, CMainFrame::ID_VIEW_PROJECT_MANAGER},
    {"energy-rms-power", ETab::kEnergyTab, 0, CMainFrame::ID_VIEW_ENERGY_STUDY},
    {"energy-demand", ETab::kEnergyTab, 1, CMainFrame::ID_VIEW_ENERGY_STUDY},
    {"energy-calendar", ETab::kEnergyTab, 2, CMainFrame::ID_VIEW_ENERGY_STUDY},
    {"energy-fundamental-power", ETab::kEnergyTab, 3, CMainFrame::ID_VIEW_ENERGY_STUDY},
    {"energy-v-a-hz-thd", ETab::kEnergyTab, 4, CMainFrame::ID_VIEW_ENERGY_STUDY},
    {"load-rms-power", ETab::kLoadTab, 5, CMainFrame::ID_VIEW_LOAD_STUDY},
    {"load-calendar", ETab::kLoadTab, 6, CMainFrame::ID_VIEW_LOAD_STUDY},
    {"load-a-hz-thd", ETab::kLoadTab, 8, CMainFrame::ID_VIEW_LOAD_STUDY},
    {"report", ETab::kReportTab, -1, CMainFrame::ID_VIEW_REPORT},
};

// The View menu's item of each tab, in tab order.
constexpr UINT kTabMenuCommands[] = {CMainFrame::ID_VIEW_PROJECT_MANAGER, CMainFrame::ID_VIEW_ENERGY_STUDY,
                                     CMainFrame::ID_VIEW_LOAD_STUDY, CMainFrame::ID_VIEW_ADVANCED,
                                     CMainFrame::ID_VIEW_REPORT};

const char* const kSessionNames[] = {"Feeder north", "Feeder south", "Workshop load"};

// ---- The controls

constexpr UINT kFullWindow = 33048;
constexpr UINT kZoomIn = 33049;
constexpr UINT kNotesMode = 33051;
constexpr UINT kBookmark = 33055;
// Toolbar buttons that switch a state: clicked twice, the state and back.
constexpr UINT kToggleButtons[] = {CMyToolBar::kCollapseCommand, kFullWindow, kNotesMode};
// Left to the step that uses it on purpose.
constexpr UINT kButtonsOfTheirOwnSteps[] = {kBookmark};
// Check boxes that enable other controls stay checked, so that those are clicked too; every
// other check box is clicked twice.
constexpr int kEnablingCheckBoxes[] = {int(GraphBar::kSetTimeRange), int(GraphBar::kSetWorkingHours)};
// What step 3 types into every edit.
const CString kTypedValue = "1";

template <class T, std::size_t N>
bool Holds(const T (&list)[N], T value)
{
    return std::find(std::begin(list), std::end(list), value) != std::end(list);
}

std::string ClassAndId(CWnd& window)
{
    const std::string described = CAssembledProgram::Describe(window);
    return described.substr(0, described.find(" \""));
}

bool IsSpanButton(UINT id)
{
    return id >= GraphBar::kFirstSpanButton && id < GraphBar::kFirstSpanButton + 4;
}

bool IsCheckBox(CWnd& window)
{
    auto* button = dynamic_cast<CButton*>(&window);
    const UINT style = button ? button->GetButtonStyle() : BS_PUSHBUTTON;
    return style == BS_CHECKBOX || style == BS_AUTOCHECKBOX || style == BS_3STATE || style == BS_AUTO3STATE;
}

// One control of a page's toolbars and options bars as the user meets it.
struct SControl
{
    std::string key; // the classes and ids of its window and the two holding it, and the command
    CWnd* window;
    UINT command;    // the toolbar button's command; 0 for a control window
};

// The controls of the windows that show at least in part (a control beyond the edge of its bar
// is one the user cannot reach); charts and grids are not toolbars or options bars.
void CollectControls(CWnd& parent, std::vector<SControl>& controls)
{
    if (CAssembledProgram::ShownPart(parent).IsRectEmpty())
        return;
    for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible() || dynamic_cast<CUGCtrl*>(child) || dynamic_cast<CiPlotX*>(child))
            continue;
        const std::string key =
            ClassAndId(*parent.GetParent()) + " / " + ClassAndId(parent) + " / " + ClassAndId(*child);
        if (auto* toolBar = dynamic_cast<CMyToolBar*>(child)) {
            if (toolBar->GetType() == CMyToolBar::kSelectorType)
                continue; // the view selectors are step 2's
            for (int i = 0; i < toolBar->GetButtonCount(); ++i) {
                const UINT command = toolBar->GetCommand(i);
                if (command != 0 && command != CMyToolBar::kTitleCommand && !Holds(kButtonsOfTheirOwnSteps, command) &&
                    !toolBar->GetButtonRect(command).IsRectEmpty())
                    controls.push_back({key + " button " + std::to_string(command), toolBar, command});
            }
        }
        auto* button = dynamic_cast<CButton*>(child);
        const bool clickable = (button && button->GetButtonStyle() != BS_GROUPBOX) || dynamic_cast<CButtonST*>(child) ||
                               dynamic_cast<CEdit*>(child) || dynamic_cast<CComboBox*>(child) ||
                               dynamic_cast<CDateTimeCtrl*>(child);
        if (clickable && child->IsWindowEnabled())
            controls.push_back({key, child, 0});
        CollectControls(*child, controls);
    }
}

// ---- What a page shows

// A chart shows data when a channel has a point inside its X axis's range.
bool ChartShowsData(const CiPlotX& chart)
{
    for (int i = 0; i < chart.GetChannelCount(); ++i) {
        const CPlotChannel& channel = *chart.GetChannel(i);
        const CPlotXAxis* axis = chart.GetXAxis(chart.FindXAxis(channel.GetXAxisName()));
        if (!channel.IsVisible() || !channel.IsEnabled() || !axis)
            continue;
        for (int point = 0; point < channel.GetCount(); ++point)
            if (channel.GetXValue(point) >= axis->GetMin() && channel.GetXValue(point) <= axis->GetMax() &&
                std::isfinite(channel.GetYValue(point)))
                return true;
    }
    return false;
}

// The texts of a grid's cells, one after the other.
std::string GridText(CUGCtrl& grid)
{
    std::string all;
    for (int row = 0; row < grid.GetNumberRows(); ++row) {
        for (int col = 0; col < grid.GetNumberCols(); ++col) {
            CString text;
            grid.QuickGetText(col, row, &text);
            all += text.str() + "|";
        }
    }
    return all;
}

// What of the shown part of a page shows no data: a chart without a point in view, a study
// table without a figure. The grids of the other pages give their texts.
void FindMissingData(CWnd& window, std::vector<std::string>& missing, std::string& gridTexts)
{
    for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
        if (!child->IsWindowVisible() || CAssembledProgram::ShownPart(*child).IsRectEmpty())
            continue;
        const auto* chart = dynamic_cast<CiPlotX*>(child);
        auto* grid = dynamic_cast<CUGCtrl*>(child);
        const auto* view = dynamic_cast<CMyFormView*>(child->GetParent());
        if (chart && !ChartShowsData(*chart)) {
            missing.push_back(ClassAndId(*child->GetParent()) + " shows no data");
        } else if (grid) {
            const std::string text = GridText(*grid);
            if (view && view->GetViewKind() >= 0 && text.find_first_of("0123456789") == std::string::npos)
                missing.push_back(ClassAndId(*child->GetParent()) + " shows no figures");
            gridTexts += text;
        } else if (!chart) {
            FindMissingData(*child, missing, gridTexts);
        }
    }
}

// ---- The stored settings

// A setting of a study view that step 4 changes through the page's controls, and its value as
// the view's settings keep it.
using SettingValue = std::string (*)(const CBasicViewSettings&);
enum class EViews { kGraphs, kDemand, kCalendars, kEnergyCalendar, kStudies };
struct SSetting
{
    const char* name;
    EViews views;
    void (*change)(class UserJourneyTest&);
    SettingValue value;
};

bool Applies(EViews views, int viewId)
{
    switch (views) {
    case EViews::kGraphs: return !CViewSettings::IsCalendarView(viewId);
    case EViews::kDemand: return CViewSettings::IsDemandView(viewId);
    case EViews::kCalendars: return CViewSettings::IsCalendarView(viewId);
    case EViews::kEnergyCalendar: return viewId == 2;
    case EViews::kStudies: return true;
    }
    return false;
}

template <class Container>
std::string Joined(const Container& values)
{
    std::string text;
    for (const auto& value : values)
        text += std::to_string(value) + " ";
    return text;
}

std::string RangeText(const SValueRange& range)
{
    return FormatXmlDouble(range.from) + ".." + FormatXmlDouble(range.to);
}

// ---- The project file, line by line

// Each element of "project.xml" with its attributes and text, as one line naming its path.
void FlattenXml(const XmlNode& node, const std::string& path, std::multiset<std::string>& lines)
{
    for (const XmlNode* child = XmlFirstElement(&node); child; child = XmlNextElement(child)) {
        std::string line = path + "/" + std::string(XmlNameOf(*child));
        for (const XmlAttribute* attribute = child->first_attribute(); attribute;
             attribute = attribute->next_attribute())
            line += " " + std::string(attribute->name(), attribute->name_size()) + "=\"" +
                    std::string(attribute->value(), attribute->value_size()) + "\"";
        if (child->value_size() > 0)
            line += " = " + std::string(child->value(), child->value_size());
        lines.insert(line);
        FlattenXml(*child, path + "/" + std::string(XmlNameOf(*child)), lines);
    }
}

std::multiset<std::string> XmlLines(std::string text)
{
    XmlDocument doc;
    doc.parse<0>(text.data());
    std::multiset<std::string> lines;
    FlattenXml(doc, "", lines);
    return lines;
}

// The lines of one that the other lacks.
std::vector<std::string> Lacking(const std::multiset<std::string>& from, const std::multiset<std::string>& in)
{
    std::vector<std::string> lacking;
    std::set_difference(from.begin(), from.end(), in.begin(), in.end(), std::back_inserter(lacking));
    return lacking;
}

// ---- Faults

// The faults the journey meets, each told once, with where it showed first and how often: one
// failure each when the step ends.
class CFaults
{
public:
    void Add(const std::string& fault, const std::string& where)
    {
        auto [at, added] = m_index.emplace(fault, m_faults.size());
        if (added)
            m_faults.push_back({fault, where, 0});
        ++m_faults[at->second].count;
    }
    void Report(const std::string& step)
    {
        for (const SFault& fault : m_faults)
            ADD_FAILURE() << step << ": " << fault.text << "\n    first at: " << fault.where
                          << (fault.count > 1 ? "; " + std::to_string(fault.count) + " times" : std::string());
        m_faults.clear();
        m_index.clear();
    }

private:
    struct SFault
    {
        std::string text;
        std::string where;
        int count;
    };
    std::vector<SFault> m_faults;
    std::map<std::string, std::size_t> m_index;
};

std::string Lines(const std::vector<std::string>& lines, std::size_t most = 12)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size() && i < most; ++i)
        text += "\n      " + lines[i];
    if (lines.size() > most)
        text += "\n      ... and " + std::to_string(lines.size() - most) + " more";
    return text;
}

class UserJourneyTest : public ::testing::Test
{
public:
    UserJourneyTest() { program.DescribeDialogOpenersWith([](CWnd& opener) { return KeyboardAt(&opener); }); }

    // ---- Reaching pages and controls

    const SPage& PageOfView(int viewId) const
    {
        return *std::find_if(std::begin(kPages), std::end(kPages),
                             [viewId](const SPage& page) { return page.viewId == viewId; });
    }
    CWnd& ShownPage() { return *program.Tabs().GetPage(program.Tabs().GetActiveTab()); }

    // Shows the page by its tab and, for a study view, the view selector.
    void ClickToPage(const SPage& page)
    {
        if (page.viewId < 0)
            program.ClickTab(page.tab);
        else if (!program.ShowStudyPage(page.viewId))
            faults.Add("its view selector button does not show", page.name);
        m_page = &page;
    }
    // The frame of a section of the shown study page (kOverviewSection, kGraphSection,
    // kTimeRangeSection); null when the study has no such section.
    CSplitFrame* SectionFrame(int section)
    {
        const SStudyLayout* layout = FindStudyLayout(m_page->viewId);
        return layout && section < layout->sectionCount ? program.SectionFrame(layout->firstEntry + section) : nullptr;
    }
    CMyToolBar* SectionToolBar(int section)
    {
        CSplitFrame* frame = SectionFrame(section);
        return frame ? frame->FindSectionToolBar() : nullptr;
    }
    // Whether the section shows, at least its toolbar (a time-range section only shows while a
    // time range is set).
    bool IsSectionShown(int section)
    {
        CMyToolBar* toolBar = SectionToolBar(section);
        return toolBar && toolBar->IsWindowVisible() && !CAssembledProgram::ShownPart(*toolBar).IsRectEmpty();
    }
    void SetSectionCollapsed(int section, bool collapsed)
    {
        if (IsSectionShown(section) && SectionFrame(section)->IsSectionCollapsed() != collapsed)
            ClickSectionButton(section, CMyToolBar::kCollapseCommand);
    }
    void ClickSectionButton(int section, UINT command)
    {
        CMyToolBar* toolBar = SectionToolBar(section);
        if (!toolBar || !CAssembledProgram::ClickButtonInView(*toolBar, command))
            faults.Add("button " + std::to_string(command) + " of section " + std::to_string(section) +
                           " cannot be reached",
                       m_page->name);
    }
    // The control of that id on the shown page, in its options bar or views; null when none shows.
    CWnd* Control(UINT id)
    {
        std::vector<SControl> controls;
        CollectControls(ShownPage(), controls);
        for (const SControl& control : controls)
            if (!control.command && UINT(control.window->GetDlgCtrlID()) == id)
                return control.window;
        return nullptr;
    }
    // The first row of limits the page's options bar shows (a study shows only its quantities).
    UINT FirstLimitRow()
    {
        for (UINT row = 0; row < UINT(GraphBar::kRows); ++row)
            if (Control(GraphBar::kFirstLimitEdit + row))
                return row;
        return 0;
    }
    // Clicks the control of that id; a check box only when it is not checked yet.
    void Click(UINT id)
    {
        m_spanButtonClicked = m_spanButtonClicked || IsSpanButton(id);
        CWnd* control = Control(id);
        if (control && IsCheckBox(*control) && control->SendMessage(BM_GETCHECK) != 0)
            return;
        if (!control || !CAssembledProgram::ClickInView(*control))
            faults.Add("control " + std::to_string(id) + " cannot be reached", m_page->name);
    }
    void Type(UINT id, const CString& text)
    {
        CWnd* control = Control(id);
        if (!control || !CAssembledProgram::TypeInto(*control, text))
            faults.Add("edit " + std::to_string(id) + " cannot be reached", m_page->name);
    }
    // The next item of a drop-down list, or the next step of a time, as the keyboard gives it.
    void Step(UINT id, UINT key)
    {
        CWnd* control = Control(id);
        if (!control || !CAssembledProgram::StepInView(*control, key))
            faults.Add("control " + std::to_string(id) + " cannot be reached", m_page->name);
    }
    // ---- What the user sees after each action

    // The page is the expected one and shows data; nothing was logged that a normal run never
    // writes (the journey provokes no such line); no dialog, menu or message came up but those
    // the action expects; nothing is left open.
    void CheckPage(const std::string& action, const std::vector<std::string>& expected = {})
    {
        const std::string where = std::string(m_page->name) + ": " + action;
        Settle();
        if (program.Tabs().GetActiveTab() != int(m_page->tab))
            faults.Add("another tab shows: " + program.Tabs().GetTabTitle(program.Tabs().GetActiveTab()).str(), where);
        else if (m_page->viewId >= 0 && program.MainView().GetCurrentViewId() != m_page->viewId)
            faults.Add("another study view shows: " + std::to_string(program.MainView().GetCurrentViewId()), where);
        std::vector<std::string> missing;
        std::string gridTexts;
        FindMissingData(ShownPage(), missing, gridTexts);
        for (const std::string& empty : missing)
            faults.Add(std::string(m_page->name) + ": " + empty, where);
        if (m_page->viewId < 0 && gridTexts.find(m_firstSessionName) == std::string::npos)
            faults.Add(std::string(m_page->name) + ": no session shows", where);
        CheckTimeRange(where);
        CheckLabelsAndSpanButton(where);
        CheckOptionFields(where);
        CheckNotes(where);
        // Every label, bar text, card and table cell of the page shows whole, or ends with "…"
        // and tells itself whole in its tip.
        for (const std::string& cut : CAssembledProgram::FindCutTexts(ShownPage()))
            faults.Add("a cut text: " + cut, where);
        CheckQuiet(where, expected);
    }
    // The limit fields of a graph page's options bar: each shows a text that reads back, by the
    // field's own rule (a number in the row's unit kept in single precision), to the limit stored,
    // with no digit to spare (the field being typed into is left to its typing).
    void CheckOptionFields(const std::string& where)
    {
        auto* graph = m_page->viewId >= 0 ? CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection))
                                          : nullptr;
        CBasicGraphViewDialogBar* bar = graph ? graph->GetDialogBar() : nullptr;
        if (!bar || !bar->IsWindowVisible())
            return;
        for (int row = 0; row < GraphBar::kRows; ++row) {
            CWnd* field = bar->GetDlgItem(int(GraphBar::kFirstLimitEdit) + row);
            if (!field || !field->IsWindowVisible() || CWnd::GetFocus() == field)
                continue;
            CString text;
            field->GetWindowText(text);
            double read = 0.0;
            const float stored = graph->GetSettings().m_limits[std::size_t(row)];
            const auto readsBack = [&](double value) { return float(value * bar->LimitScale(row)) == stored; };
            if (!ReadLocaleNumber(text, CUserLocale::Current(), read) || !readsBack(read) || HasSpareDigit(read, text, readsBack))
                faults.Add("limit field " + std::to_string(row) + " shows \"" + text.str() + "\" for the stored " +
                               FormatXmlFloat(stored),
                           where);
        }
    }
    // Each note of a graph stands with its sample: its box shows while the curve of its session,
    // quantity, phase and statistic shows, and only then; its marker stands on that curve, at the
    // sample's time for a note that keeps it.
    void CheckNotes(const std::string& where)
    {
        auto* graph = m_page->viewId >= 0 ? CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection)) : nullptr;
        if (!graph || !graph->IsWindowVisible())
            return;
        CiPlotX& chart = *graph->GetPlotControl();
        for (const structAddNotes& note : graph->GetSettings().m_notes) {
            const SPlotLabel* box = chart.GetLabel(chart.FindLabel(note.name));
            // Note number, session, 5000 + quantity, phase, statistic, sample, whether the sample is a time.
            std::array<int, 7> n{};
            if (!box || !note.IsAttached() ||
                std::sscanf(note.name.str().c_str(), "Note %d.%d.%d.%d.%d.%d.%d", &n[0], &n[1], &n[2], &n[3], &n[4], &n[5], &n[6]) != 7) {
                if (!box)
                    faults.Add("the note \"" + note.name.str() + "\" has no box on the chart", where);
                continue;
            }
            const CPlotChannel* curve = chart.GetChannel(graph->FindFeederChannel(n[1], DWORD(n[2] - 5000), DWORD(n[3]), n[4]));
            if (curve && !curve->IsVisible())
                curve = nullptr;
            if (box->visible != (curve != nullptr))
                faults.Add("the note \"" + note.name.str() + (curve ? "\" does not show with its curve" : "\" shows without its curve"), where);
            const SPlotLabel* anchor = chart.GetLabel(chart.FindLabel(note.name + " anchor"));
            if (anchor && (!curve || anchor->channelName != curve->GetName()))
                faults.Add("the marker of the note \"" + note.name.str() + "\" stands off its curve", where);
            CDataSet* set = program.Document().GetDataSet(n[1]);
            if (anchor && set && n[6] == 1 &&
                std::fabs(anchor->x - set->GetFirstRecordTime().GetAsDate() - n[5] / 86400.0) > 0.5 / 86400.0)
                faults.Add("the marker of the note \"" + note.name.str() + "\" stands off its sample", where);
        }
    }
    // Every text box on the plot (the range's dates, the notes, the cursors' readouts) shows whole
    // inside it, the two dates of the range apart; the span button pressed names what the range's
    // time axis shows: an hour, a day or a week of the local calendar (the same clock time that
    // many days later), anything else "Individual". An input that leaves the axis as it was leaves
    // the button as it was, but for a click on a span button ("Individual" names any range).
    void CheckLabelsAndSpanButton(const std::string& where)
    {
        auto* graph = m_page->viewId >= 0 ? CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection)) : nullptr;
        if (!graph || !graph->IsWindowVisible())
            return;
        CiPlotX& chart = *graph->GetPlotControl();
        CRect inside;
        for (int i = 0; i < chart.GetLabelCount(); ++i)
            if (const CRect box = chart.GetLabelBox(i); chart.GetLabel(i)->filled && !box.IsRectEmpty() &&
                                                        !(inside.IntersectRect(box, chart.GetLayout().plot) && inside == box))
                faults.Add("the label \"" + chart.GetLabel(i)->text.str() + "\" stands cut at the plot's edge", where);
        for (int i = 0; i < CiPlotX::kCursorCount; ++i)
            if (const CRect box = chart.GetCursorReadoutBox(i);
                !box.IsRectEmpty() && !(inside.IntersectRect(box, chart.GetLayout().plot) && inside == box))
                faults.Add("the readout \"" + chart.GetCursor(i).readout.str() + "\" stands cut at the plot's edge", where);
        // Curves are titled with their session, quantity and phase, as their readouts and notes.
        for (int i = 0; i < chart.GetChannelCount(); ++i)
            if (chart.GetChannel(i)->IsVisible() && chart.GetChannel(i)->GetTitle().Find("Axis") >= 0)
                faults.Add("a curve is titled \"" + chart.GetChannel(i)->GetTitle().str() + "\"", where);
        if (inside.IntersectRect(chart.GetLabelBox(chart.FindLabel(kTimeRangeStart)), chart.GetLabelBox(chart.FindLabel(kTimeRangeEnd))))
            faults.Add("the dates of the time range's markers overlap", where);
        CWnd* hour = graph->GetDialogBar() ? graph->GetDialogBar()->GetDlgItem(int(GraphBar::kFirstSpanButton)) : nullptr;
        const CPlotXAxis* axis = chart.GetXAxis(graph->GetTimeRangeMarkers().GetReferenceAxis());
        if (!hour || !axis)
            return;
        const CHighTime from = CHighTime::FromDate(axis->GetMin());
        const CHighTime to = CHighTime::FromDate(axis->GetMax());
        const bool sameClock = from.Format("%H:%M:%S", true) == to.Format("%H:%M:%S", true);
        const auto lasts = [&](double days, double leeway) { return std::fabs(axis->GetSpan() - days) <= leeway + 1e-8; };
        const bool named[] = {lasts(1.0 / 24.0, 0.0), sameClock && lasts(1.0, 1.0 / 24.0), sameClock && lasts(7.0, 1.0 / 24.0), true};
        const int naming = int(std::find(std::begin(named), std::end(named), true) - std::begin(named));
        int pressed = -1;
        for (int i = 0; i < 4; ++i)
            if (graph->GetDialogBar()->GetDlgItem(hour->GetDlgCtrlID() + i)->SendMessage(BM_GETCHECK) != 0)
                pressed = i;
        const auto seen = m_spanSeen.find(m_page->viewId);
        const bool sameAxis = seen != m_spanSeen.end() && seen->second.from == axis->GetMin() && seen->second.to == axis->GetMax();
        const bool kept = !sameAxis || seen->second.pressed == pressed || m_spanButtonClicked;
        // "Individual" stays for a range it was pressed for (by the user, or before the page was
        // left) until the axis shows another.
        const bool individualKept = pressed == 3 && (seen == m_spanSeen.end() || (sameAxis && kept));
        if (pressed != naming && !individualKept)
            faults.Add("the span button " + std::to_string(pressed) + " is pressed while the axis shows " +
                           from.Format("%Y-%m-%d %H:%M", true).str() + " to " + to.Format("%Y-%m-%d %H:%M", true).str(),
                       where);
        else if (!kept)
            faults.Add("the span button " + std::to_string(pressed) + " is pressed instead of " +
                           std::to_string(seen->second.pressed) + " while the axis still shows what it did",
                       where);
        m_spanSeen[m_page->viewId] = {axis->GetMin(), axis->GetMax(), pressed};
        m_spanButtonClicked = false;
    }
    // The time range of a graph page that sets one: begin not after end, inside the limits; the
    // markers and their labels, the pickers and the settings hold it; the time-range table sums
    // the records from the first not before the begin to the last before the end of each session.
    void CheckTimeRange(const std::string& where)
    {
        auto* graph = m_page->viewId >= 0 ? CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection))
                                          : nullptr;
        if (!graph || !graph->GetTimeRangeMarkers().IsShown())
            return;
        CFrameworkApp::PumpWaitingMessages(); // the table's refill is posted
        const CTimeRangeMarkers& markers = graph->GetTimeRangeMarkers();
        const double begin = markers.GetBegin();
        const double end = markers.GetEnd();
        if (!(begin <= end))
            faults.Add("the time range ends before it begins", where);
        if (begin < EarliestTimeRangeTime().GetAsDate() || end > LatestTimeRangeTime().GetAsDate())
            faults.Add("the time range lies outside the pickers' limits", where);
        if (!(graph->GetSettings().m_timeRange == SValueRange{begin, end}))
            faults.Add("the settings keep another time range than the markers show", where);
        CiPlotX& chart = *graph->GetPlotControl();
        const CPlotXAxis* axis = chart.GetXAxis(markers.GetReferenceAxis());
        for (const auto& [name, value] : {std::pair{kTimeRangeStart, begin}, std::pair{kTimeRangeEnd, end}}) {
            const SPlotLimit* marker = chart.GetLimit(chart.FindLimit(name));
            const SPlotLabel* label = chart.GetLabel(chart.FindLabel(name));
            if (!marker || !label || !axis || marker->position1 != value || label->text != axis->FormatValue(value))
                faults.Add(std::string("the marker ") + name + " or its label stands elsewhere than the range", where);
        }
        const SPickerControlIds& ids = GraphBar::kTimeRangePickers;
        for (const auto& [dateId, timeId, value] : {std::tuple{ids.beginDate, ids.beginTime, begin},
                                                    std::tuple{ids.endDate, ids.endTime, end}}) {
            CHighTime expected = CHighTime::FromDate(value);
            expected.RoundToSecond();
            SYSTEMTIME date{};
            SYSTEMTIME time{};
            SYSTEMTIME local{};
            auto* datePicker = dynamic_cast<CDateTimeCtrl*>(graph->GetDialogBar()->GetDlgItem(int(dateId)));
            auto* timePicker = dynamic_cast<CDateTimeCtrl*>(graph->GetDialogBar()->GetDlgItem(int(timeId)));
            if (!datePicker || !timePicker || !expected.GetAsSystemTime(local) || datePicker->GetTime(&date) != GDT_VALID ||
                timePicker->GetTime(&time) != GDT_VALID || date.wYear != local.wYear || date.wMonth != local.wMonth ||
                date.wDay != local.wDay || time.wHour != local.wHour || time.wMinute != local.wMinute ||
                time.wSecond != local.wSecond)
                faults.Add("the pickers show another time range than the markers", where);
            // And read so: the texts the user sees, the year in full.
            CString dateFormat = GetShortDateStrftimeFormat();
            dateFormat.Replace("%y", "%Y");
            CString dateText;
            CString timeText;
            if (datePicker && timePicker) {
                datePicker->GetWindowText(dateText);
                timePicker->GetWindowText(timeText);
            }
            if (dateText != expected.Format(dateFormat.GetString(), true) || timeText != expected.Format(GetTimeStrftimeFormat().GetString(), true))
                faults.Add("the pickers read another time range than the markers", where);
        }
        CheckTimeRangeTable(markers, where);
    }
    void CheckTimeRangeTable(const CTimeRangeMarkers& markers, const std::string& where)
    {
        CSplitFrame* frame = SectionFrame(kTimeRangeSection);
        auto* table = frame ? dynamic_cast<CBasicTableView*>(frame->GetView()) : nullptr;
        auto* demand = frame ? dynamic_cast<CDemandTableView*>(frame->GetView()) : nullptr;
        if (!table && !demand)
            return;
        const std::vector<SSelectedTimeRange>& ranges = table ? table->GetSelectedRanges() : demand->GetStoredRanges();
        for (int session = 0; session < int(ranges.size()) && session < program.Document().GetMeasurementCount(); ++session) {
            const bool hidden = table ? table->GetSessionData()[std::size_t(session)]->hidden != 0
                                      : demand->GetSessionData()[std::size_t(session)]->hidden != 0;
            const SSelectedTimeRange& range = ranges[std::size_t(session)];
            CDataSet* set = program.Document().GetDataSet(session);
            const CTrendTimeBlock* block = !set ? nullptr : range.accessSpec.demand ? set->GetDemandTimeBlock()
                                                                                   : set->GetTrendTimeBlock();
            if (hidden || range.accessSpec.IsGrouped() || !block)
                continue;
            // The records as the user counts them: those that start within the range.
            const LONGLONG tenth = kTicksPerSecond / 10;
            const LONGLONG from = CHighTime::FromDate(markers.GetBegin(session)).GetTicks() - tenth;
            const LONGLONG to = CHighTime::FromDate(markers.GetEnd(session)).GetTicks() - tenth;
            SRecordRange expected;
            for (int record = 0; record < block->GetRecordCount(); ++record) {
                const LONGLONG at = block->GetTime(record).GetTicks();
                if (at < from || at > to)
                    continue;
                if (expected.IsEmpty())
                    expected.first = record;
                expected.last = record;
            }
            if (range.selected != 1 || !(range.records == expected))
                faults.Add("the time-range table sums records " + std::to_string(range.records.first) + ".." +
                               std::to_string(range.records.last) + " of session " + std::to_string(session + 1) +
                               " for the records " + std::to_string(expected.first) + ".." + std::to_string(expected.last) +
                               " the markers hold",
                           where);
        }
    }
    // A graph whose refresh is due (its feed timer runs) is let refresh once, as it does
    // within a moment of what the user did; the journey looks at the page only then.
    void Settle()
    {
        CBasicGraphView* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(&ShownPage());
        if (!graph || !graph->IsWindowVisible() || !graph->IsTimerRunning(kFeedTimer))
            return;
        const int renders = graph->GetPlotControl()->GetRenderCount();
        CFrameworkApp::RunUntil([&] { return !graph->IsTimerRunning(kFeedTimer) ||
                                             graph->GetPlotControl()->GetRenderCount() != renders; },
                                2 * int(kGraphTimerMs));
    }
    void CheckQuiet(const std::string& where, const std::vector<std::string>& expected = {})
    {
        CheckRecordsAsWritten(where);
        for (const std::string& complaint : program.Complaints())
            faults.Add("logged: " + complaint, where);
        program.ForgetLog();
        const std::vector<std::string> shown = program.Interruptions();
        if (shown != expected)
            faults.Add("came up: " + Lines(shown) + "\n    expected:" + Lines(expected), where);
        program.ForgetInterruptions();
        // A dialog gives the keyboard back to the control that opened it.
        if (const std::optional<std::string> opener = program.TakeDialogOpener(); opener && KeyboardAt() != *opener)
            faults.Add("after a dialog the keyboard is at " + KeyboardAt() + ", not at " + *opener + " that opened it", where);
        for (const CString& open : program.OtherShownWindows()) {
            faults.Add("left open: " + open.str(), where);
            if (CWnd* main = program.App().GetMainFrame())
                SimulateKey(*main, VK_ESCAPE); // the journey goes on as a user would
        }
    }

    // The files the project's sessions were made of, in the project's order.
    void SessionsWrittenAs(std::vector<std::vector<BYTE>> files)
    {
        m_sessionFiles = std::move(files);
        m_references.clear();
    }
    // Each open session holds every record as a plain reading of its file does, in its place.
    void CheckRecordsAsWritten(const std::string& where)
    {
        auto* document = dynamic_cast<CRecDoc*>(program.App().GetDocument());
        for (int i = 0; document && i < document->GetDataSetCount() && i < int(m_sessionFiles.size()); ++i) {
            CDataSet& set = *document->GetDataSet(i);
            const auto& factors = set.GetScaleFactors().GetFactors();
            auto read = m_references.find(i);
            if (read == m_references.end() || read->second.first != factors)
                read = m_references.insert_or_assign(i, std::pair{factors, ReadReferenceSession(
                    m_sessionFiles[std::size_t(i)], set.GetScaleFactors())}).first;
            if (const std::string difference = DifferenceFromReference(set, read->second.second); !difference.empty())
                faults.Add("session " + std::to_string(i) + ": " + difference, where);
        }
    }

    // ---- Step 2 and 6: every page every way, laid out within its windows

    void CheckLaidOut(const std::string& name)
    {
        const std::vector<std::string> faulty = CAssembledProgram::FindLayoutFaults(program.MainFrame());
        if (!faulty.empty())
            faults.Add(std::to_string(faulty.size()) + " windows lie outside their windows or over others:" +
                           Lines(faulty, 6),
                       name);
        program.SavePage(name);
    }
    // Every page by its tab and view selector, then through the View menu from another tab. A
    // disabled tab's page shows no way.
    void VisitEveryPage()
    {
        for (const SPage& page : kPages) {
            ClickToPage(page);
            CheckPage("clicked to");
            CheckOpenKey("on the page");
            CheckLaidOut(page.name);
            program.ClickTab(page.tab == ETab::kProjectManagerTab ? ETab::kReportTab : ETab::kProjectManagerTab);
            program.ForgetLog();
            program.ForgetInterruptions();
            if (!program.ChooseMenuItem(1, page.menuCommand))
                faults.Add("its View menu item is disabled", page.name);
            CheckPage("chosen in the View menu");
            CheckOpenKey("once chosen in the View menu");
        }
        for (int tab = 0; tab < program.Tabs().GetTabCount(); ++tab) {
            if (program.Tabs().IsTabEnabled(tab))
                continue;
            const std::string name = "disabled tab " + program.Tabs().GetTabTitle(tab).str();
            program.ClickTab(ETab::kProjectManagerTab);
            program.ClickTab(ETab(tab));
            if (program.Tabs().GetActiveTab() == tab)
                faults.Add("its page shows when its tab is clicked", name);
            if (program.ChooseMenuItem(1, kTabMenuCommands[tab]))
                faults.Add("the View menu offers it", name);
            if (program.Tabs().GetActiveTab() == tab)
                faults.Add("its page shows when it is chosen in the View menu", name);
            program.ForgetLog();
            program.ForgetInterruptions();
        }
    }

    // ---- Step 2b: every page and every control by the keyboard alone

    // A key as the window system gives it to the active window; what it posts runs.
    void PressKey(UINT key, UINT flags = 0)
    {
        SimulateScreenKey(program.MainFrame(), key, flags);
        CFrameworkApp::PumpWaitingMessages();
    }
    // Tab (with Shift: back) pressed until `reached` holds; false when it never does within a
    // round of every stop.
    bool TabUntil(const std::function<bool()>& reached, UINT flags = 0)
    {
        for (int presses = 0; presses < kMostTabStops; ++presses) {
            if (reached())
                return true;
            PressKey(VK_TAB, flags);
        }
        return reached();
    }
    static constexpr int kMostTabStops = 600;
    // Where the keyboard is (or was, in a window that had the focus): the focus window, a
    // toolbar's button, a card's button or field.
    static std::string KeyboardAt(CWnd* focus = CWnd::GetFocus())
    {
        if (!focus)
            return "nowhere";
        std::string at = ClassAndId(*focus);
        for (CWnd* w = focus; w; w = w->GetParent()) {
            if (auto* toolBar = dynamic_cast<CMyToolBar*>(w))
                return ClassAndId(*toolBar->GetParent()) + " / " + ClassAndId(*toolBar) + " button " +
                       std::to_string(toolBar->GetFocusedCommand());
            if (auto* cards = dynamic_cast<CProjectManagerBasicGrid*>(w)) {
                int card = -1;
                int button = -1;
                return ClassAndId(*cards) + (cards->GetKeyButton(card, button) ? " card " + std::to_string(card) +
                                                                                    " button " + std::to_string(button)
                                                                              : " " + at);
            }
        }
        return ClassAndId(*focus->GetParent()) + " / " + at;
    }
    // The page shown by the keyboard: Tab to the page tabs, the arrows to its tab; for a study
    // view, Tab on to the view selector and the arrows to its view.
    void KeyToPage(const SPage& page)
    {
        m_page = &page;
        if (!TabUntil([this] { return CWnd::GetFocus() == &program.Tabs(); })) {
            faults.Add("Tab never reaches the page tabs from " + KeyboardAt(), page.name);
            return;
        }
        for (int i = 0; i < program.Tabs().GetTabCount() && program.Tabs().GetActiveTab() != int(page.tab); ++i) {
            PressKey(program.Tabs().GetActiveTab() < int(page.tab) ? VK_RIGHT : VK_LEFT);
            // The page a tab shows is built anew: the focus stays on the tabs, as on a tab bar.
            if (CWnd::GetFocus() != &program.Tabs()) {
                faults.Add("the page tabs lost the focus to " + KeyboardAt(), page.name);
                break;
            }
        }
        if (program.Tabs().GetActiveTab() != int(page.tab))
            faults.Add("the arrow keys do not bring its tab", page.name);
        if (page.viewId < 0)
            return;
        const auto atSelector = [] {
            auto* toolBar = dynamic_cast<CMyToolBar*>(CWnd::GetFocus());
            return toolBar && toolBar->GetType() == CMyToolBar::kSelectorType;
        };
        if (!TabUntil(atSelector)) {
            faults.Add("Tab never reaches the view selector", page.name);
            return;
        }
        for (int i = 0; i < 8 && program.MainView().GetCurrentViewId() != page.viewId && atSelector(); ++i)
            PressKey(program.MainView().GetCurrentViewId() < page.viewId ? VK_RIGHT : VK_LEFT);
        if (program.MainView().GetCurrentViewId() != page.viewId)
            faults.Add("the arrow keys do not bring its view", page.name);
        else if (!atSelector())
            faults.Add("the view selector lost the focus to " + KeyboardAt(), page.name);
    }
    // From the page tabs Tab goes round every control the mouse reaches on the page (the buttons
    // of the toolbars and of the cards, the fields, the options bars' controls, the charts and
    // the grids) and back to the tabs; Shift+Tab goes the same round backwards.
    void TabRoundThePage()
    {
        if (!TabUntil([this] { return CWnd::GetFocus() == &program.Tabs(); }))
            return;
        std::vector<std::string> round;
        std::set<CWnd*> focused;
        std::set<std::pair<CWnd*, UINT>> buttons;
        std::set<std::string> cardButtons;
        for (int presses = 0; presses < kMostTabStops; ++presses) {
            PressKey(VK_TAB);
            CWnd* focus = CWnd::GetFocus();
            if (!focus || focus == &program.Tabs())
                break;
            round.push_back(KeyboardAt());
            CheckFocusShows();
            for (CWnd* w = focus; w; w = w->GetParent()) {
                focused.insert(w);
                if (auto* toolBar = dynamic_cast<CMyToolBar*>(w))
                    buttons.insert({toolBar, toolBar->GetFocusedCommand()});
            }
            cardButtons.insert(round.back());
        }
        if (CWnd::GetFocus() != &program.Tabs())
            faults.Add("Tab does not come round to the page tabs; it stays at " + KeyboardAt(), m_page->name);
        std::string unreached;
        std::vector<SControl> controls;
        CollectControls(ShownPage(), controls);
        for (const SControl& control : controls) {
            const bool reached = control.command ? buttons.count({control.window, control.command}) != 0
                                                 : focused.count(control.window) != 0 || IsRadioOfReachedGroup(*control.window, focused);
            if (!reached)
                unreached += "\n      " + control.key;
        }
        std::vector<CUGCtrl*> grids;
        CollectGrids(ShownPage(), grids);
        for (CUGCtrl* grid : grids) {
            if (!focused.count(grid))
                unreached += "\n      " + ClassAndId(*grid->GetParent()) + " / " + ClassAndId(*grid);
            auto* cards = dynamic_cast<CProjectManagerBasicGrid*>(grid);
            for (int card = 0; cards && card < cards->GetSectionCount(); ++card)
                for (int button = 0; !cards->IsSectionCollapsed(card) && button < int(cards->Layout().buttons.size()); ++button)
                    if (!cardButtons.count(ClassAndId(*cards) + " card " + std::to_string(card) + " button " + std::to_string(button)))
                        unreached += "\n      " + ClassAndId(*cards) + " card " + std::to_string(card) + " button " +
                                     std::to_string(button);
        }
        if (!unreached.empty())
            faults.Add("Tab never reaches:" + unreached, m_page->name);
        // Backwards: the same stops in the reverse order.
        std::vector<std::string> back;
        for (int presses = 0; presses < kMostTabStops; ++presses) {
            PressKey(VK_TAB, MK_SHIFT);
            if (!CWnd::GetFocus() || CWnd::GetFocus() == &program.Tabs())
                break;
            back.push_back(KeyboardAt());
        }
        std::reverse(back.begin(), back.end());
        if (back != round)
            faults.Add("Shift+Tab goes another way than Tab:" + Lines(back, 8) + "\n    Tab:" + Lines(round, 8), m_page->name);
    }
    // Where the keyboard is shows: the focus window in sight, whole where the window holding it
    // has the room (a bar or page that scrolls brings it into view).
    void CheckFocusShows()
    {
        CWnd* focus = CWnd::GetFocus();
        if (!focus)
            return;
        CRect rect;
        focus->GetWindowRect(&rect);
        const CRect shown = CAssembledProgram::ShownPart(*focus);
        const CRect room = focus->GetParent() ? CAssembledProgram::ShownPart(*focus->GetParent()) : shown;
        if (shown.IsRectEmpty())
            faults.Add("Tab comes to " + KeyboardAt() + ", which does not show", m_page->name);
        else if (rect.Width() <= room.Width() && rect.Height() <= room.Height() && shown != rect)
            faults.Add("Tab comes to " + KeyboardAt() + ", which shows only in part", m_page->name);
    }
    // A radio button counts as reached when its group is: the group is one stop.
    static bool IsRadioOfReachedGroup(CWnd& control, const std::set<CWnd*>& focused)
    {
        auto* radio = dynamic_cast<CButton*>(&control);
        const UINT style = radio ? (radio->GetButtonStyle() & BS_TYPEMASK) : 0;
        if (style != BS_AUTORADIOBUTTON && style != BS_RADIOBUTTON)
            return false;
        for (CWnd* other = control.GetParent()->GetWindow(GW_CHILD); other; other = other->GetWindow(GW_HWNDNEXT))
            if (other != &control && focused.count(other) && dynamic_cast<CButton*>(other) &&
                (dynamic_cast<CButton*>(other)->GetButtonStyle() & BS_TYPEMASK) == style)
                return true;
        return false;
    }
    // Every page shown and gone round by the keyboard alone, with every section expanded (by its
    // collapse button, pressed with the keyboard) so that every control shows.
    void WalkEveryPageByTheKeyboard()
    {
        for (const SPage& page : kPages) {
            KeyToPage(page);
            CheckPage("reached by the keyboard");
            ExpandEverySectionByKeys();
            SelectTileWhenNoneIs();
            CheckPage("every section expanded by the keyboard");
            TabRoundThePage();
            CheckPage("gone round by Tab and Shift+Tab");
            ScaleAxesByKeys();
            EditNominalVoltageByKeys();
            ChooseCostByKeys();
            if (page.tab == ETab::kReportTab && OpenTileMenuByKeys())
                ArrangeReportByKeys();
        }
    }
    // The chart reached by Tab: the menu key (or Shift+F10) brings its menu, which offers the
    // scale dialog of every axis that shows; Escape closes the dialog with the keyboard back on
    // the chart.
    void ScaleAxesByKeys()
    {
        CiPlotX* chart = m_page->viewId >= 0 ? GraphChart() : nullptr;
        if (!chart || !chart->IsWindowVisible())
            return;
        if (!TabUntil([chart] { return CWnd::GetFocus() == chart; })) {
            faults.Add("Tab never reaches the chart", m_page->name);
            return;
        }
        std::vector<std::pair<UINT, UINT>> scales; // the menu's command, the dialog's template
        const SPlotLayout& layout = chart->GetLayout();
        for (std::size_t i = 0; i < layout.xAxisBands.size(); ++i)
            if (!layout.xAxisBands[i].IsRectEmpty())
                scales.emplace_back(ID_PLOT_SCALE_TIME_AXIS + UINT(i), CManualScaleXAxisDlg::kTemplateId);
        for (std::size_t i = 0; i < layout.yAxisBands.size(); ++i)
            if (!layout.yAxisBands[i].IsRectEmpty())
                scales.emplace_back(ID_PLOT_SCALE_VALUE_AXIS + UINT(i), CManualScaleDlg::kTemplateId);
        bool menuKey = true;
        for (const auto& [command, dialog] : scales) {
            program.AnswerNextMenu(command);
            program.AnswerNextDialog(dialog, [](CDialog& shown) { SimulateScreenKey(shown, VK_ESCAPE); });
            PressKey(menuKey ? VK_APPS : VK_F10, menuKey ? 0 : MK_SHIFT);
            menuKey = !menuKey;
            CheckQuiet(std::string(m_page->name) + ": an axis's scale by the keyboard",
                       {"menu " + std::to_string(ID_PLOT_RESET_ZOOM), "dialog " + std::to_string(dialog)});
            if (CWnd::GetFocus() != chart)
                faults.Add("after the scale dialog the keyboard is at " + KeyboardAt() + ", not on the chart", m_page->name);
        }
    }
    // The overview table by the keyboard where it has a nominal voltage: Tab arrives at its first
    // title, where Return collapses and expands the session; Down goes on to the voltage, where
    // typed figures and Return store it, the keyboard staying on it, and F2 opens it again for the
    // session's own voltage; Return on the reference beside it opens its list, Escape closes it.
    void EditNominalVoltageByKeys()
    {
        auto* grid = CAssembledProgram::FindDescendant<CSummaryGrid>(SectionFrame(kOverviewSection));
        auto* table = CAssembledProgram::FindDescendant<CBasicTableView>(SectionFrame(kOverviewSection));
        if (!grid || !table || !grid->IsWindowVisible())
            return;
        const SummaryBlocks& sessions = table->GetSessionData();
        const int block = FirstShownVoltage(*grid, sessions);
        if (block < 0)
            return;
        if (!TabUntil([grid] { return grid->IsChild(CWnd::GetFocus()); })) {
            faults.Add("Tab never reaches the overview table", m_page->name);
            return;
        }
        const auto at = [grid](int col, int row) { return grid->GetCurrentCol() == col && grid->GetCurrentRow() == row; };
        const int first = grid->GetCurrentRow() / grid->GetRowsPerBlock();
        if (!at(0, grid->BlockStart(first)))
            faults.Add("Tab does not arrive at the first session's title", m_page->name);
        for (const bool collapsed : {true, false}) {
            PressKey(VK_RETURN);
            if (grid->IsBlockCollapsed(first) != collapsed)
                faults.Add(std::string("Return on the title does not ") + (collapsed ? "collapse" : "expand") + " the session",
                           m_page->name);
        }
        const int row = grid->NumberCellRow(block);
        for (int presses = 0; presses < 3 * grid->GetRowsPerBlock() && !at(2, row); ++presses)
            PressKey(VK_DOWN);
        if (!at(2, row)) {
            faults.Add("Down never reaches the nominal voltage", m_page->name);
            return;
        }
        const auto type = [this](const std::string& text) {
            for (const char c : text)
                PressKey(c == '.' ? 0xBEu : UINT(c));
            PressKey(VK_RETURN);
        };
        const float own = sessions[std::size_t(block)]->nominalVoltage;
        type("231");
        CString shown;
        grid->QuickGetText(2, row, &shown);
        if (sessions[std::size_t(block)]->nominalVoltage != 231.0f || shown != VoltageText(231.0) ||
            !at(2, row) || !grid->IsChild(CWnd::GetFocus()))
            faults.Add("231 typed into the nominal voltage gives " + std::to_string(sessions[std::size_t(block)]->nominalVoltage) +
                           ", shown \"" + shown.str() + "\", the keyboard at " + KeyboardAt(),
                       m_page->name);
        PressKey(VK_RIGHT);
        PressKey(VK_RETURN);
        const auto* list = CAssembledProgram::FindDescendant<CUGLstBox>(grid);
        if (!list || !list->IsWindowVisible())
            faults.Add("Return on the voltage's reference opens no list", m_page->name);
        PressKey(VK_ESCAPE);
        PressKey(VK_LEFT);
        PressKey(VK_F2);
        type(CString::Formatted("%g", double(own)).str());
        if (sessions[std::size_t(block)]->nominalVoltage != own)
            faults.Add("F2 and the session's own voltage typed leave " + std::to_string(sessions[std::size_t(block)]->nominalVoltage),
                       m_page->name);
        CheckPage("edited the nominal voltage by the keyboard");
    }
    // The demand overview by the keyboard: Tab arrives at the first session's title; Down goes on
    // to its cost choice and Right to "advanced", which Space takes: without a tariff it opens the
    // session's settings (cancelled here), and the choice and the keyboard stay where they were.
    void ChooseCostByKeys()
    {
        auto* grid = CAssembledProgram::FindDescendant<CDemandGrid>(SectionFrame(kOverviewSection));
        if (!grid || !grid->IsWindowVisible())
            return;
        if (!TabUntil([grid] { return grid->IsChild(CWnd::GetFocus()); })) {
            faults.Add("Tab never reaches the demand overview", m_page->name);
            return;
        }
        const int block = grid->GetCurrentRow() / CDemandGrid::kRowsPerBlock;
        const int row = CDemandGrid::DataRow(block) + CDemandGrid::kChoiceRow;
        const auto at = [grid](int col, int r) { return grid->GetCurrentCol() == col && grid->GetCurrentRow() == r; };
        const bool arrived = at(0, CDemandGrid::BlockStart(block));
        PressKey(VK_DOWN);
        PressKey(VK_RIGHT);
        const bool onAdvanced = at(CDemandGrid::kAdvancedColumn, row);
        program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [](CDialog& dialog) { SimulateScreenKey(dialog, VK_ESCAPE); });
        PressKey(VK_SPACE);
        CUGCell advanced;
        grid->GetCell(CDemandGrid::kAdvancedColumn, row, &advanced);
        if (!arrived || !onAdvanced || advanced.GetNumber() != 0 || !at(CDemandGrid::kAdvancedColumn, row) ||
            !grid->IsChild(CWnd::GetFocus()))
            faults.Add(std::string("the cost choice by the keyboard: ") + (arrived ? "" : "Tab arrives elsewhere than the title; ") +
                           (onAdvanced ? "" : "Down and Right do not reach \"advanced\"; ") +
                           (advanced.GetNumber() != 0 ? "\"advanced\" is taken without a tariff; " : "") +
                           "the keyboard is at " + KeyboardAt(),
                       m_page->name);
        CheckPage("chose \"advanced\" by the keyboard", {"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)});
    }
    // The report list by the keyboard: Tab arrives at its first tile, whose menu (the one a right
    // click shows) the menu key brings. False when the list cannot be reached.
    bool OpenTileMenuByKeys()
    {
        auto* list = program.Section<CReportListView>(SMainViewLayout::kReportList);
        CReportListGrid* grid = list ? list->GetGrid() : nullptr;
        if (!grid || !TabUntil([grid] { return grid->IsChild(CWnd::GetFocus()); })) {
            faults.Add("Tab never reaches the report list", m_page->name);
            return false;
        }
        program.ForgetInterruptions();
        PressKey(VK_APPS);
        const std::vector<std::string> shown = program.Interruptions();
        if (shown.size() != 1 || shown[0].rfind("menu ", 0) != 0)
            faults.Add("the menu key shows no tile's menu:" + Lines(shown), m_page->name);
        program.ForgetInterruptions();
        CheckPage("showed a tile's menu by the menu key");
        return true;
    }
    // The report's items as the project holds them: kind and index of each, in order.
    std::string ReportItems()
    {
        const auto* report = dynamic_cast<const CReportViewSettings*>(
            program.Document().GetProjectSettings()->GetViewSettings(CViewSettings::kReportViewId));
        std::string items;
        for (const SReportItem& item : report ? report->m_items : std::vector<SReportItem>{})
            items += std::to_string(item.Type) + "." + std::to_string(item.Index) + " ";
        return items;
    }
    // From the first tile of the report list the menu key adds it to the report, the keyboard
    // staying on the tile; Down and the menu key add the next one. Tab goes on to the first item
    // of the report, whose menu moves it down; Up goes to the item above, Shift+F10 brings its
    // menu, which moves it down again; Delete removes the items one after the other, the keyboard
    // staying on the report's items.
    void ArrangeReportByKeys()
    {
        auto* content = program.Section<CReportContentView>(SMainViewLayout::kReportContent);
        auto* list = program.Section<CReportListView>(SMainViewLayout::kReportList);
        if (!content || !list || !ReportItems().empty())
            return;
        const auto expect = [&](const std::string& items, const std::string& after) {
            if (ReportItems() != items)
                faults.Add(after + ": the report holds " + ReportItems() + "instead of " + items, m_page->name);
        };
        const auto command = [this](UINT key, UINT flags, UINT chosen) {
            program.AnswerNextMenu(chosen);
            PressKey(key, flags);
        };
        command(VK_APPS, 0, CReportListGrid::kAddToReport);
        CReportListGrid* tiles = list->GetGrid();
        if (!tiles || !tiles->IsChild(CWnd::GetFocus()) || tiles->GetSelectedTile() != tiles->TileKeyOfEntry(0))
            faults.Add("once the tile is added to the report the keyboard is at " + KeyboardAt() + ", not on the tile", m_page->name);
        PressKey(VK_DOWN);
        command(VK_APPS, 0, CReportListGrid::kAddToReport);
        expect("0.0 1.0 ", "two tiles added by the menu key");
        const auto onItem = [content](int position) {
            const auto& records = content->GetRecords();
            return position < int(records.size()) && records[std::size_t(position)].grid->IsChild(CWnd::GetFocus());
        };
        if (!TabUntil([&] { return onItem(0); })) {
            faults.Add("Tab never reaches the report's items", m_page->name);
            return;
        }
        command(VK_APPS, 0, CReportContentView::kMoveDown);
        expect("1.0 0.0 ", "the first item moved down by its menu");
        if (!onItem(1))
            faults.Add("the moved item lost the keyboard to " + KeyboardAt(), m_page->name);
        PressKey(VK_UP);
        command(VK_F10, MK_SHIFT, CReportContentView::kMoveDown);
        expect("0.0 1.0 ", "Up, and the item moved down by Shift+F10");
        PressKey(VK_DELETE);
        expect("0.0 ", "Delete on the second item");
        if (!onItem(0))
            faults.Add("after Delete the keyboard is at " + KeyboardAt() + ", not on the item left", m_page->name);
        PressKey(VK_DELETE);
        expect("", "Delete on the last item");
        CheckPage("arranged the report by the keyboard",
                  {"menu " + std::to_string(CReportListGrid::kAddToReport), "menu " + std::to_string(CReportListGrid::kAddToReport),
                   "menu " + std::to_string(CReportContentView::kMoveUp), "menu " + std::to_string(CReportContentView::kMoveUp)});
    }
    // Each collapsed section's collapse button reached by Tab and pressed with Space.
    void ExpandEverySectionByKeys()
    {
        for (int section = kOverviewSection; section <= kTimeRangeSection; ++section) {
            CMyToolBar* toolBar = SectionToolBar(section);
            if (!IsSectionShown(section) || !SectionFrame(section)->IsSectionCollapsed())
                continue;
            if (!TabUntil([toolBar] { return toolBar->GetFocusedCommand() == CMyToolBar::kCollapseCommand; })) {
                faults.Add("Tab never reaches the collapse button of section " + std::to_string(section), m_page->name);
                continue;
            }
            PressKey(VK_SPACE);
            if (SectionFrame(section)->IsSectionCollapsed())
                faults.Add("Space does not expand section " + std::to_string(section), m_page->name);
        }
    }

    // In a dialog, each text typed into a number field and left with Tab (or the key given) is
    // refused with the message that names the field's range, the focus back in the field for the
    // user to mend.
    void ProbeDialogRefusals(CDialog& dialog, int id, const SNumberRange& range, std::initializer_list<const char*> texts,
                             std::vector<std::string>& shown, UINT leaveKey = VK_TAB)
    {
        CWnd* field = CAssembledProgram::FindDescendantWithId(&dialog, id);
        for (const char* typed : texts) {
            if (!field || !CAssembledProgram::TypeInto(*field, typed)) {
                faults.Add("the number field " + std::to_string(id) + " takes no text", "dialog " + std::to_string(dialog.GetTemplateId()));
                return;
            }
            SimulateScreenKey(dialog, leaveKey);
            CFrameworkApp::PumpWaitingMessages();
            double value = 0.0;
            shown.push_back("message box: " + RefusalText(CheckNumber(typed, range, value), typed, range).str());
            if (CWnd::GetFocus() != field)
                faults.Add(std::string("after \"") + typed + "\" was refused the focus is not back in its field",
                           "dialog " + std::to_string(dialog.GetTemplateId()));
        }
    }
    // A picker's first field clicked, unless the picker has the focus: after a refusal it has it
    // back, and what is typed next goes into its first field.
    static void ClickFirstFieldUnlessFocused(CDateTimeCtrl& picker)
    {
        if (CWnd::GetFocus() == &picker || picker.IsChild(CWnd::GetFocus()))
            return;
        CRect field;
        picker.GetClientRect(&field);
        CAssembledProgram::ClickAt(picker, CPoint(field.left + 4, field.CenterPoint().y));
    }
    // In a dialog, each time of day typed into a time picker in the locale's form, field by field
    // from its first: a time of day, left with Tab, is taken and shown; one that is none,
    // confirmed with Enter, is refused with the message naming the day's first and last minute,
    // the dialog open and the picker as it was, and the next time typed goes into its first
    // field. A 12-hour clock's fields take no such minute (its first digit fills the field and
    // moves on to AM or PM): what is none there is an hour past its last, 13, or before its
    // first, 00.
    struct SClock
    {
        int hour;
        int minute;
    };
    void ProbeDialogTimes(CDialog& dialog, CDateTimeCtrl& picker, std::initializer_list<SClock> times,
                          std::vector<std::string>& shown)
    {
        const CString format = GetLocaleTimeFormat();
        const bool twelve = TwelveHours(format);
        const auto inForm = [&](int hour, int minute) {
            if (!twelve)
                return InForm(format, 0, 0, 0, hour, minute, false);
            if (hour >= 24 || minute >= 60)
                return InForm(format, 0, 0, 0, hour >= 24 ? 13 : 0, 0, hour >= 12 && hour < 24);
            return InForm(format, 0, 0, 0, hour % 12 == 0 ? 12 : hour % 12, minute, hour >= 12);
        };
        for (const auto& [hour, minute] : times) {
            SYSTEMTIME before{};
            picker.GetTime(&before);
            ClickFirstFieldUnlessFocused(picker);
            const std::string typed = inForm(hour, minute);
            for (const UINT key : KeysOf(typed))
                SimulateScreenKey(dialog, key);
            SimulateScreenKey(dialog, hour < 24 && minute < 60 ? VK_TAB : VK_RETURN);
            CFrameworkApp::PumpWaitingMessages();
            SYSTEMTIME after{};
            picker.GetTime(&after);
            const std::string where = "typed " + typed + " into a time of day";
            if (hour < 24 && minute < 60) {
                if (after.wHour != hour || after.wMinute != minute)
                    faults.Add(where + ": the picker shows " + std::to_string(after.wHour) + ":" + std::to_string(after.wMinute),
                               "dialog " + std::to_string(dialog.GetTemplateId()));
                continue;
            }
            if (after.wHour != before.wHour || after.wMinute != before.wMinute)
                faults.Add(where + ": the refused time changed the picker", "dialog " + std::to_string(dialog.GetTemplateId()));
            shown.push_back("message box: " + typed + " is not a time of day.\nPlease enter a time from " + inForm(0, 0) +
                            " to " + inForm(23, 59) + ".");
        }
    }
    // A card's heading button reached by Tab and pressed with Enter; the dialog it opens gives
    // the keyboard back to the button.
    void PressCardButtonByKeys(CProjectManagerBasicGrid& grid, int card, int command)
    {
        const auto buttons = grid.Layout().buttons;
        const auto found = std::find_if(buttons.begin(), buttons.end(), [command](const SCardButton& b) { return b.command == command; });
        const std::string at = ClassAndId(grid) + " card " + std::to_string(card) + " button " +
                               std::to_string(found - buttons.begin());
        if (found == buttons.end() || !TabUntil([&] { return KeyboardAt() == at; })) {
            faults.Add("Tab never reaches the button of command " + std::to_string(command) + " of card " +
                           std::to_string(card),
                       m_page->name);
            return;
        }
        PressKey(VK_RETURN);
        if (KeyboardAt() != at)
            faults.Add("after the dialog of " + at + " the keyboard is at " + KeyboardAt(), m_page->name);
    }
    // In a dialog, Tab (given as the window system gives keys to the active window) goes round
    // every control that shows (a radio group is one stop), and Shift+Tab the same way back.
    void WalkDialogByTab(CDialog& dialog)
    {
        const std::string name = "dialog " + std::to_string(dialog.GetTemplateId());
        std::vector<CWnd*> controls;
        CollectDialogControls(dialog, controls);
        std::vector<CWnd*> round;
        CWnd* first = CWnd::GetFocus();
        for (int presses = 0; presses < kMostTabStops; ++presses) {
            SimulateScreenKey(dialog, VK_TAB);
            CWnd* focus = CWnd::GetFocus();
            if (!focus || focus == first)
                break;
            round.push_back(focus);
        }
        if (CWnd::GetFocus() != first)
            faults.Add("Tab does not come round to where it started", name);
        // Only through what shows: the fields of a tab not chosen are none of its stops.
        for (CWnd* reached : round)
            if (CAssembledProgram::ShownPart(*reached).IsRectEmpty())
                faults.Add("Tab reaches " + CAssembledProgram::Describe(*reached) + ", which does not show", name);
        round.push_back(first);
        const std::set<CWnd*> focused(round.begin(), round.end());
        std::string unreached;
        for (CWnd* control : controls)
            if (!focused.count(control) && !IsRadioOfReachedGroup(*control, focused) &&
                std::none_of(round.begin(), round.end(), [control](CWnd* f) { return f && control->IsChild(f); }))
                unreached += "\n      " + CAssembledProgram::Describe(*control);
        if (!unreached.empty())
            faults.Add("Tab never reaches:" + unreached, name);
        std::vector<CWnd*> back{first};
        for (std::size_t presses = 0; presses + 1 < round.size(); ++presses) {
            SimulateScreenKey(dialog, VK_TAB, MK_SHIFT);
            back.push_back(CWnd::GetFocus());
        }
        std::reverse(back.begin() + 1, back.end());
        std::rotate(back.begin(), back.begin() + 1, back.end());
        if (back != round)
            faults.Add("Shift+Tab goes another way than Tab", name);
    }
    // The controls of a dialog a user acts on, as they show.
    static void CollectDialogControls(CWnd& parent, std::vector<CWnd*>& controls)
    {
        for (CWnd* child = parent.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            if (!child->IsWindowVisible() || !child->IsWindowEnabled())
                continue;
            auto* button = dynamic_cast<CButton*>(child);
            if ((button && button->GetButtonStyle() != BS_GROUPBOX) || dynamic_cast<CEdit*>(child) ||
                dynamic_cast<CComboBox*>(child) || dynamic_cast<CDateTimeCtrl*>(child) || dynamic_cast<CTabCtrl*>(child))
                controls.push_back(child);
            CollectDialogControls(*child, controls);
        }
    }

    // ---- Step 3: every control of every toolbar and options bar

    // On every page with every section expanded, every enabled control of its toolbars and
    // options bars is clicked at its centre, an edit typed into, a list's next item chosen, a
    // time stepped; after each the page shows data and nothing is left open.
    void ClickEveryControl()
    {
        for (const SPage& page : kPages) {
            ClickToPage(page);
            CheckPage("shown to click its controls");
            ExpandEverySection();
            SelectTileWhenNoneIs(); // the calendar graph shows the tiles selected
            CheckPage("every section expanded");
            CheckLaidOut(std::string(page.name) + "-expanded");
            std::set<std::string> done;
            std::string unreachable;
            // A click may change the page: its controls are collected again each time.
            for (;;) {
                std::vector<SControl> controls;
                CollectControls(ShownPage(), controls);
                const auto next = std::find_if(controls.begin(), controls.end(),
                                               [&](const SControl& control) { return !done.count(control.key); });
                if (next == controls.end())
                    break;
                done.insert(next->key);
                if (!Use(*next))
                    unreachable += "\n      " + next->key;
                // Another granularity has other tiles: the user selects one again.
                if (CViewSettings::IsCalendarView(page.viewId) && UINT(next->window->GetDlgCtrlID()) >= CalendarBar::kFirstGranularity &&
                    UINT(next->window->GetDlgCtrlID()) < CalendarBar::kFirstGranularity + CalendarBar::kGranularities)
                    SelectTile(0);
                CheckPage("used " + next->key);
            }
            if (!unreachable.empty())
                faults.Add("controls that cannot be brought into view to be clicked:" + unreachable, page.name);
        }
    }
    // As a user who wants to see everything: the collapse button of each collapsed section.
    void ExpandEverySection()
    {
        for (int section = kOverviewSection; section <= kTimeRangeSection; ++section)
            SetSectionCollapsed(section, false);
    }
    // A tile of the calendar clicked, as the user picks one that shows: in the first line of
    // tiles that holds dated ones (a tile without data shows no date; hours show theirs below the
    // time), the one that far before its last dated tile.
    void SelectTile(int fromEnd)
    {
        auto* table = CAssembledProgram::FindDescendant<CCalendarTableView>(SectionFrame(kOverviewSection));
        CCalendarGrid* grid = table ? table->GetGrid() : nullptr;
        for (int row = 0; grid && row + 2 < grid->GetNumberRows(); ++row) {
            int session = 0;
            int bin = 0;
            std::vector<int> dated;
            for (int col = 1; grid->GetRowHeight(row) > 0 && col < grid->GetNumberCols(); col += 2) {
                CString label;
                CString below;
                grid->QuickGetText(col, row + 1, &label);
                grid->QuickGetText(col, row + 2, &below);
                if (grid->FindBin(col, row, session, bin) && (label + below).Find(DateSeparator()) >= 0)
                    dated.push_back(col);
            }
            if (int(dated.size()) > fromEnd) {
                if (!program.ClickGridCell(*grid, dated[dated.size() - 1 - std::size_t(fromEnd)], row))
                    break;
                return;
            }
        }
        faults.Add("no tile can be selected", m_page->name);
    }
    // False when the control cannot be brought into view to be clicked.
    bool Use(const SControl& control)
    {
        CWnd& window = *control.window;
        if (control.command) {
            for (int times = Holds(kToggleButtons, control.command) ? 2 : 1; times > 0; --times)
                if (!CAssembledProgram::ClickButtonInView(dynamic_cast<CMyToolBar&>(window), control.command))
                    return false;
            return true;
        }
        if (dynamic_cast<CComboBox*>(&window))
            return CAssembledProgram::StepInView(window, VK_DOWN);
        if (dynamic_cast<CDateTimeCtrl*>(&window))
            return CAssembledProgram::StepInView(window, VK_UP);
        const bool checkBox = IsCheckBox(window);
        m_spanButtonClicked = m_spanButtonClicked || IsSpanButton(UINT(window.GetDlgCtrlID()));
        if (!CAssembledProgram::ClickInView(window))
            return false;
        if (dynamic_cast<CEdit*>(&window))
            CAssembledProgram::TypeInto(window, kTypedValue);
        else if (checkBox && !Holds(kEnablingCheckBoxes, window.GetDlgCtrlID()) && window.GetSafeHwnd())
            CAssembledProgram::ClickInView(window);
        CFrameworkApp::PumpWaitingMessages();
        return true;
    }

    // ---- Step 4: every stored setting, a note, bookmarks, a screen, the report

    // The settings step 4 changes (defined below the class, whose helpers they use).
    static const std::vector<SSetting>& Settings();

    static std::string Value(const std::map<int, std::unique_ptr<CBasicViewSettings>>& all, int viewId,
                             SettingValue value)
    {
        const auto found = all.find(viewId);
        return found == all.end() ? "(no settings)" : value(*found->second);
    }
    // File > Save, as the keyboard gives it, while the focus may still be where the user typed.
    void Save()
    {
        SimulateScreenKey(program.MainFrame(), 'S', MK_CONTROL);
        CFrameworkApp::PumpWaitingMessages();
        CheckQuiet("saved");
    }

    void ChangeEverySetting()
    {
        // The first session's tariff first: the demand page offers it as a cost choice.
        ConfirmSessionSettingsUntouched("as it came");
        AddScreenAndSessionSettings();
        ConfirmSessionSettingsUntouched("once set");
        ChooseTariffInDemandTable();
        for (const SPage& page : kPages) {
            if (page.viewId < 0)
                continue;
            ClickToPage(page);
            for (const SSetting& setting : Settings()) {
                if (!Applies(setting.views, page.viewId))
                    continue;
                setting.change(*this);
                CheckPage(std::string("changed ") + setting.name);
            }
        }
        AddBookmarkOfEachPresentation();
        ArrangeReport();
        TypeProjectTexts();
    }

    // The heading of the first session's block in a table section, clicked with the section
    // expanded; the section is collapsed again as it was.
    void CollapseFirstBlock(int section)
    {
        InExpandedSection(section, [this](CUGCtrl& grid) { return program.ClickGridCell(grid, 1, 0); });
    }
    // Acts on the grid of a table section with the section expanded; the section is collapsed
    // again as it was.
    void InExpandedSection(int section, const std::function<bool(CUGCtrl&)>& act)
    {
        if (!IsSectionShown(section))
            return;
        const bool collapsed = SectionFrame(section)->IsSectionCollapsed();
        SetSectionCollapsed(section, false);
        CheckPage("section " + std::to_string(section) + " expanded");
        if (auto* grid = CAssembledProgram::FindDescendant<CUGCtrl>(SectionFrame(section)); !grid || !act(*grid))
            faults.Add("a cell of section " + std::to_string(section) + " cannot be reached", m_page->name);
        SetSectionCollapsed(section, collapsed);
    }
    // The graph's first channel point in view, clicked in notes mode.
    void AddNote()
    {
        ClickSectionButton(kGraphSection, kNotesMode);
        CiPlotX* chart = CAssembledProgram::FindDescendant<CiPlotX>(SectionFrame(kGraphSection));
        for (int i = 0; chart && i < chart->GetChannelCount(); ++i) {
            const CPlotChannel& channel = *chart->GetChannel(i);
            const int xAxis = chart->FindXAxis(channel.GetXAxisName());
            const int yAxis = chart->FindYAxis(channel.GetYAxisName());
            const CPlotXAxis* axis = chart->GetXAxis(xAxis);
            if (!channel.IsVisible() || !axis || channel.GetCount() == 0)
                continue;
            const int point = std::clamp(channel.GetIndexOfX(axis->GetMin() + axis->GetSpan() / 2), 0,
                                         channel.GetCount() - 1);
            const CPoint at(int(std::lround(chart->XValueToPixel(xAxis, channel.GetXValue(point)))),
                            int(std::lround(chart->YValueToPixel(yAxis, channel.GetYValue(point)))));
            CAssembledProgram::ClickAt(*chart, at);
            return;
        }
        faults.Add("no channel point to place a note on", m_page->name);
    }

    // The last note's box double-clicked, its text dialog cancelled: the note and its marker stay
    // as they were.
    void CancelNoteEdit()
    {
        CheckPage("placed a note");
        auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
        if (!graph || graph->GetSettings().m_notes.empty())
            return;
        CiPlotX& chart = *graph->GetPlotControl();
        const structAddNotes note = graph->GetSettings().m_notes.back();
        const bool marked = chart.FindLabel(note.name + " anchor") >= 0;
        const int label = chart.FindLabel(note.name);
        // In its middle, whatever limit or marker line crosses it there.
        const CPoint at = chart.GetLabelBox(label).CenterPoint();
        for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            SimulateMouse(chart, message, at);
        CheckPage("cancelled a note's text", {"dialog 0"});
        if (graph->GetSettings().m_notes.empty() || !(graph->GetSettings().m_notes.back() == note) ||
            (chart.FindLabel(note.name + " anchor") >= 0) != marked)
            faults.Add("the note or its marker changed when its text was cancelled", m_page->name);
    }

    // A bookmark of each presentation of the RMS Power page, named in its section's title field
    // (the program may show the new bookmark elsewhere: the page is shown again for the next).
    void AddBookmarkOfEachPresentation()
    {
        for (int section = kOverviewSection; section <= kTimeRangeSection; ++section) {
            ClickToPage(PageOfView(0));
            CMyToolBar* toolBar = SectionToolBar(section);
            if (!toolBar || !toolBar->GetTitleEdit()) {
                faults.Add("section " + std::to_string(section) + " has no title field", m_page->name);
                continue;
            }
            const CString name = "Journey bookmark " + std::to_string(section);
            CAssembledProgram::TypeInto(*toolBar->GetTitleEdit(), name);
            ClickSectionButton(section, kBookmark);
            m_bookmarks.push_back(name);
            CheckQuiet(std::string(m_page->name) + ": bookmark " + name.str());
        }
        const CProjectSettings& project = *program.Document().GetProjectSettings();
        std::vector<CString> made;
        for (int i = 0; i < project.GetBookmarkCount(); ++i)
            made.push_back(project.GetBookmark(i).GetName());
        if (made != m_bookmarks)
            faults.Add("the bookmarks are " + Quoted(made) + "instead of " + Quoted(m_bookmarks), m_page->name);
    }
    // ---- Step 4b: every kind of bookmark opened

    // On every section of every study page: a bookmark taken; the page changed (each section
    // collapsed or opened, another span, the second session's box, another calendar granularity);
    // the bookmark opened by a double click on its tile. The page then shows what the bookmark
    // keeps. The bookmark goes again through its tile's menu.
    void OpenEveryKindOfBookmark()
    {
        for (const SPage& page : kPages) {
            const SStudyLayout* layout = page.viewId >= 0 ? FindStudyLayout(page.viewId) : nullptr;
            for (int section = 0; layout && section < layout->sectionCount; ++section) {
                ClickToPage(page);
                SelectTileWhenNoneIs();
                if (!IsSectionShown(section))
                    continue; // a time-range section without a time range
                const std::string what = "bookmark of section " + std::to_string(section);
                const int index = program.Document().GetProjectSettings()->GetBookmarkCount();
                ClickSectionButton(section, kBookmark);
                CheckQuiet(std::string(page.name) + ": took a " + what);
                if (program.Document().GetProjectSettings()->GetBookmarkCount() != index + 1) {
                    faults.Add("no " + what + " was taken", page.name);
                    continue;
                }
                ChangeThePage(page);
                OpenBookmarkTile(index, page);
                CheckBookmarkShown(program.Document().GetProjectSettings()->GetBookmark(index), "opened its " + what);
                RemoveBookmarkTile(index);
            }
        }
    }
    // Another granularity, tile and channel of a calendar; another span, and the curves of the
    // first session (or phase) gone for another's of a graph; every section collapsed or opened.
    void ChangeThePage(const SPage& page)
    {
        ClickToPage(page);
        const auto toggle = [this](UINT id) {
            if (CWnd* box = Control(id))
                CAssembledProgram::ClickInView(*box);
        };
        const auto checked = [this](UINT id) { return Control(id) && Control(id)->SendMessage(BM_GETCHECK) != 0; };
        if (CViewSettings::IsCalendarView(page.viewId)) {
            auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
            const int granularity = graph ? graph->GetSettings().m_calendarViewGranularity : 0;
            Click(CalendarBar::kFirstGranularity + UINT((granularity + 1) % CalendarBar::kGranularities));
            SelectTile(0);
            for (UINT id = CalendarBar::kFirstChannel; id < CalendarBar::kFirstChannel + CalendarBar::kChannels; ++id)
                if (Control(id) && !checked(id)) {
                    toggle(id);
                    break;
                }
        } else {
            Click(GraphBar::kFirstSpanButton);
            UINT gone = GraphBar::kFirstSession;
            UINT come = GraphBar::kFirstSession + 1;
            for (int row = 0; !Control(come) && row < GraphBar::kPhaseRows; ++row)
                for (int slot = 0; slot < 4; ++slot)
                    (checked(PhaseCheckId(row, slot)) ? gone : come) = PhaseCheckId(row, slot);
            if (!checked(come))
                toggle(come);
            toggle(gone);
        }
        for (int section = kOverviewSection; section <= kTimeRangeSection; ++section)
            if (IsSectionShown(section))
                ClickSectionButton(section, CMyToolBar::kCollapseCommand);
        CheckPage("changed before a bookmark is opened");
    }
    // The report page's grid of tiles and the key of the bookmark's tile (-1: none).
    std::pair<CReportListGrid*, int> BookmarkTile(int index)
    {
        ClickToPage(kPages[std::size(kPages) - 1]);
        auto* list = program.Section<CReportListView>(SMainViewLayout::kReportList);
        CReportListGrid* grid = list ? list->GetGrid() : nullptr;
        for (std::size_t entry = 0; grid && entry < grid->GetEntries().size(); ++entry)
            if (grid->GetEntries()[entry].kind == SReportItem::kBookmark && grid->GetEntries()[entry].index == index)
                return {grid, grid->TileKeyOfEntry(int(entry))};
        faults.Add("bookmark " + std::to_string(index) + " has no tile", m_page->name);
        return {nullptr, -1};
    }
    void OpenBookmarkTile(int index, const SPage& page)
    {
        if (const auto [grid, key] = BookmarkTile(index); grid && !CAssembledProgram::DoubleClickGridCell(*grid, key % 1024, key / 1024))
            faults.Add("the tile of bookmark " + std::to_string(index) + " cannot be double-clicked", page.name);
        m_page = &page;
    }
    void RemoveBookmarkTile(int index)
    {
        program.AnswerNextMenu(CReportListGrid::kRemoveFromProject);
        if (const auto [grid, key] = BookmarkTile(index); grid && !program.RightClickGridCell(*grid, key % 1024, key / 1024))
            faults.Add("the tile of bookmark " + std::to_string(index) + " cannot be reached", m_page->name);
        CheckPage("removed bookmark " + std::to_string(index), {"menu " + std::to_string(CReportListGrid::kAddToReport)});
        if (program.Document().GetProjectSettings()->GetBookmarkCount() != index)
            faults.Add("bookmark " + std::to_string(index) + " was not removed", m_page->name);
    }
    // The page shows what the bookmark keeps: its study view, its sections open or collapsed, its
    // sessions and channels, the time axes' ranges, its time range, its calendar choices, its notes.
    void CheckBookmarkShown(const CBookmark& bookmark, const std::string& action)
    {
        const std::string where = std::string(m_page->name) + ": " + action;
        CheckPage(action);
        const auto* kept = dynamic_cast<const CBasicViewSettings*>(bookmark.GetViewSettings());
        auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
        if (!kept || !graph || program.MainView().GetCurrentViewId() != bookmark.GetStudyView()) {
            faults.Add("the bookmark's page does not show", where);
            return;
        }
        std::string unlike;
        const auto differs = [&](bool different, const std::string& what) { unlike += different ? " " + what : ""; };
        for (int section = 0; section < FindStudyLayout(m_page->viewId)->sectionCount; ++section)
            differs(IsSectionShown(section) && SectionFrame(section)->IsSectionToggled() != kept->m_collStates[std::size_t(section)],
                    "section " + std::to_string(section));
        const CBasicViewSettings& shown = graph->GetSettings();
        differs(shown.m_sessions != kept->m_sessions || shown.m_channels != kept->m_channels, "sessions or channels");
        differs(shown.m_notes != kept->m_notes, "notes");
        differs(shown.m_calendarViewParameter != kept->m_calendarViewParameter || shown.m_calendarViewChannel != kept->m_calendarViewChannel ||
                    shown.m_calendarViewGranularity != kept->m_calendarViewGranularity,
                "calendar choices");
        const auto apart = [](double a, double b) { return std::fabs(a - b) > 1e-9; };
        CiPlotX& chart = *graph->GetPlotControl();
        for (int i = 0; i < std::min(chart.GetXAxisCount(), kept->m_upperPlot.xAxisCount); ++i) {
            const SAxisRange& range = kept->m_upperPlot.xAxes[std::size_t(i)];
            differs(chart.GetXAxis(i)->IsVisible() && (apart(chart.GetXAxis(i)->GetMin(), range.min) || apart(chart.GetXAxis(i)->GetSpan(), range.span)),
                    "time axis " + std::to_string(i));
        }
        const CTimeRangeMarkers& markers = graph->GetTimeRangeMarkers();
        differs(markers.IsShown() != kept->m_checkTimeRange ||
                    (kept->m_checkTimeRange && (apart(markers.GetBegin(), kept->m_timeRange.from) || apart(markers.GetEnd(), kept->m_timeRange.to))),
                "time range");
        if (!unlike.empty())
            faults.Add("the page shows another" + unlike + " than the bookmark keeps", where);
    }

    static std::string Quoted(const std::vector<CString>& names)
    {
        std::string text;
        for (const CString& name : names)
            text += "\"" + name.str() + "\" ";
        return text;
    }

    // On the project manager page: a picture added as a saved screen with "Add Image", and the
    // first session's settings: an aux correction and an energy cost.
    void AddScreenAndSessionSettings()
    {
        ClickToPage(kPages[0]);
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        const std::string picture = program.InHome("site-photo.png");
        EXPECT_TRUE(SaveWindowPicture(program.MainFrame(), CString(picture)));
        program.AnswerNextFileDialog(CString(picture));
        ClickCardButton(*manager.GetSummaryGrid(), 0, kCommandAddSavedScreens);
        CheckPage("added a saved screen", {"file dialog"});
        if (program.Document().GetProjectSettings()->GetImageCount() != 1)
            faults.Add("the picture was not added as a saved screen", m_page->name);

        std::vector<std::string> expected{"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)};
        program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [this, &expected](CDialog& dialog) {
            WalkDialogByTab(dialog);
            Press(dialog, CEditAuxSettingsDlg::kCorrectionRadio);
            ProbeDialogRefusals(dialog, CEditAuxSettingsDlg::kGainEdit[0], SNumberRange{-1e5, 1e5, false},
                                {"abc", OtherConvention("2", "5").c_str(), "200000"}, expected);
            TypeIn(dialog, CEditAuxSettingsDlg::kGainEdit[0], "2");
            // Enter moves on from an aux box as Tab does, past no refusal.
            ProbeDialogRefusals(dialog, CEditAuxSettingsDlg::kOffsetEdit[0], SNumberRange{-1e6, 1e6},
                                {"abc", OtherConvention("0", "5").c_str(), "2000000"}, expected, VK_RETURN);
            // The largest gain and offset the dialog takes: the corrected values read whole.
            TypeIn(dialog, CEditAuxSettingsDlg::kOffsetEdit[0], "-1000000");
            TypeIn(dialog, CEditAuxSettingsDlg::kUnitEdit[0], "kPa");
            TypeIn(dialog, CEditAuxSettingsDlg::kGainEdit[0], "-100000");
            TypeIn(dialog, CEditAuxSettingsDlg::kOffsetEdit[0], "-1000000");
            for (const std::string& cut : CAssembledProgram::FindCutTexts(dialog))
                faults.Add("a cut text: " + cut, "session settings at the largest gain and offset");
            // Each value shows whole, not only in the tip of a shortened label.
            for (const auto* ids : {&CEditAuxSettingsDlg::kCorrectedMax, &CEditAuxSettingsDlg::kCorrectedMin})
                if (CWnd* label = dialog.GetDlgItem(int((*ids)[0]))) {
                    CRect shown;
                    label->GetWindowRect(&shown);
                    dialog.ScreenToClient(&shown);
                    if (const CString tip = SimulateHoverTip(dialog, shown.CenterPoint()); !tip.IsEmpty())
                        faults.Add("the corrected value " + tip.str() + " shows only in its tip", "session settings");
                }
            TypeIn(dialog, CEditAuxSettingsDlg::kGainEdit[0], "2");
            TypeIn(dialog, CEditAuxSettingsDlg::kOffsetEdit[0], "0");
            TypeIn(dialog, CEditAuxSettingsDlg::kUnitEdit[0], "V");
            ChooseTabsByKeys(dialog);
            WalkDialogByTab(dialog);
            TypeIn(dialog, kCurrencyEdit, "EUR");
            ProbeDialogRefusals(dialog, kForwardCostEdit, SNumberRange{-1e5, 1e5},
                                {"abc", OtherConvention("0", "25").c_str(), "200000"}, expected);
            TypeIn(dialog, kForwardCostEdit, "25");
            // A ratio's start and end times, the ratio removed again.
            if (CEnergyCostsDlg* costs = dynamic_cast<CEditAuxSettingsDlg&>(dialog).GetCostPage()) {
                CAssembledProgram::ClickAtCentre(*costs->GetDlgItem(int(CEnergyCostsDlg::kAddRatioButton)));
                if (costs->GetGroupCount() == 1) {
                    ProbeDialogTimes(dialog, *costs->GetGroup(0).rows[0].start, {{9, 5}, {25, 70}, {24, 0}}, expected);
                    ProbeDialogTimes(dialog, *costs->GetGroup(0).rows[0].end, {{17, 30}, {12, 99}, {24, 0}}, expected);
                    CAssembledProgram::ClickAtCentre(*costs->GetGroup(0).removeRatio);
                } else
                    faults.Add("Add ratio adds no ratio", m_page->name);
            }
            // Enter in the last aux box goes round to the first and leaves the dialog open; Enter
            // in the price confirms it.
            SimulateScreenKey(dialog, VK_PRIOR, MK_CONTROL);
            CWnd* last = CAssembledProgram::FindDescendantWithId(&dialog, CEditAuxSettingsDlg::kUnitEdit[1]);
            if (!last || !CAssembledProgram::PressEnterIn(*last) || !dialog.IsWindowVisible() ||
                CWnd::GetFocus() != CAssembledProgram::FindDescendantWithId(&dialog, CEditAuxSettingsDlg::kGainEdit[0]))
                faults.Add("Enter in the Aux2 unit does not go round to the Aux1 gain, the dialog open", "dialog 1501");
            SimulateScreenKey(dialog, VK_NEXT, MK_CONTROL);
            if (CWnd* price = CAssembledProgram::FindDescendantWithId(&dialog, kForwardCostEdit);
                !price || !CAssembledProgram::PressEnterIn(*price))
                faults.Add("the price cannot be reached on the costs tab", "dialog 1501");
        });
        PressCardButtonByKeys(*manager.GetDataSetGrid(), 0, kCommandSessionSettings);
        CheckPage("changed the first session's settings", expected);
        const SProjectManagerDataSetEntry* entry = manager.GetSettings().GetDataSetEntry(0);
        if (!entry || entry->auxData[0].gain != 2.0f || entry->energyCosts.GetCurrency() != "EUR")
            faults.Add("Enter in the price did not confirm the session's settings", m_page->name);
    }
    // The second session, which has no tariff, chosen "advanced" in the demand overview: the
    // session's costs open from the table's choice and take typing as from the session's card. A
    // price refused on OK keeps the dialog open (its Cancel then leaves the logger's price); the
    // currency and price it takes are stored and priced.
    void ChooseTariffInDemandTable()
    {
        ClickToPage(PageOfView(1));
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        const auto* overview = program.Section<CDemandTableView>(FindStudyLayout(1)->firstEntry + kOverviewSection);
        const int choiceRow = CDemandGrid::DataRow(1) + CDemandGrid::kChoiceRow;
        // The price in the user's decimal convention.
        const std::string takenPrice = ShowLocaleNumber(0.35, 2, CUserLocale::Current()).str();
        for (const std::string& price : {std::string("abc"), takenPrice}) {
            std::vector<std::string> expected{"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)};
            program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [&](CDialog& dialog) {
                WalkDialogByTab(dialog);
                TypeIn(dialog, kCurrencyEdit, "CHF");
                TypeIn(dialog, kForwardCostEdit, CString(price));
                Press(dialog, IDOK);
                // A dialog that OK left open ends with Cancel once its loop runs.
                dialog.PostMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
            });
            InExpandedSection(kOverviewSection, [this, choiceRow](CUGCtrl& grid) {
                return program.ClickGridCell(grid, CDemandGrid::kAdvancedColumn, choiceRow, 8);
            });
            const SProjectManagerDataSetEntry* entry = manager.GetSettings().GetDataSetEntry(1);
            CUGCell choice;
            if (overview)
                overview->GetGrid()->GetCell(CDemandGrid::kAdvancedColumn, choiceRow, &choice);
            const bool taken = price == takenPrice;
            if (!taken)
                expected.push_back("message box: " + RefusalText(ENumberCheck::kNotANumber, CString(price), SNumberRange{-1e5, 1e5}).str());
            if (!entry || entry->energyCosts.IsEnabled() != taken || (choice.GetNumber() != 0) != taken ||
                (taken && (entry->energyCosts.GetCurrency() != "CHF" || entry->energyCosts.GetCostFwd() != 0.35f)))
                faults.Add("the tariff typed with the price " + price + " is not what OK gives", m_page->name);
            CheckPage("typed a tariff with the price " + price + " from the demand table", expected);
        }
    }
    // Ctrl+Tab, Ctrl+PgUp, Ctrl+PgDn and Ctrl+Shift+Tab switch the tabs from wherever the focus
    // is, and the arrow on the tab strip shows the costs again.
    void ChooseTabsByKeys(CDialog& dialog)
    {
        auto& settings = dynamic_cast<CEditAuxSettingsDlg&>(dialog);
        const std::pair<UINT, UINT> keys[] = {{VK_TAB, MK_CONTROL}, {VK_PRIOR, MK_CONTROL}, {VK_NEXT, MK_CONTROL},
                                              {VK_TAB, MK_CONTROL | MK_SHIFT}};
        for (const auto& [key, flags] : keys) {
            const int before = settings.GetShownPage();
            SimulateScreenKey(dialog, key, flags);
            if (settings.GetShownPage() == before)
                faults.Add("key " + std::to_string(key) + " with Ctrl did not switch the tab", "dialog 1501");
        }
        auto* tabs = dynamic_cast<CTabCtrl*>(CAssembledProgram::FindDescendantWithId(&dialog, CEditAuxSettingsDlg::kTabControl));
        if (tabs && CWnd::GetFocus() == tabs)
            SimulateScreenKey(dialog, VK_RIGHT);
        if (settings.GetShownPage() != 1)
            faults.Add("the arrow on the tab strip does not show the costs", "dialog 1501");
    }
    // Every number Session Settings' fields show reads back, by the field's own rule, to the value
    // the dialog holds: the gains and offsets, and the prices of the tariff, which are kept in
    // single precision.
    void CheckNumbersReadBack(CEditAuxSettingsDlg& dialog)
    {
        const auto readsBack = [&](CWnd* field, const std::function<bool(double)>& held, const std::string& name) {
            CString text;
            if (field)
                field->GetWindowText(text);
            double read = 0.0;
            if (!field || !ReadLocaleNumber(text, CUserLocale::Current(), read) || !held(read))
                faults.Add("the " + name + " shows \"" + text.str() + "\", which does not read back to the value it holds",
                           "dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId));
        };
        for (int ch = 0; ch < 2; ++ch) {
            readsBack(dialog.GetDlgItem(int(CEditAuxSettingsDlg::kGainEdit[ch])),
                      [&](double v) { return v == dialog.GetGain(ch); }, "gain");
            readsBack(dialog.GetDlgItem(int(CEditAuxSettingsDlg::kOffsetEdit[ch])),
                      [&](double v) { return v == dialog.GetOffset(ch); }, "offset");
        }
        CEnergyCostsDlg* page = dialog.GetCostPage();
        if (!page)
            return;
        const CEnergyCosts& costs = page->GetEnergyCosts();
        const auto price = [](float held) { return [held](double v) { return float(v) == held; }; };
        readsBack(page->GetDlgItem(int(CEnergyCostsDlg::kBasicFwdEdit)), price(costs.GetCostFwd()), "forward price");
        readsBack(page->GetDlgItem(int(CEnergyCostsDlg::kBasicRevEdit)), price(costs.GetCostRev()), "reverse price");
        for (int ratio = 0; ratio < page->GetGroupCount() && ratio < costs.GetRatioCount(); ++ratio) {
            readsBack(page->GetGroup(ratio).fwdEdit.get(), price(costs.GetRatio(ratio).costFwd), "ratio's forward price");
            readsBack(page->GetGroup(ratio).revEdit.get(), price(costs.GetRatio(ratio).costRev), "ratio's reverse price");
        }
    }
    // The figures of the first session's settings: its aux scaling and, once the user has set it,
    // its tariff (the cost page starts a tariff never set from the logger's price).
    std::string SessionFigures()
    {
        const auto* manager = dynamic_cast<const CProjectManagerSettings*>(
            program.Document().GetProjectSettings()->GetViewSettings(CViewSettings::kProjectManagerViewId));
        if (!manager || manager->m_dataSets.empty())
            return "(no settings)";
        const SProjectManagerDataSetEntry& first = manager->m_dataSets[0];
        std::string text = std::to_string(first.AuxOverride);
        for (const SAuxChannelSettings& aux : first.auxData)
            text += " " + std::to_string(aux.overrideFlag) + ":" + FormatXmlFloat(aux.gain) + "," + FormatXmlFloat(aux.offset);
        const CEnergyCosts& costs = first.energyCosts;
        if (!costs.IsEnabled())
            return text;
        text += " " + costs.GetCurrency().str() + FormatXmlFloat(costs.GetCostFwd()) + "/" + FormatXmlFloat(costs.GetCostRev());
        for (int ratio = 0; ratio < costs.GetRatioCount(); ++ratio)
            text += " " + FormatXmlFloat(costs.GetRatio(ratio).costFwd) + "/" + FormatXmlFloat(costs.GetRatio(ratio).costRev);
        return text;
    }
    // The first session's settings opened from its card and confirmed with OK untouched: no
    // field refuses what the dialog itself wrote into it, and the session keeps every figure.
    void ConfirmSessionSettingsUntouched(const std::string& when)
    {
        ClickToPage(kPages[0]);
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        const std::string before = SessionFigures();
        program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [this](CDialog& dialog) {
            CheckNumbersReadBack(dynamic_cast<CEditAuxSettingsDlg&>(dialog));
            Press(dialog, IDOK);
        });
        ClickCardButton(*manager.GetDataSetGrid(), 0, kCommandSessionSettings);
        CheckPage("confirmed the first session's settings untouched " + when,
                  {"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)});
        const std::string after = SessionFigures();
        if (after.substr(0, before.size()) != before)
            faults.Add("confirmed untouched " + when + ", the session's settings went from " + before + " to " + after,
                       m_page->name);
    }
    // The main window's keys wherever the user is, given to the main window as the window system
    // gives a key to the active window: Ctrl+O asks for a file (the answer cancels it).
    void CheckOpenKey(const std::string& when)
    {
        program.ForgetInterruptions();
        SimulateScreenKey(program.MainFrame(), 'O', MK_CONTROL);
        CFrameworkApp::PumpWaitingMessages();
        if (program.Interruptions() != std::vector<std::string>{"file dialog"})
            faults.Add("Ctrl+O asked for no file " + when, m_page->name);
        program.ForgetInterruptions();
    }
    // At start-up, after a click on an empty part of the window or of the page (nothing there
    // takes the focus) and after a dialog.
    void CheckFileKeysWherever()
    {
        CheckOpenKey("at start-up");
        CRect tabs;
        program.Tabs().GetClientRect(&tabs);
        CAssembledProgram::ClickAt(program.Tabs(), CPoint(tabs.right - 4, program.Tabs().GetTabRect(0).CenterPoint().y));
        CheckOpenKey("after a click beside the tabs");
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        CRect page;
        manager.GetClientRect(&page);
        CAssembledProgram::ClickAt(manager, CPoint(page.left + 2, page.bottom - 2));
        CheckOpenKey("after a click at the foot of the project manager");
        ClickCardButton(*manager.GetDataSetGrid(), 0, kCommandSessionSettings);
        CheckOpenKey("after the Session Settings dialog");
    }
    static constexpr int kCurrencyEdit = 2414;
    static constexpr int kForwardCostEdit = 2415;
    static void Press(CDialog& dialog, int id)
    {
        if (CWnd* control = CAssembledProgram::FindDescendantWithId(&dialog, id))
            CAssembledProgram::ClickAtCentre(*control);
        else
            ADD_FAILURE() << "dialog " << dialog.GetTemplateId() << " has no control " << id;
    }
    static void TypeIn(CDialog& dialog, int id, const CString& text)
    {
        if (CWnd* control = CAssembledProgram::FindDescendantWithId(&dialog, id); control && control->IsWindowVisible())
            CAssembledProgram::TypeInto(*control, text);
        else
            ADD_FAILURE() << "dialog " << dialog.GetTemplateId() << " shows no edit " << id;
    }
    // The heading button of a card that sends the command, clicked: the button shows that it has
    // the keyboard then, the dialog it opened gone.
    void ClickCardButton(CProjectManagerBasicGrid& grid, int card, int command)
    {
        const auto buttons = grid.Layout().buttons;
        for (std::size_t i = 0; i < buttons.size(); ++i)
            if (buttons[i].command == command &&
                program.ClickGridCell(grid, grid.OriginCol(buttons[i].rect), grid.OriginRow(card, buttons[i].rect))) {
                const std::string at = ClassAndId(grid) + " card " + std::to_string(card) + " button " + std::to_string(i);
                if (KeyboardAt() != at)
                    faults.Add("after a click on " + at + " the keyboard is at " + KeyboardAt(), m_page->name);
                return;
            }
        faults.Add("the button of command " + std::to_string(command) + " of card " + std::to_string(card) +
                       " cannot be reached",
                   m_page->name);
    }

    // The project's client and the first session's notes, typed into their cards; the focus is
    // left in the last field, as a user leaves it before saving with the keyboard.
    static constexpr int kClientEdit = 0;
    static constexpr int kNotesEdit = 2;
    void TypeProjectTexts()
    {
        ClickToPage(kPages[0]);
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        TypeInCard(*manager.GetSummaryGrid(), 0, kClientEdit, "Journey client");
        TypeInCard(*manager.GetDataSetGrid(), 0, kNotesEdit, "Journey notes");
        CheckPage("typed the project's texts");
    }
    void TypeInCard(CProjectManagerBasicGrid& grid, int card, int edit, const CString& text)
    {
        const SCardRect& rect = grid.Layout().edits[std::size_t(edit)].rect;
        CWnd* editor = nullptr;
        if (program.ClickGridCell(grid, grid.OriginCol(rect), grid.OriginRow(card, rect)))
            editor = CWnd::GetFocus();
        if (editor)
            CAssembledProgram::TypeInto(*editor, text);
        else
            faults.Add("field " + std::to_string(edit) + " of card " + std::to_string(card) + " takes no text",
                       m_page->name);
    }
    // What step 4 sets on the project manager page, as the project holds it.
    static std::string ManagerSettings(const CProjectSettings& project)
    {
        const auto* manager =
            dynamic_cast<const CProjectManagerSettings*>(project.GetViewSettings(CViewSettings::kProjectManagerViewId));
        if (!manager || manager->m_summary.empty() || manager->m_dataSets.empty())
            return "(no settings)";
        const SProjectManagerDataSetEntry& first = manager->m_dataSets[0];
        return manager->m_summary[0].Client.str() + "|" + first.Notes.str() + "|" + std::to_string(first.AuxOverride) +
               "|" + first.energyCosts.GetCurrency().str() + " " + FormatXmlFloat(first.energyCosts.GetCostFwd());
    }
    static constexpr const char* kManagerSettings = "Journey client|Journey notes|1|EUR 25";
    void CheckManagerSettings(const CProjectSettings& project, const std::string& where)
    {
        if (ManagerSettings(project) != kManagerSettings)
            faults.Add(std::string("the project manager holds ") + ManagerSettings(project) + " instead of " +
                           kManagerSettings,
                       where);
    }

    // On the report page every tile of the list is added to the report with its menu.
    void ArrangeReport()
    {
        ClickToPage(kPages[std::size(kPages) - 1]);
        auto* list = program.Section<CReportListView>(SMainViewLayout::kReportList);
        CReportListGrid* grid = list ? list->GetGrid() : nullptr;
        if (!grid) {
            faults.Add("the report list shows no tiles", m_page->name);
            return;
        }
        const std::size_t entries = grid->GetEntries().size();
        for (std::size_t entry = 0; entry < entries; ++entry) {
            const int key = grid->TileKeyOfEntry(int(entry));
            program.AnswerNextMenu(CReportListGrid::kAddToReport);
            if (!program.RightClickGridCell(*grid, key % 1024, key / 1024))
                faults.Add("tile " + std::to_string(entry) + " cannot be reached", m_page->name);
            CheckPage("added tile " + std::to_string(entry) + " to the report",
                      {"menu " + std::to_string(CReportListGrid::kAddToReport)});
        }
        const auto* report = dynamic_cast<const CReportViewSettings*>(
            program.Document().GetProjectSettings()->GetViewSettings(CViewSettings::kReportViewId));
        if (!report || report->m_items.size() != entries)
            faults.Add("the report holds " + std::to_string(report ? report->m_items.size() : 0) + " of " +
                           std::to_string(entries) + " items",
                       m_page->name);
        WalkBookmarkItemByKeys();
    }
    // The report's first bookmark item by the keyboard: Tab arrives at its title, framed; Return
    // expands it, Right goes on to its first button and Left back to the title, where Return
    // collapses it again.
    void WalkBookmarkItemByKeys()
    {
        auto* content = program.Section<CReportContentView>(SMainViewLayout::kReportContent);
        CReportContentGrid* item = nullptr;
        for (std::size_t i = 0; content && !item && i < content->GetRecords().size(); ++i)
            item = dynamic_cast<CReportContentGrid*>(content->GetRecords()[i].grid.get());
        if (!item) {
            faults.Add("the report shows no bookmark item", m_page->name);
            return;
        }
        if (!TabUntil([item] { return item->IsChild(CWnd::GetFocus()); })) {
            faults.Add("Tab never reaches the report's bookmark item", m_page->name);
            return;
        }
        const auto at = [item](int col) { return item->GetCurrentCol() == col && item->GetCurrentRow() == 0; };
        const bool arrived = at(0);
        PressKey(VK_RETURN);
        const bool expanded = !item->IsSectionCollapsed(0);
        PressKey(VK_RIGHT);
        const bool onButton = at(item->RenameColumn());
        PressKey(VK_LEFT);
        PressKey(VK_RETURN);
        if (!arrived || !expanded || !onButton || !at(0) || !item->IsSectionCollapsed(0))
            faults.Add(std::string("the bookmark item by the keyboard: ") + (arrived ? "" : "Tab arrives elsewhere than its title; ") +
                           (expanded ? "" : "Return does not expand it; ") + (onButton ? "" : "Right does not reach its button; ") +
                           (item->IsSectionCollapsed(0) ? "" : "Return does not collapse it"),
                       m_page->name);
        CheckPage("went through a bookmark item by the keyboard");
    }

    // ---- Numbers, dates and times as the user's locale writes them

    // A decimal in the user's convention, and in the other one ("12,5" where the point is the
    // decimal separator): no number to any field.
    static std::string InConvention(const char* whole, const char* fraction)
    {
        return std::string(whole) + CUserLocale::Current().decimalSeparator.str() + fraction;
    }
    static std::string OtherConvention(const char* whole, const char* fraction)
    {
        return std::string(whole) + (CUserLocale::Current().decimalSeparator == "," ? "." : ",") + fraction;
    }
    // A date or time as a picker of that strftime form shows it typed in full: two digits a field,
    // four a year (the pickers write years in full), AM or PM on a 12-hour clock. The fields are
    // as typed: an hour on the form's clock, a day that need not be in the calendar.
    static std::string InForm(const CString& format, int year, int month, int day, int hour, int minute, bool pm)
    {
        std::string text;
        const std::string f = format.str();
        for (std::size_t i = 0; i < f.size(); ++i) {
            if (f[i] != '%' || i + 1 == f.size()) {
                text += f[i];
                continue;
            }
            const char conversion = f[++i];
            const auto field = [&text](int value, int digits) {
                const std::string number = std::to_string(value);
                text += std::string(std::size_t(std::max(0, digits - int(number.size()))), '0') + number;
            };
            switch (conversion) {
            case 'd': case 'e': field(day, 2); break;
            case 'm': field(month, 2); break;
            case 'Y': case 'y': field(year, 4); break;
            case 'H': case 'k': case 'I': case 'l': field(hour, 2); break;
            case 'M': field(minute, 2); break;
            case 'p': text += pm ? "PM" : "AM"; break;
            default: text += conversion; break;
            }
        }
        return text;
    }
    static bool TwelveHours(const CString& format) { return format.Find("%p") >= 0; }
    // What stands between the fields of a date ("/", "."), by which the calendar's dated tiles
    // are told from the others.
    static char DateSeparator()
    {
        const std::string date = DateText(1, 2, 2000);
        return date[date.find_first_not_of("0123456789")];
    }
    // A date as the user's locale writes it in the pickers.
    static std::string DateText(int month, int day, int year)
    {
        CString format = GetShortDateStrftimeFormat();
        format.Replace("%y", "%Y");
        return InForm(format, year, month, day, 0, 0, false);
    }
    // The keys that type a date or a time shown so, field by field: its digits, the separators a
    // key gives (a filled field moves on by itself), A or P for the half of the day.
    static std::vector<UINT> KeysOf(const std::string& shown)
    {
        std::vector<UINT> keys;
        for (std::size_t i = 0; i < shown.size(); ++i) {
            const char c = shown[i];
            if (std::isdigit(static_cast<unsigned char>(c)))
                keys.push_back(UINT(c));
            else if (c == '/' || c == '.' || c == '-')
                keys.push_back(c == '/' ? 0xBFu : c == '.' ? 0xBEu : 0xBDu);
            else if ((c == 'A' || c == 'P') && shown.compare(i + 1, 1, "M") == 0)
                keys.push_back(UINT(c));
        }
        return keys;
    }
    // The message refusing a typed date: a day not in the calendar, or one before 1990.
    static std::string DateRefusal(const std::string& typed, bool inCalendar)
    {
        return "message box: " + (inCalendar ? typed + " is outside the dates this field takes.\nPlease enter a date from " +
                                                   DateText(1, 1, 1990) + " to " + DateText(1, 1, 2050) + "."
                                             : typed + " is not a date.\nPlease enter a date that is in the calendar.");
    }
    // The first time axis double-clicked: in its scale dialog the begin date, typed digit by digit
    // from its first field and left with Tab, takes the next day; a day not in the calendar and a
    // date before the field's first, confirmed with Enter, are each refused with the message that
    // says why, the picker as it was and the next date typed from its first field. The dialog is
    // cancelled: the axis keeps its range.
    void ProbeTimeAxisDates()
    {
        CiPlotX* chart = GraphChart();
        const int shown = chart ? FirstShownBand(chart->GetLayout().xAxisBands) : -1;
        if (shown < 0) {
            faults.Add("no time axis to scale", m_page->name);
            return;
        }
        const CPlotXAxis* axis = chart->GetXAxis(shown);
        const double min = axis ? axis->GetMin() : 0.0;
        const double span = axis ? axis->GetSpan() : 0.0;
        std::vector<std::string> expected{"dialog " + std::to_string(CManualScaleXAxisDlg::kTemplateId)};
        program.AnswerNextDialog(CManualScaleXAxisDlg::kTemplateId, [&](CDialog& dialog) {
            auto* picker = dynamic_cast<CDateTimeCtrl*>(
                CAssembledProgram::FindDescendantWithId(&dialog, int(CManualScaleXAxisDlg::kPickerIds.beginDate)));
            if (!picker) {
                faults.Add("the time axis's scale dialog has no begin date", m_page->name);
                return;
            }
            SYSTEMTIME shown{};
            picker->GetTime(&shown);
            const CHighTime next = CHighTime(shown.wYear, shown.wMonth, shown.wDay, 0, 0, 0) + CHighTimeSpan(1, 0, 0, 0);
            const std::string valid = DateText(next.GetMonth(), next.GetDay(), next.GetYear());
            for (const std::string& typed : {valid, DateText(2, 30, next.GetYear()), DateText(1, 1, 1980)}) {
                SYSTEMTIME before{};
                picker->GetTime(&before);
                ClickFirstFieldUnlessFocused(*picker);
                for (const UINT key : KeysOf(typed))
                    SimulateScreenKey(dialog, key);
                SimulateScreenKey(dialog, typed == valid ? VK_TAB : VK_RETURN);
                CFrameworkApp::PumpWaitingMessages();
                SYSTEMTIME after{};
                picker->GetTime(&after);
                const SYSTEMTIME& day = typed == valid ? SYSTEMTIME{WORD(next.GetYear()), WORD(next.GetMonth()), 0,
                                                                    WORD(next.GetDay()), 0, 0, 0, 0}
                                                       : before;
                if (after.wDay != day.wDay || after.wMonth != day.wMonth || after.wYear != day.wYear)
                    faults.Add("typed " + typed + " into the time axis's begin date: the picker shows day " +
                                   std::to_string(after.wDay),
                               m_page->name);
                if (typed != valid)
                    expected.push_back(DateRefusal(typed, typed != DateText(2, 30, next.GetYear())));
            }
            Press(dialog, IDCANCEL);
        });
        SimulateMouse(*chart, WM_LBUTTONDBLCLK, chart->GetLayout().xAxisBands[std::size_t(shown)].CenterPoint());
        CFrameworkApp::PumpWaitingMessages();
        if (!axis || axis->GetMin() != min || axis->GetSpan() != span)
            faults.Add("the cancelled time axis scale changed the axis", m_page->name);
        CheckQuiet(std::string(m_page->name) + ": typed dates into the time axis's scale", expected);
    }
    // A begin date of the page (the X axis's, the time range's) reached with Tab and typed digit by
    // digit, then left with Tab: the next day is taken (the picker shows it, the range begins on
    // it); a day that is not in the calendar and a date before the field's first are each refused
    // with the message that says why, the picker and the range as they were. The day it showed is
    // typed again at the end.
    void ProbeBeginDate(const SPickerControlIds& ids, CDateTimePickerControls& (CBasicGraphViewDialogBar::*pickersOf)())
    {
        auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
        auto* picker = dynamic_cast<CDateTimeCtrl*>(Control(ids.beginDate));
        if (!graph || !graph->GetDialogBar() || !picker || !picker->IsWindowEnabled())
            return;
        CDateTimePickerControls& pickers = (graph->GetDialogBar()->*pickersOf)();
        SYSTEMTIME shown{};
        picker->GetTime(&shown);
        const CHighTime next = CHighTime(shown.wYear, shown.wMonth, shown.wDay, 0, 0, 0) + CHighTimeSpan(1, 0, 0, 0);
        const std::string again = DateText(shown.wMonth, shown.wDay, shown.wYear);
        // The next day on the Energy pages, whose sessions' three days reach past it; on the Load
        // pages, whose session's two days the steps before may have scrolled to their end, the
        // day shown typed anew.
        CHighTime firstShown;
        CHighTime lastShown;
        pickers.GetRange(firstShown, lastShown);
        const bool nextInSight = m_page->tab == ETab::kEnergyTab && lastShown - next >= CHighTimeSpan(1, 0, 0, 0);
        const std::string valid = nextInSight ? DateText(next.GetMonth(), next.GetDay(), next.GetYear()) : again;
        for (const std::string& typed : {valid, DateText(2, 30, next.GetYear()), DateText(1, 1, 1980), again}) {
            SYSTEMTIME before{};
            picker->GetTime(&before);
            CHighTime rangeBefore;
            CHighTime rangeEnd;
            pickers.GetRange(rangeBefore, rangeEnd);
            if (!TabUntil([picker] { return CWnd::GetFocus() == picker; })) {
                faults.Add("Tab never reaches the begin date " + std::to_string(ids.beginDate), m_page->name);
                return;
            }
            for (const UINT key : KeysOf(typed))
                PressKey(key);
            PressKey(VK_TAB);
            SYSTEMTIME after{};
            picker->GetTime(&after);
            CHighTime range;
            pickers.GetRange(range, rangeEnd);
            const std::string where = "typed " + typed + " into the begin date " + std::to_string(ids.beginDate);
            if (typed == valid || typed == again) {
                const int day = typed == valid && nextInSight ? next.GetDay() : shown.wDay;
                if (after.wDay != day || range.GetDay() != day)
                    faults.Add(where + ": the picker shows day " + std::to_string(after.wDay) + ", the range begins on day " +
                                   std::to_string(range.GetDay()),
                               m_page->name);
                CheckPage(where);
                continue;
            }
            if (after.wDay != before.wDay || after.wMonth != before.wMonth || after.wYear != before.wYear ||
                range != rangeBefore)
                faults.Add(where + ": the refused date changed the picker or the range", m_page->name);
            CheckPage(where, {DateRefusal(typed, typed != DateText(2, 30, next.GetYear()))});
        }
    }
    // A number field of the page: how a text is typed and confirmed in it, the value it stores,
    // the text it shows and the text a stored value is shown as.
    struct SNumberEntry
    {
        std::string name;
        SNumberRange range;
        std::function<void(const std::string&)> type;
        std::function<double()> stored;
        std::function<CString()> shown;
        std::function<double(double)> storing;
        std::function<CString(double)> showing;
        std::optional<double> whenEmpty; // what an emptied field stores, where it takes that
    };
    // Each text typed into the field and confirmed as the keyboard does it: a valid value is stored
    // and shown as the locale writes it; a text that is no number, a value beyond the field's range
    // and one in the other decimal convention are each refused with the message that says why and
    // names the range, the field and the stored value as they were.
    void ProbeNumberEntry(const SNumberEntry& entry, const std::vector<std::string>& texts)
    {
        for (const std::string& typed : texts) {
            const double before = entry.stored();
            const CString shownBefore = entry.shown();
            entry.type(typed);
            double value = 0.0;
            const ENumberCheck check = CheckNumber(typed, entry.range, value);
            const std::string where = "typed \"" + typed + "\" into the " + entry.name;
            if (entry.whenEmpty && typed.empty()) {
                if (entry.stored() != *entry.whenEmpty || entry.shown() != entry.showing(*entry.whenEmpty))
                    faults.Add(where + ": " + std::to_string(entry.stored()) + " is stored and \"" + entry.shown().str() +
                                   "\" shown",
                               m_page->name);
                CheckPage(where);
                continue;
            }
            if (check == ENumberCheck::kNumber) {
                const double expected = entry.storing(value);
                if (entry.stored() != expected || entry.shown() != entry.showing(expected))
                    faults.Add(where + ": " + std::to_string(entry.stored()) + " is stored and \"" + entry.shown().str() +
                                   "\" shown",
                               m_page->name);
                CheckPage(where);
                continue;
            }
            if (entry.stored() != before || entry.shown() != shownBefore)
                faults.Add(where + ": the refused text changed the value to " + std::to_string(entry.stored()) +
                               ", shown \"" + entry.shown().str() + "\"",
                           m_page->name);
            CheckPage(where, {"message box: " + RefusalText(check, typed, entry.range).str()});
        }
    }
    // The limit field of a row, typed into and left with Tab: besides the cases of every number
    // field, a value single precision cannot hold, the top of the range, and an emptied field,
    // which takes the row's default.
    void ProbeLimitField(int row)
    {
        auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
        CBasicGraphViewDialogBar* bar = graph ? graph->GetDialogBar() : nullptr;
        CWnd* field = Control(GraphBar::kFirstLimitEdit + UINT(row));
        if (!bar || !field) {
            faults.Add("no limit field to type into", m_page->name);
            return;
        }
        ProbeNumberEntry({"limit field", SNumberRange{-1e9, 1e9},
                          [&](const std::string& typed) {
                              CAssembledProgram::TypeInto(*field, CString(typed));
                              if (typed.empty())
                                  SimulateKey(*field, VK_DELETE);
                              PressKey(VK_TAB);
                          },
                          [&] { return double(graph->GetSettings().m_limits[std::size_t(row)]); },
                          [&] {
                              CString text;
                              field->GetWindowText(text);
                              return text;
                          },
                          [&](double value) { return double(float(value * bar->LimitScale(row))); },
                          [&](double value) { return bar->FormatLimit(row, float(value)); }, RowDefaultLimit(*graph, row)},
                         {InConvention("12", "5"), "abc", "2000000000", OtherConvention("12", "5"),
                          InConvention("123456", "789"), "1000000000", ""});
    }
    // Whether a number field's text has a digit it does not need: the value it shows, rounded to
    // one significant digit less, would read back to the same value.
    static bool HasSpareDigit(double shown, const CString& text, const std::function<bool(double)>& readsBack)
    {
        const std::string digits = std::regex_replace(text.str(), std::regex("[^0-9]"), "");
        const std::size_t first = digits.find_first_not_of('0');
        const std::size_t last = digits.find_last_not_of('0');
        if (first == std::string::npos || last - first < 1)
            return false;
        char rounded[64];
        const auto written = std::to_chars(rounded, rounded + sizeof rounded, shown, std::chars_format::scientific,
                                           int(last - first) - 1);
        double shorter = shown;
        std::from_chars(rounded, written.ptr, shorter);
        return readsBack(shorter);
    }
    // The limit an emptied field takes: 1 for a folded power factor's row, else 0.
    static double RowDefaultLimit(CBasicGraphView& graph, int row)
    {
        for (const SDataItem& item : graph.GetDataItems())
            if (item.row == row)
                return item.quantity == 56 || item.quantity == 57 ? 1.0 : 0.0;
        return 0.0;
    }
    // The first shown session whose block has a nominal voltage cell, -1 when none has.
    static int FirstShownVoltage(CSummaryGrid& grid, const SummaryBlocks& sessions)
    {
        for (int block = 0; block < int(sessions.size()); ++block)
            if (!sessions[std::size_t(block)]->hidden && grid.FindNumberCell(2, grid.NumberCellRow(block)) >= 0)
                return block;
        return -1;
    }
    // A nominal voltage as its cell shows it: two decimals always, as the table's other figures.
    static CString VoltageText(double value)
    {
        return LocaleNumberText(value, SNumberLayout{2, false, false}, CUserLocale::Current());
    }
    // The nominal voltage cell of the summary table's first session, where it has one, opened
    // with a click, typed into and confirmed with Enter; a refused text leaves the cell open on
    // the stored voltage, which Escape closes. The session's own voltage is typed again at the end.
    void ProbeNominalVoltage()
    {
        InExpandedSection(kOverviewSection, [this](CUGCtrl& ugrid) {
            auto* grid = dynamic_cast<CSummaryGrid*>(&ugrid);
            auto* table = CAssembledProgram::FindDescendant<CBasicTableView>(SectionFrame(kOverviewSection));
            if (!grid || !table)
                return false;
            const SummaryBlocks& sessions = table->GetSessionData();
            const int block = FirstShownVoltage(*grid, sessions);
            if (block < 0)
                return true;
            const int row = grid->NumberCellRow(block);
            const auto edit = [grid] { return CAssembledProgram::FindDescendantWithId(grid, int(CMyBasicSummaryGrid::kNumberEditId)); };
            const auto closeEdit = [&] {
                if (CWnd* open = edit(); open && open->IsWindowVisible())
                    PressKey(VK_ESCAPE);
            };
            const std::string original = ShowLocaleNumber(table->GetSessionData()[std::size_t(block)]->nominalVoltage, 2,
                                                          CUserLocale::Current())
                                             .str();
            ProbeNumberEntry({"nominal voltage cell", SNumberRange{1.0, 1e6},
                              [&](const std::string& typed) {
                                  CWnd* open = edit();
                                  if (!open || !open->IsWindowVisible()) {
                                      CRect cell;
                                      grid->GetCellRect(2, row, &cell);
                                      CAssembledProgram::ClickAt(*grid, cell.CenterPoint());
                                      open = edit();
                                  }
                                  if (!open || !CAssembledProgram::TypeInto(*open, CString(typed))) {
                                      faults.Add("the nominal voltage cell opens no edit", m_page->name);
                                      return;
                                  }
                                  PressKey(VK_RETURN);
                              },
                              [&] { return double(table->GetSessionData()[std::size_t(block)]->nominalVoltage); },
                              [&] {
                                  closeEdit();
                                  CString text;
                                  grid->QuickGetText(2, row, &text);
                                  return text;
                              },
                              [](double value) { return double(float(value)); }, VoltageText},
                             {"400", "abc", "2000000", OtherConvention("400", "5"), original});
            closeEdit();
            return true;
        });
    }

    // ---- Step 4: settings made with the dialogs and keys a user has

    CiPlotX* GraphChart() { return CAssembledProgram::FindDescendant<CiPlotX>(SectionFrame(kGraphSection)); }
    // The index of the first axis band that shows, -1 when none does.
    static int FirstShownBand(const std::vector<CRect>& bands)
    {
        const auto band = std::find_if(bands.begin(), bands.end(), [](const CRect& r) { return !r.IsRectEmpty(); });
        return band == bands.end() ? -1 : int(band - bands.begin());
    }
    // The first shown value axis, double-clicked: its scale dialog takes the range typed and Enter.
    void ScaleFirstValueAxis()
    {
        CiPlotX* chart = GraphChart();
        const int scaled = chart ? FirstShownBand(chart->GetLayout().yAxisBands) : -1;
        if (scaled < 0) {
            faults.Add("no value axis to scale", m_page->name);
            return;
        }
        // Each refused with its message and the dialog left open for the user to mend: a text
        // that is no number, a value in the other decimal convention, one beyond the range, a
        // minimum above the maximum. Then the range typed is taken.
        std::vector<std::string> expected{"dialog " + std::to_string(CManualScaleDlg::kTemplateId)};
        program.AnswerNextDialog(CManualScaleDlg::kTemplateId, [&](CDialog& dialog) {
            WalkDialogByTab(dialog);
            const SNumberRange range{-1e9, 1e9};
            const std::string otherConvention = OtherConvention("12", "5");
            for (const auto& [low, high] : {std::pair{"abc", "35"}, std::pair{otherConvention.c_str(), "35"},
                                            std::pair{"5", "2000000000"}, std::pair{"35", "5"}, std::pair{"5", "35"}}) {
                TypeIn(dialog, int(CManualScaleDlg::kLowEdit), low);
                TypeIn(dialog, int(CManualScaleDlg::kHighEdit), high);
                if (CWnd* field = dialog.GetDlgItem(int(CManualScaleDlg::kHighEdit)))
                    SimulateKey(*field, VK_RETURN);
                CFrameworkApp::PumpWaitingMessages();
                double value = 0.0;
                if (const ENumberCheck check = CheckNumber(low, range, value); check != ENumberCheck::kNumber)
                    expected.push_back("message box: " + RefusalText(check, low, range).str());
                else if (const ENumberCheck check = CheckNumber(high, range, value); check != ENumberCheck::kNumber)
                    expected.push_back("message box: " + RefusalText(check, high, range).str());
                else if (std::atof(low) > std::atof(high))
                    expected.push_back("message box: The minimum 35 is not below the maximum 5.\nPlease enter a minimum below the maximum.");
            }
        });
        SimulateMouse(*chart, WM_LBUTTONDBLCLK, chart->GetLayout().yAxisBands[std::size_t(scaled)].CenterPoint());
        CFrameworkApp::PumpWaitingMessages();
        const CPlotYAxis* axis = chart->GetYAxis(scaled);
        if (!axis || axis->GetMin() != 5.0 || axis->GetSpan() != 30.0)
            faults.Add("the value axis runs from " + std::to_string(axis ? axis->GetMin() : 0.0) + " over " +
                           std::to_string(axis ? axis->GetSpan() : 0.0) + " instead of from 5 to 35 as typed",
                       m_page->name);
        CheckQuiet(std::string(m_page->name) + ": scaled a value axis", expected);
        CheckOpenKey("after the Axis scale dialog");
    }
    // The first data cursor, two records on with the arrow key. A time range set (its markers
    // take the cursors) is switched off first (the time range's setting switches it on again);
    // where no cursor stands on data then, the label of a session's time axis brings them onto its data.
    void MoveCursor()
    {
        CiPlotX* chart = GraphChart();
        if (CWnd* range = Control(GraphBar::kSetTimeRange); range && range->SendMessage(BM_GETCHECK) != 0)
            CAssembledProgram::ClickInView(*range);
        const auto onData = [chart] { return chart && chart->GetCursor(0).IsShown() && !chart->GetCursor(0).channelName.IsEmpty(); };
        for (UINT label = kFirstAxisLabelButton; chart && !onData() && label < kFirstAxisLabelButton + 4; ++label)
            if (CWnd* button = chart->GetParent()->GetDlgItem(int(label)); button && button->IsWindowVisible())
                CAssembledProgram::ClickInView(*button);
        if (!onData()) {
            faults.Add("no data cursor shows", m_page->name);
            return;
        }
        CAssembledProgram::ClickInView(*chart->GetParent());
        for (int i = 0; i < 2; ++i)
            SimulateKey(*chart, VK_RIGHT);
        CFrameworkApp::PumpWaitingMessages();
    }
    // Each section's title typed and confirmed with Enter; the next page is shown with the focus
    // still in the field.
    void EnterSectionTitles()
    {
        for (int section = kOverviewSection; section <= kTimeRangeSection; ++section)
            if (CMyToolBar* toolBar = SectionToolBar(section); toolBar && toolBar->GetTitleEdit()) {
                CAssembledProgram::TypeInto(*toolBar->GetTitleEdit(), "Entered title " + std::to_string(section));
                SimulateKey(*toolBar->GetTitleEdit(), VK_RETURN);
            }
    }
    // Every line of the views' settings read back is written again once each page was shown.
    void CheckViewsKept(const std::multiset<std::string>& read, const std::multiset<std::string>& shown)
    {
        std::vector<std::string> lost;
        for (const std::string& line : Lacking(read, shown))
            if (line.find("/views/") != std::string::npos)
                lost.push_back(line);
        AddLineFaults("changed once shown again", lost);
    }

    // ---- Step 4 ends: saved, closed, reopened; what was set is read back and shown

    // The project the archive reads from its file, as the program reads it.
    std::unique_ptr<CProjectSettings> ReadProjectFile(const CString& path)
    {
        auto project = std::make_unique<CProjectSettings>();
        CZcaArchive archive;
        if (!archive.Open(path) || archive.ReadProjectXml(*project) != EProjectLoadResult::kComplete)
            faults.Add("\"project.xml\" is not read completely", path.str());
        // The file holds what the project names, and nothing else.
        std::set<std::string> named{CZcaArchive::kProjectStreamName};
        for (int i = 0; i < project->GetMeasurementCount(); ++i)
            named.insert(project->GetMeasurement(i).GetStreamName().str());
        for (int i = 0; i < project->GetImageCount(); ++i)
            named.insert(project->GetImage(i).streamName.str());
        for (int i = 0; i < project->GetBookmarkCount(); ++i)
            named.insert(project->GetBookmark(i).GetImage().str());
        for (int i = 0; i < archive.GetElementCount(); ++i)
            if (!named.count(archive.GetElement(i).name.str()))
                faults.Add("a stream nothing names is kept: " + archive.GetElement(i).name.str(), path.str());
        return project;
    }
    static std::map<int, std::unique_ptr<CBasicViewSettings>> StudySettingsOf(const CProjectSettings& project)
    {
        std::map<int, std::unique_ptr<CBasicViewSettings>> all;
        for (const SPage& page : kPages)
            if (auto* settings = dynamic_cast<CBasicViewSettings*>(project.GetStudyViewSettings(page.viewId)))
                all[page.viewId].reset(dynamic_cast<CBasicViewSettings*>(settings->Clone().release()));
        return all;
    }
    // Every setting in the table, compared between two states of the project; a fault for each
    // that `differs` does not hold for.
    void CompareSettings(const std::map<int, std::unique_ptr<CBasicViewSettings>>& before,
                         const std::map<int, std::unique_ptr<CBasicViewSettings>>& after, bool shouldDiffer,
                         const std::string& what)
    {
        for (const SPage& page : kPages) {
            for (const SSetting& setting : Settings()) {
                // A view whose settings were not read back is told of by the read-back check.
                if (page.viewId < 0 || !Applies(setting.views, page.viewId) || !before.count(page.viewId))
                    continue;
                const std::string old = Value(before, page.viewId, setting.value);
                const std::string now = Value(after, page.viewId, setting.value);
                if ((old != now) != shouldDiffer)
                    faults.Add(std::string(setting.name) + " " + what + ": " + old + (shouldDiffer ? "" : " -> " + now),
                               page.name);
            }
        }
    }

    // Lines of "project.xml" that one side lacks, one fault per view they belong to.
    void AddLineFaults(const std::string& what, const std::vector<std::string>& lines)
    {
        std::map<std::string, std::vector<std::string>> byView;
        for (const std::string& line : lines) {
            const std::size_t views = line.find("/views/");
            const std::size_t end = views == std::string::npos ? std::string::npos : line.find_first_of("/ ", views + 7);
            byView[line.substr(0, end)].push_back(line);
        }
        for (const auto& [view, viewLines] : byView)
            faults.Add(what + ": " + std::to_string(viewLines.size()) + " lines of " + view + Lines(viewLines, 3),
                       "read back");
    }
    // Saved and closed with the keyboard (the focus where the user typed last): each setting
    // changed; every line of the file read back as the program reads it. Reopened: every page,
    // shown again, keeps what was read.
    void CheckSettingsKept()
    {
        Save();
        const CString path = program.Document().GetPathName();
        CompareSettings(m_defaults, StudySettingsOf(*program.Document().GetProjectSettings()), true,
                        "was not changed");
        CheckManagerSettings(*program.Document().GetProjectSettings(), "saved");
        SimulateScreenKey(program.MainFrame(), 'W', MK_CONTROL);
        CFrameworkApp::PumpWaitingMessages();
        if (program.App().GetDocument())
            faults.Add("Ctrl+W did not close the project", "saved");
        program.Exit();
        CheckQuiet("closed");

        const std::multiset<std::string> written = XmlLines(CAssembledProgram::ReadProjectXmlText(path));
        const std::unique_ptr<CProjectSettings> read = ReadProjectFile(path);
        CheckQuiet("read back");
        CheckManagerSettings(*read, "read back");
        const std::multiset<std::string> readLines = XmlLines(read->SaveToBytes());
        AddLineFaults("written but not read back", Lacking(written, readLines));
        AddLineFaults("read back but never written", Lacking(readLines, written));

        ASSERT_TRUE(program.StartAsPlaced(path));
        CheckQuiet("reopened");
        for (const SPage& page : kPages) {
            ClickToPage(page);
            CheckPage("shown after reopening");
        }
        Save();
        const CProjectSettings& shown = *program.Document().GetProjectSettings();
        CompareSettings(StudySettingsOf(*read), StudySettingsOf(shown), false, "changed once shown again");
        CheckManagerSettings(shown, "shown again");
        const std::multiset<std::string> shownLines = XmlLines(shown.SaveToBytes());
        for (const std::string& line : Lacking(readLines, shownLines))
            if (line.find("/project/bookmarks/bookmark ") != std::string::npos ||
                line.find("/project/images/image ") != std::string::npos || line.find("/reportItem") != std::string::npos)
                faults.Add("lost once shown again: " + line, "reopened");
        CheckViewsKept(readLines, shownLines);
    }

    // ---- Step 7: the CSV of each session and the PDF report

    void ExportEverything()
    {
        ClickToPage(kPages[0]);
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        for (int session = 0; session < program.Document().GetMeasurementCount(); ++session) {
            const std::string csv = program.InHome("session-" + std::to_string(session + 1) + ".txt");
            program.AnswerNextDialog(1502, [this, session](CDialog& dialog) {
                if (session == 0)
                    WalkDialogByTab(dialog);
                Press(dialog, IDOK);
            });
            program.AnswerNextFileDialog(CString(csv));
            ClickCardButton(*manager.GetDataSetGrid(), session, kCommandExportSession);
            CheckPage("exported session " + std::to_string(session + 1), {"dialog 1502", "file dialog"});
            std::ifstream in(csv);
            const long lines = std::count(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>(), '\n');
            if (lines < 2 * 144)
                faults.Add("the CSV of session " + std::to_string(session + 1) + " holds " + std::to_string(lines) +
                               " lines",
                           m_page->name);
        }

        const std::string pdf = program.InHome("journey.pdf");
        program.AnswerNextFileDialog(CString(pdf));
        auto* driver = dynamic_cast<CFastReport*>(program.App().GetReportDriver());
        ASSERT_NE(nullptr, driver);
        std::string text;
        const EExportReportResult result =
            RunExportReport(*driver, program.Document(), &program.MainFrame(), 1, [&](const CString&) {
                for (const CString& page : driver->GetEngine().GetPreparedPageTexts())
                    text += page.str();
                return true;
            });
        CheckQuiet("exported the report", {"file dialog"});
        EXPECT_EQ(EExportReportResult::kOpened, result);
        EXPECT_GT(std::filesystem::file_size(pdf), 0u);
        for (const char* session : kSessionNames)
            if (text.find(session) == std::string::npos)
                faults.Add(std::string("the report does not name the session \"") + session + "\"", "report");
        for (const CString& bookmark : m_bookmarks)
            if (text.find(bookmark.str()) == std::string::npos)
                faults.Add("the report does not name the bookmark \"" + bookmark.str() + "\"", "report");
    }

    // ---- Step 3b: the wheel over every control of every bar and grid, Enter in every edit

    // A calendar page shows its graph for the tiles selected: one is clicked when none is (a
    // click on the selected tile would take it away).
    void SelectTileWhenNoneIs()
    {
        if (!CViewSettings::IsCalendarView(m_page->viewId))
            return;
        std::vector<std::string> missing;
        std::string gridTexts;
        FindMissingData(ShownPage(), missing, gridTexts);
        if (!missing.empty())
            SelectTile(0);
    }

    // What the controls of a window hold: texts of pickers, lists and edits, states of boxes.
    static std::string ControlValues(CWnd& window)
    {
        std::string values;
        for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            CString text;
            if (dynamic_cast<CDateTimeCtrl*>(child) || dynamic_cast<CComboBox*>(child) || dynamic_cast<CEdit*>(child))
                child->GetWindowText(text);
            else if (IsCheckBox(*child))
                text = child->SendMessage(BM_GETCHECK) != 0 ? "x" : "-";
            values += text.str() + "|" + ControlValues(*child);
        }
        return values;
    }
    // The wheel rolled over a graph's options bar with its time range set and the pointer
    // resting on the range's end picker, as a user scrolls the bar: the bar moves under the
    // pointer, and nothing that passes under it changes.
    void RollOverTheOptionsBar()
    {
        auto* graph = CAssembledProgram::FindDescendant<CBasicGraphView>(SectionFrame(kGraphSection));
        CBasicGraphViewDialogBar* bar = graph ? graph->GetDialogBar() : nullptr;
        if (!bar || !bar->IsWindowVisible() || CViewSettings::IsCalendarView(m_page->viewId))
            return;
        Click(GraphBar::kSetTimeRange);
        CheckPage("set the time range to roll the wheel over the options bar");
        CWnd* picker = Control(GraphBar::kTimeRangePickers.endDate);
        const std::optional<CPoint> rest = picker ? CAssembledProgram::BringIntoView(*picker, [picker] {
            CRect client;
            picker->GetClientRect(&client);
            return client.CenterPoint();
        }) : std::nullopt;
        if (!rest) {
            faults.Add("the time range's end picker cannot be brought into view", m_page->name);
            return;
        }
        CPoint screen = *rest;
        picker->ClientToScreen(&screen);
        SimulateScreenMouse(*bar, WM_MOUSEMOVE, screen);
        const std::string values = ControlValues(*bar);
        int lowest = 0;
        int highest = 0;
        bar->GetScrollRange(SB_VERT, &lowest, &highest);
        int moved = 0;
        for (const int notches : {-5, 10, -5}) {
            for (int i = 0; i < std::abs(notches); ++i) {
                const int position = bar->GetScrollPos(SB_VERT);
                SimulateScreenWheel(*bar, screen, notches < 0 ? -WHEEL_DELTA : WHEEL_DELTA);
                CFrameworkApp::PumpWaitingMessages();
                moved += bar->GetScrollPos(SB_VERT) != position ? 1 : 0;
                CheckPage("rolled the wheel over the options bar");
            }
        }
        if (highest > lowest && moved == 0)
            faults.Add("the options bar does not scroll under the wheel", m_page->name);
        if (ControlValues(*bar) != values)
            faults.Add("the wheel over the options bar changed what passed under the pointer", m_page->name);
    }

    // The grids of the shown part of a window, at any depth.
    static void CollectGrids(CWnd& window, std::vector<CUGCtrl*>& grids)
    {
        for (CWnd* child = window.GetWindow(GW_CHILD); child; child = child->GetWindow(GW_HWNDNEXT)) {
            if (!child->IsWindowVisible() || CAssembledProgram::ShownPart(*child).IsRectEmpty())
                continue;
            if (auto* grid = dynamic_cast<CUGCtrl*>(child))
                grids.push_back(grid);
            else
                CollectGrids(*child, grids);
        }
    }
    // On every page with every section expanded: the wheel rolled a notch down and up with the
    // pointer over each control of its toolbars and options bars and over each grid, and Enter
    // pressed in each edit; after each the page shows data, nothing is left open and the program
    // runs on.
    void RollAndPressOverEveryControl()
    {
        for (const SPage& page : kPages) {
            ClickToPage(page);
            ExpandEverySection();
            SelectTileWhenNoneIs();
            CheckPage("every section expanded for the wheel");
            RollOverTheOptionsBar();
            std::set<std::string> done;
            std::string unreachable;
            // The wheel may change the page (a list's choice, a picker's time): the controls are
            // collected again each time.
            for (;;) {
                std::vector<SControl> controls;
                CollectControls(ShownPage(), controls);
                const auto next = std::find_if(controls.begin(), controls.end(), [&](const SControl& control) {
                    return !control.command && !done.count(control.key);
                });
                if (next == controls.end())
                    break;
                done.insert(next->key);
                CWnd& window = *next->window;
                const bool edit = dynamic_cast<CEdit*>(&window) != nullptr;
                // A page still laying itself out after the last roll is given a moment, as a user
                // waits for it.
                bool reached = CAssembledProgram::RollWheelInView(window, -WHEEL_DELTA);
                if (!reached) {
                    CFrameworkApp::RunFor(300);
                    reached = CAssembledProgram::RollWheelInView(window, -WHEEL_DELTA);
                }
                reached = reached && (!window.GetSafeHwnd() || CAssembledProgram::RollWheelInView(window, WHEEL_DELTA));
                if (reached && edit && window.GetSafeHwnd() && window.IsWindowVisible() && window.IsWindowEnabled())
                    reached = CAssembledProgram::PressEnterIn(window);
                if (!reached)
                    unreachable += "\n      " + next->key;
                CheckPage((edit ? "rolled the wheel and pressed Enter over " : "rolled the wheel over ") + next->key);
            }
            std::vector<CUGCtrl*> grids;
            CollectGrids(ShownPage(), grids);
            for (CUGCtrl* grid : grids) {
                const std::string key = ClassAndId(*grid->GetParent()) + " / " + ClassAndId(*grid);
                if (!CAssembledProgram::RollWheelInView(*grid->m_CUGGrid, -WHEEL_DELTA) ||
                    !CAssembledProgram::RollWheelInView(*grid->m_CUGGrid, WHEEL_DELTA))
                    unreachable += "\n      " + key;
                CheckPage("rolled the wheel over " + key);
            }
            if (!unreachable.empty())
                faults.Add("controls that cannot be brought into view for the wheel:" + unreachable, page.name);
        }
    }

    // ---- Step 8: every text whole, in the window as placed, at 1024 x 720 and at 800 x 600

    // Every page with every section expanded: every text of a grid cell, a panel, a card, a bar,
    // an edit or an axis shows whole or ends with "…" and a tip that tells it whole.
    void CheckTextsWhole(const std::string& size)
    {
        for (const SPage& page : kPages) {
            ClickToPage(page);
            ExpandEverySection();
            SelectTileWhenNoneIs();
            CheckPage("every section expanded at " + size);
            for (const std::string& cut : CAssembledProgram::FindCutTexts(ShownPage()))
                faults.Add("a cut text: " + cut, std::string(page.name) + " at " + size);
            CheckLaidOut(std::string(page.name) + "-expanded-" + size);
            if (page.viewId == kPages[0].viewId)
                CheckCardEditsWhole(size);
        }
    }
    // Each field of the first card of each kind, opened for editing: the edit shows its text as
    // the card did; Escape leaves it as it was.
    void CheckCardEditsWhole(const std::string& size)
    {
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        const std::array<CProjectManagerBasicGrid*, 3> cards{manager.GetSummaryGrid(), manager.GetDataSetGrid(),
                                                             manager.GetSavedScreenGrid()};
        for (CProjectManagerBasicGrid* grid : cards) {
            if (!grid || grid->GetSectionCount() == 0)
                continue;
            for (const SCardEdit& edit : grid->Layout().edits) {
                if (!program.ClickGridCell(*grid, grid->OriginCol(edit.rect), grid->OriginRow(0, edit.rect)))
                    continue;
                for (const std::string& cut : CAssembledProgram::FindCutTexts(*grid))
                    faults.Add("a cut text while editing: " + cut, "project-manager at " + size);
                if (CWnd* editor = CWnd::GetFocus())
                    SimulateKey(*editor, VK_ESCAPE);
                CheckPage("edited a field of " + CAssembledProgram::Describe(*grid) + " at " + size);
            }
        }
    }
    // At the window's size, 1024 x 720 and 800 x 600, and where asked also at 512 x 360 (1024 x 720
    // at device ratio 2, where a plot with every section expanded is lower than a note).
    void CheckTextsWholeAtEverySize(bool atRatioTwoOfTheSmallScreen = false)
    {
        CRect placed;
        program.MainFrame().GetWindowRect(&placed);
        CheckTextsWhole(std::to_string(placed.Width()) + "x" + std::to_string(placed.Height()));
        std::vector<CSize> sizes{CSize(1024, 720), CSize(800, 600)};
        if (atRatioTwoOfTheSmallScreen)
            sizes.push_back(CSize(512, 360));
        for (const CSize size : sizes) {
            program.MainFrame().MoveWindow(placed.left, placed.top, size.cx, size.cy);
            CFrameworkApp::PumpWaitingMessages();
            CheckTextsWhole(std::to_string(size.cx) + "x" + std::to_string(size.cy));
        }
        program.MainFrame().MoveWindow(&placed);
        CFrameworkApp::PumpWaitingMessages();
    }

    // Every page in a window dragged smaller than its bars and graphs take, as a user shrinks it:
    // nothing faults or complains there, and the page shows whole again at the size it had.
    void CheckEveryPageShrunk()
    {
        CRect placed;
        program.MainFrame().GetWindowRect(&placed);
        for (const SPage& page : kPages) {
            ClickToPage(page);
            for (const CSize size : {CSize(520, 380), CSize(280, 200)}) {
                program.MainFrame().MoveWindow(placed.left, placed.top, size.cx, size.cy);
                CFrameworkApp::PumpWaitingMessages();
                Settle();
                CheckQuiet(std::string(page.name) + ": shown at " + std::to_string(size.cx) + "x" +
                           std::to_string(size.cy));
            }
            program.MainFrame().MoveWindow(&placed);
            CFrameworkApp::PumpWaitingMessages();
            CheckPage("shown again at its size after a shrunk window");
        }
    }

    CAssembledProgram program;
    CFaults faults;
    const SPage* m_page = &kPages[0];
    // Per study view: the range its time axis showed and the span button pressed at the last look;
    // whether a span button was clicked since.
    struct SSpanSeen
    {
        double from;
        double to;
        int pressed;
    };
    std::map<int, SSpanSeen> m_spanSeen;
    bool m_spanButtonClicked = false;
    std::map<int, std::unique_ptr<CBasicViewSettings>> m_defaults;
    std::vector<CString> m_bookmarks;
    std::vector<std::vector<BYTE>> m_sessionFiles;
    std::string m_firstSessionName = kSessionNames[0];
    // By session: the scale factors its reference was read with, and the reference.
    std::map<int, std::pair<std::array<float, CRecordScaleFactors::kFactorCount>, SReferenceSession>> m_references;
};

// The settings step 4 changes on every page they belong to, each as a user changes it.
const std::vector<SSetting>& UserJourneyTest::Settings()
{
    static const std::vector<SSetting> settings = {
    {"section titles", EViews::kGraphs,
     [](UserJourneyTest& j) {
         for (int section = kOverviewSection; section <= kTimeRangeSection; ++section)
             if (CMyToolBar* toolBar = j.SectionToolBar(section); toolBar && toolBar->GetTitleEdit())
                 CAssembledProgram::TypeInto(*toolBar->GetTitleEdit(), "Journey title " + std::to_string(section));
     },
     [](const CBasicViewSettings& s) {
         return s.m_toolbarEdit.Graph.str() + "|" + s.m_toolbarEdit.Table.str() + "|" + s.m_toolbarEdit.TimeRangeTable.str();
     }},
    {"limit", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.ProbeLimitField(j.FirstLimitRow());
         j.ProbeBeginDate(GraphBar::kXAxisPickers, &CBasicGraphViewDialogBar::XAxisPickers);
         if (j.m_page->tab == ETab::kLoadTab)
             j.ProbeNominalVoltage();
         j.Type(GraphBar::kFirstLimitEdit + j.FirstLimitRow(), "123");
         j.Click(GraphBar::kFirstLimitCheck + j.FirstLimitRow());
     },
     [](const CBasicViewSettings& s) { return Joined(s.m_limits) + Joined(s.m_isLimit); }},
    {"min/max", EViews::kGraphs, [](UserJourneyTest& j) { j.Click(GraphBar::kFirstMinMax + j.FirstLimitRow()); },
     [](const CBasicViewSettings& s) { return Joined(s.m_isMaxMin); }},
    // To the millisecond: a cursor on a record shows that record's time. Moved while no time
    // range is set (the range's markers take the cursors).
    {"cursor", EViews::kGraphs, [](UserJourneyTest& j) { j.MoveCursor(); },
     [](const CBasicViewSettings& s) {
         const SXCursorDetails& cursor = s.m_upperPlot.xCursors[0];
         return std::to_string(cursor.index) + " at " + std::to_string(std::llround(cursor.pos * 86400000.0)) + " ms";
     }},
    {"time range", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.Click(GraphBar::kSetTimeRange);
         j.ProbeBeginDate(GraphBar::kTimeRangePickers, &CBasicGraphViewDialogBar::TimeRangePickers);
         j.Step(GraphBar::kTimeRangePickers.intervalList, VK_DOWN);
         j.Step(GraphBar::kTimeRangePickers.beginTime, VK_UP); // an hour later: still within the data
     },
     [](const CBasicViewSettings& s) { return std::to_string(s.m_checkTimeRange) + " " + RangeText(s.m_timeRange); }},
    // A day, then the time range stepped within it: the axis and its button stay.
    {"X-axis span", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.Click(GraphBar::kFirstSpanButton + 1);
         j.CheckPage("chose a day");
         if (j.Control(GraphBar::kTimeRangePickers.beginTime))
             j.Step(GraphBar::kTimeRangePickers.beginTime, VK_UP);
     },
     [](const CBasicViewSettings& s) { return std::to_string(s.m_typeTimeRange) + " " + RangeText(s.m_xAxisScaling); }},
    {"working hours", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.Click(GraphBar::kSetWorkingHours);
         j.Click(GraphBar::kFirstWeekday + 5);
         j.Step(GraphBar::kWorkingHourStart, VK_UP);
     },
     [](const CBasicViewSettings& s) {
         return std::to_string(s.m_setWorkingHours) + " " + Joined(s.m_workingDays) + RangeText(s.m_workingHours);
     }},
    {"axis scaling", EViews::kGraphs, [](UserJourneyTest& j) { j.ClickSectionButton(kGraphSection, kZoomIn); },
     [](const CBasicViewSettings& s) {
         std::string text;
         const auto ranges = [&](const auto& axes, int count) {
             for (int i = 0; i < count; ++i)
                 text += FormatXmlDouble(axes[std::size_t(i)].min) + "+" + FormatXmlDouble(axes[std::size_t(i)].span) + " ";
         };
         ranges(s.m_upperPlot.xAxes, s.m_upperPlot.xAxisCount);
         ranges(s.m_upperPlot.yAxes, s.m_upperPlot.yAxisCount);
         return text;
     }},
    {"cost choice", EViews::kDemand,
     [](UserJourneyTest& j) {
         j.InExpandedSection(kOverviewSection, [&j](CUGCtrl& grid) {
             auto& demand = dynamic_cast<CDemandGrid&>(grid);
             if (demand.IsBlockCollapsed(0) && !j.program.ClickGridCell(grid, 1, CDemandGrid::BlockStart(0)))
                 return false;
             // The check box stands at the cell's left.
             return j.program.ClickGridCell(grid, CDemandGrid::kAdvancedColumn,
                                            CDemandGrid::DataRow(0) + CDemandGrid::kChoiceRow, 8);
         });
     },
     [](const CBasicViewSettings& s) { return s.m_costTables.empty() ? "none" : std::to_string(s.m_costTables[0].isAdvanced); }},
    {"table collapse states", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.CollapseFirstBlock(kOverviewSection);
         j.CollapseFirstBlock(kTimeRangeSection);
     },
     [](const CBasicViewSettings& s) { return s.m_tableCollapse.str() + "|" + s.m_tableTimeRangeCollapse.str(); }},
    {"demand period", EViews::kDemand, [](UserJourneyTest& j) { j.Step(kDemandPeriodCombo, VK_DOWN); },
     [](const CBasicViewSettings& s) { return std::to_string(s.m_demandPeriod); }},
    {"calendar parameter", EViews::kCalendars, [](UserJourneyTest& j) { j.Click(CalendarBar::kFirstParameter + 3); },
     [](const CBasicViewSettings& s) { return std::to_string(s.m_calendarViewParameter); }},
    // Another granularity has other tiles: the user selects one again (the graph section stays
    // open as the user left it).
    {"calendar granularity", EViews::kCalendars,
     [](UserJourneyTest& j) {
         j.Click(CalendarBar::kFirstGranularity + 1);
         j.SelectTile(0);
     },
     [](const CBasicViewSettings& s) { return std::to_string(s.m_calendarViewGranularity); }},
    {"calendar tile", EViews::kCalendars, [](UserJourneyTest& j) { j.SelectTile(1); },
     [](const CBasicViewSettings& s) {
         std::string text;
         for (const SCalendarThumbSelection& tile : s.m_thumbSelections)
             text += std::to_string(tile.session) + "." + std::to_string(tile.thumb) + " ";
         return text;
     }},
    // Of a calendar on a tile shown.
    {"note", EViews::kStudies,
     [](UserJourneyTest& j) {
         j.AddNote();
         j.CancelNoteEdit();
     },
     [](const CBasicViewSettings& s) {
         std::string text;
         for (const structAddNotes& note : s.m_notes)
             text += note.name.str() + " ";
         return text;
     }},
    // Of the calendar with two sessions: the other still shows its tiles.
    {"calendar collapse states", EViews::kEnergyCalendar,
     [](UserJourneyTest& j) { j.CollapseFirstBlock(kOverviewSection); },
     [](const CBasicViewSettings& s) { return s.m_tableCollapse.str(); }},
    {"value axis scale", EViews::kGraphs,
     [](UserJourneyTest& j) {
         j.ScaleFirstValueAxis();
         j.ProbeTimeAxisDates();
     },
     [](const CBasicViewSettings& s) {
         std::string text;
         for (int i = 0; i < s.m_upperPlot.yAxisCount; ++i)
             if (s.m_upperPlot.yAxes[std::size_t(i)].manual)
                 text += FormatXmlDouble(s.m_upperPlot.yAxes[std::size_t(i)].min) + "+" +
                         FormatXmlDouble(s.m_upperPlot.yAxes[std::size_t(i)].span) + " ";
         return text;
     }},
    {"section titles confirmed with Enter", EViews::kGraphs, [](UserJourneyTest& j) { j.EnterSectionTitles(); },
     [](const CBasicViewSettings& s) {
         return s.m_toolbarEdit.Graph.str() + "|" + s.m_toolbarEdit.Table.str() + "|" + s.m_toolbarEdit.TimeRangeTable.str();
     }},
    };
    return settings;
}

TEST_F(UserJourneyTest, FromWrittenSessionsToTheReport)
{
    // 1. A project of two Energy sessions and one Load session, opened as the program opens one:
    // the main window where the program places it, on the screen.
    const CString project = program.MakeProject("journey", CAssembledProgram::StandardSessions());
    std::vector<std::vector<BYTE>> files;
    for (const SSessionSpec& session : CAssembledProgram::StandardSessions())
        files.push_back(CSessionWriter(session).BuildFile());
    SessionsWrittenAs(std::move(files));
    program.ForgetLog();
    program.ForgetInterruptions();
    ASSERT_TRUE(program.StartAsPlaced(project));
    ASSERT_EQ(3, program.Document().GetMeasurementCount());
    CRect window;
    program.MainFrame().GetWindowRect(&window);
    const CRect screen(0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    CRect onScreen;
    onScreen.IntersectRect(&window, &screen);
    if (onScreen != window)
        faults.Add("the main window of " + std::to_string(window.Width()) + "x" + std::to_string(window.Height()) +
                       " at " + std::to_string(window.left) + "," + std::to_string(window.top) +
                       " reaches off the screen of " + std::to_string(screen.Width()) + "x" +
                       std::to_string(screen.Height()),
                   "start");
    CheckQuiet("start");
    CheckFileKeysWherever();
    faults.Report("1. start");

    VisitEveryPage();
    faults.Report("2. every page every way (6. laid out)");
    WalkEveryPageByTheKeyboard();
    faults.Report("2b. every page and control by the keyboard");
    Save();
    m_defaults = StudySettingsOf(*program.Document().GetProjectSettings());

    // The long walks over every control run in one locale; a run in another takes the steps that
    // type, show, store and export numbers, dates and times.
    if (std::getenv("ORN_JOURNEY_WITHOUT_WALKS") == nullptr) {
        ClickEveryControl();
        faults.Report("3. every control");
        RollAndPressOverEveryControl();
        faults.Report("3b. the wheel over every control and grid, Enter in every edit");
    }
    ChangeEverySetting();
    faults.Report("4. every setting changed");
    CheckSettingsKept();
    faults.Report("4. every setting kept");
    OpenEveryKindOfBookmark();
    faults.Report("4b. every kind of bookmark opened");

    ExportEverything();
    faults.Report("7. exports");
    CheckTextsWholeAtEverySize();
    faults.Report("8. every text whole");
    CheckEveryPageShrunk();
    faults.Report("8b. every page in a shrunk window");
}

// ---- The figures of the tables against the written records

// The trend records of a session as the writer wrote them, and what each figure of the study
// tables is from them, computed here by the rules a user checks a table by: extremes of the
// recorded Max, Min and Avg series with the time of their first record, means and root mean
// squares of the averages, powers of the means (Q and the fundamental S of the magnitudes each
// interval's powers had, whichever way they flowed), power factors as the active over the
// apparent energy, distortion weighted by its quantity, a power factor's recorded magnitudes
// signed by its interval's power.
class CWrittenFigures
{
public:
    static constexpr WORD kTrendRecord = 64;
    static constexpr WORD kDemandRecord = 65;
    static constexpr int kTotal = 5;

    // A session of that topology: without a neutral its voltages are the line voltages; a
    // single-phase one's apparent power is the sum of its phases'.
    CWrittenFigures(const std::vector<SWrittenTable>& tables, WORD topology)
        : m_phaseToPhase(topology == 2 || (topology >= 6 && topology <= 9) || topology == 12),
          m_singlePhase(topology == 0 || topology == 3 || topology == 4)
    {
        for (const SWrittenTable& table : tables)
            (table.type == kTrendRecord ? m_trend : table.type == kDemandRecord ? m_demand : m_other).push_back(&table);
    }
    const std::vector<const SWrittenTable*>& Demand() const { return m_demand; }
    // The same session with only its trend records first .. last.
    CWrittenFigures Within(int first, int last) const
    {
        CWrittenFigures part = *this;
        part.m_trend.assign(m_trend.begin() + first, m_trend.begin() + last + 1);
        return part;
    }

    static float Field(const SWrittenTable& table, std::size_t offset)
    {
        return std::bit_cast<float>(table.bytes.GetU32(offset));
    }
    // The triple (minimum, maximum, average) of a quantity at phase 0, 1, 2 or 5; 0 for none.
    static std::size_t Triple(DWORD quantity, int phase, bool phaseToPhase = false)
    {
        std::size_t base = 0;
        switch (quantity) {
        case 0: base = phaseToPhase ? 60 : 24; break;
        case 1: base = 96; break;
        case 2: return 204;
        case 5: base = 216; break;
        case 6: case 54: base = 264; break;
        case 7: base = 312; break;
        case 8: base = 504; break;
        case 9: base = 552; break;
        case 20: base = 360; break;
        case 21: base = 408; break;
        case 22: base = 456; break;
        case 29: base = 132; break;
        case 30: base = 168; break;
        default: return 0;
        }
        return base + 12 * std::size_t(phase == kTotal ? 3 : phase);
    }
    // Powers are recorded in W and shown in kW.
    static double Scale(DWORD quantity)
    {
        return quantity == 5 || quantity == 6 || quantity == 7 || quantity == 20 || quantity == 21 || quantity == 22 ||
                       quantity == 54
                   ? 1000.0
                   : 1.0;
    }
    // A series of a quantity (0 Min, 1 Avg, 2 Max) record by record, in table units; a power
    // factor's average carries the sign of its interval's (fundamental) active power, its Min
    // and Max as recorded.
    std::vector<double> Series(DWORD quantity, int phase, int series) const
    {
        std::vector<double> values;
        const std::size_t at = Triple(quantity, phase, m_phaseToPhase) + 4 * std::size_t(series == 0 ? 0 : series == 2 ? 1 : 2);
        for (const SWrittenTable* t : m_trend) {
            double v = Field(*t, at) / Scale(quantity);
            if ((quantity == 8 || quantity == 9) && series == 1)
                v = std::copysign(std::fabs(v), Field(*t, Triple(quantity == 8 ? 5 : 20, phase) + 8));
            values.push_back(v);
        }
        return values;
    }
    CHighTime RecordTime(std::size_t record) const { return CHighTime(m_trend[record]->timeTicks); }

    struct SExtreme
    {
        double value = std::numeric_limits<double>::quiet_NaN();
        std::size_t record = 0;
    };
    static SExtreme Extreme(const std::vector<double>& values, bool maximum)
    {
        SExtreme e;
        for (std::size_t i = 0; i < values.size(); ++i)
            if (std::isfinite(values[i]) && (!std::isfinite(e.value) || (maximum ? values[i] > e.value : values[i] < e.value)))
                e = {values[i], i};
        return e;
    }
    // The recorded extreme, unless the averages went further.
    SExtreme Max(DWORD quantity, int phase) const { return Furthest(quantity, phase, true); }
    SExtreme Min(DWORD quantity, int phase) const { return Furthest(quantity, phase, false); }

    static double Mean(const std::vector<double>& values, bool rms = false)
    {
        double sum = 0.0;
        int n = 0;
        for (const double v : values)
            if (std::isfinite(v)) {
                sum += rms ? v * v : v;
                ++n;
            }
        return rms ? std::sqrt(sum / n) : sum / n;
    }
    // `phases`: those the session's table shows (a single-phase total sums them, a total's
    // magnitude takes theirs where they flow against each other).
    double Avg(DWORD quantity, int phase, int phases = 3) const
    {
        const auto mean = [&](DWORD q, bool rms = false) { return Mean(Series(q, phase, 1), rms); };
        const auto magnitude = [&](DWORD q) {
            std::vector<double> values = Series(q, phase, 1);
            std::vector<std::vector<double>> parts;
            for (int k = 0; phase == kTotal && k < phases; ++k)
                parts.push_back(Series(q, k, 1));
            for (std::size_t i = 0; i < values.size(); ++i) {
                double sum = 0.0, magnitudes = 0.0;
                for (const std::vector<double>& part : parts) {
                    sum += part[i];
                    magnitudes += std::fabs(part[i]);
                }
                values[i] = std::fabs(values[i]) + (std::isfinite(sum) ? magnitudes - std::fabs(sum) : 0.0);
            }
            return Mean(values);
        };
        const auto sumOfPhases = [&](DWORD q) {
            double sum = 0.0;
            for (int k = 0; k < phases; ++k)
                sum += Avg(q, k);
            return sum;
        };
        switch (quantity) {
        case 0: case 1: return mean(quantity, true);
        case 54:
            return phase == kTotal ? sumOfPhases(54) : mean(54, true);
        case 6:
            if (phase != kTotal)
                return PhaseVoltage(phase) * Avg(1, phase) / 1000.0;
            return m_singlePhase ? sumOfPhases(6) : EffectiveApparentPower();
        case 7: return std::sqrt(std::max(0.0, std::pow(Avg(6, phase, phases), 2) - std::pow(magnitude(5), 2)));
        case 21: return std::hypot(magnitude(20), magnitude(22));
        // The active over the apparent energy; the fundamental one's apparent energy is that of
        // the magnitudes, as its row shows it.
        case 8: return std::clamp(mean(5) / mean(6), -1.0, 1.0);
        case 9: return std::clamp(mean(20) / Avg(21, phase, phases), -1.0, 1.0);
        case 29: case 30: {
            const std::vector<double> thd = Series(quantity, phase, 1);
            const std::vector<double> x = Series(quantity == 29 ? 0 : 1, phase, 1); // at the table's voltage reference
            double weighted = 0.0, weights = 0.0;
            for (std::size_t i = 0; i < thd.size(); ++i)
                if (std::isfinite(thd[i]) && std::isfinite(x[i])) {
                    weighted += thd[i] * x[i];
                    weights += x[i];
                }
            return weighted / weights;
        }
        default: return mean(quantity);
        }
    }

private:
    // The RMS of the phase-to-neutral voltage, which a phase's apparent power is made of.
    double PhaseVoltage(int phase) const
    {
        std::vector<double> values;
        for (const SWrittenTable* t : m_trend)
            values.push_back(Field(*t, Triple(0, phase) + 8));
        return Mean(values, true);
    }
    SExtreme Furthest(DWORD quantity, int phase, bool maximum) const
    {
        std::vector<double> recorded = Series(quantity, phase, maximum ? 2 : 0);
        if (quantity == 8 || quantity == 9) {
            // Each interval's magnitudes with the sign of its power: a returning interval's
            // largest magnitude is its lowest value.
            const std::vector<double> other = Series(quantity, phase, maximum ? 0 : 2);
            const std::vector<double> avg = Series(quantity, phase, 1);
            for (std::size_t i = 0; i < recorded.size(); ++i)
                recorded[i] = !std::isfinite(avg[i]) ? avg[i] : std::signbit(avg[i]) ? -other[i] : recorded[i];
        }
        SExtreme e = Extreme(recorded, maximum);
        const SExtreme average = Extreme(Series(quantity, phase, 1), maximum);
        if (std::isfinite(average.value) && (!std::isfinite(e.value) || (maximum ? average.value > e.value : average.value < e.value)))
            e = average;
        return e;
    }
    // Over the records with a finite total S: the effective voltage from the phase and the line
    // voltages, 3 x sqrt(mean Ue^2) x sqrt(mean S^2 / (9 Ue^2)).
    double EffectiveApparentPower() const
    {
        double sumUe2 = 0.0, sumRatio = 0.0;
        int n = 0;
        for (const SWrittenTable* t : m_trend) {
            const double s = Field(*t, Triple(6, kTotal) + 8) / 1000.0;
            if (!std::isfinite(s))
                continue;
            ++n;
            const auto square = [&](std::size_t offset) {
                const double v = Field(*t, offset);
                return std::isfinite(v) ? v * v : 0.0;
            };
            const double ue2 = (3 * (square(32) + square(44) + square(56)) + square(68) + square(80) + square(92)) / 18.0;
            if (ue2 != 0.0) {
                sumUe2 += ue2;
                sumRatio += s * s / (9 * ue2);
            }
        }
        return 3 * std::sqrt(sumUe2 / n) * std::sqrt(sumRatio / n);
    }

    bool m_phaseToPhase;
    bool m_singlePhase;
    std::vector<const SWrittenTable*> m_trend;
    std::vector<const SWrittenTable*> m_demand;
    std::vector<const SWrittenTable*> m_other;
};

CString CellText(CUGCtrl& grid, int col, int row)
{
    const char* text = grid.QuickGetTextPtr(col, row);
    return CString(text ? text : "");
}

// A number a grid cell shows with its unit, in the unit's base (W for kW): NaN when the text is
// no number.
double ShownValue(const CString& value, const CString& unit, double& halfDigit)
{
    std::string text;
    for (const char c : value.str())
        if (c != ',' && c != '*' && c != ' ')
            text += c;
    char* end = nullptr;
    const double number = std::strtod(text.c_str(), &end);
    if (text.empty() || end != text.c_str() + text.size())
        return std::numeric_limits<double>::quiet_NaN();
    const std::size_t point = text.find('.');
    const int decimals = point == std::string::npos ? 0 : int(text.size() - point - 1);
    const std::string u = unit.str();
    const std::size_t first = u.find_first_not_of(' ');
    const char prefix = first == std::string::npos ? 0 : u[first];
    const bool scaled = first != std::string::npos && first + 1 < u.size() && std::isalpha(u[first + 1]);
    const double factor = !scaled ? 1.0 : prefix == 'k' ? 1e3 : prefix == 'M' ? 1e6 : prefix == 'G' ? 1e9 : 1.0;
    halfDigit = 0.5 * std::pow(10.0, -decimals) * factor;
    return number * factor;
}

// How each phase's power flows in a session of the figures.
enum class EFlow { Drawn, Returned, ReturnedEveryThird };

// The trend records of a session as written, each phase's P and Pf flowing as given (a returning
// interval's negative: its triple's minimum the larger magnitude) and the totals of the phases
// that flow, as a logger records them: P and Pf their sums, PF and DPF the magnitudes of P over
// S. THD-A of L1 is 8.0 % in every record, the other distortions vary with the load.
std::vector<SWrittenTable> FigureSessionTables(const SSessionSpec& recording, std::array<EFlow, 3> flows)
{
    std::vector<SWrittenTable> tables = CSessionWriter(recording).BuildTables();
    const int phases = recording.topology == 0 || recording.topology == 4 ? 1 : recording.topology == 3 ? 2 : 3;
    const auto triple = [](DWORD quantity, int phase) { return CWrittenFigures::Triple(quantity, phase); };
    const auto putTriple = [](SWrittenTable& table, std::size_t at, double avg, double spread) {
        table.bytes.PutF32(at, float(avg - std::fabs(avg) * spread));
        table.bytes.PutF32(at + 4, float(avg + std::fabs(avg) * spread));
        table.bytes.PutF32(at + 8, float(avg));
    };
    int record = 0;
    for (SWrittenTable& table : tables) {
        if (table.type != CWrittenFigures::kTrendRecord)
            continue;
        for (std::size_t field = 0; field < 3; ++field)
            table.bytes.PutF32(triple(30, 0) + 4 * field, 8.0f);
        double totals[2] = {};
        for (int phase = 0; phase < phases; ++phase) {
            const EFlow flow = flows[std::size_t(phase)];
            const bool returned = flow == EFlow::Returned || (flow == EFlow::ReturnedEveryThird && record % 3 == 0);
            for (std::size_t q = 0; q < 2; ++q) {
                const std::size_t at = triple(q == 0 ? 5u : 20u, phase);
                const float min = CWrittenFigures::Field(table, at), max = CWrittenFigures::Field(table, at + 4);
                const float avg = CWrittenFigures::Field(table, at + 8);
                if (returned) {
                    table.bytes.PutF32(at, -max);
                    table.bytes.PutF32(at + 4, -min);
                    table.bytes.PutF32(at + 8, -avg);
                }
                totals[q] += returned ? -avg : avg;
            }
        }
        putTriple(table, triple(5, CWrittenFigures::kTotal), totals[0], 0.15);
        putTriple(table, triple(20, CWrittenFigures::kTotal), totals[1], 0.15);
        const double apparent = CWrittenFigures::Field(table, triple(6, CWrittenFigures::kTotal) + 8);
        const double fundamental = CWrittenFigures::Field(table, triple(21, CWrittenFigures::kTotal) + 8);
        putTriple(table, triple(8, CWrittenFigures::kTotal), std::fabs(totals[0]) / apparent, 0.01);
        putTriple(table, triple(9, CWrittenFigures::kTotal), std::fabs(totals[1]) / fundamental, 0.01);
        ++record;
    }
    return tables;
}

// A session of the figures: how it is recorded, how its phases flow, the tariff the user gives it
// (empty currency: none).
struct SFigureSession
{
    SSessionSpec recording;
    std::array<EFlow, 3> flows{};
    const char* tariffCurrency = "";
    const char* tariffForward = "";
    const char* tariffReverse = "";
};

// A feeder whose L1 draws power throughout, L2 returns it throughout and L3 in every third
// interval; its total flows back whenever L3 does.
SFigureSession MixedFeeder()
{
    SFigureSession session{CAssembledProgram::StandardSessions()[1], {EFlow::Drawn, EFlow::Returned, EFlow::ReturnedEveryThird}};
    session.recording.returnedPower = 2000.0;
    session.tariffCurrency = "EUR";
    session.tariffForward = "0.3";
    session.tariffReverse = "0.08";
    return session;
}

// The Load session.
SFigureSession Workshop()
{
    return {CAssembledProgram::StandardSessions()[2], {EFlow::Drawn, EFlow::Drawn, EFlow::Drawn}};
}

// A rooftop array that only returns power, on every phase.
SFigureSession Rooftop()
{
    SFigureSession session{CAssembledProgram::StandardSessions()[1], {EFlow::Returned, EFlow::Returned, EFlow::Returned}};
    session.recording.name = u"Rooftop array";
    session.recording.serialNumber = "4626020";
    session.recording.drawsEnergy = false;
    session.recording.returnedPower = 3000.0;
    session.tariffCurrency = "EUR";
    session.tariffForward = "0.3";
    session.tariffReverse = "0.08";
    return session;
}

// A split-phase service whose second leg returns power in every third interval.
SFigureSession SplitPhaseService()
{
    SFigureSession session{CAssembledProgram::StandardSessions()[1], {EFlow::Drawn, EFlow::ReturnedEveryThird, EFlow::Drawn}};
    session.recording.name = u"Split-phase service";
    session.recording.serialNumber = "4626021";
    session.recording.topology = 3;
    session.recording.probeRange = 10000.0f; // a large one: energies of many digits
    return session;
}

// A delta feeder with a generator behind it: the feeder returns power in every third interval,
// and its logger counts the energy returned as a magnitude.
SFigureSession DeltaFeeder()
{
    SFigureSession session = MixedFeeder();
    session.recording.name = u"Delta feeder";
    session.recording.topology = 2;
    session.recording.reverseAsMagnitude = true;
    session.flows = {EFlow::ReturnedEveryThird, EFlow::ReturnedEveryThird, EFlow::ReturnedEveryThird};
    return session;
}

class FigureJourneyTest : public UserJourneyTest
{
public:
    // The project of the sessions, opened, each with its tariff as the user types it into the
    // session's settings.
    void Open(const std::string& name, const std::vector<SFigureSession>& sessions)
    {
        std::vector<std::vector<BYTE>> files;
        for (const SFigureSession& session : sessions) {
            m_tables.push_back(FigureSessionTables(session.recording, session.flows));
            files.push_back(CSessionWriter(session.recording).BuildFile(m_tables.back()));
            m_written.emplace_back(m_tables.back(), session.recording.topology);
        }
        m_sessions = sessions;
        m_firstSessionName = CString::FromUtf16(sessions.front().recording.name).str();
        const CString project = program.MakeProjectOfFiles(name, files);
        SessionsWrittenAs(std::move(files));
        program.ForgetLog();
        program.ForgetInterruptions();
        ASSERT_TRUE(program.Start(project));
        m_demandShownFirst = DemandOverviewTexts();
        ClickToPage(kPages[0]);
        auto& manager = *program.Section<CProjectManagerTableView>(SMainViewLayout::kProjectManagerPage);
        for (std::size_t b = 0; b < sessions.size(); ++b) {
            const SFigureSession& session = sessions[b];
            if (!*session.tariffCurrency)
                continue;
            program.AnswerNextDialog(CEditAuxSettingsDlg::kTemplateId, [&session](CDialog& dialog) {
                auto* tabs = dynamic_cast<CTabCtrl*>(CAssembledProgram::FindDescendantWithId(&dialog, CEditAuxSettingsDlg::kTabControl));
                CRect second;
                if (tabs && tabs->GetItemRect(1, &second))
                    CAssembledProgram::ClickAt(*tabs, second.CenterPoint());
                TypeIn(dialog, kCurrencyEdit, session.tariffCurrency);
                TypeIn(dialog, kForwardCostEdit, session.tariffForward);
                TypeIn(dialog, kReverseCostEdit, session.tariffReverse);
                Press(dialog, IDOK);
            });
            ClickCardButton(*manager.GetDataSetGrid(), int(b), kCommandSessionSettings);
            CheckQuiet("set the tariff of session " + std::to_string(b), {"dialog " + std::to_string(CEditAuxSettingsDlg::kTemplateId)});
        }
    }
    static constexpr int kReverseCostEdit = 2416;
    static constexpr int kChoiceBoxFromLeft = 8;

    // Every figure of a study table page's overview table against the records of its sessions,
    // then of its time-range table over the records of the range the graph's markers set.
    void CheckStudyTables(int viewId, int entry)
    {
        ClickToPage(PageOfView(viewId));
        SetSectionCollapsed(kOverviewSection, false);
        CheckStudyTable(viewId, entry);
        CheckOffersAsTheTableShows(entry);
        // The range begins a day later than the markers first set it, as the user steps the day of
        // its begin date.
        SetTimeRange();
        CheckStudyTable(viewId, entry + 2, true);
        ClearTimeRange();
    }
    void SetTimeRange()
    {
        Click(GraphBar::kSetTimeRange);
        Step(GraphBar::kTimeRangePickers.beginDate, VK_UP);
        Settle();
        CFrameworkApp::PumpWaitingMessages();
        SetSectionCollapsed(kTimeRangeSection, false);
    }
    void ClearTimeRange()
    {
        CWnd* option = Control(GraphBar::kSetTimeRange);
        if (option && option->SendMessage(BM_GETCHECK) != 0)
            CAssembledProgram::ClickInView(*option);
    }
    void CheckStudyTable(int viewId, int entry, bool timeRange = false)
    {
        auto* table = program.Section<CBasicTableView>(entry);
        ASSERT_NE(table, nullptr) << viewId;
        CMyBasicSummaryGrid& grid = *table->GetGrid();
        int checked = 0;
        for (std::size_t b = 0; b < table->GetSessionData().size(); ++b) {
            const structSummaryTableData& data = *table->GetSessionData()[b];
            if (data.hidden)
                continue;
            const SRecordRange range = table->GetSelectedRanges().at(b).records;
            EXPECT_EQ(table->GetSelectedRanges().at(b).selected != 0, timeRange) << entry;
            if (range.IsEmpty())
                continue;
            const CWrittenFigures written = m_written[b].Within(range.first, range.last);
            for (int g = 0; g < 5; ++g) {
                const SSummaryTableRow& row = data.rows[std::size_t(g)];
                if (row.quantity == 121)
                    continue;
                int phases = 0;
                for (int k = 0; k < 3; ++k) {
                    const SSummaryTableEntry& avg = row.cells[std::size_t(k)].entries[SSummaryTableCell::kAvg];
                    phases += avg.available && !avg.totalContribution ? 1 : 0;
                }
                for (int k = 0; k < 4; ++k) {
                    const int phase = k < 3 ? k : CWrittenFigures::kTotal;
                    const SSummaryTableCell& cell = row.cells[std::size_t(k)];
                    const std::string place = PageOfView(viewId).name + std::string(" table ") + std::to_string(entry) +
                                              " records " + std::to_string(range.first) + ".." + std::to_string(range.last) +
                                              " session " + std::to_string(b) + " quantity " + std::to_string(row.quantity) +
                                              " phase " + std::to_string(phase);
                    CheckAvgWithinExtremes(cell, place);
                    if (CWrittenFigures::Triple(row.quantity, 0) == 0)
                        continue;
                    for (const int e : {SSummaryTableCell::kMax, SSummaryTableCell::kAvg, SSummaryTableCell::kMin}) {
                        const SSummaryTableEntry& shown = cell.entries[std::size_t(e)];
                        if (!shown.available || shown.totalContribution)
                            continue;
                        SCOPED_TRACE(place + (e == SSummaryTableCell::kMax ? " Max" : e == SSummaryTableCell::kAvg ? " Avg" : " Min"));
                        double expected = 0.0;
                        if (e == SSummaryTableCell::kAvg) {
                            expected = written.Avg(row.quantity, phase, phases);
                            EXPECT_NEAR(shown.value, expected, 1e-4 * std::max(1.0, std::fabs(expected)));
                        } else {
                            const CWrittenFigures::SExtreme extreme = e == SSummaryTableCell::kMax
                                                                          ? written.Max(row.quantity, phase)
                                                                          : written.Min(row.quantity, phase);
                            expected = extreme.value;
                            EXPECT_NEAR(shown.value, expected, 1e-6 * std::max(1.0, std::fabs(expected)));
                            EXPECT_EQ(shown.time.GetTicks(), written.RecordTime(extreme.record).GetTicks());
                        }
                        // As the grid shows it, whole and to its last digit.
                        const int statistic = e == SSummaryTableCell::kMax ? 0 : e == SSummaryTableCell::kAvg ? 1 : 2;
                        const int col = 2 + 4 * k, gridRow = grid.DataRow(int(b), g, statistic);
                        const CString value = CellText(grid, col, gridRow);
                        const CString unit = CellText(grid, col + 2, gridRow);
                        double halfDigit = 0.0;
                        const double read = ShownValue(value, unit, halfDigit);
                        const double inBase = expected * CWrittenFigures::Scale(row.quantity);
                        EXPECT_NEAR(read, inBase, halfDigit * 1.001 + 1e-9 * std::fabs(inBase))
                            << "shown \"" << value.str() << "\" \"" << unit.str() << "\"";
                        ++checked;
                    }
                }
            }
        }
        EXPECT_GT(checked, 0) << viewId;
    }
    // Whatever way power flowed, an average lies within what the intervals had.
    static void CheckAvgWithinExtremes(const SSummaryTableCell& cell, const std::string& place)
    {
        const auto& entries = cell.entries;
        for (const SSummaryTableEntry& entry : entries)
            if (!entry.available || entry.totalContribution || !std::isfinite(entry.value))
                return;
        const double min = entries[SSummaryTableCell::kMin].value, avg = entries[SSummaryTableCell::kAvg].value;
        const double max = entries[SSummaryTableCell::kMax].value;
        const double slack = 1e-6 * std::max(1.0, std::fabs(avg));
        EXPECT_TRUE(min - slack <= avg && avg <= max + slack) << place << ": Avg " << avg << " outside " << min << " .. " << max;
    }
    // The graph's options bar offers a quantity at a phase exactly where the time-range table,
    // which holds the sessions the graph shows, shows it for some session: a box for each, none
    // for a value no session shown has.
    void CheckOffersAsTheTableShows(int entry)
    {
        auto* table = program.Section<CBasicTableView>(entry + 2);
        auto* graph = program.Section<CBasicGraphView>(entry + 1);
        ASSERT_TRUE(table && graph) << entry;
        std::map<std::pair<int, int>, bool> shown; // by (row of the bar, slot)
        for (const SDataItem& item : graph->GetDataItems()) {
            if (item.row < 0 || item.row >= GraphBar::kPhaseRows)
                continue;
            for (const auto& data : table->GetSessionData())
                for (const SSummaryTableRow& row : data->rows)
                    if (!data->hidden && row.quantity == item.quantity)
                        for (int slot = 0; slot < item.phaseSlots; ++slot) {
                            const SSummaryTableEntry& avg = row.cells[std::size_t(slot)].entries[SSummaryTableCell::kAvg];
                            shown[{item.row, slot}] = shown[{item.row, slot}] || (avg.available && !avg.totalContribution);
                        }
        }
        for (const auto& [at, held] : shown) {
            CWnd* box = Control(PhaseCheckId(at.first, at.second));
            const bool offered = box && box->IsWindowVisible() && box->IsWindowEnabled();
            EXPECT_EQ(offered, held) << m_page->name << " row " << at.first << " slot " << at.second;
            if (box && !held) {
                EXPECT_EQ(box->SendMessage(BM_GETCHECK), 0) << m_page->name << " plots row " << at.first << " slot " << at.second;
            }
        }
    }

    // The first session shown alone, the second unticked in the options bar: the boxes offer
    // what the first has; with both shown, every box ticked draws nothing of the first that its
    // table leaves blank.
    void CheckFirstSessionShownAlone(int viewId, int entry)
    {
        ClickToPage(PageOfView(viewId));
        CWnd* second = Control(GraphBar::kFirstSession + 1);
        if (!second || !CAssembledProgram::ClickInView(*second)) {
            faults.Add("the second session cannot be unticked", m_page->name);
            return;
        }
        CheckPage("unticked the second session");
        CheckOffersAsTheTableShows(entry);
        CAssembledProgram::ClickInView(*second);
        CheckPage("ticked the second session again");
        CheckOffersAsTheTableShows(entry);
        auto* table = program.Section<CBasicTableView>(entry);
        auto* graph = program.Section<CBasicGraphView>(entry + 1);
        for (const SDataItem& item : graph->GetDataItems())
            for (int slot = 0; item.row >= 0 && item.row < GraphBar::kPhaseRows && slot < item.phaseSlots; ++slot)
                if (CWnd* box = Control(PhaseCheckId(item.row, slot)); box && box->IsWindowEnabled())
                    Click(PhaseCheckId(item.row, slot));
        CheckPage("ticked every phase box");
        const CiPlotX& chart = *graph->GetPlotControl();
        for (const SDataItem& item : graph->GetDataItems())
            for (const SSummaryTableRow& row : table->GetSessionData().front()->rows)
                for (int slot = 0; row.quantity == item.quantity && slot < item.phaseSlots; ++slot) {
                    const SSummaryTableEntry& avg = row.cells[std::size_t(slot)].entries[SSummaryTableCell::kAvg];
                    const CString title = "1: " + graph->GetDataItemName(item, slot);
                    for (int i = 0; (!avg.available || avg.totalContribution) && i < chart.GetChannelCount(); ++i)
                        if (chart.GetChannel(i)->GetTitle() == title)
                            faults.Add("the first session draws " + title.str() + ", which its table leaves blank",
                                       m_page->name);
                }
    }

    // The demand tables, overview and time range: each Energy session's energies drawn and
    // returned, their total, the maximum demand and its interval, and the cost at the logger's
    // price and at the session's tariff, each to the last digit shown against the sums of the
    // written records in exact arithmetic (a long double holds each record's float, their sum
    // and its product with a price to far below the shown digits).
    static constexpr int kDemandTableEntry = 8;
    // Called first after Open: the Demand page was built before the tariffs were set in the
    // Project Manager, and the amounts are read at once, with no re-show between.
    void CheckDemandTables()
    {
        ClickToPage(PageOfView(1));
        SetSectionCollapsed(kOverviewSection, false);
        CheckDemandTable(kDemandTableEntry, "overview");
        SetTimeRange();
        CheckDemandTable(kDemandTableEntry + 2, "time range");
        // The tariffs, chosen in the overview, price both tables.
        auto* overview = program.Section<CDemandTableView>(kDemandTableEntry);
        ASSERT_NE(overview, nullptr);
        SetSectionCollapsed(kOverviewSection, false);
        for (std::size_t b = 0; b < m_sessions.size(); ++b) {
            // The round box at the left of the choice, as the user clicks it.
            const int row = CDemandGrid::DataRow(int(b)) + CDemandGrid::kChoiceRow;
            if (*m_sessions[b].tariffCurrency &&
                !program.ClickGridCell(*overview->GetGrid(), CDemandGrid::kAdvancedColumn, row, kChoiceBoxFromLeft))
                faults.Add("the tariff of session " + std::to_string(b) + " cannot be clicked", m_page->name);
        }
        Settle();
        CFrameworkApp::PumpWaitingMessages();
        CheckTariffsChosen("chose the tariffs");
        // The amounts at the tariffs read whole at once, not only once the page is laid out again.
        for (const std::string& cut : CAssembledProgram::FindCutTexts(ShownPage()))
            faults.Add("a cut text: " + cut, "chose the tariffs");
        CheckDemandTable(kDemandTableEntry, "overview at the tariffs");
        CheckDemandTable(kDemandTableEntry + 2, "time range at the tariffs");
        ClearTimeRange();
    }
    // Both demand tables price each session shown at the tariff the user chose for it (a session
    // with a tariff) or at the logger's price.
    void CheckTariffsChosen(const std::string& where)
    {
        for (const int entry : {kDemandTableEntry, kDemandTableEntry + 2}) {
            const CDemandTableView* table = program.Section<CDemandTableView>(entry);
            for (std::size_t b = 0; table && b < m_sessions.size(); ++b) {
                if (table->GetSessionData().at(b)->hidden)
                    continue;
                CUGCell choice;
                table->GetGrid()->GetCell(CDemandGrid::kAdvancedColumn, CDemandGrid::DataRow(int(b)) + CDemandGrid::kChoiceRow, &choice);
                if ((choice.GetNumber() != 0) != (*m_sessions[b].tariffCurrency != 0))
                    faults.Add("session " + std::to_string(b) + " is priced otherwise than chosen in table " + std::to_string(entry),
                               where);
            }
        }
    }
    void CheckDemandTable(int entry, const std::string& which)
    {
        auto* table = program.Section<CDemandTableView>(entry);
        ASSERT_NE(table, nullptr) << which;
        CDemandGrid& grid = *table->GetGrid();
        int checked = 0;
        for (std::size_t b = 0; b < table->GetSessionData().size(); ++b) {
            const structDemandTableData& data = *table->GetSessionData()[b];
            const SRecordRange range = table->GetStoredRanges().at(b).records;
            if (data.hidden || range.IsEmpty())
                continue;
            SCOPED_TRACE(which + " session " + std::to_string(b) + " records " + std::to_string(range.first) + ".." +
                         std::to_string(range.last));
            ASSERT_EQ(table->GetStoredRanges()[b].accessSpec, (STrendAccessSpec{1, 1}));
            const std::vector<const SWrittenTable*>& records = m_written[b].Demand();
            long double forward = 0.0L, reverse = 0.0L, highest = -1.0L;
            std::size_t highestRecord = 0;
            for (int i = range.first; i <= range.last; ++i) {
                const SWrittenTable& record = *records.at(std::size_t(i));
                const long double drawn = CWrittenFigures::Field(record, 96);
                forward += drawn;
                reverse += CWrittenFigures::Field(record, 100);
                if (drawn > highest) {
                    highest = drawn;
                    highestRecord = std::size_t(i);
                }
            }
            forward /= 1000.0L;
            reverse = std::fabs(reverse) / 1000.0L;
            const long double expected[] = {forward, reverse, forward - reverse, 3600.0L / 900.0L * highest / 1000.0L};
            for (int e = 0; e < 4; ++e) {
                const int row = CDemandGrid::DataRow(int(b)) + 2 * e;
                const CString value = CellText(grid, 2, row);
                const CString unit = CellText(grid, 3, row);
                double halfDigit = 0.0;
                const double read = ShownValue(value, unit, halfDigit);
                EXPECT_LE(std::fabs((long double)(read) - expected[e] * 1000.0L), halfDigit * 1.000001)
                    << "entry " << e << " shown \"" << value.str() << "\" \"" << unit.str() << "\" for "
                    << double(expected[e] * 1000.0L);
            }
            EXPECT_EQ(data.maximumDemandTime.GetTicks(), CHighTime(records[highestRecord]->timeTicks).GetTicks());

            // The cost: the logger's price (0.21 a kWh drawn) or the tariff's, as typed.
            const SFigureSession& session = m_sessions[b];
            CUGCell choice;
            grid.GetCell(CDemandGrid::kAdvancedColumn, CDemandGrid::DataRow(int(b)) + CDemandGrid::kChoiceRow, &choice);
            const bool tariff = choice.GetNumber() != 0;
            const long double forwardPrice = tariff ? std::stold(session.tariffForward) : 0.21L;
            const long double reversePrice = tariff ? std::stold(session.tariffReverse) : 0.0L;
            CheckAmount(CellText(grid, 6, CDemandGrid::DataRow(int(b)) + CDemandGrid::kAmountRow),
                        forwardPrice * forward, reversePrice * reverse, session.tariffCurrency);
            ++checked;
        }
        EXPECT_GT(checked, 0) << which;
    }
    // The amount cell: its parts in the one currency the user chose, each with two decimals and
    // within half a cent of the exact amount: the forward cost, the reverse cost and, with both,
    // their difference; without either, a total of 0.
    void CheckAmount(const CString& amount, long double forward, long double reverse, const std::string& currency)
    {
        std::vector<std::pair<long double, std::string>> parts;
        if (forward != 0.0L)
            parts.emplace_back(forward, "fwd");
        if (reverse != 0.0L)
            parts.emplace_back(reverse, "rev");
        if (forward != 0.0L && reverse != 0.0L)
            parts.emplace_back(forward - reverse, "tot");
        if (parts.empty())
            parts.emplace_back(0.0L, "tot");
        // Each part: a joint, the currency mark, the figure, its script.
        static const std::regex part(R"((?: [-=] )?([^0-9-]*?) ?(-?[0-9,]*\.([0-9]+))<:S>(\w+)<:N>)");
        const std::string text = amount.str();
        const std::string font = "<:F,Tahoma,18,700>";
        ASSERT_EQ(text.rfind(font, 0), 0u) << text;
        std::size_t read = font.size();
        for (const auto& [exact, script] : parts) {
            std::smatch shown;
            ASSERT_TRUE(std::regex_search(text.begin() + std::ptrdiff_t(read), text.end(), shown, part,
                                          std::regex_constants::match_continuous))
                << text;
            read += std::size_t(shown.length());
            EXPECT_EQ(shown[4], script) << text;
            EXPECT_EQ(shown[1], currency) << text;
            EXPECT_EQ(shown[3].length(), 2) << text;
            EXPECT_LE(std::fabs(std::stold(shown[2]) - exact), 0.005L + 1e-9L) << text << " for " << double(exact);
        }
        EXPECT_EQ(read, text.size()) << "more than the parts: " << text;
    }

    // The demand overview as the user reads it: every session's energies and maximum demand,
    // value and unit.
    std::vector<std::string> DemandOverviewTexts()
    {
        ClickToPage(PageOfView(1));
        SetSectionCollapsed(kOverviewSection, false);
        std::vector<std::string> texts;
        auto* table = program.Section<CDemandTableView>(kDemandTableEntry);
        for (std::size_t b = 0; table && b < table->GetSessionData().size(); ++b)
            for (int e = 0; e < 4; ++e) {
                const int row = CDemandGrid::DataRow(int(b)) + 2 * e;
                texts.push_back(CellText(*table->GetGrid(), 2, row).str() + " " + CellText(*table->GetGrid(), 3, row).str());
            }
        return texts;
    }

    std::vector<SFigureSession> m_sessions;
    std::vector<std::string> m_demandShownFirst; // the demand overview before any other page was opened
    std::vector<std::vector<SWrittenTable>> m_tables;
    std::vector<CWrittenFigures> m_written;
};

// RMS Power, Fundamental Power and V, A, Hz, THD of the Energy study; RMS Power and A, Hz, THD of
// the Load study: the overview and the time-range tables.
constexpr std::pair<int, int> kFigurePages[] = {{0, 5}, {3, 13}, {4, 16}, {5, 25}, {8, 33}};

TEST_F(FigureJourneyTest, EveryFigureOfTheTablesIsWhatTheWrittenRecordsGive)
{
    Open("figures", {MixedFeeder(), Workshop(), Rooftop(), SplitPhaseService()});
    CheckDemandTables();
    for (const auto& [viewId, entry] : kFigurePages)
        CheckStudyTables(viewId, entry);
    // The figures read the same whichever pages the user opened before.
    EXPECT_EQ(DemandOverviewTexts(), m_demandShownFirst) << "the demand page shown first and after the others";
    CheckQuiet("figures");
    faults.Report("figures");
    // Amounts drawn and returned at the tariffs, negative powers, energies of many digits.
    CheckTextsWholeAtEverySize(true);
    ClickToPage(PageOfView(1));
    CheckTariffsChosen("the demand page shown again");
    faults.Report("figures: every text whole");
}

TEST_F(FigureJourneyTest, ADeltaSessionIsOfferedAndShownOnlyAsItsConfigurationHasIt)
{
    Open("delta", {DeltaFeeder(), SplitPhaseService()});
    CheckDemandTables();
    for (const auto& [viewId, entry] : kFigurePages)
        if (viewId < 5)
            CheckStudyTables(viewId, entry);
    // Beside a split-phase service the delta feeder shown alone is offered its totals only.
    for (const auto& [viewId, entry] : kFigurePages)
        if (viewId < 5)
            CheckFirstSessionShownAlone(viewId, entry);
    CheckQuiet("delta");
    faults.Report("delta");
}

} // namespace
