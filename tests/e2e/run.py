"""Runs the end-to-end cases (those named, or all), each in a fresh program
folder, one line each; the last line reads "N passed, M failed"."""
import shutil
import sys
import time
import traceback

import cases
import session  # noqa: F401 (the random session is a case too)
from kx import Driver, fresh_folder

driver = Driver()
chosen = [case for case in cases.CASES if len(sys.argv) < 2 or case.__name__ in sys.argv[1:]]
failed = 0
for case in chosen:
    folder = fresh_folder()
    start = time.time()
    try:
        case(driver, folder)
        print(f"PASS {case.__name__} ({time.time() - start:.1f} s)", flush=True)
    except Exception:
        failed += 1
        print(f"FAIL {case.__name__} ({time.time() - start:.1f} s)\n{traceback.format_exc()}", flush=True)
    for editor in driver.editors:  # those a case left running
        driver("kill", editor)
    driver.editors = []
    shutil.rmtree(folder, ignore_errors=True)
print(f"{len(chosen) - failed} passed, {failed} failed")
sys.exit(1 if failed or not chosen else 0)
