#include "skin/Md5.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Md5Case {
    std::string input;
    const char* hex;
};

TEST(Md5, MatchesKnownDigests) {
    const Md5Case cases[] = {
        // RFC 1321, appendix A.5.
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789",
         "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
        // Lengths around the padding boundaries: one or two final blocks.
        {std::string(55, 'a'), "ef1772b6dff9a122358552954ad0df65"},
        {std::string(56, 'a'), "3b0c8ac703f828b04c6c197006d17218"},
        {std::string(63, 'a'), "b06521f39153d618550606be297466d5"},
        {std::string(64, 'a'), "014842d480b571495a4a0363793f7367"},
        {std::string(65, 'a'), "c743a45e0d2e6a95cb859adae0248435"},
        {std::string(1000, 'a'), "cabe45dcc9ae5b66ba86600cca6b8ba8"},
    };
    for (const Md5Case& c : cases) {
        EXPECT_EQ(Md5Hex(c.input), c.hex) << "input of " << c.input.size() << " bytes";
    }
}

TEST(Md5, HashesBytesAboveSevenBitAndZeros) {
    const std::string bytes("\x00\xff\x80\x7f", 4);
    EXPECT_EQ(Md5Hex(bytes), "35913419231430075897c28e5e159b65");
}

} // namespace
