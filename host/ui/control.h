#pragma once

// The controls of the parameters page.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/host_api.h"

namespace host::ui {

// A control model of our own: the parameters page without a window toolkit. Captions, items and
// texts are windows-1251. Values set through these members behave as a program's assignment in
// the desktop toolkit the plug-ins were designed for: each control applies its own rule to a
// value out of range, and the change handler fires when the value actually changes. A user's
// change, which is checked first, goes through ui::applyUserValue.

enum class ControlKind { RadioGroup, SpinEdit, DirectoryEdit, ComboBox, CheckBox, Edit, GroupBox, Label, TabPage, Frame };

HOST_API const char* kindName(ControlKind kind);

class HOST_API Control {
public:
    using Handler = std::function<void(Control& sender)>;

    Control(ControlKind kind, std::string name, std::string caption = {});
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return kind_; }
    const std::string& name() const { return name_; }
    const std::string& caption() const { return caption_; }
    void setCaption(std::string caption) { caption_ = std::move(caption); }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool visible() const { return visible_; }
    void setVisible(bool visible) { visible_ = visible; }

    // OnChange or OnClick, whichever the control has.
    void setHandler(Handler handler) { handler_ = std::move(handler); }

    // Where the control sits: the group box that holds it, nullptr for the page itself. A window
    // draws the page from this and the page order alone.
    const Control* container() const { return container_; }
    void setContainer(const Control* container) { container_ = container; }
    // For a label: the control it captions, which a window puts beside it and focuses on its
    // accelerator.
    const Control* focusControl() const { return focusControl_; }
    void setFocusControl(const Control* control) { focusControl_ = control; }

protected:
    void fireChange();

private:
    ControlKind kind_;
    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    Handler handler_;
    const Control* container_ = nullptr;
    const Control* focusControl_ = nullptr;
};

// A radio group or a drop-down list: a list of items and the index of the chosen one, -1 for none.
class HOST_API ItemsControl : public Control {
public:
    ItemsControl(ControlKind kind, std::string name, std::string caption, std::vector<std::string> items,
                 int itemIndex);
    const std::vector<std::string>& items() const { return items_; }
    int itemIndex() const { return itemIndex_; }
    void setItemIndex(int index);

protected:
    virtual int fitIndex(int index) const = 0;

private:
    std::vector<std::string> items_;
    int itemIndex_;
};

// An index past either end is pulled back to -1 or to the last item.
class HOST_API RadioGroup final : public ItemsControl {
public:
    RadioGroup(std::string name, std::string caption, std::vector<std::string> items, int itemIndex = -1)
        : ItemsControl(ControlKind::RadioGroup, std::move(name), std::move(caption), std::move(items), itemIndex) {}

protected:
    int fitIndex(int index) const override;
};

// An index that names no item leaves the list without a choice (-1).
class HOST_API ComboBox final : public ItemsControl {
public:
    ComboBox(std::string name, std::vector<std::string> items, int itemIndex = -1)
        : ItemsControl(ControlKind::ComboBox, std::move(name), {}, std::move(items), itemIndex) {}

protected:
    int fitIndex(int index) const override;
};

// A number edit with a range. Its text is what the page shows; the value is read from the text,
// and a text that is no number (an emptied field) reads as the minimum. A value assigned out of
// range is clamped to it, as long as the range is not empty (minimum equal to maximum).
class HOST_API SpinEdit final : public Control {
public:
    enum class Numbers { Whole, Decimal };

    SpinEdit(std::string name, Numbers numbers, double minValue, double maxValue, int maxLength, double value);

    Numbers numbers() const { return numbers_; }
    double minValue() const { return min_; }
    double maxValue() const { return max_; }
    int maxLength() const { return maxLength_; }

    double value() const;
    void setValue(double value);
    const std::string& text() const { return text_; }
    // The text as typed; no range applies until the value is assigned.
    void setText(std::string text);

    bool inRange(double value) const { return value >= min_ && value <= max_; }
    std::string format(double value) const;

private:
    Numbers numbers_;
    double min_;
    double max_;
    int maxLength_;
    std::string text_;
};

class HOST_API CheckBox final : public Control {
public:
    CheckBox(std::string name, std::string caption, bool checked = false)
        : Control(ControlKind::CheckBox, std::move(name), std::move(caption)), checked_(checked) {}
    bool checked() const { return checked_; }
    void setChecked(bool checked);

private:
    bool checked_;
};

// An edit line, or the directory picker built on one. The maximum length (0: none) limits what a
// user types; text the program assigns is taken whole.
class HOST_API TextEdit : public Control {
public:
    TextEdit(ControlKind kind, std::string name, int maxLength, std::string text = {})
        : Control(kind, std::move(name)), maxLength_(maxLength), text_(std::move(text)) {}
    int maxLength() const { return maxLength_; }
    const std::string& text() const { return text_; }
    void setText(std::string text);

private:
    int maxLength_;
    std::string text_;
};

class HOST_API Edit final : public TextEdit {
public:
    explicit Edit(std::string name, int maxLength = 0) : TextEdit(ControlKind::Edit, std::move(name), maxLength) {}
};

class HOST_API DirectoryEdit final : public TextEdit {
public:
    DirectoryEdit(std::string name, std::string dialogTitle)
        : TextEdit(ControlKind::DirectoryEdit, std::move(name), 0), dialogTitle_(std::move(dialogTitle)) {}
    const std::string& dialogTitle() const { return dialogTitle_; }

private:
    std::string dialogTitle_;
};

// Controls without a value of their own: group boxes, labels, tab pages and embedded frames.
class HOST_API Decoration final : public Control {
public:
    using Control::Control;
};

// The controls of one frame in page order, each found by its name.
class HOST_API ControlPage {
public:
    template <class T, class... Args>
    T& add(Args&&... args) {
        auto control = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *control;
        adopt(std::move(control));
        return ref;
    }

    Control* find(const std::string& name) const;
    // Throws std::logic_error when the page has no such control or it is of another kind:
    // a plug-in asking for a control it does not have is a programming error.
    template <class T>
    T& get(const std::string& name) const {
        auto* typed = dynamic_cast<T*>(find(name));
        if (!typed) missing(name);
        return *typed;
    }

    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }

private:
    void adopt(std::unique_ptr<Control> control);
    [[noreturn]] static void missing(const std::string& name);

    std::vector<std::unique_ptr<Control>> controls_;
};

}  // namespace host::ui
