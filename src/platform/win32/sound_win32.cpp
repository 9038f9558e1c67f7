#include "platform/win32/sound_win32.h"

#include "platform/win32/win_api.h"

#include <mmsystem.h>

#include "platform/win32/wide_text.h"

namespace win32 {

void Win32Sound::Play(const std::string& fileName, unsigned flags) {
  const std::wstring wide = win::Widen(fileName);
  sndPlaySoundW(wide.c_str(), flags);
}

}  // namespace win32
