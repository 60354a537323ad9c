// What a screen reader is told: every window and dialog is walked through
// Qt's accessibility interfaces, offscreen, and every control a user can
// reach must have a name; grid cells must say their value, and what a
// greyed cell or an empty row means.
#include "app/DocumentWindow.h"
#include "app/MainWindow.h"
#include "dialogs/HistoryDialog.h"
#include "dialogs/SendDataDialog.h"
#include "document/RadioDocument.h"
#include "editor/MainView.h"
#include "outside/CellStore.h"
#include "outside/SortOptions.h"
#include "settings/RadioSettings.h"
#include "setwindow/SettingsWindow.h"
#include "support/TestSupport.h"
#include "widgets/GridView.h"
#include "widgets/Mnemonics.h"
#include "widgets/OptionsDialog.h"
#include "widgets/PixelEditor.h"
#include "widgets/PortChooser.h"
#include "widgets/SortDialog.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTest>
#include <QTimer>

namespace {

// The roles a user acts on: each needs a name of its own.
bool IsInteractive(QAccessible::Role role) {
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ComboBox:
    case QAccessible::EditableText:
    case QAccessible::SpinBox:
    case QAccessible::Slider:
    case QAccessible::Table:
    case QAccessible::List:
    case QAccessible::Tree:
    case QAccessible::PageTab:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::ProgressBar:
        return true;
    default:
        return false;
    }
}

// Every interactive element below iface without a name, as "role at path".
void Unnamed(QAccessibleInterface* iface, const QString& path, QStringList& found, int depth = 0) {
    if (!iface || depth > 40)
        return;
    const QAccessible::State state = iface->state();
    if (state.invisible)
        return;
    const QAccessible::Role role = iface->role();
    if (IsInteractive(role) && iface->text(QAccessible::Name).trimmed().isEmpty()) {
        const QObject* object = iface->object();
        found << QStringLiteral("%1 %2 (%3)")
                     .arg(path)
                     .arg(int(role), 0, 16)
                     .arg(object ? object->objectName() + QLatin1Char(' ') +
                                       QString::fromLatin1(object->metaObject()->className()) +
                                       QStringLiteral(" in ") +
                                       (object->parent()
                                            ? object->parent()->objectName() + QLatin1Char(' ') +
                                                  QString::fromLatin1(
                                                      object->parent()->metaObject()->className())
                                            : QString())
                                 : QString());
    }
    // A table's cells are checked on their own: a few hundred rows each.
    if (role == QAccessible::Table || role == QAccessible::Tree || role == QAccessible::List)
        return;
    for (int i = 0; i < iface->childCount(); ++i)
        Unnamed(iface->child(i), path + QLatin1Char('/') + QString::number(i), found, depth + 1);
}

// Buttons and labels that name a control, below window, whose text has no
// mnemonic: the keyboard cannot reach them at once.
QStringList WithoutMnemonic(QWidget* window) {
    QStringList found;
    for (const auto& [w, text] : widgets::MnemonicTargets(window)) {
        if (w->isVisibleTo(window) && widgets::MnemonicOf(text).isNull())
            found << QStringLiteral("%1 \"%2\"").arg(w->objectName(), text);
    }
    return found;
}

QStringList UnnamedIn(QWidget* window) {
    QStringList found;
    if (!window->accessibleName().isEmpty() || !window->windowTitle().isEmpty()) {
    } else {
        found << QStringLiteral("window %1 has no name").arg(window->objectName());
    }
    Unnamed(QAccessible::queryAccessibleInterface(window), window->objectName(), found);
    return found;
}

class AccessibilityTest : public ::testing::Test {
protected:
    void SetUp() override { frame.show(); }
    app::MainWindow frame;
};

} // namespace

TEST_F(AccessibilityTest, EveryWindowNamesItsControls) {
    app::DocumentWindow* child = frame.NewDocument();
    QApplication::processEvents();
    const auto none = [](const QStringList& found) {
        return found.isEmpty() ? ::testing::AssertionSuccess()
                               : ::testing::AssertionFailure() << found.join('\n').toStdString();
    };
    // Every menu item has a mnemonic, so the keyboard alone reaches it.
    QStringList withoutMnemonic;
    for (QAction* menu : frame.menuBar()->actions()) {
        for (QAction* item : menu->menu() ? menu->menu()->actions() : QList<QAction*>{}) {
            if (!item->isSeparator() && item->isVisible() && !item->text().contains(u'&') &&
                item->objectName() != QLatin1String("RecentPlaceholder"))
                withoutMnemonic << menu->text() + QLatin1Char('>') + item->text();
        }
    }
    EXPECT_TRUE(none(withoutMnemonic));
    for (int tab = 0; tab < 7; ++tab) {
        child->View()->SetCurrentTab(tab);
        QApplication::processEvents();
        EXPECT_TRUE(none(UnnamedIn(&frame))) << "the main window, tab " << tab;
    }

    settings::rsf::SettingsSource source(child->Document());
    setwindow::SettingsWindow settingsWindow(source, &frame);
    settingsWindow.show();
    for (int tab = 0; tab < settingsWindow.TabBar()->count(); ++tab) {
        settingsWindow.TabBar()->setCurrentIndex(tab);
        QApplication::processEvents();
        EXPECT_TRUE(none(UnnamedIn(&settingsWindow))) << "settings tab " << tab;
        EXPECT_TRUE(none(WithoutMnemonic(&settingsWindow))) << "settings tab " << tab;
    }

    dialogs::SendDataDialog send(child->Document());
    send.show();
    dialogs::HistoryDialog history(true);
    history.show();
    widgets::OptionsDialog options(&frame);
    options.show();
    widgets::SortDialog sort(outside::SortOptions{});
    sort.show();
    widgets::PortChooserDialog ports(&frame);
    ports.show();
    for (QWidget* dialog :
         std::initializer_list<QWidget*>{&send, &history, &options, &sort, &ports}) {
        QApplication::processEvents();
        EXPECT_TRUE(none(UnnamedIn(dialog))) << dialog->objectName().toStdString();
        EXPECT_TRUE(none(WithoutMnemonic(dialog))) << dialog->objectName().toStdString();
    }
}

