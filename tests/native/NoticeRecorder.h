#pragma once
#include <string>
#include <vector>

#include "common/UserNotice.h"

// Records what the core would have shown the user, while it lives.
class NoticeRecorder {
public:
    NoticeRecorder()
    {
        m_previous = SetNoticeSink([this](const std::string& text, NoticeKind kind) {
            notices.push_back(text);
            kinds.push_back(kind);
        });
        m_previousDebug = SetDebugSink([this](const std::string& text) { debug.push_back(text); });
    }
    ~NoticeRecorder()
    {
        SetNoticeSink(m_previous);
        SetDebugSink(m_previousDebug);
    }

    std::vector<std::string> notices;
    std::vector<NoticeKind> kinds;
    std::vector<std::string> debug;

private:
    NoticeSink m_previous;
    DebugSink m_previousDebug;
};
