#include "app/MakeArgb.h"

#include <gtest/gtest.h>

namespace {

struct ArgbCase {
    std::uint32_t colorRef;
    std::optional<std::uint8_t> alpha;
    ArgbColor expected;
};

void PrintTo(const ArgbCase& c, std::ostream* os) {
    *os << std::hex << "0x" << c.colorRef << " alpha " << (c.alpha ? int{*c.alpha} : -1);
}

class MakeArgbTest : public testing::TestWithParam<ArgbCase> {};

TEST_P(MakeArgbTest, SwapsRedAndBlueAndNeverGivesFullAlpha) {
    const ArgbCase& c = GetParam();
    EXPECT_EQ(MakeArgb(c.colorRef, c.alpha), c.expected) << std::hex << c.colorRef;
}

INSTANTIATE_TEST_SUITE_P(Cases, MakeArgbTest,
                         testing::Values(ArgbCase{0x808080, 225, 0xE1808080},
                                         ArgbCase{0xFFFFFF, 255, 0xFEFFFFFF},
                                         ArgbCase{0x0080FF, 230, 0xE6FF8000},
                                         ArgbCase{0x000000, 255, 0xFE000000},
                                         ArgbCase{0xECECEC, 225, 0xE1ECECEC},
                                         ArgbCase{0x123456, std::nullopt, 0xFE563412},
                                         ArgbCase{0xAB000000, 0, 0x00000000}));

} // namespace
