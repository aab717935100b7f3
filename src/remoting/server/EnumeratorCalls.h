#pragma once

namespace corvane::automation {
class Enumerator;
}

namespace corvane::remoting {

class BusCall;
class ObjectRegistry;

// org.corvane.Automation1.EnumVARIANT: the enumerator that NewEnum hands out.
class EnumeratorCalls {
public:
    explicit EnumeratorCalls(ObjectRegistry& registry) : registry_(registry) {}

    // Next(u count) -> (a(qv) items); each object item is a reference for the caller.
    void next(BusCall& call, automation::Enumerator& enumerator);
    // Skip(u count) -> (b complete)
    void skip(BusCall& call, automation::Enumerator& enumerator);
    // Reset()
    void reset(BusCall& call, automation::Enumerator& enumerator);
    // Clone() -> (o enumerator), a reference for the caller.
    void clone(BusCall& call, automation::Enumerator& enumerator);

private:
    ObjectRegistry& registry_;
};

}  // namespace corvane::remoting
