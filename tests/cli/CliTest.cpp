// clonara-cli as a whole program: new, info, convert and their failures, and
// the options of simulate.
#include "radio/RadioModel.h"
#include "simulator/RadioSimulator.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

using Result = testing_support::CliText;

Result RunCli(const QStringList& arguments) {
    return testing_support::AsText(testing_support::RunCli(arguments));
}

// A program that waits on its input is counted a hang after ten seconds, so
// that a regression fails and does not hold the suite up.
Result
RunWatched(const QStringList& arguments, const QByteArray& input = {},
           const QString& outputFile = {},
           const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    return testing_support::AsText(
        testing_support::RunCli(arguments, {input, outputFile, environment, 10000}));
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

    // What info prints for a document is the data files' suite's (tests/data/*.info).
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

// A pipe, a socket or a device given where a file is read is refused at
// once, by every command and for every file it reads; "-" reads standard
// input on purpose.
TEST_F(CliTest, InputsThatAreNoRegularFilesAreRefusedAtOnce) {
    const QString doc = Path("doc.rdf");
    ASSERT_EQ(RunCli({QStringLiteral("new"), doc}).exitCode, 0);
    ASSERT_EQ(RunCli({QStringLiteral("settings"), QStringLiteral("export"), doc, Path("in.rsf")})
                  .exitCode,
              0);
    ASSERT_EQ(RunCli({QStringLiteral("export"), doc, Path("list.csv")}).exitCode, 0);

    const QString pipe = Path("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0644), 0);
    const QString socketPath = Path("socket");
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray socketName = QFile::encodeName(socketPath);
    ASSERT_LT(static_cast<size_t>(socketName.size()), sizeof address.sun_path);
    std::copy(socketName.begin(), socketName.end(), address.sun_path);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(listener, 1), 0);
    QStringList specials{pipe, socketPath};
    // A device node of the test's own (as /dev/null), where one may be made.
    if (::mknod(QFile::encodeName(Path("device")).constData(), S_IFCHR | 0666, makedev(1, 3)) == 0)
        specials << Path("device");
    QFile::link(pipe, Path("link.rdf"));
    specials << Path("link.rdf");

    const QString s = QStringLiteral("%1"); // where the special file goes
    const QStringList commands[] = {
        {"info", s},
        {"show", s},
        {"convert", s, Path("out.img")},
        {"export", s, Path("out.csv")},
        {"diff", s, doc},
        {"diff", doc, s},
        {"print", s, Path("out.pdf")},
        {"settings", "show", s},
        {"settings", "export", s, Path("out.rsf")},
        {"settings", "import", s, Path("in.rsf")},
        {"settings", "import", doc, s, "--output", Path("out.rdf")},
        {"upload", "--port", "/dev/ttyUSB9-clonara", s},
        {"import", s, Path("list.csv"), "--output", Path("out.rdf")},
        {"import", doc, s, "--output", Path("out.rdf")},
    };
    for (const QString& special : specials) {
        for (const QStringList& command : commands) {
            QStringList arguments;
            for (const QString& argument : command)
                arguments << (argument == s ? special : argument);
            SCOPED_TRACE(arguments.join(' ').toStdString());
            const Result run = RunWatched(arguments);
            EXPECT_NE(run.exitCode, 0);
            EXPECT_NE(run.exitCode, -2) << "it waits on the file";
            EXPECT_TRUE(run.err.contains(QStringLiteral("It is not a regular file")))
                << run.err.toStdString();
            EXPECT_FALSE(QFile::exists(Path("out.rdf")) || QFile::exists(Path("out.img")) ||
                         QFile::exists(Path("out.pdf")));
        }
    }
    ::close(listener);

    // "-": standard input.
    const QByteArray bytes = ReadFile(doc);
    Result run = RunWatched({"diff", "-", doc}, bytes);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    run = RunWatched({"export", "-", Path("again.csv")}, bytes);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(Path("again.csv")), ReadFile(Path("list.csv")));
    run =
        RunWatched({"import", doc, "-", "--output", Path("piped.rdf")}, ReadFile(Path("list.csv")));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(ReadFile(Path("piped.rdf")), bytes);
    run = RunWatched({"print", "-", Path("piped.pdf")}, bytes);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(ReadFile(Path("piped.pdf")).startsWith("%PDF"));
    // A settings file is told by its first bytes, then read whole.
    const Result direct =
        RunCli({QStringLiteral("settings"), QStringLiteral("show"), Path("in.rsf")});
    run = RunWatched({"settings", "show", "-"}, ReadFile(Path("in.rsf")));
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, direct.out);
}

