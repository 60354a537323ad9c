#include "radio/RowCommands.h"

#include "outside/DelimitedText.h"
#include "radio/ChannelTables.h"
#include "radio/RadioModel.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace radio::rows {

namespace {

constexpr QChar kTab = QLatin1Char('\t');

} // namespace

bool Offered(int tab, Command command) {
    if (tab < 0 || tab >= tab::kCount)
        return false;
    switch (command) {
    case Command::Cut:
    case Command::Copy:
    case Command::Paste:
        return true;
    case Command::Insert:
    case Command::Delete:
    case Command::Sort:
        return tab != tab::kVfo && tab != tab::kHome && tab != tab::kGroups;
    case Command::Drag:
        return tab == tab::kLimit || tab == tab::kOneTouch || tab == tab::kHyper;
    case Command::SetPriority:
        return tab == tab::kMemories;
    }
    return false;
}

Kind KindOf(int tab) {
    if (tab == tab::kHyper)
        return Kind::Hyper;
    if (tab == tab::kGroups)
        return Kind::Groups;
    return Kind::ChannelList;
}

QString KindName(Kind kind) {
    switch (kind) {
    case Kind::ChannelList:
        return QStringLiteral("channels");
    case Kind::Hyper:
        return QStringLiteral("hyper memories");
    case Kind::Groups:
        return QStringLiteral("memory groups");
    }
    return QString();
}

int LastRow(int tab) {
    return TabRowCount(tab);
}

outside::GridBlock WholeRows(const outside::CellStore& grid, int r1, int r2) {
    return outside::GridBlock::Rows(r1, r2, 1, grid.MaxCols());
}

bool HoldsChannel(const TabChannels& channels, int tab, int row) {
    if (row < 1 || row > LastRow(tab))
        return false;
    if (tab == tab::kGroups) {
        for (int g = 1; g <= groupcol::kCount; ++g) {
            if (channels.GroupMember(g, row) > 0)
                return true;
        }
        return false;
    }
    if (channels.MarkedInUse(row))
        return true;
    for (const int set : {0, 1, 2}) {
        const ChannelDraft* d = channels.Channel(row, set);
        if (d && NamesChannel(d->rx))
            return true;
    }
    return false;
}

bool AnyHoldsChannel(const TabChannels& channels, int tab, int r1, int r2) {
    // From the last row down, as the question is asked about the top of the
    // table.
    for (int row = std::min(r2, LastRow(tab)); row >= std::max(r1, 1); --row) {
        if (HoldsChannel(channels, tab, row))
            return true;
    }
    return false;
}

bool FieldsHoldChannel(int tab, const QStringList& fields) {
    const auto field = [&fields](int col) {
        return col >= 1 && col <= fields.size() ? fields[col - 1] : QString();
    };
    if (tab == tab::kGroups)
        return std::any_of(fields.begin(), fields.end(),
                           [](const QString& f) { return !f.isEmpty(); });
    if (tab == tab::kHyper)
        return field(hypercol::kStatus) == QLatin1String("1") ||
               NamesChannel(field(hypercol::kSetAShift + channelcol::kReceive)) ||
               NamesChannel(field(hypercol::kSetBShift + channelcol::kReceive));
    return IsChannelListTab(tab) && NamesChannel(field(channelcol::kReceive));
}

void RowsFallingOff(int tab, int r1, int r2, int* first, int* last) {
    const int n = LastRow(tab);
    *first = std::max(n - (r2 - r1), 1);
    *last = n;
}

void InsertRows(outside::CellStore& grid, int tab, int r1, int r2) {
    const int n = std::min(LastRow(tab), grid.MaxRows());
    if (r1 < 1 || r2 < r1 || r1 > n)
        return;
    r2 = std::min(r2, n);
    const int count = r2 - r1 + 1;
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    // Rows r1 to n - count move down to r2 + 1; the last ones fall off.
    if (r1 <= n - count)
        grid.MoveBlock(WholeRows(grid, r1, n - count), 1, r2 + 1);
    ClearRows(grid, r1, r2);
    grid.SetRedraw(redraw);
}

void DeleteRows(outside::CellStore& grid, int tab, int r1, int r2) {
    const int n = std::min(LastRow(tab), grid.MaxRows());
    if (r1 < 1 || r2 < r1 || r1 > n)
        return;
    r2 = std::min(r2, n);
    const int count = r2 - r1 + 1;
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    if (r2 < n)
        grid.MoveBlock(WholeRows(grid, r2 + 1, n), 1, r1);
    ClearRows(grid, n - count + 1, n);
    grid.SetRedraw(redraw);
}

void ClearRows(outside::CellStore& grid, int r1, int r2) {
    grid.ClearBlock(WholeRows(grid, r1, r2), true);
}

QList<QStringList> ParseRows(const QString& text) {
    return outside::delimited::ReadAll(text, kTab);
}

int RowsPastEnd(int tab, int row, int count) {
    return std::max(0, row + count - 1 - LastRow(tab));
}

bool CopiedRowsFallOff(int tab, int row, const QList<QStringList>& copied) {
    const int count = static_cast<int>(copied.size());
    const int past = RowsPastEnd(tab, row, count);
    for (int k = count - past; k < count; ++k) {
        if (FieldsHoldChannel(tab, copied[k]))
            return true;
    }
    return false;
}

