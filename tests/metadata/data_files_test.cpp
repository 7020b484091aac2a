// The delivered metadata files against the parameter numbers the board types and the windows bind.
#include <gtest/gtest.h>

#include <memory>

#include "formats/metadata/CDefaultParamBLDC.h"
#include "formats/metadata/metadata_files.h"

namespace tarsel {
namespace {

struct TypeBindings {
    uint8_t type;
    std::vector<uint32_t> logic;                           // "Low Active" / "High Active"
    std::vector<uint32_t> stop;                            // "E-Stop" / "Stop"
    std::vector<uint32_t> direction;                       // "CW" / "CCW"
    std::vector<std::pair<uint32_t, int32_t>> enumerated;  // parameter, highest value
    std::vector<uint32_t> speeds;                          // motion-test and axis-parameter edits
    uint32_t limit_level, origin_level;
};

const std::vector<TypeBindings>& AllBindings() {
    static const std::vector<TypeBindings> bindings = {
        {1,
         {9, 10, 11, 16, 24},
         {14, 15},
         {21, 28, 29},
         {{0, 9}, {20, 4}, {26, 15}},
         {1, 2, 3, 4, 5, 6, 8, 12, 13, 17, 18, 19, 22, 23, 27},
         16,
         24},
        {30,
         {9, 10, 11, 16, 24},
         {14, 15},
         {21, 28, 29},
         {{0, 9}, {20, 4}, {26, 15}},
         {1, 2, 3, 4, 5, 6, 8, 12, 13, 17, 18, 19, 22, 23, 27},
         16,
         24},
        {10,
         {9, 10, 11, 16, 24, 29, 30, 31, 32},
         {14, 15},
         {21, 25, 27, 28},
         {{0, 2}, {20, 2}, {26, 1}},
         {1, 2, 3, 4, 5, 6, 8, 12, 13, 17, 18, 19, 22, 23},
         16,
         24},
        {110,
         {13, 21, 26, 27, 28, 29},
         {11, 12},
         {18, 22, 24, 25},
         {{0, 2}, {17, 2}, {23, 1}},
         {1, 2, 3, 4, 5, 6, 8, 9, 10, 14, 15, 16, 19, 20},
         13,
         21},
        {40,
         {8, 9, 10, 15, 23},
         {13, 14},
         {20, 25, 26},
         {{19, 5}},
         {0, 1, 2, 3, 4, 5, 7, 11, 12, 16, 17, 18, 21, 22, 24},
         15,
         23},
        {20,
         {9, 10, 11, 16, 24},
         {14, 15},
         {21, 26, 27},
         {{0, 15}, {20, 2}, {28, 3}},
         {1, 2, 3, 4, 5, 6, 8, 12, 13, 17, 18, 19, 22, 23},
         16,
         24},
    };
    return bindings;
}

std::unique_ptr<CDefaultParam> LoadType(uint8_t type) {
    const ParamDefaultFile* entry = FindParamDefaultFile(type);
    if (entry == nullptr) return nullptr;
    std::unique_ptr<CDefaultParam> table = type == 40
                                               ? std::make_unique<CDefaultParamBLDC>(TARSEL_SOURCE_DATA_DIR)
                                               : std::make_unique<CDefaultParam>(TARSEL_SOURCE_DATA_DIR);
    if (!table->Load(std::string(entry->file), std::string(entry->section))) return nullptr;
    return table;
}

TEST(DataFiles, EveryTableLoadsWithSaneRecords) {
    for (const auto& entry : kParamDefaultFiles) {
        SCOPED_TRACE(entry.file);
        const auto table = LoadType(entry.board_type);
        ASSERT_NE(table, nullptr);
        ASSERT_GT(table->GetParamCount(), 0);
        for (uint32_t i = 0; i < table->GetParamCount(); ++i) {
            const CParamItemInfo* item = table->GetParamInfo(i);
            ASSERT_NE(item, nullptr);
            EXPECT_FALSE(item->name.empty()) << i;
            EXPECT_FALSE(item->field.empty()) << i;
            EXPECT_LE(item->minimum, item->maximum) << i;
            EXPECT_TRUE(item->IsInRange(item->default_value)) << i;
        }
    }
}

TEST(DataFiles, BoundParametersHaveFittingRanges) {
    for (const auto& b : AllBindings()) {
        SCOPED_TRACE(static_cast<int>(b.type));
        const auto table = LoadType(b.type);
        ASSERT_NE(table, nullptr);
        const auto range_is = [&](uint32_t no, int32_t lo, int32_t hi) {
            const CParamItemInfo* item = table->GetParamInfo(no);
            ASSERT_NE(item, nullptr) << no;
            EXPECT_EQ(item->minimum, lo) << no;
            EXPECT_EQ(item->maximum, hi) << no;
        };
        for (uint32_t no : b.logic) range_is(no, 0, 1);
        for (uint32_t no : b.stop) range_is(no, 0, 1);
        for (uint32_t no : b.direction) range_is(no, 0, 1);
        for (const auto& [no, highest] : b.enumerated) range_is(no, 0, highest);
        for (uint32_t no : b.speeds) {
            ASSERT_NE(table->GetParamInfo(no), nullptr) << no;
            EXPECT_GT(table->GetParamInfo(no)->maximum, 1) << no;
        }
        EXPECT_EQ(table->GetParamInfo(b.limit_level)->name, "Limit Sensor Logic");
        EXPECT_EQ(table->GetParamInfo(b.origin_level)->name, "Org Sensor Logic");
    }
    // The motion test's default move speed must pass the check of its parameter.
    EXPECT_TRUE(LoadType(1)->IsValueInRange(1, 100000));
    EXPECT_TRUE(LoadType(40)->IsValueInRange(0, 100000));
}

TEST(DataFiles, BLDCCategoriesCarryTheEstimationParameters) {
    CDefaultParamBLDC table(TARSEL_SOURCE_DATA_DIR);
    ASSERT_TRUE(table.Load("Dorrin_BLDC_ParamDefault.ini", "DORRIN_TEVRA_BLDC"));
    ASSERT_EQ(table.GetCategoryCount(), 7u);
    for (uint32_t c = 1; c <= 7; ++c) {
        EXPECT_GT(table.GetCategoryParamCount(c), 0u) << c;
        EXPECT_FALSE(table.GetCategoryName(c).empty()) << c;
    }
    for (const auto& [category, number] : {std::pair{4u, 5u}, {4u, 6u}, {2u, 10u}, {2u, 11u}, {2u, 18u}}) {
        ASSERT_NE(table.GetBLDCParamInfo(category, number), nullptr) << category << "," << number;
    }
    for (const auto& [category, number] : {std::pair{4u, 6u}, {2u, 18u}}) {  // triggers take 1.0
        const CBLDCParamInfo* trigger = table.GetBLDCParamInfo(category, number);
        EXPECT_TRUE(trigger->IsInRange(1.0));
        EXPECT_TRUE(trigger->IsInRange(0.0));
    }
}

TEST(DataFiles, MotorNamesAreListed) {
    const MotorTable motors = MotorTable::Load(TARSEL_SOURCE_DATA_DIR);
    EXPECT_GT(motors.size(), 10u);
    EXPECT_FALSE(motors.GetMotorName(1).empty());
    EXPECT_EQ(motors.GetMotorName(99999), "");
    EXPECT_EQ(ReadMotorName(1, TARSEL_SOURCE_DATA_DIR), motors.GetMotorName(1));
    EXPECT_EQ(ReadMotorName(99999, TARSEL_SOURCE_DATA_DIR), "");
}

}  // namespace
}  // namespace tarsel
