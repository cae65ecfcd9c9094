// `torume estimate FILE...`: loads observation files into fresh in-memory
// forms as the window's menu command does and prints the estimates: one
// file in full, several as one summary line each.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

struct EstimateOptions {
    std::vector<std::string> files; // "-" reads standard input
    bool json = false;
    bool trace = false;
    bool candidates = false;
};

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err);
