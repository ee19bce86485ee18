#pragma once
#include <windows.h>

#include "framework/CUniqueHandle.h"

// An off-screen copy of a drawing surface: everything drawn into it reaches
// the screen in one copy when it goes, so painting does not flicker.
class CMemDC {
public:
    CMemDC(HDC target, const RECT& area);
    ~CMemDC();
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    HDC Get() const { return m_memory ? m_memory.Get() : m_target; }
    operator HDC() const { return Get(); }

private:
    HDC m_target;
    RECT m_area;
    // Declared in this order, the bitmap is deleted before the DC that held it.
    CMemoryDc m_memory;
    CGdiBitmap m_bitmap;
    HGDIOBJ m_oldBitmap = nullptr;
    POINT m_oldOrigin = {};
};
