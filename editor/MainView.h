// The view inside every document window: the seven channel tables, one grid
// each, chosen by a tab strip along the bottom. The grids show typed tables
// that are a working copy of the document's image: refresh fills them from
// the image, commit writes back what changed and marks the document modified
// when the image really changed.
#pragma once

#include "radio/RadioTypes.h"
#include "widgets/GridPrinter.h"

#include <QScopedValueRollback>
#include <QWidget>

#include <array>
#include <memory>

namespace document {
class RadioDocument;
class TabGrid;
} // namespace document
namespace editor {
class CellEditor;
}
namespace outside {
class CellStore;
} // namespace outside
namespace radio {
class TabChannels;
}
namespace editor {
class EditCommands;
}
class QStackedWidget;
class QTabBar;
namespace widgets {
class GridView;
}

namespace editor {

class MainView : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTabCount = radio::tab::kCount;

    explicit MainView(std::shared_ptr<document::RadioDocument> doc, QWidget* parent = nullptr);
    ~MainView() override;

    document::RadioDocument& Document() const { return *m_doc; }
    const std::shared_ptr<document::RadioDocument>& SharedDocument() const { return m_doc; }

    // Copies the image into all seven grids; the Memories tab's default
    // record starts again from the factory defaults.
    void RefreshGrids();
    // The same for another window of the document after a change made in
    // this one: the defaults the user's editing gave stay.
    void ShowImage();
    // Fills one tab's grid again from the image.
    void ShowTable(int tab);
    // Copies the grids back into the image; marks the document modified when
    // the image or a comment really changed. With validate, a cell edit in
    // progress is checked first; false when that check refuses it (nothing
    // changes then).
    bool CommitGrids(bool validate);
    // Undo and redo of the document's last step, as the Edit menu runs them.
    void Undo();
    void Redo();
    // The current grid takes the keyboard focus, with an active cell.
    void FocusGrid();

    int CurrentTab() const { return m_currentTab; }
    void SetCurrentTab(int tab);
    QTabBar* TabBar() const { return m_tabs; }
    outside::CellStore& Cells(int tab) const;
    // The values of a tab's table, as the typing rules and row commands
    // read them.
    radio::TabChannels& Channels(int tab) const;
    widgets::GridView* Grid(int tab) const { return m_views[static_cast<size_t>(tab)]; }

    // Applies the stored column options to one grid, or to all seven: the
    // channel lists hide the chosen columns and freeze the chosen count; the
    // hyper and group grids stay as they are.
    void ApplyColumnOptions(int tab);
    void ApplyColumnOptions();

    // The title printed pages carry: the main window's title bar with this
    // document in front.
    QString PrintTitle() const;
    // The print job of the current tab for a range; a selection prints the
    // grid's selected rows.
    widgets::gridprint::Job PrintJob(widgets::gridprint::Range range, int fromPage = 1,
                                     int toPage = 1) const;

    // The Edit menu's row commands, the right-click menu and dragged rows.
    EditCommands& Edit() const { return *m_edit; }

    // While the returned guard lives, the document's changes are this
    // window's own: it shows them itself, rather than filling its grids
    // again as it does for a change made in another window.
    [[nodiscard]] QScopedValueRollback<bool> OwnChange() {
        return QScopedValueRollback<bool>(m_ownChange, true);
    }

signals:
    // What a row command, a transfer, an import or an export did, for the
    // status bar.
    void statusMessage(const QString& text);

private:
    void SetUpGrid(int tab);
    // Writes the grids (all, or one tab's) into the image as one undo step,
    // then shows again the rows whose cells differ from what was stored.
    void CommitTabs(int onlyTab);
    void ShowStoredRows(int tab);
    void OnTabChanged(int index);

    std::shared_ptr<document::RadioDocument> m_doc;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    // The typed cells of each tab and the cell store its grid shows.
    std::array<std::unique_ptr<document::TabGrid>, kTabCount> m_tables;
    std::array<widgets::GridView*, kTabCount> m_views{};
    CellEditor* m_cells = nullptr;
    int m_currentTab = 0;
    bool m_changingTab = false;
    bool m_ownChange = false;
    EditCommands* m_edit = nullptr;
};

} // namespace editor
