// recording_gl_none.cpp: the tests' GL where the tests are built without one
// (the Windows unit tests under Wine): no surface and no context can be
// made, so a test that opens the scene window sees the device context fail.
// The tests that draw are built on Linux only.
#include "support/recording_gl.h"

TestSurface MakeTestSurface(int, int) { return nullptr; }
void DestroyTestSurface(TestSurface) {}
TestContext MakeTestContext() { return nullptr; }
void DestroyTestContext(TestContext) {}
bool BindTestContext(TestSurface surface, TestContext context) { return surface == nullptr && context == nullptr; }
void SwapTestSurface(TestSurface) {}
