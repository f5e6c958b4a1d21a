// Arbitrary station answers must never crash the readers.
#include "station/StationJson.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view answer(reinterpret_cast<const char*>(data), size);
    ReadPlaylist(answer);
    ReadSongLink(answer);
    ReadPictureLink(answer);
    return 0;
}
