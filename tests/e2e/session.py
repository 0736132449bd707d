"""The seeded random session: clicks, drags and right clicks anywhere in the
window, keys, every menu command and accelerator of the program, the
selectors, the dialogs driven through their controls, message boxes and file
dialogs answered at random as they come, a checked save every 200 actions.
KRAXED_SOAK_SEED and KRAXED_SOAK_ACTIONS replay a session; KRAXED_SOAK_VERBOSE=1
prints every step."""
import collections
import os
import random
import time

from cases import tile
from kx import CELL, RECENT_FILE_COMMAND, R, W, Editor, Failure, kxl, run, title_for, win

SEED = int(os.environ.get("KRAXED_SOAK_SEED", "20240607"))
ACTIONS = int(os.environ.get("KRAXED_SOAK_ACTIONS", "1000"))
VERBOSE = os.environ.get("KRAXED_SOAK_VERBOSE") == "1"
LIMIT = 120 + ACTIONS / 2  # seconds; then the watchdog ends the editor
DIALOGS = {  # how each dialog may be closed: the editing dialogs by their close box alone
    "Level settings": ["close box"], "Edit Enemy": ["close box"], "Swap levels": ["close box"], "About": ["close box"],
    "Editor settings": ["OK", "Cancel", "Esc", "close box"], "Check levels": ["Show", "Cancel", "close box"]}
CONTROLS = ["ComboBox", "msctls_trackbar32", "msctls_updown32", "Button"]  # what a step in a dialog works
UNSTEPPED = [W.IDOK, W.IDCANCEL, R.IDC_CHECK_SHOW, R.IDC_SETTINGS_REGISTER]  # buttons that close, or write the registry
MESSAGES = [("Kraxolan Editor", "Save changes?"), ("Kraxolan Editor", "Save Changes?"),
            ("Clear level", "Do you really want to clear this level?"),
            ("Help", "Just read kraxed_manual.pdf or kraxed_tutorial.pdf!"),
            ("Check levels", "No problems found in the ten levels.")]
KEYS = [W.VK_LEFT, W.VK_UP, W.VK_RIGHT, W.VK_DOWN, W.VK_DELETE]
DIALOG_KEYS = [W.VK_ESCAPE, W.VK_RETURN, W.VK_NEXT, W.VK_PRIOR, W.VK_HOME, W.VK_END]  # the page keys move the time

