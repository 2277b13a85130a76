"""The question board: the controls of each layout, fitted pictures, label colours, scrolling."""
import subprocess

from harness import (Player, by_id, check, check_as_repainted, check_equal, colours, extent, near,
                     one, wait_equal)

WM_VSCROLL, WM_HSCROLL, WM_MOUSEWHEEL = 0x0115, 0x0114, 0x020A
STM_GETIMAGE = 0x0173
SB_LINEDOWN, SB_PAGEDOWN, SB_THUMBTRACK, SB_TOP, SB_BOTTOM = 1, 3, 5, 6, 7
WHEEL_DOWN = 500  # the board's private code for one notch toward the user
WS_BORDER = 0x00800000

# Pictures of known sizes in one colour, made with ImageMagick for the test. Each has a white
# top left pixel: a label centring a bitmap fills the rest of its area with that pixel's colour,
# so the extent of the picture's own colour on the screen is the extent of the bitmap.
PICTURES = {
    "rouge.jpg": ((520, 390), (200, 30, 30)),
    "bleu.gif": ((100, 50), (0, 0, 255)),
    "vert.png": ((260, 100), (30, 160, 30)),
    "jaune.png": ((520, 520), (230, 200, 0)),
    "violet.gif": ((100, 50), (128, 0, 128)),
    # Fitted to 52 x 260 in double arithmetic; 80-bit arithmetic makes it 51 x 260.
    "orange.png": ((11, 55), (240, 130, 0)),
}
# A JPEG of one colour comes back within a few steps of it.
TOLERANCE = 6


def draw_pictures(folder):
    for name, ((width, height), (red, green, blue)) in PICTURES.items():
        subprocess.run(["convert", "-size", f"{width}x{height}", f"xc:rgb({red},{green},{blue})",
                        "-fill", "white", "-draw", "point 0,0", str(folder / name)], check=True)


def with_pictures(session, quiz_text):
    """The quiz text with `pictures/` made an absolute folder of pictures drawn for the run."""
    return quiz_text.replace("pictures/", str(session.shared("pictures", draw_pictures)) + "/")


def children(player, window):
    """The header bar, the board and the board's controls (in creation order)."""
    tree = player.tree(window["hwnd"])
    dialogs = sorted((w for w in tree if w["depth"] == 1 and w["class"] == "#32770"),
                     key=lambda w: w["y"])
    check_equal(len(dialogs), 2, "dialogs in the main window")
    header, board = dialogs
    start = tree.index(board)
    controls = []
    for control in tree[start + 1:]:
        if control["depth"] <= 1:
            break
        controls.append(control)
    return header, board, controls


def control(player, window, control_id):
    """One control of the board, by its id. Once the board has been read whole, a control is read
    alone: reading a control asks the player for its text, and scenarios poll single controls
    often. A control no longer there (a new board, a new run) sends the reader back to the whole
    board."""
    known = player.known_controls.get(control_id)
    if known:
        alone = player.tree(known)
        if alone and alone[0]["hwnd"] == known and alone[0]["id"] == control_id:
            return alone[0]
    controls = children(player, window)[2]
    player.known_controls = {c["id"]: c["hwnd"] for c in controls
                             if len(by_id(controls, c["id"])) == 1}
    return one(controls, control_id)


def enlarge(session, player, window, width, height):
    """Moves the main window to the top left corner of the screen and gives it a new size."""
    session.reader("resize", window["hwnd"], width, height, 0, 0)
    return player.wait_window(window["text"])


def place(control):
    return (control["x"], control["y"], control["width"], control["height"])


def check_controls(controls, expected):
    """`expected`: (id, class, text, style, x, y, width, height) in creation order. An edit
    control drops WS_BORDER from its style when it is created (it draws its own border)."""
    actual = [(c["id"], c["class"], c["text"], c["style"], *place(c)) for c in controls]
    wanted = [(i, k, t, s & ~WS_BORDER if k == "Edit" else s, *rest)
              for (i, k, t, s, *rest) in expected]
    for index, (got, want) in enumerate(zip(actual, wanted)):
        check_equal(got, want, f"control {index + 1} of the board")
    check_equal(len(actual), len(wanted), "number of controls on the board")


