#pragma once

#include <string>

#include "server/ImageType.h"

namespace station_server {

// A generated cover picture: a record on a coloured ground with an equalizer,
// its colours from the seed. GIF covers are animated (the bars move). Empty on
// failure.
std::string MakeCover(ImageType type, unsigned seed);

} // namespace station_server
