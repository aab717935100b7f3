#include "EchoShapes.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <signal.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace corvane::bench {

const std::vector<double>& weekSamples()
{
    static const std::vector<double> samples = [] {
        std::vector<double> values(kWeekSamples);
        for (std::size_t i = 0; i < values.size(); ++i) values[i] = 50 + 10 * std::sin(double(i) / 240);
        return values;
    }();
    return samples;
}

ComparisonBus::ComparisonBus()
{
    int out[2];
    if (::pipe(out) != 0) return;
    daemon_ = ::fork();
    if (daemon_ == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::execlp("dbus-daemon", "dbus-daemon", "--session", "--nofork", "--print-address=1", nullptr);
        ::_exit(127);
    }
    ::close(out[1]);
    char line[512] = {};
    std::size_t used = 0;
    while (used + 1 < sizeof line) {
        const ssize_t n = ::read(out[0], line + used, 1);
        if (n <= 0 || line[used] == '\n') break;
        ++used;
    }
    ::close(out[0]);
    line[used] = '\0';
    address_ = line;
}

ComparisonBus::~ComparisonBus()
{
    if (daemon_ > 0) {
        ::kill(daemon_, SIGTERM);
        reap(daemon_);
    }
}

PeerSocketPath::PeerSocketPath()
{
    char folder[] = "/tmp/corvane-bench-peer-XXXXXX";
    if (::mkdtemp(folder) == nullptr) return;
    folder_ = folder;
    path_ = folder_ + "/socket";
}

PeerSocketPath::~PeerSocketPath()
{
    if (folder_.empty()) return;
    ::unlink(path_.c_str());
    ::rmdir(folder_.c_str());
}

int listenAt(const std::string& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (fd < 0 || path.size() >= sizeof address.sun_path) return -1;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(fd, 4) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void reap(pid_t process)
{
    int status = 0;
    while (::waitpid(process, &status, 0) < 0 && errno == EINTR) {
    }
}

}  // namespace corvane::bench
