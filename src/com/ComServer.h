#pragma once

#include "WindowsHeaders.h"

#include "ClassObject.h"
#include "ObjectTable.h"
#include "ReleaseQueue.h"

#include <array>

namespace corvane::com {

// The COM side of the server process: the class objects of Data and
// SimServer offered for multiple use on this thread's single-threaded
// apartment, whose calls the thread's message loop carries, and the faces of
// every object handed out. The process never revokes them: it ends only at
// once, when the operator answers the exit question Yes.
class ComServer {
public:
    explicit ComServer(ServerProcess& process);
    ComServer(const ComServer&) = delete;
    ComServer& operator=(const ComServer&) = delete;

    // Offers the class objects; the first failure is returned.
    HRESULT offerClassObjects();

    ObjectTable& objects() { return table_; }
    ReleaseQueue& releases() { return releases_; }

private:
    ReleaseQueue releases_;
    ObjectTable table_;
    std::array<ClassObject, 2> classObjects_;
};

}  // namespace corvane::com
