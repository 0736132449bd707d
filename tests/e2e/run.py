"""Runs the cases (those named, or all: every case_* of cases.py and session.py,
or of high_dpi.py where the prefix is set to 144 DPI),
each in a fresh program folder, a line each; the last line reads "N passed, M failed"."""
import os
import shutil
import sys
import time
import traceback

import cases
import high_dpi
import session
from kx import Driver, forget_user_files, fresh_folder

driver = Driver()
modules = (high_dpi,) if os.environ.get("KRAXED_E2E_DPI") else (cases, session)  # a prefix set to a high DPI
chosen = [f for module in modules for name, f in vars(module).items()
          if name.startswith("case_") and (len(sys.argv) < 2 or name[5:] in sys.argv[1:])]
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
