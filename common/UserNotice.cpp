#include "common/UserNotice.h"

#include <cstdio>

namespace {

NoticeSink& CurrentNoticeSink()
{
    static NoticeSink sink;
    return sink;
}

DebugSink& CurrentDebugSink()
{
    static DebugSink sink;
    return sink;
}

}  // namespace

NoticeSink SetNoticeSink(NoticeSink sink)
{
    NoticeSink previous = std::move(CurrentNoticeSink());
    CurrentNoticeSink() = std::move(sink);
    return previous;
}

DebugSink SetDebugSink(DebugSink sink)
{
    DebugSink previous = std::move(CurrentDebugSink());
    CurrentDebugSink() = std::move(sink);
    return previous;
}

void ShowNotice(const std::string& text, NoticeKind kind)
{
    if (CurrentNoticeSink())
        CurrentNoticeSink()(text, kind);
    else
        std::fprintf(stderr, "%s\n", text.c_str());
}

void WriteDebugOutput(const std::string& text)
{
    if (CurrentDebugSink())
        CurrentDebugSink()(text);
}

bool HasDebugSink() { return static_cast<bool>(CurrentDebugSink()); }
