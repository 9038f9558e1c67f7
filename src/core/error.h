#pragma once
#include <stdexcept>
#include <string>

namespace core {

// A platform failure inside a handler: the message is CP932 text shown in the error box.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace core
