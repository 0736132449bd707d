"""The tests' side of kxdrive.exe (the driver, the editor and its windows),
fresh program folders, and kxl for what a file holds and a window should show."""
import json
import os
import re
import shutil
import subprocess
import tempfile
import time
import types
from pathlib import Path

from PIL import Image, ImageChops

ROOT = Path(__file__).resolve().parents[2]
PROGRAM = Path(os.environ.get("KRAXED_PROGRAM_DIR", ROOT / "build/program"))  # kraxed.exe and its data
TEMP = Path(tempfile.gettempdir())
BACKGROUND = (212, 208, 200)  # the window's background in kxl's pictures

def names(path, pattern):
    return types.SimpleNamespace(**{m[1]: int(m[2]) for m in re.finditer(pattern, (ROOT / path).read_text())})

R = names("res/resource.h", r"#define (\w+) (\d+)")  # the program's commands, dialogs and controls
CELL = names("src/level/level.h", r"constexpr int kCell(\w+) = (\d+);")  # cell values
RECENT_FILE_COMMAND = names("src/app/recent_files.h", r"constexpr int (k\w+) = (\d+);").kRecentFileCommand
W = types.SimpleNamespace(  # the Win32 values used
    WM_NEXTDLGCTL=0x28, WM_KEYUP=0x101, WM_COMMAND=0x111, WM_SYSCOMMAND=0x112, WM_TIMER=0x113, WM_HSCROLL=0x114,
    WM_MOUSEMOVE=0x200, WM_LBUTTONDOWN=0x201, WM_LBUTTONUP=0x202, WM_LBUTTONDBLCLK=0x203, WM_RBUTTONDOWN=0x204,
    WM_RBUTTONUP=0x205, SC_CLOSE=0xF060, MK_LBUTTON=1, MK_RBUTTON=2, MK_SHIFT=4, BM_GETCHECK=0xF0, BM_SETCHECK=0xF1,
    BM_CLICK=0xF5, CB_GETCOUNT=0x146, CB_SETCURSEL=0x14E, CBN_SELCHANGE=1, TBM_GETRANGEMIN=0x401,
    TBM_GETRANGEMAX=0x402, TBM_SETPOS=0x405, TB_THUMBPOSITION=4, TB_THUMBTRACK=5, TB_ENDTRACK=8, UDM_GETRANGE=0x465,
    UDM_SETPOS32=0x471, UDM_GETPOS32=0x472, SB_THUMBPOSITION=4, IDOK=1, IDCANCEL=2, IDYES=6, IDNO=7, VK_RETURN=0x0D,
    VK_SHIFT=0x10, VK_CONTROL=0x11, VK_ESCAPE=0x1B, VK_PRIOR=0x21, VK_NEXT=0x22, VK_END=0x23, VK_HOME=0x24,
    VK_LEFT=0x25, VK_UP=0x26, VK_RIGHT=0x27, VK_DOWN=0x28, VK_DELETE=0x2E, FSHIFT=4, FCONTROL=8,
    FILE_NAME_EDIT=0x480, FILE_NAME_COMBO=0x47C)

class Failure(Exception):
    pass

def check(value, expected, what):
    if value != expected:
        raise Failure(f"{what}: {value!r}, expected {expected!r}")

def wait(condition, what, seconds=10):
    end = time.time() + seconds
    while not condition():
        if time.time() > end:
            raise Failure(f"{what} did not come within {seconds} s")
        time.sleep(0.02)

def run(*command):  # xdotool moves the real pointer on the display (9999 9999 parks it in the far corner)
    check(subprocess.run([*map(str, command)], capture_output=True, timeout=30).returncode, 0, str(command))

def kxl(*args):
    run(ROOT / "build/native/kxl", *args)

def levels_of(path):  # the ten levels of a file, as kxl exports them
    kxl("export", path, TEMP / "kxe2e.json")
    return json.loads((TEMP / "kxe2e.json").read_text())["levels"]

def write_levels(levels, path):
    (TEMP / "kxe2e.json").write_text(json.dumps({"format": "kxl-json", "version": 1, "levels": levels}))
    kxl("import", TEMP / "kxe2e.json", path)

