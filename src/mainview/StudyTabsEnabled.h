#pragma once
// The tab enabling routine: which tabs of the project window the open project's sessions allow.
class CRecDoc;
struct SMainViewLayout;

// With a first data set and Energy-study or Load-study sessions: enables the Energy Study tab when
// there are Energy-study sessions and the Load Study tab when there are Load-study sessions (each
// disabled otherwise), and the Report tab; without them disables the Energy Study, Load Study,
// Advanced and Report tabs. The Advanced tab is never enabled, and the selected tab is never
// changed.
void UpdateStudyTabsEnabled(const SMainViewLayout& layout, const CRecDoc* document);
// The same from the facts it reads of the project.
void UpdateStudyTabsEnabled(const SMainViewLayout& layout, bool hasFirstDataSet, int energySessions, int loadSessions);
