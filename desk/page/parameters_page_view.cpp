// Widgets for the controls of a parameters page, and the user's changes sent through the model.
#include "desk/page/parameters_page_view.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

#include "host/ui/user_input.h"

namespace desk {

using host::ui::CheckBox;
using host::ui::ComboBox;
using host::ui::Control;
using host::ui::ControlKind;
using host::ui::ItemsControl;
using host::ui::SpinEdit;
using host::ui::TextEdit;

QString captionText(const Control& control) { return hostText(control.caption()).trimmed(); }

namespace {

// A spin box whose typing is limited like the page's edit: the model's maximum length.
template <class Base>
class LimitedSpin : public Base {
public:
    using Base::Base;
    void setMaxLength(int length) {
        if (length > 0) this->lineEdit()->setMaxLength(length);
    }
    QLineEdit* editor() const { return this->lineEdit(); }
};
using WholeSpin = LimitedSpin<QSpinBox>;

// Decimals only where the number has them: 7 shows as 7, as the page's short field can hold.
class DecimalSpin : public LimitedSpin<QDoubleSpinBox> {
public:
    using LimitedSpin::LimitedSpin;

protected:
    QString textFromValue(double value) const override { return QString::number(value, 'g', 10); }
};

bool holdsOthers(ControlKind kind) { return kind == ControlKind::GroupBox; }

}  // namespace

ParametersPageView::ParametersPageView(host::ui::ControlPage& page, QWidget* parent) : QWidget(parent), page_(page) {
    build();
    refresh();
}

QWidget* ParametersPageView::widgetFor(const std::string& controlName) const {
    const Control* control = page_.find(controlName);
    const auto it = widgets_.find(control);
    return it == widgets_.end() ? nullptr : it->second;
}

QWidget* ParametersPageView::makeWidget(Control& control) {
    QWidget* widget = nullptr;
    switch (control.kind()) {
        case ControlKind::RadioGroup: {
            auto& group = static_cast<ItemsControl&>(control);
            auto* box = new QGroupBox(captionText(control));
            auto* layout = new QGridLayout(box);
            auto* buttons = new QButtonGroup(box);
            // More than two items go in two columns, read down each: the page stays short enough
            // for a laptop's screen.
            const int count = static_cast<int>(group.items().size());
            const int rows = count > 2 ? (count + 1) / 2 : count;
            for (int i = 0; i < count; ++i) {
                auto* button = new QRadioButton(hostText(group.items()[static_cast<size_t>(i)]));
                button->setObjectName(QString::fromStdString(control.name()) + "_" + QString::number(i));
                buttons->addButton(button, i);
                layout->addWidget(button, i % rows, i / rows);
            }
            connect(buttons, &QButtonGroup::idClicked, this,
                    [this, &control](int id) { userChange(control, QString::number(id)); });
            widget = box;
            break;
        }
        case ControlKind::SpinEdit: {
            auto& spin = static_cast<SpinEdit&>(control);
            QAbstractSpinBox* box = nullptr;
            QLineEdit* editor = nullptr;
            if (spin.numbers() == SpinEdit::Numbers::Whole) {
                auto* whole = new WholeSpin;
                whole->setRange(static_cast<int>(spin.minValue()), static_cast<int>(spin.maxValue()));
                whole->setMaxLength(spin.maxLength());
                editor = whole->editor();
                box = whole;
            } else {
                auto* decimal = new DecimalSpin;
                decimal->setDecimals(1);
                decimal->setSingleStep(0.1);
                decimal->setRange(spin.minValue(), spin.maxValue());
                decimal->setMaxLength(spin.maxLength());
                editor = decimal->editor();
                box = decimal;
            }
            // The model reads numbers with a point, whatever the desktop's language.
            box->setLocale(QLocale::c());
            box->setGroupSeparatorShown(false);
            // A number the range accepts goes to the model as typed; an emptied field too (the
            // page then says the value is missing). Half-typed numbers wait.
            connect(editor, &QLineEdit::textChanged, this, [this, &control, box, editor](const QString& text) {
                if (refreshing_) return;
                if (text.isEmpty()) {
                    userChange(control, {});
                } else if (box->hasAcceptableInput()) {
                    QString typed = editor->text().trimmed();
                    userChange(control, typed);
                }
            });
            connect(box, &QAbstractSpinBox::editingFinished, this, [this] { refresh(); });
            widget = box;
            break;
        }
        case ControlKind::DirectoryEdit: {
            auto& edit = static_cast<host::ui::DirectoryEdit&>(control);
            auto* holder = new QWidget;
            auto* layout = new QHBoxLayout(holder);
            layout->setContentsMargins(0, 0, 0, 0);
            auto* line = new QLineEdit;
            line->setObjectName(QString::fromStdString(control.name()) + "_text");
            auto* browse = new QToolButton;
            browse->setObjectName(QString::fromStdString(control.name()) + "_browse");
            browse->setText(QStringLiteral("…"));
            browse->setToolTip(hostText(edit.dialogTitle()));
            layout->addWidget(line, 1);
            layout->addWidget(browse);
            holder->setFocusProxy(line);
            connect(line, &QLineEdit::textEdited, this, [this, &control](const QString& text) { userChange(control, text); });
            connect(browse, &QToolButton::clicked, this, [this, &edit, line] {
                // The dialog can make a new folder; the chosen one is taken as if typed.
                const QString chosen = QFileDialog::getExistingDirectory(this, hostText(edit.dialogTitle()), line->text());
                if (!chosen.isEmpty()) userChange(edit, chosen);
            });
            widget = holder;
            break;
        }
        case ControlKind::ComboBox: {
            auto& list = static_cast<ItemsControl&>(control);
            auto* combo = new QComboBox;
            for (const auto& item : list.items()) combo->addItem(hostText(item));
            connect(combo, &QComboBox::activated, this,
                    [this, &control](int index) { userChange(control, QString::number(index)); });
            widget = combo;
            break;
        }
        case ControlKind::CheckBox: {
            auto* box = new QCheckBox(captionText(control));
            connect(box, &QCheckBox::clicked, this,
                    [this, &control](bool checked) { userChange(control, checked ? "true" : "false"); });
            widget = box;
            break;
        }
        case ControlKind::Edit: {
            auto& edit = static_cast<TextEdit&>(control);
            auto* line = new QLineEdit;
            if (edit.maxLength() > 0) line->setMaxLength(edit.maxLength());
            connect(line, &QLineEdit::textEdited, this, [this, &control](const QString& text) { userChange(control, text); });
            widget = line;
            break;
        }
        case ControlKind::GroupBox: widget = new QGroupBox(captionText(control)); break;
        case ControlKind::Label: widget = new QLabel(captionText(control)); break;
        case ControlKind::TabPage:
        case ControlKind::Frame:
            // Pages and embedded frames belong to the window around the page, not to the page.
            return nullptr;
    }
    widget->setObjectName(QString::fromStdString(control.name()));
    widgets_[&control] = widget;
    return widget;
}

// The controls held by one container, in page order, as rows: a label beside the control it
// captions, anything else across the row.
void ParametersPageView::fill(QWidget* holder, const Control* container) {
    auto* grid = new QGridLayout(holder);
    grid->setVerticalSpacing(4);
    int row = 0;
    std::map<const Control*, QLabel*> captions;
    for (const auto& owned : page_.controls()) {
        Control& control = *owned;
        if (control.container() != container) continue;
        QWidget* widget = makeWidget(control);
        if (!widget) continue;
        if (control.kind() == ControlKind::Label && control.focusControl() &&
            control.focusControl()->container() == container) {
            // Placed with its control, when that comes.
            captions[control.focusControl()] = static_cast<QLabel*>(widget);
            continue;
        }
        if (holdsOthers(control.kind())) fill(widget, &control);
        if (const auto it = captions.find(&control); it != captions.end()) {
            it->second->setBuddy(widget);
            grid->addWidget(it->second, row, 0);
            grid->addWidget(widget, row, 1);
            captions.erase(it);
        } else {
            grid->addWidget(widget, row, 0, 1, 2);
        }
        ++row;
    }
    // A label whose control is elsewhere still shows.
    for (const auto& [control, label] : captions) grid->addWidget(label, row++, 0, 1, 2);
    grid->setColumnStretch(1, 1);
}

void ParametersPageView::build() {
    // The page's top-level blocks, in page order, flowed into two columns of about equal height
    // so that the whole page fits a laptop's screen.
    auto* blocks = new QWidget;
    fill(blocks, nullptr);
    // Sizes as the style will draw them.
    blocks->ensurePolished();
    auto* grid = static_cast<QGridLayout*>(blocks->layout());
    // Rows of a label and its control move together.
    std::vector<std::vector<QWidget*>> rows;
    for (int i = 0; i < grid->count(); ++i) {
        int r = 0, c = 0, rs = 0, cs = 0;
        grid->getItemPosition(i, &r, &c, &rs, &cs);
        if (static_cast<int>(rows.size()) <= r) rows.resize(r + 1);
        rows[r].push_back(grid->itemAt(i)->widget());
    }
    int total = 0;
    std::vector<int> heights;
    for (const auto& row : rows) {
        int h = 0;
        for (QWidget* w : row) h = std::max(h, w->sizeHint().height());
        heights.push_back(h);
        total += h;
    }
    auto* columns = new QHBoxLayout(this);
    QGridLayout* column[2] = {new QGridLayout, new QGridLayout};
    // The split that makes the taller column shortest.
    size_t split = rows.size();
    int best = total;
    for (size_t k = 0, left = 0; k <= rows.size(); left += k < rows.size() ? heights[k] : 0, ++k) {
        const int taller = std::max(static_cast<int>(left), total - static_cast<int>(left));
        if (taller < best) {
            best = taller;
            split = k;
        }
    }
    int at[2] = {0, 0};
    for (size_t r = 0; r < rows.size(); ++r) {
        const int c = r < split ? 0 : 1;
        if (rows[r].size() == 2) {
            column[c]->addWidget(rows[r][0], at[c], 0);
            column[c]->addWidget(rows[r][1], at[c], 1);
        } else {
            for (QWidget* w : rows[r]) column[c]->addWidget(w, at[c], 0, 1, 2);
        }
        ++at[c];
    }
    for (int c = 0; c < 2; ++c) {
        column[c]->setRowStretch(at[c], 1);
        column[c]->setColumnStretch(1, 1);
        columns->addLayout(column[c], 1);
    }
    delete blocks;
}

void ParametersPageView::userChange(Control& control, const QString& value) {
    if (refreshing_) return;
    // The model refuses what the page does not allow; the widget then shows the model's value.
    (void)host::ui::applyUserValue(control, value.toStdString());
    refresh();
    emit changed();
}

void ParametersPageView::refresh() {
    refreshing_ = true;
    for (const auto& [control, widget] : widgets_) refreshOne(*const_cast<Control*>(control), widget);
    refreshing_ = false;
}

void ParametersPageView::refreshOne(Control& control, QWidget* widget) {
    const QSignalBlocker block(widget);
    widget->setEnabled(control.enabled());
    widget->setVisible(control.visible());
    switch (control.kind()) {
        case ControlKind::RadioGroup: {
            const int index = static_cast<ItemsControl&>(control).itemIndex();
            const auto buttons = widget->findChildren<QRadioButton*>();
            for (int i = 0; i < buttons.size(); ++i) {
                const QSignalBlocker blockButton(buttons[i]);
                // An exclusive group cannot show "none chosen" otherwise.
                buttons[i]->setAutoExclusive(false);
                buttons[i]->setChecked(i == index);
                buttons[i]->setAutoExclusive(true);
            }
            break;
        }
        case ControlKind::SpinEdit: {
            auto& spin = static_cast<SpinEdit&>(control);
            auto* box = static_cast<QAbstractSpinBox*>(widget);
            if (box->hasFocus() && box->hasAcceptableInput() == false) break;  // the user is typing
            if (spin.text().empty()) {
                box->clear();
            } else if (auto* whole = qobject_cast<QSpinBox*>(box)) {
                if (whole->value() != static_cast<int>(spin.value()) || whole->text().isEmpty())
                    whole->setValue(static_cast<int>(spin.value()));
            } else if (auto* decimal = qobject_cast<QDoubleSpinBox*>(box)) {
                if (decimal->value() != spin.value() || decimal->text().isEmpty()) decimal->setValue(spin.value());
            }
            break;
        }
        case ControlKind::DirectoryEdit: {
            auto* line = widget->findChild<QLineEdit*>();
            const QString text = hostText(static_cast<TextEdit&>(control).text());
            if (line->text() != text) {
                const QSignalBlocker blockLine(line);
                line->setText(text);
            }
            break;
        }
        case ControlKind::ComboBox:
            static_cast<QComboBox*>(widget)->setCurrentIndex(static_cast<ItemsControl&>(control).itemIndex());
            break;
        case ControlKind::CheckBox:
            static_cast<QCheckBox*>(widget)->setChecked(static_cast<CheckBox&>(control).checked());
            break;
        case ControlKind::Edit: {
            auto* line = static_cast<QLineEdit*>(widget);
            const QString text = hostText(static_cast<TextEdit&>(control).text());
            if (line->text() != text) line->setText(text);
            break;
        }
        default: break;
    }
}

}  // namespace desk
