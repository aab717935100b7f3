#pragma once

#include "server/ConsoleEvents.h"

#include <string>
#include <vector>

namespace corvane::ui::test {

// Records the grid edits the window commits, in order.
class RecordingConsoleEvents final : public ConsoleEvents {
public:
    struct Commit {
        std::int32_t row;
        std::int32_t editColumn;
        std::u16string typedText;
        bool operator==(const Commit&) const = default;
    };

    void gridEditCommitted(std::int32_t row, std::int32_t editColumn, std::u16string_view typedText) override {
        commits.push_back({row, editColumn, std::u16string(typedText)});
    }

    std::vector<Commit> commits;
};

inline void PrintTo(const RecordingConsoleEvents::Commit& commit, std::ostream* out) {
    *out << "{row " << commit.row << ", column " << commit.editColumn << ", \"";
    for (char16_t c : commit.typedText) {
        *out << static_cast<char>(c < 0x80 ? c : '?');
    }
    *out << "\"}";
}

}  // namespace corvane::ui::test
