// The server text, the SNTP message and the time conversions of the clock correction.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "clock/local_time.h"
#include "clock/server_text.h"
#include "clock/sntp_message.h"
#include "support/ntp_reply.h"

namespace {

using namespace timesync;

TEST(ClockServerTextTest, SplitsHostAndPortAsAtolDoes) {
  struct Case {
    std::string text;
    std::string host;
    unsigned port;
  } cases[] = {
      {"ntp.example.jp", "ntp.example.jp", 123},
      {"", "", 123},
      {"10.0.0.1:", "10.0.0.1", 0},
      {"10.0.0.1:abc", "10.0.0.1", 0},
      {"10.0.0.1:70000", "10.0.0.1", 4464},
      {"host:12:34", "host", 12},
      {"host: \t99x", "host", 99},
      {"host:+5", "host", 5},
      {"host:-1", "host", 65535},
      {"host:0000000000123", "host", 123},  // longer than any small port buffer
      {":123", "", 123},
  };
  for (const Case& c : cases) {
    const ServerAddress parsed = ParseServerText(c.text);
    EXPECT_EQ(parsed.host, c.host) << c.text;
    EXPECT_EQ(parsed.port, c.port) << c.text;
  }
}

TEST(ClockServerTextTest, KeepsLongTextsWhole) {
  const std::string host(5000, 'a');
  const ServerAddress parsed = ParseServerText(host + ":" + std::string(3000, '7'));
  EXPECT_EQ(parsed.host, host);
  EXPECT_EQ(ParseServerText(host).host, host);
  EXPECT_EQ(ParseServerText(host).port, 123);
}

TEST(ClockServerTextTest, DottedAddressesOnly) {
  struct Case {
    std::string text;
    std::optional<std::uint32_t> address;
  } cases[] = {
      {"127.0.0.1", 0x7F000001u},      {"192.168.10.254", 0xC0A80AFEu},
      {"255.255.255.255", 0xFFFFFFFFu}, {"0.0.0.0", 0u},
      {"1.2.3", std::nullopt},         {"1.2.3.4.5", std::nullopt},
      {"256.1.1.1", std::nullopt},     {"1..2.3", std::nullopt},
      {"0001.2.3.4", std::nullopt},    {" 1.2.3.4", std::nullopt},
      {"1.2.3.4 ", std::nullopt},      {"ntp.example.jp", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseDottedIPv4(c.text), c.address) << c.text;
}

TEST(ClockSntpMessageTest, RequestIsVersionOneClientWithNonceAsTransmitTime) {
  const SntpRequest request = BuildRequest(0x1122334455667788ull);
  EXPECT_EQ(request[0], 0x0B);
  for (std::size_t i = 1; i < 40; ++i) EXPECT_EQ(request[i], 0) << i;
  const unsigned char nonce[8] = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
  for (std::size_t i = 0; i < 8; ++i) EXPECT_EQ(request[40 + i], nonce[i]) << i;
}

TEST(ClockSntpMessageTest, DecodesFieldsAndNeedsFortyEightBytes) {
  clocktest::ReplyPlan plan;
  plan.leap = 1;
  plan.version = 3;
  plan.stratum = 0;
  plan.kissCode = "RATE";
  plan.transmitSeconds = 0xE1234567;
  plan.transmitFraction = 0x80000001;
  plan.size = 68;
  const auto bytes = clocktest::MakeReply(plan, 0xA1B2C3D4E5F60718ull);
  const std::optional<SntpReply> reply = DecodeReply(bytes.data(), bytes.size());
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->leap, 1u);
  EXPECT_EQ(reply->version, 3u);
  EXPECT_EQ(reply->mode, 4u);
  EXPECT_EQ(reply->stratum, 0u);
  EXPECT_EQ(reply->referenceId, 0x52415445u);  // "RATE"
  EXPECT_EQ(reply->originate, 0xA1B2C3D4E5F60718ull);
  EXPECT_EQ(reply->transmitSeconds, 0xE1234567u);
  EXPECT_EQ(reply->transmitFraction, 0x80000001u);
  EXPECT_FALSE(DecodeReply(bytes.data(), 47));
  EXPECT_FALSE(DecodeReply(nullptr, 0));
}

TEST(ClockSntpMessageTest, JudgesRepliesAsTheClientChecksRequire) {
  const std::uint64_t nonce = 0x0F0E0D0C0B0A0908ull;
  auto with = [](auto change) {
    SntpReply r;
    r.leap = 0;
    r.version = 4;
    r.mode = 4;
    r.stratum = 3;
    r.originate = 0x0F0E0D0C0B0A0908ull;
    r.transmitSeconds = 0xEEC60449;
    r.transmitFraction = 0;
    change(r);
    return r;
  };
  struct Case {
    const char* name;
    SntpReply reply;
    ReplyVerdict verdict;
  } cases[] = {
      {"good", with([](SntpReply&) {}), ReplyVerdict::Usable},
      {"version 1", with([](SntpReply& r) { r.version = 1; }), ReplyVerdict::Usable},
      {"stratum 15", with([](SntpReply& r) { r.stratum = 15; }), ReplyVerdict::Usable},
      {"leap 2", with([](SntpReply& r) { r.leap = 2; }), ReplyVerdict::Usable},
      {"seconds 0", with([](SntpReply& r) { r.transmitSeconds = 0; r.transmitFraction = 1; }),
       ReplyVerdict::Usable},
      {"mode 3", with([](SntpReply& r) { r.mode = 3; }), ReplyVerdict::NotOurs},
      {"mode 5", with([](SntpReply& r) { r.mode = 5; }), ReplyVerdict::NotOurs},
      {"version 0", with([](SntpReply& r) { r.version = 0; }), ReplyVerdict::NotOurs},
      {"version 5", with([](SntpReply& r) { r.version = 5; }), ReplyVerdict::NotOurs},
      {"originate off", with([](SntpReply& r) { r.originate ^= 1ull << 63; }),
       ReplyVerdict::NotOurs},
      {"kiss, wrong originate",
       with([](SntpReply& r) { r.stratum = 0; r.leap = 3; r.originate = 0; }),
       ReplyVerdict::NotOurs},
      {"kiss", with([](SntpReply& r) { r.stratum = 0; r.leap = 3; }), ReplyVerdict::Denied},
      {"leap 3", with([](SntpReply& r) { r.leap = 3; }), ReplyVerdict::Invalid},
      {"stratum 16", with([](SntpReply& r) { r.stratum = 16; }), ReplyVerdict::Invalid},
      {"no transmit time",
       with([](SntpReply& r) { r.transmitSeconds = 0; r.transmitFraction = 0; }),
       ReplyVerdict::Invalid},
  };
  for (const Case& c : cases) EXPECT_EQ(JudgeReply(c.reply, nonce), c.verdict) << c.name;
}

TEST(ClockSntpMessageTest, NtpSecondsCoverBothEras) {
  struct Case {
    std::uint32_t ntp;
    std::int64_t unix;
  } cases[] = {
      {2208988800u, 0},                   // 1970-01-01
      {0xEEC60449u, 0xEEC60449LL - 2208988800LL},
      {0x80000000u, -61505152},           // 1968-01-20, the first second of the first era's half
      {0xFFFFFFFFu, 2085978495},          // 2036-02-07 06:28:15
      {0u, 2085978496},                   // 2036-02-07 06:28:16, the next era begins
      {123010304u, 2208988800LL},         // 2040-01-01, past the 32-bit Unix range
      {0x7FFFFFFFu, 4233462143LL},        // 2104-02-26, the last second covered
  };
  for (const Case& c : cases) EXPECT_EQ(NtpSecondsToUnix(c.ntp), c.unix) << c.ntp;
}

TEST(ClockSntpMessageTest, FractionGivesWholeMilliseconds) {
  struct Case {
    std::uint32_t fraction;
    unsigned ms;
  } cases[] = {
      {0, 0}, {0x80000000u, 500}, {0xFFFFFFFFu, 999}, {0x40000000u, 250},
      {4294967u, 0}, {4294968u, 1},  // just below and at one millisecond
  };
  for (const Case& c : cases) EXPECT_EQ(FractionToMilliseconds(c.fraction), c.ms) << c.fraction;
}

// Runs the body with the process's time zone set to zone, restoring it after.
class ClockLocalTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) saved_ = tz;
  }
  void TearDown() override {
    if (saved_) setenv("TZ", saved_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
  }
  static void Zone(const char* zone) {
    setenv("TZ", zone, 1);
    tzset();
  }

 private:
  std::optional<std::string> saved_;
};

TEST_F(ClockLocalTimeTest, ConvertsInTheProcessZone) {
  Zone("UTC0");
  std::optional<SystemTime> t = LocalCalendarTime(0);
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, (SystemTime{1970, 1, 4, 1, 0, 0, 0, 0}));

  Zone("JST-9");
  t = LocalCalendarTime(2208988800LL);  // after 2038: needs 64-bit time
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, (SystemTime{2040, 1, 0, 1, 9, 0, 0, 0}));
  t = LocalCalendarTime(4233462143LL);
  ASSERT_TRUE(t);
  EXPECT_EQ(*t, (SystemTime{2104, 2, 2, 26, 18, 42, 23, 0}));
}

TEST_F(ClockLocalTimeTest, NothingBeforeNineteenSeventyLocal) {
  Zone("UTC0");
  EXPECT_FALSE(LocalCalendarTime(-1));
  EXPECT_FALSE(LocalCalendarTime(-61505152));
  Zone("EST5");
  EXPECT_FALSE(LocalCalendarTime(3600));  // 1969-12-31 20:00 local
  EXPECT_TRUE(LocalCalendarTime(18000));
}

}  // namespace
