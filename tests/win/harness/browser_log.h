#pragma once
// The browser-launch log: Wine's winebrowser runs tests/support/browser-recorder.sh for every URL
// the shell opens, and the recorder appends the URL as one line. Lines are the bytes the recorder
// got (UTF-8, as Wine hands URLs to Unix programs).
#include <windows.h>

#include <string>
#include <vector>

#include "harness/wait.h"

namespace harness {

// TAVRIN_BROWSER_LOG (a Windows path) when set, else C:\tavrin-browser.log, the recorder's own
// fall-back place inside the prefix.
std::wstring BrowserLogPath();
std::vector<std::string> BrowserLaunches();
void ClearBrowserLaunches();
// Waits until at least count URLs were recorded; returns what is there by then.
std::vector<std::string> WaitForBrowserLaunches(std::size_t count, DWORD timeoutMs = kDefaultTimeoutMs);

}  // namespace harness
