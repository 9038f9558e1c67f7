#include <gtest/gtest.h>

#include "core/file_io.h"
#include "core/line_file.h"
#include "core/profile.h"
#include "core/text.h"
#include "support/fake_ports.h"

using testing_support::ReadBytes;
using testing_support::TempDir;
using testing_support::WriteBytes;

TEST(Text, TrimRemovesEveryByteUpToSpace) {
  EXPECT_EQ(core::Trim(" \t\r\n\x01 a b \x1f "), "a b");
  EXPECT_EQ(core::Trim("   "), "");
  // 0x81 0x40 is the full-width space: a text byte, not trimmed.
  EXPECT_EQ(core::Trim("\x81\x40x\x81\x40"), "\x81\x40x\x81\x40");
}

TEST(Text, ListNamesCompareIgnoringCaseOfAsciiAndFullWidthLetters) {
  EXPECT_TRUE(core::SameNameIgnoreCase("List1", "list1"));
  EXPECT_TRUE(core::SameNameIgnoreCase("ＡＢｃ", "ａｂＣ"));
  EXPECT_FALSE(core::SameNameIgnoreCase("Ａ", "A"));  // widths stay apart
  EXPECT_FALSE(core::SameNameIgnoreCase("ア", "あ"));
  // The trail byte 0x61 of a double-byte character is not a letter to fold.
  EXPECT_FALSE(core::SameNameIgnoreCase("\x83\x61", "\x83\x41"));
  EXPECT_LT(core::CompareNameIgnoreCase("a", "B"), 0);
  EXPECT_GT(core::CompareNameIgnoreCase("b", "A"), 0);
}

TEST(Text, FileNamePartSkipsTrailBytes) {
  EXPECT_EQ(core::FileNamePart("C:\\dir\\page.html"), "page.html");
  EXPECT_EQ(core::FileNamePart("C:page.html"), "page.html");
  // "表" is 0x95 0x5C: its trail byte is no separator.
  EXPECT_EQ(core::FileNamePart("C:\\x\\表示.url"), "表示.url");
}

TEST(Text, TruncationHelpers) {
  EXPECT_EQ(core::DropDanglingLeadByte("ab\x82"), "ab");
  EXPECT_EQ(core::DropDanglingLeadByte("\x82\xa0"), "\x82\xa0");
  EXPECT_EQ(core::FirstBytes("abcdef", 3), "abc");
  EXPECT_EQ(core::AtoL("  -12x"), -12);
  EXPECT_EQ(core::AtoL("x12"), 0);
}

TEST(LineFile, SplitsOnEveryLineEndAndStopsAtNul) {
  struct Case {
    std::string text;
    std::vector<std::string> lines;
  } cases[] = {
      {"", {}},
      {"A\r\nu1\r\nB\r\nu2\r\n", {"A", "u1", "B", "u2"}},
      {"A\nu1\rB\r\nu2", {"A", "u1", "B", "u2"}},
      {"\r\n\r\n", {"", ""}},
      {" a \r\n\r\n", {" a ", ""}},
      {"A\r\nu\0B\r\nx\r\n", {"A", "u"}},
      {"A\r\r\n", {"A", ""}},
  };
  for (const Case& c : cases) EXPECT_EQ(core::SplitLines(c.text), c.lines) << c.text;
  cases[5].text = std::string("A\r\nu\0B\r\n", 9);
  EXPECT_EQ(core::SplitLines(cases[5].text), (std::vector<std::string>{"A", "u"}));
}

TEST(LineFile, LongLinesAreKeptWholeAndJoinedWithCrLf) {
  std::string big(1 << 20, 'x');
  auto lines = core::SplitLines(big + "\n" + "y");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), big.size());
  EXPECT_EQ(core::JoinLines({"a", "", "b"}), "a\r\n\r\nb\r\n");
  EXPECT_EQ(core::JoinLines({}), "");
}

