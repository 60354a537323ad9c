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
namespace widgets {
class GridView;
}

namespace setwindow {

class NamesPage : public SettingsPage {
    Q_OBJECT

public:
    // showTvNames: the radio has the TV band, so its TV names are shown;
    // otherwise they are kept as they are.
    NamesPage(radio::Byte* settings, bool showTvNames, QWidget* parent);

    void Load() override;
    void Save() override;

    // The controls, for the window and the tests.
    QCheckBox* WxAlert() const { return m_wxAlert; }
    widgets::GridView* WxGrid() const { return m_wxView; }
    widgets::GridView* TvGrid() const { return m_tvView; }

private:
    struct NameList {
        outside::CellStore grid;
        widgets::GridView* view = nullptr;
        int first = 0; // block byte of record 0
        int count = 0;
        QStringList shown; // what Load put in each row
    };
    widgets::GridView* Build(NameList& list, int first, int count, const char* header);
    void LoadList(NameList& list);
    void SaveList(NameList& list);

    setwindow::Bindings m_bindings;
    QCheckBox* m_wxAlert = nullptr;
    NameList m_wx;
    NameList m_tv;
    widgets::GridView* m_wxView = nullptr;
    widgets::GridView* m_tvView = nullptr;
};

} // namespace setwindow
