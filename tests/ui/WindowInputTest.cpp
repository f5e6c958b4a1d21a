// Mouse, keyboard and timer messages sent to a real framework window, and
// what its controls and the program's event routines see of them.

#include "ControlFixture.h"

#include "ui/controls/UiSlider.h"

#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;

std::string MessageName(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        return "paint " + std::to_string(lParam);
    case WM_MOUSEMOVE:
        return "move";
    case WM_LBUTTONDOWN:
        return wParam == DBLCLICK_MARK ? "down (double)" : "down";
    case WM_LBUTTONUP:
        return "up";
    case WM_LBUTTONDBLCLK:
        return "double";
    case WM_KEYDOWN:
        return "key " + std::to_string(wParam);
    case WM_TIMER:
        return "timer";
    case UIM_CLICK:
        return "click";
    default:
        return "message " + std::to_string(message);
    }
}

// Writes every message it gets, by name, into a shared log.
class RecordingControl : public UiControl {
public:
    RecordingControl(std::string name, Log& log) : name_(std::move(name)), log_(log) {}

    int Create(HWND window, int x, int y, int width, int height, bool pressable = true) {
        return CreateControl(window, PixelRectF(x, y, width, height), kTypeImageButton, true,
                             pressable);
    }

    LRESULT HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, int, int,
                          bool) override {
        if (message != WM_DESTROY) {
            log_.push_back(name_ + " " + MessageName(message, wParam, lParam));
        }
        return 0;
    }

private:
    std::string name_;
    Log& log_;
};

LPARAM At(int x, int y) {
    return MAKELPARAM(x, y);
}

class WindowInput : public ControlsWindow {
protected:
    void SetUp() override {
        ControlsWindow::SetUp();
        // Already active and focused, as a window being clicked is.
        SetFocus(host.Get());
        auto record = [this](const char* event) {
            return [this, event](HWND, int id, UiControl*, int) {
                log.push_back(std::string(event) + " " + std::to_string(id));
            };
        };
        WindowHandlers& h = window.handlers;
        h.onMouseEnter = record("enter");
        h.onMouseLeave = record("leave");
        h.onMouseDown = record("onMouseDown");
        h.onMouseUp = record("onMouseUp");
        h.onClick = record("onClick");
        h.onDoubleClick = record("onDoubleClick");
        h.onFocus = record("onFocus");
        h.onBlur = record("onBlur");
        // A drag would start the system's modal move loop: note it instead.
        window.SetMessageHook([this](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
            if (message == WM_NCLBUTTONDOWN && wParam == HTCAPTION) {
                ++drags;
                return 0;
            }
            if (message == WM_TIMER) {
                log.push_back("default timer " + std::to_string(wParam));
            }
            return -1;
        });
    }

    LRESULT Post(UINT message, WPARAM wParam, LPARAM lParam) {
        return SendMessageA(host.Get(), message, wParam, lParam);
    }

    Log log;
    int drags = 0;
};

} // namespace

TEST_F(WindowInput, PressAndReleaseOnAButtonClickItInOrder) {
    RecordingControl button("button", log);
    const int id = button.Create(host.Get(), 100, 40, 45, 45);
    log.clear();
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 50));
    EXPECT_EQ(GetCapture(), host.Get());
    Post(WM_LBUTTONUP, 0, At(112, 52));
    const std::string n = std::to_string(id);
    EXPECT_EQ(log, (Log{"onFocus " + n, "button down", "onMouseDown " + n, "button up",
                        "button click", "onClick " + n, "onMouseUp " + n}));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(window.focusControl, PositionOf(button));
    EXPECT_EQ(drags, 0);
}

TEST_F(WindowInput, ReleasingElsewhereGivesNoClickAndEndsTheCapture) {
    RecordingControl button("button", log);
    button.Create(host.Get(), 100, 40, 45, 45);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 50));
    Post(WM_MOUSEMOVE, MK_LBUTTON, At(200, 100));
    Post(WM_LBUTTONUP, 0, At(200, 100));
    for (const std::string& entry : log) {
        EXPECT_EQ(entry.find("click"), std::string::npos) << entry;
        EXPECT_EQ(entry.find("onClick"), std::string::npos) << entry;
    }
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_FALSE(window.captureHeld);
}

TEST_F(WindowInput, PressesOnTheBackgroundOrANonPressableControlDragTheWindow) {
    RecordingControl label("label", log);
    label.Create(host.Get(), 100, 40, 45, 45, false);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 50));
    Post(WM_LBUTTONUP, 0, At(110, 50));
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(20, 100));
    Post(WM_LBUTTONUP, 0, At(20, 100));
    EXPECT_EQ(drags, 2);
    EXPECT_EQ(GetCapture(), nullptr);

    window.Draggable(false);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(110, 50));
    Post(WM_LBUTTONUP, 0, At(110, 50));
    EXPECT_EQ(drags, 2) << "a window that may not be dragged stays";
}

