"""The real client against the demo site, driven through the X server with real pointer
input, and judged by what the screen and the process table show.

    client_journey.py BUILD
"""

import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(ROOT, "tools", "demo"))

import main_window as mw  # noqa: E402
from demo_server import DemoServer  # noqa: E402
from wine_client import WineClient  # noqa: E402
from x_screen import wait_until  # noqa: E402

STEP_TIMEOUT = 60  # s: only catches a hang; a busy machine makes each step slower


def step(text):
    print(f"-- {text}", flush=True)


def option_selected(window, box):
    return mw.text_pixels(window.grab(box), None, mw.SELECTED_TEXT) >= 5


def journey(client, evidence):
    step("the window appears at the skin's size, the page and the advertisements load")
    window = mw.wait_for_window(STEP_TIMEOUT)
    assert window.viewable(), "the main window is not viewable"
    _, _, width, height = window.geometry()
    assert (width, height) == mw.SIZE, f"window size {width}x{height}"
    image = mw.wait_until_ready(window, 2 * STEP_TIMEOUT, evidence)
    assert mw.tab_present(image, 0) and not mw.tab_present(image, 1), "one tab at start"
    assert option_selected(window, mw.HOME_OPTION), "the home option starts selected"

    step("a league option takes the selection")
    window.click(*mw.center(mw.NBA_OPTION))
    window.move_pointer(*mw.CAPTION_POINT)  # its hot colour is nearly the selected one
    wait_until(lambda: option_selected(window, mw.NBA_OPTION)
               and not option_selected(window, mw.HOME_OPTION),
               STEP_TIMEOUT, "the NBA option drawn selected, the home option not")

    step("a pop-up link in the page opens a second tab with the linked page")
    home = mw.wait_until_ready(window, STEP_TIMEOUT, evidence)
    window.click(*mw.first_popup_link(home))
    mw.wait_for_page(window, STEP_TIMEOUT,
                     lambda image: mw.tab_present(image, 1)
                     and image.crop(mw.PAGE).data != home.crop(mw.PAGE).data,
                     "a second tab with another page", evidence)

    step("the tab's close button closes it")
    window.click(*mw.tab_close_button(1))
    window.move_pointer(*mw.CAPTION_POINT)
    wait_until(lambda: not mw.tab_present(window.grab(), 1), STEP_TIMEOUT, "the second tab gone")

    step("dragging the caption moves the window")
    x0, y0, _, _ = window.geometry()
    dx, dy = -60, -50  # the window stays on the screen, so its close button can be clicked
    window.drag(mw.CAPTION_POINT, (mw.CAPTION_POINT[0] + dx, mw.CAPTION_POINT[1] + dy))
    wait_until(lambda: window.geometry() == (x0 + dx, y0 + dy, *mw.SIZE), STEP_TIMEOUT,
               f"the window at {x0 + dx},{y0 + dy} with its size")

    step("the close button ends the client and its renderers")
    window.click(*mw.CLOSE_BUTTON)
    code = client.wait(STEP_TIMEOUT)
    assert code == 0, f"exit code {code}"
    left = client.wait_for_renderers_to_end(STEP_TIMEOUT)
    assert not left, f"renderer processes left: {left}"


def main(build):
    build = os.path.abspath(build)
    server = DemoServer(os.path.join(ROOT, "demo"), os.path.join(build, "demo", "config.dat"))
    client = WineClient(build, [f"--site-root={server.url}"])
    try:
        client.warm()
        client.start()
        journey(client, os.path.join(build, "demo", "journey-timeout.png"))
    finally:
        client.kill()
        server.stop()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
