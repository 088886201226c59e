// The print form: the variables the frames hand their templates (looked up in the host database
// or taken from the page), the datasets opened and closed around the report, and when a form
// shows an empty report or nothing at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/print_output.h"
#include "core/print_form/print_datasets.h"
#include "declaration_body_fixture.h"
#include "forms/buy/report_frame.h"
#include "forms/delivery/report_frame.h"
#include "forms/rozn/report_frame.h"
#include "forms/roznbeer/report_frame.h"
#include "host/data/main_dm.h"
#include "host/local/local_sql.h"
#include "host/local/local_table.h"
#include "host/report/report_error.h"
#include "host/text/cp1251.h"
#include "test_support.h"

namespace {

using host::Variant;
using host::W;

// Keeps what it was shown.
class PreviewSpy final : public host::ReportPreview {
public:
    void show(const host::PreparedReport& report) override {
        ++shown;
        last = report;
    }
    int shown = 0;
    host::PreparedReport last;
};

// The preview every engine shows in, for as long as it is in scope.
class InstalledPreview {
public:
    explicit InstalledPreview(host::ReportPreview& preview) { host::installReportPreview(&preview); }
    ~InstalledPreview() { host::installReportPreview(nullptr); }
    InstalledPreview(const InstalledPreview&) = delete;
    InstalledPreview& operator=(const InstalledPreview&) = delete;
};

// The frame over work tables made by hand; the organization lookups are answered by a piece of
// their SQL text, and every text asked is kept.
template <class Frame>
class PrintForm : public zorvic_test::DeclarationBodyFixture<Frame> {
protected:
    PrintForm()
        : zorvic_test::DeclarationBodyFixture<Frame>(std::string(Frame::kProfile.moduleName.substr(1)),
                                                     zorvic_test::ReferenceBlock::BehindFormHeader, {}) {}

    void SetUp() override {
        zorvic_test::DeclarationBodyFixture<Frame>::SetUp();
        host::HostConfig().setReportPath((this->scratch / "").string());
        host::installReportPreview(&preview);
        this->frame.controls().seYear.setValue(2010);
        this->frame.controls().rgReportKind.setItemIndex(0);
        writeTemplate("{}");
    }
    void TearDown() override {
        host::installReportPreview(nullptr);
        zorvic_test::DeclarationBodyFixture<Frame>::TearDown();
    }
    std::optional<std::vector<Variant>> firstRow(const std::string& sql) override {
        asked.push_back(sql);
        for (const auto& [piece, row] : answers)
            if (sql.find(piece) != std::string::npos) return row;
        return std::nullopt;
    }

    // Creates the form's work tables, each with `rows` rows of nothing but a subdivision.
    void makeTables(const std::vector<std::string>& names, int rows) {
        for (const auto& name : names) this->fill(name, std::vector<zorvic_test::Row>(rows));
    }

    void writeTemplate(const std::string& json) {
        zorvic_test::writeFile(this->scratch / std::string(Frame::kProfile.printTemplate), json);
    }

    std::string expression(const char* name) { return this->frame.frReport.variables().expression(name); }
    // The template's title line, as the last report shown printed it.
    std::string printedTitle() const {
        if (preview.last.pages.empty() || preview.last.pages[0].texts.empty()) return "<nothing printed>";
        return preview.last.pages[0].texts[0].text;
    }
    static std::string titleOf(const std::string& text) {
        return R"("reportTitle": {"height": 5, "texts": [{"width": 190, "height": 5, "text": ")" + text + R"("}]})";
    }

