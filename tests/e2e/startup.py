"""Start-up and the main window: caption, class, size, layout, content failures, closing."""
from harness import Player, check, check_as_repainted, check_equal, one

WM_CLOSE = 0x0010

SMALL_QUIZ = """\
name: Capitales
author: Marie
explanations: Trouvez la capitale de chaque pays.
kind: text
code: BRONZE
code: ARGENT

question: France
answer: Paris
question: Italie
answer: Rome
"""

VERSION_TEXT = "Réalisé avec la version 2.1.7  "
DESKTOP = (1280, 1024)


def start_small_quiz(session, scenario, extra=""):
    player = Player.packed(session, scenario, SMALL_QUIZ + extra)
    player.start()
    return player


def close(player, window):
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code after the close box")


def caption_and_class(session):
    player = start_small_quiz(session, "caption_and_class")
    window = player.wait_window("Capitales")
    check_equal(window["text"], "Capitales", "caption (the quiz name, not the title)")
    check_equal(window["class"], "Velmo", "window class (the settings title)")
    close(player, window)


def other_title(session):
    player = start_small_quiz(session, "other_title", "title: Geographie\n")
    window = player.wait_window("Capitales")
    check_equal(window["class"], "Geographie", "window class")
    close(player, window)


def window_size_and_centre(session):
    player = start_small_quiz(session, "window_size_and_centre")
    window = player.wait_window("Capitales")
    check_equal((window["width"], window["height"]), (544, 375), "outer size")
    centre = ((DESKTOP[0] - 544) // 2, (DESKTOP[1] - 375) // 2)
    check_equal((window["screenX"], window["screenY"]), centre, "position")
    close(player, window)


def version_label(session):
    player = start_small_quiz(session, "version_label")
    window = player.wait_window("Capitales")
    label = one(player.tree(window["hwnd"]), 8000, depth=1)
    check_equal(label["text"], VERSION_TEXT, "version label text")
    width, height = window["clientWidth"], window["clientHeight"]
    # Laid out by the first WM_SIZE: 150 wide at 145 from the right edge, so 5 pixels stick out.
    check_equal((label["x"], label["y"], label["width"], label["height"]),
                (width - 145, height - 16, 150, 15), "version label place")
    player.screenshot("window")
    close(player, window)


def check_layout(player, window):
    tree = player.tree(window["hwnd"])
    top = [w for w in tree if w["depth"] == 1 and w["class"] == "#32770"]
    check_equal(len(top), 2, "dialogs in the main window")
    header, board = sorted(top, key=lambda w: w["y"])
    width, height = window["clientWidth"], window["clientHeight"]
    check_equal((header["x"], header["y"], header["width"], header["height"]),
                (5, 2, width - 11, 49), "header place")
    check_equal((board["x"], board["y"], board["width"], board["height"]),
                (5, 50, width - 11, height - 68), "board place")
    return tree


def layout_and_resize(session):
    player = start_small_quiz(session, "layout_and_resize")
    window = player.wait_window("Capitales")
    check_layout(player, window)
    session.reader("resize", window["hwnd"], 800, 600)
    window = player.wait_window("Capitales")
    check_equal((window["width"], window["height"]), (800, 600), "resized window")
    before = check_layout(player, window)
    player.screenshot("resized")
    session.reader("show", window["hwnd"], 6)  # minimise
    after = player.tree(window["hwnd"])
    for control in before:
        if control["depth"] == 1:
            moved = one(after, control["id"], depth=1) if control["id"] else None
            if moved:
                check_equal((moved["x"], moved["y"], moved["width"], moved["height"]),
                            (control["x"], control["y"], control["width"], control["height"]),
                            f"control {control['id']} after minimising")
    session.reader("show", window["hwnd"], 9)  # restore
    window = player.wait_window("Capitales")
    check_layout(player, window)
    close(player, window)


def expect_message(player, text, caption):
    box = player.message_box()
    check_equal(box["text"], text, "message text")
    check_equal(box["caption"], caption, "message caption")
    check_equal(box["buttons"], ["OK"], "message buttons")
    player.screenshot("message")
    player.press_ok(box)


def fallback_quiz(session):
    player = Player.copied(session, "fallback_quiz", session.build / "player.exe")
    player.start()
    expect_message(player, "Reponses non trouvées", "Velmo")
    window = player.wait_window("Nom du velmo")
    board = check_layout(player, window)
    numbers = sorted(w["text"] for w in board if 2001 <= w["id"] <= 2096)
    check_equal(numbers, [f"{n}." for n in range(1, 8)], "the fallback's seven questions")
    close(player, window)


def undecodable_answers(session):
    player = Player.copied(session, "undecodable_answers", session.build / "tests/wine/player_bad104.exe")
    player.start()
    expect_message(player, "Erreur dans le décryptage des reponses", "Information")
    window = player.wait_window("nom du velmo")
    board = check_layout(player, window)
    check(not [w for w in board if 4000 < w["id"] < 5000], "no answer box without content")
    close(player, window)


def missing_codes(session):
    player = Player.copied(session, "missing_codes", session.build / "tests/wine/player_no105.exe")
    player.start()
    expect_message(player, "Erreur dans le décryptage des codes", "Information")
    window = player.wait_window("Drapeaux d'Europe")
    close(player, window)


def close_box_ends_process(session):
    player = start_small_quiz(session, "close_box_ends_process")
    window = player.wait_window("Capitales")
    close(player, window)
    # Closing saved the progress file: one empty line per answer box.
    check_equal((player.folder / "quiz.txt").read_bytes(), b"\r\n\r\n", "progress file")


def two_close_requests_keep_progress(session):
    """Two close requests queued together: the first saves and closes; the second, handled after
    the board is gone, leaves the saved file alone."""
    player = Player.packed(session, "two_close_requests_keep_progress", SMALL_QUIZ)
    # A line too many: the save made by the first request drops it.
    (player.folder / "quiz.txt").write_bytes(b"un\r\ndeux\r\ntrois\r\n")
    player.start()
    window = player.wait_window("Capitales")
    session.reader("post", window["hwnd"], WM_CLOSE, 0, 0, 2)
    check_equal(player.exit_code(), 0, "exit code")
    check_equal((player.folder / "quiz.txt").read_bytes(), b"un\r\ndeux\r\n", "progress file")


def header_redrawn_after_a_one_step_resize(session):
    """A resize made in one step (as a window manager makes it) moves the link, "Par :", the
    author, "Sauver" and the rule with the right edge, and each is drawn at its new place."""
    player = start_small_quiz(session, "header_redrawn_after_a_one_step_resize")
    window = player.wait_window("Capitales")
    session.reader("resize", window["hwnd"], 800, 500, 0, 0)
    window = player.wait_window("Capitales")
    header = sorted((w for w in player.tree(window["hwnd"])
                     if w["depth"] == 1 and w["class"] == "#32770"), key=lambda w: w["y"])[0]
    controls = player.tree(header["hwnd"])
    check_equal(one(controls, 24)["x"], header["clientWidth"] - 134, "link after the resize")
    rectangles = [(c["screenX"], c["screenY"], c["width"], c["height"])
                  for c in controls if c["id"] in (24, 25, 26, 27)]
    check_as_repainted(player, window, rectangles, "header control")
    close(player, window)


SCENARIOS = {f.__name__: f for f in [
    caption_and_class, other_title, window_size_and_centre, version_label, layout_and_resize,
    fallback_quiz, undecodable_answers, missing_codes, close_box_ends_process,
    two_close_requests_keep_progress, header_redrawn_after_a_one_step_resize]}
