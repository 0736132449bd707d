"""What only the real program shows, each once: the command line reaching it,
its start-up, its window and pixels at both zooms, message boxes and common
dialogs, the editing dialogs, the registry, drops, the real pointer and keys,
two processes sharing a level and an area, the recent files. (About, Check
levels and Export picture, by menu and by key, are the random session's.)"""
import re
import time

from kx import CELL, RECENT_FILE_COMMAND, R, W, Editor, Image, Window, check, kxl, levels_of, run, \
    title_for, user_file, wait, win, write_levels

def cell(row, column):  # the centre of a grid cell at normal size (the edge columns are half wide)
    return {0: 5, 16: 253}.get(column, 17 + 16 * (column - 1)), 16 * row + 25

def tile(value, z=1):  # the centre of a palette tile: of an item, of the gem or of the first wall
    x, y = {CELL.Gem: (291, 37), CELL.Wall1: (355, 37)}.get(value, (259 + 16 * (value - CELL.FirstItem), 19))
    return (x + 8) * z, (y + 8) * z + 16

def copy_of_sample(folder, name, pattern_set=3):  # level 1 drawn from pattern set 3 (the first) or another
    levels = levels_of(folder / "sample.kxl")
    levels[0]["patternSet"]["number"] = pattern_set
    write_levels(levels, folder / name)
    return win(folder / name)

def start(d, folder, name="sample.kxl"):
    return Editor(d, folder, f'"{win(folder / name)}"')

def titled(editor, name, modified=False):  # waits for the title naming the file of the folder
    editor.wait_title(title_for(win(editor.folder / name), modified))

def point(editor, at, *then):  # the real pointer at a client point (cell, tile), then xdotool's further words
    left, top, _, _ = editor.rect("client")
    run("xdotool", "mousemove", left + at[0], top + at[1], "sleep", 0.3, *then)

def case_start_up(d, folder):
    (folder / "My Levels").mkdir()
    spaced = copy_of_sample(folder, "My Levels/dungeon set.kxl", 4)  # level 1 on the second pattern set
    sample = win(folder / "sample.kxl")
    missing = win(folder / "missing.kxl")
    recent = f"[Kraxolan Editor Settings]\r\nLoad = TRUE\r\nLoadFile = {missing}\r\nLoadFile = {sample}\r\n"
    rows = [  # settings, arguments, program path quoted, message box before the window, title, graphics
        # selector, outer size
        ("", sample, True, None, title_for(sample), 0, [523, 290]),
        ("", f'"{spaced}"', True, None, title_for(spaced), 1, [523, 290]),
        ("", f'"{spaced}"', False, None, title_for(spaced), 1, [523, 290]),  # as the registered open command
        ("", missing, True, (missing, "Loading levelset failed!"), title_for("Untitled.kxl"), 0, [523, 290]),
        (recent, "", True, ("Error loading file", f"{missing} could not be loaded and has been removed from recent "
                                                  "file list"), title_for(sample), 0, [523, 290]),
    ]
    for settings, args, quoted, box, title, pattern_set, size in rows:
        (folder / "kraxed.ini").write_text(settings)
        editor = Editor(d, folder, args, quoted, window=False)
        if box:
            editor.answer(*box, W.IDOK)
        editor.wait_window()
        check(editor.title(), title, f"the title for {args}")
        check(editor.selector(1), pattern_set, f"the graphics selector for {args}")
        check(editor.dialog(seconds=0), None, f"a window besides the main window for {args}")
        left, top, right, bottom = editor.rect()
        check([right - left, bottom - top], size, f"the window's size for {args}")
        editor.exit(f"the exit code for {args}")

def case_a_failed_start_up_ends_with_an_error_code(d, folder):
    d("hold", "KraxoLevel")  # another kind of object holds the name of the level-transfer block
    try:
        editor = Editor(d, folder, window=False)
        box = editor.dialog("Error")
        check(box.text.startswith("Error in CreateTempLevel()"), True, f"the message {box.text!r}")
        box.press(W.IDOK)
        check(editor.exit_code(), 1, "the exit code")
    finally:
        d("hold")

