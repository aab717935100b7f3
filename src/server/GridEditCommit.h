#pragma once

#include "server/ConsoleEvents.h"

#include <cstdint>

namespace corvane {

class ServerProcess;

// Applies an operator's committed grid edit to the current session's tag:
// column 1 sets the tag's PV, column 2 its Confidence (rounded half to even;
// the tag holds it to 0..100). The row's name cell is the tag's key. Every
// failure is absorbed: the cell keeps what was typed, and no tag changes.
class GridEditCommit final : public ConsoleEvents {
public:
    explicit GridEditCommit(ServerProcess& process) : process_(process) {}

    void gridEditCommitted(std::int32_t row, std::int32_t editColumn, std::u16string_view typedText) override;

    // The value half: the tag of `row` in the current session gets `value`.
    void UpdateTagData(std::int32_t row, std::int32_t nEditCol, float value);

private:
    ServerProcess& process_;
};

}  // namespace corvane
