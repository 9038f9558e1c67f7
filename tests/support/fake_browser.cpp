// A stand-in browser for the tests: a DDE server offering the browser interface's window-info
// request, answered from a file, with no data, or never.
//
//   fake_browser.exe SERVICE MODE [FILE] [--ready EVENT] [--quit EVENT] [--log FILE]
//
//   SERVICE  the DDE service name to answer, e.g. IEXPLORE or NETSCAPE
//   MODE     data FILE  answer with the file's bytes as they are (read afresh for every request,
//                       so a test can change the reply between requests; while the file is
//                       missing, the request gets no data)
//            nodata     answer every request with no data
//            silent     accept the conversation and never answer a request, so the client's
//                       request times out
//   --ready  a named event the program sets once it answers connections
//   --quit   a named event that makes the program exit
//   --log    a file that gets one line per connection request seen, for any service
//            ("initiate SERVICE TOPIC"), per connection accepted ("connect SERVICE TOPIC") and
//            per request ("request ITEM")
//
// It speaks the DDE message protocol itself, as browsers do, rather than through DDEML: its
// data messages carry the release flag, so the client side frees what it receives and a test
// can look for memory the client keeps.
//
// Exit code 0 after --quit, 2 for a bad command line, 3 when the server window cannot be made.
#include <windows.h>
#include <dde.h>

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr char Topic[] = "WWW_GetWindowInfo";
constexpr char Item[] = "0xFFFFFFFF";

enum class Mode { Data, NoData, Silent };

std::string service;
Mode mode = Mode::Data;
std::string replyFile;
std::string logFile;

std::string AtomText(ATOM atom) {
  char buffer[256] = {};
  if (atom) GlobalGetAtomNameA(atom, buffer, sizeof buffer);
  return buffer;
}

void Log(const std::string& line) {
  if (logFile.empty()) return;
  if (std::FILE* f = std::fopen(logFile.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

bool ReadReply(std::string& bytes) {
  std::FILE* f = std::fopen(replyFile.c_str(), "rb");
  if (!f) return false;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) bytes.append(buffer, n);
  std::fclose(f);
  return true;
}

// WM_DDE_INITIATE names may be 0 for "any".
bool Matches(ATOM atom, const char* name) {
  return !atom || lstrcmpiA(AtomText(atom).c_str(), name) == 0;
}

void AnswerInitiate(HWND server, HWND client, ATOM app, ATOM topic) {
  // Every client's connection request reaches every server, so the log shows which services
  // a client asked for, and in which order.
  Log("initiate " + AtomText(app) + " " + AtomText(topic));
  if (!Matches(app, service.c_str()) || !Matches(topic, Topic)) return;
  Log("connect " + AtomText(app) + " " + AtomText(topic));
  // The initiator deletes the atoms of this acknowledgement.
  SendMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server),
               MAKELPARAM(GlobalAddAtomA(service.c_str()), GlobalAddAtomA(Topic)));
}

void PostNegativeAck(HWND server, HWND client, ATOM item) {
  if (!PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server),
                    PackDDElParam(WM_DDE_ACK, 0, item))) {
    GlobalDeleteAtom(item);
  }
}

void AnswerRequest(HWND server, HWND client, LPARAM lParam) {
  UINT_PTR format = 0, itemAtom = 0;
  UnpackDDElParam(WM_DDE_REQUEST, lParam, &format, &itemAtom);
  FreeDDElParam(WM_DDE_REQUEST, lParam);
  const ATOM item = static_cast<ATOM>(itemAtom);
  Log("request " + AtomText(item));

  std::string bytes;
  const bool wanted = format == CF_TEXT && lstrcmpiA(AtomText(item).c_str(), Item) == 0;
  if (wanted && mode == Mode::Silent) return;  // the client waits in vain
  if (!wanted || mode == Mode::NoData || !ReadReply(bytes)) {
    PostNegativeAck(server, client, item);
    return;
  }

  const SIZE_T size = offsetof(DDEDATA, Value) + bytes.size();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_DDESHARE, size);
  auto* data = memory ? static_cast<DDEDATA*>(GlobalLock(memory)) : nullptr;
  if (!data) {
    if (memory) GlobalFree(memory);
    PostNegativeAck(server, client, item);
    return;
  }
  data->unused = 0;
  data->fResponse = 1;
  data->fRelease = 1;  // the receiver frees it
  data->reserved = 0;
  data->fAckReq = 0;
  data->cfFormat = CF_TEXT;
  if (!bytes.empty()) std::memcpy(data->Value, bytes.data(), bytes.size());
  GlobalUnlock(memory);
  const LPARAM packed = PackDDElParam(WM_DDE_DATA, reinterpret_cast<UINT_PTR>(memory), item);
  if (!PostMessageW(client, WM_DDE_DATA, reinterpret_cast<WPARAM>(server), packed)) {
    FreeDDElParam(WM_DDE_DATA, packed);
    GlobalFree(memory);
    GlobalDeleteAtom(item);
  }
}