def case_the_window_shows_what_the_software_painter_paints_at_both_zooms(d, folder):
    editor = start(d, folder)
    d("place", editor.handle, 120, 90)
    for z in (1, 2):
        for level in range(10):
            if 0 < level < 9:
                editor.keys(W.VK_CONTROL, ord("1") + level)  # Ctrl+2 .. Ctrl+9
            elif level == 9:
                editor.scroll(0, 9)
            wait(lambda: editor.selector(0) == level, f"level {level + 1}")
            kxl("render", folder / "sample.kxl", level + 1, folder / "expected.png", "--window", "--zoom", z,
                "--program-dir", folder)
            editor.shows(Image.open(folder / "expected.png"), 0, 0)
        if z == 1:  # double size from the Editor settings: the window grows where it stands
            set_box(editor, R.IDC_SETTINGS_DOUBLE_SIZE, True)
            editor.scroll(0, 0)
            wait(lambda: editor.rect() == [120, 90, 120 + 1046, 90 + 499], "the window at double size in its place")

def case_save_questions_file_dialogs_and_the_close_box(d, folder):
    copy_of_sample(folder, "dungeon.kxl", 4)
    editor = start(d, folder)
    editor.scroll(1, 1)  # level 1 drawn from the second pattern set: unsaved work
    editor.command(R.ID_FILE_SAVEAS)
    editor.dialog("Save leveldata").choose_file(win(folder / "saved.kxl"))
    titled(editor, "saved.kxl")
    check(levels_of(folder / "saved.kxl")[0]["patternSet"]["number"], 4, "the pattern set saved")
    check(levels_of(folder / "sample.kxl")[0]["patternSet"]["number"], 3, "the pattern set left in sample.kxl")
    steps = [  # the graphics selector, the answer to "Save changes?", the file dialog then, the file
        # chosen, the title's file then, modified
        (0, W.IDCANCEL, None, None, "saved.kxl", True),
        (0, W.IDYES, "Save leveldata", "kept.kxl", "kept.kxl", False),
        (1, W.IDNO, "Load leveldata", "dungeon.kxl", "dungeon.kxl", False),
    ]
    for position, answer, dialog, name, title, modified in steps:
        editor.scroll(1, position)
        editor.command(R.ID_FILE_OPEN)
        editor.answer("Kraxolan Editor", "Save changes?", answer)
        if dialog:
            editor.dialog(dialog).choose_file(win(folder / name))
        titled(editor, title, modified)
    check(levels_of(folder / "kept.kxl")[0]["patternSet"]["number"], 3, "the pattern set kept")
    editor.scroll(1, 0)
    for answer in (W.IDCANCEL, W.IDYES):  # Cancel keeps the window, Yes saves and closes it
        editor.send(W.WM_SYSCOMMAND, W.SC_CLOSE, way="post")
        editor.answer("Kraxolan Editor", "Save Changes?", answer)
    check(editor.exit_code(), 0, "the exit code")
    check(levels_of(folder / "dungeon.kxl")[0]["patternSet"]["number"], 3, "the pattern set saved on closing")

LEVEL_8_ENEMY_1 = {"x": 56, "y": 128, "direction": 3, "typeCode": 48, "aiType": 7, "speed": 4}
EDITING_DIALOGS = [  # command, key, caption, the choices made, where level 1 keeps them in the file, value
    (R.ID_EDIT_LEVEL, "L", "Level settings", [(R.IDC_LEVEL_GOAL, 3)], ["goal", "number"], 3),  # was 1
    (R.ID_EDIT_ENEMY, "E", "Edit Enemy", [(R.IDC_ENEMY_DIRECTION, 0)], ["enemies", 0, "direction"], 1),  # was 7
    (R.ID_EDIT_SWAP, "W", "Swap levels", [(R.IDC_SWAP_FIRST, 0), (R.IDC_SWAP_SECOND, 7)], ["enemies", 0],
     LEVEL_8_ENEMY_1),
]

