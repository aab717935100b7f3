#include "RemoteObjects.h"

namespace corvane::remoting::test {

automation::Ref<automation::Object> RemoteObjects::objectAt(const QString& path)
{
    auto found = known_.find(path);
    if (found == known_.end()) found = known_.insert(path, automation::Ref<automation::Object>(new RemoteObject(path)));
    return *found;
}

}  // namespace corvane::remoting::test