void AnswerOther(HWND server, HWND client, UINT message, LPARAM lParam) {
  UINT_PTR lo = 0, hi = 0;
  UnpackDDElParam(message, lParam, &lo, &hi);
  // Advise, poke and execute are not offered: refuse them, handing their data back.
  const LPARAM ack =
      ReuseDDElParam(lParam, message, WM_DDE_ACK, 0, message == WM_DDE_EXECUTE ? lo : hi);
  if (!PostMessageW(client, WM_DDE_ACK, reinterpret_cast<WPARAM>(server), ack))
    FreeDDElParam(WM_DDE_ACK, ack);
}

LRESULT CALLBACK ServerProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND client = reinterpret_cast<HWND>(wParam);
  switch (message) {
    case WM_DDE_INITIATE:
      AnswerInitiate(hwnd, client, LOWORD(lParam), HIWORD(lParam));
      return 0;
    case WM_DDE_REQUEST:
      AnswerRequest(hwnd, client, lParam);
      return 0;
    case WM_DDE_TERMINATE:
      PostMessageW(client, WM_DDE_TERMINATE, reinterpret_cast<WPARAM>(hwnd), 0);
      return 0;
    case WM_DDE_ADVISE:
    case WM_DDE_UNADVISE:
    case WM_DDE_POKE:
    case WM_DDE_EXECUTE:
      AnswerOther(hwnd, client, message, lParam);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

HANDLE OpenNamedEvent(const char* name) {
  return name ? OpenEventA(EVENT_MODIFY_STATE | SYNCHRONIZE, FALSE, name) : nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr,
                 "usage: fake_browser SERVICE data FILE|nodata|silent [--ready EVENT] "
                 "[--quit EVENT] [--log FILE]\n");
    return 2;
  }
  service = argv[1];
  const std::string modeName = argv[2];
  int next = 3;
  if (modeName == "data" && argc > 3) {
    mode = Mode::Data;
    replyFile = argv[next++];
  } else if (modeName == "nodata") {
    mode = Mode::NoData;
  } else if (modeName == "silent") {
    mode = Mode::Silent;
  } else {
    std::fprintf(stderr, "fake_browser: unknown mode %s\n", modeName.c_str());
    return 2;
  }
  const char* readyName = nullptr;
  const char* quitName = nullptr;
  for (; next + 1 < argc; next += 2) {
    const std::string option = argv[next];
    if (option == "--ready")
      readyName = argv[next + 1];
    else if (option == "--quit")
      quitName = argv[next + 1];
    else if (option == "--log")
      logFile = argv[next + 1];
    else
      break;
  }
  if (next != argc) {
    std::fprintf(stderr, "fake_browser: bad option %s\n", argv[next]);
    return 2;
  }

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = ServerProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"FakeBrowserDdeServer";
  // A hidden top-level window: connection requests are broadcast to top-level windows.
  if (!RegisterClassW(&windowClass) ||
      !CreateWindowExW(0, windowClass.lpszClassName, L"fake browser", WS_POPUP, 0, 0, 0, 0, nullptr,
                       nullptr, windowClass.hInstance, nullptr)) {
    return 3;
  }

  HANDLE quit = OpenNamedEvent(quitName);
  if (HANDLE ready = OpenNamedEvent(readyName)) {
    SetEvent(ready);
    CloseHandle(ready);
  }

  // Serve until told to quit (or killed).
  for (bool running = true; running;) {
    const DWORD waited = MsgWaitForMultipleObjects(quit ? 1 : 0, quit ? &quit : nullptr, FALSE,
                                                   INFINITE, QS_ALLINPUT);
    if (quit && waited == WAIT_OBJECT_0) break;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_QUIT) running = false;
      DispatchMessageW(&msg);
    }
  }
  if (quit) CloseHandle(quit);
  return 0;
}
