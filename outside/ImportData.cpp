#include "outside/ImportData.h"
#include "outside/RegularFile.h"

#include "outside/DelimitedText.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>
#include <optional>
#include <vector>

namespace outside {

namespace {

// Lower case, blanks and line breaks folded into single spaces, no blanks at
// either end.
QString NormalTitle(const QString& title) {
    return title.simplified().toCaseFolded();
}

// A channel list is nearly all ASCII: in UTF-16 every other byte is zero,
// while UTF-8 and Latin-1 lists hold no zero byte at all. Looks at the first
// few kilobytes; nullopt when they do not look like UTF-16.
std::optional<QStringConverter::Encoding> Utf16ByZeroBytes(const QByteArray& bytes) {
    constexpr qsizetype kPairsLooked = 4096;
    const qsizetype pairs = std::min(bytes.size() / 2, kPairsLooked);
    qsizetype zeroFirst = 0;  // zero as the first byte of a pair
    qsizetype zeroSecond = 0; // zero as the second byte
    for (qsizetype i = 0; i < pairs; ++i) {
        zeroFirst += bytes[2 * i] == '\0';
        zeroSecond += bytes[2 * i + 1] == '\0';
    }
    // Most pairs carry a zero on one side, next to none on the other.
    auto dominant = [&](qsizetype zeros, qsizetype other) {
        return pairs > 0 && zeros * 2 >= pairs && other * 8 <= zeros;
    };
    if (dominant(zeroSecond, zeroFirst))
        return QStringConverter::Utf16LE;
    if (dominant(zeroFirst, zeroSecond))
        return QStringConverter::Utf16BE;
    return std::nullopt;
}

QString DecodeText(const QByteArray& bytes) {
    auto bom = QStringConverter::encodingForData(bytes);
    if (!bom)
        bom = Utf16ByZeroBytes(bytes);
    if (bom && *bom != QStringConverter::Utf8) {
        QStringDecoder decoder(*bom);
        QString text = decoder(bytes);
        if (!text.isEmpty() && text.front() == QChar(0xFEFF))
            text.remove(0, 1);
        return text;
    }
    QByteArrayView view(bytes);
    if (view.startsWith("\xEF\xBB\xBF"))
        view = view.sliced(3);
    QStringDecoder utf8(QStringConverter::Utf8);
    QString text = utf8(view);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(view.data(), view.size());
}

bool IsBlank(const QStringList& fields) {
    for (const QString& field : fields) {
        if (std::any_of(field.begin(), field.end(), [](QChar c) { return !c.isSpace(); }))
            return false;
    }
    return true;
}

// Longer fields are no column titles.
constexpr int kMaxTitleLength = 100;

// Whether two normal titles name the same column: equal, or one is the other
// with a trailing "s".
bool SameTitle(const QString& t, const QString& n) {
    if (t.isEmpty() || n.isEmpty())
        return false;
    if (t == n)
        return true;
    const QLatin1Char s('s');
    return (t.size() + 1 == n.size() && n.endsWith(s) && n.startsWith(t)) ||
           (n.size() + 1 == t.size() && t.endsWith(s) && t.startsWith(n));
}

// The name index each file column feeds, when fields form a header line;
// empty otherwise. A header has more matching titles than other non-empty
// fields.
std::vector<int> HeaderMapping(const QStringList& fields, const QStringList& names) {
    QStringList normalNames;
    for (const QString& name : names)
        normalNames << NormalTitle(name);
    std::vector<int> mapping(static_cast<size_t>(fields.size()), -1);
    std::vector<bool> taken(static_cast<size_t>(names.size()), false);
    int matches = 0;
    int nonEmpty = 0;
    for (int k = 0; k < fields.size(); ++k) {
        if (fields[k].size() > kMaxTitleLength) {
            ++nonEmpty;
            continue;
        }
        const QString title = NormalTitle(fields[k]);
        if (title.isEmpty())
            continue;
        ++nonEmpty;
        for (int m = 0; m < names.size(); ++m) {
            if (!taken[static_cast<size_t>(m)] && SameTitle(title, normalNames[m])) {
                taken[static_cast<size_t>(m)] = true;
                mapping[static_cast<size_t>(k)] = m;
                ++matches;
                break;
            }
        }
    }
    if (matches == 0 || matches * 2 <= nonEmpty)
        return {};
    return mapping;
}

} // namespace

bool TitleMatchesName(const QString& title, const QString& name) {
    return title.size() <= kMaxTitleLength && SameTitle(NormalTitle(title), NormalTitle(name));
}

ImportResult ImportBytes(const QByteArray& bytes, const QString& fileName,
                         const ImportDataStruct& request) {
    ImportResult result;
    result.ok = true;
    const QString text = DecodeText(bytes);
    const QChar fallback =
        QFileInfo(fileName).suffix().compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0
            ? QLatin1Char('\t')
            : QLatin1Char(',');
    result.separator = outside::delimited::DetectSeparator(text, fallback);

    const QStringList* names = &request.names;
    int columnCount = static_cast<int>(names->size());
    std::vector<int> mapping;
    bool first = true;
    outside::delimited::Reader reader(text, result.separator);
    QStringList fields;
    QStringList row;
    while (reader.Next(fields)) {
        if (IsBlank(fields))
            continue;
        if (first) {
            first = false;
            if (request.chooseNames) {
                if (const QStringList* chosen = request.chooseNames(fields)) {
                    names = chosen;
                    columnCount = static_cast<int>(names->size());
                }
            }
            mapping = HeaderMapping(fields, *names);
            if (!mapping.empty()) {
                result.header = true;
                continue;
            }
        }
        row.clear();
        row.reserve(columnCount);
        for (int m = 0; m < columnCount; ++m)
            row.append(QString());
        for (int k = 0; k < fields.size(); ++k) {
            const int m =
                result.header
                    ? (k < static_cast<int>(mapping.size()) ? mapping[static_cast<size_t>(k)] : -1)
                    : (k < columnCount ? k : -1);
            if (m >= 0)
                row[m] = fields[k];
        }
        if (request.rowHandler)
            request.rowHandler(row, result.dataLines);
        ++result.dataLines;
    }
    return result;
}

ImportResult ImportData(const ImportDataStruct& request) {
    ImportResult result;
    QByteArray bytes;
    if (const auto reason = ReadRegularFile(request.path, kMaxImportFileSize + 1, bytes)) {
        result.message =
            QStringLiteral("Cannot open %1: %2").arg(QFileInfo(request.path).fileName(), *reason);
        return result;
    }
    if (bytes.size() > kMaxImportFileSize) {
        result.message = QStringLiteral("%1 is too large to be a channel list.")
                             .arg(QFileInfo(request.path).fileName());
        return result;
    }
    return ImportBytes(bytes, request.path, request);
}

} // namespace outside
