#pragma once

#include "corvanesim/CorvaneSim.h"

#include <optional>
#include <string>
#include <vector>

namespace corvane::stress {

// A client that is never killed: it sets up a session of its own before the
// load starts and afterwards finds it exactly as it left it, whatever the
// other clients did and however they ended.
class Witness {
public:
    // Throws std::runtime_error when the set-up itself fails.
    explicit Witness(const std::string& busAddress);

    // What differs from what was set up; empty when nothing does.
    std::vector<std::string> differences() const;
    // Lets go of everything the witness holds.
    void leave();

private:
    struct Written {
        client::Tag tag;
        std::string path;
        std::u16string name;
        float value;
        std::int32_t confidence;
        std::u16string units;
        std::string definitionPath;
    };

    std::optional<client::Data> data_;
    std::optional<client::Tags> tags_;
    std::string dataPath_;
    std::vector<Written> written_;
};

}  // namespace corvane::stress
