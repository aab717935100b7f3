// A tag database file, read as the server reads it at start-up (the tag store
// through the libmdb data layer) and as the tag database tool lists and dumps
// it (every field of every table, as values and as the dump's text). Damage
// must end in the data layer's errors or the conversions' errors, never in a
// crash or a hang.
#include "Entries.h"
#include "ScratchDatabase.h"

#include "MdbConnection.h"
#include "MdbDataLayer.h"
#include "MdbTableDump.h"
#include "automation/AutomationError.h"
#include "automation/Convert.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

#include <filesystem>
#include <string>

namespace corvane::fuzz {
namespace {

using automation::AutomationError;

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
    const std::filesystem::path file = writeScratchDatabase(bytes);
    loadAsTheServerDoes(file.parent_path());
    listAsTheToolDoes(file);
    dumpAsTheToolDoes(file);
}

}  // namespace corvane::fuzz
