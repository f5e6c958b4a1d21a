#include "common/CodePage.h"
#include "tests/ui/UiTestSupport.h"
#include "ui/controls/GdiplusOwners.h"

#include <gtest/gtest.h>

namespace {

// The families the program's labels ask for, in code page 936: they must
// resolve to an installed font, or every Chinese text would fall back.
struct FamilyCase {
    const char* name;
    const char* cp936;
};

void PrintTo(const FamilyCase& c, std::ostream* os) {
    *os << c.name;
}

class ChineseFontFamilyTest : public testing::TestWithParam<FamilyCase> {};

TEST_P(ChineseFontFamilyTest, ResolvesToAnInstalledFont) {
    EnsureFramework();
    FontFamilyOwner family;
    EXPECT_EQ(gp::GdipCreateFontFamilyFromName(ToWide(GetParam().cp936).c_str(), nullptr,
                                               family.Receive()),
              Gdiplus::Ok);
}

INSTANTIATE_TEST_SUITE_P(Families, ChineseFontFamilyTest,
                         testing::Values(FamilyCase{"SongTi", "\xCB\xCE\xCC\xE5"},
                                         FamilyCase{"FangSong", "\xB7\xC2\xCB\xCE"}));

} // namespace
