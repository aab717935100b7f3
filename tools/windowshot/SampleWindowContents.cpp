#include "SampleWindowContents.h"

#include "server/OperatorConsole.h"

namespace corvane::tools {

namespace {

struct SampleRow {
    const char16_t* tag;
    const char16_t* value;
    const char16_t* confidence;
};

}  // namespace

void fillInSampleSession(OperatorConsole& console) {
    console.setText(Control::txtTesselHost, u"plant-hist01");
    console.setText(Control::txtUserName, u"operator");
    console.setText(Control::txtPassword, u"secret");

    constexpr SampleRow rows[] = {
        {u"TIC101.PV", u"42.5", u"100"},
        {u"FIC7.PV", u"-999", u"0"},
        {u"LIC3.PV", u"1.234568E+08", u"100"},
        {u"PIC12.PV", u"12.5", u"80"},
    };
    GridControl& grid = console.grid();
    for (const SampleRow& row : rows) {
        const int at = grid.rows();
        grid.setRows(at + 1);
        grid.setTextMatrix(at, 0, row.tag);
        grid.setTextMatrix(at, 1, row.value);
        grid.setTextMatrix(at, 2, row.confidence);
    }

    console.setText(Control::labelStartTime, u"07 Dec 2026  13:03:07");
    console.setText(Control::labelEndTime, u"07 Dec 2026  14:03:07");
    console.setText(Control::labelSampleFrequency, u"60");
    console.setText(Control::txtHistoryType, u"Interpolated");
    console.setText(Control::labelNumSamples, u"61");
    console.appendText(Control::txtWriteLog, u"14:03:07: TIC101.PV = 42.5\r\n");
    console.appendText(Control::txtWriteLog, u"14:03:09: PIC12.PV = 12.5\r\n");
    console.dataFetch();
}

}  // namespace corvane::tools
