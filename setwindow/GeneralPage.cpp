#include "setwindow/GeneralPage.h"

#include "widgets/Resources.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>

namespace {
constexpr const char* kOnTimeRange = "On Time must be between 00:00 and 23:59";
constexpr const char* kOffTimeRange = "Off Time must be between 00:00 and 23:59";
constexpr const char* kAltRange = "Altimeter Offset must be between -1000 and 4000";
constexpr const char* kBaroRange = "Barometric Offset must be between -1000 and 4000";
} // namespace

GeneralPage::GeneralPage(vx7::Byte* settings, QWidget* parent) : SettingsPage(settings, parent) {
    setObjectName(QString::fromLatin1(settingsopt::kPageGeneral));
    optioncontrols::BuildPage(settingsopt::kPageGeneral, m_bindings, this);
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
    QMessageBox::warning(this, QString::fromLatin1(res::kAppTitle), QString::fromLatin1(message));
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
    if (changed(kOnTime) && !settingsopt::ParseTime(text(kOnTime)))
        return Refuse(kOnTime, kOnTimeRange);
    if (changed(kOffTime) && !settingsopt::ParseTime(text(kOffTime)))
        return Refuse(kOffTime, kOffTimeRange);
    const auto inRange = [&text](const char* key) {
        const long value = settingsopt::OffsetTextValue(text(key));
        return value >= settingsopt::kOffsetMin && value <= settingsopt::kOffsetMax;
    };
    if (changed(kAltOffset) && !inRange(kAltOffset))
        return Refuse(kAltOffset, kAltRange);
    if (changed(kBaroOffset) && !inRange(kBaroOffset))
        return Refuse(kBaroOffset, kBaroRange);
    return true;
}
