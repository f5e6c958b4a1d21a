// Mouse, keyboard, wheel and timer input of a framework window: hit-testing,
// hover, press and capture, clicks, focus, hotkeys, dragging and sizing by
// the borders, and control timers.

#include "ui/CaptionButton.h"
#include "ui/UiWindow.h"
#include "ui/WindowTable.h"
#include "ui/controls/UiControl.h"

#include <windowsx.h>

#include <cctype>

namespace {

// A resize zone's code is added to SC_SIZE to start the system sizing loop.
struct ResizeZone {
    int code = 0;
    LPCWSTR cursor = nullptr;
};

ResizeZone ZoneAt(int x, int y, int width, int height) {
    if (y <= 7) {
        if (x <= 9) {
            return {4, IDC_SIZENWSE};
        }
        return x <= width - 10 ? ResizeZone{3, IDC_SIZENS} : ResizeZone{5, IDC_SIZENESW};
    }
    if (y <= height - 10) {
        if (x <= 7) {
            return {1, IDC_SIZEWE};
        }
        return x > width - 10 ? ResizeZone{2, IDC_SIZEWE} : ResizeZone{};
    }
    if (x < 10) {
        return {7, IDC_SIZENESW};
    }
    return x <= width - 10 ? ResizeZone{6, IDC_SIZENS} : ResizeZone{8, IDC_SIZENWSE};
}

bool CtrlHeld() {
    return GetKeyState(VK_CONTROL) < 0;
}

} // namespace

const ControlRecord* UiWindow::ControlAt(int position) const {
    return FindControlRecord(windowIndex, position);
}

void UiWindow::SendToControl(int position, UINT message, WPARAM wParam, LPARAM lParam,
                             bool standalone) {
    SendControlMessage(windowIndex, position, Hwnd(), message, wParam, lParam, standalone);
}

void UiWindow::PaintControl(int position, LPARAM reason) {
    SendToControl(position, WM_PAINT, 0, reason);
}

void UiWindow::FireEvent(const ControlEventHandler& handler, HWND hwnd, int position) {
    const ControlRecord* record = ControlAt(position);
    if (handler && record) {
        handler(hwnd, record->id, record->object, record->typeCode);
    }
}

int UiWindow::HitTest(LPARAM lParam, int* id) const {
    const WindowRecord* record = Record();
    if (!record) {
        return 0;
    }
    const float x = static_cast<float>(GET_X_LPARAM(lParam));
    const float y = static_cast<float>(GET_Y_LPARAM(lParam));
    for (int position = static_cast<int>(record->controls.size()); position >= 1; --position) {
        const ControlRecord& control = record->controls[static_cast<size_t>(position - 1)];
        if (control.visible && PointInRect(control.rect, x, y)) {
            if (id) {
                *id = control.id;
            }
            return position;
        }
    }
    return 0;
}

bool UiWindow::OnResizeBorder(HWND hwnd, UINT message, LPARAM lParam) {
    if (noResize || captureHeld || IsZoomed(hwnd) ||
        (message != WM_MOUSEMOVE && message != WM_LBUTTONDOWN && message != WM_RBUTTONDOWN)) {
        return false;
    }
    RECT client{};
    GetClientRect(hwnd, &client);
    const ResizeZone zone =
        ZoneAt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), client.right, client.bottom);
    if (zone.code == 0) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, zone.cursor));
    if (hoverControl != 0) {
        PaintControl(hoverControl, 0);
    }
    if (message == WM_LBUTTONDOWN) {
        SendMessageA(hwnd, WM_SYSCOMMAND, SC_SIZE + static_cast<WPARAM>(zone.code), 0);
    }
    return true;
}

void UiWindow::TakeKeyboardFocus(HWND hwnd) {
    const HWND focused = GetFocus();
    if (focused != hwnd) {
        if (focused) {
            SendMessageA(focused, WM_KILLFOCUS, 0, 0);
        }
        SetFocus(hwnd);
    }
}

void UiWindow::DragWindow(HWND hwnd) {
    if (!noDrag) {
        SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    }
}

