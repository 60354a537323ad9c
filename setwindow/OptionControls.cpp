#include "setwindow/OptionControls.h"

#include "settings/DisplayOptions.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSlider>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <cstring>
#include <map>

namespace setwindow {

using settings::option::Kind;

namespace {

bool IsDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool IsDtmfLetter(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('D');
}

bool IsLowerDtmfLetter(QChar c) {
    return c >= QLatin1Char('a') && c <= QLatin1Char('d');
}

class CheckBinding : public Binding {
public:
    CheckBinding(const Option& option, QCheckBox* box) : Binding(option), m_box(box) {
        if (!option.editable) {
            // Shown, never changed: disabled again should it ever be clicked.
            QObject::connect(box, &QCheckBox::clicked, box, [box] { box->setEnabled(false); });
        }
    }
    void Fill(const Byte* block) override {
        m_box->setChecked(settings::option::Bit(block, OptionDef().byte, OptionDef().bit));
        if (!OptionDef().editable)
            m_box->setEnabled(false);
    }
    void Remember() override { m_loaded = m_box->isChecked(); }
    bool Changed() const override { return m_box->isChecked() != m_loaded; }
    void Write(Byte* block) const override {
        settings::option::SetBit(block, OptionDef().byte, OptionDef().bit, m_box->isChecked());
    }

private:
    QCheckBox* m_box;
    bool m_loaded = false;
};

class RadiosBinding : public Binding {
public:
    RadiosBinding(const Option& option, std::vector<QRadioButton*> buttons)
        : Binding(option), m_buttons(std::move(buttons)) {}
    void Fill(const Byte* block) override {
        m_buttons[settings::option::Bit(block, OptionDef().byte, OptionDef().bit) ? 1 : 0]
            ->setChecked(true);
    }
    void Remember() override { m_loaded = Checked(); }
    bool Changed() const override { return Checked() != m_loaded; }
    void Write(Byte* block) const override {
        settings::option::SetBit(block, OptionDef().byte, OptionDef().bit, Checked() == 1);
    }

private:
    int Checked() const {
        for (size_t i = 0; i < m_buttons.size(); ++i)
            if (m_buttons[i]->isChecked())
                return static_cast<int>(i);
        return -1;
    }
    std::vector<QRadioButton*> m_buttons;
    int m_loaded = -1;
};

class ListBinding : public Binding {
public:
    ListBinding(const Option& option, QComboBox* box) : Binding(option), m_box(box) {}
    void Fill(const Byte* block) override {
        const Option& o = OptionDef();
        if (o.kind == Kind::BitChoice) {
            m_box->setCurrentIndex(settings::option::Bit(block, o.byte, o.bit) ? 1 : 0);
        } else {
            const int value = block[o.byte];
            m_box->setCurrentIndex(value < m_box->count() ? value : -1);
        }
    }
    void Remember() override {
        m_loaded = m_box->currentText();
        m_loadedIndex = m_box->currentIndex();
    }
    bool Changed() const override {
        return m_box->currentIndex() != m_loadedIndex || m_box->currentText() != m_loaded;
    }
    void Write(Byte* block) const override {
        const Option& o = OptionDef();
        // An edited text that matches no entry counts as index -1.
        const int index = m_box->isEditable()
                              ? m_box->findText(m_box->currentText(),
                                                Qt::MatchFixedString | Qt::MatchCaseSensitive)
                              : m_box->currentIndex();
        if (o.kind == Kind::BitChoice)
            settings::option::SetBit(block, o.byte, o.bit, (index & 1) != 0);
        else if (index >= 0)
            block[o.byte] = static_cast<Byte>(index);
    }

private:
    QComboBox* m_box;
    QString m_loaded;
    int m_loadedIndex = -1;
};

class SliderBinding : public Binding {
public:
    SliderBinding(const Option& option, QSlider* slider) : Binding(option), m_slider(slider) {}
    void Fill(const Byte* block) override {
        const Byte value = block[OptionDef().byte];
        // The slider keeps a value past its range at its end.
        m_slider->setValue(OptionDef().kind == Kind::Contrast
                               ? settings::rset::display::ShownContrast(value)
                               : std::min<int>(value, m_slider->maximum()));
    }
    void Remember() override { m_loaded = m_slider->value(); }
    bool Changed() const override { return m_slider->value() != m_loaded; }
    void Write(Byte* block) const override {
        block[OptionDef().byte] = OptionDef().kind == Kind::Contrast
                                      ? settings::rset::display::ContrastByte(m_slider->value())
                                      : static_cast<Byte>(m_slider->value());
    }

private:
    QSlider* m_slider;
    int m_loaded = 0;
};

class TextBinding : public Binding {
public:
    TextBinding(const Option& option, QLineEdit* edit) : Binding(option), m_edit(edit) {
        if (option.kind == Kind::DtmfCode)
            QObject::connect(edit, &QLineEdit::textChanged, edit,
                             [this](const QString& text) { CheckDtmfCode(text); });
    }
    void Fill(const Byte* block) override {
        const Option& o = OptionDef();
        m_setting = true;
        switch (o.kind) {
        case Kind::DtmfCode:
        case Kind::DtmfChannel:
            m_edit->setText(QString(settings::option::DtmfCharacter(block[o.byte])));
            break;
        case Kind::CwId:
            m_edit->setText(settings::option::CwIdText(block));
            break;
        case Kind::Time:
            m_edit->setText(settings::option::TimeText(block, o.byte));
            break;
        case Kind::Offset:
            m_edit->setText(QString::number(settings::option::OffsetValue(block, o.byte)));
            break;
        default:
            break;
        }
        m_setting = false;
    }
    void Remember() override { m_loaded = m_edit->text(); }
    bool Changed() const override { return m_edit->text() != m_loaded; }
    void Write(Byte* block) const override {
        const Option& o = OptionDef();
        const QString text = m_edit->text();
        switch (o.kind) {
        case Kind::DtmfCode:
            block[o.byte] = settings::option::DtmfByte(text);
            break;
        case Kind::DtmfChannel:
            block[o.byte] = text.isEmpty() ? 0 : settings::option::DtmfByte(text);
            break;
        case Kind::CwId:
            settings::option::SetCwId(block, text);
            break;
        case Kind::Time:
            // The page's check refuses a time it cannot store.
            if (const auto time = settings::option::ParseTime(text))
                settings::option::SetTime(block, o.byte, *time);
            break;
        case Kind::Offset:
            settings::option::SetOffset(block, o.byte,
                                        static_cast<int>(settings::option::OffsetTextValue(text)));
            break;
        default:
            break;
        }
    }

private:
    // A digit, "#", "*" or "A" to "D" stays ("a" to "d" become uppercase);
    // anything else empties the field.
    void CheckDtmfCode(const QString& text) {
        if (m_setting || text.isEmpty())
            return;
        const QChar c = text.at(0);
        QString wanted;
        if (IsDigit(c) || c == QLatin1Char('#') || c == QLatin1Char('*') || IsDtmfLetter(c))
            wanted = QString(c);
        else if (IsLowerDtmfLetter(c))
            wanted = QString(c.toUpper());
        if (wanted == text)
            return;
        m_setting = true;
        m_edit->setText(wanted);
        m_setting = false;
    }

