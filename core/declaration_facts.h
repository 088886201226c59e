#pragma once

// Facts that every form and every part of a form shares, named once: the format the files are
// written in, the taxpayer number widths, the resident country, and the page's choices that the
// writers ask about.

#include <cstddef>

namespace core {

// The format version and the program name the declaration file's root states.
inline constexpr const char* kFormatVersion = "4.30";
inline constexpr const char* kProgramName = "VELTRA V.3";

// Taxpayer numbers: an organization's INN has 10 digits, an individual's 12; a KPP has 9.
inline constexpr std::size_t kLegalInnWidth = 10;
inline constexpr std::size_t kPersonInnWidth = 12;
inline constexpr std::size_t kKppWidth = 9;

// The country code of a resident counterparty: such a counterparty is written with its licences
// and taxpayer numbers, a foreign one with its country and address.
inline constexpr const char* kResidentCountryCode = "643";

// The items of the page's output kind (rgReportKind).
enum ReportKind : int { kPrintForm = 0, kDeclarationFile = 1 };
// The items of the page's document kind (cbVidDoc).
enum DocumentKind : int { kPrimaryDocument = 0, kCorrectiveDocument = 1 };

}  // namespace core
