#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
#include <utility>
#include <vector>

// Where one document's nodes live: a few large blocks, released together
// with the document. Nodes placed here are never destroyed one by one, so
// they hold nothing that needs a destructor.
class CXmlArena {
public:
    CXmlArena() = default;
    CXmlArena(const CXmlArena&) = delete;
    CXmlArena& operator=(const CXmlArena&) = delete;
    CXmlArena(CXmlArena&&) = default;
    CXmlArena& operator=(CXmlArena&&) = default;

    // The first block's size, when the caller can guess what it will need.
    void Reserve(size_t bytes);
    // `align` is a power of two.
    void* Allocate(size_t size, size_t align)
    {
        size_t pad = (0 - reinterpret_cast<uintptr_t>(m_next)) & (align - 1);
        if (pad + size > m_left)
            return AllocateInNewBlock(size, align);
        char* at = m_next + pad;
        m_next = at + size;
        m_left -= pad + size;
        return at;
    }
    template <class T, class... Args>
    T* Make(Args&&... args)
    {
        return new (Allocate(sizeof(T), alignof(T))) T(std::forward<Args>(args)...);
    }
    // Copies `count` pointers into one array of the arena.
    template <class T>
    T* const* CopyArray(T* const* items, size_t count)
    {
        if (count == 0)
            return nullptr;
        auto** copy = static_cast<T**>(Allocate(count * sizeof(T*), alignof(T*)));
        for (size_t i = 0; i < count; ++i)
            copy[i] = items[i];
        return copy;
    }
    void Clear();

private:
    void* AllocateInNewBlock(size_t size, size_t align);

    std::vector<std::unique_ptr<char[]>> m_blocks;
    char* m_next = nullptr;
    size_t m_left = 0;
    size_t m_blockSize = 16 * 1024;
    size_t m_held = 0;  // bytes in all blocks
};
