#pragma once

#include <QObject>

// The baseline: the plainest Qt D-Bus method there is, exported from a
// QObject's slot, answering with its argument.
class EchoServer final : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.corvane.BenchEcho")

public slots:
    int Echo(int value) { return value; }
};
