"""What only the real program shows, each once: the command line reaching it,
its start-up, the window and its pixels at both zooms, message boxes and
common dialogs, the editor's dialogs, the registry, drops, the real pointer
and keys, two processes sharing a level, the recent files, Export picture.
The rules behind them are the unit tests'."""
import re
import subprocess

from kx import KXL, R, ROOT, W, Editor, Failure, check, kxl, levels_of, title_for, wait, win, write_levels
from PIL import Image

CASES = []
RECENT_FILE_COMMAND = int(re.search(r"kRecentFileCommand = (\d+)", (ROOT / "src/app/recent_files.h").read_text())[1])
CELL = {m[1]: int(m[2]) for m in re.finditer(r"constexpr int (kCell\w+) = (\d+);", (ROOT / "src/level/level.h").read_text())}
ZOOM_2 = "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\n"
UNTITLED = title_for("Untitled.kxl")


def case(function):
    CASES.append(function)
    return function


def cell(row, column, z=1):
    """The centre of a grid cell in the client area (the edge columns are half wide)."""
    x = {0: 5, 16: 253}.get(column, 17 + 16 * (column - 1))
    return x * z, (16 * row + 9) * z + 16


def tile(value, z=1):
    """The centre of the palette tile of a pattern, item or solid."""
    x, y = {CELL["kCellExit"]: (259, 37), CELL["kCellGem"]: (291, 37), CELL["kCellDestroyable"]: (323, 37),
            CELL["kCellWall1"]: (355, 37), CELL["kCellWall2"]: (371, 37)}.get(value, (0, 0))
    if value < 16:
        x, y = 259 + 16 * value, 1
    elif CELL["kCellFirstItem"] <= value <= CELL["kCellLastItem"]:
        x, y = 259 + 16 * (value - 18), 19
    elif value >= CELL["kCellSolidFirst"]:
        x, y = 259 + 16 * (value % 16), 55 + 16 * (value // 16 - 4)
    return (x + 8) * z, (y + 8) * z + 16


def with_pattern_set(folder, name, number):
    """The sample set with level 1 drawn from another pattern set."""
    levels = levels_of(folder / "sample.kxl")
    levels[0]["patternSet"]["number"] = number
    write_levels(levels, folder / name)
    return win(folder / name)


def start(d, folder, file="sample.kxl"):
    return Editor(d, folder, f'"{win(folder / file)}"')


def save(editor, path):
    editor.keys(W.VK_CONTROL, ord("S"))
    editor.wait_title(title_for(win(path)))


@case
def command_line_forms_and_window_sizes(d, folder):
    (folder / "My Levels").mkdir()
    spaced = with_pattern_set(folder, "My Levels/dungeon set.kxl", 4)  # the second pattern set
    sample = win(folder / "sample.kxl")
    rows = [  # settings file, arguments, program path quoted, title, graphics selector, outer size
        ("", sample, True, title_for(sample), 0, [523, 290]),
        ("", f'"{spaced}"', True, title_for(spaced), 1, [523, 290]),
        ("", f'"{spaced}"', False, title_for(spaced), 1, [523, 290]),  # as the registered open command gives
        ("", sample, False, UNTITLED, 0, [523, 290]),  # not understood, and no complaint
        ("", "", True, UNTITLED, 0, [523, 290]),
        (ZOOM_2, sample, True, title_for(sample), 0, [1046, 499]),
    ]
    for settings, args, quoted, title, pattern_set, size in rows:
        (folder / "kraxed.ini").write_text(settings)
        editor = Editor(d, folder, args, quoted)
        check(editor.title(), title, f"the title for {args}")
        check(editor.selector(1), pattern_set, f"the graphics selector for {args}")
        check(editor.dialog(seconds=0), None, f"a window besides the main window for {args}")
        left, top, right, bottom = editor.rect()
        check([right - left, bottom - top], size, f"the window's size for {args}")
        editor.command(R.ID_FILE_EXIT)
        check(editor.exit_code(), 0, f"the exit code for {args}")


@case
def message_boxes_before_the_main_window(d, folder):
    (folder / "short.kxl").write_bytes((folder / "sample.kxl").read_bytes()[:-1])  # no level set is 3769 bytes
    gone = win(folder / "gone.kxl")
    recent = f"[Kraxolan Editor Settings]\r\nLoad = TRUE\r\nLoadFile = {gone}\r\nLoadFile = {win(folder / 'sample.kxl')}\r\n"
    rows = [  # settings file, the file named, the box's caption and text, the title then
        ("", win(folder / "missing.kxl"), win(folder / "missing.kxl"), "Loading levelset failed!", UNTITLED),
        ("", win(folder / "short.kxl"), win(folder / "short.kxl"), "Loading levelset failed!", UNTITLED),
        (recent, "", "Error loading file", f"{gone} could not be loaded and has been removed from recent file list",
         title_for(win(folder / "sample.kxl"))),
    ]
    for settings, path, caption, text, title in rows:
        (folder / "kraxed.ini").write_text(settings)
        editor = Editor(d, folder, path, window=False)
        editor.answer(caption, text, W.IDOK)
        editor.wait_window()
        check(editor.title(), title, f"the title after {caption}")


@case
def a_failed_start_up_ends_with_an_error_code(d, folder):
    d("hold", "KraxoLevel")  # another kind of object holds the name of the level-transfer block
    try:
        editor = Editor(d, folder, window=False)
        box = editor.expect_dialog("Error")
        check(box.text.startswith("Error in CreateTempLevel()"), True, f"the message {box.text!r}")
        box.press(W.IDOK)
        check(editor.exit_code(), 1, "the exit code")
    finally:
        d("hold")


@case
def the_window_shows_what_the_software_painter_paints_at_both_zooms(d, folder):
    editor = start(d, folder)
    editor.d("place", editor.handle, 120, 90)
    for z in (1, 2):
        for level in range(10):
            if 0 < level < 9:
                editor.keys(W.VK_CONTROL, ord("1") + level)  # the accelerators Ctrl+2 .. Ctrl+9
            elif level == 9:
                editor.scroll(0, 9)
            wait(lambda: editor.selector(0) == level, what=f"level {level + 1}")
            kxl("render", folder / "sample.kxl", level + 1, folder / "expected.png", "--window", "--zoom", z,
                "--program-dir", folder.path)
            expected = Image.open(folder / "expected.png")
            editor.shows(expected, (0, 0, *expected.size))
        editor.command(R.ID_OPTIONS_SETTINGS)
        settings = editor.expect_dialog("Editor settings")
        settings.item(R.IDC_SETTINGS_DOUBLE_SIZE).send(W.BM_SETCHECK, 1)
        settings.press(W.IDOK)
        editor.scroll(0, 0)
        wait(lambda: editor.rect()[2:] == [120 + 1046, 90 + 499], what="the window at double size in its place")


@case
def save_questions_and_file_dialogs(d, folder):
    original = (folder / "sample.kxl").read_bytes()
    (folder / "broken.kxl").write_text("not a level set")
    dungeon = with_pattern_set(folder, "dungeon.kxl", 4)
    editor = start(d, folder)
    editor.scroll(1, 1)  # level 1 drawn from the second pattern set: unsaved work
    editor.command(R.ID_FILE_SAVEAS)
    editor.expect_dialog("Save leveldata").choose_file(win(folder / "saved.kxl"))
    editor.wait_title(title_for(win(folder / "saved.kxl")))
    check(levels_of(folder / "saved.kxl")[0]["patternSet"]["number"], 4, "the pattern set saved")
    check((folder / "sample.kxl").read_bytes() == original, True, "sample.kxl left as it was")
    steps = [  # the graphics selector, the answer to "Save changes?", the file dialog then and the file
        # chosen, the title then
        (0, W.IDCANCEL, None, None, title_for(win(folder / "saved.kxl"), True)),
        (0, W.IDYES, "Save leveldata", "kept.kxl", title_for(win(folder / "kept.kxl"))),
        (1, W.IDNO, "Load leveldata", "broken.kxl", title_for(win(folder / "kept.kxl"), True)),
        (1, W.IDNO, "Load leveldata", "dungeon.kxl", title_for(dungeon)),
    ]
    for position, answer, dialog, file, title in steps:
        editor.scroll(1, position)
        editor.command(R.ID_FILE_OPEN)
        editor.answer("Kraxolan Editor", "Save changes?", answer)
        if dialog:
            editor.expect_dialog(dialog).choose_file(win(folder / file))
        if file == "broken.kxl":
            editor.answer("Error", "Couldn't load file!", W.IDOK)
        editor.wait_title(title)
    check(levels_of(folder / "kept.kxl")[0]["patternSet"]["number"], 3, "the pattern set kept")


@case
def the_close_box_asks_and_cancel_keeps_the_window(d, folder):
    (folder / "work").mkdir()
    editor = Editor(d, folder, workdir=win(folder / "work"))
    editor.scroll(1, 1)
    editor.post(W.WM_SYSCOMMAND, W.SC_CLOSE)
    editor.answer("Kraxolan Editor", "Save Changes?", W.IDCANCEL)
    editor.idle()
    check(editor.title(), title_for("Untitled.kxl", True), "the title after Cancel")
    editor.post(W.WM_SYSCOMMAND, W.SC_CLOSE)
    editor.answer("Kraxolan Editor", "Save Changes?", W.IDYES)
    check(editor.exit_code(), 0, "the exit code")
    check(levels_of(folder / "work/Untitled.kxl")[0]["patternSet"]["number"], 4, "the pattern set saved")


EDITING_DIALOGS = [  # command, key, caption, the change, (level, field, subfield), value saved
    (R.ID_EDIT_LEVEL, "L", "Level settings", [(R.IDC_LEVEL_GOAL, 3)], (0, "goal", "number"), 3),
    (R.ID_EDIT_ENEMY, "E", "Edit Enemy", [(R.IDC_ENEMY_DIRECTION, 0)], (0, "enemies", 0), {"direction": 1}),
    (R.ID_EDIT_SWAP, "W", "Swap levels", [(R.IDC_SWAP_FIRST, 0), (R.IDC_SWAP_SECOND, 7)], (0, "goal", "name"),
     "Kill enemies"),  # level 8's goal now on level 1
]


@case
def editing_dialogs_by_menu_and_key_keep_open_on_esc_and_save_one_change(d, folder):
    for command, key, caption, picks, (level, field, part), value in EDITING_DIALOGS:
        (folder / "levels.kxl").write_bytes((folder / "sample.kxl").read_bytes())
        editor = start(d, folder, "levels.kxl")
        editor.command(command)
        editor.expect_dialog(caption).close()
        check(editor.title(), title_for(win(folder / "levels.kxl")), f"the title after looking at {caption}")
        editor.keys(W.VK_CONTROL, ord(key))
        dialog = editor.expect_dialog(caption)
        dialog.keys(W.VK_ESCAPE)
        editor.idle()
        check(dialog.alive(), True, f"{caption} open after Esc")
        for combo, index in picks:
            dialog.pick(combo, index)
        if caption == "Swap levels":
            dialog.item(R.IDC_SWAP).send(W.BM_CLICK)
        dialog.close()
        save(editor, folder / "levels.kxl")
        saved = levels_of(folder / "levels.kxl")[level][field][part]
        check({k: saved[k] for k in value} if isinstance(value, dict) else saved, value, f"{caption}: {field}")


@case
def about_and_check_levels(d, folder):
    editor = start(d, folder)
    editor.command(R.ID_HELP_ABOUT)
    about = editor.expect_dialog("About")
    text = d("text", d("children", about.handle, "Static")[0])[0]
    check(text.startswith("Kraxolan Editor"), True, f"the About text {text!r}")
    about.keys(W.VK_ESCAPE)
    editor.idle()
    check(about.alive(), True, "About open after Esc")
    about.close()
    editor.keys(W.VK_CONTROL, ord("K"))
    editor.answer("Check levels", "No problems found in the ten levels.", W.IDOK)
    levels = levels_of(folder / "sample.kxl")
    levels[2]["cells"][4][7] = 30  # a value the palette does not offer, on level 3
    write_levels(levels, folder / "mistake.kxl")
    editor = start(d, folder, "mistake.kxl")
    editor.command(R.ID_EDIT_CHECK)
    dialog = editor.expect_dialog("Check levels")
    check(dialog.item(R.IDC_CHECK_LIST).send(W.LB_GETCOUNT), 1, "the problems listed")
    dialog.item(R.IDC_CHECK_SHOW).send(W.BM_CLICK)
    dialog.gone()
    check(editor.selector(0), 2, "the level shown")


REGISTERED = [  # key, default value; under HKCR and HKCU\Software\Classes alike
    (".kxl", "kxl_auto_file"),
    ("kxl_auto_file", "Kraxolan level set"),
    ("kxl_auto_file\\shell\\open\\command", "{folder}\\kraxed.exe \"%1\""),
]


def set_register_box(editor, checked):
    editor.command(R.ID_OPTIONS_SETTINGS)
    settings = editor.expect_dialog("Editor settings")
    settings.item(R.IDC_SETTINGS_REGISTER).send(W.BM_SETCHECK, int(checked))
    settings.press(W.IDOK)


@case
def editor_settings_register_the_file_type_and_remove_it_again(d, folder):
    editor = start(d, folder)
    try:
        set_register_box(editor, True)
        for root in ("HKCR\\", "HKCU\\Software\\Classes\\"):
            for key, value in REGISTERED:
                check(d("registry", root + key), ["1", value.format(folder=win(folder.path))], root + key)
    finally:
        set_register_box(editor, False)
    for root in ("HKCR\\", "HKCU\\Software\\Classes\\"):
        for key, _ in REGISTERED:
            check(d("registry", root + key), ["0"], f"{root}{key} after the type was removed")


def xdotool(*args):
    result = subprocess.run(["xdotool", *map(str, args)], timeout=20)
    check(result.returncode, 0, f"xdotool {args}")


@case
def a_real_drag_is_one_step_for_undo_and_redo(d, folder):
    (folder / "work.kxl").write_bytes((folder / "sample.kxl").read_bytes())
    editor = start(d, folder, "work.kxl")
    left, top, _, _ = editor.rect("client")
    at = lambda point: (left + point[0], top + point[1])  # noqa: E731
    try:
        xdotool("mousemove", *at(tile(21)))
        wait(lambda: editor.status() == "Extra time (15 seconds)", what="the item's name from the string table")
        stroke = ["mousemove", *at(tile(CELL["kCellWall1"])), "sleep", 0.2, "click", 1, "sleep", 0.2,
                  "mousemove", *at(cell(7, 2)), "sleep", 0.2, "mousedown", 1]
        for column in range(3, 7):
            stroke += ["sleep", 0.2, "mousemove", *at(cell(7, column))]
        xdotool(*stroke, "sleep", 0.2, "mousemove", 600, 500, "sleep", 0.2, "mouseup", 1)  # let go outside
        editor.wait_title(title_for(win(folder / "work.kxl"), True))
        # Back over the window, on no region of it: the keyboard focus follows
        # the pointer on a display without a window manager.
        xdotool("mousemove", *at((120, 8)))
        editor.keys(W.VK_CONTROL, ord("Z"))
        editor.wait_title(title_for(win(folder / "work.kxl")))  # the whole stroke taken back
        editor.keys(W.VK_CONTROL, ord("Y"))
        editor.wait_title(title_for(win(folder / "work.kxl"), True))
        save(editor, folder / "work.kxl")
        check(levels_of(folder / "work.kxl")[0]["cells"][7][2:7], [CELL["kCellWall1"]] * 5, "the stroke after Ctrl+Y")
    finally:
        xdotool("mousemove", 1279, 1023)  # parked: a pointer over a window sends it moves


@case
def two_editors_share_a_level_until_the_last_one_ends(d, folder):
    (folder / "b.kxl").write_bytes((folder / "sample.kxl").read_bytes())
    source = start(d, folder)
    d("place", source.handle, 0, 0)
    source.command(R.ID_LEVEL_5)
    source.keys(W.VK_CONTROL, ord("C"))
    source.keys(W.VK_CONTROL, ord("3"))  # seen on the selector: the keys before it are handled
    wait(lambda: source.selector(0) == 2, what="level 3 in the first editor")
    target = start(d, folder, "b.kxl")
    d("place", target.handle, 600, 0)
    target.command(R.ID_LEVEL_2)
    target.keys(W.VK_CONTROL, ord("V"))
    target.wait_title(title_for(win(folder / "b.kxl"), True))
    save(target, folder / "b.kxl")
    level_5 = levels_of(folder / "sample.kxl")[4]
    check({**levels_of(folder / "b.kxl")[1], "level": 5}, level_5, "level 2 after the paste")
    for editor in (source, target):
        editor.command(R.ID_FILE_EXIT)
        check(editor.exit_code(), 0, "the exit code")
    editor = start(d, folder)
    editor.send(W.WM_COMMAND, R.ID_LEVEL_2)
    editor.send(W.WM_COMMAND, R.ID_EDIT_PASTE)
    check(editor.title(), title_for(win(folder / "sample.kxl")), "the title after a paste from the empty block")
    for command in (R.ID_LEVEL_1, R.ID_EDIT_COPY, R.ID_LEVEL_2, R.ID_EDIT_PASTE):
        editor.send(W.WM_COMMAND, command)
    check(editor.title(), title_for(win(folder / "sample.kxl"), True), "the title after a copy and a paste")


@case
def dropped_files_and_the_recent_files_of_the_file_menu(d, folder):
    files = [with_pattern_set(folder, f"{name}.kxl", 3 + (name == "q")) for name in "pqrst"]
    editor = Editor(d, folder)
    for path in files:
        d("drop", editor.id, editor.handle, path, files[0])  # of several files, the first opens
        editor.wait_title(title_for(path))
    editor.command(RECENT_FILE_COMMAND + 3)  # the fourth of t, s, r, q
    editor.wait_title(title_for(files[1]))
    check(editor.selector(1), 1, "the pattern set of q.kxl")
    editor.command(RECENT_FILE_COMMAND + 2)  # the third of q, t, s, r
    editor.wait_title(title_for(files[3]))
    d("drop", editor.id, editor.handle, win(folder / "resources.ini"))
    editor.answer("Error", "Couldn't load file!", W.IDOK)


@case
def export_picture_writes_the_canvas(d, folder):
    editor = start(d, folder)
    editor.command(R.ID_LEVEL_5)
    kxl("render", folder / "sample.kxl", 5, folder / "level5.png", "--program-dir", folder.path)
    expected = Image.open(folder / "level5.png")
    editor.shows(expected, (1, 17, 256, 208))
    editor.command(R.ID_FILE_PICTURE)
    editor.expect_dialog("Export picture").choose_file(win(folder / "export.png"))
    wait(lambda: (folder / "export.png").exists(), what="export.png")
    editor.idle()
    if list(Image.open(folder / "export.png").convert("RGB").getdata()) != list(expected.convert("RGB").getdata()):
        raise Failure("export.png is not the canvas shown")
