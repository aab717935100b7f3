#pragma once

class QWidget;

namespace corvane::ui {

// The question asked before the main window unloads, whatever asked for the
// unload. Returns false when the operator answers No. On Yes the process ends
// at once: no destructor, exit handler or other event code runs after it.
bool confirmExitOrEndProcess(QWidget& mainWindow);

}  // namespace corvane::ui
