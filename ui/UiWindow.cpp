#include "ui/UiWindow.h"

#include "ui/CaptionButton.h"
#include "ui/Framework.h"
#include "ui/WindowThread.h"
#include "ui/controls/UiControl.h"

#include <commctrl.h>

namespace {

constexpr int kCaptionButtonHeight = 19;
constexpr int kCaptionKinds[] = {kCaptionMaximize, kCaptionMinimize, kCaptionMenu,
                                 kCaptionSkin,     kCaptionMessage,  kCaptionSettings};

ColorRef ThemeColorOfImage(const UiImage& image) {
    if (image.Empty()) {
        return 0;
    }
    const int x = static_cast<int>(static_cast<float>(image.GetWidth()) * 0.85f);
    const int y = static_cast<int>(static_cast<float>(image.GetHeight()) * 0.85f);
    return ArgbToColorRef(image.GetPixel(x, y));
}

void SetStyleBit(HWND hwnd, int index, LONG_PTR bit, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(hwnd, index);
    if (((style & bit) != 0) != on) {
        SetWindowLongPtrA(hwnd, index, on ? (style | bit) : (style & ~bit));
    }
}

} // namespace

UiWindow::UiWindow() = default;

UiWindow::~UiWindow() {
    // A window that outlives its object must not reach it any more.
    Detach();
}

HWND UiWindow::Hwnd() const {
    const WindowRecord* record = Record();
    return record ? record->hwnd : nullptr;
}

WindowRecord* UiWindow::Record() const {
    return FindWindowRecord(windowIndex);
}

bool UiWindow::IsLayered() const {
    const WindowRecord* record = Record();
    return record && record->alpha != -1;
}

int UiWindow::Margin() const {
    return IsZoomed(Hwnd()) ? 0 : 5;
}

RectF UiWindow::ContentRect() const {
    const float m = static_cast<float>(Margin());
    return MakeRectF(m, m, static_cast<float>(size.cx) - 2 * m,
                     static_cast<float>(size.cy) - 2 * m);
}

void UiWindow::Attach(HWND window, const AttachArgs& args) {
    if (IsAttached() || !IsWindow(window)) {
        return;
    }
    if (args.imageBytes) {
        backgroundImage.LoadFromBytes(*args.imageBytes);
    }
    const ColorRef color = args.color.value_or(ThemeColorOfImage(backgroundImage));

    int flags = args.captionFlags.value_or(0);
    if (!args.captionFlags || *args.captionFlags != 0) {
        SetStyleBit(window, GWL_STYLE, WS_SYSMENU, true);
    }
    if (!args.captionFlags || (*args.captionFlags & kCaptionStandard)) {
        const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        flags |= kCaptionIcon | kCaptionTitle | kCaptionClose;
        if (style & WS_MAXIMIZEBOX) {
            flags |= kCaptionMaximize;
        }
        if (style & WS_MINIMIZEBOX) {
            flags |= kCaptionMinimize;
        }
    }
    flags &= ~kCaptionStandard;
    SetStyleBit(window, GWL_STYLE, WS_THICKFRAME, !args.noResize);

    captionFlags = flags;
    themeColor = color;
    noResize = args.noResize;
    noDrag = args.noDrag;
    featherEdges = args.featherEdges;
    frameStyle = args.frameStyle;
    if (frameStyle == kFrameSkin) {
        nineGridRect = args.nineGridRect.value_or(RECT{});
    }
    SetupWindow(window, args.stretchImage, args.controlFade, args.alpha);
    tooltipWindow.Reset(CreateWindowExA(0, TOOLTIPS_CLASSA, "", TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr,
                                        nullptr, nullptr, nullptr));
}

void UiWindow::SetupWindow(HWND hwnd, bool stretchImage, bool controlFade, int alpha) {
    auto& table = WindowTable();
    table.push_back(WindowRecord{});
    windowIndex = static_cast<int>(table.size());
    WindowRecord& record = table.back();
    record.hwnd = hwnd;
    record.stretchImage = stretchImage;
    record.controlFade = controlFade;
    record.alpha = alpha;
    BindWindowProperty(hwnd);
    record.objectRef = this;
    GetWindowRect(hwnd, &record.windowRect);
    size = SIZE{record.windowRect.right - record.windowRect.left,
                record.windowRect.bottom - record.windowRect.top};

    windowDC.Acquire(hwnd);
    frameBuffer.Make(windowDC.Get(), GetSystemMetrics(SM_CXMAXTRACK),
                     GetSystemMetrics(SM_CYMAXTRACK));
    backgroundBuffer.Make(windowDC.Get(), size.cx, size.cy);
    if (alpha != -1) {
        presentBuffer.Make(windowDC.Get(), size.cx, size.cy);
        SetStyleBit(hwnd, GWL_EXSTYLE, WS_EX_LAYERED, true);
    }
    oldWindowProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&UiWindow::WindowProc)));
    if (captionFlags != 0) {
        CreateCaptionButtons();
        systemMenu = GetSystemMenu(hwnd, FALSE);
    }
    // With the colour Attach settled on: a colour given to Attach must not
    // be replaced by the image's pixel.
    Render({}, themeColor);
}