    QLineEdit* m_edit;
    QString m_loaded;
    bool m_setting = false;
};

// The grid's cell editor: 16 characters through the DTMF key filter.
class DtmfDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex& index) const override {
        auto* edit = new QLineEdit(parent);
        edit->setAccessibleName(QStringLiteral("DTMF memory %1").arg(index.row() + 1));
        edit->setMaxLength(settings::option::kDtmfMemorySize);
        edit->installEventFilter(new KeyFilter(DtmfMemoryKey, edit));
        return edit;
    }
};

class DtmfGridBinding : public Binding {
public:
    DtmfGridBinding(const std::vector<const Option*>& memories, QTableWidget* grid)
        : Binding(*memories.front()), m_memories(memories), m_grid(grid),
          m_loaded(memories.size()) {}
    void Fill(const Byte* block) override {
        for (size_t i = 0; i < m_memories.size(); ++i)
            m_grid->item(static_cast<int>(i), 0)
                ->setText(settings::option::DtmfMemoryText(block, m_memories[i]->bit));
    }
    void Remember() override {
        for (size_t i = 0; i < m_memories.size(); ++i)
            m_loaded[i] = Text(i);
    }
    bool Changed() const override {
        for (size_t i = 0; i < m_memories.size(); ++i)
            if (Text(i) != m_loaded[i])
                return true;
        return false;
    }
    void Write(Byte* block) const override {
        for (size_t i = 0; i < m_memories.size(); ++i)
            if (Text(i) != m_loaded[i])
                settings::option::SetDtmfMemory(block, m_memories[i]->bit, Text(i));
    }

private:
    QString Text(size_t i) const { return m_grid->item(static_cast<int>(i), 0)->text(); }
    std::vector<const Option*> m_memories;
    QTableWidget* m_grid;
    std::vector<QString> m_loaded;
};

} // namespace

bool KeyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (text.size() != 1 || !text.at(0).isPrint())
        return false;
    const std::optional<QChar> mapped = m_filter(text.at(0));
    if (!mapped)
        return true;
    if (*mapped == text.at(0))
        return false;
    if (auto* edit = qobject_cast<QLineEdit*>(watched))
        edit->insert(QString(*mapped));
    return true;
}

