#pragma once

#include "automation/DispatchObject.h"

namespace corvane {

class Data;
class ServerProcess;

// The emulator object. Creating one shows the operator window and loads the
// tag table; releasing the last reference closes the tag store and asks the
// operator whether to exit.
class SimServer : public automation::DispatchObject {
public:
    // Its members as clients reach them (bound in SimServerBinding.cpp).
    const automation::InterfaceBinding& dispatchBinding() const override;

    // Runs the start-up; an error from it ends the creation with that error.
    static automation::Ref<SimServer> Create(ServerProcess& process);

    automation::Ref<corvane::Data> Data() const;
    void setData(automation::Ref<corvane::Data> vData);

protected:
    ~SimServer() override;

private:
    explicit SimServer(ServerProcess& process) : process_(process) {}

    ServerProcess& process_;
    automation::Ref<corvane::Data> Data_;
    bool started_ = false;  // an object whose start-up failed was never created, so it has no shut-down
};

}  // namespace corvane
