#pragma once

#include "automation/Variant.h"

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace corvane {

// The data layer under the tag store: a connection and a record set, in the
// shape of the data-access objects the tag table was always read through.
// Every failure raises AutomationError with the data layer's own code and
// description (DataLayerErrors.h). Operations on a closed object fail with
// "object closed", opening an open one with "object open".

class TagRecordset {
public:
    virtual ~TagRecordset() = default;
    // Opens `table` whole, read-only, as a snapshot taken now, through the
    // index `index`, which must exist (an empty name asks for no index). An
    // unknown table or index fails with the data layer's error; so does a
    // connection that is not open.
    virtual void open(std::u16string_view table, std::u16string_view index) = 0;
    virtual bool isOpen() const = 0;
    // How many rows the open record set holds, when it knows (a snapshot
    // does); 0 when it cannot tell. A hint for making room, nothing more.
    virtual std::size_t recordCount() const { return 0; }
    // Fails with "no current record" on an empty table.
    virtual void moveFirst() = 0;
    virtual bool eof() const = 0;
    // The names of the fields, in the table's column order.
    virtual std::vector<std::u16string> fieldNames() const = 0;
    // The current row's field `name` (case ignored; Null for an empty field).
    // An unknown name fails with "item not found", a missing current row with
    // "no current record". The value stays valid until the record set moves
    // or closes: the load reads 100,000 rows without copying each field.
    virtual const automation::Variant& field(std::u16string_view name) const = 0;
    // Fails with "no current record" at the end.
    virtual void moveNext() = 0;
    virtual void close() = 0;
};

class TagConnection {
public:
    virtual ~TagConnection() = default;
    // Opens the database file read-only. A missing file, or one that is not a
    // database, fails with an error that names the file.
    virtual void open(const std::u16string& path) = 0;
    virtual bool isOpen() const = 0;
    // The user tables of the open database, in catalog order.
    virtual std::vector<std::u16string> tableNames() const = 0;
    // A closed record set that opens through this connection.
    virtual std::unique_ptr<TagRecordset> createRecordset() = 0;
    virtual void close() = 0;
};

class TagDataLayer {
public:
    virtual ~TagDataLayer() = default;
    virtual std::unique_ptr<TagConnection> createConnection() = 0;
};

}  // namespace corvane
