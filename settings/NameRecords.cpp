#include "settings/NameRecords.h"

#include "radio/ValueTables.h"

namespace settings::rset::names {

QString Decode(const Byte* record) {
    return radio::DecodeCharacters(record, kLength);
}

void Encode(Byte* record, const QString& text) {
    radio::EncodeCharacters(record, kLength, text);
}

} // namespace settings::rset::names
