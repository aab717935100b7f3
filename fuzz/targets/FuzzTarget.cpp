// A libFuzzer executable around one entry point (CORVANE_FUZZ_ENTRY).
#include "Entries.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    corvane::fuzz::CORVANE_FUZZ_ENTRY({data, size});
    return 0;
}
