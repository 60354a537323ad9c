// What clonara-cli prints: a standard output that cannot be written fails
// the command, "-" stands for standard output, and control characters read
// from files never reach the terminal.
#include "document/RadioDocument.h"
#include "document/TextImportExport.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <cstring>

using testing_support::ReadFile;
using testing_support::WriteFile;

namespace {

using Outcome = testing_support::CliResult;

// Runs clonara-cli with its standard output into a file (such as /dev/full).
Outcome RunCliInto(const QStringList& arguments, const QString& outFile) {
    return testing_support::RunCli(arguments, {{}, outFile});
}

// Bytes a terminal takes as commands: C0 controls but tab and line feed,
// DEL, and C1 controls as UTF-8 encodes them.
QByteArray ControlBytes(const QByteArray& text) {
    QByteArray found;
    for (int i = 0; i < text.size(); ++i) {
        const auto c = static_cast<quint8>(text[i]);
        if ((c < 0x20 && c != '\n' && c != '\t') || c == 0x7F)
            found += text[i];
        if (c == 0xC2 && i + 1 < text.size() && static_cast<quint8>(text[i + 1]) >= 0x80 &&
            static_cast<quint8>(text[i + 1]) <= 0x9F)
            found += text.mid(i, 2);
    }
    return found;
}

class CliOutput : public ::testing::Test {
protected:
    void SetUp() override {
        document::RadioDocument doc;
        ASSERT_FALSE(doc.Save(Path("in.rdf")));
        ASSERT_FALSE(document::textio::ExportFile(doc.Radio(), nullptr, Path("list.csv")));
    }
    QString Path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir;
};

TEST_F(CliOutput, AStandardOutputThatCannotBeWrittenFailsTheCommand) {
    const QString in = Path("in.rdf");
    const QList<QStringList> commands = {
        {"show", in},
        {"show", in, "-"},
        {"info", in},
        {"export", in, "-"},
        {"import", in, Path("list.csv"), "--output", Path("out.rdf")},
        {"port"},
        {"help"},
        {"show", "--help"},
    };
    for (const QStringList& command : commands) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const Outcome full = RunCliInto(command, QStringLiteral("/dev/full"));
        EXPECT_NE(full.exitCode, 0);
        EXPECT_TRUE(full.err.endsWith("Error writing standard output:\nNo space left on device\n"))
            << full.err.toStdString();
        const Outcome fine = RunCliInto(command, QString());
        EXPECT_EQ(fine.exitCode, 0) << fine.err.toStdString();
        EXPECT_FALSE(fine.out.isEmpty());
    }
}

TEST_F(CliOutput, ADashIsStandardOutput) {
    const QString in = Path("in.rdf");
    const Outcome list = RunCliInto({"export", in, "-"}, QString());
    ASSERT_EQ(list.exitCode, 0);
    ASSERT_EQ(RunCliInto({"export", in, Path("list.csv")}, QString()).exitCode, 0);
    EXPECT_EQ(list.out, ReadFile(Path("list.csv"))) << "comma-delimited, byte for byte";
    EXPECT_FALSE(QFile::exists(Path("-")));

    const Outcome table = RunCliInto({"show", in, "--tab", "vfo"}, QString());
    ASSERT_EQ(table.exitCode, 0);
    EXPECT_EQ(RunCliInto({"show", in, "-", "--tab", "vfo"}, QString()).out, table.out);
    ASSERT_EQ(RunCliInto({"show", in, Path("vfo.tab"), "--tab", "vfo"}, QString()).exitCode, 0);
    EXPECT_EQ(ReadFile(Path("vfo.tab")), table.out);
}

TEST_F(CliOutput, ControlCharactersFromFilesAreNotPrinted) {
    // A file whose texts would set the terminal's title, clear the screen
    // and ring the bell, with a C1 control introducer too.
    const QByteArray hostile = "\x1b]0;owned\x07\x1b[2J\xc2\x9b"
                               "31m\x7f";
    document::RadioDocument doc;
    auto put = [&](int offset, int size, const QByteArray& text) {
        std::memset(doc.Block() + offset, 0, static_cast<size_t>(size));
        std::memcpy(doc.Block() + offset, text.constData(), static_cast<size_t>(text.size()));
    };
    put(radio::rdf::kRadioName, radio::rdf::kRadioNameSize, "VX" + hostile);
    put(radio::rdf::kSettingsSource, radio::rdf::kSettingsSourceSize, "src" + hostile);
    put(radio::rdf::kMemoryComments, radio::rdf::kCommentSize, "cm" + hostile);
    ASSERT_FALSE(doc.Save(Path("hostile.rdf")));
    put(radio::rdf::kTag, radio::rdf::kTagSize, "XXXX");
    ASSERT_FALSE(doc.Save(Path("foreign.rdf")));

    const QString hostileFile = Path("hostile.rdf");
    const struct {
        QStringList arguments;
        const char* shown; // the text as printed
    } cases[] = {
        {{"info", hostileFile}, "VX?]0;owned??[2J?31m?"},
        {{"info", hostileFile}, "src?]0;owned??[2J?31m?"},
        {{"show", hostileFile}, "cm?]0;owned??[2J"},
        {{"show", hostileFile, Path("shown.tab")}, nullptr},
        {{"info", Path("foreign.rdf")}, "Radio data file for different radio:\nVX?]0;owned"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const Outcome run = RunCliInto(c.arguments, QString());
        EXPECT_EQ(ControlBytes(run.out), QByteArray());
        EXPECT_EQ(ControlBytes(run.err), QByteArray());
        if (c.shown) {
            EXPECT_TRUE(run.out.contains(c.shown) || run.err.contains(c.shown))
                << run.out.toStdString() << run.err.toStdString();
        }
    }
    EXPECT_EQ(ControlBytes(ReadFile(Path("shown.tab"))), QByteArray());
    EXPECT_TRUE(ReadFile(Path("shown.tab")).contains("cm?]0;owned"));
}

} // namespace
