// Times varrow-capture's start for a file capture: an empty page captured with --url, against
// /bin/true started the same way, best of many runs each.
//
// Usage: command_start_bench VARROW_CAPTURE [RUNS]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace
{

using Clock = std::chrono::steady_clock;

// Starts the command with standard input from `input` and waits for it; gives the wall time in
// microseconds, or -1 when it did not exit with 0.
double timeOneRun(std::vector<std::string> command, const std::string& input)
{
    std::vector<char*> argv;
    for (std::string& argument : command)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, input.c_str(), 0, 0);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", 1, 0);
    const Clock::time_point start = Clock::now();
    pid_t child = 0;
    int status = -1;
    if (posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0)
        waitpid(child, &status, 0);
    const Clock::time_point end = Clock::now();
    posix_spawn_file_actions_destroy(&actions);
    if (status != 0)
        return -1;
    return std::chrono::duration<double, std::micro>(end - start).count();
}

double bestOf(int runs, const std::vector<std::string>& command, const std::string& input)
{
    double best = 1e300;
    for (int i = 0; i < runs; ++i) {
        const double time = timeOneRun(command, input);
        if (time < 0) {
            std::fprintf(stderr, "command_start_bench: %s failed\n", command[0].c_str());
            std::exit(1);
        }
        best = std::min(best, time);
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argc > 3) {
        std::fprintf(stderr, "Usage: command_start_bench VARROW_CAPTURE [RUNS]\n");
        return 2;
    }
    const int runs = argc == 3 ? std::max(1, std::atoi(argv[2])) : 200;
    const auto out = std::filesystem::temp_directory_path() / "varrow-command-start-bench";
    std::filesystem::create_directories(out);

    const double truth = bestOf(runs, {"/bin/true"}, "/dev/null");
    const double capture =
        bestOf(runs, {argv[1], "--url", "http://pages.example/empty.html", "--out", out.string()},
               "/dev/null");
    std::printf("%-48s %9.0f us\n", "/bin/true (best of runs)", truth);
    std::printf("%-48s %9.0f us\n", "varrow-capture --url, empty page (best of runs)", capture);
    std::printf("%-48s %9.2f x\n", "ratio", capture / truth);
    std::filesystem::remove_all(out);
    return 0;
}
