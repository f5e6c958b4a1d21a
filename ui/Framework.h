#pragma once
// Framework-wide state filled once by StartFramework, and the window class
// the framework offers to programs that create their own windows.

#include "ui/controls/GdiplusOwners.h"
#include "ui/controls/UiImage.h"

#include <windows.h>

#include <optional>

struct FrameworkGlobals {
    ULONG_PTR gdiplusToken = 0;
    // Controls and the caption title use it when given no font; null when
    // no family could be created.
    FontOwner defaultFont;
    int defaultTimerInterval = 80;
    UiImage captionSprite;
    int osMajorVersion = 0;
};

FrameworkGlobals& Framework();

inline constexpr char kFrameworkClassName[] = "Ra_ZeziviRI";

// Starts GDI+, picks the default font, loads the caption artwork and
// registers the window class. Called once, before any window is attached.
// GDI+ is never shut down: the process exit reclaims it.
void StartFramework();

struct FrameworkClassArgs {
    const char* className = kFrameworkClassName;
    std::optional<HICON> icon;
    UINT style = CS_DBLCLKS;
    std::optional<HCURSOR> cursor;
};
void RegisterFrameworkClass(WNDPROC procedure, const FrameworkClassArgs& args = {});
