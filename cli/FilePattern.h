// The files a file argument of `torume estimate` names. A Unix shell has
// expanded * and ? before the program starts; Windows shells pass them as
// typed, so there the program expands them itself.
#pragma once

#include <string>
#include <vector>

// On Windows, an argument with * or ? (in its file name or in any of its
// folders) gives the files it matches, in name order, and none when it
// matches nothing; any other argument, and every argument elsewhere,
// names itself.
std::vector<std::string> ExpandFileArgument(const std::string& argument);
