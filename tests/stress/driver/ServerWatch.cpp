#include "ServerWatch.h"

#include <sys/syscall.h>
#include <unistd.h>

namespace corvane::stress {

ServerWatch::ServerWatch(std::uint32_t pid)
{
    // A pidfd turns readable when the process ends; it need not be our child.
    fd_ = pid == 0 ? -1 : static_cast<int>(::syscall(SYS_pidfd_open, pid_t(pid), 0));
    if (fd_ < 0) return;
    notifier_ = std::make_unique<QSocketNotifier>(fd_, QSocketNotifier::Read);
    connect(notifier_.get(), &QSocketNotifier::activated, this, [this] {
        notifier_->setEnabled(false);
        ended_ = true;
        emit serverEnded();
    });
}

ServerWatch::~ServerWatch()
{
    notifier_.reset();
    if (fd_ >= 0) ::close(fd_);
}

}  // namespace corvane::stress