TEST(Profile, ReadsKeysIgnoringCaseWithTrimmedValuesCutAt1023) {
  std::string longValue(5000, 'v');
  auto f = core::ProfileFile::Parse("[other]\r\nX=1\r\n[TAVRIN]\r\n  x  =  12  \r\nLong=" + longValue + "\r\n");
  EXPECT_EQ(f.Read("Tavrin", "X"), "12");
  EXPECT_EQ(f.Read("tavrin", "long")->size(), 1023u);
  EXPECT_FALSE(f.Read("Tavrin", "Y").has_value());
  EXPECT_FALSE(f.Read("Missing", "X").has_value());
  EXPECT_EQ(f.ReadInteger("other", "x", 5), 1);
}

TEST(Profile, IntegersInDecimalOrHexElseTheDefault) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {{"32", 32},        {"-7", -7},      {"+7", 7},      {"0x20", 32},   {"0X1f", 31},
               {"$10", 16},       {"", 99},        {"yes", 99},    {"1.5", 99},    {"12a", 99},
               {"0x", 99},        {"99999999999", 99}, {"2147483647", 2147483647}, {"0xFFFFFFFF", -1}};
  for (const Case& c : cases) {
    auto f = core::ProfileFile::Parse(std::string("[S]\nK=") + c.text + "\n");
    EXPECT_EQ(f.ReadInteger("S", "K", 99), c.value) << c.text;
  }
  auto f = core::ProfileFile::Parse("[S]\nTop=2\nOff=0\nBad=yes\n");
  EXPECT_TRUE(f.ReadBool("S", "Top", false));
  EXPECT_FALSE(f.ReadBool("S", "Off", true));
  EXPECT_TRUE(f.ReadBool("S", "Bad", true));
}

TEST(Profile, WritesInPlaceOrAtTheSectionEndAndKeepsForeignLines) {
  auto f = core::ProfileFile::Parse("; note\r\n[A]\r\nk=1\r\n\r\n[Tavrin]\r\nForeign=x\r\nMiniWidth=3\r\n\r\n[B]\r\nz=2\r\n");
  f.Write("TAVRIN", "foreign", "y");
  f.Write("Tavrin", "New", "n");
  f.Remove("Tavrin", "miniwidth");
  f.Remove("Tavrin", "absent");
  f.Write("C", "c", "3");
  EXPECT_EQ(f.Serialize(),
            "; note\r\n[A]\r\nk=1\r\n\r\n[Tavrin]\r\nForeign=y\r\nNew=n\r\n\r\n[B]\r\nz=2\r\n[C]\r\nc=3\r\n");
}

TEST(Profile, CrOnlyLineEndsAreRead) {
  auto f = core::ProfileFile::Parse("[Tavrin]\rX=5\rY=6\r");
  EXPECT_EQ(f.ReadInteger("Tavrin", "Y", 0), 6);
}

TEST(FileReplace, AFailureMidwayLeavesThePreviousFileWhole) {
  TempDir dir;
  auto target = dir / "L.ini";
  WriteBytes(target, "old\r\n");
  bool ok = core::ReplaceFile(target, "new content\r\n", [](std::FILE* f, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size() / 2, f);
    return false;  // the disk filled up halfway
  });
  EXPECT_FALSE(ok);
  EXPECT_EQ(ReadBytes(target), "old\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), {}), 1);  // no temporary left
  EXPECT_TRUE(core::ReplaceFile(target, "new\r\n"));
  EXPECT_EQ(ReadBytes(target), "new\r\n");
  EXPECT_FALSE(core::ReplaceFile(dir / "missing-dir" / "x.ini", "x"));
}

TEST(FileReplace, ReadWholeFileRefusesDirectories) {
  TempDir dir;
  std::filesystem::create_directory(dir / "X.ini");
  EXPECT_FALSE(core::ReadWholeFile(dir / "X.ini").has_value());
  EXPECT_FALSE(core::ReadWholeFile(dir / "none").has_value());
}
