// The browser query over the platform's real DDE layer, against the fake browser peer.
// A recorder in this executable's import table sits in front of DDEML: every call still goes
// to the real library, and the test sees which calls were made, with what, in which order.
#include <windows.h>
#include <ddeml.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "browser/window_info.h"
#include "platform/win32/browser_query_win32.h"

namespace {

using browser::QueryStatus;
namespace fs = std::filesystem;

constexpr std::size_t Capacity = 2047;

// A literal with its embedded NUL bytes.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

// ---- DDEML call recorder -------------------------------------------------------------------

namespace dde_log {

std::vector<std::string> calls;
std::map<HSZ, std::string> names;  // string handles made through the recorder
bool failInitialize = false;       // DdeInitializeA reports an error without starting
std::string failStringHandle;      // DdeCreateStringHandleA of this text gives no handle

decltype(&DdeInitializeA) realInitialize;
decltype(&DdeCreateStringHandleA) realCreateStringHandle;
decltype(&DdeFreeStringHandle) realFreeStringHandle;
decltype(&DdeConnect) realConnect;
decltype(&DdeClientTransaction) realClientTransaction;
decltype(&DdeGetData) realGetData;
decltype(&DdeFreeDataHandle) realFreeDataHandle;
decltype(&DdeDisconnect) realDisconnect;
decltype(&DdeUninitialize) realUninitialize;

std::string Hex(unsigned long value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%08lX", value);
  return buffer;
}

std::string Name(HSZ hsz) {
  const auto it = names.find(hsz);
  return it == names.end() ? (hsz ? "?" : "null") : it->second;
}

UINT WINAPI Initialize(LPDWORD instance, PFNCALLBACK callback, DWORD flags, DWORD reserved) {
  const bool presetZero = *instance == 0;
  const UINT result =
      failInitialize ? DMLERR_SYS_ERROR : realInitialize(instance, callback, flags, reserved);
  calls.push_back("DdeInitializeA id" + std::string(presetZero ? "=0" : "!=0") +
                  " callback=" + (callback ? "yes" : "null") + " flags=" + Hex(flags) +
                  " reserved=" + std::to_string(reserved) + (result ? " -> error" : " -> ok"));
  return result;
}

HSZ WINAPI CreateStringHandle(DWORD instance, LPCSTR text, int codePage) {
  const HSZ hsz =
      failStringHandle == text ? nullptr : realCreateStringHandle(instance, text, codePage);
  calls.push_back(std::string("DdeCreateStringHandleA ") + text +
                  " cp=" + std::to_string(codePage) + (hsz ? "" : " -> null"));
  if (hsz) names[hsz] = text;
  return hsz;
}

BOOL WINAPI FreeStringHandle(DWORD instance, HSZ hsz) {
  calls.push_back("DdeFreeStringHandle " + Name(hsz));
  return realFreeStringHandle(instance, hsz);
}

HCONV WINAPI Connect(DWORD instance, HSZ service, HSZ topic, PCONVCONTEXT context) {
  const HCONV conversation = realConnect(instance, service, topic, context);
  calls.push_back("DdeConnect " + Name(service) + " " + Name(topic) +
                  (context ? " context" : " nocontext") + (conversation ? " -> conv" : " -> null"));
  return conversation;
}

HDDEDATA WINAPI ClientTransaction(LPBYTE data, DWORD length, HCONV conversation, HSZ item,
                                  UINT format, UINT type, DWORD timeout, LPDWORD result) {
  const HDDEDATA reply =
      realClientTransaction(data, length, conversation, item, format, type, timeout, result);
  calls.push_back("DdeClientTransaction " + std::string(data ? "data" : "nodata") +
                  " len=" + std::to_string(length) + (conversation ? " conv " : " null ") +
                  Name(item) + " fmt=" + std::to_string(format) + " type=" + Hex(type) +
                  " timeout=" + std::to_string(timeout) + (result ? " result" : " noresult") +
                  (reply ? " -> data" : " -> null"));
  return reply;
}

DWORD WINAPI GetData(HDDEDATA data, LPBYTE destination, DWORD max, DWORD offset) {
  const DWORD copied = realGetData(data, destination, max, offset);
  calls.push_back("DdeGetData max=" + std::to_string(max) + " off=" + std::to_string(offset));
  return copied;
}

BOOL WINAPI FreeDataHandle(HDDEDATA data) {
  calls.push_back("DdeFreeDataHandle");
  return realFreeDataHandle(data);
}

BOOL WINAPI Disconnect(HCONV conversation) {
  calls.push_back(std::string("DdeDisconnect") + (conversation ? "" : " null"));
  return realDisconnect(conversation);
}

BOOL WINAPI Uninitialize(DWORD instance) {
  calls.push_back("DdeUninitialize");
  return realUninitialize(instance);
}

// Points this executable's import of user32!name at the replacement.
template <typename F>
void Redirect(const char* name, F replacement, F& original) {
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr));
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports =
      nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* module = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
       module->Name; ++module) {
    if (lstrcmpiA(reinterpret_cast<const char*>(base + module->Name), "user32.dll") != 0) continue;
    auto* byName = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + module->FirstThunk);
    for (; byName->u1.AddressOfData; ++byName, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(byName->u1.Ordinal)) continue;
      const auto* import =
          reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + byName->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(import->Name), name) != 0) continue;
      DWORD protection;
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
      original = reinterpret_cast<F>(slot->u1.Function);
      slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
      return;
    }
  }
}

