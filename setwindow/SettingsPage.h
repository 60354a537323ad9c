// One page of the settings window. The window gives every page the same
// working copy of the settings block; a page loads its controls from it when
// it is shown and saves them back when it is hidden, so the working copy is
// current whenever the tab changes.
#pragma once

#include "radio/ImageLayout.h"

#include <QWidget>

namespace setwindow {

class SettingsPage : public QWidget {
public:
    SettingsPage(radio::Byte* settings, QWidget* parent) : QWidget(parent), m_settings(settings) {}

    // Fills every control from the working copy.
    virtual void Load() = 0;
    // Writes the controls back into the working copy. A control the user did
    // not change writes nothing, so values a control cannot show survive.
    virtual void Save() = 0;
    // The page's check before the tab changes, a menu command runs or the
    // window closes; false after telling the user what is wrong.
    virtual bool Validate() { return true; }
    // The help topic of the page; 0 for none.
    virtual int HelpTopic() const { return 0; }

protected:
    radio::Byte* Settings() const { return m_settings; }

private:
    radio::Byte* m_settings;
};

} // namespace setwindow
