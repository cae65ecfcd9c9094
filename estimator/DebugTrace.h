// Trace lines for an attached debugger. The text goes, unchanged and without
// an added line end, to the sink the program installs: on Windows the
// debugger-output service, in the command-line program standard error, in
// tests a capture. Without a sink nothing is formatted or written.
#pragma once

// context is the pointer given with the sink (a stream, a capture).
using TraceSink = void (*)(void* context, const char* text);

void SetTraceSink(TraceSink sink, void* context = nullptr);

// Routes the trace to sink for one scope (no sink: holds every line
// back), then puts the previous sink back.
class TraceScope {
public:
    explicit TraceScope(TraceSink sink = nullptr, void* context = nullptr);
    ~TraceScope();
    TraceScope(const TraceScope&) = delete;
    TraceScope& operator=(const TraceScope&) = delete;

private:
    TraceSink previous;
    void* previousContext;
};

// printf-style; formatted into 1024 bytes (at most 1023 characters).
void DebugTrace(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
