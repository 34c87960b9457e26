#include "core/data/checked.h"

#include <gtest/gtest.h>

namespace dv {
namespace {

TEST(Checked, AResultOutsideItsFieldIsAnErrorAndChangesNothing) {
    std::int16_t age = 32760;
    EXPECT_THROW(checkedAdd(age, 10, "age"), FieldRangeError);
    EXPECT_EQ(age, 32760);
    checkedAdd(age, 7, "age");
    EXPECT_EQ(age, 32767);

    std::int32_t hp = 5;
    checkedAdd(hp, -10, "hitPoints");
    EXPECT_EQ(hp, -5);
    EXPECT_THROW(checkedAdd(hp, INT64_MIN, "hitPoints"), FieldRangeError);

    std::uint8_t strength = 18;
    EXPECT_THROW(checkedAdd(strength, -19, "strength"), FieldRangeError);
    try {
        checkedField<std::uint8_t>(256, "strength");
        FAIL();
    } catch (const FieldRangeError& e) {
        EXPECT_EQ(e.field(), "strength");
        EXPECT_NE(std::string(e.what()).find("中止"), std::string::npos);
    }
}

TEST(Checked, FractionsRoundHalfToEven) {
    EXPECT_EQ(roundToField<std::int32_t>(2.5, "x"), 2);
    EXPECT_EQ(roundToField<std::int32_t>(3.5, "x"), 4);
    EXPECT_EQ(roundToField<std::int32_t>(-2.5, "x"), -2);
    EXPECT_EQ(roundToField<std::int32_t>(2.6, "x"), 3);
    EXPECT_THROW(roundToField<std::int16_t>(32767.6, "x"), FieldRangeError);
    EXPECT_THROW(roundToField<std::int32_t>(1e300, "x"), FieldRangeError);
}

TEST(Checked, TalliesStopAtTheirLimit) {
    EXPECT_EQ(clampToField<std::int16_t>(40000), 32767);
    EXPECT_EQ(clampToField<std::int16_t>(-40000), -32768);
    EXPECT_EQ(clampToField<std::uint8_t>(12), 12);
}

}  // namespace
}  // namespace dv
