// The window operations whose cost grows with what the window holds: grid rows
// added and removed one at a time (as tags come and go) and write-log lines
// appended. Per-item figures that stay flat as N grows show linear work.

#include "server/OperatorConsole.h"
#include "ui/MainWindow.h"
#include "ui/QtOperatorConsole.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

using corvane::Control;
using corvane::GridControl;
using corvane::ui::QtOperatorConsole;

void appendTagRow(GridControl& grid) {
    const int row = grid.rows();
    grid.setRows(row + 1);
    grid.setTextMatrix(row, 0, u"01TIC4711.PV");
    grid.setTextMatrix(row, 1, u"42.5");
    grid.setTextMatrix(row, 2, u"100");
}

void GridAppendRows(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto console = std::make_unique<QtOperatorConsole>();
        console->showMainWindow();
        QApplication::processEvents();
        state.ResumeTiming();

        for (int i = 0; i < rows; ++i) {
            appendTagRow(console->grid());
        }
        QApplication::processEvents();  // lay out and draw once

        state.PauseTiming();
        console.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(GridAppendRows)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void GridRemoveFirstRow(benchmark::State& state) {
    const auto rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto console = std::make_unique<QtOperatorConsole>();
        console->showMainWindow();
        for (int i = 0; i < rows; ++i) {
            appendTagRow(console->grid());
        }
        QApplication::processEvents();
        state.ResumeTiming();

        while (console->grid().rows() > 1) {
            console->grid().removeRow(1);
        }
        QApplication::processEvents();

        state.PauseTiming();
        console.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * rows);
}
BENCHMARK(GridRemoveFirstRow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void WriteLogAppendLines(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        auto console = std::make_unique<QtOperatorConsole>();
        console->showMainWindow();
        QApplication::processEvents();
        state.ResumeTiming();

        for (int i = 0; i < lines; ++i) {
            console->appendText(Control::txtWriteLog, u"14:03:07: 01TIC4711.PV = 42.5\r\n");
        }
        QApplication::processEvents();

        state.PauseTiming();
        console.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(WriteLogAppendLines)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace
