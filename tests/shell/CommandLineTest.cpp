// Start-up switches, desktop integration files and the recent-file list.
#include "shell/CommandLine.h"
#include "shell/RecentFiles.h"
#include "shell/Registration.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The start-up switches as the program reads them, from the list in
// tests/data.
TEST(CommandLineTest, SwitchesInEverySpelling) {
    const QStringList modes = {"normal",    "regserver", "unregserver",
                               "embedding", "help",      "version"};
    QFile file(testing_support::DataPath("command-lines.txt"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    int cases = 0;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        SCOPED_TRACE(line.toStdString());
        const QStringList f = line.split(QLatin1Char('\t'));
        ASSERT_EQ(f.size(), 3);
        const shell::StartupRequest request =
            shell::ParseCommandLine(f[0].split(QLatin1Char(' '), Qt::SkipEmptyParts));
        EXPECT_EQ(modes.value(static_cast<int>(request.mode)), f[1]);
        EXPECT_EQ(request.files, f[2].split(QLatin1Char(' '), Qt::SkipEmptyParts));
        ++cases;
    }
    EXPECT_GE(cases, 20);
}

TEST(RegistrationTest, WritesAndRemovesTheDesktopFiles) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    ASSERT_TRUE(data.contains(QStringLiteral("/data"))) << "tests use a private data folder";
    ASSERT_FALSE(shell::registration::Register(QStringLiteral("/opt/clonara/bin/clonara")));
    const QStringList files = shell::registration::Files();
    ASSERT_EQ(files.size(), 3);
    const QString desktop = QString::fromUtf8(testing_support::ReadFile(files[0]));
    EXPECT_TRUE(desktop.contains(QStringLiteral("Exec=\"/opt/clonara/bin/clonara\" %f")));
    EXPECT_TRUE(desktop.contains(QStringLiteral("MimeType=application/x-clonara-rdf;")));
    const QString mime = QString::fromUtf8(testing_support::ReadFile(files[1]));
    EXPECT_TRUE(mime.contains(QStringLiteral("<glob pattern=\"*.rdf\"/>")));
    const QString dbus = QString::fromUtf8(testing_support::ReadFile(files[2]));
    EXPECT_TRUE(dbus.contains(QStringLiteral("Name=org.tessaly.Clonara.CVX7Icon")));
    EXPECT_TRUE(dbus.contains(QStringLiteral("-Embedding")));
}

// No display to open: registration, help and version show no window and
// need none.
TEST(CommandLineTest, TheProgramRunsItsSwitchesWithoutADisplay) {
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    // The desktop entry, where the program writes it under this data folder.
    const QString here = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    const QString desktop = home.filePath(
        QStringLiteral("data/") + QDir(here).relativeFilePath(shell::registration::Files()[0]));
    const struct {
        const char* argument;
        bool registered;
        QString output;
    } cases[] = {
        {"/RegServer", true, {}},
        {"--help", true, shell::UsageText()},
        {"--version", true,
         QStringLiteral("clonara %1\n").arg(QStringLiteral(CLONARA_TEST_VERSION))},
        {"-unregserver", false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.argument);
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(testing_support::ProgramPath("clonara"), {QString::fromLatin1(c.argument)});
        ASSERT_TRUE(program.waitForFinished(30000));
        EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
        EXPECT_EQ(QFile::exists(desktop), c.registered) << desktop.toStdString();
        EXPECT_EQ(QString::fromLocal8Bit(program.readAllStandardOutput()), c.output);
    }
}

TEST(RecentFilesTest, FourEntriesNewestFirst) {
    shell::RecentFiles recent(4);
    recent.Load();
    for (const char* f : {"/a/1.rdf", "/a/2.rdf", "/a/3.rdf", "/a/4.rdf", "/a/5.rdf"})
        recent.Add(QString::fromLatin1(f));
    EXPECT_EQ(recent.Files(), (QStringList{"/a/5.rdf", "/a/4.rdf", "/a/3.rdf", "/a/2.rdf"}));
    recent.Add(QStringLiteral("/a/3.rdf"));
    EXPECT_EQ(recent.Files(), (QStringList{"/a/3.rdf", "/a/5.rdf", "/a/4.rdf", "/a/2.rdf"}));

    shell::RecentFiles reloaded(4);
    reloaded.Load();
    reloaded.Remove(QStringLiteral("/a/5.rdf"));
    shell::RecentFiles again(4);
    again.Load();
    EXPECT_EQ(again.Files(), (QStringList{"/a/3.rdf", "/a/4.rdf", "/a/2.rdf"}));
}

} // namespace
