#pragma once

#include "PageFile.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace corvane::jet {

// Cheap structural checks run before a file reaches libmdb, which trusts
// what it reads: it follows page numbers and lengths from the file without
// bounds checks in several places, and it faults (or loops) on a file that is
// empty, cut short, or not a Jet 4 database at all. The checks refuse only
// what no valid file has, guarding what libmdb reads on our path:
//  - the file: a whole number of 4 KiB pages, at least the header and the
//    catalog (a cut file leaves usage maps pointing past its end);
//  - the header page: its signature and a version with 4 KiB pages;
//  - each table definition before libmdb reads it (the catalog's at page 2,
//    a user table's before it is opened): a chain of definition pages that
//    stays inside the file and ends, counts that a table can have (deleted
//    columns leave gaps in the column numbers and more variable-length slots
//    than columns: both are valid), entries inside the definition, fixed
//    columns inside a page, names that fit libmdb's name buffers, index
//    pages inside the file;
//  - the usage maps the definition points at: a row that exists on a data
//    page, a known map type, bitmap pages and mapped pages inside the file;
//  - the properties of every object in the catalog, which libmdb parses
//    when it opens the file (PropertiesCheck.h).
// Rows on data pages are left to libmdb, which bounds-checks row offsets;
// what it still does wrong on a damaged file the reader process contains.
class JetFileCheck {
public:
    // Opens the file for reading; never writes it.
    explicit JetFileCheck(const std::filesystem::path& path);

    // Why the file is not a database libmdb can read safely, or nothing.
    std::optional<std::string> checkDatabase();
    std::optional<std::string> checkTable(std::uint32_t definitionPage);

private:
    PageFile file_;
};

}  // namespace corvane::jet
