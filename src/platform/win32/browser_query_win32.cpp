#include "platform/win32/browser_query_win32.h"

#include <windows.h>
#include <ddeml.h>

namespace win32 {

namespace {

constexpr DWORD ClientFlags = APPCMD_CLIENTONLY | CBF_SKIP_ALLNOTIFICATIONS;  // 0x003C0010
static_assert(ClientFlags == 0x003C0010);

// A client that only requests needs no callback work.
HDDEDATA CALLBACK IgnoreDdeCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  return nullptr;
}

}  // namespace

browser::QueryResult Win32BrowserQuery::Query(const std::string& service, std::size_t capacity) {
  browser::QueryResult result;
  DWORD instance = 0;
  if (DdeInitializeA(&instance, IgnoreDdeCallback, ClientFlags, 0) != DMLERR_NO_ERROR) {
    result.status = browser::QueryStatus::StartFailed;
    return result;
  }

  // Code page 0: the default, CP_WINANSI (the texts are ANSI).
  HSZ serviceName = DdeCreateStringHandleA(instance, service.c_str(), 0);
  HSZ topicName = DdeCreateStringHandleA(instance, "WWW_GetWindowInfo", 0);
  // A null service or topic handle would mean "any server", so never connect without both.
  HCONV conversation = serviceName && topicName
                           ? DdeConnect(instance, serviceName, topicName, nullptr)
                           : nullptr;
  if (topicName) DdeFreeStringHandle(instance, topicName);
  if (serviceName) DdeFreeStringHandle(instance, serviceName);
  if (!conversation) {
    DdeUninitialize(instance);
    result.status = browser::QueryStatus::NoServer;
    return result;
  }

  HSZ itemName = DdeCreateStringHandleA(instance, "0xFFFFFFFF", 0);
  HDDEDATA data = itemName ? DdeClientTransaction(nullptr, 0, conversation, itemName, CF_TEXT,
                                                  XTYP_REQUEST, timeoutMs_, nullptr)
                           : nullptr;
  if (itemName) DdeFreeStringHandle(instance, itemName);
  if (!data) {
    DdeDisconnect(conversation);
    DdeUninitialize(instance);
    result.status = browser::QueryStatus::NoData;
    return result;
  }

  const DWORD limit = capacity > MAXDWORD ? MAXDWORD : static_cast<DWORD>(capacity);
  std::string text(limit, '\0');
  DWORD copied = limit ? DdeGetData(data, reinterpret_cast<LPBYTE>(text.data()), limit, 0) : 0;
  if (copied > limit) copied = limit;
  text.resize(copied);
  const std::size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  DdeFreeDataHandle(data);
  DdeDisconnect(conversation);
  DdeUninitialize(instance);

  result.status = browser::QueryStatus::Ok;
  result.text = std::move(text);
  return result;
}

}  // namespace win32