def case_editing_dialogs_by_menu_and_key_stay_open_on_esc_and_make_one_change(d, folder):
    for command, key, caption, choices, path, value in EDITING_DIALOGS:
        copy_of_sample(folder, "levels.kxl")
        editor = start(d, folder, "levels.kxl")
        editor.command(command)
        editor.dialog(caption).close()
        editor.keys(W.VK_CONTROL, ord(key))
        dialog = editor.dialog(caption)
        dialog.keys(W.VK_ESCAPE)
        time.sleep(0.4)  # the key goes through the system's queue, after whatever is sent
        check(dialog.alive(), True, f"{caption} open after Esc")
        for combo, index in choices:
            dialog.pick(combo, index)
        if caption == "Swap levels":
            dialog.item(R.IDC_SWAP).send(W.BM_CLICK)
        dialog.close()
        editor.commands(R.ID_FILE_SAVE)
        saved = levels_of(folder / "levels.kxl")[0]
        for step in path:
            saved = saved[step]
        check(saved, value, f"level 1 after {caption}")

def set_box(editor, box, checked):  # a box of the Editor settings, confirmed with OK
    editor.command(R.ID_OPTIONS_SETTINGS)
    settings = editor.dialog("Editor settings")
    settings.item(box).send(W.BM_SETCHECK, int(checked))
    settings.press(W.IDOK)

def case_editor_settings_register_the_file_type_and_remove_it_again(d, folder):
    registered = [  # key of HKEY_CLASSES_ROOT, its default value
        (".kxl", "kxl_auto_file"),
        ("kxl_auto_file", "Kraxolan level set"),
        ("kxl_auto_file\\shell\\open\\command", f'{win(folder)}\\kraxed.exe "%1"'),
    ]
    editor = start(d, folder)
    try:
        set_box(editor, R.IDC_SETTINGS_REGISTER, True)
        for key, value in registered:
            check(d("registry", key), [value], key)
    finally:
        set_box(editor, R.IDC_SETTINGS_REGISTER, False)  # the prefix left as it was found
    for key, _ in registered:
        check(d("registry", key), [], f"{key} after the file type was removed")

def case_a_real_drag_is_one_step_for_undo_and_redo(d, folder):
    copy_of_sample(folder, "work.kxl")
    editor = start(d, folder, "work.kxl")
    try:
        point(editor, tile(CELL.FirstItem + 3))  # its name from the program's string table
        wait(lambda: editor.status() == "Extra time (15 seconds)", "the item's name in the status bar")
        point(editor, tile(CELL.Wall1), "click", 1)
        point(editor, cell(7, 2), "mousedown", 1)
        for column in range(3, 7):
            point(editor, cell(7, column))
        point(editor, (700, 400), "mouseup", 1)  # let go outside the window
        titled(editor, "work.kxl", True)
        point(editor, (120, 8))  # over no region: without a window manager the keyboard focus follows the pointer
        editor.keys(W.VK_CONTROL, ord("Z"))
        titled(editor, "work.kxl")  # the whole stroke taken back
        editor.keys(W.VK_CONTROL, ord("Y"))
        titled(editor, "work.kxl", True)
        editor.commands(R.ID_FILE_SAVE)
        check(levels_of(folder / "work.kxl")[0]["cells"][7][2:7], [CELL.Wall1] * 5, "row 8 after the stroke")
    finally:
        run("xdotool", "mousemove", 9999, 9999)

def case_two_editors_share_a_level_until_the_last_one_ends(d, folder):
    copy_of_sample(folder, "b.kxl")
    source = start(d, folder)
    target = start(d, folder, "b.kxl")
    source.commands(R.ID_LEVEL_5, R.ID_EDIT_COPY)
    target.commands(R.ID_LEVEL_2, R.ID_EDIT_PASTE, R.ID_FILE_SAVE)
    check({**levels_of(folder / "b.kxl")[1], "level": 5}, levels_of(folder / "sample.kxl")[4], "level 2 pasted")
    for editor in (source, target):
        editor.exit()
    editor = start(d, folder)
    editor.commands(R.ID_LEVEL_2, R.ID_EDIT_PASTE)
    check(editor.title(), title_for(win(folder / "sample.kxl")), "the title after a paste from the empty block")

