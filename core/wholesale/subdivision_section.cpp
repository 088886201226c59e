#include "core/wholesale/subdivision_section.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/declaration_file/subdivision_address.h"
#include "core/declaration_file/text_forming.h"
#include "host/data/hostapi.h"
#include "host/text/cp1251.h"

namespace core::wholesale {

using host::Variant;
using host::W;
using host::XMLCheckStr;

namespace {

const std::vector<GroupKey> kSubdivision = {{"SUPERPLACE_CL_ID", GroupKey::As::Integer}};
const GroupKey kKind = {"VIDPROD_KOD", GroupKey::As::Text};

struct Names {
    std::string volume = W("<ОбъемОборота");
    std::string volumeEnd = W("</ОбъемОборота>");
    std::string name = W("НаимЮЛ");
    std::string kpp = W("КППЮЛ");
    std::string turnover = W("<Оборот");
    std::string turnoverEnd = W("</Оборот>");
    std::string number = W("ПN");
    std::string kind = W("П000000000003");
};

const Names& names() {
    static const Names kNames;
    return kNames;
}

// The grouped read selects only the columns written: the sort that brings the groups together
// then moves a fraction of each row.
std::string selectList(const std::vector<std::vector<GroupKey>>& levels, const std::vector<std::string>& columns) {
    std::vector<std::string> all = {kKind.column};
    for (const auto& level : levels)
        for (const auto& key : level) all.push_back(key.column);
    all.insert(all.end(), columns.begin(), columns.end());
    std::string list;
    for (auto at = all.begin(); at != all.end(); ++at)
        if (std::find(all.begin(), at, *at) == at) list += (list.empty() ? "" : ", ") + *at;
    return list;
}

// The product kind is the outermost level, above the content's.
std::vector<std::vector<GroupKey>> groupLevels(const std::vector<std::vector<GroupKey>>& levels) {
    std::vector<std::vector<GroupKey>> all = {{kKind}};
    all.insert(all.end(), levels.begin(), levels.end());
    return all;
}

}  // namespace

SubdivisionSection::SubdivisionSection(std::string table, std::vector<std::string> presenceFlags,
                                       KindContent& content)
    : table_(std::move(table)),
      presenceFlags_(std::move(presenceFlags)),
      content_(content),
      rows_("rows",
            groupedRowsSql(table_, selectList(content.levels(), content.columns()), kSubdivision,
                           groupLevels(content.levels())),
            true) {}

void SubdivisionSection::prepare(const std::string& directory) {
    ensureGroupIndex(directory, table_, kSubdivision);
    rows_.setDatabaseName(directory);
}

void SubdivisionSection::close() noexcept {
    try {
        rows_.close();
    } catch (...) {
        // Closing only lets go of what the read held; there is nothing left to report.
    }
    resolved_ = false;
}

void SubdivisionSection::resolve() {
    if (resolved_) return;
    keys_.clear();
    levelEnd_.clear();
    kind_ = rows_.fieldIndex(kKind.column);
    keys_.push_back({kind_, kKind.as});
    levelEnd_.push_back(keys_.size());
    for (const auto& level : content_.levels()) {
        for (const auto& key : level) keys_.push_back({rows_.fieldIndex(key.column), key.as});
        levelEnd_.push_back(keys_.size());
    }
    content_.resolve(rows_);
    resolved_ = true;
}

void SubdivisionSection::write(DeclarationWriter& out, host::LocalTable& subdivisions) {
    const Names& n = names();
    const int id = subdivisions.fieldIndex("CL_ID");
    const int name = subdivisions.fieldIndex("CL_NAME");
    const int kpp = subdivisions.fieldIndex("CL_KPP");
    SubdivisionAddress address(subdivisions);

    for (subdivisions.first(); !subdivisions.eof(); subdivisions.next()) {
        const std::vector<Variant> subdivision = {Variant(subdivisions.field(id).toInteger())};
        readGroup(rows_, subdivision);
        resolve();

        out.text(n.volume);
        out.attribute(n.name, XMLCheckStr(host::upperCp1251(subdivisions.field(name).toText())));
        out.attribute(n.kpp, XMLCheckStr(host::upperCp1251(subdivisions.field(kpp).toText())));
        const char* present = rows_.eof() ? "false" : "true";
        for (const auto& flag : presenceFlags_) out.attribute(flag, present);
        out.line(">");
        address.write(out);
        writeRows(out);
        out.line(n.volumeEnd);
    }
}

// One pass over the subdivision's grouped rows: at each row the levels from the first one whose
// key changed are closed and opened again.
void SubdivisionSection::writeRows(DeclarationWriter& out) {
    const Names& n = names();
    const std::size_t levels = levelEnd_.size();
    std::vector<int> numbers(levels, 0);
    int rowNumber = 0;
    std::vector<Variant> current(keys_.size());
    std::vector<Variant> following(keys_.size());
    auto readKeys = [this](std::vector<Variant>& into) {
        for (std::size_t k = 0; k < keys_.size(); ++k) into[k] = keyValue(rows_.field(keys_[k].index), keys_[k].as);
    };
    if (rows_.eof()) return;
    readKeys(current);
    std::size_t changed = 0;
    for (;;) {
        for (std::size_t level = changed; level < levels; ++level) {
            ++numbers[level];
            if (level + 1 < levels)
                numbers[level + 1] = 0;
            else
                rowNumber = 0;
            if (level == 0) {
                out.text(n.turnover).attribute(n.number, std::to_string(numbers[0]));
                out.attribute(n.kind, XMLCheckStr(host::upperCp1251(rows_.field(kind_).toText()))).line(">");
            } else {
                content_.openGroup(level - 1, out, rows_, numbers[level]);
            }
        }
        content_.writeRow(out, rows_, ++rowNumber);
        rows_.next();
        const bool end = rows_.eof();
        if (end) {
            changed = 0;
        } else {
            readKeys(following);
            std::size_t k = 0;
            while (k < keys_.size() && following[k] == current[k]) ++k;
            changed = static_cast<std::size_t>(std::upper_bound(levelEnd_.begin(), levelEnd_.end(), k) - levelEnd_.begin());
            current.swap(following);
        }
        for (std::size_t level = levels; level-- > changed;) {
            if (level == 0)
                out.line(n.turnoverEnd);
            else
                content_.closeGroup(level - 1, out);
        }
        if (end) return;
    }
}

}  // namespace core::wholesale
