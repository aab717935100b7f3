// A tag database file read by our own Jet 4 reader as the Windows server and
// tool read it: the tag store's load, every table listed field by field, and
// each dumped. Damage must end in the data layer's errors, never in a crash
// or a hang: every loop over pages and rows is bounded by the file.
#include "Entries.h"
#include "ScratchDatabase.h"

#include "JetConnection.h"
#include "JetDataLayer.h"
#include "automation/AutomationError.h"
#include "automation/RegionalSettings.h"
#include "server/TagStore.h"

namespace corvane::fuzz {
namespace {

using automation::AutomationError;

void readEveryTable(const std::filesystem::path& file)
{
    jet::JetConnection connection;
    try {
        connection.open(file.u16string());
    } catch (const AutomationError&) {
        return;
    }
    for (const std::u16string& table : connection.tableNames()) {
        try {
            connection.dump(table);
            auto recordset = connection.createRecordset();
            recordset->open(table, u"");
            for (; !recordset->eof(); recordset->moveNext())
                for (const std::u16string& name : recordset->fieldNames()) recordset->field(name);
        } catch (const AutomationError&) {
        }
    }
    connection.close();
}

}  // namespace

void runOwnReaderInput(std::span<const std::uint8_t> bytes)
{
    const std::filesystem::path file = writeScratchDatabase(bytes);
    jet::JetDataLayer dataLayer;
    TagStore store(dataLayer, file.parent_path().u16string(), automation::FixedRegionalSettings::english());
    try {
        store.LoadTagTable();
    } catch (const AutomationError&) {
    }
    store.CloseTagStore();
    readEveryTable(file);
}

}  // namespace corvane::fuzz
