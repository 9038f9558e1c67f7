#include "browser/window_info.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A literal with its embedded NUL bytes.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

struct ParseCase {
  const char* name;
  std::string reply;
  std::string url, title, third;
};

const std::string kLong(1000, 'x');

class ParseWindowInfoTest : public testing::TestWithParam<ParseCase> {};

TEST_P(ParseWindowInfoTest, SplitsReplyIntoFields) {
  const ParseCase& c = GetParam();
  const browser::WindowInfo info = browser::ParseWindowInfo(c.reply);
  EXPECT_EQ(info.url, c.url);
  EXPECT_EQ(info.title, c.title);
  EXPECT_EQ(info.third, c.third);
}

INSTANTIATE_TEST_SUITE_P(
    Replies, ParseWindowInfoTest,
    testing::Values(
        ParseCase{"ThreeFields", R"("http://example.com/a","Example page","1")",
                  "http://example.com/a", "Example page", "1"},
        ParseCase{"TwoFields", R"("http://example.com/","Example")", "http://example.com/",
                  "Example", ""},
        ParseCase{"Empty", "", "", "", ""},
        ParseCase{"NoQuoteIsAllUrl", "http://a/,b,c", "http://a/,b,c", "", ""},
        ParseCase{"CommaInsideField", R"("http://a/?q=1,2","T,U","3")", "http://a/?q=1,2",
                  "T,U", "3"},
        ParseCase{"SpaceAfterCommaIsTitle", R"("http://a/", "T","3")", "http://a/", " ", "T"},
        ParseCase{"BackslashEscapes", R"("a\"b\\c","t\"")", "a\"b\\c", "t\"", ""},
        ParseCase{"TrailByte5CIsNoEscape", "\"http://a/\",\"表示\",\"2\"", "http://a/", "表示",
                  "2"},
        ParseCase{"EmptyTitleSwallowed", R"("http://a/","","3")", "http://a/", "3", ""},
        ParseCase{"OnlySeparators", R"("",,"","")", "", "", ""},
        ParseCase{"LastLeadByteCopiedAlone", "\"u\",\"ab\x95", "u", "ab\x95", ""},
        ParseCase{"LastBackslashDropped", "\"u\",\"ab\\", "u", "ab", ""},
        // A lead byte takes the quote after it as its trail; the field goes on to the next quote.
        ParseCase{"LeadByteTakesQuote", "\"\x81\",\"t\"", "\x81\",", "t", ""},
        ParseCase{"BackslashBeforeLeadByte", "\"a\\\x81" "b\"", "a\x81" "b", "", ""},
        ParseCase{"NulEndsText", Bytes("\"a\",\"b\"\0,\"c\""), "a", "b", ""},
        ParseCase{"LongFieldKeptWhole", "\"" + kLong + "\",\"" + kLong + "t\",\"3\"", kLong,
                  kLong + "t", "3"}),
    [](const testing::TestParamInfo<ParseCase>& info) { return std::string(info.param.name); });

TEST(ParseWindowInfoBytes, ShiftJisTitleComesThroughUnchanged) {
  // The literal compiles to CP932; check the bytes the case relies on.
  ASSERT_EQ(std::string("表示"), std::string("\x95\x5C\x8E\xA6"));
  EXPECT_EQ(browser::ParseWindowInfo("\"u\",\"\x95\x5C\x8E\xA6\"").title, "\x95\x5C\x8E\xA6");
}

}  // namespace
