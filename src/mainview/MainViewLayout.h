#pragma once
// SMainViewLayout: the main view's window table, 39 entries numbered 0 to 38. Every page entry
// points to a framework object (null while that page does not exist); a section entry is the
// splitter pane whose window is the section's split frame. Other pages find their siblings
// through it (g_pMainViewLayout).
#include <array>

class TVisualFramework;
class TVisualObject;

// Entries 3 to 18: the Energy study (views 0..4, three sections each, two for the calendar).
struct SEnergyStudyLayout
{
    TVisualFramework* framework = nullptr;           // 3
    TVisualObject* tab = nullptr;                    // 4
    std::array<TVisualObject*, 14> sections{};       // 5..18
};

// Entries 23 to 35: the Load study (views 5, 6, 8; 30..32 stay null for view 7).
struct SLoadStudyLayout
{
    TVisualFramework* framework = nullptr;           // 23
    TVisualObject* tab = nullptr;                    // 24
    std::array<TVisualObject*, 11> sections{};       // 25..35
};

struct SMainViewLayout
{
    static constexpr int kEntryCount = 39;
    static constexpr int kRoot = 2;
    static constexpr int kEnergyFramework = 3;
    static constexpr int kEnergyTab = 4;
    static constexpr int kFirstEnergySection = 5;
    static constexpr int kProjectManagerTab = 19;
    static constexpr int kProjectManagerPage = 20;
    static constexpr int kProjectManagerRight = 21;
    static constexpr int kAdvancedTab = 22;
    static constexpr int kLoadFramework = 23;
    static constexpr int kLoadTab = 24;
    static constexpr int kFirstLoadSection = 25;
    static constexpr int kReportTab = 36;
    static constexpr int kReportList = 37;
    static constexpr int kReportContent = 38;

    TVisualFramework* framework = nullptr;           // 0
    int reserved = -1;                               // 1: read by no one
    TVisualObject* rootTabs = nullptr;               // 2
    SEnergyStudyLayout energy;                       // 3..18
    TVisualObject* projectManagerTab = nullptr;      // 19
    TVisualObject* projectManagerPage = nullptr;     // 20
    TVisualObject* projectManagerRight = nullptr;    // 21
    TVisualObject* advancedTab = nullptr;            // 22
    SLoadStudyLayout load;                           // 23..35
    TVisualObject* reportTab = nullptr;              // 36
    TVisualObject* reportList = nullptr;             // 37
    TVisualObject* reportContent = nullptr;          // 38

    // The object entry of that number; null for the framework pointers, entry 1 and numbers out
    // of range.
    TVisualObject* GetObject(int entry) const;
    // The object entry itself, for entries 2, 4..22 and 24..38 (entry 1 and the framework
    // pointers have none: the call must not be made for them).
    TVisualObject*& ObjectEntry(int entry);
    // Binds both groups to the framework and clears every page entry.
    void Bind(TVisualFramework* owner);
    // Clears every entry of both study groups except their framework pointers.
    void ClearStudyEntries();
};

// The framework and window table of the main view created last; null without one.
extern TVisualFramework* g_pMainViewFramework;
extern SMainViewLayout* g_pMainViewLayout;