class Environment : public testing::Environment {
 public:
  void SetUp() override {
    Redirect("DdeInitializeA", &Initialize, realInitialize);
    Redirect("DdeCreateStringHandleA", &CreateStringHandle, realCreateStringHandle);
    Redirect("DdeFreeStringHandle", &FreeStringHandle, realFreeStringHandle);
    Redirect("DdeConnect", &Connect, realConnect);
    Redirect("DdeClientTransaction", &ClientTransaction, realClientTransaction);
    Redirect("DdeGetData", &GetData, realGetData);
    Redirect("DdeFreeDataHandle", &FreeDataHandle, realFreeDataHandle);
    Redirect("DdeDisconnect", &Disconnect, realDisconnect);
    Redirect("DdeUninitialize", &Uninitialize, realUninitialize);
    const bool all = realInitialize && realCreateStringHandle && realFreeStringHandle &&
                     realConnect && realClientTransaction && realGetData && realFreeDataHandle &&
                     realDisconnect && realUninitialize;
    ASSERT_TRUE(all) << "the DDEML imports of the test executable were not all found";
  }
};

const testing::Environment* const environment = testing::AddGlobalTestEnvironment(new Environment);

void Reset() {
  calls.clear();
  names.clear();
  failInitialize = false;
  failStringHandle.clear();
}

}  // namespace dde_log

// The calls of one query up to the connection attempt and its string handles' release.
std::vector<std::string> ConnectCalls(const std::string& service, bool connected) {
  return {
      "DdeInitializeA id=0 callback=yes flags=003C0010 reserved=0 -> ok",
      "DdeCreateStringHandleA " + service + " cp=0",
      "DdeCreateStringHandleA WWW_GetWindowInfo cp=0",
      "DdeConnect " + service + " WWW_GetWindowInfo nocontext" +
          (connected ? " -> conv" : " -> null"),
      "DdeFreeStringHandle WWW_GetWindowInfo",
      "DdeFreeStringHandle " + service,
  };
}

