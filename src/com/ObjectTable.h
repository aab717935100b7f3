#pragma once

#include "ObjectBridge.h"
#include "ReleaseQueue.h"
#include "TypeInfoSource.h"

#include "automation/RegionalSettings.h"

#include <cstddef>
#include <unordered_map>

namespace corvane::com {

class ComFace;

// The COM faces of the model's objects. Each object has one face while any
// client holds it, so the same object always comes back as the same pointer;
// the face holds one counted reference on its object, and when the clients'
// last reference goes, that reference goes to the release queue.
class ObjectTable final : public ObjectBridge {
public:
    ObjectTable(const automation::RegionalSettings& regional, ReleaseQueue& releases)
        : regional_(regional), releases_(releases)
    {
    }
    ObjectTable(const ObjectTable&) = delete;
    ObjectTable& operator=(const ObjectTable&) = delete;

    IDispatch* dispatchOf(const automation::Ref<automation::Object>& object) override;
    IUnknown* unknownOf(const automation::Ref<automation::Object>& object) override;
    std::optional<automation::Ref<automation::Object>> objectOf(IUnknown* pointer) override;

    const automation::RegionalSettings& regional() const { return regional_; }
    // A face's clients have all let go: it leaves the table and its object
    // goes to the queue.
    void faceReleased(automation::Ref<automation::Object> object);

    std::size_t size() const { return byObject_.size(); }
    // What the faces answer when a client asks for their type information.
    TypeInfoSource& typeInfo() { return typeInfo_; }

private:
    ComFace& faceOf(const automation::Ref<automation::Object>& object);

    const automation::RegionalSettings& regional_;
    ReleaseQueue& releases_;
    TypeInfoSource typeInfo_;
    std::unordered_map<const automation::Object*, ComFace*> byObject_;
};

// What the table knows of every face: its pointers and its object.
class ComFace {
public:
    virtual ~ComFace() = default;
    virtual IUnknown* identity() = 0;           // new reference
    virtual IDispatch* dispatch() = 0;          // new reference, or null
    virtual bool owns(IUnknown* pointer) const = 0;
    virtual const automation::Ref<automation::Object>& object() const = 0;
};

}  // namespace corvane::com
