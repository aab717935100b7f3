#include "GridRefresh.h"

#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "session/Data.h"
#include "tags/TagGridRows.h"
#include "tags/Tags.h"

namespace corvane {

void RefreshTagData(ServerProcess& process)
{
    const automation::Ref<Data> session = process.currentSession();
    if (!session) return;
    const automation::Ref<Tags> tags = session->Tags();
    GridControl& grid = process.console.grid();
    std::int32_t row = 1;
    tags->items().forEach([&](const automation::Ref<Tag>& tag) {
        tag_grid_rows::writeValues(grid, row++, tag->PV(), tag->Confidence(), process.regional);
    });
}

}  // namespace corvane
