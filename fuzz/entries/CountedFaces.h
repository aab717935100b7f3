#pragma once

#include "com/WindowsHeaders.h"

#include "com/ObjectBridge.h"

#include <unordered_map>

namespace corvane::fuzz {

// The COM faces of the model's objects for the conversion without the real
// adapters: one counted IDispatch per object while anybody holds it, and
// objects of nobody's (another program's) for the conversion to refuse.
class CountedFaces final : public com::ObjectBridge {
public:
    CountedFaces() = default;
    CountedFaces(const CountedFaces&) = delete;
    CountedFaces& operator=(const CountedFaces&) = delete;
    // Fails when a face is still held: somebody kept a reference it was given.
    ~CountedFaces() override;

    IDispatch* dispatchOf(const automation::Ref<automation::Object>& object) override;
    IUnknown* unknownOf(const automation::Ref<automation::Object>& object) override;
    std::optional<automation::Ref<automation::Object>> objectOf(IUnknown* pointer) override;

    // A new object that this bridge never handed out (one reference).
    static IDispatch* foreign();

private:
    class Face;
    IDispatch* faceOf(const automation::Ref<automation::Object>& object);

    std::unordered_map<const automation::Object*, Face*> faces_;
};

}  // namespace corvane::fuzz
