#pragma once
#include <functional>
#include <string>

// How the portable core tells the user something: the Windows program
// routes these to message boxes and the debugger output, tests record them.
enum class NoticeKind {
    Error,  // error icon, OK button
    Plain,  // OK button, no icon
};

using NoticeSink = std::function<void(const std::string& text, NoticeKind kind)>;
using DebugSink = std::function<void(const std::string& text)>;

// Installs a sink and returns the previous one. Without one, notices go to
// standard error.
NoticeSink SetNoticeSink(NoticeSink sink);
DebugSink SetDebugSink(DebugSink sink);

void ShowNotice(const std::string& text, NoticeKind kind = NoticeKind::Error);
void WriteDebugOutput(const std::string& text);
// Whether anything listens to the debugger output (saves building the text).
bool HasDebugSink();
