#pragma once

#include "corvanesim/CorvaneSim.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::stress {

// A tag that this client added, as the client expects the server to hold it.
struct HeldTag {
    std::u16string name;
    std::u16string key;
    client::Tag tag;
    // The last value written, once there is one; until then an unknown name reads -999.
    std::optional<float> written;
    bool known = false;  // the name is in the tag database
};

// One of this client's query sessions with the tags it expects in it, in
// collection order. Nobody else can change them: only this client holds their
// paths.
struct HeldSession {
    client::Data data;
    client::Tags tags;
    std::vector<HeldTag> expected;
};

}  // namespace corvane::stress
