#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

namespace {

// The whole `torume estimate` process on an example file: start-up, load,
// estimation and output (to /dev/null).
void BM_TorumeEstimateProcess(benchmark::State& state)
{
    const char* argv[] = {TORUME_EXE, "estimate", TORUME_EXAMPLES "/worked-example.txt", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1 /* O_WRONLY */, 0);
    for (auto _ : state) {
        pid_t pid;
        if (posix_spawn(&pid, TORUME_EXE, &actions, nullptr, const_cast<char* const*>(argv), nullptr) != 0) {
            state.SkipWithError("cannot start torume");
            break;
        }
        int status = 0;
        waitpid(pid, &status, 0);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("torume estimate failed");
            break;
        }
    }
    posix_spawn_file_actions_destroy(&actions);
}
BENCHMARK(BM_TorumeEstimateProcess)->Unit(benchmark::kMicrosecond);

} // namespace
