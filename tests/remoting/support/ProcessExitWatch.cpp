#include "ProcessExitWatch.h"

#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <sys/syscall.h>
#include <unistd.h>

namespace corvane::remoting::test {

bool waitForProcessEnd(pid_t pid, int timeoutMs)
{
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) return errno == ESRCH;  // already gone
    bool gone = false;
    {
        QEventLoop loop;
        QSocketNotifier ended(fd, QSocketNotifier::Read);
        QObject::connect(&ended, &QSocketNotifier::activated, &loop, [&loop] { loop.exit(0); });
        QTimer::singleShot(timeoutMs, &loop, [&loop] { loop.exit(1); });
        gone = loop.exec() == 0;
    }
    ::close(fd);
    return gone;
}

}  // namespace corvane::remoting::test
