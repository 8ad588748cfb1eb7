#pragma once
// Runs a check as a user without privileges, so that permission checks bite even when the tests
// run as root (as CI does): root runs it in a child process that has given up root for the
// unprivileged "nobody" ids; anyone else runs it in place. The check's int result comes back; a
// child that could not drop root gives -1.
#include <functional>
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kiv::test {

inline int runAsOtherUser(const std::function<int()>& check) {
    if (::geteuid() != 0)
        return check();
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 || ::geteuid() == 0)
            ::_exit(255);
        ::_exit(check() & 0x7F);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace kiv::test
