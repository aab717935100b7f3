#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace corvane::fuzz {

// Writes `bytes` as Corvane.mdb in a folder of this process's own (in
// memory where the system offers it, removed when the process ends) and
// gives the file's path.
std::filesystem::path writeScratchDatabase(std::span<const std::uint8_t> bytes);

}  // namespace corvane::fuzz
