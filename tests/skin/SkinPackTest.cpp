#include "skin/SkinPack.h"

#include "tests/skin/PackBuilder.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace skin_test;

// What the images held before the call; a failed unpack must keep it.
SkinPack Untouched() {
    return SkinPack{"before 1", "before 2"};
}

struct UnpackCase {
    const char* name;
    std::function<std::string()> pack;
    bool ok;
    std::string_view message;
    std::vector<std::string> items; // expected on success
};

std::string ChangedByte(std::string pack, std::size_t at) {
    pack[at] = static_cast<char>(pack[at] ^ 0x01);
    return pack;
}

std::string UpperCaseDigest() {
    std::string digest = DigestOf(SampleItems());
    for (char& c : digest) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    std::vector<std::string> pieces = {kHeader, digest};
    const auto items = SampleItems();
    pieces.insert(pieces.end(), items.begin(), items.end());
    return JoinPieces(pieces);
}

std::string DigestWithZeroTail() {
    std::vector<std::string> pieces = {kHeader, DigestOf(SampleItems()) + std::string("\0tail", 5)};
    const auto items = SampleItems();
    pieces.insert(pieces.end(), items.begin(), items.end());
    return JoinPieces(pieces);
}

std::string FirstItemOffset() {
    return kHeader + kSeparator + DigestOf(SampleItems()) + kSeparator;
}

TEST(SkinPack, UnpacksWellFormedPacksAndRejectsBrokenOnesWithTheirMessage) {
    const std::vector<std::string> thirtyEmpty(30);
    const UnpackCase cases[] = {
        {"well formed", [] { return BuildPack(SampleItems()); }, true, kSkinPackUnpacked,
         SampleItems()},
        {"another separator, found from the file's end",
         [] { return BuildPack(SampleItems(), "#sep#!#"); }, true, kSkinPackUnpacked,
         SampleItems()},
        {"empty items where separators touch",
         [] { return BuildPack(std::vector<std::string>(30)); }, true, kSkinPackUnpacked,
         thirtyEmpty},
        {"digest text ends at a zero byte", DigestWithZeroTail, true, kSkinPackUnpacked,
         SampleItems()},
        {"zero-length file", [] { return std::string(); }, false, kSkinPackMalformed, {}},
        {"header integer changed",
         [] { return ChangedByte(BuildPack(SampleItems()), 9); },
         false,
         kSkinPackBadHeader,
         {}},
        {"header text changed",
         [] { return ChangedByte(BuildPack(SampleItems()), 0); },
         false,
         kSkinPackBadHeader,
         {}},
        {"header one byte longer",
         [] {
             return JoinPieces({kHeader + "x", DigestOf(SampleItems())});
         },
         false,
         kSkinPackBadHeader,
         {}},
        {"shorter than a separator",
         [] { return std::string("Ski"); },
         false,
         kSkinPackBadHeader,
         {}},
        {"one image byte changed",
         [] { return ChangedByte(BuildPack(SampleItems()), FirstItemOffset().size() + 12); },
         false,
         kSkinPackBadDigest,
         {}},
        {"digest in upper case", UpperCaseDigest, false, kSkinPackBadDigest, {}},
        {"digest byte changed",
         [] { return ChangedByte(BuildPack(SampleItems()), kHeader.size() + kSeparator.size()); },
         false,
         kSkinPackBadDigest,
         {}},
        {"header without digest",
         [] { return JoinPieces({kHeader}); },
         false,
         kSkinPackBadDigest,
         {}},
        {"extra bytes after the last separator",
         [] { return BuildPack(SampleItems()) + "trailing bytes"; },
         false,
         kSkinPackBadHeader,
         {}},
        {"29 items with a matching digest",
         [] { return BuildPack(SampleItems(29)); },
         false,
         kSkinPackMalformed,
         {}},
        {"31 items with a matching digest",
         [] { return BuildPack(SampleItems(31)); },
         false,
         kSkinPackMalformed,
         {}},
    };
    for (const UnpackCase& c : cases) {
        SkinPack images = Untouched();
        std::string message = "not set";
        const bool ok = UnpackSkinPackData(c.pack(), images, message);
        EXPECT_EQ(ok, c.ok) << c.name;
        EXPECT_EQ(message, c.message) << c.name;
        EXPECT_EQ(images, c.ok ? c.items : Untouched()) << c.name;
    }
}

TEST(SkinPack, UpperCaseDigestReallyDiffersFromTheLowerCaseOne) {
    // Guards the case above: the digest must contain letters to tell cases apart.
    EXPECT_NE(DigestOf(SampleItems()).find_first_of("abcdef"), std::string::npos);
}

TEST(SkinPack, EveryTruncationOfAGoodPackFailsAndKeepsTheImages) {
    const std::string pack = BuildPack(SampleItems(), "#sep#!#");
    for (std::size_t length = 0; length < pack.size(); ++length) {
        SkinPack images = Untouched();
        std::string message;
        EXPECT_FALSE(UnpackSkinPackData(std::string_view(pack).substr(0, length), images, message))
            << "length " << length;
        EXPECT_EQ(images, Untouched()) << "length " << length;
    }
}

} // namespace
