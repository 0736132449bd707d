"""Runs the end-to-end cases (all, or those named on the command line), one
line each, each in a fresh program folder; the last line is
"N passed, M failed"."""
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).parent))
import cases  # noqa: E402  (the cases register themselves)
import session  # noqa: E402,F401
from kx import Driver, Folder  # noqa: E402


def main(names):
    chosen = [c for c in cases.CASES if not names or c.__name__ in names]
    passed = failed = 0
    driver = Driver()
    for case in chosen:
        folder = Folder()
        start = time.time()
        try:
            case(driver, folder)
            passed += 1
            print(f"PASS {case.__name__} ({time.time() - start:.1f} s)", flush=True)
        except Exception:
            failed += 1
            print(f"FAIL {case.__name__} ({time.time() - start:.1f} s)\n{traceback.format_exc()}", flush=True)
        driver.end_editors()
        folder.remove()
    driver.close()
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or not chosen else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
