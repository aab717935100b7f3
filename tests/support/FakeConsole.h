#pragma once

#include "MemoryGrid.h"
#include "server/OperatorConsole.h"

#include <map>
#include <string>

namespace corvane::testing {

// The operator windows as plain values: control texts, the check box, the data
// window's visibility, the grid, and counters of what the object model asked for.
class FakeConsole final : public OperatorConsole {
public:
    FakeConsole();

    void showMainWindow() override { ++windowShows; }
    bool requestUnload() override
    {
        ++unloadRequests;
        return false;  // the operator answers No
    }
    std::u16string text(Control control) const override;
    void setText(Control control, std::u16string_view text) override;
    void appendText(Control control, std::u16string_view more) override;
    int sineWaveValue() const override { return sineWave; }
    void dataFetch() override { ++fetches; }
    bool dataWindowVisible() override { return dataWindowShown; }
    GridControl& grid() override { return gridData; }

    MemoryGrid gridData;
    int sineWave = 1;
    bool dataWindowShown = false;
    int windowShows = 0;
    int unloadRequests = 0;
    int fetches = 0;
    int appendCalls = 0;

private:
    std::map<Control, std::u16string> texts_;
};

}  // namespace corvane::testing
