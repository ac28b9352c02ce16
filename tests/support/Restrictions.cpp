#include "support/Restrictions.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

int runInChild(const std::function<bool()>& restrict, const std::function<int()>& body) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0)
        _exit(restrict() ? body() : CannotRestrict);
    int status = 0;
    pid_t waited = 0;
    do {
        waited = waitpid(child, &status, 0);
    } while (waited < 0 && errno == EINTR);
    return waited == child && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool dropToNobody() {
    const passwd* nobody = getpwnam("nobody");
    return nobody && setgroups(0, nullptr) == 0 && setgid(nobody->pw_gid) == 0 &&
           setuid(nobody->pw_uid) == 0;
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
