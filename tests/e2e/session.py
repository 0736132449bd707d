"""The seeded random session: user actions chosen at random (clicks, drags and
right clicks anywhere in the window, keys, every command of the program's
menu and every accelerator of its table, the selectors), the dialogs driven
through their controls, message boxes and file dialogs answered at random as
they appear, and a checked save every 200 actions. KRAXED_SOAK_SEED,
KRAXED_SOAK_ACTIONS and KRAXED_SOAK_VERBOSE=1 (every step printed); the same
seed and length replay the same session."""
import collections
import os
import random
import time

from cases import CELL, RECENT_FILE_COMMAND, case, tile
from kx import KXL, R, W, Editor, Failure, kxl, title_for, win

SEED = int(os.environ.get("KRAXED_SOAK_SEED", "20240607"))
ACTIONS = int(os.environ.get("KRAXED_SOAK_ACTIONS", "1000"))
VERBOSE = os.environ.get("KRAXED_SOAK_VERBOSE") == "1"
SAVE_EVERY = 200
LIMIT = 120 + ACTIONS / 2  # seconds; then the watchdog ends the editor
UDM_GETRANGE = 0x465
TB_CODES = range(9)  # TB_LINEUP .. TB_ENDTRACK
DIALOG_STEPS = {  # what one step in an editing dialog may do, and to which control
    "Level settings": [("pick", R.IDC_LEVEL_NUMBER), ("pick", R.IDC_LEVEL_GOAL), ("pick", R.IDC_LEVEL_MUSIC),
                       ("pick", R.IDC_LEVEL_TYPE1), ("pick", R.IDC_LEVEL_TYPE2), ("pick", R.IDC_LEVEL_TYPE3),
                       ("track", R.IDC_LEVEL_TIME), ("drag", R.IDC_LEVEL_TIME), ("keys", R.IDC_LEVEL_TIME)],
    "Edit Enemy": [("pick", R.IDC_ENEMY_NUMBER), ("pick", R.IDC_ENEMY_SPEED), ("pick", R.IDC_ENEMY_DIRECTION),
                   ("pick", R.IDC_ENEMY_AI), ("arrow", R.IDC_ENEMY_TYPE), ("keys", R.IDC_ENEMY_NUMBER)],
    "Swap levels": [("pick", R.IDC_SWAP_FIRST), ("pick", R.IDC_SWAP_SECOND), ("click", R.IDC_SWAP),
                    ("keys", R.IDC_SWAP_FIRST)],
}
DIALOG_KEYS = [W.VK_ESCAPE, W.VK_RETURN, W.VK_NEXT, W.VK_PRIOR, W.VK_HOME, W.VK_END]
SETTINGS_BOXES = [R.IDC_SETTINGS_QUESTIONS, R.IDC_SETTINGS_LOAD, R.IDC_SETTINGS_DOUBLE_SIZE,
                  R.IDC_SETTINGS_AUTOSAVE, R.IDC_SETTINGS_CORRECT_SHADOW]  # never Register: no registry writes
MESSAGES = {  # caption: the texts a message box of the session may say
    "Kraxolan Editor": ["Save changes?", "Save Changes?"],
    "Clear level": ["Do you really want to clear this level?"],
    "Help": ["Just read kraxed_manual.pdf or kraxed_tutorial.pdf!"],
    "Check levels": ["No problems found in the ten levels."],
}