void UiWindow::OnMouse(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, int& hit) {
    hit = 0;
    if (noPaint || OnResizeBorder(hwnd, message, lParam)) {
        return;
    }
    if (captureHeld) {
        const int pressed = pressedControl;
        SendToControl(pressed, message, wParam, lParam);
        if (message == WM_LBUTTONUP) {
            ReleaseCapture();
            hit = HitTest(lParam);
            if (hit == pressed) {
                SendToControl(pressed, UIM_CLICK, 0, 0);
                FireEvent(handlers.onClick, hwnd, pressed);
            }
            pressedControl = 0;
            captureHeld = false;
        }
        return;
    }
    hit = HitTest(lParam);
    if (hit != hoverControl && hoverControl != 0) {
        const ControlRecord* left = ControlAt(hoverControl);
        if (left && left->visible) {
            const int leaving = hoverControl;
            PaintControl(leaving, 1);
            FireEvent(handlers.onMouseLeave, hwnd, leaving);
        }
    }
    if (hit > 0) {
        const ControlRecord* record = ControlAt(hit);
        UiControl* control = record->object;
        if (message == WM_LBUTTONDOWN) {
            if (record->pressable && !control->IsLocked()) {
                focusCues = false;
                captureHeld = true;
                pressedControl = hit;
                SetCapture(hwnd);
                const int oldFocus = focusControl;
                focusControl = hit;
                const ControlRecord* old = ControlAt(oldFocus);
                if (oldFocus != 0 && oldFocus != hit && old && old->visible) {
                    PaintControl(oldFocus, 2);
                    FireEvent(handlers.onBlur, hwnd, oldFocus);
                }
                FireEvent(handlers.onFocus, hwnd, hit);
                TakeKeyboardFocus(hwnd);
            } else {
                DragWindow(hwnd);
            }
        }
        // The control may be gone after a drag's modal loop.
        if (const ControlRecord* current = ControlAt(hit); current && current->object == control) {
            SendToControl(hit, message, wParam, lParam);
            const int cursor = control->Cursor();
            if (cursor != 0 && cursor != kArrowCursor) {
                SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(cursor)));
            }
            if (message == WM_MOUSEMOVE && hit != hoverControl) {
                FireEvent(handlers.onMouseEnter, hwnd, hit);
                const std::string tip = control->ToolTipText();
                if (!tip.empty()) {
                    control->SetToolTip(tip);
                }
            }
        }
    } else if (message == WM_LBUTTONDOWN) {
        TakeKeyboardFocus(hwnd);
        DragWindow(hwnd);
    }
    hoverControl = hit;
}

void UiWindow::OnLeftButtonDown(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    int hit = 0;
    OnMouse(hwnd, WM_LBUTTONDOWN, wParam, lParam, hit);
    if (hit == 0) {
        if (wParam == DBLCLICK_MARK && GET_Y_LPARAM(lParam) < 25 &&
            (captionFlags & kCaptionMaximize) != 0) {
            SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
            PostMessageA(hwnd, WM_SYSCOMMAND, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE, 0);
            SendMessageA(hwnd, WM_NCLBUTTONDOWN, HTCAPTION, 0);
        }
    } else if (wParam == DBLCLICK_MARK) {
        SendToControl(hit, WM_LBUTTONDBLCLK, wParam, lParam);
        FireEvent(handlers.onDoubleClick, hwnd, hit);
    } else {
        FireEvent(handlers.onMouseDown, hwnd, hit);
    }
}

void UiWindow::OnMouseLeave() {
    mouseTracking = false;
    if (hoverControl != 0) {
        PaintControl(hoverControl, 1);
        hoverControl = 0;
    }
    ReleaseCapture();
}

void UiWindow::ClickFocused(HWND hwnd) {
    SendToControl(focusControl, UIM_CLICK, 0, 0);
    FireEvent(handlers.onClick, hwnd, focusControl);
    PaintControl(focusControl, kPaintRequest);
}

bool UiWindow::FocusedControlUsable() const {
    const ControlRecord* record = ControlAt(focusControl);
    return record && record->visible && !record->object->IsLocked();
}

void UiWindow::OnKeyDown(HWND hwnd, WPARAM key, LPARAM lParam) {
    if (!ControlAt(focusControl)) {
        return;
    }
    if ((key == VK_RETURN || key == VK_SPACE) && FocusedControlUsable()) {
        ClickFocused(hwnd);
    }
    SendToControl(focusControl, WM_KEYDOWN, key, lParam);
}

void UiWindow::OnKeyUp(WPARAM key, LPARAM lParam) {
    if (key != VK_TAB) {
        if (ControlAt(focusControl)) {
            SendToControl(focusControl, WM_KEYUP, key, lParam);
        }
        return;
    }
    if (!CtrlHeld()) {
        MoveFocusForward();
    }
}

