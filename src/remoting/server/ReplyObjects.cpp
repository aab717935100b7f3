#include "ReplyObjects.h"

#include "ObjectRegistry.h"

namespace corvane::remoting {

using automation::Object;
using automation::Ref;

QString ReplyObjects::pathOf(Object& object)
{
    sent_.emplace_back(&object);
    return registry_.pathOf(object);
}

Ref<Object> ReplyObjects::objectAt(const QString& path) { return registry_.objectAt(path); }

void ReplyObjects::addReferencesFor(const QString& client)
{
    for (const Ref<Object>& object : sent_) registry_.addReference(client, *object);
    sent_.clear();
}

}  // namespace corvane::remoting
