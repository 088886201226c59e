// What the data sections share: the subdivision element around each subdivision's grouped rows,
// and the levels several forms nest alike.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/declaration_file/form_names.h"
#include "core/declaration_file/grouped_walk.h"
#include "core/declaration_file/licences.h"
#include "host/local/local_dataset.h"

namespace core {

// The keys that select one subdivision's rows.
const std::vector<GroupKey>& subdivisionFilter();

// A subdivision's element: its start tag up to the attributes, its end tag, and the flags that
// say whether it has rows.
struct SubdivisionElement {
    std::string element;
    std::string end;
    std::vector<std::string> presenceFlags;
};

// One element per row of `subdivisions` (the work table of subdivisions), in table order, with
// its name, its KPP when `withKpp`, the presence flags and its address, then its rows as `walk`
// (filtered by subdivisionFilter()) writes them.
void writeSubdivisions(DeclarationWriter& out, host::LocalDataSet& subdivisions, const SubdivisionElement& element,
                       bool withKpp, GroupedWalk& walk);

// A level whose groups are those of one code, its element stating the code upper-cased under
// `attribute`: the product kind, the transport kind.
WalkLevel codeLevel(GroupedWalk& walk, const char* column, std::string element, std::string end, bool numbered,
                    const std::string& attribute);
// The product kind of forms 11, 12, 07, 06 and 05: "Оборот".
WalkLevel kindLevel(GroupedWalk& walk);
// The producer of forms 11, 12, 07 and 06: "СведПроизвИмпорт" with the producer's id.
WalkLevel producerLevel(GroupedWalk& walk);
// A counterparty (CL_ID), numbered, with its id. With `licences` its groups are also told apart
// by licence day (CL_LIC_DATE) and name the licence listed for the counterparty and the group's
// first row's exact licence date, where `namesLicence` (when given) allows it.
WalkLevel holderLevel(GroupedWalk& walk, const names::Holder& element, const LicenceList* licences,
                      std::function<bool(const GroupRow&)> namesLicence = {});

}  // namespace core
