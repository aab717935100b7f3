#include "ChildProcess.h"

#include <cerrno>
#include <optional>
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

pid_t spawn(const std::filesystem::path& program, const std::vector<std::string>& arguments, int answerWrite,
            int messagesWrite)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, messagesWrite, STDERR_FILENO);
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
                      std::chrono::milliseconds timeout, std::size_t maxAnswer, std::size_t maxMessages)
{
    ChildOutcome outcome;
    int answerEnds[2], messageEnds[2];
    if (pipe2(answerEnds, O_CLOEXEC) != 0) return outcome;
    Descriptor answerRead(answerEnds[0]), answerWrite(answerEnds[1]);
    if (pipe2(messageEnds, O_CLOEXEC) != 0) return outcome;
    Descriptor messagesRead(messageEnds[0]), messagesWrite(messageEnds[1]);

    const pid_t pid = spawn(program, arguments, answerWrite.get(), messagesWrite.get());
    answerWrite.reset();  // the child holds the only writing ends now
    messagesWrite.reset();
    if (pid < 0) return outcome;

    // The child's end shows as a readable pidfd; without one (an old kernel)
    // the end of its answer and messages stands for its end.
    Descriptor exited(pidfdOf(pid));
    const auto deadline = Clock::now() + timeout;
    bool answerDone = false, messagesDone = false, childDone = false;
    std::optional<ChildOutcome::End> stopped;
    while (!stopped && (!answerDone || !messagesDone || (!childDone && exited.get() >= 0))) {
        pollfd watched[3] = {{answerDone ? -1 : answerRead.get(), POLLIN, 0},
                             {messagesDone ? -1 : messagesRead.get(), POLLIN, 0},
                             {childDone ? -1 : exited.get(), POLLIN, 0}};
        const int ready = poll(watched, 3, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            stopped = ChildOutcome::End::TimedOut;
            break;
        }
        if (watched[2].revents) childDone = true;
        char buffer[65536];
        if (watched[0].revents) {
            const ssize_t n = read(answerRead.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                answerDone = true;
            else if (outcome.answer.size() + static_cast<std::size_t>(n) > maxAnswer)
                stopped = ChildOutcome::End::TooMuchOutput;
            else
                outcome.answer.append(buffer, static_cast<std::size_t>(n));
        }
        if (watched[1].revents && !stopped) {
            const ssize_t n = read(messagesRead.get(), buffer, sizeof buffer);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0)
                messagesDone = true;
            else
                outcome.messages.add({buffer, static_cast<std::size_t>(n)});
            if (outcome.messages.bytes() > maxMessages) stopped = ChildOutcome::End::TooManyMessages;
        }
    }
    outcome.messages.finish();

    if (stopped) {
        kill(pid, SIGKILL);
        reap(pid);
        outcome.end = *stopped;
        return outcome;
    }
    outcome.end = endOf(reap(pid), outcome.exitCode);
    return outcome;
}

}  // namespace corvane::jet
