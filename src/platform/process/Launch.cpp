#include "platform/process/Launch.h"

#include <cerrno>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace kiv::process {

LaunchOutcome launch(const std::string& program, const std::vector<std::string>& args,
                     std::chrono::milliseconds wait) {
    std::vector<std::string> words;
    words.reserve(args.size() + 1);
    words.push_back(program);
    words.insert(words.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& w : words)
        argv.push_back(w.data());
    argv.push_back(nullptr);

    pid_t pid = 0;
    if (::posix_spawnp(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return LaunchOutcome::NotStarted;

    const auto deadline = std::chrono::steady_clock::now() + wait;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            // 127 is what a child reports when the program itself could not be run.
            if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
                return LaunchOutcome::NotStarted;
            return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? LaunchOutcome::Done : LaunchOutcome::Failed;
        }
        if (done < 0 && errno != EINTR)
            return LaunchOutcome::Failed;
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    return LaunchOutcome::Running;
}

} // namespace kiv::process
