// The control model: what a program's assignment does to a value out of range, when handlers
// fire, and which of a user's changes are refused.
#include <gtest/gtest.h>

#include "host/text/cp1251.h"
#include "host/ui/control.h"
#include "host/ui/user_input.h"

namespace {

using namespace host::ui;
using host::W;

// Counts the handler calls of a control.
struct Fired {
    int count = 0;
    explicit Fired(Control& control) {
        control.setHandler([this](Control&) { ++count; });
    }
};

TEST(ControlModelTest, RadioGroupPullsIndexesBackComboBoxDropsTheChoice) {
    RadioGroup group("rgTypePeriod", {}, {"1", "2", "3", "4"}, 0);
    Fired fired(group);
    group.setItemIndex(9);
    EXPECT_EQ(group.itemIndex(), 3);
    group.setItemIndex(4);  // clamps to the same item: no change, no handler
    EXPECT_EQ(fired.count, 1);
    group.setItemIndex(-7);
    EXPECT_EQ(group.itemIndex(), -1);

    ComboBox list("cbVidDoc", {"a", "b"}, 1);
    list.setItemIndex(2);
    EXPECT_EQ(list.itemIndex(), -1);
    list.setItemIndex(0);
    EXPECT_EQ(list.itemIndex(), 0);
}

TEST(ControlModelTest, SpinEditClampsAssignmentsAndReadsAnEmptyTextAsItsMinimum) {
    SpinEdit year("seYear", SpinEdit::Numbers::Whole, 1900, 2500, 0, 2010);
    Fired fired(year);
    year.setValue(3000);
    EXPECT_EQ(year.value(), 2500);
    EXPECT_EQ(year.text(), "2500");
    year.setValue(2500);
    EXPECT_EQ(fired.count, 1);
    year.setValue(12);
    EXPECT_EQ(year.value(), 1900);
    year.setText("");
    EXPECT_EQ(year.value(), 1900);
    EXPECT_EQ(fired.count, 3);

    SpinEdit precision("seCalcPrecision", SpinEdit::Numbers::Decimal, 0.1, 10, 2, 7);
    precision.setValue(0);
    EXPECT_DOUBLE_EQ(precision.value(), 0.1);
    precision.setValue(2.5);
    EXPECT_DOUBLE_EQ(precision.value(), 2.5);
}

// A refused change names the control, leaves it as it was and runs no handler.
void expectRefused(Control& control, const std::string& value) {
    Fired fired(control);
    const auto refusal = applyUserValue(control, value);
    ASSERT_TRUE(refusal) << control.name() << "=" << value << " was taken";
    EXPECT_NE(refusal->find(control.name()), std::string::npos) << *refusal;
    EXPECT_EQ(fired.count, 0);
}

TEST(UserInputTest, ChangesThePageWouldNotAllowAreRefused) {
    RadioGroup group("rgTypePeriod", {}, {"1", "2", "3", "4"}, 0);
    for (const char* value : {"4", "-1", "x", "1.0", ""}) expectRefused(group, value);
    EXPECT_EQ(group.itemIndex(), 0);
    ComboBox list("cbVidDoc", {"a", "b"}, 0);
    expectRefused(list, "2");

    SpinEdit year("seYear", SpinEdit::Numbers::Whole, 1900, 2500, 0, 2010);
    for (const char* value : {"2501", "1899", "20x0", "2012.5", "abc"}) expectRefused(year, value);
    EXPECT_EQ(year.text(), "2010");
    SpinEdit precision("seCalcPrecision", SpinEdit::Numbers::Decimal, 0.1, 10, 2, 7);
    for (const char* value : {"0.05", "10.5"}) expectRefused(precision, value);

    CheckBox box("cbOnlyMove", {});
    expectRefused(box, "yes");

    Edit edit("edRukFam", 60);
    std::string sixtyOne;
    for (int i = 0; i < 61; ++i) sixtyOne += "Ж";
    expectRefused(edit, sixtyOne);
    expectRefused(edit, "日本");

    Decoration label(ControlKind::Label, "lbYear", W("Год:"));
    expectRefused(label, "x");
    Decoration groupBox(ControlKind::GroupBox, "gbPeriod", {});
    expectRefused(groupBox, "x");

    Edit disabled("edBuhFam", 60);
    disabled.setEnabled(false);
    expectRefused(disabled, "a");
    CheckBox hidden("cbUseSelClients", {});
    hidden.setVisible(false);
    expectRefused(hidden, "true");
}

TEST(UserInputTest, AcceptedChangesSetTheValueAndRunTheHandler) {
    SpinEdit precision("seCalcPrecision", SpinEdit::Numbers::Decimal, 0.1, 10, 2, 7);
    Fired precisionFired(precision);
    EXPECT_EQ(applyUserValue(precision, "0.5"), std::nullopt);
    EXPECT_DOUBLE_EQ(precision.value(), 0.5);
    EXPECT_EQ(precisionFired.count, 1);

    SpinEdit year("seYear", SpinEdit::Numbers::Whole, 1900, 2500, 0, 2010);
    EXPECT_EQ(applyUserValue(year, ""), std::nullopt);
    EXPECT_EQ(year.text(), "");

    // The limit counts windows-1251 characters, not the bytes typed.
    Edit edit("edRukFam", 60);
    std::string sixty;
    for (int i = 0; i < 60; ++i) sixty += "Ё";
    EXPECT_EQ(applyUserValue(edit, sixty), std::nullopt);
    EXPECT_EQ(edit.text(), W(sixty));
}

}  // namespace
