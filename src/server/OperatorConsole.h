#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace corvane {

// The controls of the operator windows that the object model writes or reads,
// named as on the windows. All but txtData are on frmMain.
enum class Control {
    txtTesselHost,
    txtUserName,
    txtPassword,
    labelStartTime,
    labelEndTime,
    labelSampleFrequency,
    txtHistoryType,  // a label, despite its name
    labelNumSamples,
    txtTimeError,
    txtPeriod,
    txtWriteLog,
    txtData,  // on frmData; using it loads frmData hidden when it is not loaded
};

// The grid gridData as the object model uses it: a caption row 0 and data rows
// below it, three columns. A cell outside the grid raises the grid's error
// (kInvalidRowValue / kInvalidColValue, see GridErrors.h).
class GridControl {
public:
    virtual ~GridControl() = default;

    // The number of rows, the caption row included.
    virtual std::int32_t rows() const = 0;
    // Larger appends empty rows at the bottom; smaller drops rows from the bottom.
    virtual void setRows(std::int32_t rows) = 0;
    virtual std::int32_t cols() const = 0;
    virtual std::u16string textMatrix(std::int32_t row, std::int32_t col) const = 0;
    virtual void setTextMatrix(std::int32_t row, std::int32_t col, std::u16string_view text) = 0;
    // Every row below `row` moves up one row with all its cells; rows() drops by one.
    virtual void removeRow(std::int32_t row) = 0;
};

// What the object model asks of the operator windows. The Qt windows implement
// it; core tests use an in-memory double.
class OperatorConsole {
public:
    virtual ~OperatorConsole() = default;

    // Loads frmMain on first use (its load steps run once) and shows it
    // modeless with no owner; a shown window stays shown.
    virtual void showMainWindow() = 0;
    // Asks the exit question. Returns false when the operator answers No;
    // on Yes the process ends at once and this never returns.
    virtual bool requestUnload() = 0;

    virtual std::u16string text(Control control) const = 0;
    virtual void setText(Control control, std::u16string_view text) = 0;
    // The same as setText(control, text(control) + more), without copying the
    // text that is already there.
    virtual void appendText(Control control, std::u16string_view more) = 0;

    // The Value of chkSineWave: 0 unchecked, 1 checked, 2 greyed.
    virtual int sineWaveValue() const = 0;
    // Shows the "Fetch" indicator; it hides itself 250 ms later.
    virtual void dataFetch() = 0;
    // Whether frmData is shown (loads it hidden when it is not loaded).
    virtual bool dataWindowVisible() = 0;

    virtual GridControl& grid() = 0;
};

}  // namespace corvane
