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
# Links in the demo style sheet's colour, or in the engine's own where no sheet applies.
LINK_COLOURS = ("#0086F0", "#0000EE")
PITCH_GREEN = "#2F8F46"            # the darker stripes of the demo home page's pitch picture
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


def is_link(rgb):
    return any(near(rgb, colour, 10) for colour in LINK_COLOURS)


def link_lines(image, below):
    """Lines of link-coloured text in the page area under window row `below`, top to
    bottom, as (top row, sorted columns of their link pixels) in window coordinates."""
    px, py, pw, ph = PAGE
    lines, last = [], None
    for y in range(max(py, below), py + ph):
        xs = [x for x in range(px, px + pw) if is_link(image.pixel(x, y))]
        if len(xs) >= 3:
            if last is None or y - last > 3:
                lines.append((y, set()))
            lines[-1][1].update(xs)
            last = y
    return [(top, sorted(xs)) for top, xs in lines]


def pitch_bottom(image):
    """The last page row that crosses the demo home page's pitch picture."""
    px, py, pw, ph = PAGE
    rows = [y for y in range(py, py + ph)
            if image.count(lambda rgb: near(rgb, PITCH_GREEN, 6), (px, y, pw, 1), step=4) >= 40]
    if not rows:
        raise AssertionError("the home page's pitch picture is not in the page area")
    return rows[-1]


def first_popup_link(image):
    """Centre of the first link under the demo home page's pitch picture, in window
    coordinates: the first match's details, which open in a new window. A link's
    letters are less than 8 pixels apart."""
    lines = link_lines(image, pitch_bottom(image) + 1)
    if not lines:
        raise AssertionError("no link under the pitch picture in the page area")
    top, xs = lines[0]
    last = 0
    while last + 1 < len(xs) and xs[last + 1] - xs[last] < 8:
        last += 1
    return (xs[0] + xs[last]) // 2, top + 6


def wait_for_window(timeout):
    return Window.find(TITLE, timeout)


def wait_for_page(window, timeout, condition, what, evidence=None):
    """Waits until the page area shows a page that has settled (its images drawn: three
    grabs in a row alike) and condition(grab) holds; returns that grab. On a timeout the
    last grab is saved to `evidence` when given."""
    grabs = []

    def settled():
        image = window.grab()
        grabs[:] = [image] + grabs[:2]
        pages = {g.crop(PAGE).data for g in grabs}
        return len(grabs) == 3 and len(pages) == 1 and page_shown(image) and condition(image) and image

    try:
        return wait_until(settled, timeout, what, interval=0.5)
    except Timeout:
        if evidence and grabs:
            grabs[0].save_png(evidence)
        raise


def wait_until_ready(window, timeout, evidence=None):
    """The home page and the configuration have arrived."""
    return wait_for_page(window, timeout, ads_shown, "the home page and the advertisements", evidence)
