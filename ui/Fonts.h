#pragma once
// Font choice of the framework. Family names are program text (code page
// 936); sizes are in pixels.

#include "ui/controls/GdiplusOwners.h"

#include <string>
#include <string_view>

// "宋体", else the system's caption font; 12 pixels, regular. Null when
// neither family exists.
FontOwner ChooseDefaultFont();

// Falls back to the default font's family when the family is unknown.
FontOwner CreateFontByName(std::string_view family, float size, int style = 0);

// Which system font: 1 menu, 2 caption, 3 message.
enum class SystemFont { Menu = 1, Caption = 2, Message = 3 };
// The face name of that system font, or "宋体" when it is Tahoma, cannot be
// read or cannot be created.
std::string SystemFontName(SystemFont which = SystemFont::Caption);
