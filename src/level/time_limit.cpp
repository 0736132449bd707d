#include "level/time_limit.h"

#include <algorithm>

namespace {

int DigitValue(char c) { return c >= '0' && c <= '9' ? c - '0' : 0; }

char Digit(int value) { return static_cast<char>('0' + value); }

int KeepInRange(int seconds) { return std::clamp(seconds, kMinTimeLimit, kMaxTimeLimit); }

}  // namespace

int TimeLimitSeconds(const char* text) {
  return KeepInRange(60 * DigitValue(text[0]) + 10 * DigitValue(text[2]) + DigitValue(text[3]));
}

void WriteTimeLimit(char* text, int seconds) {
  const int t = KeepInRange(seconds);
  text[0] = Digit(t / 60);
  text[2] = Digit(t % 60 / 10);
  text[3] = Digit(t % 10);
}

std::optional<int> TrackBarStep(int t, int code, int thumb) {
  switch (code) {
    case kTrackLineUp:
      if (t <= kMinTimeLimit) return std::nullopt;
      return t - 1;
    case kTrackLineDown:
      if (t >= kMaxTimeLimit) return std::nullopt;
      return t + 1;
    case kTrackPageUp:
      return t >= kMinTimeLimit + kTimePageStep ? t - kTimePageStep : kMinTimeLimit;
    case kTrackPageDown:
      return t < kMaxTimeLimit - kTimePageStep + 1 ? t + kTimePageStep : kMaxTimeLimit;
    case kTrackThumbPosition:
    case kTrackThumbTrack:
      return KeepInRange(thumb);
    case kTrackTop:
      return kMinTimeLimit;
    case kTrackBottom:
      return kMaxTimeLimit;
    default:
      return std::nullopt;
  }
}
