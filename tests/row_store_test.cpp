// A report's rows kept in a temporary file read back the same as rows held in memory, in any
// order, and a file that cannot be made is an error that says so.
#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "host/report/report_error.h"
#include "host/report/row_store.h"
#include "test_support.h"

namespace {

using host::RowStore;
using host::Variant;

std::vector<Variant> rowNumber(int i) {
    std::vector<Variant> row;
    row.emplace_back(std::int64_t{i} * (i % 2 ? -1 : 1) * 1000003);
    row.emplace_back(i * 0.125 - 7);
    row.emplace_back(host::DateTime{45000.0 + i});
    row.emplace_back(std::string(static_cast<std::size_t>(i % 300), static_cast<char>('\xc0' + i % 32)));
    row.emplace_back(i % 5 == 0 ? Variant(Variant::Null{}) : Variant());
    row.emplace_back(std::string("a\0b", 3));
    row.emplace_back(Variant::Array{Variant(i), Variant("x")});
    row.emplace_back(i % 7 == 0 ? Variant(std::numeric_limits<std::int64_t>::min()) : Variant(std::numeric_limits<std::int64_t>::max()));
    return row;
}

TEST(RowStoreTest, RowsInTheFileReadBackAsHeldRowsInAnyOrder) {
    const int count = 5000;
    RowStore held;
    RowStore spilled("", 4096);
    for (int i = 0; i < count; ++i) {
        held.append(rowNumber(i));
        spilled.append(rowNumber(i));
    }
    held.finish();
    spilled.finish();
    EXPECT_FALSE(held.onDisk());
    EXPECT_TRUE(spilled.onDisk());
    ASSERT_EQ(spilled.size(), count);

    std::vector<int> order(count);
    for (int i = 0; i < count; ++i) order[static_cast<std::size_t>(i)] = i;
    std::shuffle(order.begin(), order.end(), std::mt19937(7));
    // In table order, then scattered as a sorted section reads them, then the same row again.
    for (const auto& rows : {std::vector<int>{0, 1, 255, 256, 257, count - 1}, order}) {
        for (int r : rows) {
            const std::vector<Variant> expected = rowNumber(r);
            for (std::size_t f = 0; f < expected.size(); ++f) {
                ASSERT_EQ(held.value(r, static_cast<int>(f)), expected[f]) << "row " << r << " field " << f;
                ASSERT_EQ(spilled.value(r, static_cast<int>(f)), expected[f]) << "row " << r << " field " << f;
            }
        }
    }
    // A field past the row's end reads as null, as a missing row does in the report.
    EXPECT_TRUE(spilled.value(3, 99).isNull());
}

TEST(RowStoreTest, RowsWithoutFieldsAndAnEmptyStore) {
    RowStore empty("", 1);
    empty.finish();
    EXPECT_EQ(empty.size(), 0);
    RowStore blank("", 1);
    for (int i = 0; i < 600; ++i) blank.append({});
    blank.append({Variant("last")});
    blank.finish();
    EXPECT_EQ(blank.size(), 601);
    EXPECT_TRUE(blank.value(599, 0).isNull());
    EXPECT_EQ(blank.value(600, 0), Variant("last"));
}

void expectFileError(RowStore& store, const std::string& reason) {
    try {
        for (int i = 0; i < 2000; ++i) store.append(rowNumber(i));
        store.finish();
        FAIL() << "no error";
    } catch (const host::ReportError& e) {
        EXPECT_NE(std::string(e.what()).find("temporary file"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find(reason), std::string::npos) << e.what();
    }
}

TEST(RowStoreTest, AFileThatCannotBeMadeOrFilledIsAnErrorNamingTheReason) {
    zorvic_test::ScratchDir dir;
    RowStore nowhere((dir / "gone").string(), 16);
    expectFileError(nowhere, "No such file");

    zorvic_test::SmallDisk disk(64 * 1024);
    if (disk.available()) {
        RowStore full((disk / "").string(), 16);
        expectFileError(full, "No space left");
    }

    // A store in a directory that is there leaves nothing in it.
    {
        RowStore kept((dir / "").string(), 16);
        for (int i = 0; i < 100; ++i) kept.append(rowNumber(i));
        kept.finish();
        EXPECT_TRUE(kept.onDisk());
        EXPECT_TRUE(std::filesystem::is_empty(dir / ""));
    }
}

}  // namespace
