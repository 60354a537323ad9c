// What a grid's owner says about the user's editing of its cells. A cell
// store calls it around every value a user puts into a cell (through a view's
// cell editor or check box), and a view asks it, through its store, whether
// the active cell may move and what becomes of an attempt to edit a locked
// cell. Values the program writes itself (SetText, SetListIndex, ...) never
// reach it.
//
// Cells are in grid coordinates (1-based). The store may be changed from
// inside any of these calls (cells written, the whole table filled again or
// even resized) while a view's cell editor is still open: the editor closes
// afterwards without writing again, and a view lets go of it on a reset.
#pragma once

namespace outside {

class EditRules {
public:
    virtual ~EditRules() = default;

    // A user's value is about to go into a cell: the cell and its row still
    // hold what they held.
    virtual void BeforeEdit(int col, int row) = 0;
    // The user's value went into the cell and differs from what it held
    // (its text or its list item).
    virtual void AfterEdit(int col, int row) = 0;
    // The user ticked (on) or cleared a check box.
    virtual void Toggled(int col, int row, bool on) = 0;
    // Whether the active cell may move from (col, row) to (newCol, newRow);
    // false keeps it where it is.
    virtual bool CanLeave(int col, int row, int newCol, int newRow) = 0;
    // The user went to edit a locked cell (which stays unedited). Gives the
    // column of the same row to make active instead, 0 to stay.
    virtual int LockedCellEdited(int col, int row) = 0;
};

} // namespace outside
