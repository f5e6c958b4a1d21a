#pragma once
// The base of every control drawn inside a framework window. A control is
// not a child window: it is a rectangle of its window's client area, known
// to the window through a ControlRecord, and it paints itself onto the
// window's frame surface with the paint protocol below.

#include "ui/WindowTable.h"
#include "ui/controls/Geometry.h"

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr UINT UIM_CLICK = 444660;
inline constexpr UINT UIM_HIDDEN = 444662;
inline constexpr UINT UIM_SHOWN = 444663;
inline constexpr int kArrowCursor = 32512;
// WM_PAINT's lParam when a window or a setter asks a control to draw itself.
inline constexpr LPARAM kPaintRequest = -1;

// A program routine bound to one control message.
using ControlEventRoutine =
    std::function<void(int windowIndex, int position, WPARAM, LPARAM, bool standalone)>;

class UiControl {
public:
    UiControl(const UiControl&) = delete;
    UiControl& operator=(const UiControl&) = delete;
    // A control that goes while still registered leaves its window's list;
    // it receives no WM_DESTROY then, as its class is already gone.
    virtual ~UiControl();

    // The class's own message routine. Paint handlers draw between
    // BeginControlPaint and EndControlPaint.
    virtual LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                  int windowIndex, int position, bool standalone) = 0;

    // Registers the control on the attached window with that handle; does
    // nothing once created. Returns the id, 0 when the window is unknown.
    int CreateControl(HWND window, const RectF& rect, int typeCode, bool visible, bool pressable,
                      int cursor = kArrowCursor);

    int GetWindowIndex() const { return windowIndex_; }
    RectF GetRect() const { return rect_; }
    int GetId() const { return id_; }
    bool IsCreated() const { return windowIndex_ > 0 && id_ > 0; }

    bool Locked(std::optional<bool> value = {});
    int Left(std::optional<float> value = {});
    int Top(std::optional<float> value = {});
    int Width(std::optional<float> value = {});
    int Height(std::optional<float> value = {});
    bool Visible(std::optional<bool> value = {});
    void Move(std::optional<float> x, std::optional<float> y = {}, std::optional<float> width = {},
              std::optional<float> height = {}, bool redraw = true);
    void Redraw();
    // 1: topmost; any other value: just above the leading caption buttons.
    void SetZOrder(int position = 1, bool redraw = true);
    std::string ToolTipText(std::optional<std::string> text = {}, bool apply = false);
    bool HasFocus() const;
    bool Pressable(std::optional<bool> value = {});
    bool Destroy();
    int Cursor(std::optional<int> value = {});
    std::string TagText(std::optional<std::string> text = {});
    bool Enabled(std::optional<bool> value = {});
    void Disable() { enabled_ = false; }
    void Enable() { enabled_ = true; }
    // A second routine for the same message replaces the first.
    void BindEvent(UINT message, ControlEventRoutine routine);
    // Program text (code page 936); empty hides the tip.
    void SetToolTip(std::string_view text);

    bool IsLocked() const { return locked_; }
    bool IsEnabled() const { return enabled_; }
    const std::vector<std::pair<UINT, ControlEventRoutine>>& EventTable() const {
        return eventTable_;
    }

protected:
    UiControl() = default;
    // Derived setters run their work here, on the window's thread.
    void OnWindowThread(const std::function<void()>& work) const;
    HWND WindowHandle() const { return windowHandle_; }

private:
    int Position() const;
    // Leaves the window's list; with notify the control gets WM_DESTROY.
    bool Remove(bool notify);

    bool locked_ = false;
    int windowIndex_ = 0;
    int id_ = 0;
    std::string toolTipText_;
    int cursor_ = kArrowCursor;
    std::string tagText_;
    RectF rect_;
    std::vector<std::pair<UINT, ControlEventRoutine>> eventTable_;
    bool enabled_ = false;
    bool toolRegistered_ = false;
    HWND windowHandle_ = nullptr;

    friend void RenumberControls(std::vector<ControlRecord>& controls, int windowIndex);
};

// Moves the controls of a window to a new window position.
void RenumberControls(std::vector<ControlRecord>& controls, int windowIndex);

// Delivers a message to the control at (window, position). Unless forced, a
// hidden or disabled control receives nothing. Returns the control's result.
LRESULT SendControlMessage(int windowIndex, int position, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam, bool standalone, bool force = false);

// Before a control draws itself alone: restores the background under its
// rectangle, clips to it and repaints the controls below it. False when the
// control must not draw now (the window is in a full repaint or animation,
// or the control is gone).
bool BeginControlPaint(int windowIndex, int position, const RectF& rect, bool fadeInProgress,
                       bool standalone);
// After it drew itself: repaints the controls above it, the frame over it,
// and presents the rectangle (at once, or through the control's fade timer).
struct EndPaintOptions {
    // Present at once even when the window fades its controls in.
    bool noFade = false;
    bool presentNow = false;
    bool doNotPresent = false;
};
void EndControlPaint(int windowIndex, int position, const RectF& rect, bool standalone,
                     const EndPaintOptions& options = {});

// The timer id of a control: low word window index, high word position.
constexpr UINT_PTR ControlTimerId(int windowIndex, int position) {
    return static_cast<UINT_PTR>(static_cast<DWORD>(MAKELONG(windowIndex, position)));
}
