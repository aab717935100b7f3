#pragma once

#include "server/TagDataLayer.h"

namespace corvane::win32 {

// The data layer of the Windows build until it has a Jet 4 reader of its own:
// it opens no database. A missing file fails as missing, an existing one as
// unreadable, so the tag table stays absent and every tag reads -999 with
// confidence 0, as after any failed load. Swapped for the reader in one place
// (WindowsServer's owner, main.cpp).
class PlaceholderDataLayer final : public TagDataLayer {
public:
    std::unique_ptr<TagConnection> createConnection() override;
};

}  // namespace corvane::win32
