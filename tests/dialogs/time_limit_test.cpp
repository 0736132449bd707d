#include "dialogs/time_limit.h"

#include <gtest/gtest.h>

#include <cstring>

TEST(TimeLimit, TextToSeconds) {
  EXPECT_EQ(TimeLimitSeconds("2:00"), 120);
  EXPECT_EQ(TimeLimitSeconds("1:37"), 97);
  EXPECT_EQ(TimeLimitSeconds("9:59"), 599);
  EXPECT_EQ(TimeLimitSeconds("0:15"), 15);
  EXPECT_EQ(TimeLimitSeconds("3:75"), 255);  // 60 x 3 + 75, as the formula reads it
  // Kept within 0:15 .. 9:59.
  EXPECT_EQ(TimeLimitSeconds("0:05"), 15);
  EXPECT_EQ(TimeLimitSeconds("0:00"), 15);
  EXPECT_EQ(TimeLimitSeconds("9:99"), 599);
  // Places that hold no digit count as 0.
  EXPECT_EQ(TimeLimitSeconds("x:4?"), 40);
  EXPECT_EQ(TimeLimitSeconds("5\0\0\0"), 300);
  EXPECT_EQ(TimeLimitSeconds("\xff:\x80\x01"), 15);
}

TEST(TimeLimit, SecondsToTextKeepsColonAndTerminator) {
  char text[8] = "2:00";
  WriteTimeLimit(text, 121);
  EXPECT_STREQ(text, "2:01");
  WriteTimeLimit(text, 75);
  EXPECT_STREQ(text, "1:15");
  WriteTimeLimit(text, 599);
  EXPECT_STREQ(text, "9:59");
  WriteTimeLimit(text, 700);
  EXPECT_STREQ(text, "9:59");
  WriteTimeLimit(text, 3);
  EXPECT_STREQ(text, "0:15");

  // Only the three digit places are written.
  char odd[8] = {'7', '#', '1', '2', '\0', 'Z', 'Y', 'X'};
  WriteTimeLimit(odd, 245);
  const char expected[8] = {'4', '#', '0', '5', '\0', 'Z', 'Y', 'X'};
  EXPECT_EQ(std::memcmp(odd, expected, sizeof odd), 0);

  // Every time of the range survives the trip through the text.
  for (int t = kMinTimeLimit; t <= kMaxTimeLimit; ++t) {
    char round[8] = "0:00";
    WriteTimeLimit(round, t);
    ASSERT_EQ(TimeLimitSeconds(round), t) << round;
  }
}

TEST(TimeLimit, TrackBarSteps) {
  // Line steps of one second, stopping at the ends.
  EXPECT_EQ(TrackBarStep(120, kTrackLineDown, 0), 121);
  EXPECT_EQ(TrackBarStep(120, kTrackLineUp, 0), 119);
  EXPECT_EQ(TrackBarStep(16, kTrackLineUp, 0), 15);
  EXPECT_EQ(TrackBarStep(15, kTrackLineUp, 0), std::nullopt);
  EXPECT_EQ(TrackBarStep(598, kTrackLineDown, 0), 599);
  EXPECT_EQ(TrackBarStep(599, kTrackLineDown, 0), std::nullopt);
  // Pages of a minute, ending at the ends of the range.
  EXPECT_EQ(TrackBarStep(121, kTrackPageDown, 0), 181);
  EXPECT_EQ(TrackBarStep(121, kTrackPageUp, 0), 61);
  EXPECT_EQ(TrackBarStep(75, kTrackPageUp, 0), 15);
  EXPECT_EQ(TrackBarStep(74, kTrackPageUp, 0), 15);
  EXPECT_EQ(TrackBarStep(20, kTrackPageUp, 0), 15);
  EXPECT_EQ(TrackBarStep(15, kTrackPageUp, 0), 15);
  EXPECT_EQ(TrackBarStep(539, kTrackPageDown, 0), 599);
  EXPECT_EQ(TrackBarStep(540, kTrackPageDown, 0), 599);
  EXPECT_EQ(TrackBarStep(479, kTrackPageDown, 0), 539);
  EXPECT_EQ(TrackBarStep(570, kTrackPageDown, 0), 599);
  // The thumb, dragged or let go, within the range.
  EXPECT_EQ(TrackBarStep(120, kTrackThumbTrack, 75), 75);
  EXPECT_EQ(TrackBarStep(120, kTrackThumbPosition, 300), 300);
  EXPECT_EQ(TrackBarStep(120, kTrackThumbTrack, 900), 599);
  EXPECT_EQ(TrackBarStep(120, kTrackThumbPosition, -3), 15);
  // Home and End follow the thumb to the ends.
  EXPECT_EQ(TrackBarStep(120, kTrackTop, 15), 15);
  EXPECT_EQ(TrackBarStep(120, kTrackBottom, 599), 599);
  // The end of a drag and unknown codes change nothing.
  for (int code : {static_cast<int>(kTrackEndTrack), 9, -1, 0x7FFF})
    EXPECT_EQ(TrackBarStep(120, code, 200), std::nullopt) << code;
}
