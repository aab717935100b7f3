#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace corvane::client::test {

// One run of corvane to its end.
struct Outcome {
    int status = -1;  // -1 when it did not exit normally
    QString out;
    QString err;
};

Outcome runCorvane(const QStringList& arguments, const QProcessEnvironment& environment);

}  // namespace corvane::client::test
