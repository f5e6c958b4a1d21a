// Times of the UI framework's two kinds of painting on the main window's
// appearance: one control repainting itself alone (restore, draw, present)
// and one full Render. Prints the median of many runs in microseconds.

#include "ui/Framework.h"
#include "ui/UiWindow.h"
#include "ui/controls/Drawing.h"
#include "ui/controls/UiControl.h"

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A control the size of the main window's cover picture: a filled box
// with a solid border.
class BoxControl : public UiControl {
public:
    LRESULT HandleMessage(HWND, UINT message, WPARAM, LPARAM, int windowIndex, int position,
                          bool standalone) override {
        if (message != WM_PAINT) {
            return 0;
        }
        const RectF rect = GetRect();
        if (!BeginControlPaint(windowIndex, position, rect, false, standalone)) {
            return 0;
        }
        GpGraphics* graphics = FindUiWindow(windowIndex)->frameBuffer.Graphics();
        FillRectSolid(graphics, rect, color);
        DrawBorder(graphics, rect, kBorderSolid);
        EndControlPaint(windowIndex, position, rect, standalone,
                        {.presentNow = present, .doNotPresent = !present});
        return 0;
    }
    ArgbColor color = 0xFF406080;
    bool present = true;
};

double MedianMicroseconds(int runs, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const auto end = std::chrono::steady_clock::now();
        times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main() {
    StartFramework();
    HWND host = CreateWindowExA(WS_EX_TOOLWINDOW, kFrameworkClassName, "bench", WS_POPUP, 50, 50,
                                339, 140, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    UiWindow window;
    window.Attach(host, AttachArgs{.color = 0x000000,
                                   .captionFlags = 0,
                                   .alpha = 220,
                                   .frameStyle = kFrameSquare,
                                   .noResize = true});
    ShowWindow(host, SW_SHOWNOACTIVATE);

    BoxControl box;
    box.CreateControl(host, MakeRectF(10, 10, 96, 96), kTypePictureBox, true, true);
    int flip = 0;
    const double repaint = MedianMicroseconds(500, [&] {
        box.color = (++flip % 2) ? 0xFF406080 : 0xFF804060;
        box.Redraw();
    });
    box.present = false;
    const double drawOnly = MedianMicroseconds(500, [&] {
        box.color = (++flip % 2) ? 0xFF406080 : 0xFF804060;
        box.Redraw();
    });
    const double render = MedianMicroseconds(200, [&] { window.Render({}, 0x000000); });

    std::printf("control repaint (96 x 96, standalone, presented): median %.1f us\n", repaint);
    std::printf("the same without presenting (compose only):      median %.1f us\n", drawOnly);
    std::printf("full Render of the main window (339 x 140):        median %.1f us\n", render);
    DestroyWindow(host);
    return 0;
}
