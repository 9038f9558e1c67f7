#include "harness/screenshot.h"

#include <vector>

#include "harness/program_folder.h"
#include "harness/wide_text.h"

namespace harness {
namespace {

// The pixels of a screen rectangle, bottom-up 24-bit rows padded to 4 bytes.
std::vector<unsigned char> CaptureScreen(const RECT& r, BITMAPINFOHEADER& header) {
  const int width = r.right - r.left, height = r.bottom - r.top;
  std::vector<unsigned char> pixels;
  if (width <= 0 || height <= 0) return pixels;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  SelectObject(memory, old);
  header = {};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);
  pixels.resize(header.biSizeImage);
  if (!GetDIBits(memory, bitmap, 0, static_cast<UINT>(height), pixels.data(),
                 reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS)) {
    pixels.clear();
  }
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return pixels;
}

}  // namespace

std::wstring TestOutputDirectory() {
  wchar_t buf[32768];
  DWORD n = GetEnvironmentVariableW(L"TAVRIN_TEST_OUTPUT", buf, 32768);
  std::wstring dir = (n > 0 && n < 32768) ? std::wstring(buf, n) : TestExeDirectory() + L"\\test-output";
  if (!dir.empty() && dir.back() == L'\\') dir.pop_back();
  CreateDirectoryW(dir.c_str(), nullptr);
  return dir;
}

std::wstring SaveScreenshot(const std::string& name, HWND window) {
  RECT r{};
  if (window) {
    GetWindowRect(window, &r);
  } else {
    r = {GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_YVIRTUALSCREEN), 0, 0};
    r.right = r.left + GetSystemMetrics(SM_CXVIRTUALSCREEN);
    r.bottom = r.top + GetSystemMetrics(SM_CYVIRTUALSCREEN);
  }
  BITMAPINFOHEADER header;
  std::vector<unsigned char> pixels = CaptureScreen(r, header);
  if (pixels.empty()) return {};
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  file.bfSize = file.bfOffBits + static_cast<DWORD>(pixels.size());
  std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
  bytes.append(reinterpret_cast<const char*>(&header), sizeof header);
  bytes.append(reinterpret_cast<const char*>(pixels.data()), pixels.size());
  std::wstring path = TestOutputDirectory() + L"\\" + Wide(name) + L".bmp";
  try {
    WriteWholeFile(path, bytes);
  } catch (...) {
    return {};
  }
  return path;
}

COLORREF ScreenPixel(int x, int y) {
  BITMAPINFOHEADER header;
  std::vector<unsigned char> pixels = CaptureScreen({x, y, x + 1, y + 1}, header);
  if (pixels.size() < 3) return CLR_INVALID;
  return RGB(pixels[2], pixels[1], pixels[0]);
}

}  // namespace harness
