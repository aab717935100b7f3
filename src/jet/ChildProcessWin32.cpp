// The Windows side of runChild: the child's standard output is its answer
// channel, its standard error its messages, both overlapped pipes that one
// wait watches together with the process and the deadline.
#include "ChildProcess.h"

#include "JetText.h"

#include <windows.h>

#include <atomic>
#include <optional>

namespace corvane::jet {
namespace {

using Clock = std::chrono::steady_clock;

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
    ~Handle() { reset(); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    HANDLE get() const { return handle_; }
    void reset(HANDLE handle = nullptr)
    {
        if (handle_) CloseHandle(handle_);
        handle_ = handle == INVALID_HANDLE_VALUE ? nullptr : handle;
    }

private:
    HANDLE handle_;
};

// A pipe whose reading end we wait on (overlapped) and whose writing end
// the child inherits. Anonymous pipes cannot be overlapped: a named one with
// a name of its own stands in.
struct ChildPipe {
    Handle read;
    Handle write;
    Handle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED overlapped{};
    char buffer[65536];
    bool pending = false;
    bool done = false;

    bool open()
    {
        static std::atomic<unsigned> serial{0};
        const std::wstring name = L"\\\\.\\pipe\\corvanesim-child-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                                  std::to_wstring(serial++);
        read.reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                                    PIPE_TYPE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, sizeof buffer, 0,
                                    nullptr));
        SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
        if (read.get()) write.reset(CreateFileW(name.c_str(), GENERIC_WRITE, 0, &inherited, OPEN_EXISTING, 0, nullptr));
        overlapped.hEvent = event.get();
        return read.get() && write.get() && event.get();
    }

    // Starts a read unless one is under way or the pipe has ended.
    void startRead()
    {
        if (pending || done) return;
        ResetEvent(event.get());
        if (!ReadFile(read.get(), buffer, sizeof buffer, nullptr, &overlapped) && GetLastError() != ERROR_IO_PENDING)
            done = true;  // broken: the child closed its end
        else
            pending = true;
    }

    // What the finished read brought (nothing at the end).
    std::string_view finishRead()
    {
        pending = false;
        DWORD count = 0;
        if (!GetOverlappedResult(read.get(), &overlapped, &count, FALSE) || count == 0) {
            done = true;
            return {};
        }
        return {buffer, count};
    }

    void cancel()
    {
        if (!pending) return;
        CancelIoEx(read.get(), &overlapped);
        DWORD ignored = 0;
        GetOverlappedResult(read.get(), &overlapped, &ignored, TRUE);
        pending = false;
    }
};

// One argument as the C runtime splits a command line back into arguments:
// quoted, with backslashes doubled before a quote and at the end.
void appendQuoted(std::wstring& line, const std::wstring& argument)
{
    line.push_back(L'"');
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(c == L'"' ? 2 * backslashes + 1 : backslashes, L'\\');
        backslashes = 0;
        line.push_back(c);
    }
    line.append(2 * backslashes, L'\\');
    line.push_back(L'"');
}

std::wstring wide(std::string_view utf8)
{
    const std::u16string text = fromUtf8(utf8);
    return {text.begin(), text.end()};
}

DWORD millisecondsUntil(Clock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left < 0 ? 0 : static_cast<DWORD>(left);
}

// The child's memory is capped as the Linux reader caps its own: a damaged
// file must not take the machine's memory for as long as the deadline lets
// it. Closing the job ends the child too, should this process end first.
constexpr SIZE_T kChildMemoryLimit = SIZE_T{2} << 30;

HANDLE boundedJob()
{
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (!job) return nullptr;
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_PROCESS_MEMORY | JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    limits.ProcessMemoryLimit = kChildMemoryLimit;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    return job;
}

// Exception codes (access violation, stack overflow...) end a process that faulted.
bool faulted(DWORD exitCode) { return exitCode >= 0xC0000000u; }

}  // namespace

ChildOutcome runChild(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                      std::chrono::milliseconds timeout, std::size_t maxAnswer, std::size_t maxMessages)
{
    ChildOutcome outcome;
    ChildPipe answer, messages;
    if (!answer.open() || !messages.open()) return outcome;
    SECURITY_ATTRIBUTES inherited{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    Handle nothing(CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherited, OPEN_EXISTING, 0, nullptr));

    std::wstring commandLine;
    appendQuoted(commandLine, program.wstring());
    for (const std::string& argument : arguments) {
        commandLine.push_back(L' ');
        appendQuoted(commandLine, wide(argument));
    }
    STARTUPINFOW start{};
    start.cb = sizeof(start);
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = nothing.get();
    start.hStdOutput = answer.write.get();
    start.hStdError = messages.write.get();
    PROCESS_INFORMATION started{};
    const std::wstring application = program.wstring();
    // Started suspended so that it runs inside its job from its first instruction.
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NO_WINDOW | CREATE_SUSPENDED, nullptr, nullptr, &start, &started))
        return outcome;
    Handle process(started.hProcess);
    const Handle job(boundedJob());
    if (job.get()) AssignProcessToJobObject(job.get(), process.get());  // without one it runs unbounded, as before
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    answer.write.reset();  // the child holds the only writing ends now
    messages.write.reset();

    const auto deadline = Clock::now() + timeout;
    bool childDone = false;
    std::optional<ChildOutcome::End> stopped;
    while (!stopped && (!answer.done || !messages.done || !childDone)) {
        answer.startRead();
        messages.startRead();
        HANDLE watched[3];
        ChildPipe* pipes[3] = {};
        DWORD count = 0;
        for (ChildPipe* pipe : {&answer, &messages}) {
            if (!pipe->pending) continue;
            pipes[count] = pipe;
            watched[count++] = pipe->event.get();
        }
        if (!childDone) watched[count++] = process.get();
        if (count == 0) break;
        const DWORD ready = WaitForMultipleObjects(count, watched, FALSE, millisecondsUntil(deadline));
        if (ready == WAIT_TIMEOUT || ready >= WAIT_OBJECT_0 + count) {
            stopped = ChildOutcome::End::TimedOut;
            break;
        }
        ChildPipe* pipe = pipes[ready - WAIT_OBJECT_0];
        if (!pipe) {
            childDone = true;
            continue;
        }
        const std::string_view bytes = pipe->finishRead();
        if (pipe == &answer) {
            if (outcome.answer.size() + bytes.size() > maxAnswer)
                stopped = ChildOutcome::End::TooMuchOutput;
            else
                outcome.answer.append(bytes);
        } else {
            outcome.messages.add(bytes);
            if (outcome.messages.bytes() > maxMessages) stopped = ChildOutcome::End::TooManyMessages;
        }
    }
    outcome.messages.finish();
    answer.cancel();
    messages.cancel();

    if (stopped) {
        TerminateProcess(process.get(), 1);
        WaitForSingleObject(process.get(), INFINITE);
        outcome.end = *stopped;
        return outcome;
    }
    WaitForSingleObject(process.get(), INFINITE);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.get(), &exitCode);
    if (faulted(exitCode)) {
        outcome.end = ChildOutcome::End::Crashed;
        return outcome;
    }
    outcome.end = ChildOutcome::End::Exited;
    outcome.exitCode = static_cast<int>(exitCode);
    return outcome;
}

}  // namespace corvane::jet
