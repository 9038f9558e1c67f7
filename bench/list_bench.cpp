// Loading and saving a 100,000-entry list beside plain baselines, and patrol steps on small and
// large lists. Prints timings and ratios; it measures and does not judge.
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include <unistd.h>

#include "core/file_io.h"
#include "support/fake_ports.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// The best of several runs, in milliseconds.
double Best(int runs, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    work();
    best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return best;
}

std::string MakeList(int entries) {
  std::string bytes;
  for (int i = 0; i < entries; ++i) {
    bytes += "ページのタイトル " + std::to_string(i) + " - 巡回リストの項目\r\n";
    bytes += "https://www.example.jp/path/to/page/" + std::to_string(i) + "?query=value&x=" + std::to_string(i * 7) +
             "\r\n";
  }
  return bytes;
}

// Go and selection per call on an open list of the given size, in microseconds.
std::pair<double, double> PatrolStep(int entries) {
  testing_support::Program p;
  p.List("L", MakeList(entries));
  p.SettingsText("[Tavrin]\r\nLastList=L\r\n");
  p.Start();
  const int steps = 2000;
  double go = Best(5, [&] {
    for (int i = 0; i < steps; ++i) p.main.SpbGo.Click();
  }) * 1000.0 / steps;
  double select = Best(5, [&] {
    for (int i = 0; i < steps; ++i) p.main.LstURL.Select((i * 7919) % entries);
  }) * 1000.0 / steps;
  p.shell.opened.clear();
  return {go, select};
}

}  // namespace

int main() {
  const int entries = 100000;
  testing_support::Program p;
  const std::string bytes = MakeList(entries);
  p.List("Big", bytes);
  p.SettingsText("[Tavrin]\r\nLastList=Big\r\n");
  p.Start();
  const fs::path file = p.dir / "Big.ini";
  std::printf("list file: %d entries, %.1f MB\n", entries, bytes.size() / 1e6);

  double load = Best(5, [&] { p.main.LoadCurrentList(); });
  double loadBase = Best(5, [&] {
    std::string data(fs::file_size(file), '\0');
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (std::fread(data.data(), 1, data.size(), in) != data.size()) std::abort();
    std::fclose(in);
    std::vector<std::string> lines;
    const char* s = data.data();
    const char* end = s + data.size();
    while (s < end) {
      const char* nl = static_cast<const char*>(std::memchr(s, '\n', end - s));
      if (!nl) nl = end;
      lines.emplace_back(s, nl - s);
      s = nl + 1;
    }
    if (lines.size() != 2u * entries) std::abort();
  });
  double save = Best(5, [&] { p.main.SaveCurrentList(); });
  const fs::path plain = p.dir / "plain.bin";
  double saveBase = Best(5, [&] {
    std::FILE* f = std::fopen(plain.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
  });
  // The list is replaced durably (flushed to the disk before the rename): the same with fsync.
  double saveSync = Best(5, [&] {
    std::FILE* f = std::fopen(plain.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fflush(f);
    fsync(fileno(f));
    std::fclose(f);
  });
  if (testing_support::ReadBytes(file) != bytes) {
    std::printf("saved bytes differ from the loaded file\n");
    return 1;
  }
  std::printf("load: %8.2f ms   baseline read+split: %8.2f ms   ratio %.2f (goal <= 3)\n", load, loadBase,
              load / loadBase);
  std::printf("save: %8.2f ms   baseline fwrite:     %8.2f ms   ratio %.2f (goal <= 2)\n", save, saveBase,
              save / saveBase);
  std::printf("      baseline fwrite+fsync: %8.2f ms   ratio %.2f\n", saveSync, save / saveSync);

  auto small = PatrolStep(1000);
  auto large = PatrolStep(100000);
  std::printf("go:     %7.3f us at 1,000  %7.3f us at 100,000  ratio %.2f (goal < 1.5)\n", small.first, large.first,
              large.first / small.first);
  std::printf("select: %7.3f us at 1,000  %7.3f us at 100,000  ratio %.2f (goal < 1.5)\n", small.second,
              large.second, large.second / small.second);
  return 0;
}
