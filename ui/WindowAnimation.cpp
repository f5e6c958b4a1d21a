// The window's own animations: the fade-in when it first appears and the
// closing effects. Each runs synchronously with noPaint set, presenting its
// intermediate pictures itself.

#include "ui/UiWindow.h"

#include <algorithm>

namespace {

constexpr int kSteps = 25;
constexpr int kZoomSteps = 20;
constexpr DWORD kStepMs = 8;
// The lines nearest the vanishing edge of a wipe fade out over this many.
constexpr int kWipeFade = 100;

void BlendInto(HDC target, HDC source, int x, int y, int width, int height, int alpha) {
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, static_cast<BYTE>(std::clamp(alpha, 0, 255)), 0};
    AlphaBlend(target, x, y, width, height, source, x, y, width, height, blend);
}

void Clear(const Surface& surface) {
    gp::GdipGraphicsClear(surface.Graphics(), 0x00FFFFFF);
}

bool IsColumnWipe(int effect) {
    return effect == 3 || effect == 4;
}

} // namespace

void UiWindow::SetCloseEffect(int effect) {
    closeEffect = effect;
}

void UiWindow::ShowAnimated(int mode) {
    const HWND hwnd = Hwnd();
    if (!hwnd) {
        return;
    }
    if (IsLayered()) {
        BlendInto(presentBuffer.Dc(), frameBuffer.Dc(), 0, 0, size.cx, size.cy, 1);
        PresentLayered(hwnd, presentBuffer.Dc(), size.cx, size.cy);
        FadeInShow(hwnd, mode);
    } else {
        FadeInShow(hwnd, mode);
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE,
                          GetWindowLongPtrA(hwnd, GWL_EXSTYLE) & ~LONG_PTR{WS_EX_LAYERED});
    }
}

void UiWindow::FadeInShow(HWND hwnd, int mode) {
    const RECT& rect = Record()->windowRect;
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    noPaint = true;
    Surface temporary;
    temporary.Make(nullptr, width, height);
    BlendInto(temporary.Dc(), frameBuffer.Dc(), 0, 0, width, height, 1);
    PresentLayered(hwnd, temporary.Dc(), width, height);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    const int target = IsLayered() ? Record()->alpha : 255;
    const int step = target / kSteps;
    if (mode == 1) {
        for (int i = 1; i <= kSteps; ++i) {
            Clear(temporary);
            BlendInto(temporary.Dc(), frameBuffer.Dc(), 0, 0, width, height, step * (i - 1));
            PresentLayered(hwnd, temporary.Dc(), width, height);
            Sleep(kStepMs);
        }
        Clear(temporary);
        BlendInto(temporary.Dc(), frameBuffer.Dc(), 0, 0, width, height, 254);
        PresentLayered(hwnd, temporary.Dc(), width, height);
    }
    noPaint = false;
}

void UiWindow::CloseAnimation(int effect) {
    const HWND hwnd = Hwnd();
    WindowRecord* record = Record();
    if (!hwnd || !record) {
        return;
    }
    noPaint = true;
    const int width = record->windowRect.right - record->windowRect.left;
    const int height = record->windowRect.bottom - record->windowRect.top;
    if (!IsLayered()) {
        // Made layered for the animation, its 5-pixel border transparent.
        presentBuffer.Make(nullptr, width, height);
        SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
        BlendInto(presentBuffer.Dc(), frameBuffer.Dc(), 5, 5, width - 10, height - 10, 255);
        record->alpha = 255;
    }
    Surface temporary;
    temporary.Make(nullptr, width, height);
    const int alpha = record->alpha;
    const int step = alpha / kSteps;
    if (effect == 1) {
        for (int i = 1; i <= kSteps; ++i) {
            Clear(temporary);
            BlendInto(temporary.Dc(), presentBuffer.Dc(), 0, 0, width, height,
                      alpha - step * (i - 1));
            PresentLayered(hwnd, temporary.Dc(), width, height);
            Sleep(kStepMs);
        }
    } else if (effect == 2) {
        const int zoomStep = alpha / kZoomSteps;
        int shrink = 0;
        for (int i = 1; i <= kZoomSteps; ++i) {
            const double grow = 1.5 * i;
            const BLENDFUNCTION blend{
                AC_SRC_OVER, 0, static_cast<BYTE>(std::max(alpha - zoomStep * (i - 1), 0)), 0};
            Clear(temporary);
            if (grow <= 5) {
                const int offset = static_cast<int>(-(grow / 2));
                AlphaBlend(temporary.Dc(), offset, offset, static_cast<int>(width + grow),
                           static_cast<int>(height + grow), presentBuffer.Dc(), 0, 0, width, height,
                           blend);
            } else {
                shrink += 2;
                AlphaBlend(temporary.Dc(), shrink / 2 - 5, shrink / 2 - 5, width + 10 - shrink,
                           height + 10 - shrink, presentBuffer.Dc(), 0, 0, width, height, blend);
            }
            PresentLayered(hwnd, temporary.Dc(), width, height);
            Sleep(static_cast<DWORD>(std::max(15 - i, 1)));
        }
    } else if (effect >= 3) {
        const int lines = IsColumnWipe(effect) ? width : height;
        const int cutStep = lines / kSteps;
        for (int i = 1; i <= kSteps; ++i) {
            Clear(temporary);
            WipeStep(hwnd, temporary.Dc(), width, height, alpha - step * (i - 1), cutStep * (i - 1),
                     effect);
            Sleep(kStepMs);
        }
    }
    Clear(temporary);
    PresentLayered(hwnd, temporary.Dc(), width, height);
    noPaint = false;
}

void UiWindow::WipeStep(HWND hwnd, HDC dc, int width, int height, int alpha, int cut, int effect) {
    const int shown = (IsColumnWipe(effect) ? width : height) - cut;
    const int solid = shown - kWipeFade;
    for (int i = 1; i <= shown; ++i) {
        const int lineAlpha =
            i < solid ? alpha
                      : static_cast<int>(alpha / static_cast<double>(kWipeFade) * (shown - i));
        switch (effect) {
        case 3:
            BlendInto(dc, presentBuffer.Dc(), width - i, 0, 1, height, lineAlpha);
            break;
        case 4:
            BlendInto(dc, presentBuffer.Dc(), i, 0, 1, height, lineAlpha);
            break;
        case 5:
            BlendInto(dc, presentBuffer.Dc(), 0, height - i, width, 1, lineAlpha);
            break;
        default:
            BlendInto(dc, presentBuffer.Dc(), 0, i, width, 1, lineAlpha);
            break;
        }
    }
    PresentLayered(hwnd, dc, width, height);
}
