#pragma once

// A prepared report on a printer: its paper, the pages the range asks for, the pages painted.

#include <QPrinter>
#include <functional>
#include <vector>

#include "host/report/page_file.h"

namespace desk {

// The report's own paper for the printer, in the orientation of its pages, the whole sheet painted
// on: the printer dialog then starts from what the report was laid out for.
void fitPrinterToReport(QPrinter& printer, const host::PageFile& report);

// The pages (from 0) that the printer's range asks for, in the order it wants them, each as many
// times as copies are wanted when the printer cannot make them itself. `currentPage` is from 0.
std::vector<int> pagesToPrint(const QPrinter& printer, int pageCount, int currentPage);

// Paints the pages one to a sheet, each drawn at the printer's resolution. `pageDone` is called
// after each page with how many are done; answering false stops the printing, and then the answer
// is false. Throws host::ReportError when the printer cannot be started or a page cannot be drawn.
bool printReport(const host::PageFile& report, QPrinter& printer, const std::vector<int>& pages,
                 const std::function<bool(int done)>& pageDone);

}  // namespace desk