class Session:
    def __init__(self, d, folder):
        self.d, self.folder, self.random = d, folder, random.Random(SEED)
        self.editor = Editor(d, folder)
        d("place", self.editor.handle, 0, 0)
        words = d("menu", win(folder / "kraxed.exe"))
        self.menu = [int(c) for c in words[::2]]
        entries = [int(v) for v in d("accelerators", win(folder / "kraxed.exe"))]
        self.accelerators = [([k for f, k in ((W.FCONTROL, W.VK_CONTROL), (W.FSHIFT, W.VK_SHIFT)) if flags & f] + [key],
                              command) for flags, key, command in zip(entries[::3], entries[1::3], entries[2::3])]
        self.story = collections.deque(maxlen=30)
        self.files = [win(folder / "sample.kxl"), win(folder / "broken.kxl")]
        (folder / "broken.kxl").write_bytes(bytes(1000))  # no level set is 1000 bytes long
        self.questions, self.autosave, self.closing, self.recent = True, False, None, set()
        self.deadline, self.asked, self.checkpoint, self.marker = time.time() + LIMIT, False, None, 0
        self.opened = None

    def note(self, step):
        self.story.append(step)
        if VERBOSE:
            print(f"  {step}", flush=True)

    def fail(self, what):
        raise Failure(f"{what}\nthe last steps:\n  " + "\n  ".join(self.story) +
                      f"\nreplay: KRAXED_SOAK_SEED={SEED} KRAXED_SOAK_ACTIONS={ACTIONS}")

    def chance(self, percent):
        return self.random.randrange(100) < percent

    def point(self, area):
        z = 2 if self.editor.rect()[2] > 700 else 1
        return [(self.random.randrange(z, 257 * z), self.random.randrange(16 + z, 16 + 209 * z)),  # the canvas
                (self.random.randrange(259 * z, 516 * z), self.random.randrange(16 + z, 16 + 210 * z)),  # the panel
                (self.random.randrange(516 * z), self.random.randrange(16 + 210 * z))][area]  # anywhere

    # Delivery: every message waits for its answer while whatever it opens is answered.
    def call(self, message, wparam=0, lparam=0, window=None):
        self.d("call", window or self.editor.handle, message, wparam, lparam)
        self.settle(lambda: self.d("pending")[0] == "0")

    def settle(self, finished, nudge=None, limit=60):
        start = last = time.time()
        while True:
            if time.time() > self.deadline:
                self.d("kill", self.editor.id)
                self.fail(f"the watchdog ended the editor: the session took more than {LIMIT:.0f} s")
            dialog = self.editor.dialog(seconds=0)
            if dialog:
                self.answer(dialog)
            elif finished():
                self.editor.idle()
                if not self.editor.dialog(seconds=0):
                    return
            elif time.time() - last > 0.3:
                self.editor.idle()  # fails when the editor has ended
                if nudge:
                    nudge()
                last = time.time()
            if time.time() - start > limit:
                self.fail(f"the editor did not finish within {limit} s")

    def keys(self, *keys):
        """Real keys; a real move onto the palette's gem afterwards says when they have been handled."""
        status = self.d("children", self.editor.handle, "msctls_statusbar32")[0]
        self.d("settext", status, "waiting for the keys")
        self.editor.keys(*keys)
        self.move_to_gem()
        self.settle(lambda: self.editor.status() == "Gem", self.move_to_gem)

    def move_to_gem(self):
        left, top, right, _ = self.editor.rect("client")
        self.marker += 1
        x, y = tile(CELL["kCellGem"], 2 if right - left > 700 else 1)
        self.d("pointer", left + x - 4 + self.marker % 3 * 4, top + y)

    def command(self, command):
        if command == R.ID_FILE_EXIT:
            return self.close_and_cancel()
        self.note(f"command {command}")
        self.call(W.WM_COMMAND, command)

    def close_and_cancel(self):
        """Closing with unsaved work asks, and Cancel keeps the window."""
        if not self.editor.title().endswith(" *]") or not self.questions:
            return self.command(self.random.choice([c for c in self.menu if c != R.ID_FILE_EXIT]))
        self.closing, self.asked = W.IDCANCEL, False
        self.call(W.WM_COMMAND, R.ID_FILE_EXIT) if self.chance(50) else self.call(W.WM_SYSCOMMAND, W.SC_CLOSE)
        self.closing = None
        if not self.asked or not self.editor.title().endswith(" *]"):
            self.fail("closing with unsaved work did not ask, or lost the work")

    # Answering what opens.
    def answer(self, dialog):
        self.note(f"  answer {dialog.caption!r} {dialog.text!r}")
        if dialog.text:
            return self.message_box(dialog)
        if dialog.caption in DIALOG_STEPS:
            for _ in range(1 + self.random.randrange(6)):
                self.dialog_step(dialog, *self.random.choice(DIALOG_STEPS[dialog.caption]))
                if not dialog.alive():
                    self.fail(f"{dialog.caption} closed by itself")
            return dialog.close()
        answers = {"Save leveldata": self.save_dialog, "Load leveldata": self.open_dialog,
                   "Export picture": self.export_dialog, "Editor settings": self.settings,
                   "Check levels": self.check_levels, "About": dialog.close}
        if dialog.caption not in answers:
            dialog.close()
            self.fail(f"an unexpected window {dialog.caption!r}")
        answers[dialog.caption](*([dialog] if dialog.caption != "About" else []))

    def message_box(self, box):
        buttons = [b for b in (W.IDYES, W.IDNO, W.IDCANCEL, W.IDOK) if box.item(b).handle != "0"]
        button = self.random.choice(buttons)
        if box.text == "Save Changes?":
            self.asked = True
            button = self.closing or self.fail("asked \"Save Changes?\" while nothing closes the window")
        elif box.caption == "Error" and box.text == "Couldn't load file!" and self.opened == self.files[1]:
            pass  # the broken file
        elif box.text not in MESSAGES.get(box.caption, []):
            self.fail(f"an unexpected message {box.caption!r}: {box.text!r}")
        if not self.questions and box.caption in ("Kraxolan Editor", "Clear level"):
            self.fail("a question asked with the questions turned off")
        box.press(button)

    def dialog_step(self, dialog, kind, control):
        self.note(f"    {kind} {control}")
        item = dialog.item(control)
        if kind == "pick" and item.send(W.CB_GETCOUNT) > 0:
            dialog.pick(control, self.random.randrange(item.send(W.CB_GETCOUNT)))
        elif kind == "track":
            dialog.send(W.WM_HSCROLL, self.random.choice(TB_CODES), item.handle)
        elif kind == "drag":
            position = self.random.randint(item.send(W.TBM_GETRANGEMIN), item.send(W.TBM_GETRANGEMAX))
            item.send(W.TBM_SETPOS, 1, position)
            for code in (5, 4, 8):  # TB_THUMBTRACK, TB_THUMBPOSITION, TB_ENDTRACK
                dialog.send(W.WM_HSCROLL, position << 16 | code, item.handle)
        elif kind == "arrow":
            self.arrow(item)
        elif kind == "click":
            item.send(W.BM_CLICK)
        elif kind == "keys":
            dialog.send(0x28, item.handle, 1)  # WM_NEXTDLGCTL: the control takes the focus
            dialog.keys(self.random.choice(DIALOG_KEYS))
            time.sleep(0.3)  # the keys go through the system's queue

    def save_dialog(self, dialog):
        if not self.checkpoint and self.chance(25):
            return dialog.press(W.IDCANCEL)
        path = self.checkpoint or win(self.folder / f"soak_{self.random.randrange(6)}.kxl")
        dialog.choose_file(path)
        self.files.append(path)
        self.recent.add(path)

    def open_dialog(self, dialog):
        if self.chance(20):
            return dialog.press(W.IDCANCEL)
        self.opened = self.random.choice(self.files)
        dialog.choose_file(self.opened)
        if self.opened != self.files[1]:
            self.recent.add(self.opened)

    def export_dialog(self, dialog):
        if self.chance(50):
            return dialog.press(W.IDCANCEL)
        dialog.choose_file(win(self.folder / f"picture_{self.random.randrange(3)}.png"))

    def check_levels(self, dialog):
        dialog.item(R.IDC_CHECK_SHOW).send(W.BM_CLICK) if self.chance(50) else dialog.close()

    def settings(self, dialog):
        for box in SETTINGS_BOXES:
            if self.chance(60 if box == R.IDC_SETTINGS_DOUBLE_SIZE else 35):
                dialog.item(box).send(W.BM_CLICK)
        checked = {box: dialog.item(box).send(W.BM_GETCHECK) == 1 for box in SETTINGS_BOXES}
        way = self.random.randrange(10)
        if way < 6:
            self.questions, self.autosave = checked[R.IDC_SETTINGS_QUESTIONS], checked[R.IDC_SETTINGS_AUTOSAVE]
            dialog.press(W.IDOK)
        elif way < 8:
            dialog.press(W.IDCANCEL)
        elif way < 9:
            dialog.keys(W.VK_ESCAPE)
            dialog.gone()
        else:
            dialog.close()

    # The actions.
    def actions(self):
        r, e = self.random, self.editor
        lparam = lambda p: p[1] << 16 | p[0]  # noqa: E731
        return [
            ("hover", 60, lambda: self.call(W.WM_MOUSEMOVE, 0, lparam(self.point(r.randrange(3))))),
            ("click", 340, lambda: self.click(W.WM_LBUTTONDOWN, self.point(r.choice((0, 0, 1, 1, 2))))),
            ("right click", 70, lambda: self.click(W.WM_RBUTTONDOWN, self.point(0 if self.chance(75) else 2))),
            ("drag", 100, lambda: self.drag([self.point(r.choice((0, 0, 1, 2))) for _ in range(2 + r.randrange(8))])),
            ("double click", 18, lambda: self.double_click(
                (r.randrange(353, 489), r.randrange(154, 178)) if self.chance(55) else self.point(2))),
            ("key", 110, lambda: self.call(W.WM_KEYUP, r.choice((W.VK_LEFT, W.VK_UP, W.VK_RIGHT, W.VK_DOWN, W.VK_DELETE)),
                                           0xC0000001)),
            ("real key", 12, lambda: self.keys(r.choice((W.VK_LEFT, W.VK_UP, W.VK_RIGHT, W.VK_DOWN, W.VK_DELETE)))),
            ("selector", 45, lambda: self.scroll(r.randrange(3))),
            ("selector arrow", 30, lambda: self.arrow(r.choice(e.selectors()))),
            ("menu command", 110, lambda: self.command(r.choice(self.menu))),
            ("accelerator", 55, lambda: self.accelerator(r.choice(self.accelerators))),
            ("recent file", 6, lambda: self.command(RECENT_FILE_COMMAND + r.randrange(min(4, len(self.recent) or 1)))),
            ("close and cancel", 4, self.close_and_cancel),
            ("back-up tick", 3, self.backup_tick),
        ]

    def click(self, down, point, window=None):
        self.call(down, W.MK_RBUTTON if down == W.WM_RBUTTONDOWN else W.MK_LBUTTON, point[1] << 16 | point[0], window)
        self.call(down + 1, 0, point[1] << 16 | point[0], window)

    def drag(self, points):
        for message, point in zip([W.WM_LBUTTONDOWN] + [W.WM_MOUSEMOVE] * (len(points) - 2) + [W.WM_LBUTTONUP], points):
            self.call(message, 0 if message == W.WM_LBUTTONUP else W.MK_LBUTTON, point[1] << 16 | point[0])

    def arrow(self, updown):
        """A click on the left or right arrow of a horizontal up-down control."""
        left, top, right, bottom = updown.rect("client")
        point = (bottom - top) // 2 << 16 | (right - left) // 4 * self.random.choice((1, 3))
        updown.send(W.WM_LBUTTONDOWN, W.MK_LBUTTON, point)
        updown.send(W.WM_LBUTTONUP, 0, point)
        self.editor.idle()

    def double_click(self, point):
        self.click(W.WM_LBUTTONDOWN, point)
        self.click(W.WM_LBUTTONDBLCLK, point)  # on an enemy's image it opens the enemy's dialog

    def scroll(self, index):
        selector = self.editor.selectors()[index]
        packed = selector.send(UDM_GETRANGE)
        position = self.random.randint(0, max(packed & 0xFFFF, packed >> 16 & 0xFFFF))
        selector.send(W.UDM_SETPOS32, 0, position)
        self.call(W.WM_HSCROLL, position << 16 | W.SB_THUMBPOSITION, selector.handle)

    def accelerator(self, entry):
        keys, command = entry
        self.note(f"keys {keys} for command {command}")
        self.keys(*keys)

    def backup_tick(self):
        """The 15-minute back-up timer's tick: backup.kxl written exactly when the back-up is on."""
        backup = self.folder / "backup.kxl"
        before = backup.stat().st_mtime_ns if backup.exists() else None
        self.call(W.WM_TIMER)
        written = backup.exists() and backup.stat().st_mtime_ns != before
        if written != self.autosave:
            self.fail(f"the back-up tick {'wrote' if written else 'did not write'} backup.kxl")

    def checked_save(self, number):
        """Save as into the folder: the title names the file, 3770 bytes that kxl reads."""
        self.checkpoint = win(self.folder / f"check_{number}.kxl")
        self.call(W.WM_COMMAND, R.ID_FILE_SAVEAS)
        self.checkpoint = None
        saved = self.folder / f"check_{number}.kxl"
        if self.editor.title() != title_for(win(saved)) or saved.stat().st_size != 3770 or kxl("info", saved).returncode:
            self.fail(f"the checked save {saved}: {self.editor.title()}, {saved.stat().st_size} bytes")

    def run(self):
        print(f"random session: seed {SEED}, {ACTIONS} actions "
              f"(replay: KRAXED_SOAK_SEED={SEED} KRAXED_SOAK_ACTIONS={ACTIONS})", flush=True)
        actions = self.actions()
        # Every kind of action, every command and every accelerator early, in a
        # shuffled order; then the weights choose.
        forced = [a[2] for a in actions] + [lambda c=c: self.command(c) for c in self.menu] + \
                 [lambda a=a: self.accelerator(a) for a in self.accelerators]
        self.random.shuffle(forced)
        for n in range(1, ACTIONS + 1):
            name, _, action = self.random.choices(actions, [a[1] for a in actions])[0]
            self.note(f"#{n} {name}")
            (forced.pop() if n % 2 == 0 and forced else action)()
            if n % SAVE_EVERY == 0:
                self.checked_save(n // SAVE_EVERY)
        self.checked_save(0)
        self.final_exit()

    def final_exit(self):
        """Exit, its question answered Yes or No: the editor ends with exit code 0."""
        modified = self.editor.title().endswith(" *]")
        self.closing, self.asked = self.random.choice((W.IDYES, W.IDNO)), False
        self.editor.command(R.ID_FILE_EXIT)
        end = time.time() + 30
        while self.editor.exit_code(0.05) is None and time.time() < end:
            dialog = self.editor.dialog(seconds=0)
            if dialog:
                self.answer(dialog)
        if self.editor.exit_code(0) != 0:
            self.fail(f"the editor ended with exit code {self.editor.exit_code(0)}")
        if modified and self.questions and not self.asked:
            self.fail("Exit with unsaved work asked nothing")


@case
def random_session(d, folder):
    Session(d, folder).run()
