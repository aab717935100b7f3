#include "SimServer.h"

#include "server/OperatorConsole.h"
#include "server/ServerProcess.h"
#include "server/TagStore.h"
#include "session/Data.h"

namespace corvane {

automation::Ref<SimServer> SimServer::Create(ServerProcess& process)
{
    automation::Ref<SimServer> server(new SimServer(process));
    process.console.showMainWindow();
    process.tagStore.LoadTagTable();
    server->started_ = true;
    return server;
}

automation::Ref<Data> SimServer::Data() const { return Data_; }

void SimServer::setData(automation::Ref<corvane::Data> vData)
{
    // Swap first: releasing the old session may release further objects, and
    // they must find this field already holding the new one.
    std::swap(Data_, vData);
}

SimServer::~SimServer()
{
    if (!started_ || process_.tearingDown()) return;
    process_.tagStore.CloseTagStore();
    process_.console.requestUnload();
}

}  // namespace corvane
