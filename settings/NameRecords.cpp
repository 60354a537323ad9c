#include "settings/NameRecords.h"

#include "radio/ValueTables.h"

namespace rset::names {

QString Decode(const Byte* record) {
    return vx7::DecodeCharacters(record, kLength);
}

void Encode(Byte* record, const QString& text) {
    vx7::EncodeCharacters(record, kLength, text);
}

} // namespace rset::names
