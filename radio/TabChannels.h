// What the typing rules and the row commands read and change of a tab: the
// channel drafts of its rows, the in-use mark of a hyper memory, and the
// members of the memory groups. The document's tables hold these values and
// implement it; a rule that changed a row says so, and whoever shows the
// table draws the row again.
#pragma once

#include "radio/ChannelDraft.h"

namespace radio {

class TabChannels {
public:
    virtual ~TabChannels() = default;

    // The channel of a row (rows count from 1): set 0 is a channel list's
    // row, sets 1 and 2 are receiver sets A and B of a hyper memory. Null
    // where the tab has no such channel.
    virtual const ChannelDraft* Channel(int row, int set) const = 0;
    ChannelDraft* Channel(int row, int set) {
        return const_cast<ChannelDraft*>(static_cast<const TabChannels&>(*this).Channel(row, set));
    }
    // Whether a hyper memory is marked in use; false on the other tabs.
    virtual bool MarkedInUse(int /*row*/) const { return false; }
    // A member of a memory group (groups and rows count from 1): its channel
    // number from 1, 0 for the list's empty item, -1 for an empty cell (and
    // on the other tabs). Members keep the order of their channel numbers.
    virtual int GroupMember(int /*group*/, int /*row*/) const { return -1; }
    virtual void SetGroupMember(int /*group*/, int /*row*/, int /*member*/) {}

    // A rule changed a row's values.
    virtual void RowChanged(int row) = 0;
};

} // namespace radio
