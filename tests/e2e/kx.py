"""The tests' side of kxdrive.exe: the driver, the editor and its dialogs,
fresh program folders, and the level-set tool kxl for what a file holds and
what the window should show."""
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
KXL = ROOT / "build/native/kxl"
TEMP = Path(tempfile.gettempdir())


def _names(text, pattern):
    return types.SimpleNamespace(**{m[1]: int(m[2], 0) for m in re.finditer(pattern, text)})


# The program's own ids (menu commands, dialogs and their controls).
R = _names((ROOT / "res/resource.h").read_text(), r"#define (\w+) (\d+)")
# The Win32 values the tests use.
W = _names("""WM_NULL=0 WM_SETTEXT=0x0C WM_CLOSE=0x10 WM_KEYUP=0x101 WM_COMMAND=0x111
  WM_SYSCOMMAND=0x112 WM_TIMER=0x113 WM_HSCROLL=0x114 WM_MOUSEMOVE=0x200 WM_LBUTTONDOWN=0x201
  WM_LBUTTONUP=0x202 WM_LBUTTONDBLCLK=0x203 WM_RBUTTONDOWN=0x204 WM_RBUTTONUP=0x205 SC_CLOSE=0xF060
  MK_LBUTTON=1 MK_RBUTTON=2 MK_SHIFT=4 MK_CONTROL=8 BM_GETCHECK=0xF0 BM_SETCHECK=0xF1 BM_CLICK=0xF5
  CB_GETCOUNT=0x146 CB_GETCURSEL=0x147 CB_SETCURSEL=0x14E CBN_SELCHANGE=1 LB_GETCOUNT=0x18B
  TBM_GETPOS=0x400 TBM_GETRANGEMIN=0x401 TBM_GETRANGEMAX=0x402 TBM_SETPOS=0x405 UDM_GETRANGE32=0x470
  UDM_SETPOS32=0x471 UDM_GETPOS32=0x472 UDM_GETRANGE=0x465 SB_THUMBPOSITION=4 WM_NEXTDLGCTL=0x28 TB_THUMBPOSITION=4
  TB_THUMBTRACK=5 TB_ENDTRACK=8 IDOK=1 IDCANCEL=2 IDYES=6 IDNO=7
  VK_RETURN=0x0D VK_SHIFT=0x10 VK_CONTROL=0x11 VK_ESCAPE=0x1B VK_PRIOR=0x21 VK_NEXT=0x22 VK_END=0x23
  VK_HOME=0x24 VK_LEFT=0x25 VK_UP=0x26 VK_RIGHT=0x27 VK_DOWN=0x28 VK_DELETE=0x2E FSHIFT=4 FCONTROL=8
  FALT=0x10 FILE_NAME_EDIT=0x480 FILE_NAME_COMBO=0x47C MESSAGE_TEXT=0xFFFF""", r"(\w+)=(\w+)")
BACKGROUND = (212, 208, 200)  # the window's background in kxl's pictures
FOCUS_SETTLE = 0.4  # seconds the focus stays on a window before keys reach it whole


class Failure(Exception):
    pass


def check(value, expected, what):
    if value != expected:
        raise Failure(f"{what}: {value!r}, expected {expected!r}")


def wait(condition, seconds=10, what="a condition"):
    end = time.time() + seconds
    while not condition():
        if time.time() > end:
            raise Failure(f"{what} did not come within {seconds} s")
        time.sleep(0.02)


def _unescape(value):
    return re.sub(r"\\(.)", lambda m: {"t": "\t", "n": "\n", "r": "\r"}.get(m[1], m[1]), value)


class Driver:
    """kxdrive.exe under Wine: one command a line, one answer a line."""

    def __init__(self):
        self.process = subprocess.Popen(["wine", str(ROOT / "build/win/kxdrive.exe")], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, text=True, encoding="latin-1")
        self.editors = []  # every editor started

    def __call__(self, *words):
        self.process.stdin.write("\t".join(str(w) for w in words) + "\n")
        self.process.stdin.flush()
        answer = self.process.stdout.readline()
        if not answer:
            raise Failure("the driver has ended")
        status, *values = [_unescape(v) for v in answer.rstrip("\r\n").split("\t")]
        if status != "ok":
            raise Failure(f"{words[0]}: {values[0]}")
        if words[0] == "start":
            self.editors += values
        return values

    def end_editors(self):
        for editor in self.editors:
            self("kill", editor)
        self.editors = []

    def close(self):
        self.process.stdin.close()
        self.process.wait(30)


