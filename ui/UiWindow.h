#pragma once
// A UiWindow turns an ordinary top-level window, created by the program,
// into a skinned window drawn entirely by the framework: it subclasses the
// window, keeps its WindowRecord in the WindowTable, owns the three drawing
// surfaces and holds the window's controls and the program's event routines.

#include "ui/GdiOwners.h"
#include "ui/Surface.h"
#include "ui/WindowTable.h"
#include "ui/controls/ColorRules.h"
#include "ui/controls/Geometry.h"
#include "ui/controls/UiImage.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class CaptionButton;
class UiControl;

inline constexpr char kWindowProperty[] = "addr_wnd";
inline constexpr UINT UIM_SETHOTKEY = 0x2800;
inline constexpr UINT UIM_GETBGIMAGE = 0x2801;
inline constexpr UINT UIM_GETTHEMECOLOR = 0x2802;
// wParam of the WM_LBUTTONDOWN a window sends itself for a double click.
inline constexpr WPARAM DBLCLICK_MARK = 10086;

// Caption flags: which caption elements a window shows.
enum CaptionFlag : int {
    kCaptionIcon = 1,
    kCaptionTitle = 2,
    kCaptionClose = 4,
    kCaptionMaximize = 8,
    kCaptionMinimize = 16,
    kCaptionMenu = 32,
    kCaptionSkin = 64,
    kCaptionMessage = 128,
    kCaptionSettings = 256,
    // Given with other flags: add the standard elements as well.
    kCaptionStandard = 0x400,
};

// Frame style 0 is square, 1 the skin mode (no fill, frame, shadow or
// title); any other value is rounded with that corner size.
inline constexpr int kFrameSquare = 0;
inline constexpr int kFrameSkin = 1;

// What Attach takes; the fields carry the defaults.
struct AttachArgs {
    std::optional<std::string> imageBytes;
    // Not given: the image's pixel at 85 % of its size (black without one).
    std::optional<ColorRef> color;
    // Not given: icon, title and close, plus maximise and minimise as the
    // window style offers them.
    std::optional<int> captionFlags;
    int alpha = -1;
    bool stretchImage = false;
    int frameStyle = 5;
    bool controlFade = true;
    bool noResize = false;
    bool noDrag = false;
    bool featherEdges = true;
    std::optional<RECT> nineGridRect;
};

using ControlEventHandler = std::function<void(HWND, int id, UiControl*, int typeCode)>;
using PaintHandler = std::function<void(HWND, GpGraphics*, HDC, int width, int height)>;
using ResizeHandler = std::function<void(HWND, int width, int height)>;
// Returns -1 to let the default processing go on, else the message result.
using MessageHook = std::function<LRESULT(HWND, UINT, WPARAM, LPARAM)>;

struct WindowHandlers {
    ControlEventHandler onMouseEnter, onMouseLeave, onMouseDown, onMouseUp, onClick, onRightDown,
        onRightUp, onDoubleClick, onFocus, onBlur;
    ResizeHandler onResize;
    PaintHandler onBackgroundPaint, onFramePaint;
    MessageHook messageHook;
};

class UiWindow {
public:
    UiWindow();
    UiWindow(const UiWindow&) = delete;
    UiWindow& operator=(const UiWindow&) = delete;
    ~UiWindow();

    void Attach(HWND window, const AttachArgs& args = {});
    // Runs the teardown of an attached window.
    void Detach();

    // Full repaint. Returns false when the window was never attached.
    bool Render(std::optional<std::string> imageBytes = {}, std::optional<ColorRef> color = {});
    // Partial repaint of one rectangle (window painting protocol).
    void RepaintRect(const RectF& rect, bool present, bool restoreBackground = true);
    void RedrawFrameOver(const RectF& rect, bool drawFrame);
    // Sends WM_PAINT to one control (by id) or to every visible one.
    void RedrawControls(std::optional<int> controlId, bool standalone);
    void PresentRect(const RectF& rect, BYTE constantAlpha);
    void DrawTitle(const std::string& text, bool restoreBackground, bool present);
    void LayoutCaptionButtons(int margin);

    // Get/set operations; each returns the current value.
    int Alpha(std::optional<int> value = {});
    bool StretchBackground(std::optional<bool> value = {});
    int FrameStyle(std::optional<int> value = {}, bool reRender = true);
    bool Resizable(std::optional<bool> value = {});
    bool Draggable(std::optional<bool> value = {});
    bool ControlFade(std::optional<bool> value = {});
    GpImage* BackgroundImageHandle(std::optional<GpImage*> image = {});
    int CaptionButtonKind(int controlId) const;
    // The caption button of a kind (one of the caption flags 4 to 256), to
    // lock, give a tooltip or move; null when the window has none.
    CaptionButton* CaptionButtonOfKind(int kind) const;

    // Shows the window for the first time: mode 1 fades it in over about
    // 0.2 s, any other mode shows it at once.
    void ShowAnimated(int mode);
    // 0 none, 1 fade, 2 zoom and fade; 3 to 6 wipe towards the right, left,
    // bottom or top edge. Runs when the window is closed.
    void SetCloseEffect(int effect);
    void CloseAnimation(int effect);

