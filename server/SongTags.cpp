#include "server/SongTags.h"

#include <attachedpictureframe.h>
#include <id3v2tag.h>
#include <mpegfile.h>
#include <tag.h>

#include <memory>

namespace station_server {

namespace {

std::string Utf8(const TagLib::String& text) {
    return text.isEmpty() ? std::string() : text.to8Bit(true);
}

TagLib::String FromUtf8(const std::string& text) {
    return TagLib::String(text, TagLib::String::UTF8);
}

const TagLib::ID3v2::AttachedPictureFrame* FindPicture(TagLib::ID3v2::Tag* tag) {
    if (tag == nullptr) {
        return nullptr;
    }
    const TagLib::ID3v2::AttachedPictureFrame* first = nullptr;
    for (const auto* frame : tag->frameList("APIC")) {
        const auto* picture = dynamic_cast<const TagLib::ID3v2::AttachedPictureFrame*>(frame);
        if (picture == nullptr || picture->picture().isEmpty()) {
            continue;
        }
        if (picture->type() == TagLib::ID3v2::AttachedPictureFrame::FrontCover) {
            return picture;
        }
        if (first == nullptr) {
            first = picture;
        }
    }
    return first;
}

} // namespace

SongTags ReadSongTags(const std::filesystem::path& file) {
    SongTags result;
    TagLib::MPEG::File mpeg(file.c_str(), false);
    if (!mpeg.isValid()) {
        return result;
    }
    if (const TagLib::Tag* tag = mpeg.tag()) {
        result.title = Utf8(tag->title());
        result.artist = Utf8(tag->artist());
    }
    result.hasPicture = mpeg.hasID3v2Tag() && FindPicture(mpeg.ID3v2Tag()) != nullptr;
    return result;
}

std::string ReadEmbeddedPicture(const std::filesystem::path& file) {
    TagLib::MPEG::File mpeg(file.c_str(), false);
    if (!mpeg.isValid() || !mpeg.hasID3v2Tag()) {
        return {};
    }
    const auto* picture = FindPicture(mpeg.ID3v2Tag());
    if (picture == nullptr) {
        return {};
    }
    const TagLib::ByteVector& data = picture->picture();
    return std::string(data.data(), data.size());
}

bool WriteSongTags(const std::filesystem::path& file, const TagsToWrite& tags) {
    TagLib::MPEG::File mpeg(file.c_str(), false);
    if (!mpeg.isValid()) {
        return false;
    }
    TagLib::ID3v2::Tag* tag = mpeg.ID3v2Tag(true);
    tag->setTitle(FromUtf8(tags.title));
    tag->setArtist(FromUtf8(tags.artist));
    tag->setAlbum(FromUtf8(tags.album));
    if (!tags.picture.empty()) {
        auto frame = std::make_unique<TagLib::ID3v2::AttachedPictureFrame>();
        frame->setTextEncoding(TagLib::String::UTF8);
        frame->setMimeType(tags.pictureMimeType);
        frame->setType(TagLib::ID3v2::AttachedPictureFrame::FrontCover);
        frame->setPicture(TagLib::ByteVector(tags.picture.data(),
                                             static_cast<unsigned int>(tags.picture.size())));
        tag->addFrame(frame.release());
    }
    return mpeg.save(TagLib::MPEG::File::ID3v2, TagLib::File::StripOthers, TagLib::ID3v2::v4);
}

} // namespace station_server
