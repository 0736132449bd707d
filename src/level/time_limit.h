// A level's time limit: the text "m:ss" (one minute digit, a colon, two
// second digits) and its value in seconds, which the level settings dialog
// keeps between 0:15 and 9:59 and moves with a track bar.
#pragma once

#include <optional>

constexpr int kMinTimeLimit = 15;
constexpr int kMaxTimeLimit = 599;
constexpr int kTimePageStep = 60;  // a page of the track bar is one minute

// The seconds the text stands for, 60m + 10s1 + s2, kept within 15..599. A
// level from a file made elsewhere may hold anything in those places: a
// character that is not a digit counts as 0.
int TimeLimitSeconds(const char* text);

// Writes seconds (kept within 15..599) into the minute and the two second
// places of the text. The colon and the terminator stay as they are.
void WriteTimeLimit(char* text, int seconds);

// The notification codes of a track bar's WM_HSCROLL, by their values.
enum TrackBarCode : int {
  kTrackLineUp = 0,
  kTrackLineDown = 1,
  kTrackPageUp = 2,
  kTrackPageDown = 3,
  kTrackThumbPosition = 4,
  kTrackThumbTrack = 5,
  kTrackTop = 6,
  kTrackBottom = 7,
  kTrackEndTrack = 8,
};

// The time after one track-bar notification from time t (15..599), or
// nothing when the time stays. Home and End (TB_TOP, TB_BOTTOM) go to the
// ends of the range, where the control has already put its thumb, so thumb
// and time never part. thumb is the position the control reports with
// TB_THUMBPOSITION and TB_THUMBTRACK.
std::optional<int> TrackBarStep(int t, int code, int thumb);
