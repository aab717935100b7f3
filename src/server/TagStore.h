#pragma once

#include "TagDataLayer.h"
#include "TagTable.h"
#include "automation/RegionalSettings.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace corvane {

// The server's picture of the plant: the tag table read from the tag
// database beside the executable, with the two data-access slots of a load.
// One per server runtime; it reaches the file only through the data layer.
class TagStore {
public:
    // The value and confidence lookups answer for a name not in the table.
    static constexpr float kMissingValue = -999.0f;

    // `executableFolder` is the folder of the running executable; the database
    // is that folder followed directly by "/Corvane.mdb", without separator
    // handling. `regional` reads the fields that hold text.
    TagStore(TagDataLayer& dataLayer, std::u16string_view executableFolder, const automation::RegionalSettings& regional);
    ~TagStore();
    TagStore(const TagStore&) = delete;
    TagStore& operator=(const TagStore&) = delete;

    // Builds the tag table from table "Default" (index "PrimaryKey") of the
    // database. Does nothing while the connection slot holds a connection,
    // which a failed load leaves there. Errors of the data layer and of the
    // conversions go to the caller unchanged; the rows read before a failure
    // stay in the table.
    void LoadTagTable();

    // The entry's value, with its confidence written to `nConf`; -999 and 0
    // for a name that is not in the table, an empty name, or no table. The
    // name is always a key, never a position. Never raises.
    float LookupTag(std::u16string_view strTag, std::int32_t& nConf) const noexcept;

    // Closes and releases what the slots still hold. A record set or
    // connection that never opened is not closed, and a failing close is
    // ignored: there is nothing the caller could do about either.
    void CloseTagStore() noexcept;

    const std::u16string& databasePath() const { return databasePath_; }
    // Null until a load gets past opening the database.
    const TagTable* tagTable() const { return table_.get(); }
    TagConnection* connectionSlot() const { return connection_.get(); }
    TagRecordset* recordsetSlot() const { return recordset_.get(); }

private:
    TagDataLayer& dataLayer_;
    const automation::RegionalSettings& regional_;
    std::u16string databasePath_;
    std::unique_ptr<TagTable> table_;
    std::unique_ptr<TagConnection> connection_;
    std::unique_ptr<TagRecordset> recordset_;
};

}  // namespace corvane