// Exit codes: 2 for wrong arguments in every command and for trouble in
// diff, never 0 when a promise was not kept.
TEST_F(CliTest, ExitCodesTellTheTruth) {
    const QString a = Path("a.rdf");
    const QString b = Path("b.img");
    ASSERT_EQ(RunCli({QStringLiteral("new"), a}).exitCode, 0);
    ASSERT_EQ(RunCli({QStringLiteral("convert"), a, b}).exitCode, 0);
    QByteArray image = ReadFile(b);
    image[2000] = static_cast<char>(image[2000] ^ 0x55); // a byte that differs
    WriteFile(b, image);
    ASSERT_EQ(RunCli({QStringLiteral("diff"), a, b}).exitCode, 1);
    ASSERT_EQ(
        RunCli({QStringLiteral("settings"), QStringLiteral("export"), a, Path("in.rsf")}).exitCode,
        0);
    QProcessEnvironment unwritable = QProcessEnvironment::systemEnvironment();
    WriteFile(Path("blocker"), "a file where the settings folder should be");
    unwritable.insert(QStringLiteral("XDG_CONFIG_HOME"), Path("blocker") + "/config");
    const struct {
        QStringList arguments;
        int exitCode;
        const char* err;
        QString outputFile = {};
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    } cases[] = {
        {{"show", a, "--tab", "nonsense"}, 2, "Unknown tab nonsense"},
        {{"export", a, Path("x.csv"), "--format", "nonsense"}, 2, "Unknown list format"},
        {{"print", a, Path("x.pdf"), "--tab", "nonsense"}, 2, "Unknown tab nonsense"},
        {{"simulate", "send", "--nak-after", "7"}, 2, "--nak-after takes 10 or 18"},
        {{"simulate", "send", "--speed", "0.5"}, 2, "--speed needs a factor"},
        // Standard input is no place to save to, nor a name to remember.
        {{"import", "-", Path("x.csv")}, 2, "is saved with --output OUT"},
        {{"settings", "import", "-", Path("in.rsf")}, 2, "is saved with --output OUT"},
        {{"settings", "import", a, "-", "--output", Path("c.rdf")}, 2, "remembered by its name"},
        // The differences cannot be written: trouble, not "they differ".
        {{"diff", a, b}, 2, "Error writing standard output", QStringLiteral("/dev/full")},
        {{"diff", a, a}, 0, "", QStringLiteral("/dev/full")},
        // The document is saved, but the settings file is not remembered.
        {{"settings", "import", a, Path("in.rsf"), "--output", Path("c.rdf")},
         1,
         "Could not remember the settings file",
         {},
         unwritable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Result run = RunWatched(c.arguments, {}, c.outputFile, c.environment);
        EXPECT_EQ(run.exitCode, c.exitCode) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.err))) << run.err.toStdString();
    }
}

// Exit statuses and messages, one command line a row
// (tests/data/cli-outcomes.txt).
TEST_F(CliTest, OutcomesOfTheCaseTable) {
    ASSERT_EQ(RunCli({"new", Path("doc.rdf")}).exitCode, 0);
    ASSERT_EQ(RunCli({"export", Path("doc.rdf"), Path("list.csv")}).exitCode, 0);
    const QByteArray list = ReadFile(Path("list.csv")), bad = "7,nonsense\n";
    WriteFile(Path("skipped.csv"), list + bad);
    WriteFile(Path("none.csv"), list.left(list.indexOf('\n') + 1) + bad);
    for (const char* name : {"short.img", "short.bin"})
        WriteFile(Path(name), ReadFile(Path("doc.rdf")).mid(424, 1000));
    for (const char* name : {"noise.img", "noise.bin"})
        WriteFile(Path(name), QByteArray(100, 'x'));
    WriteFile(Path("empty.img"), {});

    // "@NAME" is a file in the test's folder; "\n" a line break.
    auto expand = [this](QString text) {
        return text.replace(QStringLiteral("\\n"), QStringLiteral("\n"))
            .replace(QLatin1Char('@'), dir.path() + QLatin1Char('/'));
    };
    for (const auto& [line, f] : testing_support::DataLines("cli-outcomes.txt")) {
        SCOPED_TRACE(line.toStdString());
        const Result run = RunWatched(expand(f[0]).split(QLatin1Char(' ')));
        EXPECT_EQ(run.exitCode, f[1].toInt()) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains(expand(f[2]))) << run.out.toStdString();
        EXPECT_TRUE(run.err.contains(expand(f.value(3)))) << run.err.toStdString();
        // The file the command leaves, or (after "!") must not leave.
        const QString left = f.value(4);
        const bool kept = !left.startsWith(u'!');
        EXPECT_TRUE(left.isEmpty() || QFile::exists(expand(left.mid(kept ? 0 : 1))) == kept);
    }
}

} // namespace
