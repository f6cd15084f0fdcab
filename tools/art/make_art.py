#!/usr/bin/env python3
"""Draws the client's artwork: the skin images, the window icon and the images of the
local pages and the demo site.

Each image is an SVG drawing rendered at its exact pixel size by rsvg-convert; shapes
sit on the pixel grid so that they stay crisp at 1x. The window shadow is computed
pixel by pixel, and the window icon is written as a classic 32-bit icon (a DIB with
alpha and an AND mask), which every Windows version reads.

The outputs are committed, so the build needs neither this script nor its tool.
To regenerate after changing a drawing (Debian: apt-get install librsvg2-bin):
    python3 tools/art/make_art.py
"""

import math
import pathlib
import struct
import subprocess
import zlib

ROOT = pathlib.Path(__file__).resolve().parents[2]
SKIN = ROOT / "app" / "skin"
HTML = ROOT / "app" / "Html"
DEMO_IMG = ROOT / "demo" / "img"

BLUE = "#0086F0"
BLUE_LIGHT = "#2FA4FF"
BLUE_DARK = "#0068D0"
RED = "#E81123"
RED_DARK = "#A90F1D"
LIVE_RED = "#FF3B4A"
GLYPH = "#C9C3CF"       # system glyphs at rest, on the #251F29 title row
TEXT = "#F9F9F9"
INK = "#2B2430"         # dark seams and patches
TAB_GLYPH = "#8E8893"   # tab close glyph on the light tabs


def svg(width, height, body, view=None):
    view = view or f"0 0 {width} {height}"
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="{view}">{body}</svg>')


def render(path, width, height, body, view=None):
    png = subprocess.run(["rsvg-convert", "--format=png"], input=svg(width, height, body, view).encode(),
                         stdout=subprocess.PIPE, check=True).stdout
    path.parent.mkdir(parents=True, exist_ok=True)
    path.write_bytes(png)


def strip(cell_width, cells):
    return "".join(f'<g transform="translate({i * cell_width},0)">{cell}</g>' for i, cell in enumerate(cells))


# --- PNG reading and writing (8-bit RGBA, non-interlaced: what rsvg-convert writes) ---

def png_chunks(data):
    pos = 8
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        yield kind, data[pos + 8:pos + 8 + length]
        pos += 12 + length


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    return a if pa <= pb and pa <= pc else (b if pb <= pc else c)


