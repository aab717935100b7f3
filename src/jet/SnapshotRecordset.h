#pragma once

#include "TableScan.h"
#include "server/TagDataLayer.h"

#include <cstddef>
#include <string>
#include <vector>

namespace corvane::jet {

// A record set over a table read whole when it opened, as a client-side
// static cursor holds it: the navigation and its errors. How the rows are
// read is the subclass's open().
class SnapshotRecordset : public TagRecordset {
public:
    bool isOpen() const override { return open_; }
    void moveFirst() override;
    bool eof() const override;
    std::size_t recordCount() const override { return open_ ? rows_.size() : 0; }
    std::vector<std::u16string> fieldNames() const override;
    const automation::Variant& field(std::u16string_view name) const override;
    void moveNext() override;
    void close() override;

    // The rows whole, each one value per field name in order, handed over
    // without a copy; the record set closes.
    std::vector<std::vector<automation::Variant>> takeRows();

protected:
    // Fails with "object open" when the record set already is.
    void requireClosed() const;
    // Opens the record set on these rows, each one value per name.
    void fill(std::vector<std::u16string> names, std::vector<std::vector<automation::Variant>> rows);
    // Opens the record set on every row of `scan`, each field as the data
    // layer hands it out (FieldValue.h). A damaged row or long value fails
    // with "unrecognized database format" naming the file at `path`.
    void fill(TableScan& scan, std::u16string_view path);

private:
    void requireOpen() const;

    bool open_ = false;
    std::vector<std::u16string> names_;
    std::vector<std::vector<automation::Variant>> rows_;
    std::size_t position_ = 0;
};

}  // namespace corvane::jet
