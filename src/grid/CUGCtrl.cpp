#include "grid/CUGCtrl.h"

#include "grid/CUGArrowType.h"
#include "grid/CUGCellType.h"
#include "grid/CUGCheckBoxType.h"
#include "grid/CUGCnrBtn.h"
#include "grid/CUGDataSource.h"
#include "grid/CUGDropListType.h"
#include "grid/CUGEdit.h"
#include "grid/CUGGrid.h"
#include "grid/CUGHScroll.h"
#include "grid/CUGHint.h"
#include "grid/CUGMaskedEdit.h"
#include "grid/CUGSideHdg.h"
#include "grid/CUGTab.h"
#include "grid/CUGTopHdg.h"
#include "grid/CUGVScroll.h"
#include "platform/framework/StringTable.h"
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/CFindReplaceDialog.h"

#include <glog/logging.h>

#include <algorithm>
#include <cstring>

namespace
{
constexpr int kMaxSheets = 1024;
constexpr int kMaxDataSources = 63;
constexpr std::size_t kDataSourceGrowth = 16;
constexpr UINT kSysColorChange = 0x0015; // the platform's system-colour-change message
constexpr UINT kFirstMenuCommand = 1000;
} // namespace

CUGCtrl::CUGCtrl()
    : m_normalType(std::make_unique<CUGCellType>()), m_dropListType(std::make_unique<CUGDropListType>()),
      m_checkBoxType(std::make_unique<CUGCheckBoxType>()), m_arrowType(std::make_unique<CUGArrowType>()),
      m_dataSources(kDataSourceGrowth, nullptr)
{
    SetNumberSheets(1);
    AddCellType(m_normalType.get());
    AddCellType(m_dropListType.get());
    AddCellType(m_checkBoxType.get());
    AddCellType(m_arrowType.get());
    AddDataSource(nullptr);
    CreatePens();
}

CUGCtrl::~CUGCtrl()
{
    // The child windows go before the control's own window.
    m_CUGMaskedEdit.reset();
    m_CUGEdit.reset();
    m_CUGHint.reset();
    m_CUGTab.reset();
    m_CUGHScroll.reset();
    m_CUGVScroll.reset();
    m_CUGCnrBtn.reset();
    m_CUGSideHdg.reset();
    m_CUGTopHdg.reset();
    m_CUGGrid.reset();
    m_fontList.EmptyList();
    m_bitmapList.EmptyList();
    m_cellTypeList.EmptyList();
}

void CUGCtrl::CreatePens()
{
    m_threeDLightPen.DeleteObject();
    m_threeDDarkPen.DeleteObject();
    m_threeDLightPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    m_threeDDarkPen.CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
}

// ---------------------------------------------------------------- creation and registration

BOOL CUGCtrl::CreateGrid(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    // Every grid in a window is reached with Tab, as any control is; its arrows move the current
    // cell.
    if (!Create(nullptr, "", (style & WS_CHILD) ? style | WS_TABSTOP : style, rect, parent, id))
    {
        LOG(INFO) << "CUGCtrl::CreateGrid - the grid window could not be created";
        m_createFailed = TRUE;
        return FALSE;
    }
    OnSetup();
    OnAfterSetup();
    OnSheetSetup(0);
    m_GI->m_paintMode = 1;
    LayoutChildren();
    return TRUE;
}

int CUGCtrl::OnCreate(LPCREATESTRUCT cs)
{
    if (CWnd::OnCreate(cs) == -1)
        return -1;
    m_CUGGrid = std::make_unique<CUGGrid>();
    m_CUGTopHdg = std::make_unique<CUGTopHdg>();
    m_CUGSideHdg = std::make_unique<CUGSideHdg>();
    m_CUGCnrBtn = std::make_unique<CUGCnrBtn>();
    m_CUGTab = std::make_unique<CUGTab>();
    m_CUGVScroll = std::make_unique<CUGVScroll>();
    m_CUGHScroll = std::make_unique<CUGHScroll>();
    m_CUGHint = std::make_unique<CUGHint>();
    m_CUGEdit = std::make_unique<CUGEdit>();
    m_CUGMaskedEdit = std::make_unique<CUGMaskedEdit>();
    BOOL ok = m_CUGGrid->CreateChild(this, UG_ID_GRID) && m_CUGTopHdg->CreateChild(this, UG_ID_TOPHDG) &&
              m_CUGSideHdg->CreateChild(this, UG_ID_SIDEHDG) && m_CUGCnrBtn->CreateChild(this, UG_ID_CNRBTN) &&
              m_CUGTab->CreateChild(this, UG_ID_TAB) && m_CUGVScroll->CreateChild(this, UG_ID_VSCROLL) &&
              m_CUGHScroll->CreateChild(this, UG_ID_HSCROLL);
    ok = ok && m_CUGHint->CreateHint(this);
    m_CUGEdit->m_ctrl = this;
    m_CUGMaskedEdit->m_ctrl = this;
    ok = ok && m_CUGEdit->Create(WS_CHILD | ES_MULTILINE | ES_AUTOVSCROLL, CRect(0, 0, 1, 1), this, UG_ID_EDIT);
    ok = ok && m_CUGMaskedEdit->Create(WS_CHILD | ES_AUTOHSCROLL, CRect(0, 0, 1, 1), this, UG_ID_MASKEDIT);
    if (!ok)
    {
        m_createFailed = TRUE;
        return -1;
    }
    SetChildSheet();
    return 0;
}