outside::GridBlock PasteRows(outside::CellStore& grid, int tab, int row, const QString& text) {
    const int n = std::min(LastRow(tab), grid.MaxRows());
    if (row < 1 || row > n)
        return outside::GridBlock{};
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    const outside::GridBlock written = grid.PasteText(1, row, text);
    grid.SetRedraw(redraw);
    return written;
}

bool MovedRowsFallOff(const TabChannels& channels, int tab, int r1, int r2, int dest) {
    const int landed = LastRow(tab) - dest; // the last source row that still lands: r1 + landed
    return AnyHoldsChannel(channels, tab, std::max(r1, r1 + landed + 1), r2);
}

void MoveRows(outside::CellStore& grid, int tab, int r1, int r2, int dest) {
    const int n = std::min(LastRow(tab), grid.MaxRows());
    if (r1 < 1 || r2 < r1 || r2 > n || dest < 1 || dest > n || dest == r1)
        return;
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    grid.MoveBlock(WholeRows(grid, r1, r2), 1, dest);
    grid.SetRedraw(redraw);
}

std::vector<int> SortRows(outside::CellStore& grid, int r1, int r2, int key1, int key2,
                          outside::CellStore::SortOrder order) {
    grid.SetSortKey(1, key1, order);
    if (key2 >= 1 && key2 != key1)
        grid.SetSortKey(2, key2, order);
    else
        grid.SetSortKey(2, 0, outside::CellStore::SortOrder::None);
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    std::vector<int> moved = grid.SortBlockByRows(WholeRows(grid, r1, r2));
    grid.SetRedraw(redraw);
    return moved;
}

void PackGroups(outside::CellStore& grid) {
    const bool redraw = grid.Redraw();
    grid.SetRedraw(false);
    for (int c = 1; c <= grid.MaxCols(); ++c) {
        std::vector<int> members; // list items, in channel order
        for (int r = 1; r <= grid.MaxRows(); ++r) {
            const int item = grid.ListIndex(c, r);
            if (item > 0)
                members.push_back(item);
        }
        std::sort(members.begin(), members.end());
        for (int r = 1; r <= grid.MaxRows(); ++r) {
            const int k = r - 1;
            const int item =
                k < static_cast<int>(members.size()) ? members[static_cast<size_t>(k)] : -1;
            if (grid.ListIndex(c, r) != item || (item < 0 && !grid.Text(c, r).isEmpty()))
                grid.SetListIndex(c, r, item);
        }
    }
    grid.SetRedraw(redraw);
}

void FollowMemoryRows(RadioModel& radio, int mode, int r1, int r2,
                      const std::function<void()>& groupsWritten) {
    if (r1 > r2)
        std::swap(r1, r2);
    const int n = LastRow(tab::kMemories);
    if (mode < 0 || mode > 2 || r2 < 1 || r1 > n)
        return;
    r1 = std::max(r1, 1);
    r2 = std::min(r2, n);
    const int count = r2 - r1 + 1;
    int priority = radio.PriorityChannel();
    if (priority >= 1 && priority <= n) {
        bool gone = false;
        if (mode == 2) {
            if (priority >= r1)
                priority += count;
            gone = priority > n;
        } else {
            gone = priority >= r1 && priority <= r2;
            if (mode == 1 && priority > r2)
                priority -= count;
        }
        radio.SetPriorityChannel(gone ? 1 : priority);
    }
    radio.RemoveGroupEntries(mode, r1, r2);
    if (groupsWritten)
        groupsWritten();
}

void FollowSortedMemories(RadioModel& radio, int r1, const std::vector<int>& order,
                          const std::function<void()>& groupsWritten) {
    const int n = LastRow(tab::kMemories);
    const int count = static_cast<int>(order.size());
    if (count == 0 || r1 < 1 || r1 + count - 1 > n)
        return;
    std::vector<int> newRow(static_cast<size_t>(n) + 1);
    std::iota(newRow.begin(), newRow.end(), 0);
    for (int k = 0; k < count; ++k) {
        const int from = order[static_cast<size_t>(k)];
        if (from >= 1 && from <= n)
            newRow[static_cast<size_t>(from)] = r1 + k;
    }
    const int priority = radio.PriorityChannel();
    if (priority >= 1 && priority <= n)
        radio.SetPriorityChannel(newRow[static_cast<size_t>(priority)]);
    Byte* image = radio.Image();
    for (int g = 0; g < image::kGroupCount; ++g) {
        const int size = RadioModel::GroupSize(image, g);
        std::vector<int> members;
        bool moved = false;
        for (int j = 0; j < size; ++j) {
            const int member = RadioModel::GroupMember(image, g, j);
            const int row = member + 1;
            if (member == RadioModel::kNoMember || row < 1 || row > n) {
                members.push_back(member); // kept as it is
                continue;
            }
            const int to = newRow[static_cast<size_t>(row)];
            moved = moved || to != row;
            members.push_back(to - 1);
        }
        if (!moved)
            continue;
        std::sort(members.begin(), members.end());
        for (int j = 0; j < size; ++j)
            RadioModel::SetGroupMember(image, g, j, members[static_cast<size_t>(j)]);
    }
    if (groupsWritten)
        groupsWritten();
}

} // namespace radio::rows
