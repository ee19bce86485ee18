#include "xml/CXmlArena.h"

namespace {
constexpr size_t kFirstBlock = 16 * 1024;
}

void CXmlArena::Reserve(size_t bytes)
{
    if (m_blocks.empty() && bytes > m_blockSize)
        m_blockSize = bytes;
}

// Each further block is an eighth of what the arena holds: little is left
// unused at the end, and there are few blocks.
void* CXmlArena::AllocateInNewBlock(size_t size, size_t align)
{
    size_t wanted = size + align;
    size_t blockSize = wanted > m_blockSize ? wanted : m_blockSize;
    m_blocks.push_back(std::unique_ptr<char[]>(new char[blockSize]));
    m_next = m_blocks.back().get();
    m_left = blockSize;
    m_held += blockSize;
    m_blockSize = m_held / 8 > kFirstBlock ? m_held / 8 : kFirstBlock;
    return Allocate(size, align);
}

void CXmlArena::Clear()
{
    m_blocks.clear();
    m_next = nullptr;
    m_left = 0;
    m_held = 0;
    m_blockSize = kFirstBlock;
}
