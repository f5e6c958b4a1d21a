// libFuzzer target: any bytes as a pack file. The reader must neither crash
// nor read outside the data, and a failed unpack must leave the images alone.

#include "skin/SkinPack.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    SkinPack images{"kept"};
    std::string message;
    const bool ok =
        UnpackSkinPackData({reinterpret_cast<const char*>(data), size}, images, message);
    if (ok ? images.size() != kSkinPackItemCount || message != kSkinPackUnpacked
           : images != SkinPack{"kept"} || message.empty()) {
        std::abort();
    }
    return 0;
}
