// The choice lists of the channel columns: the items a list cell offers, made
// once and shared by every grid of every document and by the channel drafts.
#pragma once

#include "outside/CellTable.h"
#include "radio/ChannelColumns.h"

namespace radio {

// The items of a choice list; null for ChoiceList::None. The offset and mode
// lists take typed texts too.
const outside::ChoiceListPtr& ChoiceItems(ChoiceList list);

} // namespace radio
