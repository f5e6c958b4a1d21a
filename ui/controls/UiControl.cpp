#include "ui/controls/UiControl.h"

#include "common/CodePage.h"
#include "ui/Framework.h"
#include "ui/UiWindow.h"
#include "ui/WindowThread.h"
#include "ui/controls/Drawing.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest positive id that no control of the window uses.
int SmallestFreeId(const std::vector<ControlRecord>& controls) {
    for (int candidate = 1;; ++candidate) {
        const bool used =
            std::any_of(controls.begin(), controls.end(),
                        [candidate](const ControlRecord& r) { return r.id == candidate; });
        if (!used) {
            return candidate;
        }
    }
}

// A reference to a position after a removed one moves down with the list.
int AdjustAfterRemoval(int reference, int removed, int newCount) {
    if (reference == removed) {
        return 0;
    }
    if (reference > removed) {
        const int moved = reference - 1;
        return moved >= 1 && moved <= newCount ? moved : 0;
    }
    return reference;
}

TOOLINFOA ToolInfo(HWND window, int id, const RectF& rect) {
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = window;
    info.uId = static_cast<UINT_PTR>(id);
    const PixelBox box = ToPixelBox(rect);
    info.rect = RECT{box.left, box.top, static_cast<LONG>(rect.x + rect.width),
                     static_cast<LONG>(rect.y + rect.height)};
    return info;
}

} // namespace

void RenumberControls(std::vector<ControlRecord>& controls, int windowIndex) {
    for (ControlRecord& record : controls) {
        record.object->windowIndex_ = windowIndex;
    }
}

void UiControl::OnWindowThread(const std::function<void()>& work) const {
    RunOnWindowThread(windowHandle_, work);
}

int UiControl::Position() const {
    return FindControlPosition(windowIndex_, id_);
}

int UiControl::CreateControl(HWND window, const RectF& rect, int typeCode, bool visible,
                             bool pressable, int cursor) {
    RunOnWindowThread(window, [&] {
        if (id_ != 0) {
            return;
        }
        const int windowIndex = FindWindowIndex(window);
        WindowRecord* record = FindWindowRecord(windowIndex);
        if (!record) {
            return;
        }
        rect_ = rect;
        const int id = SmallestFreeId(record->controls);
        record->controls.push_back(ControlRecord{.windowHandle = window,
                                                 .rect = rect,
                                                 .id = id,
                                                 .object = this,
                                                 .typeCode = typeCode,
                                                 .visible = visible,
                                                 .pressable = pressable});
        windowIndex_ = windowIndex;
        id_ = id;
        windowHandle_ = window;
        enabled_ = true;
        toolTipText_.clear();
        toolRegistered_ = false;
        cursor_ = cursor;
    });
    return id_;
}

bool UiControl::Locked(std::optional<bool> value) {
    if (value) {
        locked_ = *value;
        Redraw();
    }
    return locked_;
}

int UiControl::Left(std::optional<float> value) {
    if (value) {
        Move(value);
    }
    return static_cast<int>(rect_.x);
}

int UiControl::Top(std::optional<float> value) {
    if (value) {
        Move({}, value);
    }
    return static_cast<int>(rect_.y);
}

int UiControl::Width(std::optional<float> value) {
    if (value) {
        Move({}, {}, value);
    }
    return static_cast<int>(rect_.width);
}

int UiControl::Height(std::optional<float> value) {
    if (value) {
        Move({}, {}, {}, value);
    }
    return static_cast<int>(rect_.height);
}

bool UiControl::Visible(std::optional<bool> value) {
    bool result = false;
    OnWindowThread([&] {
        const int position = Position();
        ControlRecord* record = FindControlRecord(windowIndex_, position);
        if (!record) {
            return;
        }
        if (!value) {
            result = record->visible;
            return;
        }
        if (!*value && !record->visible) {
            return;
        }
        record->visible = *value;
        const HWND window = record->windowHandle;
        if (*value) {
            SendControlMessage(windowIndex_, position, window, UIM_SHOWN, 0, 0, true, true);
            SendControlMessage(windowIndex_, position, window, WM_PAINT, 0, kPaintRequest, true);
        } else {
            SendControlMessage(windowIndex_, position, window, UIM_HIDDEN, 0, 0, true, true);
            if (UiWindow* owner = FindUiWindow(windowIndex_)) {
                owner->RepaintRect(rect_, true);
            }
        }
        if (ControlRecord* now = FindControlRecord(windowIndex_, Position())) {
            result = now->visible;
        }
    });
    return result;
}

