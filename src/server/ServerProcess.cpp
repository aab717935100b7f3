#include "ServerProcess.h"

#include "server/SimServer.h"
#include "session/Data.h"

namespace corvane {

ServerProcess::ServerProcess(OperatorConsole& consoleIn, TagStore& tagStoreIn, const automation::Clock& clockIn,
                             const automation::RegionalSettings& regionalIn)
    : console(consoleIn), tagStore(tagStoreIn), clock(clockIn), regional(regionalIn)
{
}

ServerProcess::~ServerProcess()
{
    tearingDown_ = true;
    if (ServerInstance) ServerInstance->setData({});
    ServerInstance.reset();
}

automation::Ref<Data> ServerProcess::currentSession() const
{
    return ServerInstance ? ServerInstance->Data() : automation::Ref<corvane::Data>();
}

}  // namespace corvane
