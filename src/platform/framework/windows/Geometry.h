#pragma once
// Points, sizes and rectangles in window pixels. A rectangle includes its left and top edges and
// excludes its right and bottom edges, as every drawing and hit test of the framework counts them.
#include "platform/framework/WinTypes.h"

#include <algorithm>

struct POINT
{
    LONG x = 0;
    LONG y = 0;
};
struct SIZE
{
    LONG cx = 0;
    LONG cy = 0;
};
struct RECT
{
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};
using LPPOINT = POINT*;
using LPRECT = RECT*;
using LPCRECT = const RECT*;
using LPSIZE = SIZE*;

class CSize : public SIZE
{
public:
    constexpr CSize() = default;
    constexpr CSize(int x, int y) : SIZE{x, y} {}
    constexpr CSize(SIZE s) : SIZE(s) {}
    friend constexpr bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
    constexpr CSize operator+(CSize o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(CSize o) const { return {cx - o.cx, cy - o.cy}; }
    constexpr CSize operator-() const { return {-cx, -cy}; }
};

class CPoint : public POINT
{
public:
    constexpr CPoint() = default;
    constexpr CPoint(int x0, int y0) : POINT{x0, y0} {}
    constexpr CPoint(POINT p) : POINT(p) {}
    // A point packed into a message parameter: signed 16-bit x in the low word, y in the high word.
    constexpr explicit CPoint(LPARAM packed) : POINT{std::int16_t(packed & 0xFFFF), std::int16_t((packed >> 16) & 0xFFFF)} {}
    constexpr void Offset(int dx, int dy) { x += dx; y += dy; }
    constexpr void Offset(POINT p) { Offset(p.x, p.y); }
    constexpr void SetPoint(int x0, int y0) { x = x0; y = y0; }
    friend constexpr bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
    constexpr CPoint operator+(SIZE s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(SIZE s) const { return {x - s.cx, y - s.cy}; }
    constexpr CPoint operator+(POINT p) const { return {x + p.x, y + p.y}; }
    constexpr CSize operator-(POINT p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint& operator+=(SIZE s) { x += s.cx; y += s.cy; return *this; }
    constexpr CPoint& operator-=(SIZE s) { x -= s.cx; y -= s.cy; return *this; }
    constexpr CPoint& operator+=(POINT p) { x += p.x; y += p.y; return *this; }
    constexpr CPoint& operator-=(POINT p) { x -= p.x; y -= p.y; return *this; }
};

class CRect : public RECT
{
public:
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    constexpr CRect(const RECT* r) : RECT(r ? *r : RECT{}) {}
    constexpr CRect(POINT topLeft, SIZE size) : RECT{topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy} {}
    constexpr CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    constexpr void CopyRect(const RECT* r) { *this = CRect(r); }
    constexpr bool EqualRect(const RECT* r) const { return r && *this == CRect(*r); }
    constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    constexpr void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    constexpr void MoveToX(int x) { right = x + Width(); left = x; }
    constexpr void MoveToY(int y) { bottom = y + Height(); top = y; }
    constexpr void MoveToXY(int x, int y) { MoveToX(x); MoveToY(y); }
    constexpr void InflateRect(int dx, int dy) { left -= dx; right += dx; top -= dy; bottom += dy; }
    constexpr void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    constexpr void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    constexpr void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    constexpr void NormalizeRect()
    {
        if (left > right) std::swap(left, right);
        if (top > bottom) std::swap(top, bottom);
    }
    // False and an empty rectangle when the two do not overlap.
    constexpr bool IntersectRect(const RECT* a, const RECT* b)
    {
        CRect r(std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right), std::min(a->bottom, b->bottom));
        if (r.IsRectEmpty()) r.SetRectEmpty();
        *this = r;
        return !IsRectEmpty();
    }
    // Empty operands are ignored.
    constexpr bool UnionRect(const RECT* a, const RECT* b)
    {
        const CRect ra(a), rb(b);
        if (ra.IsRectEmpty()) *this = rb;
        else if (rb.IsRectEmpty()) *this = ra;
        else *this = CRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right), std::max(ra.bottom, rb.bottom));
        if (IsRectEmpty()) SetRectEmpty();
        return !IsRectEmpty();
    }

    constexpr operator RECT*() { return this; }
    constexpr operator const RECT*() const { return this; }
    friend constexpr bool operator==(const CRect& a, const CRect& b)
    {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    }
    constexpr CRect& operator+=(POINT p) { OffsetRect(p); return *this; }
    constexpr CRect& operator-=(POINT p) { OffsetRect(-p.x, -p.y); return *this; }
    constexpr CRect operator+(POINT p) const { CRect r(*this); r.OffsetRect(p); return r; }
    constexpr CRect operator-(POINT p) const { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
    constexpr CRect operator&(const RECT& o) const { CRect r; r.IntersectRect(this, &o); return r; }
    constexpr CRect operator|(const RECT& o) const { CRect r; r.UnionRect(this, &o); return r; }
    constexpr CRect& operator&=(const RECT& o) { CRect a(*this); IntersectRect(&a, &o); return *this; }
    constexpr CRect& operator|=(const RECT& o) { CRect a(*this); UnionRect(&a, &o); return *this; }
};

// Message parameters carrying a point or a size: low word x (or width), high word y (or height).
constexpr LPARAM MAKELPARAM(int lo, int hi) { return LPARAM(MAKELONG(WORD(lo), WORD(hi))); }
constexpr WPARAM MAKEWPARAM(int lo, int hi) { return WPARAM(DWORD(MAKELONG(WORD(lo), WORD(hi)))); }
constexpr int GET_X_LPARAM(LPARAM lp) { return std::int16_t(lp & 0xFFFF); }
constexpr int GET_Y_LPARAM(LPARAM lp) { return std::int16_t((lp >> 16) & 0xFFFF); }
constexpr short GET_WHEEL_DELTA_WPARAM(WPARAM wp) { return short(HIWORD(wp)); }
constexpr WORD GET_KEYSTATE_WPARAM(WPARAM wp) { return LOWORD(wp); }
