#pragma once
#include <windows.h>
#include <commctrl.h>

// Owns one handle of a kind and releases it once, when it goes or is
// replaced: move-only, so no copy can release it twice.
template <typename Traits>
class CUniqueHandle {
public:
    using Handle = typename Traits::Handle;

    CUniqueHandle() = default;
    explicit CUniqueHandle(Handle handle) : m_handle(handle) {}
    ~CUniqueHandle() { Reset(); }
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_handle(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Traits::IsValid(m_handle); }
    // Gives the handle up without releasing it.
    Handle Release()
    {
        Handle handle = m_handle;
        m_handle = Traits::Invalid();
        return handle;
    }
    void Reset(Handle handle = Traits::Invalid())
    {
        if (Traits::IsValid(m_handle))
            Traits::Close(m_handle);
        m_handle = handle;
    }
    // For a function that hands out a new handle through a pointer.
    Handle* Put()
    {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Traits::Invalid();
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { ::CloseHandle(handle); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle handle) { return handle != INVALID_HANDLE_VALUE && handle != nullptr; }
    static void Close(Handle handle) { ::FindClose(handle); }
};
// The kinds whose empty value is null, each with its own release.
template <typename HandleType, auto Release>
struct NullEmptyTraits {
    using Handle = HandleType;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle handle) { return handle != nullptr; }
    static void Close(Handle handle) { Release(handle); }
};

using CKernelHandle = CUniqueHandle<KernelHandleTraits>;
using CFindHandle = CUniqueHandle<FindHandleTraits>;
using CGdiBrush = CUniqueHandle<NullEmptyTraits<HBRUSH, ::DeleteObject>>;
using CGdiPen = CUniqueHandle<NullEmptyTraits<HPEN, ::DeleteObject>>;
using CGdiFont = CUniqueHandle<NullEmptyTraits<HFONT, ::DeleteObject>>;
using CGdiBitmap = CUniqueHandle<NullEmptyTraits<HBITMAP, ::DeleteObject>>;
using CMemoryDc = CUniqueHandle<NullEmptyTraits<HDC, ::DeleteDC>>;
using CMenuHandle = CUniqueHandle<NullEmptyTraits<HMENU, ::DestroyMenu>>;
using CImageListHandle = CUniqueHandle<NullEmptyTraits<HIMAGELIST, ::ImageList_Destroy>>;
using CModuleHandle = CUniqueHandle<NullEmptyTraits<HMODULE, ::FreeLibrary>>;
using CRegistryKey = CUniqueHandle<NullEmptyTraits<HKEY, ::RegCloseKey>>;

// A window's device context, given back to the window when it goes.
class CWindowDc {
public:
    explicit CWindowDc(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~CWindowDc()
    {
        if (m_dc)
            ::ReleaseDC(m_window, m_dc);
    }
    CWindowDc(const CWindowDc&) = delete;
    CWindowDc& operator=(const CWindowDc&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// A rectangle filled (or framed) with a colour, its brush made and deleted here.
inline void FillSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    CGdiBrush brush(::CreateSolidBrush(colour));
    ::FillRect(dc, &rect, brush.Get());
}
inline void FrameSolid(HDC dc, const RECT& rect, COLORREF colour)
{
    CGdiBrush brush(::CreateSolidBrush(colour));
    ::FrameRect(dc, &rect, brush.Get());
}
