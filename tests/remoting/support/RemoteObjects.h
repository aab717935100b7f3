#pragma once

#include "remoting/common/ObjectPathMap.h"

#include <QHash>
#include <QString>

namespace corvane::remoting::test {

// A client's stand-in for a server object: just its path.
class RemoteObject final : public automation::Object {
public:
    explicit RemoteObject(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

private:
    QString path_;
};

// The client side of the path map: one stand-in per path, so that the same
// server object is the same stand-in here.
class RemoteObjects final : public ObjectPathMap {
public:
    QString pathOf(automation::Object& object) override { return static_cast<RemoteObject&>(object).path(); }
    automation::Ref<automation::Object> objectAt(const QString& path) override;
    bool hasDispatch(automation::Object&) override { return true; }

private:
    QHash<QString, automation::Ref<automation::Object>> known_;
};

}  // namespace corvane::remoting::test
