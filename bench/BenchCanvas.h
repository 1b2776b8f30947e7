#pragma once
// A 32-bit bitmap selected into a memory DC, for pages painted with PrintWindow.
#include "platform/framework/windows/CDC.h"
#include "platform/framework/windows/GdiObjects.h"

class CBenchCanvas
{
public:
    CBenchCanvas(int width, int height)
    {
        m_memory.CreateCompatibleDC(nullptr);
        m_bitmap.CreateBitmap(width, height, 1, 32, nullptr);
        m_old = m_memory.SelectObject(&m_bitmap);
    }
    ~CBenchCanvas() { m_memory.SelectObject(m_old); }
    CBenchCanvas(const CBenchCanvas&) = delete;
    CBenchCanvas& operator=(const CBenchCanvas&) = delete;

    CDC* DC() { return &m_memory; }

private:
    CDC m_memory;
    CBitmap m_bitmap;
    CBitmap* m_old = nullptr;
};