def case_dropped_files_and_the_recent_files_of_the_file_menu(d, folder):
    files = [copy_of_sample(folder, f"{name}.kxl", 4 if name == "q" else 3) for name in "pqrst"]
    editor = Editor(d, folder)
    for path in files:
        d("drop", editor.id, editor.handle, path, files[0])  # of several files, the first opens
        editor.wait_title(title_for(path))
    editor.command(RECENT_FILE_COMMAND + 3)  # the fourth of t, s, r, q
    editor.wait_title(title_for(files[1]))
    check(editor.selector(1), 1, "the pattern set of q.kxl")
    editor.exit()  # the settings file is written as the editor ends
    options = ["Zoom = FALSE", "Autosave = FALSE", "Questions = TRUE", "Load = FALSE", "Register = FALSE",
               "CorrectShadow = FALSE"] + [f"LoadFile = {files[n]}" for n in (1, 4, 3, 2)]  # q, t, s, r
    lines = ["[Kraxolan Editor Settings]"] + options + [""]
    check((folder / "kraxed.ini").read_bytes().decode(), "\r\n".join(lines) + "\r\n", "kraxed.ini")


def select(editor, first, last):  # select mode, and a real drag from one cell to another
    editor.keys(W.VK_CONTROL, ord("R"))
    wait(lambda: editor.status() == "Select: drag over the level", "select mode")
    point(editor, cell(*first), "mousedown", 1)
    point(editor, cell(*last), "mouseup", 1)
    wait(lambda: editor.status() == f"Area {last[1] - first[1] + 1} x {last[0] - first[0] + 1}", f"the selection (status {editor.status()!r})")

def part(level, rows, columns):  # the cells and floors of a rectangle of a level as kxl exports it
    return [[level[layer][row][columns] for row in rows] for layer in ("cells", "floors")]

def case_an_area_dragged_copied_to_a_second_editor_pasted_and_undone(d, folder):
    copy_of_sample(folder, "b.kxl")
    original = levels_of(folder / "b.kxl")[0]
    source, target = start(d, folder), start(d, folder, "b.kxl")
    d("place", target.handle, 0, 320)
    try:
        select(source, (3, 1), (5, 3))
        source.keys(W.VK_CONTROL, ord("C"))
        wait(lambda: source.status() == "Area 3 x 3 copied", "the copy")
        point(target, cell(8, 9))
        target.keys(W.VK_CONTROL, ord("V"))
        wait(lambda: target.status() == "Paste: click to place, Esc to cancel", "the floating area")
        point(target, cell(8, 9), "click", 1)
        titled(target, "b.kxl", True)
        target.commands(R.ID_FILE_SAVE)
        pasted = part(levels_of(folder / "b.kxl")[0], range(8, 11), slice(9, 12))
        check(pasted, part(levels_of(folder / "sample.kxl")[0], range(3, 6), slice(1, 4)), "the area pasted")
        target.keys(W.VK_CONTROL, ord("Z"))
        titled(target, "b.kxl", True)  # the paste taken back, after the save
        target.commands(R.ID_FILE_SAVE)
        check(levels_of(folder / "b.kxl")[0], original, "level 1 after Undo")
    finally:
        run("xdotool", "mousemove", 9999, 9999)