def scroll_bars(session, board):
    return session.reader("scroll", board["hwnd"])[0]


TEXT_QUIZ = """\
name: Capitales
kind: text
code: BRONZE

question: France
answer: Paris
question: Italie
answer: Rome
question: Espagne
answer: Madrid
question: Portugal
answer: Lisbonne
"""


def text_layout(session):
    player = Player.packed(session, "text_layout", TEXT_QUIZ)
    player.start()
    window = player.wait_window("Capitales")
    header, board, controls = children(player, window)
    expected = []
    for j, country in enumerate(["France", "Italie", "Espagne", "Portugal"], start=1):
        y = 5 + 25 * (j - 1)
        expected += [(2000, "Static", f"{j}.", 0x50000002, 26, y + 2, 19, 17),
                     (3000, "Static", country, 0x50800201, 50, y, 550, 20),
                     (4000 + j, "Edit", "", 0x50810281, 610, y, 170, 20),
                     (5000 + j, "Static", "?", 0x50800201, 790, y, 100, 20)]
    check_controls(controls, expected)
    # The content is 900 x 105: 880 + 20 wide, 5 + 25 per line high.
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["max"], bars["vertical"]["max"]), (898, 103),
                "scroll ranges (content size - 2)")
    check_equal(one(player.tree(header["hwnd"]), 32)["text"], " 0 / 4", "score")
    # Question texts are black on RGB(255, 255, 192).
    shot = player.screenshot("board")
    question = [c for c in controls if c["id"] == 3000][0]
    counts = colours(shot, question["screenX"] + 1, question["screenY"] + 1, 400, 18)
    check(near(counts, (255, 255, 192)) > 3000, f"question text's colour: {counts}")
    check(near(counts, (0, 0, 0)) > 0, "question text's black characters")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


PICTURE_QUIZ = """\
name: Images
kind: picture
reveal: 0

question:
answer: Rouge
picture: pictures/rouge.jpg
question:
answer: Bleu
picture: pictures/bleu.gif
question:
answer: Vert
picture: pictures/vert.png
question:
answer: Jaune
picture: pictures/jaune.png
question:
answer: Rien
question:
answer: Orange
picture: pictures/orange.png
"""


def grid_question(j, x, row_top, picture, row_height, answer_top, text):
    width, height = picture
    return [(9900 + j, "Static", "", 0x5080020E, x + (260 - width) // 2,
             row_top + (row_height - height) // 2, width, height),
            (2000 + j, "Static", f"{j}.", 0x50000002, x - 28, answer_top + 2, 27, 17),
            (4000 + j, "Edit", text, 0x50810081, x, answer_top, 260, 20),
            (5000 + j, "Static", "?", 0x50800201, x, answer_top + 19, 260, 20)]


def picture_layout(session):
    player = Player.packed(session, "picture_layout", with_pictures(session, PICTURE_QUIZ))
    player.start()
    window = player.wait_window("Images")
    window = enlarge(session, player, window, 1000, 680)
    header, board, controls = children(player, window)
    # Row 1: 520 x 390 JPEG, 100 x 50 GIF and 260 x 100 PNG fitted into 260 x 260, H = 195.
    # Row 2: 520 x 520 PNG, a question without a picture (260 x 0) and an 11 x 55 PNG, H = 260.
    fitted = [(260, 195), (260, 130), (260, 100), (260, 260), (260, 0), (52, 260)]
    expected = []
    expected += grid_question(1, 46, 5, fitted[0], 195, 210, "")
    expected += grid_question(2, 336, 5, fitted[1], 195, 210, "")
    expected += grid_question(3, 626, 5, fitted[2], 195, 210, "")
    expected += grid_question(4, 46, 270, fitted[3], 260, 540, "")
    expected += grid_question(5, 336, 270, fitted[4], 260, 540, "")
    expected += grid_question(6, 626, 270, fitted[5], 260, 540, "")
    check_controls(controls, expected)
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["max"], bars["vertical"]["max"]), (908, 598),
                "scroll ranges: content 910 x 600")
    check(one(player.tree(header["hwnd"]), 33)["text"] == "Cacher", "the Cacher box")
    # Every picture fills its label: its colour spans the label's client area (inside its
    # one-pixel border). The question without a picture has no bitmap.
    shot = player.screenshot("pictures")
    shown = {1: "rouge.jpg", 2: "bleu.gif", 3: "vert.png", 4: "jaune.png", 6: "orange.png"}
    for j, name in shown.items():
        label = one(controls, 9900 + j)
        handle = session.reader("send", label["hwnd"], STM_GETIMAGE, 0, 0)[0]["result"]
        check(handle != 0, f"picture label {9900 + j} has a bitmap")
        width, height = label["width"] - 2, label["height"] - 2
        check_equal(extent(shot, label["screenX"] + 1, label["screenY"] + 1, width, height,
                           PICTURES[name][1], TOLERANCE),
                    (0, 0, width - 1, height - 1), f"extent of {name} in label {9900 + j}")
    check_equal(session.reader("send", one(controls, 9905)["hwnd"], STM_GETIMAGE, 0, 0)[0],
                {"result": 0}, "picture label of the question without a picture")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


