#include "common/CDebugTrace.h"

#include "common/UserNotice.h"

bool CDebugTrace::HasListener() { return HasDebugSink(); }

void CDebugTrace::Add(const std::string& line)
{
    if (!m_on)
        return;
    if (!m_block.empty() && m_block.size() + line.size() > kMostBytes)
        Flush();
    m_block += line;
}

void CDebugTrace::Flush()
{
    if (m_block.empty())
        return;
    WriteDebugOutput(m_block);
    m_block.clear();
}
