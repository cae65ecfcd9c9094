// The command-line program `torume`: drives the program's commands on an
// in-memory form and prints their results in UTF-8.
#pragma once

#include <iosfwd>

// Exit status: 0 done, 1 a file failed, 2 usage error.
int RunCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err);
