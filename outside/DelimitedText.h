// Delimited text as spreadsheet programs write it: fields separated by a tab
// or a comma, records ended by LF, CRLF or CR, and fields in double quotes
// (a doubled quote stands for one) that may hold separators and line breaks.
// The grid's clipboard text and the channel list files both use it.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>
#include <QStringView>

namespace outside::delimited {

// Reads records one by one from a text. Malformed quoting never fails: a
// quote inside an unquoted field is an ordinary character, text after a
// closing quote is appended to the field, and an unclosed quote runs to the
// end of the text.
class Reader {
public:
    Reader(QStringView text, QChar separator) : m_text(text), m_separator(separator) {}
    // The next record's fields; false at the end of the text. A line end at
    // the very end of the text does not start another record.
    bool Next(QStringList& fields);
    // Position just after the last record read.
    qsizetype Position() const { return m_pos; }

private:
    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
};

// Every record of a text.
QList<QStringList> ReadAll(QStringView text, QChar separator);

// A field as it is written: in double quotes (inner quotes doubled) when it
// holds the separator, a double quote, a line feed or a carriage return;
// otherwise unchanged.
QString QuoteField(const QString& field, QChar separator);

// The separator of a text by its content: the first non-blank line's tabs
// and commas outside double quotes are counted; more tabs than commas (at
// least one) means tab, more commas means comma; a tie keeps fallback.
QChar DetectSeparator(QStringView text, QChar fallback);

} // namespace outside::delimited
