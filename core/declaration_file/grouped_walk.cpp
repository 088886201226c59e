// The grouped walk: one read per filter value set, in table order where the rows stand in group
// order, each level's elements opened and closed as its key changes.
#include "core/declaration_file/grouped_walk.h"

#include <algorithm>

#include "core/declaration_file/form_names.h"

namespace core {

GroupedWalk::GroupedWalk(std::string name, std::string table, std::vector<GroupKey> filter)
    : name_(std::move(name)), table_(std::move(table)), filter_(std::move(filter)) {}

std::size_t GroupedWalk::column(const std::string& name) {
    const auto at = std::find(columns_.begin(), columns_.end(), name);
    if (at != columns_.end()) return static_cast<std::size_t>(at - columns_.begin());
    columns_.push_back(name);
    return columns_.size() - 1;
}

void GroupedWalk::addLevel(WalkLevel level) {
    for (const auto& key : level.keys) keys_.push_back({column(key.column), key.as, levels_.size()});
    levels_.push_back(std::move(level));
}

void GroupedWalk::prepare(const std::string& directory) {
    std::vector<std::vector<GroupKey>> levels;
    for (const auto& level : levels_) levels.push_back(level.keys);
    if (!inOrder_) {
        // Only the columns written are selected: the sorts that bring the groups together then
        // move a fraction of each row.
        std::string list;
        for (const auto& column : columns_) list += (list.empty() ? "" : ", ") + column;
        inOrder_.emplace(name_, "select " + list + " from \"" + table_ + ".db\" where rowid between ? and ?", true);
        grouped_.emplace(name_, groupedRowsSql(table_, list, filter_, levels), true);
    }
    runs_.reset();
    runs_.emplace(directory, table_, filter_, levels);
    directory_ = directory;
    inOrder_->setDatabaseName(directory);
    grouped_->setDatabaseName(directory);
    rows_ = nullptr;
    groupedReads_ = 0;
}

void GroupedWalk::indexIfOutOfOrder() {
    if (!runs_->allInOrder()) ensureGroupIndex(directory_, table_, filter_);
}

bool GroupedWalk::read(std::vector<host::Variant> values) {
    const OrderedRuns::Found found = runs_->find(values);
    filterValues_ = values;
    switch (found.status) {
        case OrderedRuns::Found::Status::NoRows:
            rows_ = nullptr;
            return false;
        case OrderedRuns::Found::Status::InOrder:
            rows_ = &*inOrder_;
            readGroup(*rows_, {host::Variant(found.first), host::Variant(found.last)});
            break;
        case OrderedRuns::Found::Status::OutOfOrder:
            rows_ = &*grouped_;
            readGroup(*rows_, std::move(values));
            ++groupedReads_;
            break;
    }
    return !rows_->eof();
}

void GroupedWalk::readRow() { rows_->readRow(current_); }

void GroupedWalk::open(DeclarationWriter& out, std::size_t index, int number) {
    const WalkLevel& level = levels_[index];
    out.text(level.element);
    if (level.numbered) out.attribute(names::shared().number, std::to_string(number));
    if (level.attributes) level.attributes(out, current_);
    out.line(">");
    if (level.content) level.content(out, current_);
}

void GroupedWalk::write(DeclarationWriter& out) {
    if (!rows_ || rows_->eof()) return;
    host::LocalQuery& rows = *rows_;
    const std::size_t levels = levels_.size();
    std::vector<int> numbers(levels, 0);
    int rowNumber = 0;
    std::vector<host::Variant> keys(keys_.size());
    std::vector<host::Variant> following(keys_.size());
    auto keyValues = [this](std::vector<host::Variant>& into) {
        for (std::size_t k = 0; k < keys_.size(); ++k) into[k] = keyValue(current_[keys_[k].column], keys_[k].as);
    };
    readRow();
    keyValues(keys);
    std::size_t changed = 0;  // the outermost level whose group ends before the current row
    for (;;) {
        for (std::size_t level = changed; level < levels; ++level) {
            ++numbers[level];
            if (level + 1 < levels) numbers[level + 1] = 0;
            open(out, level, numbers[level]);
        }
        if (changed < levels) rowNumber = 0;
        row_(out, current_, ++rowNumber);
        rows.next();
        const bool end = rows.eof();
        if (end) {
            changed = 0;
        } else {
            readRow();
            keyValues(following);
            std::size_t k = 0;
            while (k < keys_.size() && following[k] == keys[k]) ++k;
            changed = k < keys_.size() ? keys_[k].level : levels;
            keys.swap(following);
        }
        for (std::size_t level = levels; level-- > changed;) out.line(levels_[level].end);
        if (end) return;
    }
}

}  // namespace core
