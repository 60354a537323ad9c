#include "radio/StringTable.h"

#include <unordered_map>

namespace radio {

namespace {

QString IconList() {
    QStringList items;
    for (int i = 1; i <= 30; ++i)
        items << QString::number(i);
    return items.join(QLatin1Char('\t'));
}

const std::unordered_map<int, QString>& Table() {
    static const std::unordered_map<int, QString> table = {
        {str::kAppTitle, QStringLiteral("Clonara")},
        {str::kAppTitleFramework, QStringLiteral("Clonara")},
        {str::kHeaderReceive, QStringLiteral("Receive\nFrequency")},
        {str::kHeaderTransmit, QStringLiteral("Transmit\nFrequency")},
        {str::kHeaderOffset, QStringLiteral("Offset\nFrequency")},
        {str::kHeaderDirection, QStringLiteral("Offset\nDirection")},
        {str::kHeaderMode, QStringLiteral("Operating\nMode")},
        {str::kHeaderName, QStringLiteral("Name")},
        {str::kHeaderPreferential, QStringLiteral("Preferential\nScan")},
        {str::kHeaderToneMode, QStringLiteral("Tone\nMode")},
        {str::kHeaderCtcss, QStringLiteral("CTCSS\nTone")},
        {str::kHeaderDcs, QStringLiteral("DCS\nCode")},
        {str::kHeaderStep, QStringLiteral("Frequency\nStep")},
        {str::kHeaderClockShift, QStringLiteral("Clock\nShift")},
        {str::kHeaderHalfDeviation, QStringLiteral("Half\nDeviation")},
        {str::kHeaderComment, QStringLiteral("Comment")},
        {str::kListDirection, QStringLiteral("Simplex\tMinus\tPlus\tSplit")},
        {str::kListMode, QStringLiteral("FM\tAM\tWFM")},
        {str::kListToneMode,
         QStringLiteral("None\tEncode\tDecode\tDCS\tDCS(TX)\tENC(TX)DCS(RX)\tDCS(TX)DEC(RX)")},
        {str::kListOffset,
         QStringLiteral("500 kHz\t600 kHz\t1.00 MHz\t1.60 MHz\t3.00 MHz\t5.00 MHz\t7.60 MHz")},
        {str::kListPower, QStringLiteral("Low 1\tLow 2\tLow 3\tHigh")},
        // Records may hold step 8 (9 kHz); the list carries it so that such a
        // row shows its step and keeps it when written back.
        {str::kListStep, QStringLiteral("5 kHz\t10 kHz\t12.5 kHz\t15 kHz\t20 kHz\t25 kHz\t50 "
                                        "kHz\t100 kHz\t9 kHz")},
        {str::kListIcon, IconList()},
        {str::kHeaderSkip, QStringLiteral("Skip")},
        {str::kHeaderMask, QStringLiteral("Mask")},
        {str::kListOperationBand, QStringLiteral("Main\tSub")},
        {str::kHeaderPower, QStringLiteral("Tx\nPower")},
        {str::kHeaderIcon, QStringLiteral("Icon")},
        {str::kHeaderDualReceive, QStringLiteral("Dual\nReceive")},
        {str::kHeaderOperationBand, QStringLiteral("Operation\nBand")},
        {str::kHeaderSpectrumCenter, QStringLiteral("Spectrum Center Frequency")},
        {str::kHeaderTapStartBand, QStringLiteral("Tap Start Band")},
        {str::kHeaderDualSpectrumStart, QStringLiteral("Dual Spectrum Start")},
        {str::kHeaderStatus, QStringLiteral("Status")},
    };
    return table;
}

} // namespace

QString LoadString(int id) {
    const auto& table = Table();
    const auto it = table.find(id);
    return it == table.end() ? QString() : it->second;
}

std::vector<std::pair<QString, int>> OldListSpellings(int id) {
    switch (id) {
    case str::kListToneMode:
        return {{QStringLiteral("DSC(TX)"), 4}};
    case str::kListStep:
        return {{QStringLiteral("100kHz"), 7}};
    default:
        return {};
    }
}

QStringList LoadList(int id) {
    return LoadString(id).split(QLatin1Char('\t'));
}

} // namespace radio
