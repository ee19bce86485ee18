#include "controls/CMemDC.h"

CMemDC::CMemDC(HDC target, const RECT& area) : m_target(target), m_area(area)
{
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    m_memory.Reset(::CreateCompatibleDC(target));
    m_bitmap.Reset(::CreateCompatibleBitmap(target, width, height));
    if (!m_memory || !m_bitmap) {
        m_memory.Reset();
        m_bitmap.Reset();
        return;  // draw straight onto the target instead
    }
    m_oldBitmap = ::SelectObject(m_memory.Get(), m_bitmap.Get());
    ::SetWindowOrgEx(m_memory.Get(), area.left, area.top, &m_oldOrigin);
    // Keep the target's font and colours, so drawing code need not care.
    ::SelectObject(m_memory.Get(), ::GetCurrentObject(target, OBJ_FONT));
}

CMemDC::~CMemDC()
{
    if (!m_memory)
        return;
    ::BitBlt(m_target, m_area.left, m_area.top, m_area.right - m_area.left,
             m_area.bottom - m_area.top, m_memory.Get(), m_area.left, m_area.top, SRCCOPY);
    ::SetWindowOrgEx(m_memory.Get(), m_oldOrigin.x, m_oldOrigin.y, nullptr);
    // The bitmap leaves the memory DC before either is deleted.
    ::SelectObject(m_memory.Get(), m_oldBitmap);
}
