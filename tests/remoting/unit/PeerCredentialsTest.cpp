// Who is at the other end of a direct connection's socket: the kernel's
// record of the connecting process, checked with real processes.
#include "remoting/server/PeerCredentials.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using corvane::remoting::peerUserOf;

constexpr uid_t kNobody = 65534;

class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor()
    {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

TEST(PeerCredentials, NameThisUserForAProcessOfThisUser)
{
    int ends[2];
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    const Descriptor mine(ends[0]), theirs(ends[1]);
    EXPECT_EQ(peerUserOf(mine.get()), ::geteuid());
}

TEST(PeerCredentials, KnowNothingOfWhatIsNoSocket)
{
    int ends[2];
    ASSERT_EQ(::pipe(ends), 0);
    const Descriptor reading(ends[0]), writing(ends[1]);
    EXPECT_EQ(peerUserOf(reading.get()), std::nullopt);
}

TEST(PeerCredentials, NameTheOtherUserForAProcessThatConnectsAsAnotherUser)
{
    if (::geteuid() != 0) GTEST_SKIP() << "only root can run a process as another user";
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_EQ(::chmod(folder.path().toLocal8Bit().constData(), 0777), 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = folder.filePath(QStringLiteral("s")).toLocal8Bit();
    ASSERT_LT(std::size_t(path.size()), sizeof address.sun_path);
    std::copy(path.begin(), path.end(), address.sun_path);
    const Descriptor listening(::socket(AF_UNIX, SOCK_STREAM, 0));
    ASSERT_EQ(::bind(listening.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::chmod(path.constData(), 0777), 0);
    ASSERT_EQ(::listen(listening.get(), 1), 0);

    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Only system calls from here on: the parent has threads.
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) ::_exit(3);
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) ::_exit(4);
        char done;
        (void)::read(fd, &done, 1);  // until the parent has looked
        ::_exit(0);
    }
    // A child that failed never connects; do not wait for it for ever.
    pollfd incoming{listening.get(), POLLIN, 0};
    const bool connected = ::poll(&incoming, 1, 30000) == 1;
    const Descriptor accepted(connected ? ::accept(listening.get(), nullptr, nullptr) : -1);
    const std::optional<uid_t> peer = peerUserOf(accepted.get());
    if (accepted.get() >= 0) ::shutdown(accepted.get(), SHUT_RDWR);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_EQ(peer, kNobody);
}

}  // namespace
