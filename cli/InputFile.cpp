#include "cli/InputFile.h"

std::FILE* OpenInputFile(const std::string& path)
{
    return std::fopen(path.c_str(), "rb");
}
