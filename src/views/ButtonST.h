#pragma once
// CButtonST: a flat push button that shows a bitmap of the resources, magenta pixels showing the
// button's background, with colours of its own for the normal and the hovered face. Tab reaches
// it as any push button; Space or Enter presses it.
#include "platform/framework/windows/CWnd.h"
#include "platform/framework/windows/GdiObjects.h"

#include <vector>

class CButtonST : public CWnd
{
public:
    CButtonST() = default;
    ~CButtonST() override;

    BOOL Create(const CString& text, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // The bitmap of that id with the face colours of the normal and the hovered button; `flat`
    // draws no border until the mouse is over the button. FALSE when the bitmap is missing.
    BOOL SetupBitmapButton(UINT bitmapId, COLORREF face, COLORREF hover, BOOL flat);
    void SetFlatColors(COLORREF face, COLORREF hover);
    // A button without a bitmap shows its window text in this colour.
    void SetTextColor(COLORREF color) { m_textColor = color; }
    COLORREF GetFaceColor() const { return m_face; }
    bool IsHovered() const { return m_hover; }

    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    void Click();

    std::vector<DWORD> m_pixels;
    CSize m_bitmapSize;
    COLORREF m_face = RGB(240, 240, 240);
    COLORREF m_hoverFace = RGB(220, 230, 245);
    COLORREF m_textColor = RGB(0, 0, 0);
    BOOL m_flat = TRUE;
    bool m_hover = false;
    bool m_pressed = false;
};
