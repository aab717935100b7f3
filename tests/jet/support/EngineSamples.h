#pragma once

#include "PageFile.h"
#include "TableDefinitionReader.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace corvane::test {

// The Jet 4 files the engine itself wrote, kept read-only beside the
// repository (jet-samples), and what the tests read from them directly.
std::filesystem::path samplesFolder();
std::vector<std::filesystem::path> sampleFiles();  // every .mdb, by name

struct SampleTable {
    std::u16string name;
    std::uint32_t definitionPage = 0;
    bool system = false;
};
// A sample changed as `patch` says: the sample's name, then lines of
// "offset byte" (the byte in hexadecimal); lines starting with # say why.
// The fuzzer's findings in the engine's files are kept so, as the few bytes
// that matter, rather than as altered copies of those files.
std::string patchedSample(const std::filesystem::path& patch);

// Every table of the catalog, the catalog itself first.
std::vector<SampleTable> sampleTables(jet::PageFile& file);

// One entry of an index page: its whole key (the page's shared prefix put
// back), the row it names and, on a node page, the page below it.
struct IndexPageEntry {
    std::vector<std::uint8_t> key;
    std::uint32_t page = 0;
    std::uint8_t row = 0;
    std::uint32_t child = 0;
};
std::vector<IndexPageEntry> indexPageEntries(std::span<const std::uint8_t> page);

// The bytes of the row at (page, row), following a row that moved.
std::span<const std::uint8_t> rowAt(jet::PageFile& file, std::uint32_t page, std::uint8_t row);

}  // namespace corvane::test