void UiControl::Move(std::optional<float> x, std::optional<float> y, std::optional<float> width,
                     std::optional<float> height, bool redraw) {
    OnWindowThread([&] {
        const int position = Position();
        ControlRecord* record = FindControlRecord(windowIndex_, position);
        if (!record) {
            return;
        }
        const RectF old = record->rect;
        auto notNegative = [](float v) {
            return v < -kFloatTolerance ? 0.0f : v;
        };
        if (x) {
            record->rect.x = *x;
        }
        if (y) {
            record->rect.y = *y;
        }
        if (width) {
            record->rect.width = notNegative(*width);
        }
        if (height) {
            record->rect.height = notNegative(*height);
        }
        rect_ = record->rect;
        UiWindow* owner = FindUiWindow(windowIndex_);
        if (!redraw || !owner || owner->noPaint) {
            return;
        }
        if (record->visible) {
            record->visible = false;
            owner->RepaintRect(old, true);
            record->visible = true;
            SendControlMessage(windowIndex_, position, record->windowHandle, WM_PAINT, 0,
                               kPaintRequest, true);
        } else {
            owner->RepaintRect(old, true);
        }
    });
}

void UiControl::Redraw() {
    if (!enabled_ || windowIndex_ <= 0) {
        return;
    }
    OnWindowThread([&] {
        SendControlMessage(windowIndex_, Position(), windowHandle_, WM_PAINT, 0, kPaintRequest,
                           true);
    });
}

void UiControl::SetZOrder(int position, bool redraw) {
    OnWindowThread([&] {
        WindowRecord* window = FindWindowRecord(windowIndex_);
        const int current = Position();
        if (!window || current == 0) {
            return;
        }
        auto& controls = window->controls;
        const ControlRecord record = controls[static_cast<size_t>(current - 1)];
        controls.erase(controls.begin() + (current - 1));
        if (position == 1) {
            controls.push_back(record);
        } else {
            auto firstNonCaption =
                std::find_if(controls.begin(), controls.end(), [](const ControlRecord& r) {
                    return r.typeCode != kTypeCaptionButton;
                });
            controls.insert(firstNonCaption, record);
        }
    });
    if (redraw) {
        Redraw();
    }
}

std::string UiControl::ToolTipText(std::optional<std::string> text, bool apply) {
    if (text) {
        toolTipText_ = std::move(*text);
        if (apply) {
            SetToolTip(toolTipText_);
        }
    }
    return toolTipText_;
}

bool UiControl::HasFocus() const {
    const UiWindow* owner = FindUiWindow(windowIndex_);
    if (!owner || owner->focusControl < 1) {
        return false;
    }
    const ControlRecord* record = FindControlRecord(windowIndex_, owner->focusControl);
    return record && record->id == id_;
}

bool UiControl::Pressable(std::optional<bool> value) {
    bool result = false;
    OnWindowThread([&] {
        if (ControlRecord* record = FindControlRecord(windowIndex_, Position())) {
            if (value) {
                record->pressable = *value;
            }
            result = record->pressable;
        }
    });
    return result;
}

UiControl::~UiControl() {
    Remove(false);
}

bool UiControl::Destroy() {
    return Remove(true);
}

bool UiControl::Remove(bool notify) {
    if (id_ == 0) {
        return true;
    }
    bool result = false;
    OnWindowThread([&] {
        if (id_ == 0) {
            result = true;
            return;
        }
        rect_ = RectF{};
        const int position = Position();
        WindowRecord* window = FindWindowRecord(windowIndex_);
        UiWindow* owner = FindUiWindow(windowIndex_);
        if (position == 0 || !window || !owner) {
            return;
        }
        if (owner->captureHeld) {
            owner->captureHeld = false;
            ReleaseCapture();
        }
        const int newCount = static_cast<int>(window->controls.size()) - 1;
        owner->focusControl = AdjustAfterRemoval(owner->focusControl, position, newCount);
        owner->hoverControl = AdjustAfterRemoval(owner->hoverControl, position, newCount);
        owner->pressedControl = AdjustAfterRemoval(owner->pressedControl, position, newCount);
        if (owner->tooltipWindow) {
            TOOLINFOA info = ToolInfo(window->hwnd, id_, RectF{});
            SendMessageA(owner->tooltipWindow.Get(), TTM_DELTOOLA, 0,
                         reinterpret_cast<LPARAM>(&info));
        }
        if (notify) {
            SendControlMessage(windowIndex_, position, window->hwnd, WM_DESTROY, 0, 0, true);
        }
        const int index = windowIndex_;
        // The message routine may have changed the list; find the record again.
        const int current = Position();
        if (current == 0) {
            windowIndex_ = 0;
            id_ = 0;
            return;
        }
        const RectF oldRect = window->controls[static_cast<size_t>(current - 1)].rect;
        window->controls.erase(window->controls.begin() + (current - 1));
        windowIndex_ = 0;
        id_ = 0;
        toolRegistered_ = false;
        if (UiWindow* stillThere = FindUiWindow(index)) {
            stillThere->RepaintRect(oldRect, true);
        }
        result = true;
    });
    return result;
}

int UiControl::Cursor(std::optional<int> value) {
    if (value) {
        cursor_ = *value;
    }
    return cursor_;
}

