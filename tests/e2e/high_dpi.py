"""The editor where Wine is set to 144 DPI: a taller caption, menu and status
bar, and the whole layout still inside the client area, at both zooms."""
from cases import start
from kx import Image, R, Window, check, kxl

def case_the_whole_layout_inside_the_window_at_both_zooms(d, folder):
    for z, settings in ((1, ""), (2, "[Kraxolan Editor Settings]\r\nZoom = TRUE\r\n")):
        (folder / "kraxed.ini").write_text(settings)
        editor = start(d, folder)
        left, top, right, _ = editor.rect("client")
        status_top = Window(editor, d("children", editor.handle, "msctls_statusbar32")[0]).rect()[1]
        check(right - left >= 523 * z - 6, True, f"room for the layout's width at zoom {z}")
        check(status_top - top >= 209 * z + 17, True, f"room for the layout above the status bar at zoom {z}")
        kxl("render", folder / "sample.kxl", 1, folder / "canvas.png", "--zoom", z, "--program-dir", folder)
        editor.shows(Image.open(folder / "canvas.png"), z, z + 16)  # the canvas where the layout puts it
        editor.command(R.ID_FILE_EXIT)
        check(editor.exit_code(), 0, "the exit code")