std::vector<std::string> ExpectedCalls(const std::string& service, QueryStatus status) {
  std::vector<std::string> calls = ConnectCalls(service, status != QueryStatus::NoServer);
  auto add = [&](std::vector<std::string> more) {
    calls.insert(calls.end(), more.begin(), more.end());
  };
  switch (status) {
    case QueryStatus::NoServer:
      add({"DdeUninitialize"});
      break;
    case QueryStatus::NoData:
    case QueryStatus::Ok:
      add({"DdeCreateStringHandleA 0xFFFFFFFF cp=0",
           std::string("DdeClientTransaction nodata len=0 conv 0xFFFFFFFF fmt=1 type=000020B0 "
                       "timeout=10000 noresult") +
               (status == QueryStatus::Ok ? " -> data" : " -> null"),
           "DdeFreeStringHandle 0xFFFFFFFF"});
      if (status == QueryStatus::Ok) add({"DdeGetData max=2047 off=0", "DdeFreeDataHandle"});
      add({"DdeDisconnect", "DdeUninitialize"});
      break;
    case QueryStatus::StartFailed:
      calls = {"DdeInitializeA id=0 callback=yes flags=003C0010 reserved=0 -> error"};
      break;
  }
  return calls;
}

// ---- the fake browser ----------------------------------------------------------------------

fs::path ExeDir() {
  wchar_t buffer[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  return fs::path(std::wstring(buffer, n)).parent_path();
}

void WriteBytes(const fs::path& path, const std::string& bytes) {
  std::FILE* f = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
  std::fclose(f);
}

// fake_browser.exe from beside this test, serving until the object goes.
class FakeBrowser {
 public:
  FakeBrowser(const std::wstring& service, const std::wstring& modeArgs) {
    static int serial = 0;
    const std::wstring tag =
        std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(++serial);
    const std::wstring readyName = L"FakeBrowserReady_" + tag;
    const std::wstring quitName = L"FakeBrowserQuit_" + tag;
    ready_ = CreateEventW(nullptr, TRUE, FALSE, readyName.c_str());
    quit_ = CreateEventW(nullptr, TRUE, FALSE, quitName.c_str());
    std::wstring commandLine = L"\"" + (ExeDir() / L"fake_browser.exe").wstring() + L"\" " +
                               service + L" " + modeArgs + L" --ready " + readyName + L" --quit " +
                               quitName;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process_)) {
      ADD_FAILURE() << "fake_browser.exe did not start, error " << GetLastError();
      return;
    }
    CloseHandle(process_.hThread);
    const HANDLE waits[] = {ready_, process_.hProcess};
    started_ = WaitForMultipleObjects(2, waits, FALSE, 60000) == WAIT_OBJECT_0;
    if (!started_) ADD_FAILURE() << "fake_browser.exe did not get ready";
  }

  ~FakeBrowser() {
    if (process_.hProcess) {
      SetEvent(quit_);
      if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 10000);
      }
      CloseHandle(process_.hProcess);
    }
    CloseHandle(ready_);
    CloseHandle(quit_);
  }

  bool Started() const { return started_; }

 private:
  HANDLE ready_ = nullptr;
  HANDLE quit_ = nullptr;
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

class BrowserQueryTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ =
        fs::temp_directory_path() / ("browser_query_test_" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(dir_);
    reply_ = dir_ / L"reply.bin";
    dde_log::Reset();
  }
  void TearDown() override {
    dde_log::Reset();
    std::error_code ec;
    fs::remove_all(dir_, ec);
  }

  // One query, checked against the calls its outcome must make.
  browser::QueryResult QueryExpecting(const std::string& service, QueryStatus status) {
    dde_log::calls.clear();
    const browser::QueryResult result = query_.Query(service, Capacity);
    EXPECT_EQ(result.status, status) << service;
    EXPECT_EQ(dde_log::calls, ExpectedCalls(service, status)) << service;
    return result;
  }

  fs::path dir_;
  fs::path reply_;
  win32::Win32BrowserQuery query_;
};

