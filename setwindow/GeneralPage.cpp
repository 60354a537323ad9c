#include "setwindow/GeneralPage.h"

#include "widgets/Resources.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>

namespace setwindow {

namespace {
constexpr const char* kOnTimeRange = "On Time must be between 00:00 and 23:59";
constexpr const char* kOffTimeRange = "Off Time must be between 00:00 and 23:59";
constexpr const char* kAltRange = "Altimeter Offset must be between -1000 and 4000";
constexpr const char* kBaroRange = "Barometric Offset must be between -1000 and 4000";
} // namespace

GeneralPage::GeneralPage(radio::Byte* settings, QWidget* parent) : SettingsPage(settings, parent) {
    setObjectName(QString::fromLatin1(settings::option::kPageGeneral));
    setwindow::BuildPage(settings::option::kPageGeneral, m_bindings, this);
    m_artsSwitch = findChild<QCheckBox*>(QString::fromLatin1(kArtsSwitch));
    // ARTS can only be switched off here.
    connect(m_artsSwitch, &QCheckBox::clicked, m_artsSwitch,
            [box = m_artsSwitch] { box->setEnabled(false); });
}

void GeneralPage::Load() {
    m_bindings.Load(Settings());
    m_artsSwitch->setEnabled(m_artsSwitch->isChecked());
}

void GeneralPage::Save() {
    m_bindings.Save(Settings());
}

bool GeneralPage::Refuse(const char* key, const char* message) {
    QMessageBox::warning(this, QString::fromLatin1(widgets::res::kAppTitle),
                         QString::fromLatin1(message));
    auto* edit = findChild<QLineEdit*>(QString::fromLatin1(key));
    edit->selectAll();
    edit->setFocus();
    return false;
}

bool GeneralPage::Validate() {
    // Only fields the user changed are checked: what the radio holds and no
    // field can show passes through untouched.
    const auto changed = [this](const char* key) {
        return m_bindings.Find(QString::fromLatin1(key))->Changed();
    };
    const auto text = [this](const char* key) {
        return findChild<QLineEdit*>(QString::fromLatin1(key))->text();
    };
    if (changed(kOnTime) && !settings::option::ParseTime(text(kOnTime)))
        return Refuse(kOnTime, kOnTimeRange);
    if (changed(kOffTime) && !settings::option::ParseTime(text(kOffTime)))
        return Refuse(kOffTime, kOffTimeRange);
    const auto inRange = [&text](const char* key) {
        const long value = settings::option::OffsetTextValue(text(key));
        return value >= settings::option::kOffsetMin && value <= settings::option::kOffsetMax;
    };
    if (changed(kAltOffset) && !inRange(kAltOffset))
        return Refuse(kAltOffset, kAltRange);
    if (changed(kBaroOffset) && !inRange(kBaroOffset))
        return Refuse(kBaroOffset, kBaroRange);
    return true;
}

} // namespace setwindow
