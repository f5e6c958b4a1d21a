// Labels: where their text lands, their fonts, colours, border and
// background, read back from the composed frame.

#include "ControlFixture.h"

#include "ui/controls/UiLabel.h"

namespace {

// Opaque white is the "no colour" value, so the test background is off-white.
constexpr ArgbColor kWhite = 0xFFF0F0F0;
constexpr ArgbColor kBlack = 0xFF000000;

// A label on an opaque white background, so its ink is easy to find.
LabelOptions OnWhite(LabelOptions options = {}) {
    options.textColor = kBlack;
    options.gradientMode = 1;
    options.gradientColor1 = kWhite;
    options.gradientColor2 = kWhite;
    return options;
}

bool IsDark(ArgbColor c) {
    return Red(c) < 128 && Green(c) < 128;
}

class Labels : public ControlsWindow {
protected:
    // The background fills all but the last column and row.
    InkBox InkOf(int x, int y, int width, int height) const {
        return FindInk(x, y, x + width - 1, y + height - 1, IsDark);
    }
};

} // namespace

TEST_F(Labels, DefaultLayoutIsLeftAlignedOneLineCentredVerticallyTwoPixelsInside) {
    UiLabel label;
    ASSERT_GT(label.Create(host.Get(), "Wide text that never wraps 不换行的一行歌词", 20, 20, 120,
                           40, OnWhite()),
              0);
    const InkBox ink = InkOf(20, 20, 120, 40);
    ASSERT_FALSE(ink.Empty());
    EXPECT_GE(ink.left, 22);
    EXPECT_LE(ink.left, 24) << "left aligned";
    EXPECT_LE(ink.right, 20 + 120 - 3) << "clipped two pixels inside";
    EXPECT_LE(ink.Height(), 16) << "one line of a 12-pixel font";
    EXPECT_NEAR((ink.top + ink.bottom) / 2.0, 40.0, 3.0) << "centred vertically";
    EXPECT_EQ(Pixel(20, 20), kWhite) << "the background fills the rectangle";
    EXPECT_EQ(Pixel(140, 30), kBackground) << "and nothing beyond it";
}

TEST_F(Labels, AlignmentOneKeepsTheTextAtTheTopAndCentresItAcross) {
    UiLabel label;
    LabelOptions options = OnWhite();
    options.alignment = 1;
    label.Create(host.Get(), "00:00", 20, 20, 200, 60, options);
    const InkBox ink = InkOf(20, 20, 200, 60);
    ASSERT_FALSE(ink.Empty());
    EXPECT_LE(ink.top, 22 + 5) << "at the top";
    EXPECT_NEAR((ink.left + ink.right) / 2.0, 120.0, 3.0) << "centred across";
}

TEST_F(Labels, AFontOfItsOwnIsUsedWhenAnyFontArgumentIsGiven) {
    UiLabel small;
    UiLabel large;
    small.Create(host.Get(), "Hg", 10, 10, 100, 50, OnWhite());
    LabelOptions options = OnWhite();
    options.fontSize = 24.0f;
    large.Create(host.Get(), "Hg", 150, 10, 100, 50, options);
    const InkBox smallInk = InkOf(10, 10, 100, 50);
    const InkBox largeInk = InkOf(150, 10, 100, 50);
    ASSERT_FALSE(smallInk.Empty());
    ASSERT_FALSE(largeInk.Empty());
    EXPECT_GE(largeInk.Height(), smallInk.Height() * 3 / 2);

    UiLabel unknownFamily;
    options.fontFamily = "No Such Family";
    options.fontSize = 12.0f;
    unknownFamily.Create(host.Get(), "Hg", 10, 70, 100, 50, options);
    const InkBox fallbackInk = InkOf(10, 70, 100, 50);
    EXPECT_EQ(fallbackInk.Height(), smallInk.Height()) << "falls back to the default family";
}

TEST_F(Labels, AutoColourWritesWhiteOverTheDarkWindowAndKeepsTheAlpha) {
    UiLabel label;
    label.Create(host.Get(), "", 20, 20, 200, 30, LabelOptions{.textColor = 0xFF000000});
    label.AutoColour(true);
    label.SetText("歌手 Artist");
    const InkBox bright = FindInk(20, 20, 220, 50, [](ArgbColor c) { return Red(c) > 200; });
    EXPECT_FALSE(bright.Empty()) << "black text became white";

    UiLabel plain;
    plain.Create(host.Get(), "歌手 Artist", 20, 60, 200, 30, LabelOptions{.textColor = 0xFF000000});
    EXPECT_TRUE(FindInk(20, 60, 220, 90, [](ArgbColor c) { return Red(c) > 200; }).Empty());
}

TEST_F(Labels, SetTextRepaintsEvenWithTheSameTextAndEmptyTextLeavesTheBackground) {
    UiLabel label;
    label.Create(host.Get(), "Song", 20, 20, 100, 30, OnWhite());
    Mark(20, 20, 100, 30);
    EXPECT_EQ(label.SetText("Song"), "Song");
    EXPECT_EQ(Pixel(21, 21), kWhite) << "painted again";
    label.SetText("");
    EXPECT_TRUE(InkOf(20, 20, 100, 30).Empty());
    EXPECT_EQ(label.SetText(), "");
}

TEST_F(Labels, SolidBorderIsAGreyOutlineOnTheEdge) {
    UiLabel label;
    label.Create(host.Get(), "", 30, 30, 60, 20, LabelOptions{.borderStyle = kBorderSolid});
    const ArgbColor edge = Pixel(30, 40);
    EXPECT_EQ(Red(edge), Green(edge));
    EXPECT_GT(Red(edge), 60u);
    EXPECT_EQ(Pixel(31, 40), kBackground) << "only the edge is drawn";
}

TEST_F(Labels, SettingTextOnALabelNeverCreatedOnlyStoresIt) {
    UiLabel label;
    EXPECT_EQ(label.SetText("kept"), "kept");
    EXPECT_EQ(label.GetId(), 0);
}
