#include "ServiceRegistration.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using corvane::app::ServiceRegistration;

namespace {

QProcessEnvironment environment(const QString& home, const QString& dataHome)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("HOME"), home);
    if (!dataHome.isNull()) environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    return environment;
}

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(ServiceRegistration, UsesXdgDataHomeOrFallsBackToTheHomeFolder)
{
    EXPECT_EQ(ServiceRegistration(environment("/home/u", "/data")).serviceFilePath(),
              QStringLiteral("/data/dbus-1/services/org.corvane.CorvaneSim.service"));
    EXPECT_EQ(ServiceRegistration(environment("/home/u", QString())).serviceFilePath(),
              QStringLiteral("/home/u/.local/share/dbus-1/services/org.corvane.CorvaneSim.service"));
    // Empty or relative values are to be ignored.
    EXPECT_EQ(ServiceRegistration(environment("/home/u", "")).serviceFilePath(),
              QStringLiteral("/home/u/.local/share/dbus-1/services/org.corvane.CorvaneSim.service"));
    EXPECT_EQ(ServiceRegistration(environment("/home/u", "data")).serviceFilePath(),
              QStringLiteral("/home/u/.local/share/dbus-1/services/org.corvane.CorvaneSim.service"));
}

TEST(ServiceRegistration, NamesTheExecutableSoThatTheBusCanSplitItsExecLine)
{
    EXPECT_EQ(ServiceRegistration::serviceFileText(QStringLiteral("/opt/corvane/corvanesim")),
              QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec=/opt/corvane/corvanesim\n"));
    EXPECT_EQ(ServiceRegistration::serviceFileText(QStringLiteral("/opt/my tools/it's/corvanesim")),
              QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec='/opt/my tools/it'\\''s/corvanesim'\n"));
}

TEST(ServiceRegistration, InstallingAndRemovingTwiceIsHarmless)
{
    QTemporaryDir home;
    const ServiceRegistration registration(environment(home.path(), QString()));
    QString error;
    ASSERT_TRUE(registration.install(QStringLiteral("/old/corvanesim"), error)) << error.toStdString();
    ASSERT_TRUE(registration.install(QStringLiteral("/new/corvanesim"), error)) << error.toStdString();
    EXPECT_EQ(read(registration.serviceFilePath()), ServiceRegistration::serviceFileText(QStringLiteral("/new/corvanesim")));
    EXPECT_TRUE(registration.remove(error));
    EXPECT_FALSE(QFile::exists(registration.serviceFilePath()));
    EXPECT_TRUE(registration.remove(error));
}

TEST(ServiceRegistration, ReportsAFolderItCannotCreate)
{
    QTemporaryDir home;
    QFile blocker(home.filePath(QStringLiteral("data")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));  // a file where the folder should go
    const ServiceRegistration registration(environment(home.path(), home.filePath(QStringLiteral("data"))));
    QString error;
    EXPECT_FALSE(registration.install(QStringLiteral("/x/corvanesim"), error));
    EXPECT_FALSE(error.isEmpty());
}

}  // namespace