def win(path):
    """The Windows path of a Linux path, by Wine's drive Z:."""
    return "Z:" + str(path).replace("/", "\\")


class Folder:
    """A fresh copy of the program folder (kraxed.exe and its data, no kraxed.ini)."""

    def __init__(self):
        self.path = Path(tempfile.mkdtemp(prefix="kxe2e-"))
        shutil.copytree(ROOT / "build/program", self.path, dirs_exist_ok=True,
                        ignore=shutil.ignore_patterns("kraxed.ini", "*.pdf"))

    def __truediv__(self, name):
        return self.path / name

    def remove(self):
        shutil.rmtree(self.path, ignore_errors=True)


def title_for(path, modified=False):
    return f"Kraxolan Editor - [{path}{' *' if modified else ''}]"


def kxl(*args):
    return subprocess.run([str(KXL), *map(str, args)], capture_output=True, text=True, timeout=30)


def levels_of(path):
    """The ten levels of a level-set file as kxl exports them."""
    out = TEMP / f"kxe2e-{os.getpid()}.json"
    result = kxl("export", path, out)
    check(result.returncode, 0, f"kxl export {path}: {result.stderr}")
    return json.loads(out.read_text())["levels"]


def write_levels(levels, path):
    source = TEMP / f"kxe2e-{os.getpid()}.json"
    source.write_text(json.dumps({"format": "kxl-json", "version": 1, "levels": levels}))
    check(kxl("import", source, path).returncode, 0, f"kxl import to {path}")


def _differs(a, b):
    """A mask: 255 where the two pictures differ in any channel."""
    red, green, blue = ImageChops.difference(a.convert("RGB"), b.convert("RGB")).split()
    return ImageChops.lighter(ImageChops.lighter(red, green), blue).point(lambda v: 255 if v else 0)


def differing_pixels(screen, expected):
    """The pixels the editor paints that differ. Where the picture shows the
    window's background the system draws the captions and the selectors, in
    its own font and style: those pixels are not compared."""
    if screen.size != expected.size:
        return -1
    painted = _differs(expected, Image.new("RGB", expected.size, BACKGROUND))
    return ImageChops.multiply(_differs(screen, expected), painted).histogram()[255]


class Window:
    """A window of an editor: its main window or one of its dialogs."""

    def __init__(self, editor, handle, caption="", text=""):
        self.editor = editor
        self.d = editor.d
        self.handle = handle
        self.caption = caption
        self.text = text

    def send(self, message, wparam=0, lparam=0):
        return int(self.d("send", self.handle, message, wparam, lparam)[0])

    def post(self, message, wparam=0, lparam=0):
        self.d("post", self.handle, message, wparam, lparam)

    def item(self, control):
        return Window(self.editor, self.d("item", self.handle, control)[0])

    def rect(self, part="window"):
        return [int(v) for v in self.d("rect", self.handle, part)]

    def alive(self):
        return self.d("alive", self.handle)[0] == "1"

    def pick(self, combo, index):
        """A drop-down list's entry chosen as the user's pick does: the choice, then the note."""
        self.item(combo).send(W.CB_SETCURSEL, index)
        self.send(W.WM_COMMAND, W.CBN_SELCHANGE << 16 | combo, self.item(combo).handle)

    def choice(self, combo):
        return self.item(combo).send(W.CB_GETCURSEL)

    def keys(self, *keys):
        self.d("keys", self.handle, *keys)

    def press(self, button):
        self.post(W.WM_COMMAND, button, self.item(button).handle)
        self.gone()

    def close(self):
        self.post(W.WM_SYSCOMMAND, W.SC_CLOSE)
        self.gone()

    def gone(self):
        wait(lambda: not self.alive(), what=f"the end of {self.caption!r}")
        self.editor.focus_at = time.time()

    def choose_file(self, path):
        """A common file dialog answered with the path."""
        name = self.item(W.FILE_NAME_EDIT)
        if name.handle == "0":
            name = self.item(W.FILE_NAME_COMBO)
        self.d("settext", name.handle, path)
        self.press(W.IDOK)


