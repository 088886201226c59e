// Reading a work table's groups: rows that stand in group order, as the host delivers them, read
// in one pass as they stand; the filter values whose rows are split or whose keys come back
// after a gap read grouped; either way the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "core/declaration_file/declaration_writer.h"
#include "core/declaration_file/grouped_walk.h"
#include "core/declaration_file/open_datasets.h"
#include "core/declaration_file/ordered_runs.h"
#include "host/calendar/date_time.h"
#include "host/local/local_table.h"
#include "host/local/work_table_catalog.h"
#include "test_support.h"
#include "work_table_column.h"

namespace {

using core::GroupKey;
using core::GroupRow;
using host::Variant;

// A movement row: its subdivision, kind, producer, supplier, licence day and document.
struct Line {
    Variant place;
    Variant kind;
    Variant producer;
    Variant supplier;
    Variant licence;
    const char* document;
};

Variant day(int dayOfMonth, double time = 0) {
    return Variant(host::DateTime{host::encodeDate(2024, 2, dayOfMonth).days + time});
}

class GroupedWalkTest : public ::testing::Test {
protected:
    // The table anew, holding `lines` in this order.
    void fill(const std::vector<Line>& lines) {
        std::filesystem::remove(scratch / "ZorvicBuy.db");
        auto at = [](const char* name) { return zorvic_test::workColumnIndex("ZorvicBuy", name).value(); };
        host::LocalTable table("ZorvicBuy");
        table.setDatabaseName(dir());
        table.open();
        for (const Line& line : lines) {
            table.append();
            table.setField(at("SUPERPLACE_CL_ID"), line.place);
            table.setField(at("VIDPROD_KOD"), line.kind);
            table.setField(at("MANUF_ID"), line.producer);
            table.setField(at("CL_ID"), line.supplier);
            table.setField(at("CL_LIC_DATE"), line.licence);
            table.setField(at("EXT_DOCINDEX"), Variant(line.document));
            table.post();
        }
        table.close();
    }

    // What the walk writes for the subdivisions `places`, by kind, producer and supplier with
    // its licence day, each row its document.
    std::string walked(const std::vector<Variant>& places) {
        core::GroupedWalk walk("walk", "ZorvicBuy", {{"SUPERPLACE_CL_ID", GroupKey::As::Integer}});
        auto level = [&walk](const char* column, GroupKey::As as, const char* element) {
            const std::size_t at = walk.column(column);
            return core::WalkLevel{.keys = {{column, as}},
                                   .element = std::string("<") + element,
                                   .end = std::string("</") + element + ">",
                                   .numbered = false,
                                   .attributes = [at](core::DeclarationWriter& out, const GroupRow& row) {
                                       out.attribute("v", row[at].toText());
                                   }};
        };
        walk.addLevel(level("VIDPROD_KOD", GroupKey::As::Text, "kind"));
        walk.addLevel(level("MANUF_ID", GroupKey::As::Integer, "producer"));
        core::WalkLevel supplier = level("CL_ID", GroupKey::As::Integer, "supplier");
        supplier.keys.push_back({"CL_LIC_DATE", GroupKey::As::Day});
        walk.addLevel(std::move(supplier));
        const std::size_t document = walk.column("EXT_DOCINDEX");
        walk.setRow([document](core::DeclarationWriter& out, const GroupRow& row, int number) {
            out.line("<row n=\"" + std::to_string(number) + "\" doc=\"" + row[document].toText() + "\"/>");
        });
        walk.prepare(dir());
        walk.indexIfOutOfOrder();
        const std::string path = (scratch / "walk.xml").string();
        {
            core::OpenDatasets open({});
            for (host::LocalDataSet* query : walk.queries()) open.adopt(*query);
            core::DeclarationWriter out(path);
            for (const Variant& place : places) {
                const bool any = walk.read({place});
                out.line("<place v=\"" + place.toText() + "\" any=\"" + (any ? "1" : "0") + "\">");
                walk.write(out);
                out.line("</place>");
            }
            out.commit();
        }
        groupedReads = walk.groupedReads();
        return zorvic_test::readFile(path);
    }

    std::string dir() const { return (scratch / "").string(); }

