#pragma once

// One pass of laying a report out: bands placed down the pages, pages broken where a band does
// not fit, headers kept with what they head and repeated on the pages their rows go on to.

#include <string>
#include <utility>
#include <vector>

#include "host/report/page_sink.h"
#include "host/report/prepared_report.h"

namespace host {

class ReportScope;
struct ReportTemplate;
struct TemplateBand;
struct TemplateDataSection;

class PagePlacement {
public:
    // Without a sink the pass only counts the pages: band heights alone decide where pages break,
    // so the texts are neither evaluated nor kept. With one, each page goes to it once finished.
    // With reportsProgress each page started is a step of the run's current stage; a walk whose
    // sink reports its own leaves it off.
    PagePlacement(const ReportTemplate& t, ReportScope& scope, PageSink* sink, int firstPageNumber, int totalPages,
                  bool reportsProgress)
        : t_(t), scope_(scope), sink_(sink), firstPageNumber_(firstPageNumber), totalPages_(totalPages),
          reportsProgress_(reportsProgress) {}

    // Answers the number of pages laid out.
    int run();

private:
    double bodyBottom() const;
    void startPage();
    void finishPage();
    void placeChain(const TemplateBand& band);
    double chainHeight(const TemplateBand* band);
    double firstRowHeight(const TemplateDataSection& section, int level);
    void printHeader(const TemplateBand* band, double following, const std::string& key);
    void endHeader(const TemplateBand* band);
    bool bandVisible(const TemplateBand& band);
    bool printBand(const TemplateBand* band, double following = 0);
    void place(const TemplateBand& band);
    void printSection(const TemplateDataSection& section);
    void printGroups(const TemplateDataSection& section, std::size_t level, const std::vector<int>& rows);

    const ReportTemplate& t_;
    ReportScope& scope_;
    PageSink* sink_;
    int firstPageNumber_;
    int totalPages_;
    bool reportsProgress_;
    int pages_ = 0;
    PreparedPage page_;
    double y_ = 0;
    bool bodyOnPage_ = false;
    // Headers to print again on a new page, innermost last, with the dataset row each was for.
    std::vector<std::pair<const TemplateBand*, std::pair<std::string, int>>> repeats_;
};

}  // namespace host
