// The parameters page of each of the six declaration frames: start values and captions, what an
// options file gives and gets back, the enabling rules, validation, and which changes make the
// collected data stale.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "core/declaration_frame.h"
#include "forms/buy/profile.h"
#include "forms/delivery/profile.h"
#include "forms/oborot/profile.h"
#include "forms/rozn/profile.h"
#include "forms/roznbeer/profile.h"
#include "forms/transport/profile.h"
#include "host/data/main_dm.h"
#include "host/text/cp1251.h"
#include "host/ui/user_input.h"
#include "test_support.h"

namespace {

using host::W;
using host::ui::applyUserValue;

struct FormCase {
    const core::FormProfile* profile;
    std::string number;   // the declaration form
    std::string section;  // the module name without its leading p
};

const FormCase kForms[] = {
    {&forms::rozn::kProfile, "11", "ZorvicRozn"},      {&forms::roznbeer::kProfile, "12", "ZorvicRoznBeer"},
    {&forms::transport::kProfile, "08", "ZorvicTransport"}, {&forms::buy::kProfile, "07", "ZorvicBuy"},
    {&forms::delivery::kProfile, "06", "ZorvicDelivery"}, {&forms::oborot::kProfile, "05", "ZorvicOborot"},
};

void PrintTo(const FormCase& form, std::ostream* os) { *os << "form " << form.number; }

// Collecting needs the host database; the tests only need to know that the step collected.
class QuietFrame final : public core::DeclarationFrame {
public:
    using DeclarationFrame::DeclarationFrame;
    int collections = 0;
    void FillDataTable() override { ++collections; }
    // No host database here: the lookups of the file's name are for the run, not the page.
    void checkBeforeCollection() override {}
};

class DeclarationFrameTest : public ::testing::TestWithParam<FormCase> {
protected:
    bool is(std::initializer_list<const char*> forms) const {
        return std::any_of(forms.begin(), forms.end(), [this](const char* f) { return GetParam().number == f; });
    }
    bool retail() const { return is({"11", "12"}); }
    bool producerChoice() const { return !is({"08"}); }

    // As the host makes a frame: created, named, not yet given its options.
    std::unique_ptr<QuietFrame> make() const {
        auto frame = std::make_unique<QuietFrame>(*GetParam().profile);
        frame->setReportName(GetParam().section);
        return frame;
    }
    std::unique_ptr<QuietFrame> makeWithOptions(const std::string& iniText) const {
        auto frame = make();
        host::MemIniFile ini;
        ini.loadFromText(iniText);
        frame->ReadOptions(ini);
        return frame;
    }
    using Entries = std::vector<std::pair<std::string, std::string>>;
    // The frame's options section as SaveOptions leaves it: every key of the form in the order
    // written, with `values` where given, otherwise 0 (texts: empty).
    Entries keyTable(const std::map<std::string, std::string>& values) const {
        std::vector<std::string> keys = {"seYear", "rgTypePeriod"};
        if (!is({"08"})) keys.push_back("rgReportKind");
        keys.insert(keys.end(), {"dePath", "edNalOrganName", "seNalOrganKod", "cbVidDoc", "seCorrNumber",
                                 "seCalcPrecision", "edRukFam", "edRukName", "edRukOtc", "edBuhFam", "edBuhName",
                                 "edBuhOtc", "cbSuperplace"});
        if (retail()) keys.insert(keys.end(), {"cbUseSelClients", "cbGroupByArticul", "cbShowNullNetto", "cbOnlyMove"});
        if (producerChoice()) keys.insert(keys.end(), {"rgManufacturer", "rgVidProd"});
        Entries out;
        for (const auto& key : keys) {
            const auto given = values.find(key);
            const bool text = key.rfind("ed", 0) == 0 || key == "dePath";
            out.emplace_back(key, given != values.end() ? given->second : text ? "" : "0");
        }
        return out;
    }
    static std::string saved(QuietFrame& frame) {
        host::MemIniFile ini;
        frame.SaveOptions(ini);
        return ini.toText();
    }

