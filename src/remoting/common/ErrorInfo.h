#pragma once

#include <QString>

#include <cstdint>

namespace corvane::remoting {

class BusMessage;

// The (iss) that travels with a result code: code, source, description.
struct ErrorInfo {
    std::int32_t code = 0;
    QString source;
    QString description;
};

// One (iss) written into a message, or read from one (WireFormatError for anything else).
void write(BusMessage& out, const ErrorInfo& info);
ErrorInfo readErrorInfo(BusMessage& in);

}  // namespace corvane::remoting
