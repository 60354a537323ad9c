#include "document/TabTable.h"

#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

namespace document {

void TabTable::Fill() {
    Fill(m_radio.Image());
}

QString TabTable::RowLabel(int row) const {
    return row >= 1 && row <= Rows() ? m_radio.RowLabel(m_tab, row) : QString();
}

double TabTable::ColumnWidth(int col) const {
    return col >= 1 && col <= Columns() ? radio::ColumnWidth(m_tab, col) : 0.0;
}

bool TabTable::HoldsNoFrequency(const radio::ChannelDraft& d) {
    return d.rx.kind == radio::FrequencyEntry::Bad || d.tx.kind == radio::FrequencyEntry::Bad ||
           d.offset.value.kind == radio::FrequencyEntry::Bad;
}

void TabTable::Resize(int, int) {}

void TabTable::SetFormat(const outside::GridBlock&, const outside::CellFormat&) {}

} // namespace document
