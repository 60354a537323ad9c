// The program's string table: column headers and tab-separated choice lists,
// kept under their string ids. Texts are the radio editor's own, exactly.
#pragma once

#include <QString>
#include <QStringList>

#include <utility>
#include <vector>

namespace radio {

namespace str {
constexpr int kAppTitle = 128;
constexpr int kHeaderReceive = 130;
constexpr int kHeaderTransmit = 131;
constexpr int kHeaderOffset = 132;
constexpr int kHeaderDirection = 133;
constexpr int kHeaderMode = 134;
constexpr int kHeaderName = 135;
constexpr int kHeaderPreferential = 136;
constexpr int kHeaderToneMode = 137;
constexpr int kHeaderCtcss = 138;
constexpr int kHeaderDcs = 139;
constexpr int kHeaderStep = 140;
constexpr int kHeaderClockShift = 141;
constexpr int kHeaderHalfDeviation = 142;
constexpr int kHeaderComment = 143;
constexpr int kListDirection = 144;
constexpr int kListMode = 145;
constexpr int kListToneMode = 146;
constexpr int kListOffset = 147;
constexpr int kListPower = 159;
constexpr int kListStep = 160;
constexpr int kListIcon = 161;
constexpr int kHeaderSkip = 162;
constexpr int kHeaderMask = 163;
constexpr int kListOperationBand = 164;
constexpr int kHeaderPower = 165;
constexpr int kHeaderIcon = 166;
constexpr int kHeaderDualReceive = 167;
constexpr int kHeaderOperationBand = 168;
constexpr int kHeaderSpectrumCenter = 169;
constexpr int kHeaderTapStartBand = 170;
constexpr int kHeaderDualSpectrumStart = 171;
constexpr int kHeaderStatus = 172;
constexpr int kAppTitleFramework = 57344;
} // namespace str

// The text of a string id; empty for an unknown id.
QString LoadString(int id);

// A choice-list string split at its tab characters.
QStringList LoadList(int id);

// The items of a choice list that earlier versions spelt otherwise ("DSC(TX)"
// for "DCS(TX)"), each with its item's index. Files written then still hold
// them, so readers take them; nothing writes them.
std::vector<std::pair<QString, int>> OldListSpellings(int id);

} // namespace radio
