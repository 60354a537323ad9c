#include "radio/CellReading.h"

#include "outside/CellStore.h"
#include "radio/RadioModel.h"

#include <QRegularExpression>

#include <algorithm>

namespace radio::entry {

CellReading ReadFrequencyCell(const RadioModel& radio, const outside::CellStore& grid, int col,
                              int row) {
    const QString text = grid.Text(col, row).trimmed();
    if (text.isEmpty())
        return {};
    // Digits with one decimal mark, then kHz or MHz if anything.
    static const QRegularExpression form(
        QStringLiteral("^([0-9]+([.,][0-9]*)?|[.,][0-9]+) *(k|khz|m|mhz)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (!form.match(text).hasMatch())
        return {CellReading::Bad, 0};
    const Hz hz = radio.TextToFrequency(text);
    if (hz > 0)
        return {CellReading::Value, hz};
    // Nothing but zeros reads as 0; any other digit made a number too large
    // for a frequency.
    const bool nonZero = std::any_of(text.begin(), text.end(), [](QChar c) {
        return c >= QLatin1Char('1') && c <= QLatin1Char('9');
    });
    return {nonZero ? CellReading::Bad : CellReading::Zero, 0};
}

} // namespace radio::entry
