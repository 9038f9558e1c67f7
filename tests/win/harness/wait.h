#pragma once
// Waiting for another process to reach a state, while this thread's own windows stay responsive.
#include <windows.h>

#include <functional>

namespace harness {

// Generous: Wine on a loaded CI machine can take seconds to start a process.
constexpr DWORD kDefaultTimeoutMs = 20000;

// Polls condition every pollMs until it holds (true) or timeoutMs has passed (false). Messages of
// the calling thread are dispatched meanwhile.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kDefaultTimeoutMs,
               DWORD pollMs = 20);

// Dispatches this thread's messages for ms milliseconds.
void PumpFor(DWORD ms);

}  // namespace harness