def differing_pixels(screen, expected):
    """The pixels the editor paints that differ. Where the picture shows the
    window's background, the system draws the captions and the selectors in
    its own font and style: those pixels are not compared."""
    def differs(a, b):  # a mask: 255 where the pictures differ in any channel
        red, green, blue = ImageChops.difference(a.convert("RGB"), b.convert("RGB")).split()
        return ImageChops.lighter(ImageChops.lighter(red, green), blue).point(lambda v: 255 if v else 0)
    painted = differs(expected, Image.new("RGB", expected.size, BACKGROUND))
    return ImageChops.multiply(differs(screen, expected), painted).histogram()[255]

def forget_user_files():  # what editors left in the user's folders: recovery files, settings, back-ups
    for folder in Path(os.environ["WINEPREFIX"], "drive_c/users").glob("*/AppData/*/kraxed"):
        shutil.rmtree(folder, ignore_errors=True)

def user_file(kind, name):  # a file of the user's folder of this kind (Roaming, Local) in the prefix
    return next(Path(os.environ["WINEPREFIX"], "drive_c/users").glob(f"*/AppData/{kind}"), Path("/none")) / "kraxed" / name

def fresh_folder():  # a copy of the program folder: kraxed.exe and its data, no kraxed.ini
    folder = Path(tempfile.mkdtemp(prefix="kxe2e-"))
    shutil.copytree(PROGRAM, folder, dirs_exist_ok=True, ignore=shutil.ignore_patterns("kraxed.ini", "*.pdf"))
    return folder

def win(path):  # the Windows path, by Wine's drive Z:
    return "Z:" + str(path).replace("/", "\\")

def title_for(path, modified=False):
    return f"Kraxolan Editor - [{path}{' *' if modified else ''}]"

