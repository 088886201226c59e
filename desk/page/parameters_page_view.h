#pragma once

// The parameters page drawn from a frame's own control model.

#include <QWidget>
#include <map>
#include <string>

#include "desk/host_text.h"
#include "host/ui/control.h"

class QGridLayout;

namespace desk {

// The widgets of one control page, made from the model alone: each control kind has its widget,
// group boxes hold what the model puts in them, and a label sits beside the control it captions.
// Nothing of the page (no caption, default or rule) is written here. Every change a user makes goes
// through the model as a user's change, so the frame's handlers and enabling rules run; then every
// widget is set again from the model, because a handler may have changed other controls too.
//
// Each widget is named after its control (QObject::objectName), so a test finds it as a user
// would find the control on the page.
class ParametersPageView : public QWidget {
    Q_OBJECT
public:
    ParametersPageView(host::ui::ControlPage& page, QWidget* parent = nullptr);

    // Sets every widget from the model: values, enabled and visible states.
    void refresh();
    QWidget* widgetFor(const std::string& controlName) const;

signals:
    // After any user change went through the model.
    void changed();

private:
    void build();
    QWidget* makeWidget(host::ui::Control& control);
    void fill(QWidget* holder, const host::ui::Control* container);
    void userChange(host::ui::Control& control, const QString& value);
    void refreshOne(host::ui::Control& control, QWidget* widget);

    host::ui::ControlPage& page_;
    std::map<const host::ui::Control*, QWidget*> widgets_;
    bool refreshing_ = false;
};

// A caption as a widget shows it: the spaces the page puts around group box titles trimmed.
QString captionText(const host::ui::Control& control);

}  // namespace desk
