#include "platform/win32/button_pictures.h"

namespace win {

namespace {

// Selects a solid pen and brush for the lifetime of one shape.
class Paint {
 public:
  Paint(HDC dc, COLORREF line, COLORREF fill)
      : dc_(dc), pen_(CreatePen(PS_SOLID, 1, line)), brush_(CreateSolidBrush(fill)) {
    oldPen_ = SelectObject(dc, pen_);
    oldBrush_ = SelectObject(dc, brush_);
  }
  ~Paint() {
    SelectObject(dc_, oldPen_);
    SelectObject(dc_, oldBrush_);
    DeleteObject(pen_);
    DeleteObject(brush_);
  }
  Paint(const Paint&) = delete;
  Paint& operator=(const Paint&) = delete;

 private:
  HDC dc_;
  HPEN pen_;
  HBRUSH brush_;
  HGDIOBJ oldPen_, oldBrush_;
};

constexpr COLORREF Black = RGB(0, 0, 0);

void Triangle(HDC dc, POINT a, POINT b, POINT c) {
  Paint paint(dc, Black, Black);
  POINT points[3] = {a, b, c};
  Polygon(dc, points, 3);
}

void Bar(HDC dc, int left) {
  Paint paint(dc, Black, Black);
  Rectangle(dc, left, 3, left + 2, 13);
}

}  // namespace

void PaintTopPicture(HDC dc) {
  Triangle(dc, {4, 8}, {10, 3}, {10, 13});
  Bar(dc, 11);
}

void PaintGoPicture(HDC dc) { Triangle(dc, {5, 3}, {5, 13}, {11, 8}); }

void PaintSkipPicture(HDC dc) {
  Bar(dc, 4);
  Triangle(dc, {7, 3}, {7, 13}, {12, 8});
}

void PaintGetUrlPicture(HDC dc) {
  {
    Paint paint(dc, Black, RGB(0, 255, 255));
    Rectangle(dc, 5, 0, 11, 5);
  }
  {
    Paint paint(dc, Black, Black);
    Rectangle(dc, 7, 5, 9, 8);
    POINT head[3] = {{4, 8}, {11, 8}, {7, 11}};
    Polygon(dc, head, 3);
  }
  {
    Paint paint(dc, Black, RGB(255, 0, 0));
    Rectangle(dc, 5, 11, 11, 16);
  }
}

void PaintSetTimePicture(HDC dc) {
  {
    // The sheet with its top right corner folded.
    Paint paint(dc, Black, RGB(255, 255, 255));
    POINT sheet[5] = {{2, 0}, {10, 0}, {13, 3}, {13, 15}, {2, 15}};
    Polygon(dc, sheet, 5);
    MoveToEx(dc, 10, 0, nullptr);
    LineTo(dc, 10, 3);
    LineTo(dc, 13, 3);
  }
  {
    Paint paint(dc, Black, RGB(255, 255, 160));
    Ellipse(dc, 3, 5, 13, 15);
  }
  {
    Paint paint(dc, Black, Black);
    MoveToEx(dc, 8, 10, nullptr);
    LineTo(dc, 8, 6);
    MoveToEx(dc, 8, 10, nullptr);
    LineTo(dc, 11, 10);
  }
}

}  // namespace win