TEST_F(BrowserQueryTest, DataReplyUpToFirstNulAndCutAtCapacity) {
  WriteBytes(reply_, "");
  FakeBrowser fake(L"IEXPLORE", L"data \"" + reply_.wstring() + L"\"");
  ASSERT_TRUE(fake.Started());

  const std::string exact(Capacity, 'e');
  const std::string longer = std::string(Capacity, 'l') + std::string(3000 - Capacity, 'z');
  const struct {
    const char* name;
    std::string bytes;
    std::string text;
  } cases[] = {
      {"quoted fields with NUL", Bytes("\"http://example.com/\",\"例のページ\",\"1\"\0"),
       "\"http://example.com/\",\"例のページ\",\"1\""},
      {"no NUL", "\"http://a/\",\"T\"", "\"http://a/\",\"T\""},
      {"NUL inside", Bytes("abc\0def"), "abc"},
      {"exactly the capacity", exact, exact},
      {"capacity and a NUL", exact + std::string(1, '\0'), exact},
      {"3000 bytes", longer, longer.substr(0, Capacity)},
      {"zero bytes", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(reply_, c.bytes);
    EXPECT_EQ(QueryExpecting("IEXPLORE", QueryStatus::Ok).text, c.text);
  }

  WriteBytes(reply_, Bytes("\"http://example.com/p?a=1,2\",\"表示\",\"3\"\0"));
  const browser::WindowInfo info =
      browser::ParseWindowInfo(query_.Query("IEXPLORE", Capacity).text);
  EXPECT_EQ(info.url, "http://example.com/p?a=1,2");
  EXPECT_EQ(info.title, "表示");
  EXPECT_EQ(info.third, "3");
}

TEST_F(BrowserQueryTest, NoServerOfThatName) {
  QueryExpecting("NETSCAPE", QueryStatus::NoServer);
  FakeBrowser fake(L"IEXPLORE", L"nodata");
  ASSERT_TRUE(fake.Started());
  QueryExpecting("NETSCAPE", QueryStatus::NoServer);
}

TEST_F(BrowserQueryTest, ServerWithoutData) {
  FakeBrowser fake(L"NETSCAPE", L"nodata");
  ASSERT_TRUE(fake.Started());
  EXPECT_EQ(QueryExpecting("NETSCAPE", QueryStatus::NoData).text, "");
}

TEST_F(BrowserQueryTest, SilentServerTimesOutAfterTenSeconds) {
  FakeBrowser fake(L"IEXPLORE", L"silent");
  ASSERT_TRUE(fake.Started());
  const ULONGLONG start = GetTickCount64();
  QueryExpecting("IEXPLORE", QueryStatus::NoData);
  EXPECT_GE(GetTickCount64() - start, 9000u);  // it waited for its time-out, not less
}

TEST_F(BrowserQueryTest, StartFailureAcquiresNothing) {
  dde_log::failInitialize = true;
  QueryExpecting("IEXPLORE", QueryStatus::StartFailed);
}

TEST_F(BrowserQueryTest, MissingStringHandleNeverConnectsToAnyServer) {
  // A null service or topic handle would ask every server; the query must not connect then.
  FakeBrowser fake(L"IEXPLORE", L"nodata");
  ASSERT_TRUE(fake.Started());
  for (const char* failing : {"IEXPLORE", "WWW_GetWindowInfo"}) {
    dde_log::Reset();
    dde_log::failStringHandle = failing;
    EXPECT_EQ(query_.Query("IEXPLORE", Capacity).status, QueryStatus::NoServer) << failing;
    std::vector<std::string> expected = {
        "DdeInitializeA id=0 callback=yes flags=003C0010 reserved=0 -> ok",
        std::string("DdeCreateStringHandleA IEXPLORE cp=0") +
            (failing == std::string("IEXPLORE") ? " -> null" : ""),
        std::string("DdeCreateStringHandleA WWW_GetWindowInfo cp=0") +
            (failing == std::string("WWW_GetWindowInfo") ? " -> null" : ""),
    };
    expected.push_back(failing == std::string("IEXPLORE") ? "DdeFreeStringHandle WWW_GetWindowInfo"
                                                          : "DdeFreeStringHandle IEXPLORE");
    expected.push_back("DdeUninitialize");
    EXPECT_EQ(dde_log::calls, expected) << failing;
  }
}

// ---- nothing left behind over many calls ---------------------------------------------------

// What calls could leave in this process that Wine lets a test see: DDEML windows (one per
// instance, one per conversation), heap blocks (data handles) and the atoms of string handles.
struct Footprint {
  int windows = 0;
  SIZE_T heapBytes = 0;
  bool atomsGone = false;
};

struct WindowCount {
  bool skipFailedConnects = false;
  int count = 0;
};

BOOL CALLBACK CountDdeWindow(HWND hwnd, LPARAM param) {
  auto* windows = reinterpret_cast<WindowCount*>(param);
  wchar_t className[64] = {};
  GetClassNameW(hwnd, className, 64);
  if (std::wcsncmp(className, L"WineDde", 7) != 0) return TRUE;
  // Wine's DdeConnect keeps the window of a connection no server accepted, and gives out no
  // handle to release it: those are Wine's own, not the caller's.
  const bool connectWindow = std::wcsncmp(className, L"WineDdeClient", 13) == 0;
  if (!(windows->skipFailedConnects && connectWindow)) ++windows->count;
  return TRUE;
}

Footprint Measure(const char* service, bool skipFailedConnects = false) {
  Footprint f;
  WindowCount windows{skipFailedConnects};
  EnumThreadWindows(GetCurrentThreadId(), CountDdeWindow, reinterpret_cast<LPARAM>(&windows));
  f.windows = windows.count;
  const HANDLE heap = GetProcessHeap();
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  while (HeapWalk(heap, &entry)) {
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) f.heapBytes += entry.cbData;
  }
  HeapUnlock(heap);
  f.atomsGone = !FindAtomA(service) && !FindAtomA("WWW_GetWindowInfo") && !FindAtomA("0xFFFFFFFF");
  return f;
}

