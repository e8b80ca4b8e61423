// Running a piece of a test in a child process whose file-size limit is
// `limit` bytes, so that a write there stops part-way while the parent test
// process is left untouched.
#pragma once

#include <QByteArray>
#include <functional>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

struct ChildRun {
    bool exited = false;  // the child ended by itself
    int code = -1;        // its exit code
    QByteArray output;    // what it wrote back
};

// `work` runs in the child and returns its exit code, appending what the
// parent should see to `output`.
inline ChildRun runWithFileSizeLimit(rlim_t limit, const std::function<int(QByteArray& output)>& work) {
    int fds[2];
    if (::pipe(fds) != 0) return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        const rlimit lim{limit, limit};
        if (::setrlimit(RLIMIT_FSIZE, &lim) != 0) ::_exit(9);
        QByteArray output;
        const int code = work(output);
        if (::write(fds[1], output.constData(), size_t(output.size())) < 0) ::_exit(8);
        ::_exit(code);
    }
    ::close(fds[1]);
    ChildRun run;
    char buf[512];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) run.output.append(buf, n);
    ::close(fds[0]);
    int status = 0;
    if (pid < 0 || ::waitpid(pid, &status, 0) != pid) return run;
    run.exited = WIFEXITED(status);
    if (run.exited) run.code = WEXITSTATUS(status);
    return run;
}
