#include "server/ImageType.h"

namespace station_server {

ImageType SniffImageType(std::string_view head) {
    if (head.starts_with("\xFF\xD8\xFF")) {
        return ImageType::Jpeg;
    }
    if (head.starts_with("\x89PNG\r\n\x1A\n")) {
        return ImageType::Png;
    }
    if (head.starts_with("GIF87a") || head.starts_with("GIF89a")) {
        return ImageType::Gif;
    }
    return ImageType::None;
}

std::string_view ImageExtension(ImageType type) {
    switch (type) {
    case ImageType::Jpeg:
        return "jpg";
    case ImageType::Png:
        return "png";
    case ImageType::Gif:
        return "gif";
    case ImageType::None:
        break;
    }
    return "";
}

std::string_view ImageMimeType(ImageType type) {
    switch (type) {
    case ImageType::Jpeg:
        return "image/jpeg";
    case ImageType::Png:
        return "image/png";
    case ImageType::Gif:
        return "image/gif";
    case ImageType::None:
        break;
    }
    return "application/octet-stream";
}

} // namespace station_server
