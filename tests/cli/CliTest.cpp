// clonara-cli as a whole program: new, info, convert and their failures, and
// the options of simulate.
#include "radio/CVX7Radio.h"
#include "simulator/RadioSimulator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

using testing_support::ProgramPath;
using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

struct Result {
    int exitCode;
    QString out;
    QString err;
};

Result RunCli(const QStringList& arguments) {
    const auto run = testing_support::RunCli(arguments);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

class CliTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
};

TEST_F(CliTest, NewInfoAndConvertRoundTrip) {
    ASSERT_EQ(RunCli({QStringLiteral("new"), Path("a.rdf")}).exitCode, 0);
    const QByteArray rdf = ReadFile(Path("a.rdf"));
    ASSERT_EQ(rdf.size(), 33680);

    const Result info = RunCli({QStringLiteral("info"), Path("a.rdf")});
    EXPECT_EQ(info.exitCode, 0);
    for (const char* line :
         {"Radio name:                  Yaesu VX-7", "Radio tag:                   JH70",
          "Format version:              2", "Size field:                  33680",
          "Settings source:             NewFile", "Image checksum:              holds",
          "State block checksum:        holds", "Variant flag:                0",
          "Memories in use:             1", "Hyper memories in use:       0"})
        EXPECT_TRUE(info.out.contains(QString::fromLatin1(line))) << line;

    ASSERT_EQ(RunCli({QStringLiteral("convert"), Path("a.rdf"), Path("a.img")}).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("a.img")), rdf.mid(424, 16211));

    // A raw image with another program's metadata behind it and a stale checksum.
    QByteArray img = ReadFile(Path("a.img"));
    img[16210] = static_cast<char>(img[16210] + 1);
    WriteFile(Path("b.img"), img + QByteArray(169, '\x7f'));
    const Result raw = RunCli({QStringLiteral("info"), Path("b.img")});
    EXPECT_EQ(raw.exitCode, 0);
    EXPECT_TRUE(raw.out.contains(QStringLiteral("Settings source:             ReadRadio")));
    EXPECT_TRUE(raw.out.contains(QStringLiteral("Image checksum:              wrong")));
    ASSERT_EQ(RunCli({QStringLiteral("convert"), Path("b.img"), Path("b.rdf")}).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("b.rdf")).mid(424, 16211), img);
}

TEST_F(CliTest, FailuresPrintTheTextAndExitNonZero) {
    WriteFile(Path("short.rdf"), QByteArray(100, 'x'));
    const Result bad = RunCli({QStringLiteral("info"), Path("short.rdf")});
    EXPECT_NE(bad.exitCode, 0);
    EXPECT_EQ(bad.err, QStringLiteral("Not a radio data file:\n") + Path("short.rdf") + "\n");
    EXPECT_TRUE(bad.out.isEmpty());

    const Result noOut = RunCli({QStringLiteral("convert"), Path("short.rdf"), Path("x.img")});
    EXPECT_NE(noOut.exitCode, 0);
    EXPECT_TRUE(ReadFile(Path("x.img")).isEmpty()) << "nothing written after a failure";

    EXPECT_NE(RunCli({QStringLiteral("info")}).exitCode, 0);
    EXPECT_NE(RunCli({QStringLiteral("nonsense")}).exitCode, 0);
    for (const char* command : {"new", "info", "convert"}) {
        const Result help = RunCli({QString::fromLatin1(command), QStringLiteral("--help")});
        EXPECT_EQ(help.exitCode, 0) << command;
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: clonara-cli ") +
                                        QString::fromLatin1(command)))
            << help.out.toStdString();
    }
    const Result overview = RunCli({QStringLiteral("--help")});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_TRUE(overview.out.contains(QStringLiteral("convert")));
}

// Every fault of the simulator is an option of simulate, with its help; a
// count or byte index that is no whole number is refused before the
// pseudo-terminal opens.
TEST_F(CliTest, SimulateTakesEveryFaultOfTheSimulator) {
    const Result help = RunCli({QStringLiteral("simulate"), QStringLiteral("--help")});
    ASSERT_EQ(help.exitCode, 0);
    const QString text = help.out.simplified();
    for (const simulator::FaultOption& fault : simulator::FaultTable()) {
        const QString option = QStringLiteral("--") + QString::fromLatin1(fault.option);
        EXPECT_TRUE(text.contains(option)) << fault.option;
        EXPECT_TRUE(text.contains(QString::fromLatin1(fault.help))) << fault.option;
        if (fault.valueName == nullptr)
            continue;
        const Result bad = RunCli(
            {QStringLiteral("simulate"), QStringLiteral("send"), option, QStringLiteral("x")});
        EXPECT_EQ(bad.exitCode, 2) << fault.option;
        EXPECT_EQ(bad.err,
                  QStringLiteral("simulate: %1 needs a whole number of 0 or more.\n").arg(option));
        EXPECT_TRUE(bad.out.isEmpty()) << "no device printed";
    }
}

} // namespace
