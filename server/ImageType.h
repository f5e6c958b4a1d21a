#pragma once

#include <string_view>

namespace station_server {

enum class ImageType { None, Jpeg, Png, Gif };

// The picture format told by the file's first bytes; names and tags can lie.
ImageType SniffImageType(std::string_view head);

std::string_view ImageExtension(ImageType type); // "jpg", "png", "gif"
std::string_view ImageMimeType(ImageType type);  // "image/jpeg", ...

} // namespace station_server