void ExpectNothingLeft(const Footprint& before, const Footprint& after, const char* path) {
  EXPECT_EQ(after.windows, before.windows) << path;
  // 200 replies of 3000 bytes kept would be 600 KB.
  EXPECT_LT(after.heapBytes, before.heapBytes + 128 * 1024) << path;
  EXPECT_TRUE(after.atomsGone) << path;
}

TEST_F(BrowserQueryTest, TwoHundredCallsOfEachOutcomeLeaveNothing) {
  constexpr int Calls = 200;
  WriteBytes(reply_, std::string(3000, 'r'));
  // While its reply file is missing the fake answers with no data.
  FakeBrowser fake(L"IEXPLORE", L"data \"" + reply_.wstring() + L"\"");
  ASSERT_TRUE(fake.Started());
  for (int i = 0; i < 3; ++i) query_.Query("IEXPLORE", Capacity);  // first-use set-up

  const Footprint before = Measure("IEXPLORE");
  ASSERT_TRUE(before.atomsGone);
  for (int i = 0; i < Calls; ++i) {
    ASSERT_EQ(query_.Query("IEXPLORE", Capacity).status, QueryStatus::Ok);
  }
  ExpectNothingLeft(before, Measure("IEXPLORE"), "data");

  fs::remove(reply_);
  for (int i = 0; i < Calls; ++i) {
    ASSERT_EQ(query_.Query("IEXPLORE", Capacity).status, QueryStatus::NoData);
  }
  ExpectNothingLeft(before, Measure("IEXPLORE"), "no data");

  const Footprint beforeNoServer = Measure("NOSUCHBROWSER", true);
  for (int i = 0; i < Calls; ++i) {
    ASSERT_EQ(query_.Query("NOSUCHBROWSER", Capacity).status, QueryStatus::NoServer);
  }
  ExpectNothingLeft(beforeNoServer, Measure("NOSUCHBROWSER", true), "no server");
}

}  // namespace
