// The view inside every document window: the seven channel tables, one grid
// each, chosen by a tab strip along the bottom. The grids are a working copy
// of the document's image: refresh copies the image into them, commit copies
// them back.
#pragma once

#include <QWidget>

#include <array>
#include <memory>

class CMainDoc;
class QStackedWidget;
class QTabBar;

class CMainView : public QWidget {
    Q_OBJECT

public:
    explicit CMainView(std::shared_ptr<CMainDoc> doc, QWidget* parent = nullptr);
    ~CMainView() override;

    CMainDoc& GetDocument() const { return *m_doc; }
    const std::shared_ptr<CMainDoc>& Document() const { return m_doc; }

    // Copies the image into all seven grids.
    void RefreshGrids();
    // Copies the grids back into the image; marks the document modified when
    // the image really changed. With validate, a cell edit in progress is
    // checked first; false when that check refuses it (nothing changes then).
    bool CommitGrids(bool validate);

    int CurrentTab() const { return m_currentTab; }
    void SetCurrentTab(int tab);
    QTabBar* TabBar() const { return m_tabs; }

    // Runs a command of the document's menus; false when the view has no such
    // command.
    bool OnCommand(int id);

signals:
    // The document's image changed through this view (others refresh).
    void imageChanged();

private:
    void OnTabChanged(int index);

    std::shared_ptr<CMainDoc> m_doc;
    QTabBar* m_tabs = nullptr;
    QStackedWidget* m_stack = nullptr;
    int m_currentTab = 0;
};
