// The reader behind the Import command: it cuts a tab- or comma-delimited
// channel list into fields and hands each data line to a row handler.
//
// - The separator is decided by the content (tabs or commas outside quotes on
//   the first line); only a file that shows neither goes by its extension
//   (".tab" is tab-delimited, anything else comma-delimited).
// - Fields may be in double quotes (a doubled quote stands for one) and then
//   hold separators and line breaks; lines end in LF, CRLF or CR.
// - A first line whose titles match the column names (without regard to case
//   or blanks, a trailing "s" aside: "Comment" matches "Comments") is a header:
//   it says which file column feeds which field; columns it does not name are
//   ignored. Without a header the file's columns are taken in the order of
//   the names.
// - Fields are handed over whole, whatever their length; short lines are
//   padded with empty fields, surplus fields dropped, blank lines skipped.
// - Text is UTF-8 (a byte order mark is skipped), UTF-16 with a byte order
//   mark or without one (told by its zero bytes), or else Latin-1.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace outside {

struct ImportDataStruct {
    // The fields every data line is handed over with, by name.
    QStringList names;
    // The file to read.
    QString path;
    // Called once per data line in file order, with names.size() fields and
    // the line's index among the data lines, counted from 0.
    std::function<void(const QStringList& fields, int lineIndex)> rowHandler;
    // When set, called once with the first non-blank line's fields before
    // the header is looked for: it may return other names for the file
    // (a list of another program, told by its titles); nullptr keeps names.
    std::function<const QStringList*(const QStringList& firstLine)> chooseNames;
};

struct ImportResult {
    bool ok = false;
    // Why the file could not be read (when ok is false).
    QString message;
    // Data lines handed to the row handler.
    int dataLines = 0;
    // Whether the first line was taken as a header.
    bool header = false;
    QChar separator;
};

// Files larger than this are refused: no channel list comes near it.
constexpr qint64 kMaxImportFileSize = 64 * 1024 * 1024;

// Reads the file and feeds the row handler. ok is false only when the file
// cannot be read (then nothing was handed over).
ImportResult ImportData(const ImportDataStruct& request);

// The same on bytes already read; fileName decides the separator of a file
// without tabs or commas.
ImportResult ImportBytes(const QByteArray& bytes, const QString& fileName,
                         const ImportDataStruct& request);

// Whether a header title names a column name.
bool TitleMatchesName(const QString& title, const QString& name);

} // namespace outside