void UiWindow::CreateCaptionButtons() {
    const HWND hwnd = Hwnd();
    const int margin = Margin();
    int x = size.cx - margin - 3;
    auto add = [&](int kind, int width) {
        x -= width;
        auto button = std::make_unique<CaptionButton>();
        button->Create(hwnd, x, margin + 1, width, kCaptionButtonHeight, kind);
        captionButtons.push_back(std::move(button));
    };
    if (captionFlags & kCaptionClose) {
        add(kCaptionClose, 39);
    }
    for (int kind : kCaptionKinds) {
        if (captionFlags & kind) {
            add(kind, 28);
        }
    }
}

void UiWindow::LayoutCaptionButtons(int margin) {
    if (captionFlags == 0) {
        return;
    }
    int x = size.cx - margin - 3 - ((captionFlags & kCaptionClose) ? 11 : 0);
    for (auto& button : captionButtons) {
        x -= 28;
        button->Move(static_cast<float>(x), static_cast<float>(margin + 1), {}, {}, false);
    }
}

WNDPROC UiWindow::BindWindowProperty(HWND hwnd) {
    SetPropA(hwnd, kWindowProperty, this);
    if (WindowRecord* record = Record()) {
        record->objectRef = this;
    }
    return &UiWindow::WindowProc;
}

void UiWindow::Detach() {
    if (!IsAttached()) {
        return;
    }
    if (HWND hwnd = Hwnd()) {
        OnDestroy(hwnd);
    }
}

void UiWindow::OnDestroy(HWND hwnd) {
    if (!oldWindowProc) {
        return;
    }
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(oldWindowProc));
    focusCues = false;
    RemovePropA(hwnd, kWindowProperty);
    hotkeys.clear();
    const bool wasLayered = IsLayered();
    hoverControl = 0;
    focusControl = 0;
    if (captureHeld) {
        captureHeld = false;
        pressedControl = 0;
        ReleaseCapture();
    }
    noPaint = true;
    while (WindowRecord* record = Record()) {
        if (record->controls.empty()) {
            break;
        }
        UiControl* last = record->controls.back().object;
        if (!last->Destroy()) {
            record->controls.pop_back();
        }
    }
    captionButtons.clear();

    auto& table = WindowTable();
    if (WindowRecord* record = Record(); record && record->hwnd == hwnd) {
        table.erase(table.begin() + (windowIndex - 1));
        for (int index = static_cast<int>(table.size()); index >= 1; --index) {
            WindowRecord& moved = table[static_cast<size_t>(index - 1)];
            if (moved.objectRef) {
                moved.objectRef->windowIndex = index;
            }
            RenumberControls(moved.controls, index);
        }
    }
    windowIndex = 0;
    tooltipWindow.Reset();
    backgroundImage.Dispose();
    frameBuffer.Release();
    backgroundBuffer.Release();
    if (wasLayered) {
        presentBuffer.Release();
    }
    windowDC.Reset();
    oldWindowProc = nullptr;
    noPaint = false;
}

void UiWindow::RefreshWindowRect(HWND hwnd) {
    if (WindowRecord* record = Record()) {
        GetWindowRect(hwnd, &record->windowRect);
    }
}

int UiWindow::Alpha(std::optional<int> value) {
    WindowRecord* record = Record();
    if (!record) {
        return -1;
    }
    if (value && record->alpha != -1) {
        record->alpha = *value;
        Render();
    }
    return record->alpha;
}

bool UiWindow::StretchBackground(std::optional<bool> value) {
    WindowRecord* record = Record();
    if (!record) {
        return false;
    }
    if (value && *value != record->stretchImage) {
        record->stretchImage = *value;
        Render();
    }
    return record->stretchImage;
}

int UiWindow::FrameStyle(std::optional<int> value, bool reRender) {
    if (value) {
        frameStyle = *value;
        if (reRender) {
            Render();
        }
    }
    return frameStyle;
}

bool UiWindow::Resizable(std::optional<bool> value) {
    if (value) {
        noResize = !*value;
    }
    return !noResize;
}

bool UiWindow::Draggable(std::optional<bool> value) {
    if (value) {
        noDrag = !*value;
    }
    return !noDrag;
}

bool UiWindow::ControlFade(std::optional<bool> value) {
    WindowRecord* record = Record();
    if (!record) {
        return false;
    }
    if (value) {
        record->controlFade = *value;
    }
    return record->controlFade;
}

GpImage* UiWindow::BackgroundImageHandle(std::optional<GpImage*> image) {
    if (image) {
        backgroundImage.SetHandle(*image);
    }
    return backgroundImage.GetHandle();
}