    // Alt+key clicks the control; key 0 removes its hotkey (0 when it had
    // none). Returns 1 otherwise.
    int SetHotkey(int controlId, int key);
    // Focuses a pressable, unlocked control without calling event routines.
    void SetFocusControl(int controlId);
    // The topmost visible control under a client point, 0 when none.
    int HitTest(LPARAM lParam, int* id = nullptr) const;

    void SetClickHandler(ControlEventHandler handler) { handlers.onClick = std::move(handler); }
    void SetMessageHook(MessageHook hook = {}) { handlers.messageHook = std::move(hook); }
    void SetBackgroundPaintHandler(PaintHandler h) { handlers.onBackgroundPaint = std::move(h); }
    void SetFramePaintHandler(PaintHandler h) { handlers.onFramePaint = std::move(h); }
    void SetResizeHandler(ResizeHandler h) { handlers.onResize = std::move(h); }

    bool IsAttached() const { return oldWindowProc != nullptr; }
    HWND Hwnd() const;
    WindowRecord* Record() const;
    // The margin around the content: 5, or 0 while maximised.
    int Margin() const;
    RectF ContentRect() const;

    // The state below is shared with the controls and the painting code;
    // it is read and written on the window's thread only.
    WNDPROC oldWindowProc = nullptr;
    int windowIndex = 0;
    int focusControl = 0;
    int hoverControl = 0;
    int pressedControl = 0;
    // Set while a full repaint or an animation runs: controls do not paint.
    bool noPaint = false;
    ColorRef themeColor = 0;
    bool captureHeld = false;
    int frameStyle = 5;
    bool focusCues = false;
    Surface frameBuffer;
    Surface backgroundBuffer;
    Surface presentBuffer;
    WindowOwner tooltipWindow;
    int crossFadeLevel = 0;
    int captionFlags = 0;
    UiImage backgroundImage;
    SIZE size{};
    HMENU systemMenu = nullptr;
    std::vector<std::unique_ptr<CaptionButton>> captionButtons;
    std::vector<std::pair<int, int>> hotkeys;
    RECT nineGridRect{};
    int closeEffect = 0;
    bool noResize = false;
    bool noDrag = false;
    bool featherEdges = true;
    WindowHandlers handlers;
    bool mouseTracking = false;
    WindowDc windowDC;

private:
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT CallDefault(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                        std::optional<LRESULT> fixedResult = {});
    void SetupWindow(HWND hwnd, bool stretchImage, bool controlFade, int alpha);
    WNDPROC BindWindowProperty(HWND hwnd);
    void CreateCaptionButtons();
    void OnDestroy(HWND hwnd);
    void OnSize(HWND hwnd, int width, int height);
    void RefreshWindowRect(HWND hwnd);

    // Input.
    const ControlRecord* ControlAt(int position) const;
    void SendToControl(int position, UINT message, WPARAM wParam, LPARAM lParam,
                       bool standalone = true);
    // WM_PAINT to a control; reason 1 the mouse left it, 2 it lost the focus.
    void PaintControl(int position, LPARAM reason);
    void FireEvent(const ControlEventHandler& handler, HWND hwnd, int position);
    bool OnResizeBorder(HWND hwnd, UINT message, LPARAM lParam);
    void TakeKeyboardFocus(HWND hwnd);
    void DragWindow(HWND hwnd);
    // hit: the position of the control under the mouse, 0 when none.
    void OnMouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int& hit);
    void OnLeftButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam);
    void OnMouseLeave();
    void OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam);
    bool FocusedControlUsable() const;
    void ClickFocused(HWND hwnd);
    void MoveFocusForward();
    void OnKeyDown(HWND hwnd, WPARAM key, LPARAM lParam);
    void OnKeyUp(WPARAM key, LPARAM lParam);
    void OnChar(WPARAM character, LPARAM lParam);
    void OnSysKeyDown(HWND hwnd, WPARAM key);
    void OnTimer(HWND hwnd, WPARAM id, LPARAM lParam);
    void OnActivate(HWND hwnd, WPARAM wParam);
    void OnGetMinMaxInfo(MINMAXINFO* info) const;

    // Animations.
    void FadeInShow(HWND hwnd, int mode);
    // Copies the picture line by line so that its vanishing edge fades out.
    void WipeStep(HWND hwnd, HDC dc, int width, int height, int alpha, int cut, int effect);

    // Painting.
    void DrawBackground(int margin);
    void DrawCaptionIcon(HWND hwnd, int margin);
    void DrawWindowFrame(int width, int height, int margin);
    void PresentFrame(const PixelBox& box);
    void PresentLayered(HWND hwnd, HDC source, int width, int height);
    void PaintFromFrame(HWND hwnd);
    void NineGridDraw(GpGraphics* graphics, GpImage* image);
    void DrawBackgroundImage(GpGraphics* graphics, const RectF& content, int cornerSize,
                             GpImageAttributes* attributes);
    void FeatherImage(GpGraphics* graphics, float left, float top);
    bool IsLayered() const;
};

// Rings of shadow around a content rectangle: alphas 75, 55, 25, 15.
void DrawWindowShadow(GpGraphics* graphics, const RectF& content, int frameStyle, ColorRef color);

// Whether the window's background is dark under a rectangle: three samples
// on its middle line, all dark.
bool IsBackgroundDark(int windowIndex, const RectF& rect);
