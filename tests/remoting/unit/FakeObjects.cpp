#include "FakeObjects.h"

namespace corvane::remoting::test {

const automation::InterfaceBinding& FakeDispatch::dispatchBinding() const
{
    static const automation::InterfaceDescription description{u"_Fake", {u"00000000-0000-0000-0000-000000000000"}, {}};
    static const automation::InterfaceBinding binding{description, {}};
    return binding;
}

QString FakeObjects::pathOf(automation::Object& object)
{
    auto found = byObject_.find(&object);
    if (found == byObject_.end()) {
        const QString path = QStringLiteral("/fake/%1").arg(byPath_.size() + 1);
        byPath_.insert(path, automation::Ref<automation::Object>(&object));
        found = byObject_.insert(&object, path);
    }
    return *found;
}

automation::Ref<automation::Object> FakeObjects::objectAt(const QString& path) { return byPath_.value(path); }

}  // namespace corvane::remoting::test
