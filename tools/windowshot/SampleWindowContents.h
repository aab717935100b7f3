#pragma once

namespace corvane {
class OperatorConsole;
}

namespace corvane::tools {

// Fills the operator window with a few tags, a query and some writes, as a
// client session would: the picture of the layout in the documentation.
void fillInSampleSession(OperatorConsole& console);

}  // namespace corvane::tools
