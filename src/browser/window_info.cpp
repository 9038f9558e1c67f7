#include "browser/window_info.h"

#include "core/text.h"

namespace browser {

namespace {

class ReplyReader {
 public:
  explicit ReplyReader(std::string_view text) : text_(text) {}

  void SkipLeadingQuote() {
    if (pos_ < text_.size() && text_[pos_] == '"') ++pos_;
  }

  // Copies up to the next double quote or the end, which is left unconsumed.
  std::string CopyField() {
    std::string field;
    while (pos_ < text_.size() && text_[pos_] != '"') {
      const char b = text_[pos_++];
      if (core::IsLeadByte(static_cast<unsigned char>(b))) {
        field += b;
        if (pos_ < text_.size()) field += text_[pos_++];  // the trail, whatever it is
      } else if (b == '\\') {
        if (pos_ < text_.size()) field += text_[pos_++];  // a last backslash is dropped
      } else {
        field += b;
      }
    }
    return field;
  }

  void SkipSeparator() {
    while (pos_ < text_.size() && (text_[pos_] == '"' || text_[pos_] == ',')) ++pos_;
  }

 private:
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

WindowInfo ParseWindowInfo(std::string_view reply) {
  const std::size_t nul = reply.find('\0');
  if (nul != std::string_view::npos) reply = reply.substr(0, nul);

  ReplyReader reader(reply);
  WindowInfo info;
  reader.SkipLeadingQuote();
  info.url = reader.CopyField();
  reader.SkipSeparator();
  info.title = reader.CopyField();
  reader.SkipSeparator();
  info.third = reader.CopyField();
  return info;
}

}  // namespace browser
