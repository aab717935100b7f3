#pragma once

#include <QProcessEnvironment>
#include <QString>

namespace corvane::app {

// The bus service file that lets the session bus start the server on a
// client's first request: org.corvane.CorvaneSim.service in the user's D-Bus
// services folder. Installing and removing are both idempotent.
class ServiceRegistration {
public:
    // $XDG_DATA_HOME/dbus-1/services, or ~/.local/share/dbus-1/services when
    // XDG_DATA_HOME is unset, empty or not absolute.
    explicit ServiceRegistration(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    QString serviceFilePath() const { return folder_ + QStringLiteral("/org.corvane.CorvaneSim.service"); }

    // The file's text for an executable at `executablePath` (absolute).
    static QString serviceFileText(const QString& executablePath);

    // Writes the file (replacing an older one); false with the reason in `error`.
    bool install(const QString& executablePath, QString& error) const;
    // Removes the file if there is one; false with the reason in `error`.
    bool remove(QString& error) const;

private:
    QString folder_;
};

}  // namespace corvane::app
