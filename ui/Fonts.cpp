#include "ui/Fonts.h"

#include "common/CodePage.h"
#include "ui/Framework.h"

#include <windows.h>

#include <array>
#include <cstring>

namespace {

// "宋体" in code page 936.
const std::string kSongTi = "\xCB\xCE\xCC\xE5";

FontFamilyOwner FamilyFromName(std::string_view name) {
    const std::wstring wide = ToWide(name);
    FontFamilyOwner family;
    if (gp::GdipCreateFontFamilyFromName(wide.c_str(), nullptr, family.Receive()) != Gdiplus::Ok) {
        family.Reset();
    }
    return family;
}

FontOwner FontOf(const FontFamilyOwner& family, float size, int style) {
    FontOwner font;
    if (gp::GdipCreateFont(family.Get(), size, style, Gdiplus::UnitPixel, font.Receive()) !=
        Gdiplus::Ok) {
        font.Reset();
    }
    return font;
}

std::string FaceName(const char (&face)[LF_FACESIZE]) {
    return std::string(face, strnlen(face, LF_FACESIZE));
}

} // namespace

FontOwner ChooseDefaultFont() {
    const std::array<std::string, 2> candidates = {kSongTi, SystemFontName(SystemFont::Caption)};
    for (const std::string& name : candidates) {
        FontFamilyOwner family = FamilyFromName(name);
        if (family) {
            return FontOf(family, 12.0f, Gdiplus::FontStyleRegular);
        }
    }
    return FontOwner();
}

FontOwner CreateFontByName(std::string_view familyName, float size, int style) {
    FontFamilyOwner family = FamilyFromName(familyName);
    if (!family && Framework().defaultFont) {
        FontFamilyOwner fallback;
        gp::GdipGetFamily(Framework().defaultFont.Get(), fallback.Receive());
        WCHAR name[LF_FACESIZE] = {};
        if (fallback && gp::GdipGetFamilyName(fallback.Get(), name, LANG_NEUTRAL) == Gdiplus::Ok) {
            family = FamilyFromName(FromWide(name));
        }
    }
    return family ? FontOf(family, size, style) : FontOwner();
}

std::string SystemFontName(SystemFont which) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        return kSongTi;
    }
    std::string face;
    switch (which) {
    case SystemFont::Menu:
        face = FaceName(metrics.lfMenuFont.lfFaceName);
        break;
    case SystemFont::Caption:
        face = FaceName(metrics.lfCaptionFont.lfFaceName);
        break;
    case SystemFont::Message:
        face = FaceName(metrics.lfMessageFont.lfFaceName);
        break;
    }
    if (face == "Tahoma") {
        return kSongTi;
    }
    FontFamilyOwner family = FamilyFromName(face);
    if (!family || !FontOf(family, 12.0f, Gdiplus::FontStyleRegular)) {
        return kSongTi;
    }
    return face;
}
