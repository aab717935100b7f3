#pragma once

#include "JetSchema.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace corvane::jet {

// Writes a fresh Jet 4 database: the header, the global usage map, the
// catalog (its definition, its rows, the usage maps), then per table its
// definition, its data pages and its index pages. Raises WriteError for input
// that cannot be written; nothing is half done.
std::vector<std::uint8_t> buildDatabase(const DatabaseSpec& database);

// The same, into a file: written beside it under a temporary name and renamed
// over it only when complete, so a failure leaves no partial file.
void writeDatabaseFile(const DatabaseSpec& database, const std::filesystem::path& path);

}  // namespace corvane::jet