std::optional<QChar> DtmfMemoryKey(QChar c) {
    if (IsDigit(c) || c == QLatin1Char('#') || c == QLatin1Char('*') || IsDtmfLetter(c) ||
        c == QLatin1Char('P'))
        return c;
    if (IsLowerDtmfLetter(c) || c == QLatin1Char('p'))
        return c.toUpper();
    return std::nullopt;
}

std::optional<QChar> CwIdKey(QChar c) {
    const bool letter = (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
                        (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
    if (letter || IsDigit(c) || QStringLiteral("-+*()=").contains(c))
        return c;
    return std::nullopt;
}

QCheckBox* Bindings::AddCheck(const Option& option, QWidget* parent) {
    auto* box = new QCheckBox(QString::fromUtf8(option.label), parent);
    box->setObjectName(option.key);
    m_bindings.push_back(std::make_unique<CheckBinding>(option, box));
    return box;
}

QGroupBox* Bindings::AddRadios(const Option& option, QWidget* parent) {
    auto* group = new QGroupBox(QString::fromUtf8(option.group), parent);
    group->setObjectName(option.key);
    auto* layout = new QHBoxLayout(group);
    std::vector<QRadioButton*> buttons;
    for (size_t i = 0; i < option.choices.size(); ++i) {
        auto* button = new QRadioButton(QString::fromUtf8(option.choices[i]), group);
        button->setObjectName(settings::option::ButtonKey(option, i));
        layout->addWidget(button);
        buttons.push_back(button);
    }
    m_bindings.push_back(std::make_unique<RadiosBinding>(option, std::move(buttons)));
    return group;
}

QComboBox* Bindings::AddList(const Option& option, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setObjectName(option.key);
    for (const char* choice : option.choices)
        box->addItem(QString::fromUtf8(choice));
    if (option.widget == settings::option::Widget::SortedEditableList) {
        box->setEditable(true);
        box->setInsertPolicy(QComboBox::NoInsert);
        box->lineEdit()->setAccessibleName(QString::fromUtf8(option.label));
    }
    m_bindings.push_back(std::make_unique<ListBinding>(option, box));
    return box;
}

QSlider* Bindings::AddSlider(const Option& option, QWidget* parent) {
    auto* slider = new QSlider(Qt::Horizontal, parent);
    slider->setObjectName(option.key);
    slider->setAccessibleName(QString::fromUtf8(option.label));
    switch (option.kind) {
    case Kind::Contrast:
        slider->setRange(settings::rset::display::kContrastMin,
                         settings::rset::display::kContrastMax);
        break;
    case Kind::Dimmer:
        slider->setRange(settings::rset::display::kDimmerMin, settings::rset::display::kDimmerMax);
        break;
    default:
        slider->setRange(0, settings::option::kLevelMax);
        break;
    }
    slider->setPageStep(1);
    slider->setTickPosition(QSlider::TicksBelow);
    m_bindings.push_back(std::make_unique<SliderBinding>(option, slider));
    return slider;
}

QLineEdit* Bindings::AddText(const Option& option, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(option.key);
    switch (option.kind) {
    case Kind::DtmfCode:
        edit->setMaxLength(1);
        break;
    case Kind::DtmfChannel:
        edit->setMaxLength(1);
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]?")), edit));
        break;
    case Kind::CwId:
        edit->setMaxLength(settings::option::kCwIdSlots);
        edit->installEventFilter(new KeyFilter(CwIdKey, edit));
        break;
    case Kind::Time:
        edit->setInputMask(QStringLiteral("99:99;_"));
        break;
    case Kind::Offset:
        edit->setMaxLength(settings::option::kOffsetTextLength);
        break;
    default:
        break;
    }
    m_bindings.push_back(std::make_unique<TextBinding>(option, edit));
    return edit;
}

QTableWidget* Bindings::AddDtmfMemories(const std::vector<const Option*>& memories,
                                        QWidget* parent) {
    auto* grid = new QTableWidget(static_cast<int>(memories.size()), 1, parent);
    grid->setObjectName(
        settings::option::GroupKey(memories.front()->page, memories.front()->group));
    grid->setHorizontalHeaderLabels({QString::fromUtf8(memories.front()->group)});
    grid->setAccessibleName(QString::fromUtf8(memories.front()->group));
    grid->horizontalHeader()->setStretchLastSection(true);
    // Room for the 16 characters of a memory.
    grid->setMinimumWidth(grid->fontMetrics().horizontalAdvance(QString(20, QLatin1Char('D'))));
    grid->setItemDelegate(new DtmfDelegate(grid));
    for (int row = 0; row < grid->rowCount(); ++row)
        grid->setItem(row, 0, new QTableWidgetItem);
    m_bindings.push_back(std::make_unique<DtmfGridBinding>(memories, grid));
    return grid;
}

void Bindings::Load(const Byte* block) {
    for (const auto& binding : m_bindings)
        binding->Load(block);
}

void Bindings::Save(Byte* block) {
    for (const auto& binding : m_bindings)
        binding->Save(block);
}

Binding* Bindings::Find(const QString& key) const {
    for (const auto& binding : m_bindings)
        if (binding->OptionDef().key == key)
            return binding.get();
    return nullptr;
}

namespace {

// The control of one option that sits in a labelled row.
QWidget* AddField(const Option& option, Bindings& bindings, QWidget* parent) {
    switch (option.widget) {
    case settings::option::Widget::List:
    case settings::option::Widget::SortedEditableList:
        return bindings.AddList(option, parent);
    case settings::option::Widget::Slider:
        return bindings.AddSlider(option, parent);
    case settings::option::Widget::Edit:
        return bindings.AddText(option, parent);
    default:
        return nullptr;
    }
}

// Lays out options in a form: check boxes on rows of their own, or beside
// the field they belong to; other fields after their label.
void FillForm(const std::vector<const Option*>& options, Bindings& bindings, QWidget* parent,
              QFormLayout* form) {
    std::map<std::string, QHBoxLayout*> rows;
    for (const Option* option : options) {
        if (option->widget == settings::option::Widget::CheckBox) {
            QCheckBox* box = bindings.AddCheck(*option, parent);
            const auto row = rows.find(option->beside);
            if (*option->beside && row != rows.end())
                row->second->addWidget(box);
            else
                form->addRow(box);
            continue;
        }
        QWidget* field = AddField(*option, bindings, parent);
        if (!field)
            continue;
        auto* row = new QHBoxLayout;
        row->addWidget(field, 1);
        if (auto* slider = qobject_cast<QSlider*>(field)) {
            // The level as a number beside its slider.
            auto* level = new QLabel(parent);
            level->setMinimumWidth(level->fontMetrics().horizontalAdvance(QStringLiteral("15")));
            QObject::connect(slider, &QSlider::valueChanged, level,
                             [level](int value) { level->setNum(value); });
            level->setNum(slider->value());
            row->addWidget(level);
        }
        rows[option->label] = row;
        auto* label = new QLabel(QString::fromUtf8(option->label), parent);
        label->setBuddy(field);
        form->addRow(label, row);
    }
}

} // namespace

void BuildPage(const char* page, Bindings& bindings, QWidget* parent) {
    std::vector<const Option*> checks;
    std::vector<const Option*> fields;
    std::vector<const Option*> radios;
    std::vector<const Option*> memories;
    std::vector<std::string> groupOrder;
    std::map<std::string, std::vector<const Option*>> groups;
    for (const Option& option : settings::option::Options()) {
        if (std::strcmp(option.page, page) != 0)
            continue;
        if (option.widget == settings::option::Widget::Grid)
            memories.push_back(&option);
        else if (option.widget == settings::option::Widget::RadioButtons)
            radios.push_back(&option);
        else if (*option.group) {
            if (!groups.count(option.group))
                groupOrder.push_back(option.group);
            groups[option.group].push_back(&option);
        } else if (option.widget == settings::option::Widget::CheckBox)
            checks.push_back(&option);
        else
            fields.push_back(&option);
    }

    auto* layout = new QHBoxLayout(parent);
    if (!checks.empty()) {
        auto* column = new QGridLayout;
        const int rows = static_cast<int>((checks.size() + 1) / 2);
        for (size_t i = 0; i < checks.size(); ++i)
            column->addWidget(bindings.AddCheck(*checks[i], parent), static_cast<int>(i) % rows,
                              static_cast<int>(i) / rows);
        column->setRowStretch(rows, 1);
        layout->addLayout(column);
    }
    auto* middle = new QVBoxLayout;
    auto* form = new QFormLayout;
    FillForm(fields, bindings, parent, form);
    middle->addLayout(form);
    for (const Option* option : radios)
        middle->addWidget(bindings.AddRadios(*option, parent));
    middle->addStretch(1);
    layout->addLayout(middle);
    auto* right = new QVBoxLayout;
    for (const std::string& name : groupOrder) {
        auto* box = new QGroupBox(QString::fromUtf8(name.c_str()), parent);
        auto* boxForm = new QFormLayout(box);
        FillForm(groups[name], bindings, box, boxForm);
        right->addWidget(box);
    }
    right->addStretch(1);
    layout->addLayout(right);
    if (!memories.empty())
        layout->addWidget(bindings.AddDtmfMemories(memories, parent));
}

} // namespace setwindow