def read_png(path):
    """Returns (width, height, rows of RGBA bytes)."""
    data = path.read_bytes()
    idat = b""
    for kind, body in png_chunks(data):
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            assert depth == 8 and colour == 6 and interlace == 0, f"{path}: not 8-bit RGBA"
        elif kind == b"IDAT":
            idat += body
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for x in range(stride):
            left = line[x - 4] if x >= 4 else 0
            up = previous[x]
            up_left = previous[x - 4] if x >= 4 else 0
            line[x] = (line[x] + (0, left, up, (left + up) // 2, paeth(left, up, up_left))[kind]) & 0xFF
        rows.append(bytes(line))
        previous = line
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))
    raw = b"".join(b"\0" + row for row in rows)
    path.write_bytes(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                     + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def write_icon(png_path, ico_path):
    """One 32-bit icon image: bottom-up BGRA pixels, then an AND mask set where alpha is 0."""
    width, height, rows = read_png(png_path)
    pixels = b"".join(bgra(row) for row in reversed(rows))
    mask_stride = (width + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x in range(width):
            if row[x * 4 + 3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(bits)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                                                            len(image), 6 + 16)
    ico_path.write_bytes(directory + image)


def bgra(row):
    out = bytearray(len(row))
    out[0::4], out[1::4], out[2::4], out[3::4] = row[2::4], row[1::4], row[0::4], row[3::4]
    return bytes(out)


# --- The mark: a blue rounded square with a play sign and a live dot (24-unit grid) ---

def mark(highlight=False):
    shine = ('<path d="M6.5 1.5 H17.5 A5 5 0 0 1 22.5 6.5 V9 C16 11.5 8 11.5 1.5 9 V6.5 A5 5 0 0 1 6.5 1.5 Z" '
             'fill="#FFFFFF" fill-opacity="0.12"/>') if highlight else ""
    return ('<defs><linearGradient id="mark" x1="0" y1="0" x2="0" y2="1">'
            f'<stop offset="0" stop-color="{BLUE_LIGHT}"/><stop offset="1" stop-color="{BLUE_DARK}"/>'
            '</linearGradient></defs>'
            '<rect x="1" y="1" width="22" height="22" rx="5.5" fill="url(#mark)"/>' + shine +
            '<path d="M9.2 7.4 L16.4 12 L9.2 16.6 Z" fill="#FFFFFF" stroke="#FFFFFF" stroke-width="1.8" '
            'stroke-linejoin="round"/>'
            f'<circle cx="18.2" cy="5.8" r="2.6" fill="{LIVE_RED}" stroke="#FFFFFF" stroke-width="1"/>')


# --- Title row icons (18 x 18, light on the dark title row) ---

HOME = (f'<path d="M9 2 L1.5 8.8 H4 V16 H7.5 V11.5 H10.5 V16 H14 V8.8 H16.5 Z" fill="{TEXT}" '
        f'stroke="{TEXT}" stroke-width="0.6" stroke-linejoin="round"/>')

# A handset: earpiece at the top left, mouthpiece at the bottom right, joined by a curved grip.
CALL = (f'<path d="M4.6 2.2 L7.1 5.6 C7.5 6.2 7.3 6.9 6.7 7.3 L5.9 7.9 C6.9 10.1 8.2 11.4 10.3 12.3 '
        f'L10.9 11.5 C11.3 10.9 12 10.7 12.6 11.1 L16 13.6 C16.5 14 16.6 14.7 16.2 15.2 L15.1 16.4 '
        f'C14.3 17.2 13 17.4 11.9 16.9 C7.2 14.9 3.5 11.2 1.4 6.4 C0.9 5.3 1.1 4 1.9 3.2 L3.1 2.1 '
        f'C3.6 1.6 4.3 1.7 4.6 2.2 Z" fill="{TEXT}"/>')


# --- League icons (28 x 28) ---

def polygon(cx, cy, radius, start_degrees, sides=5):
    points = []
    for k in range(sides):
        angle = math.radians(start_degrees + 360 * k / sides)
        points.append(f"{cx + radius * math.cos(angle):.2f},{cy + radius * math.sin(angle):.2f}")
    return " ".join(points)


def football():
    body = ['<defs><clipPath id="ball"><circle cx="14" cy="14" r="12.5"/></clipPath>'
            '<radialGradient id="shade" cx="0.38" cy="0.32" r="0.75">'
            '<stop offset="0" stop-color="#FFFFFF"/><stop offset="1" stop-color="#CFCBD6"/></radialGradient></defs>',
            '<circle cx="14" cy="14" r="12.5" fill="url(#shade)"/>',
            f'<g clip-path="url(#ball)" fill="{INK}" stroke="{INK}" stroke-linejoin="round">',
            f'<polygon points="{polygon(14, 14.4, 3.7, -90)}" stroke-width="0.6"/>']
    for k in range(5):
        a = math.radians(-90 + 72 * k)
        body.append(f'<line x1="{14 + 3.7 * math.cos(a):.2f}" y1="{14.4 + 3.7 * math.sin(a):.2f}" '
                    f'x2="{14 + 9.6 * math.cos(a):.2f}" y2="{14.4 + 9.6 * math.sin(a):.2f}" stroke-width="0.9"/>')
        body.append(f'<polygon points="{polygon(14 + 12.8 * math.cos(a), 14.4 + 12.8 * math.sin(a), 3.4, -90 + 72 * k + 180)}" '
                    'stroke-width="0.6"/>')
    # A light rim keeps the ball round where the patches meet the dark row behind it.
    body.append('</g><circle cx="14" cy="14" r="12.5" fill="none" stroke="#E4E1E8" stroke-width="1"/>')
    return "".join(body)


BASKETBALL = ('<defs><clipPath id="ball"><circle cx="14" cy="14" r="12.5"/></clipPath>'
              '<radialGradient id="leather" cx="0.36" cy="0.3" r="0.8">'
              '<stop offset="0" stop-color="#FFA24A"/><stop offset="1" stop-color="#E0620E"/></radialGradient></defs>'
              '<circle cx="14" cy="14" r="12.5" fill="url(#leather)"/>'
              '<g clip-path="url(#ball)" fill="none" stroke="#4A240C" stroke-linecap="round">'
              '<path d="M14 1 V27 M1 14 H27" stroke-width="1.6"/>'
              '<path d="M6 3 C10.6 7.6 10.6 20.4 6 25 M22 3 C17.4 7.6 17.4 20.4 22 25" stroke-width="1.3"/></g>')


# --- System buttons: 60 x 20 strips of normal, hot and pushed 20 x 20 cells ---

def system_strip(glyph, hot_fill, hot_opacity, pushed_fill, pushed_opacity, pushed_glyph):
    def cell(fill, opacity, colour):
        background = (f'<rect x="0" y="0" width="20" height="20" rx="3" fill="{fill}" fill-opacity="{opacity}"/>'
                      if fill else "")
        return background + glyph.format(colour=colour)
    return strip(20, [cell(None, 0, GLYPH), cell(hot_fill, hot_opacity, "#FFFFFF"),
                      cell(pushed_fill, pushed_opacity, pushed_glyph)])


CLOSE_GLYPH = ('<path d="M6 6 L14 14 M14 6 L6 14" stroke="{colour}" stroke-width="1.3" '
               'stroke-linecap="round" fill="none"/>')
MIN_GLYPH = '<rect x="6" y="10" width="8" height="1" fill="{colour}"/>'
MAX_GLYPH = '<rect x="6.5" y="6.5" width="7" height="7" stroke="{colour}" stroke-width="1" fill="none"/>'
RESTORE_GLYPH = ('<rect x="5.5" y="8.5" width="6" height="6" stroke="{colour}" stroke-width="1" fill="none"/>'
                 '<path d="M8.5 8 V5.5 H14.5 V11.5 H12" stroke="{colour}" stroke-width="1" fill="none"/>')


def plain_system_strip(glyph):
    return system_strip(glyph, "#FFFFFF", 0.14, "#FFFFFF", 0.07, "#E4E0E8")


# --- Tab bar: the add button (four 25 x 34 cells) and the tab close icons (15 x 15) ---

def tab_add():
    # One-pixel bars on rows that survive the 34 to 30 pixel squeeze of the cell.
    plus = ('<rect x="8" y="17" width="9" height="1" fill="{colour}"/>'
            '<rect x="12" y="13" width="1" height="9" fill="{colour}"/>')
    def cell(fill, opacity, colour, glyph_opacity=1.0):
        background = (f'<rect x="2" y="5" width="21" height="25" rx="3" fill="{fill}" fill-opacity="{opacity}"/>'
                      if fill else "")
        return background + f'<g opacity="{glyph_opacity}">{plus.format(colour=colour)}</g>'
    return strip(25, [cell(None, 0, GLYPH), cell("#FFFFFF", 0.14, "#FFFFFF"), cell(BLUE, 1, "#FFFFFF"),
                      cell(None, 0, TEXT, 0.28)])


# The tab bar draws these into a 14 x 14 square, so the drawing keeps to the top-left 14 x 14.
def tab_close(disc):
    cross = ('<path d="M4.6 4.6 L9.4 9.4 M9.4 4.6 L4.6 9.4" stroke="{colour}" stroke-width="1.4" '
             'stroke-linecap="round" fill="none"/>')
    if disc is None:
        return cross.format(colour=TAB_GLYPH)
    return f'<circle cx="7" cy="7" r="6.5" fill="{disc}"/>' + cross.format(colour="#FFFFFF")


# --- Spare pieces in the archive: small button faces and option backgrounds ---

def button_face(top, bottom):
    return (f'<defs><linearGradient id="face" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="{top}"/>'
            f'<stop offset="1" stop-color="{bottom}"/></linearGradient></defs>'
            '<rect x="0.5" y="0.5" width="13" height="13" rx="3" fill="url(#face)" stroke="#000000" '
            'stroke-opacity="0.25"/>'
            '<path d="M3.5 1.5 H10.5" stroke="#FFFFFF" stroke-opacity="0.35"/>')


def option_face(width, height, fill, fill_opacity, line_opacity):
    return (f'<rect x="0.5" y="0.5" width="{width - 1}" height="{height - 1}" rx="3" fill="{fill}" '
            f'fill-opacity="{fill_opacity}" stroke="#FFFFFF" stroke-opacity="{line_opacity}"/>')


# --- Window shadow: 29 x 30, nine-grid corners 10,10,10,11 ---
# The shadow window is the main window's rectangle grown by 5, 5, 9 and 11 pixels, and
# the image is stretched over it with those corners fixed, so the window covers the
# image from (5, 5) to (20, 19). That part stays transparent; outside it the shadow
# falls off like a blur of a window lit from above, longest below and to the right.
# The middle row and column stand for the window's long edges and are uniform, so
# stretching them keeps the shadow even.

def shadow_rows():
    width, height = 29, 30
    window = (5, 5, 20, 19)         # left, top, right, bottom (exclusive)
    left, top, right, bottom = 1.9, 1.9, 3.2, 3.9    # fall-off per side (Gaussian sigma, px)
    reach = (0.70, 0.60, 0.90, 1.00)                # strength per side
    darkness = 0.34

    def falloff(position, start, end, sigma_low, sigma_high, low, high):
        if position < start:
            return low * math.exp(-((start - position) / sigma_low) ** 2 / 2)
        if position >= end:
            return high * math.exp(-((position - end) / sigma_high) ** 2 / 2)
        return 1.0

    rows = []
    for y in range(height):
        row = bytearray()
        for x in range(width):
            inside = window[0] <= x < window[2] and window[1] <= y < window[3]
            horizontal = falloff(x + 0.5, window[0], window[2], left, right, reach[0], reach[2])
            vertical = falloff(y + 0.5, window[1], window[3], top, bottom, reach[1], reach[3])
            alpha = 0 if inside else round(255 * darkness * horizontal * vertical)
            row += bytes((0, 0, 0, alpha))
        rows.append(bytes(row))
    return width, height, rows


# --- Images of the local pages and the demo site ---

NO_CONNECTION = ('<circle cx="48" cy="48" r="44" fill="#EEF3F9"/>'
                 '<g fill="none" stroke="#8FA3B8" stroke-width="5" stroke-linecap="round">'
                 '<path d="M24 42 C36 30 60 30 72 42"/><path d="M32 52 C41 44 55 44 64 52"/></g>'
                 '<circle cx="48" cy="63" r="5" fill="#8FA3B8"/>'
                 f'<circle cx="70" cy="70" r="14" fill="{RED}"/>'
                 '<path d="M64 64 L76 76 M76 64 L64 76" stroke="#FFFFFF" stroke-width="3.5" stroke-linecap="round"/>')


def pitch(width, height):
    """A football pitch seen from above, for the demo site's banner."""
    cx, cy = width / 2, height / 2
    stripes = "".join(f'<rect x="{x}" y="0" width="{width / 12:.1f}" height="{height}" fill="#2F8F46"/>'
                      for x in [i * width / 6 for i in range(6)])
    lines = (f'<rect x="16.5" y="16.5" width="{width - 33}" height="{height - 33}"/>'
             f'<path d="M{cx} 16.5 V{height - 16.5}"/><circle cx="{cx}" cy="{cy}" r="34"/>'
             f'<rect x="16.5" y="{cy - 52}" width="70" height="104"/><rect x="16.5" y="{cy - 22}" width="24" height="44"/>'
             f'<rect x="{width - 86.5}" y="{cy - 52}" width="70" height="104"/>'
             f'<rect x="{width - 40.5}" y="{cy - 22}" width="24" height="44"/>')
    ball = (f'<circle cx="{cx + 118}" cy="{cy + 22}" r="11" fill="#FFFFFF"/>'
            f'<polygon points="{polygon(cx + 118, cy + 22, 4, -90)}" fill="{INK}"/>')
    return (f'<rect width="{width}" height="{height}" fill="#38A352"/>{stripes}'
            f'<g fill="none" stroke="#FFFFFF" stroke-opacity="0.85" stroke-width="2">{lines}'
            f'<circle cx="{cx}" cy="{cy}" r="2.5" fill="#FFFFFF"/></g>{ball}')


def court(width, height):
    """A basketball court seen from above."""
    cx, cy = width / 2, height / 2
    lines = (f'<rect x="12.5" y="12.5" width="{width - 25}" height="{height - 25}"/>'
             f'<path d="M{cx} 12.5 V{height - 12.5}"/><circle cx="{cx}" cy="{cy}" r="22"/>'
             f'<rect x="12.5" y="{cy - 24}" width="66" height="48"/><circle cx="78.5" cy="{cy}" r="24"/>'
             f'<rect x="{width - 78.5}" y="{cy - 24}" width="66" height="48"/>'
             f'<circle cx="{width - 78.5}" cy="{cy}" r="24"/>'
             f'<path d="M12.5 {cy - 70} H30 A72 72 0 0 1 30 {cy + 70} H12.5"/>'
             f'<path d="M{width - 12.5} {cy - 70} H{width - 30} A72 72 0 0 0 {width - 30} {cy + 70} H{width - 12.5}"/>')
    return (f'<rect width="{width}" height="{height}" fill="#D9984F"/>'
            f'<rect x="12" y="12" width="{width - 24}" height="{height - 24}" fill="#E3A862"/>'
            f'<g fill="none" stroke="#FFFFFF" stroke-opacity="0.9" stroke-width="2.5">{lines}</g>')


def main():
    render(SKIN / "logo.png", 24, 24, mark(), "0 0 24 24")
    render(SKIN / "home.png", 18, 18, HOME)
    render(SKIN / "call.png", 18, 18, CALL)
    render(SKIN / "football.png", 28, 28, football())
    render(SKIN / "basketball.png", 28, 28, BASKETBALL)
    render(SKIN / "btn_close.png", 60, 20, system_strip(CLOSE_GLYPH, RED, 1, RED_DARK, 1, "#FFFFFF"))
    render(SKIN / "btn_min.png", 60, 20, plain_system_strip(MIN_GLYPH))
    render(SKIN / "btn_max.png", 60, 20, plain_system_strip(MAX_GLYPH))
    render(SKIN / "btn_restore.png", 60, 20, plain_system_strip(RESTORE_GLYPH))
    render(SKIN / "tab_add.png", 100, 34, tab_add())
    render(SKIN / "close_nor.png", 15, 15, tab_close(None))
    render(SKIN / "close_hot.png", 15, 15, tab_close(RED))
    render(SKIN / "close_push.png", 15, 15, tab_close(RED_DARK))
    render(SKIN / "btn_normal.png", 14, 14, button_face(BLUE_LIGHT, BLUE_DARK))
    render(SKIN / "btn_warn.png", 14, 14, button_face("#FF5A66", "#C40E1E"))
    render(SKIN / "option_nor.png", 39, 26, option_face(39, 26, "#FFFFFF", 0, 0.16))
    render(SKIN / "option_hot.png", 39, 26, option_face(39, 26, "#FFFFFF", 0.10, 0.24))
    render(SKIN / "option_select.png", 38, 23, option_face(38, 23, BLUE, 1, 0))
    write_png(SKIN / "Aero.png", *shadow_rows())

    icon_png = HTML / "logo.png"
    render(icon_png, 64, 64, mark(highlight=True), "0 0 24 24")
    write_icon(icon_png, ROOT / "app" / "Zeltavue.ico")
    render(HTML / "error.png", 96, 96, NO_CONNECTION)

    render(DEMO_IMG / "logo.png", 48, 48, mark(highlight=True), "0 0 24 24")
    render(DEMO_IMG / "pitch.png", 640, 220, pitch(640, 220))
    render(DEMO_IMG / "court.png", 640, 220, court(640, 220))


if __name__ == "__main__":
    main()