TWO_ANSWER_QUIZ = """\
name: Paires
kind: picture
answers: 2
first label: Pays
second label: Ville
reveal: 2

question:
answer: France
second answer: Paris
picture: pictures/bleu.gif
reveal text: La tour Eiffel.
question:
answer: Italie
second answer: Rome
picture: pictures/vert.png
question:
answer: Espagne
second answer: Madrid
question:
answer: Portugal
second answer: Lisbonne
"""


def two_answer_layout(session):
    player = Player.packed(session, "two_answer_layout", with_pictures(session, TWO_ANSWER_QUIZ))
    player.start()
    window = player.wait_window("Paires")
    header, board, controls = children(player, window)
    check(not [w for w in player.tree(header["hwnd"]) if w["id"] == 33],
          "no Cacher box with two answers per question")
    # Row 1: 260 x 130, 260 x 100, none: H = 130, answers at 5 + 140; row 2 starts 140 lower
    # (reveal labels). Columns at 106, 396, 686.
    expected = []
    rows = [(5, 130, [(260, 130), (260, 100), (260, 0)]), (5 + 140 + 140, 0, [(260, 0)])]
    j = 0
    for row_top, height, pictures in rows:
        answer_top = row_top + height + 10
        for column, (width, picture_height) in enumerate(pictures):
            j += 1
            x = 106 + 290 * column
            expected.append((9900 + j, "Static", "", 0x5080020E, x + (260 - width) // 2,
                             row_top + (height - picture_height) // 2, width, picture_height))
            if column == 0:
                expected += [(156, "Static", "Pays", 0x50000000, 4, answer_top + 2, 95, 20),
                             (156, "Static", "Ville", 0x50000000, 3, answer_top + 22, 95, 20)]
            expected += [(2000 + j, "Static", f"{j}.", 0x50000002, x - 28, answer_top + 2, 27, 17),
                         (8000 + j, "Static", "La tour Eiffel." if j == 1 else "", 0x40000001,
                          x, answer_top + 46, 260, 65)]
            for line in (1, 2):
                box = 4000 + 2 * (j - 1) + line
                y = answer_top + 19 * (line - 1)
                expected += [(box, "Edit", "", 0x50810081, x, y, 201, 20),
                             (box + 1000, "Static", "?", 0x50800201, x + 200, y, 60, 20)]
    check_controls(controls, expected)
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["max"], bars["vertical"]["max"]), (968, 433),
                "scroll ranges: content 970 x 435")
    player.screenshot("board")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def number_label_colours(session):
    """Black numbers on a board whose red or green is above 69, white ones otherwise."""
    for background, text, other in (((90, 95, 150), (0, 0, 0), (255, 255, 255)),
                                     ((40, 40, 250), (255, 255, 255), (0, 0, 0))):
        quiz = TEXT_QUIZ + "background: {} {} {}\n".format(*background)
        player = Player.packed(session, "number_label_colours", quiz)
        player.start()
        window = player.wait_window("Capitales")
        _, _, controls = children(player, window)
        label = [c for c in controls if c["id"] == 2000][0]
        shot = player.screenshot("numbers-{}-{}-{}".format(*background))
        counts = colours(shot, label["screenX"], label["screenY"], label["width"], label["height"])
        check(near(counts, background) > 0, f"board colour {background} behind the number")
        check(near(counts, text) > 0, f"number drawn in {text} on {background}: {counts}")
        check_equal(near(counts, other), 0, f"pixels of {other} in the number label")
        player.click_close_box(window)
        check_equal(player.exit_code(), 0, "exit code")


