#pragma once

#include <QString>

#include <stdexcept>

namespace corvane::remoting {

// A value that does not follow the wire format: a wrong D-Bus type, an unknown
// type code, a path that names no object. Messages are untrusted, so this is
// an ordinary outcome of decoding, answered with an error reply.
class WireFormatError : public std::runtime_error {
public:
    explicit WireFormatError(const QString& message) : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// A message that would break the bus's size limits; the bus would drop the
// connection of whoever sent it.
class WireLimitError : public WireFormatError {
public:
    using WireFormatError::WireFormatError;
};

}  // namespace corvane::remoting
