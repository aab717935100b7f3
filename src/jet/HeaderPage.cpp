#include "HeaderPage.h"

#include <array>
#include <bit>
#include <cmath>
#include <utility>

namespace corvane::jet {
namespace {

constexpr std::size_t kMaskedStart = 0x18;
constexpr std::size_t kMaskedLength = 128;
constexpr std::array<std::uint8_t, 4> kMaskKey{0xC7, 0xDA, 0x39, 0x6B};

}  // namespace

void rc4Mask(std::uint8_t* bytes, std::size_t count)
{
    std::array<std::uint8_t, 256> state{};
    for (std::size_t i = 0; i < state.size(); ++i) state[i] = static_cast<std::uint8_t>(i);
    std::uint8_t j = 0;
    for (std::size_t i = 0; i < state.size(); ++i) {
        j = static_cast<std::uint8_t>(j + state[i] + kMaskKey[i % kMaskKey.size()]);
        std::swap(state[i], state[j]);
    }
    std::uint8_t a = 0;
    std::uint8_t b = 0;
    for (std::size_t k = 0; k < count; ++k) {
        a = static_cast<std::uint8_t>(a + 1);
        b = static_cast<std::uint8_t>(b + state[a]);
        std::swap(state[a], state[b]);
        bytes[k] ^= state[static_cast<std::uint8_t>(state[a] + state[b])];
    }
}

Page buildHeaderPage(double creationDate)
{
    Page page;
    page.u8(1, 0x01);
    const char signature[] = "Standard Jet DB";
    page.bytes(4, signature, sizeof signature);
    page.u32(0x14, 1);  // Jet 4

    page.u16(0x3C, 1252);  // code page
    page.u32(0x3E, 0);     // database key: pages are not masked
    // "No password" is the mask itself: the whole days of the creation date,
    // four bytes repeated over the 40-byte field.
    const auto days = static_cast<std::uint32_t>(static_cast<std::int32_t>(std::floor(creationDate)));
    for (std::size_t at = 0x42; at < 0x42 + 40; at += 4) page.u32(at, days);
    page.u32(0x6E, 0x0409);  // General sort order
    const auto dateBits = std::bit_cast<std::uint64_t>(creationDate);
    page.u32(0x72, static_cast<std::uint32_t>(dateBits));
    page.u32(0x76, static_cast<std::uint32_t>(dateBits >> 32));
    rc4Mask(page.data() + kMaskedStart, kMaskedLength);

    page.u32(0x98, 0x0654);
    const char version[] = "4.0";
    page.bytes(0x9C, version, sizeof version);
    return page;
}

}  // namespace corvane::jet
