#pragma once
// Screenshots for the record of a run: saved as 24-bit BMP files in the test output folder (the
// test command converts them to PNG).
#include <windows.h>

#include <string>

namespace harness {

// TAVRIN_TEST_OUTPUT (a Windows path) when set, else "test-output" beside the test executable;
// created when missing.
std::wstring TestOutputDirectory();

// Copies the screen (window nullptr) or the screen area a window covers into <output>\<name>.bmp.
// Returns the file's path, empty on failure. name is ASCII/CP932 without extension.
std::wstring SaveScreenshot(const std::string& name, HWND window = nullptr);

// The colour of one screen pixel (COLORREF), read the same way as the screenshots.
COLORREF ScreenPixel(int x, int y);

}  // namespace harness