def long_text_quiz(count):
    return "name: Longue\nkind: text\n" + "".join(
        f"question: Question {j}\nanswer: Reponse {j}\n" for j in range(1, count + 1))


def start_long_quiz(session, scenario, count=40):
    """A text quiz of `count` lines (content 900 x (5 + 25 x count)) in an 800 x 600 window:
    the answer boxes are on the screen and the content is wider and taller than the board."""
    player = Player.packed(session, scenario, long_text_quiz(count))
    player.start()
    window = enlarge(session, player, player.wait_window("Longue"), 800, 600)
    return player, window


def box_y(player, window, j):
    return control(player, window, 4000 + j)["y"]


def wheel_notches(session):
    player, window = start_long_quiz(session, "wheel_notches")
    _, board, controls = children(player, window)
    player.focus("Longue")
    player.click(one(controls, 4001))
    wait_equal(lambda: player.focused(window).get("id"), 4001, "focus after the click")
    # One notch toward the user (button 5) over the board: the content moves up 50 pixels.
    session.xdotool("mousemove", board["screenX"] + 300, board["screenY"] + 150, "click", 5)
    wait_equal(lambda: box_y(player, window, 1) != 5, True, "the content moved")
    player.flush_posted(one(controls, 4040))
    check_equal(box_y(player, window, 1), 5 - 50, "box 4001 after one notch down")
    check_equal(scroll_bars(session, board)["vertical"]["pos"], 50, "position after one notch")
    session.xdotool("click", 4)
    wait_equal(lambda: box_y(player, window, 1), 5, "box 4001 after one notch up")
    player.flush_posted(one(controls, 4040))
    check_equal(box_y(player, window, 1), 5, "box 4001 after one notch up, settled")
    # A message that reports two notches at once moves nothing, sent to the main window or to
    # the board.
    for target in (window, board):
        session.reader("post", target["hwnd"], WM_MOUSEWHEEL, (65536 - 240) << 16, 0)
        player.flush_posted(one(controls, 4040))
        check_equal(box_y(player, window, 1), 5, "box 4001 after a two-notch message")
    # One notch reported to the main window moves one notch.
    session.reader("post", window["hwnd"], WM_MOUSEWHEEL, (65536 - 120) << 16, 0)
    player.flush_posted(one(controls, 4040))
    check_equal(box_y(player, window, 1), 5 - 50, "box 4001 after a notch sent to the window")
    player.screenshot("after-wheel")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def scroll_bar_clicks(session):
    """The bars worked with the mouse: arrows, the shaft below the thumb, the thumb dragged."""
    player, window = start_long_quiz(session, "scroll_bar_clicks")
    _, board, controls = children(player, window)
    bars = scroll_bars(session, board)
    left, top, right, bottom = bars["vertical"]["bar"]
    arrow = right - left  # square arrow buttons
    middle = (left + right) // 2

    def click(x, y):
        session.xdotool("mousemove", x, y, "click", 1)

    def box():
        return control(player, window, 4001)

    # The vertical arrows step 310 positions, the horizontal ones 1.
    click(middle, bottom - arrow // 2)
    wait_equal(lambda: box()["y"], 5 - 310, "box 4001 after the down arrow")
    click(middle, top + arrow // 2)
    wait_equal(lambda: box()["y"], 5, "box 4001 after the up arrow")
    h_left, h_top, h_right, h_bottom = bars["horizontal"]["bar"]
    click(h_right - arrow // 2, (h_top + h_bottom) // 2)
    wait_equal(lambda: box()["x"], 610 - 1, "box 4001 after the right arrow")
    # The shaft below the thumb: a page, the client's height less one.
    page = board["clientHeight"] - 1
    click(middle, top + bars["vertical"]["thumb"][1] + 10)
    wait_equal(lambda: box()["y"], 5 - page, "box 4001 after a click below the thumb")
    # Dragging the thumb moves the content with it; letting it go moves nothing more.
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_TOP, 0)
    thumb = scroll_bars(session, board)["vertical"]["thumb"]
    session.xdotool("mousemove", middle, top + (thumb[0] + thumb[1]) // 2, "mousedown", 1)
    session.xdotool("mousemove", middle, top + (thumb[0] + thumb[1]) // 2 + 60)
    wait_equal(lambda: box()["y"] < 5, True, "the content follows the thumb")
    position = scroll_bars(session, board)["vertical"]["pos"]
    check(position > 0, "the bar follows the thumb")
    check_equal(box()["y"], 5 - position, "box 4001 while the thumb is dragged")
    session.xdotool("mouseup", 1)
    player.flush_posted(one(controls, 4040))
    check_equal(box()["y"], 5 - position, "box 4001 once the thumb is let go")
    check_equal(scroll_bars(session, board)["vertical"]["pos"], position, "position once let go")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def scroll_to_bottom(session):
    player, window = start_long_quiz(session, "scroll_to_bottom")
    _, board, _ = children(player, window)
    client = board["clientHeight"]
    bars = scroll_bars(session, board)["vertical"]
    check_equal((bars["min"], bars["max"], bars["page"], bars["pos"], bars["enabled"]),
                (0, 1003, client - 1, 0, True), "vertical bar at the start")
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_BOTTOM, 0)
    # The last line's box ends 5 pixels above the content's bottom, which is the client's.
    check_equal(box_y(player, window, 40) + 20 + 5, client, "bottom of the last line")
    check_equal(scroll_bars(session, board)["vertical"]["pos"], 1005 - client, "position")
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_LINEDOWN, 0)
    check_equal(box_y(player, window, 40) + 25, client, "last line after a further line down")
    # The vertical arrows step 310 pixels, the horizontal ones 1.
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_TOP, 0)
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_LINEDOWN, 0)
    check_equal(box_y(player, window, 1), 5 - 310, "box 4001 after a line down")
    session.reader("send", board["hwnd"], WM_HSCROLL, SB_LINEDOWN, 0)
    check_equal(one(children(player, window)[2], 4001)["x"], 610 - 1, "box 4001 after a line right")
    player.screenshot("bottom")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def content_that_fits(session):
    player = Player.packed(session, "content_that_fits", TEXT_QUIZ)
    player.start()
    window = enlarge(session, player, player.wait_window("Capitales"), 1000, 600)
    _, board, controls = children(player, window)
    check(board["clientWidth"] >= 900 and board["clientHeight"] >= 105, "the content fits")
    bars = scroll_bars(session, board)
    for name, size in (("horizontal", 900), ("vertical", 105)):
        bar = bars[name]
        check_equal((bar["max"], bar["page"], bar["pos"], bar["enabled"]),
                    (size - 2, size - 1, 0, False), f"{name} bar of content that fits")
    before = [place(c) for c in controls]
    requests = [(WM_VSCROLL, code) for code in (SB_LINEDOWN, SB_PAGEDOWN, SB_BOTTOM, WHEEL_DOWN)]
    requests += [(WM_HSCROLL, code) for code in (SB_LINEDOWN, SB_PAGEDOWN, SB_THUMBTRACK)]
    for message, code in requests:
        session.reader("send", board["hwnd"], message, code, 0)
        check_equal([place(c) for c in children(player, window)[2]], before,
                    f"controls after scroll code {code}")
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["pos"], bars["vertical"]["pos"]), (0, 0), "positions")
    player.screenshot("fits")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def resize_keeps_content(session):
    player, window = start_long_quiz(session, "resize_keeps_content")
    _, board, _ = children(player, window)
    for _ in range(2):
        session.reader("send", board["hwnd"], WM_VSCROLL, WHEEL_DOWN, 0)
    session.reader("send", board["hwnd"], WM_HSCROLL, SB_LINEDOWN, 0)
    box = one(children(player, window)[2], 4003)
    check_equal((box["x"], box["y"]), (610 - 1, 55 - 100), "box 4003 scrolled")
    for width, height in ((700, 500), (880, 600)):
        session.reader("resize", window["hwnd"], width, height)
        box = one(children(player, window)[2], 4003)
        check_equal((box["x"], box["y"]), (610 - 1, 55 - 100), f"box 4003 at {width} x {height}")
    # At the bottom, a taller window shows more of the top: the content's bottom stays at the
    # client's bottom edge.
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_BOTTOM, 0)
    session.reader("resize", window["hwnd"], 880, 700)
    _, board, controls = children(player, window)
    check_equal(one(controls, 4040)["y"] + 25, board["clientHeight"], "last line at the bottom")
    check_equal(scroll_bars(session, board)["vertical"]["pos"], 1005 - board["clientHeight"],
                "position after growing at the bottom")
    player.screenshot("resized")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def check_scroll_units(session, unit, page_unit):
    """Scroll units other than 1: each position moves `unit` pixels, the bottom stops at the
    client's edge, a page is the client divided by `page_unit` and never more than it, and a bar
    is enabled only for content that does not fit (the 900-pixel width here)."""
    what = f"units {unit}/{page_unit}"
    quiz = long_text_quiz(40) + f"scroll unit: {unit}\npage unit: {page_unit}\n"
    player = Player.packed(session, f"scroll_units_{unit}_{page_unit}", quiz)
    player.start()
    window = enlarge(session, player, player.wait_window("Longue"), 1000, 600)
    _, board, _ = children(player, window)
    client = board["clientHeight"]
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["enabled"], bars["vertical"]["enabled"]), (False, True),
                f"bars enabled, {what}")

    def boxes_after(*codes):
        for code in codes:
            session.reader("send", board["hwnd"], WM_VSCROLL, code, 0)
        controls = children(player, window)[2]
        return one(controls, 4001)["y"], one(controls, 4040)["y"]

    # The content moves by whole positions; its bottom (5 pixels under the last box) stops at the
    # client's edge, or less than one position above it.
    first, last = boxes_after(SB_BOTTOM)
    check_equal((5 - first) % unit, 0, f"content moved by whole positions, {what}")
    check(client - unit < last + 25 <= client, f"bottom {last + 25} in {client} pixels, {what}")
    farthest = (5 - first) // unit
    first, _ = boxes_after(SB_TOP, SB_PAGEDOWN)
    check_equal(5 - first, min((client // page_unit) // unit - 1, farthest) * unit,
                f"pixels of a page, {what}")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def scroll_units_halved_pages(session):
    for unit, page_unit in ((2, 2), (1, 2)):
        check_scroll_units(session, unit, page_unit)


def scroll_units_whole_pages(session):
    for unit, page_unit in ((2, 1), (3, 1)):
        check_scroll_units(session, unit, page_unit)


def bars_redrawn_when_the_content_fits(session):
    """A resize in one step that makes the whole content (900 x 305) fit disables both bars, and
    they are drawn disabled at once."""
    player = Player.packed(session, "bars_redrawn_when_the_content_fits", long_text_quiz(12))
    player.start()
    window = player.wait_window("Longue")
    _, board, _ = children(player, window)
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["enabled"], bars["vertical"]["enabled"]), (True, True),
                "bars of the content larger than the board at first")
    window = enlarge(session, player, window, 1000, 600)
    _, board, _ = children(player, window)
    bars = scroll_bars(session, board)
    check_equal((bars["horizontal"]["enabled"], bars["vertical"]["enabled"]), (False, False),
                "bars once the content fits")
    rectangles = [(left, top, right - left, bottom - top)
                  for left, top, right, bottom in (bars["horizontal"]["bar"], bars["vertical"]["bar"])]
    check_as_repainted(player, window, rectangles, "scroll bar")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


SOURCES = {"pictures": draw_pictures}
SCENARIOS = {f"board_{f.__name__}": f for f in [
    text_layout, picture_layout, two_answer_layout, number_label_colours, wheel_notches,
    scroll_bar_clicks, scroll_to_bottom, content_that_fits, resize_keeps_content,
    scroll_units_halved_pages, scroll_units_whole_pages, bars_redrawn_when_the_content_fits]}
