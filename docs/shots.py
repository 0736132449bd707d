"""The screenshots of the manual and the tutorial: the real editor, driven
through the end-to-end tests' driver (tests/e2e/kx.py, build/win/kxdrive.exe),
caught at the moments the text describes. Run by scripts/make_docs.sh on a
virtual display:  python3 docs/shots.py OUTPUT-FOLDER"""
import sys
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[1] / "tests/e2e"))
from kx import CELL, R, W, Driver, Editor, fresh_folder, levels_of, run, title_for, win, write_levels  # noqa: E402

OUT = Path(sys.argv[1])


def cell(row, column):  # the centre of a grid cell at normal size (the edge columns are half wide)
    return {0: 5, 16: 253}.get(column, 17 + 16 * (column - 1)), 16 * row + 25


def tile(value):  # the centre of a palette tile: walkable patterns, the exit, gem and walls, solid patterns
    if value < 16:
        return 259 + 16 * value + 8, 1 + 8 + 16
    if value >= CELL.SolidFirst:
        return 259 + 16 * (value % 16) + 8, 55 + 16 * (value // 16 - 4) + 8 + 16
    return {CELL.Exit: 259, CELL.Gem: 291, CELL.Wall1: 355}[value] + 8, 37 + 8 + 16


PLAYER_IMAGE = [(259 + 16 * image + 8, 138 + 16 + 12) for image in range(4)]
ENEMY_IMAGE = [(353 + 30 * enemy + 8, 138 + 16 + 12) for enemy in range(5)]


def shot(window, name):  # a whole window, its frame included, as the screen shows it
    window.editor.idle()
    time.sleep(0.4)  # the screen lags behind the program's drawing
    left, top, right, bottom = window.rect("window")
    run("import", "-window", "root", "-crop", f"{right - left}x{bottom - top}+{left}+{top}", f"PNG24:{OUT / name}.png")


def mouse(editor, message, point, keys=0):
    editor.send(message, keys, point[1] << 16 | point[0])
    editor.idle()


def click(editor, point, down=W.WM_LBUTTONDOWN):
    mouse(editor, down, point, W.MK_RBUTTON if down == W.WM_RBUTTONDOWN else W.MK_LBUTTON)
    mouse(editor, down + 1, point)


def drag(editor, points, keys=0):  # a stroke through the points, with the keys held
    mouse(editor, W.WM_LBUTTONDOWN, points[0], W.MK_LBUTTON | keys)
    for point in points[1:]:
        mouse(editor, W.WM_MOUSEMOVE, point, W.MK_LBUTTON | keys)
    mouse(editor, W.WM_LBUTTONUP, points[-1], keys)


def dialog_shot(editor, command, caption, name, choices=()):  # opened by its command, pictured, closed
    editor.command(command)
    dialog = editor.dialog(caption)
    for combo, index in choices:
        dialog.pick(combo, index)
    shot(dialog, name)
    if caption == "Editor settings":
        dialog.press(W.IDCANCEL)
    else:
        dialog.close()


def manual(d, folder):
    editor = Editor(d, folder, f'"{win(folder / "sample.kxl")}"')
    shot(editor, "main-window")
    click(editor, tile(64))
    mouse(editor, W.WM_LBUTTONDOWN, cell(3, 3), W.MK_LBUTTON | W.MK_SHIFT)
    mouse(editor, W.WM_MOUSEMOVE, cell(6, 7), W.MK_LBUTTON | W.MK_SHIFT)
    shot(editor, "rectangle")
    editor.send(W.WM_KEYUP, W.VK_ESCAPE, 0xC0000001)
    mouse(editor, W.WM_LBUTTONUP, cell(6, 7))
    dialog_shot(editor, R.ID_EDIT_LEVEL, "Level settings", "level-settings")
    dialog_shot(editor, R.ID_EDIT_ENEMY, "Edit Enemy", "enemy-settings")
    dialog_shot(editor, R.ID_EDIT_SWAP, "Swap levels", "swap-levels")
    dialog_shot(editor, R.ID_OPTIONS_SETTINGS, "Editor settings", "editor-settings")
    levels = levels_of(folder / "sample.kxl")  # a copy with mistakes for the checks to find
    levels[5]["player"] = {"x": 0, "y": 0, "direction": 5, "typeCode": 24, "aiType": 5, "speed": 2}
    levels[2]["cells"][4][7] = 30
    write_levels(levels, folder / "mistakes.kxl")
    checked = Editor(d, folder, f'"{win(folder / "mistakes.kxl")}"')
    dialog_shot(checked, R.ID_EDIT_CHECK, "Check levels", "check-levels")


def tutorial(d, folder):
    editor = Editor(d, folder)
    shot(editor, "t1-new")
    click(editor, tile(65))  # solid all over, then a walkable floor inside: a border of solids
    drag(editor, [cell(0, 0), cell(12, 16)], W.MK_SHIFT)
    shot(editor, "t2-border")
    click(editor, tile(0))
    drag(editor, [cell(1, 1), cell(11, 15)], W.MK_SHIFT)
    shot(editor, "t3-floor")
    click(editor, tile(CELL.Wall1))  # walls along two rows, a gem hidden in one, another in the open
    drag(editor, [cell(4, column) for column in range(3, 10)])
    drag(editor, [cell(8, column) for column in range(5, 13)])
    click(editor, tile(CELL.Gem))
    click(editor, cell(4, 6), W.WM_RBUTTONDOWN)
    click(editor, cell(10, 13))
    shot(editor, "t4-walls")
    for point in (tile(CELL.Exit), cell(10, 2), PLAYER_IMAGE[2], cell(2, 2), ENEMY_IMAGE[0], cell(6, 12)):
        click(editor, point)
    shot(editor, "t5-actors")
    dialog_shot(editor, R.ID_EDIT_LEVEL, "Level settings", "t6-settings", [(R.IDC_LEVEL_GOAL, 1)])  # Collect gems
    dialog_shot(editor, R.ID_EDIT_CHECK, "Check levels", "t7-check")
    editor.command(R.ID_FILE_SAVEAS)
    editor.dialog("Save leveldata").choose_file(win(folder / "first.kxl"))
    editor.wait_title(title_for(win(folder / "first.kxl")))
    shot(editor, "t8-saved")


if __name__ == "__main__":
    driver = Driver()
    for part in (manual, tutorial):
        folder = fresh_folder()
        part(driver, folder)
        for editor in driver.editors:
            driver("kill", editor)
        driver.editors = []
