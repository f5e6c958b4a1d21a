#pragma once
// The skin pack: the 30 PNG items behind the main window's buttons, stored
// as one file of pieces, each followed by the same 7-byte separator. Piece 1
// is the header "Skin_res" + 87345504 (32-bit little-endian), piece 2 the
// MD5 digest of the items as 32 lower-case hex digits, pieces 3 to 32 the
// items 1 to 30. The reader takes the separator from the file's last 7 bytes.

#include <string>
#include <string_view>
#include <vector>

// Items addressed by item number 1 to 30 (index number - 1); each is the
// encoded PNG data.
using SkinPack = std::vector<std::string>;

inline constexpr std::size_t kSkinPackItemCount = 30;

// The reader's messages, program texts in code page 936.
inline constexpr std::string_view kSkinPackMalformed =
    "\xB8\xF1\xCA\xBD\xB2\xBB\xB9\xE6\xB7\xB6"; // 格式不规范
inline constexpr std::string_view kSkinPackBadHeader =
    "\xD0\xA3\xD1\xE9\xCD\xB7\xB2\xBF\xCE\xB4\xB3\xC9\xB9\xA6"; // 校验头部未成功
inline constexpr std::string_view kSkinPackBadDigest =
    "\xD0\xA3\xD1\xE9\xCA\xFD\xBE\xDD\xCA\xA7\xB0\xDC"; // 校验数据失败
inline constexpr std::string_view kSkinPackUnpacked =
    "\xBD\xE2\xB0\xFC\xB3\xC9\xB9\xA6"; // 解包成功

// Checks a whole pack file's bytes and splits them into its items. On
// success `images` is replaced by the 30 items; on failure it is left as it
// was. `message` receives one of the four messages above in every case. A
// pack that passes both checks but does not hold exactly 30 items is
// rejected as malformed, so the buttons never see a short list.
bool UnpackSkinPackData(std::string_view data, SkinPack& images, std::string& message);
