// Delimited text and the import reader on hand-written files.
#include "outside/ImportData.h"
#include "outside/DelimitedText.h"

#include "support/TestSupport.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Records = QList<QStringList>;

TEST(DelimitedText, ReaderCases) {
    struct Case {
        const char* text;
        char separator;
        Records records;
    } cases[] = {
        {"", ',', {}},
        {"a,b,c", ',', {{"a", "b", "c"}}},
        {"a,b\n", ',', {{"a", "b"}}},
        {"a,b\r\nc,d\r\n", ',', {{"a", "b"}, {"c", "d"}}},
        {"a\rb\r", ',', {{"a"}, {"b"}}},
        {"a,,\n", ',', {{"a", "", ""}}},
        {"\n\n", ',', {{""}, {""}}},
        {"\"x,y\",z", ',', {{"x,y", "z"}}},
        {"\"line\r\nbreak\"\tz", '\t', {{"line\r\nbreak", "z"}}},
        {"\"say \"\"hi\"\"\",1", ',', {{"say \"hi\"", "1"}}},
        {"ab\"c,d", ',', {{"ab\"c", "d"}}},   // a quote inside a field is a character
        {"\"ab\"cd,e", ',', {{"abcd", "e"}}}, // text after the closing quote stays
        {"\"open,to the end\nx", ',', {{"open,to the end\nx"}}}, // never closed
        {"a,b", '\t', {{"a,b"}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(
            outside::delimited::ReadAll(QString::fromLatin1(c.text), QLatin1Char(c.separator)),
            c.records)
            << c.text;
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
    EXPECT_EQ(outside::delimited::DetectSeparator(u"lonely", tab), tab);
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

TEST_F(Import, HeaderMatchedByNameInAnyOrderAndCase) {
    const auto result =
        Run(Write("h.csv", "NAME,comment, receive  frequency ,Unknown\nAB,c1,146.52,zz\n"));
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.header);
    EXPECT_EQ(result.separator, QChar(','));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (QStringList{"", "146.52", "AB", "c1"}));
    EXPECT_EQ(indexes, (QList<int>{0}));
}

TEST_F(Import, NoHeaderTakesTheColumnsInOrder) {
    const auto result = Run(Write("n.csv", "1,146.52,AB,c\n2,145.5\n\n3,144,CD,e,surplus\n"));
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.header);
    ASSERT_EQ(rows.size(), 3); // the blank line is skipped and not counted
    EXPECT_EQ(rows[1], (QStringList{"2", "145.5", "", ""})); // padded
    EXPECT_EQ(rows[2], (QStringList{"3", "144", "CD", "e"}));
    EXPECT_EQ(indexes, (QList<int>{0, 1, 2}));
}

TEST_F(Import, ADataLineWithOneKeywordIsNoHeader) {
    // "Name" appears as a value, but most fields are no titles.
    Run(Write("d.csv", "1,146.52,Name,x\n"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][2], "Name");
}

TEST_F(Import, QuotesCrlfAndTabsByContent) {
    // A .csv file that is really tab-delimited, with CRLF and quoted fields.
    const auto result =
        Run(Write("q.csv", "Channel Number\tReceive Frequency\tName\tComments\r\n"
                           "7\t146.52000\t\"A\tB\"\t\"two\r\nlines, \"\"quoted\"\"\"\r\n"));
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.separator, QChar('\t'));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0], (QStringList{"7", "146.52000", "A\tB", "two\r\nlines, \"quoted\""}));
}

TEST_F(Import, ExtensionDecidesOnlyWithoutSeparators) {
    Run(Write("one.tab", "146.52\n"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0], "146.52");
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

TEST_F(Import, TextEncodings) {
    // UTF-8 with a byte order mark; Latin-1 when the bytes are no UTF-8;
    // UTF-16 with its byte order mark.
    Run(Write("u8.csv", "\xEF\xBB\xBF"
                        "1,146.52,Caf\xC3\xA9\n"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][0], "1");
    EXPECT_EQ(rows[0][2], QString::fromUtf8("Caf\xC3\xA9"));

    Run(Write("l1.csv", "1,146.52,Caf\xE9\n"));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][2], QString::fromUtf8("Caf\xC3\xA9"));

    QString text = QStringLiteral("\uFEFFName\tComments\r\nAB\tx\r\n");
    QByteArray utf16(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
    Run(Write("u16.txt", utf16));
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0][2], "AB");
    EXPECT_EQ(rows[0][3], "x");

    // UTF-16 without a byte order mark, either byte order: told by its zero
    // bytes.
    const QString plain = QString::fromUtf8("Name,Comments\r\nCaf\xC3\xA9,x\r\n");
    for (const auto encoding : {QStringConverter::Utf16LE, QStringConverter::Utf16BE}) {
        QStringEncoder encode(encoding);
        const QByteArray bytes = encode(plain);
        ASSERT_FALSE(bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"));
        Run(Write("bare16.csv", bytes));
        ASSERT_EQ(rows.size(), 1) << encoding;
        EXPECT_EQ(rows[0][2], QString::fromUtf8("Caf\xC3\xA9"));
        EXPECT_EQ(rows[0][3], "x");
    }
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
