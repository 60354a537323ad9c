#include "outside/DelimitedText.h"

namespace outside::delimited {

namespace {
constexpr QChar kQuote = QLatin1Char('"');
constexpr QChar kLf = QLatin1Char('\n');
constexpr QChar kCr = QLatin1Char('\r');
} // namespace

bool Reader::Next(QStringList& fields) {
    fields.clear();
    const qsizetype n = m_text.size();
    if (m_pos >= n)
        return false;

    QString field;
    bool inQuotes = false;
    bool fieldStart = true;
    while (m_pos < n) {
        const QChar c = m_text[m_pos];
        if (inQuotes) {
            if (c == kQuote) {
                if (m_pos + 1 < n && m_text[m_pos + 1] == kQuote) {
                    field += kQuote;
                    m_pos += 2;
                    continue;
                }
                inQuotes = false;
                ++m_pos;
                continue;
            }
            // Copy a whole run of ordinary characters at once.
            qsizetype end = m_pos;
            while (end < n && m_text[end] != kQuote)
                ++end;
            field += m_text.mid(m_pos, end - m_pos);
            m_pos = end;
            continue;
        }
        if (c == m_separator) {
            fields.append(field);
            field.clear();
            fieldStart = true;
            ++m_pos;
            continue;
        }
        if (c == kLf || c == kCr) {
            ++m_pos;
            if (c == kCr && m_pos < n && m_text[m_pos] == kLf)
                ++m_pos;
            fields.append(field);
            return true;
        }
        if (c == kQuote && fieldStart) {
            inQuotes = true;
            fieldStart = false;
            ++m_pos;
            continue;
        }
        fieldStart = false;
        qsizetype end = m_pos;
        while (end < n) {
            const QChar e = m_text[end];
            if (e == m_separator || e == kLf || e == kCr)
                break;
            ++end;
        }
        field += m_text.mid(m_pos, end - m_pos);
        m_pos = end;
    }
    fields.append(field);
    return true;
}

QList<QStringList> ReadAll(QStringView text, QChar separator) {
    QList<QStringList> records;
    Reader reader(text, separator);
    QStringList fields;
    while (reader.Next(fields))
        records.append(fields);
    return records;
}

QString QuoteField(const QString& field, QChar separator) {
    bool needs = false;
    for (const QChar c : field) {
        if (c == separator || c == kQuote || c == kLf || c == kCr) {
            needs = true;
            break;
        }
    }
    if (!needs)
        return field;
    QString quoted;
    quoted.reserve(field.size() + 2);
    quoted += kQuote;
    for (const QChar c : field) {
        if (c == kQuote)
            quoted += kQuote;
        quoted += c;
    }
    quoted += kQuote;
    return quoted;
}

QChar DetectSeparator(QStringView text, QChar fallback) {
    qsizetype pos = 0;
    const qsizetype n = text.size();
    while (pos < n) {
        int tabs = 0;
        int commas = 0;
        bool inQuotes = false;
        bool blank = true;
        for (; pos < n; ++pos) {
            const QChar c = text[pos];
            if (c == kQuote)
                inQuotes = !inQuotes;
            if (!inQuotes && (c == kLf || c == kCr))
                break;
            if (!c.isSpace())
                blank = false;
            if (inQuotes)
                continue;
            if (c == QLatin1Char('\t'))
                ++tabs;
            else if (c == QLatin1Char(','))
                ++commas;
        }
        ++pos;
        if (blank && tabs == 0)
            continue;
        if (tabs > commas)
            return QLatin1Char('\t');
        if (commas > tabs)
            return QLatin1Char(',');
        return fallback;
    }
    return fallback;
}

} // namespace outside::delimited