    // Runs the base generate step so that the data count as freshly collected.
    static void collect(QuietFrame& frame) {
        frame.chooseClient(1, "1");
        frame.sqlClearTables.clear();
        frame.chbRecalc().setChecked(false);
        frame.host::TReportFrame::bbtnGenerateClick(nullptr);
    }
    // Whether the next generate step collects the data again: it does when they are stale.
    static bool collectsAgain(QuietFrame& frame) {
        const int before = frame.collections;
        frame.host::TReportFrame::bbtnGenerateClick(nullptr);
        return frame.collections > before;
    }
    static void set(QuietFrame& frame, const std::string& name, const std::string& value) {
        host::ui::Control* control = frame.page().find(name);
        ASSERT_NE(control, nullptr) << name;
        const auto refusal = applyUserValue(*control, value);
        ASSERT_FALSE(refusal) << *refusal;
    }
};

std::string captionOf(const host::ui::ControlPage& page, const std::string& name) {
    const host::ui::Control* control = page.find(name);
    return control ? host::cp1251ToUtf8(control->caption()) : "<no control " + name + ">";
}

std::vector<std::string> itemsOf(const host::ui::ControlPage& page, const std::string& name) {
    std::vector<std::string> out;
    for (const auto& item : page.get<host::ui::ItemsControl>(name).items()) out.push_back(host::cp1251ToUtf8(item));
    return out;
}

TEST_P(DeclarationFrameTest, PageStartsWithTheFormsCaptionsRangesAndValues) {
    ASSERT_EQ(GetParam().profile->formNumber, GetParam().number);
    ASSERT_EQ("p" + GetParam().section, GetParam().profile->moduleName);
    const auto frame = make();
    const auto& c = frame->controls();
    const auto& page = frame->page();

    EXPECT_EQ(c.rgTypePeriod.itemIndex(), 0);
    EXPECT_EQ(c.seYear.value(), is({"05"}) ? 2012 : 2010);
    EXPECT_EQ(c.seYear.minValue(), 1900);
    EXPECT_EQ(c.seYear.maxValue(), 2500);
    EXPECT_EQ(c.rgReportKind.itemIndex(), 1);
    EXPECT_EQ(c.rgReportKind.enabled(), !is({"08"}));
    EXPECT_EQ(c.cbVidDoc.itemIndex(), 0);
    EXPECT_EQ(c.seCorrNumber.value(), 1);
    EXPECT_EQ(c.seCalcPrecision.value(), is({"05"}) ? 5 : 7);
    EXPECT_DOUBLE_EQ(c.seCalcPrecision.minValue(), 0.1);
    EXPECT_FALSE(c.cbSuperplace.checked());

    for (const char* name : {"cbUseSelClients", "cbGroupByArticul", "cbShowNullNetto", "cbOnlyMove"}) {
        const auto* box = dynamic_cast<const host::ui::CheckBox*>(page.find(name));
        EXPECT_EQ(box != nullptr, retail()) << name;
        if (box) {
            EXPECT_FALSE(box->checked()) << name;
        }
    }
    if (retail()) {
        EXPECT_FALSE(c.cbShowNullNetto->enabled());
    }
    EXPECT_EQ(page.find("rgManufacturer") != nullptr, producerChoice());
    EXPECT_EQ(page.find("rgVidProd") != nullptr, producerChoice());

    const std::pair<const char*, const char*> captions[] = {
        {"rgTypePeriod", " Тип отчетного периода "},
        {"gbPeriod", " Выбор отчетного периода "},
        {"lbYear", "Год:"},
        {"rgReportKind", " Вид отчета "},
        {"gbFileOptions", " Параметры декларации "},
        {"lbPath", "Каталог для создания файла декларации"},
        {"lbVidDoc", "Вид документа:"},
        {"lbCorrNumber", "Номер корректировки"},
        {"lbCalcPrecision", "Точность расчета количества"},
        {"cbSuperplace", "Группировать обособл. подразделения  по группам МХ "},
        {"gbManInfo", " Сведения о руководстве "},
        {"gbRukInfo", is({"12"}) ? " Руководитель/Инд. предприниматель " : " Руководитель "},
        {"gbBuh", " Главный бухгалтер "},
        {"gbNalOrgan", " Налоговый орган "},
        {"lbNalOrganName", "Наименование:"},
        {"lbNalOrganKod", "Код:"},
    };
    for (const auto& [name, caption] : captions) EXPECT_EQ(captionOf(page, name), caption) << name;
    EXPECT_EQ(itemsOf(page, "rgTypePeriod"),
              (std::vector<std::string>{"1 квартал", "2 квартал", "3 квартал", "4 квартал"}));
    EXPECT_EQ(itemsOf(page, "rgReportKind"), (std::vector<std::string>{"Печатная форма", "В электронном виде"}));
    EXPECT_EQ(itemsOf(page, "cbVidDoc"), (std::vector<std::string>{"Первичный", "Корректирующий"}));
    if (retail()) {
        EXPECT_EQ(captionOf(page, "cbUseSelClients"), "По выбранным поставщикам (через партионный анализ)");
        EXPECT_EQ(captionOf(page, "cbGroupByArticul"), is({"12"}) ? "Детализировать по товарам (только для сверки!)"
                                                                  : "Детализировать по товарам (только для проверки!)");
        EXPECT_EQ(captionOf(page, "cbShowNullNetto"), "Отображать товары с нулевым нетто");
        EXPECT_EQ(captionOf(page, "cbOnlyMove"), "Не выгружать остатки (только для Vintara)");
    }
    if (producerChoice()) {
        const std::vector<std::string> sources{"Из карточек товаров", "Из документов", "Из приходов"};
        EXPECT_EQ(captionOf(page, "rgManufacturer"), " Производитель ");
        EXPECT_EQ(captionOf(page, "rgVidProd"), " Вид продукции  ");
        EXPECT_EQ(itemsOf(page, "rgManufacturer"), sources);
        EXPECT_EQ(itemsOf(page, "rgVidProd"), sources);
        EXPECT_EQ(c.rgManufacturer->itemIndex(), 0);
        EXPECT_EQ(c.rgVidProd->itemIndex(), 0);
    }

    // What the frame's form changes on the base frame's form; the rest stays as the base has it.
    const host::TReportFrame base;
    EXPECT_FALSE(frame->basePage("frmPrecision1").visible());
    EXPECT_TRUE(frame->basePage("tsFilter").visible());
    EXPECT_EQ(frame->basePage("tsClients").visible(),
              is({"11", "12", "05"}) ? false : base.basePage("tsClients").visible());
    EXPECT_EQ(frame->ShowReportEnable().checked(), is({"05"}) ? base.ShowReportEnable().checked() : false);
}

TEST_P(DeclarationFrameTest, EmptyOptionsSectionGivesTheDefaultsNotTheStartValues) {
    const auto frame = makeWithOptions("[Common]\n");
    const auto& c = frame->controls();
    EXPECT_EQ(zorvic_test::sectionEntries(saved(*frame), GetParam().section),
              keyTable({{"seYear", is({"05"}) ? "2010" : "2012"},
                        {"seCorrNumber", "1"},
                        {"seCalcPrecision", is({"08", "07", "06", "05"}) ? "7" : "5"}}));
    EXPECT_EQ(c.rgReportKind.itemIndex(), is({"08"}) ? 1 : 0);
    EXPECT_EQ(c.rgReportKind.enabled(), !is({"08"}));
    EXPECT_EQ(c.dePath.enabled(), is({"08"}));
    EXPECT_EQ(c.lbPath.enabled(), is({"08"}));
    EXPECT_FALSE(c.seCorrNumber.enabled());
}

TEST_P(DeclarationFrameTest, OptionsRoundTripKeepsEveryValueInTheKeyOrder) {
    const auto frame = makeWithOptions("");
    const auto& c = frame->controls();
    c.seYear.setValue(2015);
    c.rgTypePeriod.setItemIndex(2);
    c.rgReportKind.setItemIndex(1);
    c.dePath.setText(W("/home/бухгалтерия/декларации"));
    c.edNalOrganName.setText(W("ИФНС России № 5 по г. Москве"));
    c.seNalOrganKod.setValue(7705);
    c.cbVidDoc.setItemIndex(1);
    c.seCorrNumber.setValue(3);
    c.seCalcPrecision.setValue(3.6);
    c.edRukFam.setText(W("Иванов"));
    c.edBuhOtc.setText(W("Юрьевна"));
    c.cbSuperplace.setChecked(true);
    if (retail()) {
        c.cbGroupByArticul->setChecked(true);
        c.cbShowNullNetto->setChecked(true);
    }
    if (producerChoice()) {
        c.rgManufacturer->setItemIndex(2);
        c.rgVidProd->setItemIndex(1);
    }
    const std::string text = saved(*frame);
    EXPECT_EQ(zorvic_test::sectionEntries(text, GetParam().section),
              keyTable({{"seYear", "2015"}, {"rgTypePeriod", "2"}, {"rgReportKind", "1"},
                        {"dePath", "/home/бухгалтерия/декларации"}, {"edNalOrganName", "ИФНС России № 5 по г. Москве"},
                        {"seNalOrganKod", "7705"}, {"cbVidDoc", "1"}, {"seCorrNumber", "3"}, {"seCalcPrecision", "3"},
                        {"edRukFam", "Иванов"}, {"edBuhOtc", "Юрьевна"}, {"cbSuperplace", "1"},
                        {"cbGroupByArticul", "1"}, {"cbShowNullNetto", "1"}, {"rgManufacturer", "2"},
                        {"rgVidProd", "1"}}));
    EXPECT_EQ(text.find("AlkoClientSelection"), std::string::npos) << "the shared key is read, never written";

    // Every value is saved, so saving the restored page again shows what reading lost.
    const auto restored = makeWithOptions(text);
    EXPECT_EQ(saved(*restored), text);
    EXPECT_TRUE(restored->controls().dePath.enabled());
    EXPECT_TRUE(restored->controls().seCorrNumber.enabled());
    if (retail()) {
        EXPECT_TRUE(restored->controls().cbShowNullNetto->enabled());
    }
}

TEST_P(DeclarationFrameTest, OutOfRangeOptionsAreHandedToTheControlsRules) {
    const auto frame = makeWithOptions("[" + GetParam().section +
                                       "]\nseYear=3000\nrgTypePeriod=9\nrgReportKind=-4\ncbVidDoc=2\nseCorrNumber=0\n"
                                       "seCalcPrecision=50\nseNalOrganKod=-3\nrgManufacturer=7\nrgVidProd=-2\n");
    const auto& c = frame->controls();
    EXPECT_EQ(c.seYear.value(), 2500);
    EXPECT_EQ(c.rgTypePeriod.itemIndex(), 3);
    EXPECT_EQ(c.rgReportKind.itemIndex(), is({"08"}) ? 1 : -1);
    EXPECT_EQ(c.cbVidDoc.itemIndex(), -1);
    EXPECT_EQ(c.seCorrNumber.value(), 1);
    EXPECT_EQ(c.seCalcPrecision.value(), 10);
    EXPECT_EQ(c.seNalOrganKod.value(), 0);
    if (producerChoice()) {
        EXPECT_EQ(c.rgManufacturer->itemIndex(), 2);
        EXPECT_EQ(c.rgVidProd->itemIndex(), -1);
    }
}

TEST_P(DeclarationFrameTest, ValidationAppendsYearThenClientLineEachEndedByCarriageReturn) {
    const auto frame = makeWithOptions("");
    const std::string base = W("Нет данных о складе") + "\r";
    const std::string yearLine = W("Не выбран отчетный год") + "\r";
    const std::string clientLine = W("Не выбран клиент \"От имени\"") + "\r";
    set(*frame, "seYear", "");
    EXPECT_EQ(frame->GetErrorMessage(base), base + yearLine + clientLine);
    frame->chooseClient(42, "42");
    EXPECT_EQ(frame->GetErrorMessage(base), base + yearLine);
    set(*frame, "seYear", "2013");
    EXPECT_EQ(frame->GetErrorMessage(base), base);
    frame->chooseClient(-1, {});
    EXPECT_EQ(frame->GetErrorMessage({}), clientLine);
}

TEST_P(DeclarationFrameTest, ReportNameJoinsReportPathNameAndExtensionWithNothingBetween) {
    const auto frame = make();
    const std::string reportPath = host::HostConfig().ReportPath();
    host::HostConfig().setReportPath("/srv/zorvic/reports");
    const std::string name = frame->GetReportName();
    host::HostConfig().setReportPath(reportPath);
    EXPECT_EQ(name, "/srv/zorvic/reports" + GetParam().section + ".fr3");
}

TEST_P(DeclarationFrameTest, DataAffectingChangesMakeTheDataStaleOutputChoicesDoNot) {
    const auto frame = makeWithOptions("");
    std::vector<std::pair<std::string, std::string>> changes = {
        {"seYear", "2013"}, {"rgTypePeriod", "2"}, {"seCalcPrecision", "3"}, {"cbSuperplace", "true"}};
    if (producerChoice()) changes.insert(changes.end(), {{"rgManufacturer", "1"}, {"rgVidProd", "2"}});
    if (retail())
        changes.insert(changes.end(), {{"cbUseSelClients", "true"},
                                       {"cbGroupByArticul", "true"},
                                       {"cbShowNullNetto", "true"},
                                       {"cbOnlyMove", "true"}});
    for (const auto& [name, value] : changes) {
        collect(*frame);
        set(*frame, name, value);
        EXPECT_TRUE(collectsAgain(*frame)) << name << "=" << value;
    }
    collect(*frame);
    frame->chooseClient(2, "2");
    EXPECT_TRUE(collectsAgain(*frame)) << "another organization";

    const auto output = makeWithOptions("");
    const auto& c = output->controls();
    collect(*output);
    if (!is({"08"})) {
        set(*output, "rgReportKind", "1");
        EXPECT_TRUE(c.dePath.enabled());
    }
    set(*output, "cbVidDoc", "1");
    EXPECT_TRUE(c.seCorrNumber.enabled());
    set(*output, "cbVidDoc", "0");
    EXPECT_FALSE(c.seCorrNumber.enabled());
    EXPECT_FALSE(collectsAgain(*output));
}

INSTANTIATE_TEST_SUITE_P(AllForms, DeclarationFrameTest, ::testing::ValuesIn(kForms),
                         [](const auto& info) { return "Form" + info.param.number; });

// Forms 11 and 12 only.
class RetailRulesTest : public DeclarationFrameTest {};

TEST_P(RetailRulesTest, OnlyMoveSwitchesToTheFileAndLocksItUntickingOnlyUnlocks) {
    const auto frame = makeWithOptions("");
    const auto& c = frame->controls();
    ASSERT_EQ(c.rgReportKind.itemIndex(), 0);
    ASSERT_FALSE(c.dePath.enabled());
    set(*frame, "cbOnlyMove", "true");
    EXPECT_EQ(c.rgReportKind.itemIndex(), 1);
    EXPECT_FALSE(c.rgReportKind.enabled());
    EXPECT_TRUE(c.dePath.enabled()) << "the switch to the file enables the directory at once";
    EXPECT_TRUE(c.lbPath.enabled());
    EXPECT_TRUE(applyUserValue(c.rgReportKind, "0"));
    set(*frame, "cbOnlyMove", "false");
    EXPECT_TRUE(c.rgReportKind.enabled());
    EXPECT_EQ(c.rgReportKind.itemIndex(), 1);

    // Read from the options, a ticked box overrides the print form stored before it.
    const auto restored = makeWithOptions("[" + GetParam().section + "]\nrgReportKind=0\ncbOnlyMove=1\n");
    EXPECT_EQ(restored->controls().rgReportKind.itemIndex(), 1);
    EXPECT_FALSE(restored->controls().rgReportKind.enabled());
    EXPECT_TRUE(restored->controls().dePath.enabled());
}

TEST_P(RetailRulesTest, UntickingGoodsDetailDisablesNullNettoButKeepsItsTick) {
    const auto frame = makeWithOptions("");
    const auto& c = frame->controls();
    EXPECT_TRUE(applyUserValue(*c.cbShowNullNetto, "true")) << "disabled while goods detail is off";
    set(*frame, "cbGroupByArticul", "true");
    EXPECT_TRUE(c.cbShowNullNetto->enabled());
    set(*frame, "cbShowNullNetto", "true");
    set(*frame, "cbGroupByArticul", "false");
    EXPECT_FALSE(c.cbShowNullNetto->enabled());
    EXPECT_TRUE(c.cbShowNullNetto->checked());
}

TEST_P(RetailRulesTest, ClientPageFollowsSupplierSelectionUnlessTheCommonKeyKeepsItShown) {
    const auto frame = makeWithOptions("[Common]\nAlkoClientSelection=0\n");
    auto& page = frame->basePage("tsClients");
    EXPECT_FALSE(page.visible());
    set(*frame, "cbUseSelClients", "true");
    EXPECT_TRUE(page.visible());
    set(*frame, "cbUseSelClients", "false");
    EXPECT_FALSE(page.visible());

    for (const char* value : {"1", "true"}) {
        const auto shared = makeWithOptions(std::string("[Common]\nAlkoClientSelection=") + value + "\n");
        auto& sharedPage = shared->basePage("tsClients");
        EXPECT_TRUE(sharedPage.visible()) << value;
        set(*shared, "cbUseSelClients", "true");
        set(*shared, "cbUseSelClients", "false");
        EXPECT_TRUE(sharedPage.visible()) << value;
    }
}

INSTANTIATE_TEST_SUITE_P(RetailForms, RetailRulesTest, ::testing::Values(kForms[0], kForms[1]),
                         [](const auto& info) { return "Form" + info.param.number; });

TEST(TurnoverFormTest, CommonKeyShowsTheClientPageAndNothingHidesItAgain) {
    host::MemIniFile ini;
    ini.loadFromText("[Common]\nAlkoClientSelection=1\n");
    QuietFrame shown(forms::oborot::kProfile);
    shown.setReportName("ZorvicOborot");
    ASSERT_FALSE(shown.basePage("tsClients").visible());
    shown.ReadOptions(ini);
    EXPECT_TRUE(shown.basePage("tsClients").visible());
    for (const auto& [name, value] : std::initializer_list<std::pair<const char*, const char*>>{
             {"rgReportKind", "1"}, {"cbVidDoc", "1"}, {"rgReportKind", "0"}})
        EXPECT_FALSE(applyUserValue(*shown.page().find(name), value));
    shown.ChangeEnabled();
    EXPECT_TRUE(shown.basePage("tsClients").visible());

    QuietFrame hidden(forms::oborot::kProfile);
    hidden.setReportName("ZorvicOborot");
    host::MemIniFile empty;
    hidden.ReadOptions(empty);
    EXPECT_FALSE(hidden.basePage("tsClients").visible());
}

}  // namespace
