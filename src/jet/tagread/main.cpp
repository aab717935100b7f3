// corvanesim-tagread FILE                 the user tables of a tag database
// corvanesim-tagread FILE TABLE INDEX     one table whole, through an index
// corvanesim-tagread --dump FILE TABLE    one table as CSV, for the tool's dump
// Reads with libmdb and writes the answer (TagReadAnswer) to file descriptor
// 3. The server and the tag database tool run it for every read of a
// database, so that a file that makes libmdb fault or loop ends this process
// and never theirs; what libmdb writes to standard error they summarise.
#include "MdbConnection.h"
#include "MdbTableDump.h"
#include "TagReadRequest.h"

#include <cstdlib>
#include <string>
#include <vector>
#include <sys/resource.h>
#include <unistd.h>

namespace {

using namespace corvane;

constexpr int kAnswerDescriptor = 3;
// libmdb allocates without end on some damaged files, for as long as the
// deadline lets it: it may take this much memory, far more than the largest
// answer the server takes, and then it fails.
constexpr rlim_t kMemoryLimit = rlim_t{2} << 30;

void limitMemory()
{
#if !defined(__SANITIZE_ADDRESS__)  // the sanitizer's shadow memory would count too
    const rlimit limit{kMemoryLimit, kMemoryLimit};
    setrlimit(RLIMIT_DATA, &limit);
#endif
}

bool writeAll(const std::string& bytes)
{
    for (std::size_t at = 0; at < bytes.size();) {
        const ssize_t n = write(kAnswerDescriptor, bytes.data() + at, bytes.size() - at);
        if (n <= 0) return false;
        at += static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    limitMemory();
    jet::MdbConnection connection;
    const std::optional<jet::TagReadAnswer> answer =
        jet::answerRequest(std::vector<std::string>(argv + 1, argv + argc), connection,
                           [&](std::u16string_view table) { return jet::dumpTable(connection.session(), table); });
    if (!answer) return 2;
    const bool written = writeAll(jet::encodeAnswer(*answer));
    // The server waits for this process to end; the system takes back its
    // memory at once, where freeing a table's rows one by one would not.
    std::_Exit(written ? 0 : 1);
}
