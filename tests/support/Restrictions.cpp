#include "support/Restrictions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

int waitForChild(pid_t child) {
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    if (waited != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

} // namespace

int runInChild(const std::function<bool()>& restrict, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0)
        _exit(restrict() ? body() : CannotRestrict);
    return waitForChild(child);
}

std::optional<UserIds> nobodyIds() {
    const passwd* nobody = getpwnam("nobody");
    if (!nobody)
        return std::nullopt;
    return UserIds{nobody->pw_uid, nobody->pw_gid};
}

bool dropToNobody() {
    const std::optional<UserIds> nobody = nobodyIds();
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->gid) == 0 &&
           setuid(nobody->uid) == 0;
}

bool limitFileSize(qint64 bytes) {
    const rlimit limit{rlim_t(bytes), rlim_t(bytes)};
    return std::signal(SIGXFSZ, SIG_IGN) != SIG_ERR && setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

ScopedFileSizeLimit::ScopedFileSizeLimit(qint64 bytes) {
    getrlimit(RLIMIT_FSIZE, &previous_);
    previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
    // Only the soft limit: any user may raise it again up to the hard one.
    const rlimit limit{rlim_t(bytes), previous_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
}

ScopedFileSizeLimit::~ScopedFileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &previous_);
    std::signal(SIGXFSZ, previousHandler_ == SIG_ERR ? SIG_DFL : previousHandler_);
}
