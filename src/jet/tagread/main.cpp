// corvanesim-tagread FILE                 the user tables of a tag database
// corvanesim-tagread FILE TABLE INDEX     one table whole, through an index
// corvanesim-tagread --dump FILE TABLE    one table as CSV, for the tool's dump
// Reads with libmdb and writes the answer (TagReadAnswer) to file descriptor
// 3. The server and the tag database tool run it for every read of a
// database, so that a file that makes libmdb fault or loop ends this process
// and never theirs; what libmdb writes to standard error they summarise.
#include "JetText.h"
#include "MdbConnection.h"
#include "MdbTableDump.h"
#include "SnapshotRecordset.h"
#include "TagReadAnswer.h"
#include "automation/AutomationError.h"

#include <cstdlib>
#include <cstring>
#include <new>
#include <string>
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

jet::TagReadAnswer read(int argc, char** argv)
{
    jet::TagReadAnswer answer;
    try {
        const bool dump = std::strcmp(argv[1], "--dump") == 0;
        jet::MdbConnection connection;
        connection.open(jet::fromUtf8(argv[dump ? 2 : 1]));
        if (dump) {
            answer.dump = jet::dumpTable(connection.session(), jet::fromUtf8(argv[3]));
        } else if (argc == 2) {
            answer.tableNames = connection.tableNames();
        } else {
            auto recordset = connection.createRecordset();
            recordset->open(jet::fromUtf8(argv[2]), jet::fromUtf8(argv[3]));
            // libmdb's record sets hold the table whole: hand those rows over
            // rather than copy them value by value.
            auto& snapshot = dynamic_cast<jet::SnapshotRecordset&>(*recordset);
            jet::TagReadAnswer::Table table;
            table.fieldNames = snapshot.fieldNames();
            table.rows = snapshot.takeRows();
            answer.table = std::move(table);
        }
    } catch (const automation::AutomationError& error) {
        answer.failure = jet::TagReadAnswer::Failure{error.hresult(), error.description()};
    } catch (const std::bad_alloc&) {
        const auto error = automation::AutomationError::fromNumber(automation::error::kOutOfMemory);
        answer.failure = jet::TagReadAnswer::Failure{error.hresult(), error.description()};
    }
    return answer;
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
    if (argc != 2 && argc != 4) return 2;
    limitMemory();
    const jet::TagReadAnswer answer = read(argc, argv);
    const bool written = writeAll(jet::encodeAnswer(answer));
    // The server waits for this process to end; the system takes back its
    // memory at once, where freeing a table's rows one by one would not.
    std::_Exit(written ? 0 : 1);
}
