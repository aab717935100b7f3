// A tag database file, read as the server reads it at start-up (the tag store
// through the libmdb data layer) and as the tag database tool lists and dumps
// it (every field of every table, as values and as the dump's text). Damage
// must end in the data layer's errors or the conversions' errors, never in a
// crash or a hang.
#include "Entries.h"

#include "MdbConnection.h"
#include "MdbDataLayer.h"
#include "MdbTableDump.h"
#include "automation/AutomationError.h"
#include "automation/Convert.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace corvane::fuzz {
namespace {

using automation::AutomationError;

// One folder per process for the file under test, in memory where the
// system offers it, removed when the process ends.
class ScratchFolder {
public:
    ScratchFolder()
    {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                               ? std::filesystem::path("/dev/shm")
                                               : std::filesystem::temp_directory_path();
        path_ = base / ("corvane-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

const std::filesystem::path& scratchFolder()
{
    static const ScratchFolder folder;
    return folder.path();
}

void loadAsTheServerDoes(const std::filesystem::path& folder)
{
    jet::MdbDataLayer dataLayer;
    TagStore store(dataLayer, folder.u16string(), automation::FixedRegionalSettings::english());
    try {
        store.LoadTagTable();
    } catch (const AutomationError&) {
        // The load error goes to the client that started the server.
    }
    std::int32_t confidence = 0;
    store.LookupTag(u"TIC101.PV", confidence);
    store.CloseTagStore();
}

void listAsTheToolDoes(const std::filesystem::path& file)
{
    jet::MdbDataLayer dataLayer;
    try {
        auto connection = dataLayer.createConnection();
        connection->open(file.u16string());
        for (const std::u16string& table : connection->tableNames()) {
            auto recordset = connection->createRecordset();
            try {
                recordset->open(table, u"");
            } catch (const AutomationError&) {
                continue;
            }
            for (; !recordset->eof(); recordset->moveNext()) {
                for (const std::u16string& name : recordset->fieldNames()) {
                    try {
                        automation::toText(recordset->field(name), automation::FixedRegionalSettings::english());
                    } catch (const AutomationError&) {
                    }
                }
            }
            recordset->close();
        }
        connection->close();
    } catch (const AutomationError&) {
    }
}

void dumpAsTheToolDoes(const std::filesystem::path& file)
{
    try {
        jet::MdbConnection connection;
        connection.open(file.u16string());
        for (const std::u16string& table : connection.tableNames()) {
            try {
                jet::dumpTable(connection.session(), table);
            } catch (const AutomationError&) {
            }
        }
    } catch (const AutomationError&) {
    }
}

}  // namespace

void runJetFileInput(std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path& folder = scratchFolder();
    const std::filesystem::path file = folder / "Corvane.mdb";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    loadAsTheServerDoes(folder);
    listAsTheToolDoes(file);
    dumpAsTheToolDoes(file);
}

}  // namespace corvane::fuzz