// Each cell of a grid says its value; a greyed cell says that its channel
// leaves it aside, an empty row that it is an empty channel, a check box
// whether it is checked.
TEST_F(AccessibilityTest, GridCellsSayTheirValueAndState) {
    app::DocumentWindow* child = frame.OpenDocumentFile(testing_support::DataPath("busy.rdf"));
    ASSERT_TRUE(child);
    QApplication::processEvents();
    int greyed = 0;
    int empty = 0;
    int checks = 0;
    for (int tab : {0, 5}) {
        child->View()->SetCurrentTab(tab);
        QApplication::processEvents();
        widgets::GridView* grid = child->View()->Grid(tab);
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
        ASSERT_TRUE(iface);
        QAccessibleTableInterface* table = iface->tableInterface();
        ASSERT_TRUE(table);
        EXPECT_FALSE(iface->text(QAccessible::Name).isEmpty());
        const QAbstractItemModel* model = grid->model();
        const int rows = std::min(model->rowCount(), 60);
        for (int r = 0; r < rows; ++r) {
            for (int c = 0; c < model->columnCount(); ++c) {
                QAccessibleInterface* cell = table->cellAt(r, c);
                ASSERT_TRUE(cell) << r << " " << c;
                const QString said = cell->text(QAccessible::Name);
                const QModelIndex index = model->index(r, c);
                const QString value = index.data(Qt::EditRole).toString();
                bool rowEmpty = true;
                for (int k = 0; k < model->columnCount() && rowEmpty; ++k)
                    rowEmpty = model->index(r, k).data(Qt::EditRole).toString().isEmpty();
                const auto where = [&] {
                    return QStringLiteral("tab %1 row %2 column %3: \"%4\"")
                        .arg(tab)
                        .arg(r)
                        .arg(c)
                        .arg(said)
                        .toStdString();
                };
                if (rowEmpty) {
                    EXPECT_EQ(said, QStringLiteral("empty channel")) << where();
                    ++empty;
                    continue;
                }
                if (index.data(outside::CellStore::KindRole).toInt() ==
                    int(outside::CellKind::CheckBox)) {
                    EXPECT_TRUE(
                        said.startsWith(value == QLatin1String("1") ? "checked" : "not checked"))
                        << where();
                    ++checks;
                } else {
                    EXPECT_TRUE(said.startsWith(value.isEmpty() ? QStringLiteral("empty") : value))
                        << where();
                }
                const bool grey = index.data(outside::CellStore::LockRole).toBool() ||
                                  index.data(outside::CellStore::MutedRole).toBool();
                EXPECT_EQ(said.endsWith(QStringLiteral(", not used by this channel")), grey)
                    << where();
                greyed += grey ? 1 : 0;
            }
        }
    }
    EXPECT_GT(greyed, 0);
    EXPECT_GT(empty, 0);
    EXPECT_GT(checks, 0);
}

// The right-click menu of a grid opens from the keyboard: the Menu key and
// Shift+F10.
TEST_F(AccessibilityTest, TheGridMenuOpensFromTheKeyboard) {
    app::DocumentWindow* child = frame.NewDocument();
    QApplication::processEvents();
    widgets::GridView* grid = child->View()->Grid(0);
    for (const auto& [key, modifiers] :
         {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
        QString shown;
        QTimer::singleShot(100, [&shown] {
            if (QWidget* popup = QApplication::activePopupWidget()) {
                shown = popup->objectName();
                popup->close();
            }
        });
        QTest::keyClick(grid, key, modifiers);
        QTest::qWait(200);
        EXPECT_EQ(shown, QStringLiteral("EditContextMenu")) << key;
    }
}

// A pixel editor says where its cursor is and offers its picture as text.
TEST_F(AccessibilityTest, APixelEditorSpeaksItsCursorAndPicture) {
    widgets::PixelEditor editor;
    editor.SetDimensions(3, 2);
    editor.show();
    QTest::keyClick(&editor, Qt::Key_Right);
    QTest::keyClick(&editor, Qt::Key_Space);
    QTest::keyClick(&editor, Qt::Key_Down);
    EXPECT_EQ(editor.AsText(), QStringLiteral(".#.\n..."));
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&editor);
    ASSERT_TRUE(iface);
    EXPECT_EQ(iface->text(QAccessible::Description),
              QStringLiteral("row 2, column 2, off\n.#.\n..."));
}
