// The names tab of the settings window: the weather alert switch, the names
// of the 10 weather channels and, on radios with the TV band, the names of
// the 62 TV channels. A name holds at most 8 characters of the radio's
// character table.
#pragma once

#include "outside/CellStore.h"
#include "setwindow/OptionControls.h"
#include "setwindow/SettingsPage.h"

#include <QStringList>

class QCheckBox;
class GridView;

class NamesPage : public SettingsPage {
    Q_OBJECT

public:
    // showTvNames: the radio has the TV band, so its TV names are shown;
    // otherwise they are kept as they are.
    NamesPage(vx7::Byte* settings, bool showTvNames, QWidget* parent);

    void Load() override;
    void Save() override;

    // The controls, for the window and the tests.
    QCheckBox* WxAlert() const { return m_wxAlert; }
    GridView* WxGrid() const { return m_wxView; }
    GridView* TvGrid() const { return m_tvView; }

private:
    struct NameList {
        CellStore grid;
        GridView* view = nullptr;
        int first = 0; // block byte of record 0
        int count = 0;
        QStringList shown; // what Load put in each row
    };
    GridView* Build(NameList& list, int first, int count, const char* header);
    void LoadList(NameList& list);
    void SaveList(NameList& list);

    optioncontrols::Bindings m_bindings;
    QCheckBox* m_wxAlert = nullptr;
    NameList m_wx;
    NameList m_tv;
    GridView* m_wxView = nullptr;
    GridView* m_tvView = nullptr;
};
