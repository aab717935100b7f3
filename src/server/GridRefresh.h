#pragma once

namespace corvane {

class ServerProcess;

// Rewrites the value and confidence cells of the grid from the current
// session's tags, the k-th tag into data row k whatever name the row shows.
// A session with more tags than the grid has data rows fails with the grid's
// error for a row outside it, after the rows before it were written.
void RefreshTagData(ServerProcess& process);

}  // namespace corvane
