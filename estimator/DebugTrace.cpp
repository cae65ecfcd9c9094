#include "estimator/DebugTrace.h"

#include <cstdarg>
#include <cstdio>

namespace {
TraceSink Sink = nullptr;
void* SinkContext = nullptr;
}

void SetTraceSink(TraceSink sink, void* context)
{
    Sink = sink;
    SinkContext = context;
}

TraceScope::TraceScope(TraceSink sink, void* context) : previous(Sink), previousContext(SinkContext)
{
    SetTraceSink(sink, context);
}

TraceScope::~TraceScope()
{
    SetTraceSink(previous, previousContext);
}

void DebugTrace(const char* format, ...)
{
    // The search traces every candidate; skip the formatting when nobody listens.
    if (!Sink)
        return;
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    Sink(SinkContext, text);
}
