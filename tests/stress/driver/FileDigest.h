#pragma once

#include <QString>

namespace corvane::stress {

// The SHA-256 of a file's bytes in hex; empty when it cannot be read.
QString fileDigest(const QString& path);

}  // namespace corvane::stress
