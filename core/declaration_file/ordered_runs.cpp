// Finding the runs of a work table's rows that already stand in group order.
#include "core/declaration_file/ordered_runs.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>
#include <functional>
#include <unordered_set>

#include "host/local/local_query.h"

namespace core {

namespace {

using Field = host::LocalDataSet::FieldView;

template <class T>
void appendBytes(std::string& out, const T& value) {
    char bytes[sizeof value];
    std::memcpy(bytes, &value, sizeof value);
    out.append(bytes, sizeof value);
}

// A key's value as the grouped read's select compares it (see keyExpression()): null as the
// key's default, a day as its whole number, and numbers by value whatever their kind, so that a
// whole real is the integer it equals.
struct KeyValue {
    enum class Kind { Integer, Real, Text };
    Kind kind = Kind::Integer;
    std::int64_t integer = 0;
    double real = 0;
    std::string text;

    void setNumber(double value) {
        if (std::trunc(value) == value && value >= -9.2e18 && value <= 9.2e18) {
            kind = Kind::Integer;
            integer = static_cast<std::int64_t>(value);
        } else {
            kind = Kind::Real;
            real = value;
        }
    }
    // False for a value whose comparison the select would make otherwise than this one: text
    // where a day stands, or a day too far to be a whole number.
    bool set(const Field& field, GroupKey::As as) {
        switch (field.kind) {
            case Field::Kind::Null:
                if (as == GroupKey::As::Text) {
                    kind = Kind::Text;
                    text.clear();
                } else {
                    kind = Kind::Integer;
                    integer = 0;
                }
                return true;
            case Field::Kind::Integer:
                kind = Kind::Integer;
                integer = field.integer;
                return true;
            case Field::Kind::Real:
                if (as != GroupKey::As::Day) {
                    setNumber(field.real);
                    return true;
                }
                if (!(std::fabs(field.real) < 9.2e18)) return false;
                kind = Kind::Integer;
                integer = static_cast<std::int64_t>(std::trunc(field.real));
                return true;
            case Field::Kind::Text:
                if (as == GroupKey::As::Day) return false;
                if (kind != Kind::Text || text != field.text) text.assign(field.text);
                kind = Kind::Text;
                return true;
        }
        return false;
    }
    bool operator==(const KeyValue& other) const {
        if (kind != other.kind) return false;
        switch (kind) {
            case Kind::Integer: return integer == other.integer;
            case Kind::Real: return real == other.real;
            case Kind::Text: return text == other.text;
        }
        return false;
    }
    std::uint64_t hash() const {
        switch (kind) {
            case Kind::Integer: return static_cast<std::uint64_t>(integer);
            case Kind::Real: return std::bit_cast<std::uint64_t>(real) ^ 0x5245414c;
            case Kind::Text: return std::hash<std::string>{}(text) ^ 0x54455854;
        }
        return 0;
    }
    void appendTo(std::string& out) const {
        switch (kind) {
            case Kind::Integer:
                out += 'i';
                appendBytes(out, integer);
                break;
            case Kind::Real:
                out += 'r';
                appendBytes(out, real);
                break;
            case Kind::Text:
                out += 't';
                appendBytes(out, static_cast<std::uint64_t>(text.size()));
                out.append(text);
                break;
        }
    }
};

// A group's whole key as a number: its parent's, mixed with each of its own keys.
std::uint64_t mixed(std::uint64_t parent, std::uint64_t key) {
    std::uint64_t h = (parent ^ key) + 0x9E3779B97F4A7C15ULL + (parent << 6) + (parent >> 2);
    h = (h ^ (h >> 30)) * 0xBF58476D1CE4E5B9ULL;
    h = (h ^ (h >> 27)) * 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

// A filter value as the grouped read binds it; false for one this comparison cannot stand for.
// Null matches no key of the select (every key is coalesced), and so matches none here either.
bool appendValue(std::string& out, const host::Variant& value) {
    KeyValue key;
    if (value.isNullOrEmpty()) {
        out += 'n';
        return true;
    }
    if (value.isInteger()) {
        key.integer = value.toInteger();
    } else if (value.isFloat() || value.isDate()) {
        key.setNumber(value.isDate() ? value.toDateTime().days : value.toDouble());
    } else if (value.isText()) {
        key.kind = KeyValue::Kind::Text;
        key.text = value.text();
    } else {
        return false;
    }
    key.appendTo(out);
    return true;
}

}  // namespace

OrderedRuns::OrderedRuns(const std::string& directory, const std::string& table, const std::vector<GroupKey>& filter,
                         const std::vector<std::vector<GroupKey>>& levels)
    : filterKeys_(filter.size()) {
    // Level 0 is the filter, then the walk's levels; each key knows its level, and each level
    // the end of its keys, so that a level's whole key is the keys up to its last one. The
    // columns are read as they are and compared as the select's key expressions would compare
    // them: the engine evaluating those expressions for every row cost more than the reading.
    std::vector<GroupKey> keys;
    std::vector<std::size_t> keyLevel;
    std::vector<std::size_t> levelEnd;
    std::string sql = "select rowid";
    auto addLevel = [&](const std::vector<GroupKey>& levelKeys) {
        for (const GroupKey& key : levelKeys) {
            keys.push_back(key);
            keyLevel.push_back(levelEnd.size());
            sql += ", " + key.column;
        }
        levelEnd.push_back(keys.size());
    };
    addLevel(filter);
    for (const auto& level : levels) addLevel(level);
    host::LocalQuery rows("ordered runs of " + table, sql + " from \"" + table + ".db\"", true);
    rows.setDatabaseName(directory);
    rows.open();

    std::vector<KeyValue> current(keys.size());
    KeyValue next;
    // Every whole key met so far, per level below the filter, as a number: a group whose whole
    // key was met before comes back after a gap. Two keys that happen to give one number can
    // only make a run look out of order, which costs a grouped read and never a wrong file. A
    // filter value that comes back has its rows split.
    std::vector<std::unordered_set<std::uint64_t>> met(levelEnd.size());
    std::vector<std::uint64_t> whole(levelEnd.size());
    std::string filterValue;
    Run* run = nullptr;
    std::vector<Field> fields;
    for (; !rows.eof(); rows.next()) {
        rows.readRowView(fields);
        const std::int64_t rowid = fields[0].integer;
        std::size_t changed = keys.size();
        for (std::size_t k = 0; k < keys.size(); ++k) {
            if (!next.set(fields[k + 1], keys[k].as)) {
                // Keys this comparison cannot tell apart as the select would: every read grouped.
                runs_.clear();
                allInOrder_ = false;
                comparable_ = false;
                return;
            }
            if (!(next == current[k])) {
                if (changed == keys.size()) changed = k;
                std::swap(current[k], next);
            }
        }
        if (changed < keys.size() || !run) {
            // The groups from the changed key's level inward start here.
            const std::size_t from = run ? keyLevel[changed] : 0;
            if (from == 0) {
                filterValue.clear();
                for (std::size_t k = 0; k < levelEnd[0]; ++k) current[k].appendTo(filterValue);
                const auto [at, fresh] = runs_.try_emplace(filterValue, Run{rowid, rowid, true});
                run = &at->second;
                if (!fresh) run->inOrder = false;
            }
            for (std::size_t level = std::max<std::size_t>(from, 1); level < levelEnd.size(); ++level) {
                std::uint64_t h = level == 1 ? std::hash<std::string>{}(filterValue) : whole[level - 1];
                for (std::size_t k = levelEnd[level - 1]; k < levelEnd[level]; ++k) h = mixed(h, current[k].hash());
                whole[level] = h;
                if (!met[level].insert(h).second) run->inOrder = false;
            }
        }
        run->last = rowid;
    }
    for (const auto& entry : runs_) allInOrder_ = allInOrder_ && entry.second.inOrder;
}

OrderedRuns::Found OrderedRuns::find(const std::vector<host::Variant>& filterValues) const {
    if (!comparable_ || filterValues.size() != filterKeys_) return {Found::Status::OutOfOrder};
    std::string key;
    for (const host::Variant& value : filterValues)
        if (!appendValue(key, value)) return {Found::Status::OutOfOrder};
    const auto found = runs_.find(key);
    if (found == runs_.end()) return {Found::Status::NoRows};
    if (!found->second.inOrder) return {Found::Status::OutOfOrder};
    return {Found::Status::InOrder, found->second.first, found->second.last};
}

}  // namespace core