void CUGCtrl::OnDestroy()
{
    CWnd::OnDestroy();
}

int CUGCtrl::AddCellType(CUGCellType* type)
{
    if (!type)
        return -1;
    const int index = m_cellTypeList.AddPointer(type);
    type->SetControl(this);
    type->SetID(index);
    return index;
}

CUGCellType* CUGCtrl::GetCellType(int index)
{
    auto* type = index < 1 ? nullptr : static_cast<CUGCellType*>(m_cellTypeList.GetPointer(index));
    return type ? type : m_normalType.get();
}

CUGCellType* CUGCtrl::GetCellTypeAt(int col, int row)
{
    CUGCell cell;
    GetCellWithDefaults(col, row, &cell);
    return GetCellType(cell.GetCellType());
}

int CUGCtrl::AddDataSource(CUGDataSource* source)
{
    if (!source)
        return -1;
    const auto registered = std::count_if(m_dataSources.begin() + 1, m_dataSources.end(), [](auto* s) { return s; });
    if (registered >= kMaxDataSources)
        return -1;
    if (std::size_t(m_dataSrcCount) + 1 >= m_dataSources.size())
        m_dataSources.resize(m_dataSources.size() + kDataSourceGrowth, nullptr);
    const auto slot = std::find(m_dataSources.begin() + 1, m_dataSources.end(), nullptr);
    const int index = int(slot - m_dataSources.begin());
    *slot = source;
    m_dataSrcCount = std::max(m_dataSrcCount, index);
    source->SetOwner(this);
    source->SetID(index);
    return index;
}

CUGDataSource* CUGCtrl::GetDataSource(int index)
{
    if (index == 0)
        return m_GI->m_CUGMem.get();
    if (index < 0 || std::size_t(index) >= m_dataSources.size())
        return nullptr;
    return m_dataSources[std::size_t(index)];
}

int CUGCtrl::SetDefDataSource(int index)
{
    if (index < 0 || index > m_dataSrcCount)
        return 1;
    CUGDataSource* source = GetDataSource(index);
    if (!source)
        return 1;
    m_GI->m_defDataSourceIndex = index;
    m_GI->m_defDataSource = source;
    for (auto& col : m_GI->m_colInfo)
        col.dataSource = source;
    return 0;
}

int CUGCtrl::AddFont(LPCTSTR face, int height, int weight)
{
    return AddFont(height, 0, 0, 0, weight, 0, 0, 0, 0, 0, 0, 0, 0, face);
}

int CUGCtrl::AddFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                     BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                     BYTE pitchAndFamily, LPCTSTR face)
{
    // A face name that does not fit is dropped rather than cut, so no truncated name reaches the font list.
    if (face && std::strlen(face) >= std::size_t(LF_FACESIZE))
        face = nullptr;
    CFont font;
    if (!font.CreateFont(height, width, escapement, orientation, weight, italic, underline, strikeOut, charSet,
                         outPrecision, clipPrecision, quality, pitchAndFamily, face))
        return -1;
    LOGFONT lf;
    font.GetLogFont(&lf);
    return AddFontIndirect(lf);
}

int CUGCtrl::AddFontIndirect(LOGFONT lf)
{
    lf.lfFaceName[LF_FACESIZE - 1] = '\0';
    const auto sameFields = [&lf](const LOGFONT& other) {
        return std::memcmp(&lf, &other, offsetof(LOGFONT, lfFaceName)) == 0 &&
               std::strcmp(lf.lfFaceName, other.lfFaceName) == 0;
    };
    for (int i = 0; i < m_fontList.GetMaxCount(); ++i)
    {
        auto* font = static_cast<CFont*>(m_fontList.GetPointer(i));
        const auto entry = std::find_if(m_fonts.begin(), m_fonts.end(), [font](const auto& f) { return f.font.get() == font; });
        if (font && entry != m_fonts.end() && sameFields(entry->description))
        {
            m_fontList.UpdateParam(i, m_fontList.GetParam(i) + 1);
            return i;
        }
    }
    auto font = std::make_unique<CFont>();
    if (!font->CreateFontIndirect(&lf))
        return -1;
    const int index = m_fontList.AddPointer(font.get(), 1);
    m_fonts.push_back({lf, std::move(font)});
    return index;
}

CFont* CUGCtrl::GetFont(int index)
{
    return static_cast<CFont*>(m_fontList.GetPointer(index));
}

