// frame_tool.h: what the golden-frame tests share: the golden frames and the
// scripted input that makes each, a frame tool of the build (talmir-frames,
// talmir-frames-gles2) run for one of them, and the pictures of a mismatch
// kept for a person to look at.
#pragma once

#include <filesystem>
#include <string>

#include "support/image_compare.h"

struct GoldenFrame {
  const char *name;       // tests/golden/NAME.png
  const char *arguments;  // the frame tool's scripted input
  int frame;              // the frame kept
};

inline constexpr GoldenFrame firstFrame = {"still-1", "--frames 1", 1};
inline constexpr GoldenFrame twoHundredthFrame = {"still-200", "--frames 200", 200};
// Forward for five frames, up on the right button, a roll to the left and a
// tilt upward, seen at frame 60.
inline constexpr GoldenFrame scriptedFlight = {
    "flight-60", "--hold A:10-14 --hold rbutton:20-60 --hold left:40-55 --mouse 0,-40@30 --frames 60", 60};

std::filesystem::path GoldenPath(const GoldenFrame &golden);
// Runs BUILD/TOOL for the golden frame's input and returns the frame it
// wrote (width 0 when it wrote none; a failing tool fails the test).
TestImage RenderFrame(const std::string &tool, const GoldenFrame &golden);
// Fails the test, keeping the frame, the golden picture and their difference
// as BUILD/golden-failures/NAME-{actual,golden,difference}.png.
void KeepForLooking(const std::string &name, const TestImage &actual, const TestImage &golden);