int UiWindow::CaptionButtonKind(int controlId) const {
    for (const auto& button : captionButtons) {
        if (button->GetId() == controlId) {
            return button->Kind();
        }
    }
    return 0;
}

CaptionButton* UiWindow::CaptionButtonOfKind(int kind) const {
    for (const auto& button : captionButtons) {
        if (button->Kind() == kind) {
            return button.get();
        }
    }
    return nullptr;
}

LRESULT CALLBACK UiWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = static_cast<UiWindow*>(GetPropA(hwnd, kWindowProperty));
    if (!window) {
        return DefWindowProcA(hwnd, message, wParam, lParam);
    }
    return window->HandleMessage(hwnd, message, wParam, lParam);
}

LRESULT UiWindow::CallDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                              std::optional<LRESULT> fixedResult) {
    if (handlers.messageHook) {
        const LRESULT hooked = handlers.messageHook(hwnd, message, wParam, lParam);
        if (hooked != -1) {
            return hooked;
        }
    }
    if (fixedResult) {
        return *fixedResult;
    }
    return CallWindowProcA(oldWindowProc, hwnd, message, wParam, lParam);
}

LRESULT UiWindow::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == HandOverMessage()) {
        RunHandedOverWork(lParam);
        return 0;
    }
    switch (message) {
    case WM_DESTROY: {
        mouseTracking = false;
        const WNDPROC previous = oldWindowProc;
        OnDestroy(hwnd);
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
    case WM_MOVE:
    case WM_EXITSIZEMOVE:
        RefreshWindowRect(hwnd);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_SIZE:
        RefreshWindowRect(hwnd);
        OnSize(hwnd, LOWORD(lParam), HIWORD(lParam));
        return CallDefault(hwnd, message, wParam, lParam, 0);
    case WM_PAINT:
        PaintFromFrame(hwnd);
        return CallDefault(hwnd, message, wParam, lParam, 0);
    case WM_NCCALCSIZE:
        // No non-client area: the framework draws the whole window.
        if (wParam == TRUE) {
            return 0;
        }
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_CLOSE:
        if (closeEffect != 0) {
            CloseAnimation(closeEffect);
        }
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_ACTIVATE:
        OnActivate(hwnd, wParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_KILLFOCUS:
        if (focusControl != 0 && GetActiveWindow() == hwnd && FocusedControlUsable()) {
            const int lost = focusControl;
            focusControl = 0;
            PaintControl(lost, 2);
        }
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_SETTEXT:
        if (lParam != 0) {
            DrawTitle(reinterpret_cast<const char*>(lParam), true, true);
        }
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_GETMINMAXINFO:
        OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lParam));
        return CallDefault(hwnd, message, wParam, lParam, 0);
    case WM_NCACTIVATE:
        // Keeps Windows from drawing an active or inactive frame.
        if (wParam == FALSE) {
            return TRUE;
        }
        if (!IsIconic(hwnd)) {
            return 0;
        }
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
        OnKeyDown(hwnd, wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_KEYUP:
        OnKeyUp(wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_CHAR:
        OnChar(wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_SYSKEYDOWN:
        OnSysKeyDown(hwnd, wParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_COMMAND:
        // Commands chosen from the system menu.
        SendMessageA(hwnd, WM_SYSCOMMAND, wParam, 0);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_TIMER:
        OnTimer(hwnd, wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE: {
        if (!mouseTracking) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
            mouseTracking = TrackMouseEvent(&track) != FALSE;
        }
        int hit = 0;
        OnMouse(hwnd, message, wParam, lParam, hit);
        return CallDefault(hwnd, message, wParam, lParam);
    }
    case WM_LBUTTONDOWN:
        OnLeftButtonDown(hwnd, wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        int hit = 0;
        OnMouse(hwnd, message, wParam, lParam, hit);
        if (hit > 0) {
            const ControlEventHandler& handler = message == WM_LBUTTONUP     ? handlers.onMouseUp
                                                 : message == WM_RBUTTONDOWN ? handlers.onRightDown
                                                                             : handlers.onRightUp;
            FireEvent(handler, hwnd, hit);
        }
        return CallDefault(hwnd, message, wParam, lParam);
    }
    case WM_LBUTTONDBLCLK:
        SendMessageA(hwnd, WM_LBUTTONDOWN, DBLCLICK_MARK, lParam);
        return 0;
    case WM_MOUSEWHEEL:
        OnMouseWheel(message, wParam, lParam);
        return CallDefault(hwnd, message, wParam, lParam);
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return CallDefault(hwnd, message, wParam, lParam);
    case UIM_SETHOTKEY:
        return SetHotkey(static_cast<int>(wParam), static_cast<int>(lParam));
    case UIM_GETBGIMAGE:
        return reinterpret_cast<LRESULT>(backgroundImage.GetHandle());
    case UIM_GETTHEMECOLOR:
        return static_cast<LRESULT>(themeColor);
    default:
        return CallDefault(hwnd, message, wParam, lParam);
    }
}
