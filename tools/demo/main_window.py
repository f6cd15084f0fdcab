"""Where the main window's skin puts things (app/skin/MainWnd.xml at its size of 1080 by
700, in window coordinates) and how its state shows in pixels."""

from x_screen import Timeout, Window, near, wait_until

TITLE = r"^Zeltavue "
SIZE = (1080, 700)

CLOSE_BUTTON = (1070, 12)          # "btn_sys_close": 20 x 20 at 1060,2
CAPTION_POINT = (500, 18)          # the title row between the product name and the buttons
HOME_OPTION = (30, 52, 50, 20)     # "opt_sy"
NBA_OPTION = (431, 42, 30, 20)     # "opt_nba": the basketball column starts at 361
TOP_AD_1 = (620, 42, 120, 20)      # "btn_topad1": the advertisement column starts at 620
NAV_BACKGROUND = "#261E29"
TAB_HEIGHT = 30
TAB_BAR_TOP = 87                   # title row 36, a 1-pixel line, navigation row 50
TAB_LEFT, TAB_WIDTH = 2, 120
PAGE = (2, 117, 1076, 547)         # "webparent", between the tab bar and the status row
SELECTED_TEXT = "#0086F7"
LINK = "#0000EE"                   # links as the built-in engine draws them
WHITE = (255, 255, 255)


def center(box):
    x, y, w, h = box
    return x + w // 2, y + h // 2


def tab_box(index):
    return (TAB_LEFT + index * TAB_WIDTH, TAB_BAR_TOP, TAB_WIDTH, TAB_HEIGHT)


def tab_close_button(index):
    """Centre of a tab's close button: 14 x 14, inset 1 pixel from the tab's top right."""
    x, y, w, _ = tab_box(index)
    return x + w - 8, y + 8


def text_pixels(image, box, colour, tolerance=12):
    return image.count(lambda rgb: near(rgb, colour, tolerance), box)


def tab_present(image, index):
    """A tab paints its box light (white or light grey) where the bar shows the dark
    window background."""
    return image.count(lambda rgb: min(rgb) >= 0xE0, tab_box(index)) > TAB_WIDTH * TAB_HEIGHT // 2


def ads_shown(image):
    """The first top advertisement has text on the navigation row's background."""
    return image.count(lambda rgb: not near(rgb, NAV_BACKGROUND, 16), TOP_AD_1) >= 20


def page_shown(image):
    """More than 2 % of the page area is not the blank page's white."""
    sampled = image.count(lambda rgb: rgb != WHITE, PAGE, step=4)
    return sampled * 16 > PAGE[2] * PAGE[3] // 50


def link_lines(image):
    """Lines of link-coloured text in the page area, top to bottom, as lists of the
    columns where link pixels are, in window coordinates."""
    px, py, pw, ph = PAGE
    lines, gap = [], None
    for y in range(py, py + ph):
        xs = [x for x in range(px, px + pw) if near(image.pixel(x, y), LINK, 10)]
        if len(xs) >= 3:
            if gap is None or y - gap > 3:
                lines.append((y, set()))
            lines[-1][1].update(xs)
            gap = y
    return [(top, sorted(xs)) for top, xs in lines]


def first_popup_link(image):
    """Centre of the first link on the demo home page's second line of links (the first
    is its navigation; the next one opens a match page in a new window), in window
    coordinates. A link's letters are less than 8 pixels apart."""
    lines = link_lines(image)
    if len(lines) < 2:
        raise AssertionError(f"{len(lines)} lines of links in the page area, not 2")
    top, xs = lines[1]
    last = 0
    while last + 1 < len(xs) and xs[last + 1] - xs[last] < 8:
        last += 1
    return (xs[0] + xs[last]) // 2, top + 6


def wait_for_window(timeout):
    return Window.find(TITLE, timeout)


def wait_until_ready(window, timeout, evidence=None):
    """Waits until the home page and the configuration have arrived and the page has
    settled (its images drawn): three grabs of the page area in a row are the same.
    On a timeout, the last grab is saved to `evidence` when given."""
    grabs = []

    def settled():
        image = window.grab()
        grabs[:] = [image] + grabs[:2]
        same = len(grabs) == 3 and all(g.crop(PAGE).data == grabs[0].crop(PAGE).data for g in grabs)
        return same and page_shown(image) and ads_shown(image) and image

    try:
        return wait_until(settled, timeout, "the home page and the advertisements", interval=0.5)
    except Timeout:
        if evidence and grabs:
            grabs[0].save_png(evidence)
        raise
