#pragma once

// The frame class the six declaration forms share.

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/collection_plan.h"
#include "core/declaration_file/declaration_writer.h"
#include "core/form_profile.h"
#include "core/parameters_page.h"
#include "core/print_form/print_datasets.h"
#include "core/reporting_period.h"
#include "host/data/variant.h"
#include "host/frame/report_frame.h"
#include "host/local/local_query.h"
#include "host/local/local_table.h"
#include "host/report/report_engine.h"

namespace core {

// What the six declaration frames share: the parameters page with its enabling rules, validation
// and saved options, the event handlers, and the generate flow that dispatches to the file or the
// print form. Each form's frame class derives from it with its own profile.
// The first host query, of the subdivisions, returned no row: there is nothing to declare.
class NoDataError : public std::runtime_error {
public:
    NoDataError();
};

// The declaration file cannot be created where the page says: the message names the file.
class DeclarationFileError : public std::runtime_error {
public:
    explicit DeclarationFileError(const std::string& path);
};

class DeclarationFrame : public host::TReportFrame {
public:
    explicit DeclarationFrame(const FormProfile& profile);

    const FormProfile& profile() const { return profile_; }
    const ParametersPage& controls() const { return controls_; }

    void SaveOptions(host::MemIniFile& ini) override;
    void ReadOptions(host::MemIniFile& ini) override;
    std::string GetErrorMessage(const std::string& text) override;
    void SetReportOptions() override {}
    std::string GetReportName() override;
    void ExecuteView() override {}
    void bbtnGenerateClick(host::ui::Control* sender) override;
    void checkBeforeCollection() override;
    void FillDataTable() override;
    void SetTMPTablesDatabaseName() override;
    void DropTMPTables() override;

    void ChangeEnabled();

    // The two outputs; each form's frame writes its own declaration and print form.
    virtual void MakeFile();
    virtual void PrintReport();

    // Event handlers of the page.
    void edtByNameChange(host::ui::Control& sender);
    void seYearChange(host::ui::Control& sender);
    void rgTypePeriodClick(host::ui::Control& sender);
    void seCalcPrecisionChange(host::ui::Control& sender);
    void cbSuperplaceClick(host::ui::Control& sender);
    void rgManufacturerClick(host::ui::Control& sender);
    void rgVidProdClick(host::ui::Control& sender);
    void cbUseSelClientsClick(host::ui::Control& sender);
    void cbOnlyMoveClick(host::ui::Control& sender);
    void rgReportKindClick(host::ui::Control& sender);
    void cbVidDocChange(host::ui::Control& sender);

    // The period the page chooses.
    ReportingPeriod period() const;
    // The value a host query gets for one of its parameters (names without regard to case).
    host::Variant parameterValue(const std::string& name, const ReportingPeriod& period) const;

    host::LocalTable tblObosob;
    host::LocalTable tblResult;
    // Forms 11 and 12 only.
    std::unique_ptr<host::LocalTable> tblResultOborot;

    // The print form's report: the template is loaded anew on every run.
    host::ReportEngine frReport;

    // What the body of a declaration file needs to know of the run.
    struct FileContext {
        int decimals;       // of the declaration number format
        bool entrepreneur;  // the organization is an individual entrepreneur (form 12's lookup)
    };

protected:
    // The form's body of the declaration file: its sources are opened after the prolog and
    // closed again however writing ends, before the file; the reference block and the data
    // section are written where the frame puts them.
    virtual void openBodySources() {}
    virtual void closeBodySources() noexcept {}
    virtual void writeReferenceBlock(DeclarationWriter&, const FileContext&) {}
    virtual void writeDataSection(DeclarationWriter&, const FileContext&) {}

    // The datasets the form's print form reads.
    virtual PrintDatasets printDatasets() { return {}; }

    // The form's local queries over its work tables, in the order they are pointed at the work
    // directory.
    virtual std::vector<host::LocalQuery*> localQueries() { return {}; }

    bool FClientSelection = false;

private:
    // The organization's taxpayer numbers as the file names and writes them.
    struct TaxpayerNumbers {
        std::string inn;
        std::string kpp;
        bool entrepreneur = false;
    };
    TaxpayerNumbers taxpayerNumbers(const struct OrganizationLookups& lookups) const;
    std::string declarationPath(const std::string& inn) const;
    void writeOrganization(DeclarationWriter& out, const struct OrganizationLookups& lookups,
                           const std::string& inn, const std::string& kpp, bool entrepreneur);
    host::LocalTable& workTable(WorkTable which);
    void copyHostQuery(const HostQuery& query, const ReportingPeriod& period, bool first);

    void wireHandlers();
    void applyFormDifferences();

    const FormProfile& profile_;
    const CollectionPlan& plan_;
    ParametersPage controls_;
};

}  // namespace core
