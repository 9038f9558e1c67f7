#include "harness/wait.h"

#include <algorithm>

namespace harness {
namespace {

void PumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs, DWORD pollMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  for (;;) {
    PumpPending();
    if (condition()) return true;
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) return false;
    DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(pollMs, deadline - now));
    MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
  }
}

void PumpFor(DWORD ms) {
  WaitUntil([] { return false; }, ms);
}

}  // namespace harness