class Session:
    def __init__(self, d, folder):
        self.d = d
        self.folder = folder
        self.random = random.Random(SEED)
        self.editor = Editor(d, folder)
        d("place", self.editor.handle, 0, 0)
        self.menu = [int(command) for command in d("resources", win(folder / "kraxed.exe"), "menu")]
        self.accelerators = []  # the keys of each
        for entry in d("resources", win(folder / "kraxed.exe"), "accelerators"):
            flags, key, _ = map(int, entry.split())
            self.accelerators.append([W.VK_CONTROL] * bool(flags & W.FCONTROL) + [W.VK_SHIFT] * bool(flags & W.FSHIFT)
                                     + [key])
        (folder / "broken.kxl").write_bytes(bytes(1000))  # no level set is 1000 bytes long
        self.files = {"Save leveldata": [f"soak_{n}.kxl" for n in range(6)], "Export picture": ["picture.png"],
                      "Load leveldata": ["sample.kxl", "broken.kxl"]}  # what a file dialog may choose
        self.questions = True  # the Editor settings' box
        self.closing = W.IDCANCEL  # the answer to "Save Changes?"; at the end, Yes or No
        self.checkpoint = None  # the file a checked save goes to
        self.chosen = ""  # the file chosen last
        self.story = collections.deque(maxlen=30)
        self.deadline = time.time() + LIMIT
        self.moves = 0
    def note(self, step):
        self.story.append(step)
        if VERBOSE:
            print(step, flush=True)
    def zoom(self):
        return 2 if self.editor.rect()[2] > 700 else 1
    def point(self, area):  # on the canvas, on the panel, anywhere
        z, r = self.zoom(), self.random
        return [(r.randrange(z, 257 * z), r.randrange(16 + z, 16 + 209 * z)),
                (r.randrange(259 * z, 516 * z), r.randrange(16 + z, 16 + 210 * z)),
                (r.randrange(516 * z), r.randrange(16 + 210 * z))][area]
    def mouse(self, point, *messages):  # each with its button flags, at a point of the client area
        for message, flags in messages:
            self.call(message, flags, point[1] << 16 | point[0])
    def call(self, message, wparam=0, lparam=0):  # waits for the answer, answering what opens
        self.d("send", "call", self.editor.handle, message, wparam, lparam)
        self.settle(lambda: self.d("pending")[0] == "0")
    def settle(self, finished, nudge=None):
        start = last = time.time()
        while True:
            if time.time() > self.deadline:
                self.d("kill", self.editor.id)
                raise Failure(f"the watchdog ended the editor: the session took more than {LIMIT:.0f} s")
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
            if time.time() - start > 60:
                raise Failure("the editor did not finish within 60 s")
            time.sleep(0.005)
    def keys(self, *keys):
        """Real keys, then a real move onto the palette's gem: once the status
        bar names it, the keys before it have been handled."""
        self.note(f"  keys {keys}")
        self.d("text", self.d("children", self.editor.handle, "msctls_statusbar32")[0], "waiting for the keys")
        self.editor.keys(*keys)
        self.move_to_gem()
        self.settle(lambda: self.editor.status() == "Gem", self.move_to_gem)
    def move_to_gem(self):
        left, top, _, _ = self.editor.rect("client")
        x, y = tile(CELL.Gem, self.zoom())
        self.moves += 1  # a move each time, within the tile
        run("xdotool", "mousemove", left + x + self.moves % 3 * 4 - 4, top + y)
    def answer(self, window):
        self.note(f"  {window.caption!r} {window.text!r}")
        if window.text:
            self.message_box(window)
        elif window.caption in self.files:
            self.file_dialog(window)
        elif window.caption in DIALOGS:
            controls = []  # its class, its id
            for handle in self.d("children", window.handle, ""):
                kind, control = self.d("class", handle)
                if kind in CONTROLS and int(control) not in UNSTEPPED:
                    controls.append((kind, int(control)))
            for _ in range(self.random.randrange(6) if controls else 0):
                self.step(window, *self.random.choice(controls))
                if not window.alive():
                    raise Failure(f"{window.caption} closed by itself")
            self.close(window, self.random.choice(DIALOGS[window.caption]))
        else:
            raise Failure(f"an unexpected window {window.caption!r}")
    def message_box(self, box):
        button = self.random.choice([b for b in (W.IDYES, W.IDNO, W.IDCANCEL, W.IDOK) if box.item(b).handle != "0"])
        if box.text == "Save Changes?":  # the window closes
            button = self.closing
        elif (box.caption, box.text) == ("Error", "Couldn't load file!") and self.chosen == "broken.kxl":
            self.chosen = ""
        elif (box.caption, box.text) not in MESSAGES:
            raise Failure(f"an unexpected message {box.caption!r}: {box.text!r}")
        box.press(button)
    def file_dialog(self, dialog):
        if not self.checkpoint and self.random.randrange(4) == 0:
            return dialog.press(W.IDCANCEL)
        (self.folder / "picture.png").unlink(missing_ok=True)  # Export asks before it replaces a file
        self.chosen = self.checkpoint or self.random.choice(self.files[dialog.caption])
        self.note(f"  file {self.chosen}")
        dialog.choose_file(win(self.folder / self.chosen))
        if dialog.caption == "Save leveldata":
            self.files["Load leveldata"].append(self.chosen)
    def step(self, dialog, kind, control):
        item = dialog.item(control)
        kind = self.random.choice(["keys", kind])
        self.note(f"    {kind} {control}")
        if kind == "ComboBox" and item.send(W.CB_GETCOUNT) > 0:
            dialog.pick(control, self.random.randrange(item.send(W.CB_GETCOUNT)))
        elif kind == "msctls_trackbar32":  # a note of the bar's own, or its thumb dragged to a place
            position = self.random.randint(item.send(W.TBM_GETRANGEMIN), item.send(W.TBM_GETRANGEMAX))
            item.send(W.TBM_SETPOS, 1, position)
            for code in [self.random.randrange(W.TB_ENDTRACK + 1), W.TB_THUMBTRACK, W.TB_THUMBPOSITION, W.TB_ENDTRACK]:
                dialog.send(W.WM_HSCROLL, position << 16 | code, item.handle)
        elif kind == "msctls_updown32":
            self.arrow(item)
        elif kind == "Button":
            item.send(W.BM_CLICK)
        elif kind == "keys" and dialog.caption != "Editor settings":  # Esc and Enter close no editing dialog
            dialog.send(W.WM_NEXTDLGCTL, item.handle, 1)
            dialog.keys(self.random.choice(DIALOG_KEYS))
            time.sleep(0.3)  # the keys go through the system's queue
    def close(self, dialog, way):
        self.note(f"  {way}")
        if way == "OK":
            self.questions = dialog.item(R.IDC_SETTINGS_QUESTIONS).send(W.BM_GETCHECK) == 1
        if way in ("OK", "Cancel"):
            return dialog.press(W.IDOK if way == "OK" else W.IDCANCEL)  # Cancel: Close in Check levels
        if way == "close box":
            return dialog.close()
        if way == "Esc":
            dialog.keys(W.VK_ESCAPE)
        else:
            dialog.item(R.IDC_CHECK_SHOW).send(W.BM_CLICK)  # to the problem's cell
        dialog.gone()
    def arrow(self, updown):  # a click on the left or right arrow of a horizontal up-down control
        left, top, right, bottom = updown.rect("client")
        point = (bottom - top) // 2 << 16 | (right - left) // 4 * self.random.choice((1, 3))
        updown.send(W.WM_LBUTTONDOWN, W.MK_LBUTTON, point)
        updown.send(W.WM_LBUTTONUP, 0, point)
        self.editor.idle()
    def drag(self):
        messages = [(W.WM_MOUSEMOVE, W.MK_LBUTTON)] * self.random.randrange(8) + [(W.WM_LBUTTONUP, 0)]
        for message in [(W.WM_LBUTTONDOWN, W.MK_LBUTTON)] + messages:
            self.mouse(self.point(self.random.choice((0, 0, 1, 2))), message)
    def scroll(self, index):  # to a place in the selector's range
        packed = self.editor.selectors()[index].send(W.UDM_GETRANGE)
        self.editor.scroll(index, self.random.randint(0, max(packed & 0xFFFF, packed >> 16)))
    def command(self, command):
        self.note(f"  command {command}")
        if command != R.ID_FILE_EXIT or self.closing_asks():
            self.call(W.WM_COMMAND, command)
    def closing_asks(self):  # and "Save Changes?" is answered Cancel: the window stays
        return self.editor.title().endswith(" *]") and self.questions
    def actions(self):
        """Each kind of action: its name, weight, and what it does."""
        r = self.random
        press = [(W.WM_LBUTTONDOWN, W.MK_LBUTTON), (W.WM_LBUTTONUP, 0)]
        double = press + [(W.WM_LBUTTONDBLCLK, W.MK_LBUTTON), (W.WM_LBUTTONUP, 0)]  # on an enemy: its settings
        enemy = lambda: (self.zoom() * (353 + 30 * r.randrange(5) + r.randrange(16)),  # noqa: E731
                         16 + self.zoom() * (138 + r.randrange(24)))
        return [
            ("hover", 60, lambda: self.mouse(self.point(r.randrange(3)), (W.WM_MOUSEMOVE, 0))),
            ("click", 340, lambda: self.mouse(self.point(r.choice((0, 0, 1, 1, 2))), *press)),
            ("right click", 70, lambda: self.mouse(self.point(r.choice((0, 0, 0, 2))), (W.WM_RBUTTONDOWN, W.MK_RBUTTON),
                                                   (W.WM_RBUTTONUP, 0))),
            ("drag", 100, self.drag),
            ("double click", 18, lambda: self.mouse(enemy() if r.randrange(2) else self.point(2), *double)),
            ("key", 110, lambda: self.call(W.WM_KEYUP, r.choice(KEYS), 0xC0000001)),
            ("real key", 12, lambda: self.keys(r.choice(KEYS))),
            ("selector", 45, lambda: self.scroll(r.randrange(3))),
            ("selector arrow", 30, lambda: self.arrow(r.choice(self.editor.selectors()))),
            ("menu command", 110, lambda: self.command(r.choice(self.menu))),
            ("accelerator", 55, lambda: self.keys(*r.choice(self.accelerators))),
            ("recent file", 6, lambda: self.command(RECENT_FILE_COMMAND + r.randrange(4))),
            ("close box", 4, lambda: self.closing_asks() and self.call(W.WM_SYSCOMMAND, W.SC_CLOSE)),
            ("back-up tick", 3, lambda: self.call(W.WM_TIMER)),  # as fifteen minutes would bring it
        ]
    def checked_save(self, number):
        """Save as into the folder: the title names the file, 3770 bytes that kxl reads."""
        self.checkpoint = f"check_{number}.kxl"
        self.call(W.WM_COMMAND, R.ID_FILE_SAVEAS)
        self.checkpoint = None
        saved = self.folder / f"check_{number}.kxl"
        if self.editor.title() != title_for(win(saved)) or saved.stat().st_size != 3770:
            raise Failure(f"the checked save: the title {self.editor.title()!r}, {saved.stat().st_size} bytes")
        kxl("info", saved)
    def run(self):
        print(f"random session: seed {SEED}, {ACTIONS} actions", flush=True)
        actions = self.actions()
        # Every kind of action, every command and every accelerator early, in a
        # shuffled order; then the weights choose.
        forced = [action for _, _, action in actions] + [lambda c=c: self.command(c) for c in self.menu] \
            + [lambda k=k: self.keys(*k) for k in self.accelerators]
        self.random.shuffle(forced)
        try:
            for n in range(1, ACTIONS + 1):
                name, _, action = self.random.choices(actions, [weight for _, weight, _ in actions])[0]
                self.note(f"#{n} {name}")
                (forced.pop() if n % 2 == 0 and forced else action)()
                if n % 200 == 0:
                    self.checked_save(n // 200)
            self.closing = self.random.choice((W.IDYES, W.IDNO))
            self.editor.command(R.ID_FILE_EXIT)
            while self.editor.exit_code(0.05) is None and time.time() < self.deadline:
                dialog = self.editor.dialog(seconds=0)
                if dialog:
                    self.answer(dialog)
            if self.editor.exit_code(0) != 0:
                raise Failure(f"Exit: the exit code {self.editor.exit_code(0)}")
        except Failure as failure:
            raise Failure(f"{failure}\nthe last steps:\n" + "\n".join(self.story)
                          + f"\nreplay: KRAXED_SOAK_SEED={SEED} KRAXED_SOAK_ACTIONS={ACTIONS}") from None

def case_random_session(d, folder):
    Session(d, folder).run()
