#pragma once

#include "automation/DispatchObject.h"
#include "remoting/common/ObjectPathMap.h"

#include <QHash>

namespace corvane::remoting::test {

// A dispatch object with an empty interface, standing for any of the server's.
class FakeDispatch final : public automation::DispatchObject {
public:
    const automation::InterfaceBinding& dispatchBinding() const override;
};

// A path map over objects the test makes: "/fake/1", "/fake/2", ...
class FakeObjects final : public ObjectPathMap {
public:
    QString pathOf(automation::Object& object) override;
    automation::Ref<automation::Object> objectAt(const QString& path) override;

private:
    QHash<QString, automation::Ref<automation::Object>> byPath_;
    QHash<const automation::Object*, QString> byObject_;
};

}  // namespace corvane::remoting::test
