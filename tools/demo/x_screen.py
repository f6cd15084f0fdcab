"""The X display as a user sees it: windows found by name, real pointer input through
xdotool, and pixels read back from the screen with ImageMagick's import."""

import re
import subprocess
import time


class Timeout(AssertionError):
    """A condition that did not come true in time; the message says which."""


def wait_until(condition, timeout, what, interval=0.1):
    """Polls `condition` until it returns a true value, which it returns. A slow machine
    only makes the wait longer; the bound catches a hang."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise Timeout(f"not within {timeout} s: {what}")
        time.sleep(interval)


def _run(*args):
    return subprocess.run(args, check=True, capture_output=True, text=True).stdout


class Image:
    """An RGB snapshot of a screen rectangle; pixels addressed relative to it."""

    def __init__(self, left, top, width, height, data):
        self.left, self.top, self.width, self.height = left, top, width, height
        self.data = data

    def pixel(self, x, y):
        i = 3 * (y * self.width + x)
        return tuple(self.data[i:i + 3])

    def count(self, predicate, box=None, step=1):
        """Pixels inside box (x, y, width, height; the whole image when None) for which
        predicate(rgb) holds; with a step, only every step-th pixel of every step-th row."""
        x0, y0, w, h = box or (0, 0, self.width, self.height)
        return sum(1 for y in range(y0, y0 + h, step) for x in range(x0, x0 + w, step)
                   if predicate(self.pixel(x, y)))

    def crop(self, box):
        x0, y0, w, h = box
        rows = (self.data[3 * ((y0 + y) * self.width + x0):3 * ((y0 + y) * self.width + x0 + w)]
                for y in range(h))
        return Image(self.left + x0, self.top + y0, w, h, b"".join(rows))

    def save_png(self, path):
        subprocess.run(["convert", "-size", f"{self.width}x{self.height}", "-depth", "8",
                        "rgb:-", path], input=self.data, check=True)


def near(rgb, hex_colour, tolerance=24):
    """True when rgb is within `tolerance` of "#RRGGBB" in every channel."""
    want = bytes.fromhex(hex_colour.lstrip("#"))
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, want))


def grab(left, top, width, height):
    """The screen's pixels in that rectangle (screen coordinates)."""
    data = subprocess.run(
        ["import", "-silent", "-window", "root", "-crop", f"{width}x{height}+{left}+{top}",
         "-depth", "8", "rgb:-"], check=True, capture_output=True).stdout
    if len(data) != 3 * width * height:
        raise RuntimeError(f"import gave {len(data)} bytes for a {width}x{height} grab")
    return Image(left, top, width, height, data)


class Window:
    """A top-level X window and the pointer input a user would give it. Coordinates of
    clicks and grabs are relative to the window's top-left corner."""

    def __init__(self, wid):
        self.wid = wid

    @staticmethod
    def find(title_pattern, timeout):
        """The first visible window whose name matches the regular expression."""
        def search():
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", title_pattern],
                                   capture_output=True, text=True).stdout.split()
            return found[0] if found else None
        return Window(wait_until(search, timeout, f"a visible window named /{title_pattern}/"))

    def geometry(self):
        """(x, y, width, height) on the screen."""
        out = _run("xdotool", "getwindowgeometry", "--shell", self.wid)
        values = dict(line.split("=", 1) for line in out.split())
        return int(values["X"]), int(values["Y"]), int(values["WIDTH"]), int(values["HEIGHT"])

    def viewable(self):
        out = subprocess.run(["xwininfo", "-id", self.wid], capture_output=True, text=True).stdout
        return re.search(r"Map State:\s+IsViewable", out) is not None

    def grab(self, box=None):
        x, y, w, h = self.geometry()
        bx, by, bw, bh = box or (0, 0, w, h)
        return grab(x + bx, y + by, bw, bh)

    def move_pointer(self, x, y):
        left, top, _, _ = self.geometry()
        _run("xdotool", "mousemove", str(left + x), str(top + y))

    def click(self, x, y):
        self.move_pointer(x, y)
        _run("xdotool", "click", "1")

    def drag(self, start, end):
        """Presses the left button at start, moves in steps to end and releases there."""
        self.move_pointer(*start)
        _run("xdotool", "mousedown", "1")
        left, top, _, _ = self.geometry()
        steps = 8
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            _run("xdotool", "mousemove", str(left + x), str(top + y))
        _run("xdotool", "mouseup", "1")