    std::vector<std::pair<std::string, std::vector<Variant>>> answers;
    std::vector<std::string> asked;
    PreviewSpy preview;
};

using Form11Print = PrintForm<forms::rozn::TZorvicRoznReport>;
using Form12Print = PrintForm<forms::roznbeer::TZorvicRoznBeerReport>;
using Form07Print = PrintForm<forms::buy::TZorvicBuyReport>;
using Form06Print = PrintForm<forms::delivery::TZorvicDeliveryReport>;

const std::vector<std::string> kForm11Tables = {"ZorvicRoznBuy", "ZorvicRoznOborot", "ZorvicRoznObosob"};
const std::vector<std::string> kForm12Tables = {"ZorvicRoznBeerBuy", "ZorvicRoznBeerOborot", "ZorvicRoznBeerObosob"};

// --- variables -----------------------------------------------------------------------------------

TEST_F(Form11Print, OrganizationRequisitesArePaddedQuotedAndCleanedOfApostrophes) {
    answers = {{"INN_CLIENTS", {Variant("7701234567")}},
                  {"legal_name", {Variant(W("ООО 'Ромашка'"))}},
                  {"KPP from", {Variant("770101001")}},
                  {"GET_ADDRESS_KLADR(0,7)",
                   {Variant("101000"), Variant("77"), Variant(""), Variant(W("Москва")), Variant(W("Тверская")),
                    Variant::null()}},
                  {"TEL_CLIENTS", {Variant("+7 495 000'00")}},
                  {"lic_sfera_name", {Variant(W("Розничная продажа"))}},
                  {"LIC_SERIES", {Variant("AB")}},
                  {"LIC_NUMBER", {Variant("123")}},
                  {"LIC_DATE", {Variant(host::encodeDate(2009, 5, 4))}},
                  {"LIC_GOODDATE", {Variant(host::encodeDate(2014, 5, 3))}}};
    makeTables(kForm11Tables, 1);
    frame.controls().rgTypePeriod.setItemIndex(1);
    frame.PrintReport();

    EXPECT_EQ(expression("INN"), "'007701234567'");
    EXPECT_EQ(host::cp1251ToUtf8(expression("FullName")), "'ООО \"Ромашка\"'");
    EXPECT_EQ(expression("KPP"), "'770101001'");
    EXPECT_EQ(expression("INDEX"), "'101000'");
    EXPECT_EQ(expression("DISTRICT"), "''");
    EXPECT_EQ(expression("HOUSE"), "''");  // a null column is the empty text
    EXPECT_FALSE(frame.frReport.variables().contains("ADDRESS"));
    EXPECT_EQ(expression("TELEFON"), "'+7 495 000\"00'");
    EXPECT_EQ(expression("LIC_DATE"), "'04.05.2009'");
    EXPECT_EQ(expression("LIC_GOOD_DATE"), "'03.05.2014'");
    // Quarter 2 of 2010: the licence is asked for as of its last day.
    EXPECT_EQ(asked.at(4), "select lic_sfera_name from CLIENT_LIC_VIEW(7, '30.06.2010')");
    EXPECT_EQ(expression("OTC_PERIOD"), "'6'");
    EXPECT_EQ(expression("OTC_YEAR"), "'2010'");
    EXPECT_EQ(preview.shown, 1);
}

TEST_F(Form11Print, LookupsRunInOrderWithTheirExactTextsAndSkipWhatTheHostDoesNotAnswer) {
    answers = {{"INN_CLIENTS", {Variant("")}}, {"LIC_NUMBER", {Variant("77-01")}}};
    writeTemplate(R"({"variables": {"INN": "'шаблон'", "INDEX": "'нет индекса'", "CORRNUM": "'—'"}, )" +
                  titleOf("[INN]|[INDEX]|[CORRNUM]") + "}");
    makeTables(kForm11Tables, 1);
    frame.controls().rgTypePeriod.setItemIndex(3);
    frame.PrintReport();

    const std::string view = " from CLIENT_LIC_VIEW(7, '31.12.2010')";
    EXPECT_EQ(asked,
              (std::vector<std::string>{
                  "select INN_CLIENTS from CLIENTS where ID_CLIENTS=7",
                  "select iif(legal_name <> '', legal_name, name_clients) from CLIENTS where ID_CLIENTS=7",
                  "select KPP from CLIENTS where ID_CLIENTS=7",
                  "select post_index, region_kod, district_name,        iif(city_name <> '', city_name, city_name ||' \\ "
                  "')||nas_punkt,        street_name, house || iif (building<>'', ' \\ '||building, '') from "
                  "GET_ADDRESS_KLADR(0,7)",
                  "select lic_sfera_name" + view, "select TEL_CLIENTS from CLIENTS where ID_CLIENTS=7",
                  "select LIC_SERIES" + view, "select LIC_NUMBER" + view, "select LIC_DATE" + view,
                  "select LIC_GOODDATE" + view}));
    // An empty INN and the missing address keep the template's values; the lookups after them ran.
    // A primary document leaves CORRNUM as the template has it.
    EXPECT_EQ(printedTitle(), "шаблон|нет индекса|—");
    EXPECT_FALSE(frame.frReport.variables().contains("FullName"));
    EXPECT_EQ(expression("LIC_NUMBER"), "'77-01'");
    EXPECT_EQ(expression("OTC_PERIOD"), "'0'");
    EXPECT_EQ(expression("VIDDOC"), "'1'");
}

TEST_F(Form11Print, PageChoicesBecomeVariablesAndTypedTextPrintsAsTyped) {
    answers = {{"INN_CLIENTS", {Variant("77012345678901")}}};
    makeTables(kForm11Tables, 1);
    const auto& c = frame.controls();
    c.seNalOrganKod.setText("77");
    c.edNalOrganName.setText(W("ИФНС №1"));
    c.edRukFam.setText("O'Brien");
    c.cbVidDoc.setItemIndex(1);
    c.seCorrNumber.setValue(2);
    c.cbGroupByArticul->setChecked(true);
    c.cbShowNullNetto->setChecked(true);
    writeTemplate("{" + titleOf("[NALORGANNAME]|[RUKFIO]|") + "}");
    frame.PrintReport();

    EXPECT_EQ(expression("INN"), "'770123456789'");  // cut to its first 12
    EXPECT_EQ(expression("NALORGANKOD"), "'0077'");
    EXPECT_EQ(printedTitle(), "ИФНС №1|O'Brien  |");
    EXPECT_EQ(expression("BUHFIO"), "'  '");  // three empty fields: two blanks
    EXPECT_EQ(expression("VIDDOC"), "'3'");
    EXPECT_EQ(expression("CORRNUM"), "'2'");
    EXPECT_EQ(expression("SHOW_GOODS"), "'1'");
    EXPECT_EQ(expression("SHOW_NULL_NETTO"), "'1'");

    // Without the goods detail the null-netto box is disabled and counts as unticked, ticked or not.
    c.seNalOrganKod.setText("");
    c.cbGroupByArticul->setChecked(false);
    ASSERT_TRUE(c.cbShowNullNetto->checked());
    ASSERT_FALSE(c.cbShowNullNetto->enabled());
    frame.PrintReport();
    EXPECT_EQ(expression("NALORGANKOD"), "'0000'");
    EXPECT_EQ(expression("SHOW_GOODS"), "'0'");
    EXPECT_EQ(expression("SHOW_NULL_NETTO"), "'0'");
}

TEST_F(Form12Print, AddressLineEntrepreneurMarkAndAnEmptyKpp) {
    answers = {{"KPP from", {Variant("")}},
                  {"GET_ADDRESS_KLADR(0,7)",
                   {Variant("101000"), Variant("77"), Variant(""), Variant(""), Variant(""), Variant("1"),
                    Variant(W("Москва, ул. 'Садовая', 1"))}},
                  {"coalesce(ok.is_ip, 0)", {Variant(1)}}};
    makeTables(kForm12Tables, 1);
    frame.PrintReport();

    EXPECT_FALSE(frame.frReport.variables().contains("KPP"));
    EXPECT_EQ(host::cp1251ToUtf8(expression("ADDRESS")), "'Москва, ул. \"Садовая\", 1'");
    EXPECT_EQ(expression("IS_IP"), "'1'");
    EXPECT_NE(asked.at(3).find("''),       address  from GET_ADDRESS_KLADR(0,7)"), std::string::npos);
    EXPECT_EQ(asked.at(4),
              "select coalesce(ok.is_ip, 0)  from CLIENTS cl  left join OWNKIND ok on ok.id = cl.ownkind  "
              "where cl.id_clients = 7");
    EXPECT_EQ(expression("SHOW_GOODS"), "'0'");
}

// --- empty reports -----------------------------------------------------------------------------

TEST_F(Form07Print, NoPurchasesShowNothingAndSayNothing) {
    makeTables({"ZorvicBuy", "ZorvicBuyObosob"}, 0);
    writeTemplate(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "Закупки"}]}})");
    frame.PrintReport();
    EXPECT_EQ(preview.shown, 0);

    makeTables({"ZorvicBuy"}, 2);
    frame.PrintReport();
    ASSERT_EQ(preview.shown, 1);
    EXPECT_EQ(preview.last.pages.at(0).texts.at(0).text, "Закупки");
    EXPECT_FALSE(frame.qResult.active());
    EXPECT_FALSE(frame.tblObosob.active());
}

