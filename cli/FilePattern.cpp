#include "cli/FilePattern.h"

// The shell has expanded the patterns: a name with * or ? that is still
// here is a file's own name.
std::vector<std::string> ExpandFileArgument(const std::string& argument)
{
    return {argument};
}
