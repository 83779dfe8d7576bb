// recording_gl.h: the GL half of the tests' backend: offscreen surfaces and
// contexts of the system's own GL, where the tests are built with one. The
// recording half (recording_platform.cpp) knows them only by these calls.
#pragma once

typedef void *TestSurface;  // null: none
typedef void *TestContext;  // null: none

// Makes a surface of that size, or null where there is no GL to make it with.
TestSurface MakeTestSurface(int width, int height);
void DestroyTestSurface(TestSurface surface);
// A context for any of the surfaces, or null.
TestContext MakeTestContext();
void DestroyTestContext(TestContext context);
// Binds both; two nulls let go of the current ones. False on failure.
bool BindTestContext(TestSurface surface, TestContext context);
void SwapTestSurface(TestSurface surface);
