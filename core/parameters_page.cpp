// Building the parameters page of a declaration frame.
#include "core/parameters_page.h"

#include "host/text/cp1251.h"

namespace core {
namespace {

using host::W;
using host::ui::Control;
using host::ui::ControlKind;
using host::ui::ControlPage;

Decoration& label(ControlPage& page, const char* name, std::string_view caption) {
    return page.add<Decoration>(ControlKind::Label, name, W(caption));
}

Decoration& groupBox(ControlPage& page, const char* name, std::string_view caption) {
    return page.add<Decoration>(ControlKind::GroupBox, name, W(caption));
}

std::vector<std::string> items(std::initializer_list<std::string_view> texts) {
    std::vector<std::string> out;
    for (auto text : texts) out.push_back(W(text));
    return out;
}

Edit& personEdit(ControlPage& page, const Control& box, const char* labelName, std::string_view caption,
                 const char* name) {
    auto& lb = label(page, labelName, caption);
    auto& edit = page.add<Edit>(name, 60);
    lb.setFocusControl(&edit);
    lb.setContainer(&box);
    edit.setContainer(&box);
    return edit;
}

void inside(const Control& box, std::initializer_list<Control*> controls) {
    for (Control* control : controls)
        if (control) control->setContainer(&box);
}

}  // namespace

ParametersPage buildParametersPage(ControlPage& page, const FormProfile& profile) {
    auto& rgTypePeriod = page.add<RadioGroup>(
        "rgTypePeriod", W(" Тип отчетного периода "), items({"1 квартал", "2 квартал", "3 квартал", "4 квартал"}), 0);
    auto& gbPeriod = groupBox(page, "gbPeriod", " Выбор отчетного периода ");
    auto& lbYear = label(page, "lbYear", "Год:");
    auto& seYear = page.add<SpinEdit>("seYear", SpinEdit::Numbers::Whole, 1900, 2500, 0, profile.startYear);
    lbYear.setFocusControl(&seYear);
    inside(gbPeriod, {&rgTypePeriod, &lbYear, &seYear});

    auto& rgReportKind =
        page.add<RadioGroup>("rgReportKind", W(" Вид отчета "), items({"Печатная форма", "В электронном виде"}), 1);
    if (profile.fileOnly) rgReportKind.setEnabled(false);

    auto& gbFileOptions = groupBox(page, "gbFileOptions", " Параметры декларации ");
    auto& lbPath = label(page, "lbPath", "Каталог для создания файла декларации");
    auto& dePath = page.add<DirectoryEdit>("dePath", W("Выбор каталога для файла декларации"));
    lbPath.setFocusControl(&dePath);
    auto& lbVidDoc = label(page, "lbVidDoc", "Вид документа:");
    auto& cbVidDoc = page.add<ComboBox>("cbVidDoc", items({"Первичный", "Корректирующий"}), 0);
    lbVidDoc.setFocusControl(&cbVidDoc);
    auto& lbCorrNumber = label(page, "lbCorrNumber", "Номер корректировки");
    auto& seCorrNumber = page.add<SpinEdit>("seCorrNumber", SpinEdit::Numbers::Whole, 1, 999, 3, 1);
    lbCorrNumber.setFocusControl(&seCorrNumber);
    auto& lbCalcPrecision = label(page, "lbCalcPrecision", "Точность расчета количества");
    auto& seCalcPrecision =
        page.add<SpinEdit>("seCalcPrecision", SpinEdit::Numbers::Decimal, 0.1, 10, 2, profile.startCalcPrecision);
    lbCalcPrecision.setFocusControl(&seCalcPrecision);
    auto& cbSuperplace = page.add<CheckBox>("cbSuperplace", W("Группировать обособл. подразделения  по группам МХ "));

    CheckBox* cbUseSelClients = nullptr;
    CheckBox* cbGroupByArticul = nullptr;
    CheckBox* cbShowNullNetto = nullptr;
    CheckBox* cbOnlyMove = nullptr;
    if (profile.retailOptions) {
        cbUseSelClients = &page.add<CheckBox>("cbUseSelClients", W("По выбранным поставщикам (через партионный анализ)"));
        cbGroupByArticul = &page.add<CheckBox>("cbGroupByArticul", W(profile.groupByArticulCaption));
        cbShowNullNetto = &page.add<CheckBox>("cbShowNullNetto", W("Отображать товары с нулевым нетто"));
        cbShowNullNetto->setEnabled(false);
        cbOnlyMove = &page.add<CheckBox>("cbOnlyMove", W("Не выгружать остатки (только для Vintara)"));
    }
    inside(gbFileOptions, {&lbPath, &dePath, &lbVidDoc, &cbVidDoc, &lbCorrNumber, &seCorrNumber, &lbCalcPrecision,
                           &seCalcPrecision, &cbSuperplace, cbUseSelClients, cbGroupByArticul, cbShowNullNetto,
                           cbOnlyMove});

    auto& gbManInfo = groupBox(page, "gbManInfo", " Сведения о руководстве ");
    auto& gbRukInfo = groupBox(page, "gbRukInfo", profile.rukInfoCaption);
    gbRukInfo.setContainer(&gbManInfo);
    auto& edRukFam = personEdit(page, gbRukInfo, "lbRukFam", "Фамилия", "edRukFam");
    auto& edRukName = personEdit(page, gbRukInfo, "lbRukName", "Имя", "edRukName");
    auto& edRukOtc = personEdit(page, gbRukInfo, "lbRukOtc", "Отчество", "edRukOtc");
    auto& gbBuh = groupBox(page, "gbBuh", " Главный бухгалтер ");
    gbBuh.setContainer(&gbManInfo);
    auto& edBuhFam = personEdit(page, gbBuh, "lbBuhFam", "Фамилия", "edBuhFam");
    auto& edBuhName = personEdit(page, gbBuh, "lbBuhName", "Имя", "edBuhName");
    auto& edBuhOtc = personEdit(page, gbBuh, "lbBuhOtc", "Отчество", "edBuhOtc");

    auto& gbNalOrgan = groupBox(page, "gbNalOrgan", " Налоговый орган ");
    auto& lbNalOrganName = label(page, "lbNalOrganName", "Наименование:");
    auto& edNalOrganName = page.add<Edit>("edNalOrganName");
    lbNalOrganName.setFocusControl(&edNalOrganName);
    auto& lbNalOrganKod = label(page, "lbNalOrganKod", "Код:");
    auto& seNalOrganKod = page.add<SpinEdit>("seNalOrganKod", SpinEdit::Numbers::Whole, 0, 9999, 4, 0);
    lbNalOrganKod.setFocusControl(&seNalOrganKod);
    inside(gbNalOrgan, {&lbNalOrganName, &edNalOrganName, &lbNalOrganKod, &seNalOrganKod});

    RadioGroup* rgManufacturer = nullptr;
    RadioGroup* rgVidProd = nullptr;
    if (profile.producerChoice) {
        const auto sources = items({"Из карточек товаров", "Из документов", "Из приходов"});
        rgManufacturer = &page.add<RadioGroup>("rgManufacturer", W(" Производитель "), sources, 0);
        rgVidProd = &page.add<RadioGroup>("rgVidProd", W(" Вид продукции  "), sources, 0);
    }

    return ParametersPage{
        .rgTypePeriod = rgTypePeriod,
        .seYear = seYear,
        .rgReportKind = rgReportKind,
        .lbPath = lbPath,
        .dePath = dePath,
        .cbVidDoc = cbVidDoc,
        .seCorrNumber = seCorrNumber,
        .seCalcPrecision = seCalcPrecision,
        .cbSuperplace = cbSuperplace,
        .cbUseSelClients = cbUseSelClients,
        .cbGroupByArticul = cbGroupByArticul,
        .cbShowNullNetto = cbShowNullNetto,
        .cbOnlyMove = cbOnlyMove,
        .edRukFam = edRukFam,
        .edRukName = edRukName,
        .edRukOtc = edRukOtc,
        .edBuhFam = edBuhFam,
        .edBuhName = edBuhName,
        .edBuhOtc = edBuhOtc,
        .edNalOrganName = edNalOrganName,
        .seNalOrganKod = seNalOrganKod,
        .rgManufacturer = rgManufacturer,
        .rgVidProd = rgVidProd,
    };
}

}  // namespace core
