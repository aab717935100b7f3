#pragma once

#include "JetFormat.h"

namespace corvane::jet {

// Page 0: the signature, the version byte (Jet 4), and the block at
// 0x18-0x97 stored masked with RC4 under the format's fixed key: code page
// 1252, database key 0 (no other page is masked), the empty password (which
// readers unmask with the creation date), General sort order and the
// creation date.
Page buildHeaderPage(double creationDate);

// RC4 over `count` bytes in place; used to mask and to unmask the block.
void rc4Mask(std::uint8_t* bytes, std::size_t count);

}  // namespace corvane::jet
