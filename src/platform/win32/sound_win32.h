#pragma once
// Sound files played through the multimedia library.
#include <string>

#include "app/ports.h"

namespace win32 {

class Win32Sound : public app::ISound {
 public:
  // sndPlaySoundW with the CP932 name widened; an empty name is passed on as it is.
  void Play(const std::string& fileName, unsigned flags) override;
};

}  // namespace win32
