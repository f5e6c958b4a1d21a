#pragma once
// The framework's list of attached windows and, per window, the records of
// its controls. Positions are 1-based and dense: removing an entry moves the
// ones after it down.

#include "ui/controls/Geometry.h"

#include <windows.h>

#include <vector>

class UiControl;
class UiWindow;

// A control's entry in its window's list; the list order is the painting
// order and the reverse of the hit-test order.
struct ControlRecord {
    HWND windowHandle = nullptr;
    RectF rect;
    int id = 0;
    UiControl* object = nullptr;
    int typeCode = 0;
    bool visible = false;
    bool pressable = false;
};

struct WindowRecord {
    RECT windowRect{};
    UiWindow* objectRef = nullptr;
    bool controlFade = true;
    bool stretchImage = false;
    // -1: not layered; 0 to 255: the opacity of the layered background.
    int alpha = -1;
    HWND hwnd = nullptr;
    std::vector<ControlRecord> controls;
};

// Type codes of the control classes, passed to the program's event routines.
enum ControlType : int {
    kTypeCaptionButton = 1,
    kTypeLabel = 3,
    kTypePictureBox = 4,
    kTypeImageButton = 6,
    kTypeSlider = 12,
};

// All of these run on the thread that owns the windows.
std::vector<WindowRecord>& WindowTable();
// The record at a 1-based position, or null.
WindowRecord* FindWindowRecord(int windowIndex);
// The 1-based position of the window with that handle, 0 when none.
int FindWindowIndex(HWND hwnd);
UiWindow* FindUiWindow(int windowIndex);
// The control record at (window, position), or null.
ControlRecord* FindControlRecord(int windowIndex, int position);
// The 1-based position of the control with that id, 0 when none.
int FindControlPosition(int windowIndex, int id);
