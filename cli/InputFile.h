// Opening a file named in UTF-8 for reading, in binary mode: the
// observation reader applies the text rules alike on every platform.
#pragma once

#include <cstdio>
#include <string>

// Null when the file cannot be opened.
std::FILE* OpenInputFile(const std::string& path);
