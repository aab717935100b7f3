#pragma once

#include "GridEditCases.h"
#include "server/ConsoleEvents.h"

#include <ostream>

namespace corvane::test {

// Records the grid edits a window commits, in order.
class CommitRecorder final : public ConsoleEvents {
public:
    void gridEditCommitted(std::int32_t row, std::int32_t editColumn, std::u16string_view typedText) override {
        commits.push_back({row, editColumn, std::u16string(typedText)});
    }

    std::vector<Commit> commits;
};

inline void PrintTo(const Commit& commit, std::ostream* out) {
    *out << "{row " << commit.row << ", column " << commit.editColumn << ", \"";
    for (char16_t c : commit.typedText) {
        *out << static_cast<char>(c < 0x80 ? c : '?');
    }
    *out << "\"}";
}

}  // namespace corvane::test
