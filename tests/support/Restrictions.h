#pragma once

#include <QtGlobal>
#include <functional>
#include <sys/resource.h>

// Steps that root would not fail run in a child process that first gives up
// rights: permission bits and size limits then bind it as they bind a user.
// The child ends with _exit, so nothing the parent owns (temporary
// directories) is cleaned up twice.

// The exit status of a child that could not restrict itself.
constexpr int CannotRestrict = 77;

// Runs `body` in a child process once `restrict` has succeeded and returns
// the child's exit status: `body`'s result, CannotRestrict, or -1 when the
// child could not start or did not exit normally.
int runInChild(const std::function<bool()>& restrict, const std::function<int()>& body);

// Gives up root for the user nobody (no supplementary groups), as setpriv would.
bool dropToNobody();

// Limits every file this process writes to `bytes`: a write beyond the
// limit fails part way instead of raising SIGXFSZ. Binds root too.
bool limitFileSize(qint64 bytes);

// The soft file-size limit of this process set for the life of the object,
// then given back, with SIGXFSZ ignored meanwhile.
class ScopedFileSizeLimit {
public:
    explicit ScopedFileSizeLimit(qint64 bytes);
    ~ScopedFileSizeLimit();
    ScopedFileSizeLimit(const ScopedFileSizeLimit&) = delete;
    ScopedFileSizeLimit& operator=(const ScopedFileSizeLimit&) = delete;

private:
    rlimit previous_{};
    void (*previousHandler_)(int) = nullptr;
};
