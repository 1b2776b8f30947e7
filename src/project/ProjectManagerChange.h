#pragma once
// SProjectManagerChange: what the project manager page hands to the document when something
// changed on it. It travels to the views like any update hint: its kind is the hint's kind, so
// views that look only at the kind need not know where it came from.
#include "project/UpdateMsg.h"

class CProjectManagerSettings;
struct SProjectManagerContent;

struct SProjectManagerChange : CUpdateMsg
{
    // Kinds the page sends.
    static constexpr int kSavedScreenName = 0;
    static constexpr int kPageUpdated = 1;
    static constexpr int kSavedScreensAdded = 2;
    static constexpr int kSavedScreenDeleted = 3;
    static constexpr int kSummaryTexts = 6;
    static constexpr int kSessionTexts = 7;
    static constexpr int kSessionName = 8;
    static constexpr int kSavedScreenNotes = 9;
    static constexpr int kSessionSettings = 10;
    static constexpr int kNone = 11;

    SProjectManagerChange(const SProjectManagerContent* pageContent, CProjectManagerSettings* pageSettings)
        : content(pageContent), settings(pageSettings)
    {
        Set(kNone);
    }

    const SProjectManagerContent* content;
    CProjectManagerSettings* settings;
};