class Driver:
    """kxdrive.exe under Wine: a command a line, an answer a line."""
    def __init__(self):
        self.process = subprocess.Popen(["wine", ROOT / "build/win/kxdrive.exe"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, encoding="latin-1")
        self.editors = []  # every editor started
    def __call__(self, *words):
        self.process.stdin.write("\t".join(map(str, words)) + "\n")
        self.process.stdin.flush()
        status, *values = self.process.stdout.readline().rstrip("\r\n").split("\t")
        if status != "ok":
            raise Failure(f"{words[0]}: {values[0] if values else 'the driver has ended'}")
        self.editors += values if words[0] == "start" else []
        return values

class Window:
    """A window of an editor (its main window or one of its dialogs) by handle."""
    def __init__(self, editor, handle, caption="", text=""):
        self.editor = editor
        self.d = editor.d
        self.handle = handle
        self.caption = caption
        self.text = text  # a message box's message
    def send(self, message, wparam=0, lparam=0, way="wait"):  # or "post", or "call" (see kxdrive.cpp)
        answer = self.d("send", way, self.handle, message, wparam, lparam)
        return int(answer[0]) if answer else None
    def item(self, control):  # a control by its id
        return Window(self.editor, self.d("item", self.handle, control)[0])
    def rect(self, part="window"):
        return [int(v) for v in self.d("rect", self.handle, part)]
    def alive(self):  # a dialog or message box still shown
        return self.handle in [window[0] for window in self.editor.windows("#32770")]
    def keys(self, *keys):
        self.d("keys", self.handle, *keys)
    def pick(self, combo, index):  # as a user's pick: the choice, then the note to the dialog
        self.item(combo).send(W.CB_SETCURSEL, index)
        self.send(W.WM_COMMAND, W.CBN_SELCHANGE << 16 | combo, self.item(combo).handle)
    def press(self, button):
        self.send(W.WM_COMMAND, button, self.item(button).handle, "post")
        self.gone()
    def close(self):  # by the close box
        self.send(W.WM_SYSCOMMAND, W.SC_CLOSE, 0, "post")
        self.gone()
    def gone(self):
        wait(lambda: not self.alive(), f"the end of {self.caption!r}")
    def choose_file(self, path, closes=True):  # a common file dialog answered with the path
        name = self.item(W.FILE_NAME_EDIT)
        self.d("text", name.handle if name.handle != "0" else self.item(W.FILE_NAME_COMBO).handle, path)
        self.send(W.WM_COMMAND, W.IDOK, self.item(W.IDOK).handle, "post")
        if closes:
            self.gone()

class Editor(Window):
    """kraxed.exe started in a program folder, with its main window."""
    def __init__(self, d, folder, args="", quoted=True, workdir="", window=True):
        self.d = d
        self.folder = folder
        run("xdotool", "mousemove", 9999, 9999)  # a window opening under the pointer is sent moves of its own
        self.id = d("start", win(folder), int(quoted), workdir, args)[0]
        super().__init__(self, None)
        if window:
            self.wait_window()
    def windows(self, class_name):  # visible top-level windows: handle, caption, enabled, message text
        values = self.d("windows", self.id, class_name)
        return [values[n:n + 4] for n in range(0, len(values), 4)]
    def wait_window(self):
        wait(lambda: self.windows("Kraxolan Editor") or self.exit_code(0) is not None, "the main window", 30)
        check(self.exit_code(0), None, "the exit code before the main window showed")
        self.handle = self.windows("Kraxolan Editor")[0][0]
        self.idle()
    def idle(self):
        self.d("idle", self.handle)
    def title(self):
        return self.d("text", self.handle)[0]
    def wait_title(self, title):
        wait(lambda: self.title() == title, f"the title {title!r} (now {self.title()!r})")
    def status(self):
        return self.d("text", self.d("children", self.handle, "msctls_statusbar32")[0])[0]
    def command(self, command):  # posted: it may open a window
        self.send(W.WM_COMMAND, command, 0, "post")
    def commands(self, *commands):  # each handled before the next; none opens a window
        for command in commands:
            self.send(W.WM_COMMAND, command)
    def dialog(self, caption="", seconds=10):  # a box or dialog with the caption (any), enabled ones first, or None
        end = time.time() + seconds
        while True:
            found = sorted((w for w in self.windows("#32770") if caption in ("", w[1])), key=lambda w: w[2] != "1")
            if found or time.time() >= end:
                return Window(self, found[0][0], found[0][1], found[0][3]) if found else None
            time.sleep(0.02)
    def answer(self, caption, text, button):  # the message box saying the text, answered with the button
        box = self.dialog(caption)
        check(box and box.text, text, f"the message of {caption!r}")
        box.press(button)
    def selectors(self):  # level, graphics, teleport: top to bottom, then left to right
        selectors = [Window(self, h) for h in self.d("children", self.handle, "msctls_updown32")]
        return sorted(selectors, key=lambda selector: selector.rect()[1::-1])
    def selector(self, index):
        return self.selectors()[index].send(W.UDM_GETPOS32)
    def scroll(self, index, position):
        selector = self.selectors()[index]
        selector.send(W.UDM_SETPOS32, 0, position)
        self.send(W.WM_HSCROLL, position << 16 | W.SB_THUMBPOSITION, selector.handle)
        self.idle()
    def exit(self, what="the exit code"):  # Exit, and the editor ends with 0
        self.command(R.ID_FILE_EXIT)
        check(self.exit_code(), 0, what)
    def exit_code(self, seconds=20):  # None while the editor still runs
        code = self.d("exited", self.id, int(seconds * 1000))
        return int(code[0]) if code else None
    def capture(self, part="client"):  # the client area or the whole window as the display shows it
        left, top, right, bottom = self.rect(part)
        area = f"{right - left}x{bottom - top}+{left}+{top}"
        run("import", "-window", "root", "-crop", area, f"BMP3:{TEMP}/kxe2e.bmp")
        return Image.open(TEMP / "kxe2e.bmp").convert("RGB")
    def shows(self, expected, x, y, seconds=3):  # captured again while the screen lags behind the drawing
        end = time.time() + seconds
        while differing_pixels(self.capture().crop((x, y, x + expected.width, y + expected.height)), expected):
            if time.time() > end:
                self.capture().save(TEMP / "kxe2e-screen.png")
                raise Failure(f"the window does not show the picture at ({x}, {y}) ({TEMP}/kxe2e-screen.png)")
            time.sleep(0.05)
