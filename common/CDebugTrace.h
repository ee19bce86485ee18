#pragma once
#include <cstddef>
#include <string>

// Lines for the debugger output, handed on in blocks: one call a line costs
// far more than the parse that writes it (a listing of ten thousand entries
// has two hundred thousand lines). A block never splits a line and stays
// under the size a debugger-output viewer takes at once; the rest goes when
// the trace ends.
class CDebugTrace {
public:
    static constexpr size_t kMostBytes = 4000;

    CDebugTrace() : m_on(HasListener()) {}
    ~CDebugTrace() { Flush(); }
    CDebugTrace(const CDebugTrace&) = delete;
    CDebugTrace& operator=(const CDebugTrace&) = delete;

    bool On() const { return m_on; }
    void Add(const std::string& line);
    void Flush();

private:
    static bool HasListener();
    bool m_on;
    std::string m_block;
};
