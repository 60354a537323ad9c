#include "setwindow/NamesPage.h"

#include "radio/ValueTables.h"
#include "settings/NameRecords.h"
#include "widgets/GridView.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace setwindow {

namespace names = settings::rset::names;

namespace {
constexpr int kNameColumn = 1;
} // namespace

NamesPage::NamesPage(radio::Byte* settings, bool showTvNames, QWidget* parent)
    : SettingsPage(settings, parent) {
    m_wxAlert = m_bindings.AddCheck(settings::option::Find(QStringLiteral("names.wxAlert")), this);
    m_wxView = Build(m_wx, names::kWxFirst, names::kWxCount, "WX Names");
    m_tvView = Build(m_tv, names::kTvFirst, names::kTvCount, "TV Names");
    // Without the TV band the TV names stay out of sight, and so unchanged.
    m_tvView->setVisible(showTvNames);

    auto* grids = new QHBoxLayout;
    grids->addWidget(m_wxView, 0, Qt::AlignTop);
    grids->addWidget(m_tvView);
    grids->addStretch(1);
    auto* page = new QVBoxLayout(this);
    page->addWidget(m_wxAlert);
    page->addLayout(grids, 1);
}

widgets::GridView* NamesPage::Build(NameList& list, int first, int count, const char* header) {
    list.first = first;
    list.count = count;
    list.grid.SetSize(1, count);
    list.grid.SetFormat(outside::GridBlock::Rows(1, count, kNameColumn, kNameColumn),
                        {outside::CellStore::CellKind::Text, 0, names::kLength, {}});
    list.grid.SetText(kNameColumn, 0, QString::fromLatin1(header));
    for (int r = 1; r <= count; ++r)
        list.grid.SetText(0, r, QString::number(r));
    auto* view = new widgets::GridView(this);
    view->setAccessibleName(QString::fromLatin1(header));
    view->setObjectName(settings::option::GroupKey(settings::option::kPageNames, header));
    view->SetCells(&list.grid);
    // A character the radio cannot show is refused as it is typed.
    view->SetCharacterFilter(kNameColumn, [](QChar c) { return radio::IsRadioCharacter(c); });
    view->FitColumns();
    // Wide enough for the names; the weather list tall enough for all ten.
    const int frame = 2 * view->frameWidth();
    const int rowHeight = view->verticalHeader()->defaultSectionSize();
    const QHeaderView* top = view->horizontalHeader();
    const int allRows =
        std::max(top->sizeHint().height(), top->minimumHeight()) + count * rowHeight + frame;
    const QHeaderView* labels = view->verticalHeader();
    view->setFixedWidth(std::max(labels->sizeHint().width(), labels->minimumWidth()) +
                        view->horizontalHeader()->length() + frame +
                        view->style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    if (count <= names::kWxCount)
        view->setFixedHeight(allRows);
    list.view = view;
    return view;
}

void NamesPage::LoadList(NameList& list) {
    const radio::Byte* block = Settings();
    list.shown.clear();
    for (int r = 1; r <= list.count; ++r) {
        list.grid.SetText(kNameColumn, r,
                          names::Decode(block + list.first + names::kRecordSize * (r - 1)));
        list.shown << list.grid.Text(kNameColumn, r);
    }
}

void NamesPage::SaveList(NameList& list) {
    if (list.view->IsEditing())
        list.view->EndEdit();
    radio::Byte* block = Settings();
    // A name the user did not edit keeps its codes, even those that show
    // alike (a second code of a character, a code past the table).
    for (int r = 1; r <= list.count; ++r) {
        const QString text = list.grid.Text(kNameColumn, r);
        if (text != list.shown[r - 1])
            names::Encode(block + list.first + names::kRecordSize * (r - 1), text);
    }
}

void NamesPage::Load() {
    m_bindings.Load(Settings());
    LoadList(m_wx);
    LoadList(m_tv);
}

void NamesPage::Save() {
    m_bindings.Save(Settings());
    SaveList(m_wx);
    SaveList(m_tv);
    Load();
}

} // namespace setwindow
