// The executable's switches: registration of the bus service file, version.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString output;
    QString errors;
};

Outcome corvanesim(const QStringList& arguments, const QString& dataHome = QString())
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    if (!dataHome.isEmpty()) environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(CORVANESIM_EXECUTABLE), arguments);
    Outcome run;
    if (!process.waitForFinished(30000)) return run;
    run.exitCode = process.exitCode();
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

QString read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

TEST(CommandLine, RegserverInstallsTheServiceFileAndUnregserverRemovesItBothIdempotently)
{
    QTemporaryDir dataHome;
    const QString serviceFile = dataHome.filePath(QStringLiteral("dbus-1/services/org.corvane.CorvaneSim.service"));
    const QString expected = QStringLiteral("[D-BUS Service]\nName=org.corvane.CorvaneSim\nExec=%1\n")
                                 .arg(QFileInfo(QStringLiteral(CORVANESIM_EXECUTABLE)).canonicalFilePath());
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(corvanesim({QStringLiteral("--regserver")}, dataHome.path()).exitCode, 0);
        EXPECT_EQ(read(serviceFile), expected);
    }
    for (int round = 0; round < 2; ++round) {
        EXPECT_EQ(corvanesim({QStringLiteral("--unregserver")}, dataHome.path()).exitCode, 0);
        EXPECT_FALSE(QFile::exists(serviceFile));
    }
}

TEST(CommandLine, VersionPrintsTheProductNameAndVersion)
{
    const Outcome run = corvanesim({QStringLiteral("--version")});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.output, QStringLiteral("CorvaneSim 1.00\n"));
}

TEST(CommandLine, UnknownArgumentsAreRefusedWithTheUsage)
{
    const Outcome run = corvanesim({QStringLiteral("--bogus")});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--regserver")));
}

}  // namespace