class Editor(Window):
    """kraxed.exe started in a program folder; waits for its main window."""

    def __init__(self, d, folder, args="", quoted=True, workdir="", window=True):
        self.d = d
        self.folder = folder
        self.focus_at = time.time()
        self.id = d("start", win(folder.path), int(quoted), workdir, args)[0]
        super().__init__(self, None)
        if window:
            self.wait_window()

    def wait_window(self):
        self.handle = self.d("window", self.id, 30000)[0]
        self.focus_at = time.time()
        self.idle()

    def idle(self):
        self.d("idle", self.handle)

    def title(self):
        return self.d("text", self.handle)[0]

    def wait_title(self, title, seconds=10):
        wait(lambda: self.title() == title, seconds, f"the title {title!r} (now {self.title()!r})")

    def status(self):
        return self.d("text", self.d("children", self.handle, "msctls_statusbar32")[0])[0]

    def command(self, command):
        self.post(W.WM_COMMAND, command)

    def mouse(self, message, x, y, keys=0):
        self.send(message, keys, y << 16 | x)
        self.idle()

    def click(self, x, y, keys=0, down=W.WM_LBUTTONDOWN):
        self.mouse(down, x, y, keys | (W.MK_RBUTTON if down == W.WM_RBUTTONDOWN else W.MK_LBUTTON))
        self.mouse(down + 1, x, y, keys)

    def drag(self, points, keys=0):
        self.mouse(W.WM_LBUTTONDOWN, *points[0], W.MK_LBUTTON | keys)
        for point in points[1:]:
            self.mouse(W.WM_MOUSEMOVE, *point, W.MK_LBUTTON | keys)
        self.mouse(W.WM_LBUTTONUP, *points[-1], keys)

    def keys(self, *keys):
        time.sleep(max(0.0, self.focus_at + FOCUS_SETTLE - time.time()))
        super().keys(*keys)

    def dialog(self, caption="", seconds=10):
        found = self.d("dialog", self.id, caption, int(seconds * 1000))
        return Window(self, *found) if found else None

    def expect_dialog(self, caption, text=None):
        dialog = self.dialog(caption)
        if dialog is None or (text is not None and dialog.text != text):
            raise Failure(f"no window {caption!r} saying {text!r}"
                          + (f" but {dialog.caption!r}: {dialog.text!r}" if dialog else ""))
        return dialog

    def answer(self, caption, text, button):
        self.expect_dialog(caption, text).press(button)

    def selectors(self):
        """The level, graphics and teleport selectors."""
        return [Window(self, h) for h in self.d("children", self.handle, "msctls_updown32")]

    def selector(self, index):
        return self.selectors()[index].send(W.UDM_GETPOS32)

    def scroll(self, index, position):
        selector = self.selectors()[index]
        selector.send(W.UDM_SETPOS32, 0, position)
        self.send(W.WM_HSCROLL, position << 16 | W.SB_THUMBPOSITION, selector.handle)
        self.idle()

    def exit_code(self, seconds=20):
        """The exit code, or None while the editor still runs."""
        code = self.d("exited", self.id, int(seconds * 1000))
        return int(code[0]) if code else None

    def capture(self, path, part="client", box=None):
        self.d("shot", self.handle, part, win(path))
        picture = Image.open(path).convert("RGB")
        return picture.crop((box[0], box[1], box[0] + box[2], box[1] + box[3])) if box else picture

    def shows(self, expected, box, seconds=3):
        """Captures the box of the client area until it shows the picture, or
        the time is up (the screen lags behind the program's drawing); on a
        difference both pictures stay in the temporary folder for a look."""
        end = time.time() + seconds
        while True:
            screen = self.capture(self.folder / "screen.png", "client", box)
            differing = differing_pixels(screen, expected)
            if differing == 0:
                return
            if time.time() > end:
                kept = TEMP / f"kxe2e-differs-{int(time.time() * 1000)}"
                screen.save(f"{kept}-screen.png")
                expected.save(f"{kept}-expected.png")
                raise Failure(f"{differing} pixels differ from what should show ({kept}-*.png)")
            time.sleep(0.05)
