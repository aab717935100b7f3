#include "ChildProcess.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace corvane::jet {
namespace {

using Clock = std::chrono::steady_clock;

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    void reset()
    {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_;
};

constexpr int kAnswerDescriptor = 3;

int millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<int>(left);
}

pid_t spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments, int answerWrite)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, answerWrite, kAnswerDescriptor);
    posix_spawn_file_actions_addclosefrom_np(&actions, kAnswerDescriptor + 1);

    std::vector<char*> argv;
    std::string name = program.string();
    argv.push_back(name.data());
    std::vector<std::string> copies = arguments;
    for (std::string& argument : copies) argv.push_back(argument.data());
    argv.push_back(nullptr);

    pid_t pid = -1;
    const int error = posix_spawn(&pid, name.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return error == 0 ? pid : -1;
}

ChildOutcome::End endOf(int status, int& exitCode)
{
    if (WIFEXITED(status)) {
        exitCode = WEXITSTATUS(status);
        return ChildOutcome::End::Exited;
    }
    return ChildOutcome::End::Crashed;
}

// A descriptor that turns readable when the child ends; -1 on kernels
// without pidfd (glibc's own wrapper lacks C linkage in some versions).
int pidfdOf(pid_t pid) { return static_cast<int>(syscall(SYS_pidfd_open, pid, 0)); }

int reap(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    return status;
}

}  // namespace

ChildOutcome runChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout, std::size_t maxAnswer)
{
    ChildOutcome outcome;
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0) return outcome;
    Descriptor answerRead(ends[0]), answerWrite(ends[1]);

    const pid_t pid = spawn(program, arguments, answerWrite.get());
    answerWrite.reset();  // the child holds the only writing end now
    if (pid < 0) return outcome;

    // The child's end shows as a readable pidfd; without one (an old kernel)
    // the end of its answer stands for its end.
    Descriptor exited(pidfdOf(pid));
    const auto deadline = Clock::now() + timeout;
    bool answerDone = false, childDone = false;
    while (!answerDone || (!childDone && exited.get() >= 0)) {
        pollfd watched[2] = {{answerRead.get(), POLLIN, 0}, {exited.get(), POLLIN, 0}};
        if (answerDone) watched[0].fd = -1;
        const int ready = poll(watched, 2, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            outcome.end = ChildOutcome::End::TimedOut;
            break;
        }
        if (watched[1].revents) childDone = true;
        if (watched[0].revents) {
            char buffer[65536];
            const ssize_t n = read(answerRead.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) {
                answerDone = true;
            } else if (outcome.answer.size() + static_cast<std::size_t>(n) > maxAnswer) {
                outcome.end = ChildOutcome::End::TooMuchOutput;
                break;
            } else {
                outcome.answer.append(buffer, static_cast<std::size_t>(n));
            }
        }
    }

    if (outcome.end == ChildOutcome::End::TimedOut || outcome.end == ChildOutcome::End::TooMuchOutput) {
        kill(pid, SIGKILL);
        reap(pid);
        return outcome;
    }
    outcome.end = endOf(reap(pid), outcome.exitCode);
    return outcome;
}

}  // namespace corvane::jet
