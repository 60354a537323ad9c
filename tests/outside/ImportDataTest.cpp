// Delimited text and the import reader on hand-written files.
#include "outside/ImportData.h"
#include "outside/DelimitedText.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTextStream>

#include <gtest/gtest.h>

namespace {

using Records = QList<QStringList>;

TEST(DelimitedText, ReaderCases) {
    const auto unescape = [](QString text) {
        return text.replace(QLatin1String("\\n"), QLatin1String("\n"))
            .replace(QLatin1String("\\r"), QLatin1String("\r"))
            .replace(QLatin1String("\\t"), QLatin1String("\t"));
    };
    for (const auto& [line, f] : testing_support::DataLines("delimited.txt")) {
        Records records;
        for (const QString& record : f.mid(2))
            records << unescape(record).split(QLatin1Char('|'));
        EXPECT_EQ(outside::delimited::ReadAll(unescape(f.value(1)), unescape(f[0]).at(0)), records)
            << line.toStdString();
    }
}

TEST(DelimitedText, QuoteFieldOnlyWhenNeeded) {
    const QChar comma(',');
    EXPECT_EQ(outside::delimited::QuoteField("Simplex", comma), "Simplex");
    EXPECT_EQ(outside::delimited::QuoteField("a\tb", comma), "a\tb");
    EXPECT_EQ(outside::delimited::QuoteField("a,b", comma), "\"a,b\"");
    EXPECT_EQ(outside::delimited::QuoteField("a\tb", QChar('\t')), "\"a\tb\"");
    EXPECT_EQ(outside::delimited::QuoteField("5\" dish", comma), "\"5\"\" dish\"");
    EXPECT_EQ(outside::delimited::QuoteField("x\ny", comma), "\"x\ny\"");
    EXPECT_EQ(outside::delimited::QuoteField("x\ry", comma), "\"x\ry\"");
    // What is quoted reads back as it was.
    for (const char* field : {"a,b", "\"", "x\r\ny", ",\"\n"}) {
        const QString line = outside::delimited::QuoteField(field, comma) + ",end";
        EXPECT_EQ(outside::delimited::ReadAll(line, comma), (Records{{field, "end"}})) << field;
    }
}

TEST(DelimitedText, SeparatorByContent) {
    const QChar tab('\t');
    const QChar comma(',');
    EXPECT_EQ(outside::delimited::DetectSeparator(u"a\tb\tc,d", comma), tab);
    EXPECT_EQ(outside::delimited::DetectSeparator(u"a,b,c\td", tab), comma);
    EXPECT_EQ(outside::delimited::DetectSeparator(u"\"a\t\tb\",c", tab),
              comma); // quoted tabs do not count
    EXPECT_EQ(outside::delimited::DetectSeparator(u"\n  \nx,y", tab), comma); // blank lines skipped
    EXPECT_EQ(outside::delimited::DetectSeparator(u"lonely", comma), comma);
    EXPECT_EQ(outside::delimited::DetectSeparator(u"", tab), tab);
}

class Import : public ::testing::Test {
protected:
    QString Write(const char* name, const QByteArray& bytes) {
        const QString path = dir.filePath(QString::fromLatin1(name));
        testing_support::WriteFile(path, bytes);
        return path;
    }
    outside::ImportResult Run(const QString& path) {
        rows.clear();
        indexes.clear();
        outside::ImportDataStruct request;
        request.names = {"Channel Number", "Receive Frequency", "Name", "Comments"};
        request.path = path;
        request.rowHandler = [this](const QStringList& fields, int index) {
            rows.append(fields);
            indexes.append(index);
        };
        return outside::ImportData(request);
    }
    QTemporaryDir dir;
    Records rows;
    QList<int> indexes;
};

// Each file gives its rows in the order of the names asked for; blank lines
// are skipped and not counted.
TEST_F(Import, FilesGiveTheirRows) {
    const auto utf16 = [](QStringConverter::Encoding encoding, const char* text) {
        QStringEncoder encode(encoding);
        return QByteArray(encode(QString::fromUtf8(text)));
    };
    const QStringList cafe = {"1", "146.52", QString::fromUtf8("Caf\xC3\xA9"), ""};
    const QStringList cafeX = {"", "", QString::fromUtf8("Caf\xC3\xA9"), "x"};
    const struct {
        const char* name;
        QByteArray bytes;
        int header; // 1: the first line is titles
        char separator;
        Records rows;
    } cases[] = {
        // Titles by name in any order and case.
        {"h.csv",
         "NAME,comment, receive  frequency ,Unknown\nAB,c1,146.52,zz\n",
         1,
         ',',
         {{"", "146.52", "AB", "c1"}}},
        // Without titles the columns in order, padded and cut.
        {"n.csv",
         "1,146.52,AB,c\n2,145.5\n\n3,144,CD,e,surplus\n",
         0,
         ',',
         {{"1", "146.52", "AB", "c"}, {"2", "145.5", "", ""}, {"3", "144", "CD", "e"}}},
        // "Name" as a value: most fields are no titles.
        {"d.csv", "1,146.52,Name,x\n", 0, ',', {{"1", "146.52", "Name", "x"}}},
        // A .csv file that is really tab-delimited, with CRLF and quoted fields.
        {"q.csv",
         "Channel Number\tReceive Frequency\tName\tComments\r\n"
         "7\t146.52000\t\"A\tB\"\t\"two\r\nlines, \"\"quoted\"\"\"\r\n",
         1,
         '\t',
         {{"7", "146.52000", "A\tB", "two\r\nlines, \"quoted\""}}},
        // The extension decides only without separators.
        {"one.tab", "146.52\n", 0, '\t', {{"146.52", "", "", ""}}},
        // UTF-8 with a byte order mark; Latin-1 when the bytes are no UTF-8;
        // UTF-16 with its mark, or without, in either byte order.
        {"u8.csv",
         "\xEF\xBB\xBF"
         "1,146.52,Caf\xC3\xA9\n",
         0,
         ',',
         {cafe}},
        {"l1.csv", "1,146.52,Caf\xE9\n", 0, ',', {cafe}},
        {"u16.txt",
         utf16(QStringConverter::Utf16, "\xEF\xBB\xBFName\tComments\r\nAB\tx\r\n"),
         1,
         '\t',
         {{"", "", "AB", "x"}}},
        {"le16.csv",
         utf16(QStringConverter::Utf16LE, "Name,Comments\r\nCaf\xC3\xA9,x\r\n"),
         1,
         ',',
         {cafeX}},
        {"be16.csv",
         utf16(QStringConverter::Utf16BE, "Name,Comments\r\nCaf\xC3\xA9,x\r\n"),
         1,
         ',',
         {cafeX}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto result = Run(Write(c.name, c.bytes));
        ASSERT_TRUE(result.ok);
        EXPECT_EQ(result.header, c.header == 1);
        EXPECT_EQ(result.separator, QChar(c.separator));
        EXPECT_EQ(rows, c.rows);
        for (int i = 0; i < indexes.size(); ++i)
            EXPECT_EQ(indexes[i], i);
    }
}

TEST_F(Import, GarbageLinesAreHandedOverSafely) {
    QByteArray garbage("\x01\x02\xff\xfe,\0,\"\n,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,\n", 40);
    const auto result = Run(Write("g.csv", garbage));
    EXPECT_TRUE(result.ok);
    for (const auto& row : rows)
        EXPECT_EQ(row.size(), 4);
}

TEST_F(Import, ATenMegabyteLineIsTakenWhole) {
    const QByteArray huge(10 * 1024 * 1024, 'x');
    const auto result = Run(Write("big.csv", "1,146.52," + huge + ",c\n2,145.5,AB,d\n"));
    ASSERT_TRUE(result.ok);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0][2].size(), huge.size());
    EXPECT_EQ(rows[0][3], "c");
    EXPECT_EQ(rows[1][2], "AB");
}

TEST_F(Import, UnreadableFilesAreReportedAndHandNothingOver) {
    auto result = Run(dir.filePath("missing.csv"));
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.message.startsWith("Cannot open missing.csv: "))
        << result.message.toStdString();
    EXPECT_TRUE(rows.isEmpty());

    const QString big = dir.filePath("huge.csv");
    {
        QFile file(big);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(outside::kMaxImportFileSize + 1)); // sparse
    }
    result = Run(big);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.message, "huge.csv is too large to be a channel list.");
    EXPECT_TRUE(rows.isEmpty());
}

TEST(ImportTitles, CommentMatchesComments) {
    EXPECT_TRUE(outside::TitleMatchesName("Comment", "Comments"));
    EXPECT_TRUE(outside::TitleMatchesName("COMMENTS", "Comment"));
    EXPECT_TRUE(outside::TitleMatchesName("Receive\nFrequency", "Receive Frequency"));
    EXPECT_FALSE(outside::TitleMatchesName("Comme", "Comments"));
    EXPECT_FALSE(outside::TitleMatchesName("", "Name"));
    EXPECT_FALSE(outside::TitleMatchesName("Skipped", "Skip"));
}

} // namespace