def case_work_of_an_editor_ended_by_force_comes_back_and_a_file_changed_on_disk_is_reloaded(d, folder):
    copy_of_sample(folder, "work.kxl")
    copy_of_sample(folder, "expected.kxl", 4)
    editor = start(d, folder, "work.kxl")
    editor.scroll(1, 1)  # unsaved: level 1 on the second pattern set
    beside = start(d, folder)  # started while the other runs: it is not offered its work
    check(beside.dialog(seconds=1), None, "a question in the editor running beside")
    d("kill", editor.id)
    again = Editor(d, folder)
    box = again.dialog("Kraxolan Editor")
    question = f"Unsaved changes to {re.escape(win(folder / 'work.kxl'))} from [-0-9]+ [0-9:]+ were found. Recover them\\?"
    check(bool(re.fullmatch(question, box.text)), True, f"the question {box.text!r}")
    box.press(W.IDYES)
    titled(again, "work.kxl", True)
    again.commands(R.ID_FILE_SAVE)
    check((folder / "work.kxl").read_bytes() == (folder / "expected.kxl").read_bytes(), True, "the set saved")
    d("front", beside.handle)
    copy_of_sample(folder, "work.kxl")  # another program writes the file meanwhile
    d("front", again.handle)
    reloaded = f"{win(folder / 'work.kxl')} was changed by another program and was reloaded"
    wait(lambda: again.status() == reloaded, "the reload")
    check(again.selector(1), 0, "the pattern set reloaded")
    again.keys(W.VK_CONTROL, ord("Z"))
    titled(again, "work.kxl", True)
    check(again.selector(1), 1, "the pattern set shown before, back by Undo")

def case_long_paths_refused_owned_questions_and_settings_kept_for_the_user(d, folder):
    (folder / "kraxed.ini").mkdir()  # no settings file can be written beside the program
    deep = folder / ("x" * 100) / ("y" * 100) / ("z" * 60)
    deep.mkdir(parents=True)
    (deep / "set.kxl").write_bytes((folder / "sample.kxl").read_bytes())
    long = win(deep / "set.kxl")
    too_long = f"The path is too long: it has {len(long)} characters, and the editor takes paths of at most 255."
    editor = start(d, folder)
    d("drop", editor.id, editor.handle, long)
    editor.answer("Error", f"{too_long}  {long}", W.IDOK)  # the driver gives line ends as blanks
    editor.command(R.ID_FILE_SAVEAS)
    save_as = editor.dialog("Save leveldata")
    save_as.choose_file(long, closes=False)  # refused before anything is written; the dialog stays
    editor.answer("Error", f"{too_long}  {long}", W.IDOK)
    save_as.press(W.IDCANCEL)
    check([p.name for p in deep.iterdir()], ["set.kxl"], "the files of the long folder")
    set_box(editor, R.IDC_SETTINGS_DOUBLE_SIZE, True)
    editor.scroll(1, 1)  # unsaved work: closing asks
    _, top, right, _ = editor.rect()
    for _ in range(2):  # the second click on the close box, behind the question, does nothing
        run("xdotool", "mousemove", right - 12, top + 10, "click", 1, "sleep", 0.3, "mousemove", 9999, 9999)
        box = editor.dialog("Kraxolan Editor")
    check([w[2] for w in editor.windows("Kraxolan Editor")], ["0"], "the main window enabled behind the question")
    check(len(editor.windows("#32770")), 1, "questions after two clicks on the close box")
    box.press(W.IDNO)
    check(editor.exit_code(), 0, "the exit code")
    check(user_file("Roaming", "kraxed.ini").read_text().splitlines()[1], "Zoom = TRUE", "the user's settings")
    left, top, right, bottom = start(d, folder).rect()
    check([right - left, bottom - top], [1046, 499], "the window after a restart")

def case_at_144_dpi_the_whole_layout_fits_the_window_at_both_zooms(d, folder):  # caption, menu, status bar taller
    for z, settings in ((1, ""), (2, "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\n")):
        (folder / "kraxed.ini").write_text(settings)
        editor = start(d, folder)
        left, top, right, _ = editor.rect("client")
        status_top = Window(editor, d("children", editor.handle, "msctls_statusbar32")[0]).rect()[1]
        check(right - left >= 523 * z - 6, True, f"room for the layout's width at zoom {z}")
        check(status_top - top >= 209 * z + 17, True, f"room for the layout above the status bar at zoom {z}")
        kxl("render", folder / "sample.kxl", 1, folder / "canvas.png", "--zoom", z, "--program-dir", folder)
        editor.shows(Image.open(folder / "canvas.png"), z, z + 16)  # the canvas where the layout puts it
        editor.exit()