TEST_F(Form06Print, NoDeliveriesStillShowTheEmptyReport) {
    makeTables({"ZorvicDelivery", "ZorvicDeliveryObosob"}, 0);
    writeTemplate(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "[COUNT(tblResult)]"}]},
                      "data": [{"dataset": "tblResult", "band": {"height": 5}}]})");
    frame.PrintReport();
    ASSERT_EQ(preview.shown, 1);
    EXPECT_EQ(preview.last.pages.at(0).texts.at(0).text, "0");
    EXPECT_EQ(preview.last.fileStem, "ZorvicDelivery");
}

TEST_F(Form11Print, EmptyTurnoverEndsSilentlyEvenWithoutATemplate) {
    std::filesystem::remove(scratch / "ZorvicRozn.fr3");
    makeTables(kForm11Tables, 0);
    frame.PrintReport();
    EXPECT_EQ(preview.shown, 0);
}

// --- templates that cannot be loaded --------------------------------------------------------------

// The program's print output, written into the scratch directory: a template that cannot be loaded
// leaves no file there.
TEST_F(Form07Print, AMissingTemplateIsAnErrorNamingItAndNothingIsWritten) {
    std::filesystem::remove(scratch / "ZorvicBuy.fr3");
    makeTables({"ZorvicBuy", "ZorvicBuyObosob"}, 2);
    const auto pdf = scratch / "print.pdf";
    app::PrintOutputFile file(pdf.string());
    host::installReportPreview(&file);
    try {
        frame.PrintReport();
        FAIL() << "a report was printed without its template";
    } catch (const host::ReportError& e) {
        EXPECT_EQ(std::string(e.what()), "report template " + (scratch / "ZorvicBuy.fr3").string() + " is not found");
    }
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_TRUE(file.written().empty());
    EXPECT_FALSE(frame.qResult.active());
    EXPECT_FALSE(frame.tblObosob.active());
}

