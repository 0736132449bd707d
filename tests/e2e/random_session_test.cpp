// The editor under a long random session. The short run belongs to the
// ordinary end-to-end tests; scripts/soak.sh runs the long one
// (KRAXED_SOAK_ACTIONS=10000). The seed is printed first; the same seed and
// count replay the same session.
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e/random_session.h"

TEST(RandomSession, ThousandsOfRandomActionsNeitherCrashNorHangAndEverySaveLoads) {
  const SessionOptions options = SessionOptions::FromEnvironment();
  const bool registeredBefore = RegistryKeyExists("HKCU\\Software\\Classes\\.kxl");
  ProgramDir folder;
  EditorProcess editor(folder);
  ASSERT_TRUE(editor.WaitForWindow());
  MoveWindowTo(editor.Window(), 0, 0);

  RandomSession session(options, folder, editor);
  const SessionReport report = session.Run();

  std::printf("random session: seed %u, %d actions, %d saves checked, %d message boxes, "
              "%d file dialogs, %d dialogs, %.0f s, %s\n",
              options.seed, report.actions, report.savesChecked, report.messageBoxes,
              report.fileDialogs, report.dialogs, report.seconds,
              report.failures.empty() ? "no failure" : "FAILED");
  for (const auto& [kind, count] : report.kinds) std::printf("  %-22s %d\n", kind.c_str(), count);
  std::fflush(stdout);

  EXPECT_TRUE(report.failures.empty());
  EXPECT_EQ(report.actions, options.actions);
  EXPECT_TRUE(report.exitedCleanly);
  // A checked save every saveEvery actions and one at the end, at least.
  EXPECT_GE(report.savesChecked, options.actions / options.saveEvery + 1);
  EXPECT_EQ(RegistryKeyExists("HKCU\\Software\\Classes\\.kxl"), registeredBefore);
}