std::string UiControl::TagText(std::optional<std::string> text) {
    if (text) {
        tagText_ = std::move(*text);
    }
    return tagText_;
}

bool UiControl::Enabled(std::optional<bool> value) {
    if (value) {
        enabled_ = *value;
    }
    return enabled_;
}

void UiControl::BindEvent(UINT message, ControlEventRoutine routine) {
    OnWindowThread([&] {
        for (auto& pair : eventTable_) {
            if (pair.first == message) {
                pair.second = std::move(routine);
                return;
            }
        }
        eventTable_.emplace_back(message, std::move(routine));
    });
}

void UiControl::SetToolTip(std::string_view text) {
    OnWindowThread([&] {
        UiWindow* owner = FindUiWindow(windowIndex_);
        if (!owner || !owner->tooltipWindow) {
            return;
        }
        const HWND tips = owner->tooltipWindow.Get();
        SendMessageA(tips, TTM_POP, 0, 0);
        if (text.empty()) {
            return;
        }
        TOOLINFOA info = ToolInfo(windowHandle_, id_, rect_);
        if (!toolRegistered_) {
            SetWindowPos(tips, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
            SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
            SendMessageA(tips, TTM_SETDELAYTIME, TTDT_INITIAL, 500);
            SendMessageA(tips, TTM_SETMAXTIPWIDTH, 0, 1024);
            toolRegistered_ = true;
        }
        std::string owned(text);
        info.lpszText = owned.data();
        SendMessageA(tips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    });
}

LRESULT SendControlMessage(int windowIndex, int position, HWND window, UINT message, WPARAM wParam,
                           LPARAM lParam, bool standalone, bool force) {
    ControlRecord* record = FindControlRecord(windowIndex, position);
    if (!record || !record->object) {
        return 0;
    }
    UiControl* control = record->object;
    if (!force && (!record->visible || !control->IsEnabled())) {
        return 0;
    }
    const LRESULT result =
        control->HandleMessage(window, message, wParam, lParam, windowIndex, position, standalone);
    for (const auto& [code, routine] : control->EventTable()) {
        if (code == message) {
            if (routine) {
                routine(windowIndex, position, wParam, lParam, standalone);
            }
            break;
        }
    }
    return result;
}

bool BeginControlPaint(int windowIndex, int position, const RectF& rect, bool fadeInProgress,
                       bool standalone) {
    UiWindow* owner = FindUiWindow(windowIndex);
    WindowRecord* window = FindWindowRecord(windowIndex);
    if (!owner || !FindControlRecord(windowIndex, position)) {
        return false;
    }
    if (!standalone) {
        return true;
    }
    if (owner->noPaint) {
        return false;
    }
    if (fadeInProgress) {
        owner->PresentRect(rect, 255);
    }
    const PixelBox box = ToPixelBox(rect);
    BitBlt(owner->frameBuffer.Dc(), box.left, box.top, box.width, box.height,
           owner->backgroundBuffer.Dc(), box.left, box.top, SRCCOPY);
    SetClipRectF(owner->frameBuffer.Graphics(), rect);
    for (int below = 1; below < position; ++below) {
        const ControlRecord& other = window->controls[static_cast<size_t>(below - 1)];
        if (other.visible && RectsIntersect(other.rect, rect)) {
            SendControlMessage(windowIndex, below, window->hwnd, WM_PAINT, 0, kPaintRequest, false);
        }
    }
    return true;
}

void EndControlPaint(int windowIndex, int position, const RectF& rect, bool standalone,
                     const EndPaintOptions& options) {
    UiWindow* owner = FindUiWindow(windowIndex);
    WindowRecord* window = FindWindowRecord(windowIndex);
    ControlRecord* self = FindControlRecord(windowIndex, position);
    if (!owner || !self) {
        return;
    }
    if (!standalone) {
        owner->RedrawFrameOver(rect, false);
        return;
    }
    if (owner->noPaint) {
        return;
    }
    if (owner->focusControl == position && owner->focusCues) {
        DrawBorder(owner->frameBuffer.Graphics(), self->rect, kBorderDashed);
    }
    for (int above = position + 1; above <= static_cast<int>(window->controls.size()); ++above) {
        const ControlRecord& other = window->controls[static_cast<size_t>(above - 1)];
        if (other.visible && RectsIntersect(other.rect, rect)) {
            SendControlMessage(windowIndex, above, window->hwnd, WM_PAINT, 0, kPaintRequest, false);
        }
    }
    gp::GdipResetClip(owner->frameBuffer.Graphics());
    owner->RedrawFrameOver(rect, false);
    if (options.doNotPresent) {
        return;
    }
    if (options.presentNow || !window->controlFade || options.noFade) {
        owner->PresentRect(rect, 255);
        return;
    }
    const UINT_PTR timer = ControlTimerId(windowIndex, position);
    KillTimer(window->hwnd, timer);
    SetTimer(window->hwnd, timer, static_cast<UINT>(Framework().defaultTimerInterval), nullptr);
}
