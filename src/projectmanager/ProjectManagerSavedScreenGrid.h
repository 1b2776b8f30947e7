#pragma once
// CProjectManagerSavedScreenGrid: one card per saved screen with its name, notes and picture; a
// screenshot taken on the logger also shows what the logger recorded about it, any other
// picture takes the whole right part of its card.
#include "project/SavedScreenCache.h"
#include "projectmanager/PictureCellType.h"
#include "projectmanager/ProjectManagerBasicGrid.h"

class CRecDoc;

class CProjectManagerSavedScreenGrid : public CProjectManagerBasicGrid
{
public:
    static constexpr UINT kHoverTimer = 1003;
    // The picture row is at least this high, and grows with pictures higher than the rows beside.
    static constexpr int kPictureRowHeight = 218;
    static constexpr int kPictureCellMinimum = 278;

    CProjectManagerSavedScreenGrid(CGridViewBase* parentView, int records, bool singleRecord, CRecDoc* document,
                                   int recordIndex);

    void Fill(const SProjectManagerContent& content, CProjectManagerSettings& settings, int index) override;
    void StoreStates(CProjectManagerSettings& settings) const override;
    void RestoreStates(const CProjectManagerSettings& settings) override;
    BOOL OnEditFinish(int col, int row, CWnd* edit, const CString& text, BOOL cancelled) override;
    void OnSetup() override;
    CSavedScreenCache& GetCache() { return m_cache; }

    // Height of a picture of that size drawn in a cell of that width: scaled down to the width
    // when it is wider.
    static int ScaledPictureHeight(CSize picture, int cellWidth);

protected:
    const SCardLayout& CardLayout() const override;
    const SCardLayout& SingleRecordLayout() const override;
    const SCardLayout& SectionLayout(int section) const override;
    void JoinSectionCells(int section) override;
    void SetSectionIcons(int section) override;
    void SetSectionLabels(int section) override;
    int BodyRowHeight(int section, int bodyRow) const override;
    void OnButton(int section, int button) override;

private:
    // Whether the card's picture came from the logger (it has a serial number).
    bool IsLoggerScreenshot(int section) const;
    int PictureCellWidth(int section) const;

    mutable CSavedScreenCache m_cache;
    CPictureCellType m_pictureType;
    int m_pictureTypeIndex = -1;
    CProjectManagerSettings* m_settings = nullptr;
};
