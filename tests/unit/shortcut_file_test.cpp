#include "browser/shortcut_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

// A literal with its embedded NUL bytes.
template <std::size_t N>
std::string Bytes(const char (&s)[N]) {
  return std::string(s, N - 1);
}

struct TitleCase {
  const char* name;
  std::string path;
  std::string title;
};

class TitleFromDroppedPathTest : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleFromDroppedPathTest, NameWithoutLastFourBytes) {
  EXPECT_EQ(browser::TitleFromDroppedPath(GetParam().path), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, TitleFromDroppedPathTest,
    testing::Values(
        TitleCase{"Plain", R"(C:\Favorites\Example Site.url)", "Example Site"},
        TitleCase{"Trimmed", "C:\\Favorites\\  名前\t.url", "名前"},
        // 表 is 0x95 0x5C: its trail byte is no directory separator.
        TitleCase{"TrailByte5CNoSeparator", "C:\\お気に入り\\表示.url", "表示"},
        TitleCase{"ColonSeparates", "A:page.url", "page"},
        TitleCase{"NoSeparator", "page.url", "page"},
        TitleCase{"AnyExtensionLosesFourBytes", R"(C:\x\notes.txt)", "notes"},
        TitleCase{"NoExtension", R"(C:\x\abcdef)", "ab"},
        TitleCase{"FourBytesEmpty", R"(C:\x\.url)", ""},
        TitleCase{"FewerBytesEmpty", R"(C:\x\a.u)", ""},
        TitleCase{"EndsInSeparator", R"(C:\x\)", ""},
        TitleCase{"Empty", "", ""}),
    [](const testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

struct UrlCase {
  const char* name;
  std::string text;
  std::vector<std::string> urls;
};

const std::string kLongUrl = "http://example.com/" + std::string(2981, 'a');  // 3000 bytes

class UrlsFromShortcutTextTest : public testing::TestWithParam<UrlCase> {};

TEST_P(UrlsFromShortcutTextTest, UrlLinesInOrder) {
  EXPECT_EQ(browser::UrlsFromShortcutText(GetParam().text), GetParam().urls);
}

INSTANTIATE_TEST_SUITE_P(
    Files, UrlsFromShortcutTextTest,
    testing::Values(
        UrlCase{"Http", "[InternetShortcut]\r\nURL=http://example.com/a\r\n",
                {"http://example.com/a"}},
        UrlCase{"Https", "[InternetShortcut]\nURL=https://example.com/\n",
                {"https://example.com/"}},
        UrlCase{"FileAtPositionFive", "URL=file:///C:/pages/a.html\r\n",
                {"file:///C:/pages/a.html"}},
        UrlCase{"FtpKeptWhole", "URL=ftp://example.com/x\r\n", {"URL=ftp://example.com/x"}},
        UrlCase{"MailtoKeptWhole", "URL=mailto:a@example.com\r\n", {"URL=mailto:a@example.com"}},
        UrlCase{"HttpNotCutAtLaterFile", "URL=http://example.com/file/x\r\n",
                {"http://example.com/file/x"}},
        UrlCase{"FileAtSevenCut", "URL=abfile:x\n", {"file:x"}},
        UrlCase{"FileAtEightKept", "URL=abcfile:x\n", {"URL=abcfile:x"}},
        UrlCase{"HttpLaterInLine", "URL=<http://example.com/> \n", {"http://example.com/>"}},
        UrlCase{"BareUrl", "URL\r\n", {"URL"}},
        UrlCase{"KeyMerelyBeginsWithUrl", "URLX=http://a/\n", {"http://a/"}},
        UrlCase{"LowerCaseSkipped", "url=http://example.com/\r\n", {}},
        UrlCase{"IndentedSkipped", " URL=http://example.com/\r\n", {}},
        UrlCase{"TwoLinesBothInOrder", "URL=http://a/\r\nIconIndex=0\r\nURL=http://b/\r\n",
                {"http://a/", "http://b/"}},
        UrlCase{"BeforeAnySection", "URL=http://a/\r\n[InternetShortcut]\r\n", {"http://a/"}},
        UrlCase{"LastLineWithoutLineEnd", "[X]\r\nURL=http://a/", {"http://a/"}},
        UrlCase{"NulEndsLine", Bytes("URL=http://a/\0junk\nURL=http://b/\n"),
                {"http://a/", "http://b/"}},
        UrlCase{"LongLineKeptWhole", "URL=" + kLongUrl + "\r\n", {kLongUrl}},
        UrlCase{"Empty", "", {}}),
    [](const testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.name); });

class ReadShortcutUrlsTest : public testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("shortcut_file_test_") +
            testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& bytes) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  std::filesystem::path dir_;
};

TEST_F(ReadShortcutUrlsTest, ReadsUrlLinesOfFile) {
  const std::string path = Write("Example.url",
                                 "[DEFAULT]\r\nBASEURL=http://x/\r\n[InternetShortcut]\r\n"
                                 "URL=http://example.com/\r\nIconIndex=1\r\n");
  const browser::ShortcutUrls read = browser::ReadShortcutUrls(path);
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.urls, std::vector<std::string>{"http://example.com/"});
}

TEST_F(ReadShortcutUrlsTest, LineLongerThanReadBufferKeptWhole) {
  const std::string url = "http://example.com/?" + std::string(40000, 'q');
  const std::string path =
      Write("Long.url", "[InternetShortcut]\r\n" + std::string(20000, ';') + "\r\nURL=" + url +
                            "\r\nURL=http://b/");
  const browser::ShortcutUrls read = browser::ReadShortcutUrls(path);
  EXPECT_TRUE(read.opened);
  EXPECT_EQ(read.urls, (std::vector<std::string>{url, "http://b/"}));
}

TEST_F(ReadShortcutUrlsTest, EmptyFileOpensWithoutUrls) {
  const browser::ShortcutUrls read = browser::ReadShortcutUrls(Write("Empty.url", ""));
  EXPECT_TRUE(read.opened);
  EXPECT_TRUE(read.urls.empty());
}

TEST_F(ReadShortcutUrlsTest, UnreadableGivesNoUrls) {
  for (const std::string& path :
       {(dir_ / "missing.url").string(), dir_.string(), std::string()}) {
    const browser::ShortcutUrls read = browser::ReadShortcutUrls(path);
    EXPECT_FALSE(read.opened) << path;
    EXPECT_TRUE(read.urls.empty()) << path;
  }
}

}  // namespace