void UiWindow::MoveFocusForward() {
    const WindowRecord* record = Record();
    const int count = record ? static_cast<int>(record->controls.size()) : 0;
    // One pass over the list at most; without a candidate the focus stays.
    for (int step = 1; step <= count; ++step) {
        const int candidate = (focusControl + step - 1) % count + 1;
        const ControlRecord& control = record->controls[static_cast<size_t>(candidate - 1)];
        if (!control.visible || !control.pressable || control.object->IsLocked() ||
            control.typeCode == kTypeCaptionButton) {
            continue;
        }
        const HWND hwnd = Hwnd();
        if (const ControlRecord* old = ControlAt(focusControl); old && old->visible) {
            const int oldFocus = focusControl;
            PaintControl(oldFocus, 2);
            FireEvent(handlers.onBlur, hwnd, oldFocus);
        }
        focusCues = true;
        focusControl = candidate;
        PaintControl(candidate, kPaintRequest);
        FireEvent(handlers.onFocus, hwnd, candidate);
        return;
    }
}

void UiWindow::OnChar(WPARAM character, LPARAM lParam) {
    if (ControlAt(focusControl)) {
        SendToControl(focusControl, WM_CHAR, character, lParam);
    }
}

void UiWindow::OnSysKeyDown(HWND hwnd, WPARAM key) {
    const int pressed = std::toupper(static_cast<unsigned char>(key & 0xFF));
    // A click may change the list, so walk a copy.
    const std::vector<std::pair<int, int>> pairs = hotkeys;
    for (const auto& [hotkey, controlId] : pairs) {
        if (std::toupper(static_cast<unsigned char>(hotkey & 0xFF)) != pressed) {
            continue;
        }
        const int position = FindControlPosition(windowIndex, controlId);
        const ControlRecord* record = ControlAt(position);
        if (record && record->visible && !record->object->IsLocked()) {
            SendToControl(position, UIM_CLICK, 0, 0);
            FireEvent(handlers.onClick, hwnd, position);
            PaintControl(position, kPaintRequest);
        }
    }
}

int UiWindow::SetHotkey(int controlId, int key) {
    for (auto it = hotkeys.begin(); it != hotkeys.end(); ++it) {
        if (it->second == controlId) {
            if (key == 0) {
                hotkeys.erase(it);
            } else {
                it->first = key;
            }
            return 1;
        }
    }
    if (key == 0) {
        return 0;
    }
    hotkeys.emplace_back(key, controlId);
    return 1;
}

void UiWindow::OnMouseWheel(UINT message, WPARAM wParam, LPARAM lParam) {
    const WindowRecord* record = Record();
    if (!record) {
        return;
    }
    const int x = GET_X_LPARAM(lParam) - record->windowRect.left;
    const int y = GET_Y_LPARAM(lParam) - record->windowRect.top;
    const int hit = HitTest(MAKELPARAM(x, y));
    if (hit > 0) {
        SendToControl(hit, message, wParam, lParam, false);
    }
}

void UiWindow::OnTimer(HWND hwnd, WPARAM id, LPARAM lParam) {
    if (noPaint) {
        return;
    }
    const int index = LOWORD(id);
    const int position = HIWORD(id);
    if (position > 0 && FindControlRecord(index, position)) {
        SendControlMessage(index, position, hwnd, WM_TIMER, id, lParam, true);
    }
}

void UiWindow::SetFocusControl(int controlId) {
    const int position = FindControlPosition(windowIndex, controlId);
    const ControlRecord* record = ControlAt(position);
    if (!record || record->object->IsLocked() || !record->pressable) {
        return;
    }
    const int oldFocus = focusControl;
    focusControl = position;
    if (const ControlRecord* old = ControlAt(oldFocus);
        oldFocus != position && old && old->visible) {
        PaintControl(oldFocus, 2);
    }
    PaintControl(position, kPaintRequest);
    hoverControl = position;
}

void UiWindow::OnActivate(HWND hwnd, WPARAM wParam) {
    if (focusControl == 0) {
        return;
    }
    const bool deactivated = LOWORD(wParam) == WA_INACTIVE;
    PaintControl(focusControl, deactivated ? 2 : kPaintRequest);
    FireEvent(deactivated ? handlers.onBlur : handlers.onFocus, hwnd, focusControl);
}

void UiWindow::OnGetMinMaxInfo(MINMAXINFO* info) const {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    info->ptMaxSize = POINT{work.right - work.left + 1, work.bottom - work.top};
    info->ptMaxPosition = POINT{work.left, work.top};
    const int buttons = static_cast<int>(captionButtons.size());
    const int closeExtra = (captionFlags & kCaptionClose) != 0 ? 11 : 0;
    info->ptMinTrackSize = POINT{buttons * 28 + closeExtra + 40, 40};
}
