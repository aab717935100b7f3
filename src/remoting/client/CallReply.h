#pragma once

#include "remoting/common/BusMessage.h"

#include <QString>

namespace corvane::client {

// What a call brought back: its reply, or the name and text of the error that
// stands for it (an error reply, or the transport's failure as one).
struct CallReply {
    remoting::BusMessage message;
    QString errorName;
    QString errorMessage;

    bool succeeded() const { return static_cast<bool>(message); }
};

}  // namespace corvane::client
