// `torume estimate FILE`: loads an observation file into a fresh in-memory
// form as the window's menu command does and prints the estimate.
#pragma once

#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

struct EstimateOptions {
    std::string file; // "-" reads standard input
    bool json = false;
    bool trace = false;
};

void AddEstimateOptions(CLI::App& app, EstimateOptions& options);

int RunEstimateCommand(const EstimateOptions& options, std::ostream& out, std::ostream& err);