int CUGCtrl::AddBitmap(UINT resourceId)
{
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadBitmap(resourceId))
        return -1;
    const int index = m_bitmapList.AddPointer(bitmap.get());
    m_bitmaps.push_back(std::move(bitmap));
    return index;
}

int CUGCtrl::AddBitmap(LPCTSTR resourceName)
{
    // Named bitmaps are resources like the numbered ones: bitmaps/<name>.bmp or .png.
    if (!resourceName || !*resourceName || std::strpbrk(resourceName, "/\\"))
        return -1;
    const std::string base = CStringTable::ResourceDir() + "/bitmaps/" + resourceName;
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->LoadFromFile((base + ".bmp").c_str()) && !bitmap->LoadFromFile((base + ".png").c_str()))
        return -1;
    const int index = m_bitmapList.AddPointer(bitmap.get());
    m_bitmaps.push_back(std::move(bitmap));
    return index;
}

CBitmap* CUGCtrl::GetBitmap(int index)
{
    return static_cast<CBitmap*>(m_bitmapList.GetPointer(index));
}

// ---------------------------------------------------------------- sheets

int CUGCtrl::SetNumberSheets(int count)
{
    if (count < 1 || count > kMaxSheets)
        count = 1;
    const int old = int(m_sheets.size());
    if (m_currentSheet >= count && old > 0)
        SetSheetNumber(0);
    m_sheets.resize(std::size_t(count));
    for (int i = old; i < count; ++i)
        m_sheets[std::size_t(i)] = std::make_unique<CUGGridInfo>(this);
    if (!m_GI)
    {
        m_GI = m_sheets[0].get();
        m_currentSheet = 0;
    }
    for (int i = old; i < count; ++i)
        OnSheetSetup(i);
    return 0;
}

void CUGCtrl::SetChildSheet()
{
    for (CUGChildWnd* child : std::initializer_list<CUGChildWnd*>{m_CUGGrid.get(), m_CUGTopHdg.get(), m_CUGSideHdg.get(),
                                                                 m_CUGCnrBtn.get(), m_CUGVScroll.get(), m_CUGHScroll.get(),
                                                                 m_CUGTab.get(), m_CUGHint.get()})
        if (child)
            child->m_GI = m_GI;
}

int CUGCtrl::SetSheetNumber(int index, BOOL paint)
{
    if (index < 0 || index >= int(m_sheets.size()))
        return 1;
    const BOOL painting = m_enablePainting;
    if (!paint)
        m_enablePainting = FALSE;
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->SetFocus();
    m_currentSheet = index;
    m_GI = m_sheets[std::size_t(index)].get();
    SetChildSheet();
    m_GI->m_lastLeftCol = -1;
    m_GI->m_lastTopRow = -1;
    LayoutChildren();
    m_enablePainting = painting;
    return 0;
}

// ---------------------------------------------------------------- window messages

LRESULT CUGCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kSysColorChange)
    {
        OnSysColorChange();
        return 0;
    }
    if (message == UG_MSG_CELLTYPE)
        return GetCellType(int(wParam))->OnTypeQuery(lParam);
    static const UINT findMessage = RegisterWindowMessage(FINDMSGSTRING);
    if (message == findMessage)
        return OnFindReplace(lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

void CUGCtrl::OnSysColorChange()
{
    for (int i = 0; i < m_cellTypeList.GetMaxCount(); ++i)
        if (auto* type = static_cast<CUGCellType*>(m_cellTypeList.GetPointer(i)))
            type->OnSystemColorChange();
    for (auto& sheet : m_sheets)
        sheet->m_hdgDefaults.SetBackColor(GetSysColor(COLOR_BTNFACE));
    CreatePens();
}

void CUGCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
    LayoutChildren();
}

BOOL CUGCtrl::OnEraseBkgnd(CDC* /*dc*/)
{
    return TRUE;
}

void CUGCtrl::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    Invalidate(FALSE);
    const BOOL painting = m_enablePainting;
    m_enablePainting = FALSE;
    LayoutChildren();
    m_enablePainting = painting;
}

void CUGCtrl::OnSetFocus(CWnd* /*oldWnd*/)
{
    if (m_CUGGrid && m_CUGGrid->GetSafeHwnd())
        m_CUGGrid->SetFocus();
}

UINT CUGCtrl::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTALLKEYS;
}

void CUGCtrl::OnHScroll(UINT code, UINT pos, CWnd* /*scrollBar*/)
{
    if (m_CUGHScroll)
        m_CUGHScroll->HScroll(code, pos);
}

void CUGCtrl::OnVScroll(UINT code, UINT pos, CWnd* /*scrollBar*/)
{
    if (m_CUGVScroll)
        m_CUGVScroll->VScroll(code, pos);
}

BOOL CUGCtrl::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    if (id >= kFirstMenuCommand)
    {
        OnPopupMenuCommand(m_menuCol, m_menuRow, m_menuSection, id);
        return TRUE;
    }
    return CWnd::OnCommand(wParam, lParam);
}