TEST_F(Form06Print, MalformedAndUnreadableTemplatesAreErrorsNamingThem) {
    makeTables({"ZorvicDelivery", "ZorvicDeliveryObosob"}, 1);
    const auto html = scratch / "print.html";
    app::PrintOutputFile file(html.string());
    host::installReportPreview(&file);
    const std::string path = (scratch / "ZorvicDelivery.fr3").string();
    const struct {
        const char* text;
        std::string expected;
    } broken[] = {
        {R"({"reportTitle": {"height": 5, "texts": [)", "report template " + path + " is not valid JSON"},
        {R"({"reportTitle": {"height": -5}})", "report template " + path + ": height must not be negative"},
        {R"(["not", "a", "template"])", "report template " + path + ": the template must be an object"},
    };
    for (const auto& b : broken) {
        writeTemplate(b.text);
        try {
            frame.PrintReport();
            ADD_FAILURE() << "printed with " << b.text;
        } catch (const host::ReportError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(b.expected, 0), 0u) << e.what();
        }
        EXPECT_FALSE(std::filesystem::exists(html)) << b.text;
    }
    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    EXPECT_THROW(frame.PrintReport(), host::ReportError);
    EXPECT_FALSE(std::filesystem::exists(html));

    // The same run with a template writes the file.
    std::filesystem::remove(path);
    writeTemplate(R"({"reportTitle": {"height": 5, "texts": [{"width": 50, "height": 5, "text": "Поставки"}]}})");
    frame.PrintReport();
    EXPECT_NE(zorvic_test::readFile(html).find("Поставки"), std::string::npos);
}

