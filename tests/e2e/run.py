"""Runs the cases (those named, or all: every case_* of cases.py and session.py;
where the prefix is set to 144 DPI, only the case_at_144_dpi_* ones),
each in a fresh program folder, a line each; the last line reads "N passed, M failed"."""
import os
import shutil
import sys
import time
import traceback

import cases
import session
from kx import Driver, forget_user_files, fresh_folder

driver = Driver()
high_dpi = bool(os.environ.get("KRAXED_E2E_DPI"))  # the prefix set to 144 DPI: the cases made for it alone
chosen = [f for module in (cases, session) for name, f in vars(module).items() if name.startswith("case_")
          and name.startswith("case_at_144_dpi") == high_dpi and (len(sys.argv) < 2 or name[5:] in sys.argv[1:])]
failed = 0
for case in chosen:
    folder = fresh_folder()
    forget_user_files()  # no recovery files or settings of an earlier case
    start = time.time()
    try:
        case(driver, folder)
        print(f"PASS {case.__name__[5:]} ({time.time() - start:.1f} s)", flush=True)
    except Exception:
        failed += 1
        print(f"FAIL {case.__name__[5:]} ({time.time() - start:.1f} s)\n{traceback.format_exc()}", flush=True)
    for editor in driver.editors:  # those the case left running
        driver("kill", editor)
    driver.editors = []
    shutil.rmtree(folder, ignore_errors=True)
print(f"{len(chosen) - failed} passed, {failed} failed")
sys.exit(1 if failed or not chosen else 0)
