// What differs between two radios' memories, in the radio's terms: each
// channel table row by row with the columns that differ (old -> new), the
// memory groups' members, the priority channel, the settings bytes and any
// other bytes of the image by region.
#pragma once

#include <QString>
#include <QStringList>

namespace radio {
class RadioModel;
}

namespace document::diff {

// One line per difference, in table order then image order; empty when the
// two are the same.
QStringList Compare(radio::RadioModel& a, radio::RadioModel& b);

} // namespace document::diff
