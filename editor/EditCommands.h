// The Edit menu of a document window: Cut, Copy, Paste, Insert, Delete,
// Sort and Set Priority on whole rows of the current grid, the right-click
// menu that offers them, and rows dragged to another place.
//
// Every command that changes the table is one step of the document's undo
// history: the rows change in the grid, the grids are read back into the
// image, and the memory groups and the priority channel follow the memory
// rows they name, all in the same step.
#pragma once

#include "outside/SortOptions.h"
#include "radio/RowCommands.h"

#include <QObject>
#include <QScopedValueRollback>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

namespace document {
class RadioDocument;
}
namespace outside {
class CellStore;
}
class QMenu;
class QMimeData;
class QWidget;
namespace widgets {
class GridView;
}
namespace outside {
struct GridBlock;
}

namespace editor {

// What the commands need of the document window they edit: its grids, the
// tab on top, its document, and a way to say what they changed.
class EditView {
public:
    virtual ~EditView() = default;
    // The window: parent of the commands' questions and menus.
    virtual QWidget* Widget() const = 0;
    virtual document::RadioDocument& Document() const = 0;
    virtual int CurrentTab() const = 0;
    virtual outside::CellStore& Cells(int tab) const = 0;
    // The values of a tab's table.
    virtual radio::TabChannels& Channels(int tab) const = 0;
    virtual widgets::GridView* Grid(int tab) const = 0;
    // Copies the grids back into the image (see the main view).
    virtual bool CommitGrids(bool validate) = 0;
    // Fills a tab's grid again from the image.
    virtual void ShowTable(int tab) = 0;
    // While the returned guard lives, the document's changes are the
    // window's own (see the main view).
    [[nodiscard]] virtual QScopedValueRollback<bool> OwnChange() = 0;
    virtual void StatusMessage(const QString& text) = 0;
};

class EditCommands : public QObject {
    Q_OBJECT

public:
    // The clipboard format that says which tab rows were copied from, beside
    // the rows as tab-separated text.
    static constexpr const char* kRowsMime = "application/x-clonara-rows";

    // The commands own the window's EditView; the window is their parent.
    explicit EditCommands(std::unique_ptr<EditView> view);

    // The row command an Edit menu action runs ("edit.insert"); none for
    // Undo, Redo and other actions.
    static std::optional<radio::rows::Command> CommandNamed(const QString& action);
    // Whether the current tab and row offer the command.
    bool IsEnabled(radio::rows::Command command) const;
    // Carries the command out (the caller has committed the grids); nothing
    // happens where the current tab or row does not offer it.
    void Run(radio::rows::Command command);

    // The right-click menu: the Edit menu's items, Set Priority among them,
    // enabled as the current tab and row allow. Choosing an item commits the
    // grids and runs it.
    QMenu* BuildContextMenu(QWidget* parent);
    // Shows it at a point of the screen, for a right button that came up
    // over the grid of tab (none on Memory Groups).
    void ShowContextMenu(int tab, const QPoint& globalPos);

    // A dragged block of the grid of tab dropped at to.
    void OnBlockDropped(int tab, const outside::GridBlock& from, const outside::GridBlock& to);

    // The rows of the last copy or cut, less one.
    int CopiedSpan() const { return m_copiedSpan; }

    // The sort dialog; tests and benchmarks may answer it themselves.
    using SortChooser = std::function<bool(outside::SortOptions&)>;
    void SetSortChooser(SortChooser chooser) { m_sortChooser = std::move(chooser); }

private:
    outside::CellStore& CurrentCells() const;
    // First and last selected rows; false when nothing is selected.
    bool SelectedRows(int* r1, int* r2) const;
    void SelectRows(int r1, int r2);
    void PutOnClipboard(int r1, int r2);
    // Asks whether rows may fall off the end of the table.
    bool AskRowsLost(const QString& caption) const;
    void Warn(const QString& caption, const QString& text) const;
    // Runs change as one undo step named text: change alters the current
    // grid; the grids are then read into the image and follow-up runs on the
    // image. The grids show the image afterwards.
    void Change(const QString& text, const std::function<void()>& change,
                const std::function<void()>& followUp = {});
    // Shows the groups again once a follow-up wrote them.
    std::function<void()> ShowGroups();

    void Cut();
    void Copy();
    void Paste();
    void Insert();
    void Delete();
    void Sort();
    void SetPriority();

    std::unique_ptr<EditView> m_viewOwner;
    EditView& m_view;
    int m_copiedSpan = 0;
    outside::SortOptions m_lastSort;
    SortChooser m_sortChooser;
};

} // namespace editor
