#pragma once
// The main window's command-button pictures, painted in code on a 16x16 canvas (win::PictureFn).
#include "platform/win32/win_api.h"

namespace win {

void PaintTopPicture(HDC dc);      // a left-pointing triangle before a bar
void PaintGoPicture(HDC dc);       // a right-pointing triangle
void PaintSkipPicture(HDC dc);     // a bar before a right-pointing triangle
void PaintGetUrlPicture(HDC dc);   // an arrow from a small cyan square down to a small red square
void PaintSetTimePicture(HDC dc);  // a clock face on a sheet of paper

}  // namespace win