TEST_F(WindowInput, DoubleClickIsAPressThatEndsInADoubleClickEvent) {
    RecordingControl button("button", log);
    const int id = button.Create(host.Get(), 100, 40, 45, 45);
    log.clear();
    Post(WM_LBUTTONDBLCLK, MK_LBUTTON, At(110, 50));
    const std::string n = std::to_string(id);
    EXPECT_EQ(log,
              (Log{"onFocus " + n, "button down (double)", "button double", "onDoubleClick " + n}));
    EXPECT_TRUE(window.captureHeld);
    Post(WM_LBUTTONUP, 0, At(110, 50));
}

TEST_F(WindowInput, MovingFromOneControlToAnotherLeavesTheFirstThenEntersTheSecond) {
    RecordingControl first("first", log);
    RecordingControl second("second", log);
    const int a = first.Create(host.Get(), 100, 40, 45, 45);
    const int b = second.Create(host.Get(), 150, 40, 45, 45);
    log.clear();
    Post(WM_MOUSEMOVE, 0, At(110, 50));
    Post(WM_MOUSEMOVE, 0, At(112, 50));
    Post(WM_MOUSEMOVE, 0, At(160, 50));
    EXPECT_EQ(log,
              (Log{"first move", "enter " + std::to_string(a), "first move", "first paint 1",
                   "leave " + std::to_string(a), "second move", "enter " + std::to_string(b)}));
    log.clear();
    Post(WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(log, Log{"second paint 1"});
    EXPECT_EQ(window.hoverControl, 0);
}

TEST_F(WindowInput, AltWithAHotkeyClicksItsControlInEitherCase) {
    RecordingControl button("button", log);
    const int id = button.Create(host.Get(), 100, 40, 45, 45);
    EXPECT_EQ(Post(UIM_SETHOTKEY, static_cast<WPARAM>(id), 0), 0) << "no hotkey to remove";
    EXPECT_EQ(Post(UIM_SETHOTKEY, static_cast<WPARAM>(id), 'p'), 1);
    log.clear();
    Post(WM_SYSKEYDOWN, 'P', 0);
    EXPECT_EQ(log, (Log{"button click", "onClick " + std::to_string(id), "button paint -1"}));
    EXPECT_EQ(Post(UIM_SETHOTKEY, static_cast<WPARAM>(id), 0), 1);
    log.clear();
    Post(WM_SYSKEYDOWN, 'P', 0);
    EXPECT_TRUE(log.empty());
}

TEST_F(WindowInput, TabMovesTheFocusToTheNextControlThatCanTakeItAndEnterClicksIt) {
    RecordingControl first("first", log);
    RecordingControl label("label", log);
    RecordingControl locked("locked", log);
    RecordingControl last("last", log);
    first.Create(host.Get(), 10, 40, 20, 20);
    label.Create(host.Get(), 40, 40, 20, 20, false);
    locked.Create(host.Get(), 70, 40, 20, 20);
    locked.Locked(true);
    last.Create(host.Get(), 100, 40, 20, 20);

    const std::vector<RecordingControl*> expected = {&first, &last, &first};
    for (RecordingControl* control : expected) {
        Post(WM_KEYUP, VK_TAB, 0);
        EXPECT_EQ(window.focusControl, PositionOf(*control));
    }
    EXPECT_TRUE(window.focusCues);
    log.clear();
    Post(WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(log, (Log{"first click", "onClick " + std::to_string(first.GetId()), "first paint -1",
                        "first key 13"}));
}

TEST_F(WindowInput, TabWithNoControlToFocusReturns) {
    RecordingControl label("label", log);
    label.Create(host.Get(), 40, 40, 20, 20, false);
    Post(WM_KEYUP, VK_TAB, 0);
    EXPECT_EQ(window.focusControl, 0);
}

TEST_F(WindowInput, ControlTimersReachTheirWindowAndOtherTimersPassOn) {
    TestWindow otherHost(200, 100);
    UiWindow other;
    other.Attach(otherHost.Get(), MainWindowArgs());
    RecordingControl elsewhere("elsewhere", log);
    elsewhere.Create(otherHost.Get(), 10, 10, 20, 20);
    log.clear();
    Post(WM_TIMER, ControlTimerId(other.windowIndex, 1), 0);
    Post(WM_TIMER, 7, 0);
    EXPECT_EQ(log, (Log{"elsewhere timer",
                        "default timer " + std::to_string(ControlTimerId(other.windowIndex, 1)),
                        "default timer 7"}));
    otherHost.Destroy();
}

TEST_F(WindowInput, AClickOnASliderTakesTheCursorPositionAndReportsOnce) {
    UiSlider slider;
    slider.Create(host.Get(), 50, 60, 200, 14);
    std::vector<int> reported;
    slider.SetChangeHandler([&](int value) { reported.push_back(value); });
    const RECT& rect = FindWindowRecord(window.windowIndex)->windowRect;
    SetCursorPos(rect.left + 50 + 9 + 91, rect.top + 67);
    Post(WM_LBUTTONDOWN, MK_LBUTTON, At(150, 67));
    EXPECT_TRUE(reported.empty());
    Post(WM_LBUTTONUP, 0, At(150, 67));
    EXPECT_EQ(reported, std::vector<int>{50});
    EXPECT_NEAR(slider.Value(), 50.0f, 0.01f);
}
