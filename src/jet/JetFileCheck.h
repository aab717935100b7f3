#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace corvane::jet {

// Cheap structural checks run before a file reaches libmdb, which trusts
// what it reads: it follows page numbers and lengths from the file without
// bounds checks in several places, and it faults (or loops) on a file that is
// empty, cut short, or not a Jet 4 database at all. The checks guard exactly
// what libmdb reads on our path:
//  - the file: a whole number of 4 KiB pages, at least the header and the
//    catalog (a cut file leaves usage maps pointing past its end);
//  - the header page: its signature and a version with 4 KiB pages;
//  - each table definition before libmdb reads it (the catalog's at page 2,
//    a user table's before it is opened): a chain of definition pages that
//    stays inside the file and ends, counts that the definition's length can
//    hold, column entries whose fixed offsets and sizes stay inside a page,
//    names that fit libmdb's name buffers;
//  - the usage maps the definition points at: a row that exists on a data
//    page, a known map type, bitmap pages and mapped pages inside the file.
// Rows on data pages are left to libmdb, which bounds-checks row offsets.
class JetFileCheck {
public:
    // Opens the file for reading; never writes it.
    explicit JetFileCheck(const std::filesystem::path& path);

    // Why the file is not a database libmdb can read safely, or nothing.
    std::optional<std::string> checkDatabase();
    std::optional<std::string> checkTable(std::uint32_t definitionPage);

private:
    const std::vector<std::uint8_t>* page(std::uint32_t number);
    std::optional<std::string> checkDefinition(std::uint32_t first);
    std::optional<std::string> checkUsageMap(std::uint32_t rowPointer);

    std::ifstream file_;
    std::uint64_t pageCount_ = 0;
    std::map<std::uint32_t, std::vector<std::uint8_t>> cache_;
};

}  // namespace corvane::jet
