// The controls of the settings pages, each bound to one option of the table
// in SettingsOptions.h. A binding fills its control from the working copy and
// remembers what the control then shows; it writes back only when the user
// changed the control, so a value the control cannot show (a list byte past
// its list, a level above 15) survives.
#pragma once

#include "settings/SettingsOptions.h"

#include <QObject>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QSlider;
class QTableWidget;
class QWidget;

namespace setwindow {

using settings::option::Byte;
using settings::option::Option;

// A filter of typed characters: the character to insert instead (the same
// one to let it pass), or nothing to drop the key.
using CharFilter = std::function<std::optional<QChar>(QChar)>;

// Applies a CharFilter to the printable keys typed into a widget (a line
// edit): backspace, Enter, arrows and the like always pass.
class KeyFilter : public QObject {
public:
    KeyFilter(CharFilter filter, QObject* parent) : QObject(parent), m_filter(std::move(filter)) {}
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CharFilter m_filter;
};

// The DTMF memories' keys: digits, "#", "*", "A" to "D" and "P"; "a" to "d"
// and "p" become uppercase.
std::optional<QChar> DtmfMemoryKey(QChar c);
// The CW identifier's keys: letters of either case, digits, "-", "+", "*",
// "(", ")" and "=".
std::optional<QChar> CwIdKey(QChar c);

class Binding {
public:
    explicit Binding(const Option& option) : m_option(option) {}
    virtual ~Binding() = default;
    Binding(const Binding&) = delete;
    Binding& operator=(const Binding&) = delete;

    const Option& OptionDef() const { return m_option; }
    // Fills the control and remembers what it shows.
    void Load(const Byte* block) {
        Fill(block);
        Remember();
    }
    // Whether the control shows something else than it did when it was
    // last loaded or saved.
    virtual bool Changed() const = 0;
    // Writes a changed control and remembers what it wrote.
    void Save(Byte* block) {
        if (!Changed())
            return;
        Write(block);
        Remember();
    }

protected:
    virtual void Fill(const Byte* block) = 0;
    virtual void Remember() = 0;
    virtual void Write(Byte* block) const = 0;

private:
    const Option& m_option;
};

// The bindings of one page.
class Bindings {
public:
    // Controls named by their option's key (objectName "toggles.beep"; a
    // radio button by the key and its choice, "toggles.vfo.all"), owned by
    // parent.
    QCheckBox* AddCheck(const Option& option, QWidget* parent);
    // Radio buttons in a group box titled with the group.
    QGroupBox* AddRadios(const Option& option, QWidget* parent);
    QComboBox* AddList(const Option& option, QWidget* parent);
    QSlider* AddSlider(const Option& option, QWidget* parent);
    // DTMF code and channel, CW identifier, times (masked "##:##") and offsets.
    QLineEdit* AddText(const Option& option, QWidget* parent);
    // The nine DTMF memories in one column headed "DTMF", named by the
    // group's key ("toggles.dtmf").
    QTableWidget* AddDtmfMemories(const std::vector<const Option*>& memories, QWidget* parent);

    void Load(const Byte* block);
    void Save(Byte* block);
    // The binding of an option's key (the grid's by its first memory's), or
    // nullptr.
    Binding* Find(const QString& key) const;

private:
    std::vector<std::unique_ptr<Binding>> m_bindings;
};

// Builds the controls of every option of a page from the table and lays them
// out on parent: options outside a group in a column of check boxes and a
// column of labelled fields, each group in a box of its own, radio buttons
// in boxes titled with their group, and the DTMF memories in a grid.
void BuildPage(const char* page, Bindings& bindings, QWidget* parent);

} // namespace setwindow
