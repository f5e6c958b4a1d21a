#pragma once
// Image bytes made on the spot for control tests, encoded by GDI+.

#include "app/MakeArgb.h"

#include <string>

// A PNG whose left half has one colour and right half another.
std::string TwoColourPng(int width, int height, ArgbColor left, ArgbColor right);

inline std::string SolidPng(int width, int height, ArgbColor color) {
    return TwoColourPng(width, height, color, color);
}

// Two 4 x 3 GIF frames, red (100 ms) then blue (200 ms).
std::string TwoFrameGif();