    zorvic_test::ScratchDir scratch;
    int groupedReads = 0;
};

const Variant d1 = day(1), d2 = day(2);

// Two subdivisions' rows in group order: 1 has kinds 200 and 400, supplier 10 under two
// licences; 2 has one row.
const std::vector<Line> kInOrder = {{1, "200", 5, 10, d1, "a"}, {1, "200", 5, 10, d1, "b"}, {1, "200", 5, 11, d1, "c"},
                                    {1, "200", 5, 10, d2, "d"}, {1, "400", 5, 10, d1, "e"}, {2, "200", 6, 12, d1, "f"}};

const char* const kWalked =
    "<place v=\"1\" any=\"1\">\r\n"
    "<kind v=\"200\">\r\n<producer v=\"5\">\r\n"
    "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"a\"/>\r\n<row n=\"2\" doc=\"b\"/>\r\n</supplier>\r\n"
    "<supplier v=\"11\">\r\n<row n=\"1\" doc=\"c\"/>\r\n</supplier>\r\n"
    "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"d\"/>\r\n</supplier>\r\n"
    "</producer>\r\n</kind>\r\n"
    "<kind v=\"400\">\r\n<producer v=\"5\">\r\n<supplier v=\"10\">\r\n<row n=\"1\" doc=\"e\"/>\r\n</supplier>\r\n"
    "</producer>\r\n</kind>\r\n"
    "</place>\r\n"
    "<place v=\"3\" any=\"0\">\r\n</place>\r\n"
    "<place v=\"2\" any=\"1\">\r\n"
    "<kind v=\"200\">\r\n<producer v=\"6\">\r\n<supplier v=\"12\">\r\n<row n=\"1\" doc=\"f\"/>\r\n</supplier>\r\n"
    "</producer>\r\n</kind>\r\n"
    "</place>\r\n";

TEST_F(GroupedWalkTest, RowsInGroupOrderAreReadAsTheyStandInAnyOrderOfTheSubdivisions) {
    fill(kInOrder);
    EXPECT_EQ(walked({1, 3, 2}), kWalked);
    EXPECT_EQ(groupedReads, 0);
    EXPECT_FALSE(std::filesystem::exists(scratch / "walk.xml.part"));
}

// Each layout holds the rows of kInOrder so that one subdivision's rows, and only its, must be
// brought together; its file is kInOrder's.
TEST_F(GroupedWalkTest, ASubdivisionWhoseRowsAreOutOfOrderIsReadGroupedAndGivesTheSameFile) {
    const std::vector<std::pair<const char*, std::vector<Line>>> layouts = {
        {"a supplier comes back to its licence after another supplier",
         {{1, "200", 5, 10, d1, "a"}, {1, "200", 5, 11, d1, "c"}, {1, "200", 5, 10, d1, "b"}, {1, "200", 5, 10, d2, "d"},
          {1, "400", 5, 10, d1, "e"}, {2, "200", 6, 12, d1, "f"}}},
        {"a kind comes back after another kind",
         {{1, "200", 5, 10, d1, "a"}, {1, "200", 5, 10, d1, "b"}, {1, "200", 5, 11, d1, "c"}, {1, "400", 5, 10, d1, "e"},
          {1, "200", 5, 10, d2, "d"}, {2, "200", 6, 12, d1, "f"}}},
        {"the subdivision's rows are split by another's",
         {{1, "200", 5, 10, d1, "a"}, {1, "200", 5, 10, d1, "b"}, {1, "200", 5, 11, d1, "c"}, {1, "200", 5, 10, d2, "d"},
          {2, "200", 6, 12, d1, "f"}, {1, "400", 5, 10, d1, "e"}}},
    };
    for (const auto& [layout, lines] : layouts) {
        fill(lines);
        EXPECT_EQ(walked({1, 3, 2}), kWalked) << layout;
        EXPECT_EQ(groupedReads, 1) << layout;
    }
}

TEST_F(GroupedWalkTest, KeysCompareAsTheGroupedReadComparesThem) {
    // Null and 0 are one producer, null and "" one kind, two times of one day one licence.
    fill({{1, Variant::null(), Variant::null(), 10, day(1, 0.25), "a"},
          {1, "", 0, 10, day(1, 0.75), "b"},
          {1, "", 0, 10, Variant::null(), "c"},
          {1, "", 0, 10, day(2), "d"}});
    const std::string inOrder = walked({1});
    EXPECT_EQ(groupedReads, 0);
    EXPECT_EQ(inOrder,
              "<place v=\"1\" any=\"1\">\r\n<kind v=\"\">\r\n<producer v=\"\">\r\n"
              "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"a\"/>\r\n<row n=\"2\" doc=\"b\"/>\r\n</supplier>\r\n"
              "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"c\"/>\r\n</supplier>\r\n"
              "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"d\"/>\r\n</supplier>\r\n"
              "</producer>\r\n</kind>\r\n</place>\r\n");

    // The licence of day 1 comes back, at another time of that day, after day 2's.
    fill({{1, "", 0, 10, day(1, 0.25), "a"}, {1, "", 0, 10, day(2), "d"}, {1, "", 0, 10, day(1, 0.75), "b"}});
    EXPECT_EQ(walked({1}),
              "<place v=\"1\" any=\"1\">\r\n<kind v=\"\">\r\n<producer v=\"0\">\r\n"
              "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"a\"/>\r\n<row n=\"2\" doc=\"b\"/>\r\n</supplier>\r\n"
              "<supplier v=\"10\">\r\n<row n=\"1\" doc=\"d\"/>\r\n</supplier>\r\n"
              "</producer>\r\n</kind>\r\n</place>\r\n");
    EXPECT_EQ(groupedReads, 1);
}

TEST_F(GroupedWalkTest, FilterValuesFindTheirRowsWhateverTheirKind) {
    fill(kInOrder);
    // A whole number given as a real, or a subdivision with no rows given as text or null.
    EXPECT_EQ(walked({Variant(2.0), Variant("1"), Variant::null()}),
              "<place v=\"2\" any=\"1\">\r\n"
              "<kind v=\"200\">\r\n<producer v=\"6\">\r\n<supplier v=\"12\">\r\n<row n=\"1\" doc=\"f\"/>\r\n"
              "</supplier>\r\n</producer>\r\n</kind>\r\n</place>\r\n"
              "<place v=\"1\" any=\"0\">\r\n</place>\r\n"
              "<place v=\"\" any=\"0\">\r\n</place>\r\n");
    EXPECT_EQ(groupedReads, 0);
}

TEST(OrderedRuns, AFilterValueIsInOrderOnlyWhenItsRowsAreOneRunOfContiguousGroups) {
    zorvic_test::ScratchDir scratch;
    const std::string dir = (scratch / "").string();
    host::LocalTable table("ZorvicBuyObosob");
    table.setDatabaseName(dir);
    table.open();
    // CL_ID is the filter, CL_KPP the one level: 1 in order, 2 split by 3, 3 with "x" back
    // after "y".
    for (const auto& [id, kpp] : std::vector<std::pair<int, const char*>>{
             {1, "a"}, {1, "a"}, {1, "b"}, {2, "a"}, {3, "x"}, {3, "y"}, {3, "x"}, {2, "b"}}) {
        table.append();
        table.setField(0, Variant(id));
        table.setField(2, Variant(kpp));
        table.post();
    }
    table.close();
    const core::OrderedRuns runs(dir, "ZorvicBuyObosob", {{"CL_ID", GroupKey::As::Integer}},
                                 {{{"CL_KPP", GroupKey::As::Text}}});
    using Status = core::OrderedRuns::Found::Status;
    const auto one = runs.find({Variant(1)});
    EXPECT_EQ(one.status, Status::InOrder);
    EXPECT_EQ(one.first, 1);
    EXPECT_EQ(one.last, 3);
    EXPECT_EQ(runs.find({Variant(2)}).status, Status::OutOfOrder);
    EXPECT_EQ(runs.find({Variant(3)}).status, Status::OutOfOrder);
    EXPECT_EQ(runs.find({Variant(4)}).status, Status::NoRows);
    EXPECT_EQ(runs.find({Variant(1), Variant(1)}).status, Status::OutOfOrder) << "not the filter's values";
    EXPECT_FALSE(runs.allInOrder());
}

}  // namespace
