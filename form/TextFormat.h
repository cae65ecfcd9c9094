// The bounded formatter every number and message goes through before it
// becomes a control's text: printf-style into a buffer of 100 bytes.
#pragma once

#include <string>

std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

// The same without a bound, for the report's sentences and a loader's
// lines, which hold file names and long messages.
std::string ComposeText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
