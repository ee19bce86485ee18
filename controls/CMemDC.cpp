#include "controls/CMemDC.h"

CMemDC::CMemDC(HDC target, const RECT& area) : m_target(target), m_area(area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    m_memory = ::CreateCompatibleDC(target);
    m_bitmap = ::CreateCompatibleBitmap(target, width, height);
    if (!m_memory || !m_bitmap) {
        if (m_memory)
            ::DeleteDC(m_memory);
        if (m_bitmap)
            ::DeleteObject(m_bitmap);
        m_memory = nullptr;
        m_bitmap = nullptr;
        return;  // draw straight onto the target instead
    }
    m_oldBitmap = ::SelectObject(m_memory, m_bitmap);
    ::SetWindowOrgEx(m_memory, area.left, area.top, &m_oldOrigin);
    // Keep the target's font and colours, so drawing code need not care.
    ::SelectObject(m_memory, ::GetCurrentObject(target, OBJ_FONT));
}

CMemDC::~CMemDC()
{
    if (!m_memory)
        return;
    ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left,
             m_area.bottom - m_area.top, m_memory, m_area.left, m_area.top, SRCCOPY);
    ::SetWindowOrgEx(m_memory, m_oldOrigin.x, m_oldOrigin.y, nullptr);
    ::SelectObject(m_memory, m_oldBitmap);
    ::DeleteObject(m_bitmap);
    ::DeleteDC(m_memory);
}