// --- opening and closing ----------------------------------------------------------------------

// A dataset over a work table that notes when it is opened and closed.
class NotingTable final : public host::LocalDataSet {
public:
    NotingTable(const char* label, std::vector<std::string>& log, const std::string& dir, bool failOpen = false)
        : LocalDataSet(label, false), label_(label), log_(log), failOpen_(failOpen) {
        setDatabaseName(dir);
    }
    void open() override {
        log_.push_back(std::string("open ") + label_);
        if (failOpen_) throw std::runtime_error("cannot open " + std::string(label_));
        opening_ = true;
        LocalDataSet::open();
        opening_ = false;
    }
    void close() override {
        if (!opening_) log_.push_back(std::string(active() ? "close " : "close closed ") + label_);
        LocalDataSet::close();
    }

protected:
    std::string readSql() const override { return host::translateLocalSql(kSql).sql; }
    std::vector<std::string> readTables() const override { return host::translateLocalSql(kSql).tables; }
    static constexpr const char* kSql = "select * from \"ZorvicBuyObosob.db\"";

private:
    const char* label_;
    std::vector<std::string>& log_;
    bool failOpen_;
    bool opening_ = false;  // opening closes first
};

TEST(PrintDatasets, ClosedInTheirOwnOrderAfterTheReportAndOnEveryFailure) {
    zorvic_test::ScratchDir scratch;
    const std::string dir = (scratch / "").string();
    {
        host::LocalTable t("ZorvicBuyObosob");
        t.setDatabaseName(dir);
        t.open();
        t.append();
        t.post();
        t.close();
    }
    std::vector<std::string> log;
    NotingTable a("a", log, dir), b("b", log, dir), c("c", log, dir);
    PreviewSpy preview;
    const InstalledPreview installed(preview);
    host::ReportEngine engine;
    engine.loadFromText(R"({"data": [{"dataset": "tblObosob", "band": {"height": 5}}]})");
    const core::PrintDatasets datasets{{{"tblObosob", &a}}, {&a, &b, &c}, {&b, &a, &c}, &a};

    EXPECT_TRUE(core::prepareAndShow(engine, datasets));
    EXPECT_EQ(log, (std::vector<std::string>{"open a", "open b", "open c", "close b", "close a", "close c"}));
    EXPECT_EQ(preview.shown, 1);

    // The engine fails while preparing: the error passes on, every dataset is closed first.
    log.clear();
    engine.loadFromText(R"({"reportTitle": {"height": 5, "texts": [{"width": 9, "height": 5, "text": "[NOSUCH]"}]}})");
    EXPECT_THROW(core::prepareAndShow(engine, datasets), host::ReportError);
    EXPECT_EQ(log, (std::vector<std::string>{"open a", "open b", "open c", "close b", "close a", "close c"}));

    // Opening fails halfway: those before it and after it are closed all the same.
    log.clear();
    NotingTable broken("b", log, dir, true);
    const core::PrintDatasets failing{{{"tblObosob", &a}}, {&a, &broken, &c}, {&broken, &a, &c}, &a};
    EXPECT_THROW(core::prepareAndShow(engine, failing), std::runtime_error);
    EXPECT_EQ(log, (std::vector<std::string>{"open a", "open b", "close closed b", "close a", "close closed c"}));
    EXPECT_EQ(preview.shown, 1);
}

}  // namespace
