"""Playing a quiz: typed answers and their verdicts, the keys of the answer boxes, the header's
score and code, reveals, the progress file, hiding solved questions, the link."""
import subprocess

from board import children, control, enlarge, scroll_bars, with_pictures, PICTURES, TOLERANCE
from harness import Player, check, check_equal, colours, extent, near, one, wait_equal

STM_GETIMAGE = 0x0173
WM_VSCROLL = 0x0115
SB_TOP, SB_BOTTOM = 6, 7
BLANKS = "      "  # the code box at a score of 0

SUCCESS_COLOUR = (0, 255, 0)
FAILURE_COLOUR = (255, 0, 0)
ANAGRAM_COLOUR = (255, 100, 0)
HINT_COLOUR = (255, 203, 38)


def start(session, scenario, quiz, title, width=1000, height=600, progress=None, pictures=False):
    """Packs and starts a quiz (with `progress` as its progress file's bytes, when given) in a
    window at the top left of the screen, large enough to show the result labels."""
    player = Player.packed(session, scenario, with_pictures(session, quiz) if pictures else quiz)
    if progress is not None:
        (player.folder / "quiz.txt").write_bytes(progress)
    player.start()
    window = enlarge(session, player, player.wait_window(title), width, height)
    player.focus(title)
    return player, window


def board_controls(player, window):
    return children(player, window)[2]


def text_of(player, window, control_id):
    return control(player, window, control_id)["text"]


def header_texts(player, window):
    header = children(player, window)[0]
    tree = player.tree(header["hwnd"])
    return one(tree, 32)["text"], one(tree, 30)["text"]


def wait_text(player, window, control_id, expected, what=None):
    wait_equal(lambda: text_of(player, window, control_id), expected,
               what or f"text of control {control_id}")


def click_box(player, window, box_id):
    player.click(control(player, window, box_id))
    wait_equal(lambda: player.focused(window).get("id"), box_id, f"focus in box {box_id}")


def answer(player, window, box_id, typed, key="Return"):
    """Clicks an empty answer box, types into it and presses `key` (nothing when None). The
    player takes the X events in the order they were made, so nothing needs to be waited for."""
    player.click(control(player, window, box_id))
    if typed:
        player.session.xdotool("type", "--delay", 10, typed)
    if key:
        player.session.xdotool("key", key)


def retype(player, window, box_id, typed, key="Return"):
    """Replaces the text of an answer box with `typed`, then presses `key`."""
    click_box(player, window, box_id)
    player.session.xdotool("key", "End", "shift+Home", "BackSpace")
    wait_text(player, window, box_id, "", f"box {box_id} emptied")
    answer(player, window, box_id, typed, key)


def close(player, window):
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code after the close box")


def wait_file(path, expected, what="progress file"):
    wait_equal(lambda: path.read_bytes() if path.exists() else None, expected, what)


def has_bitmap(session, label):
    return session.reader("send", label["hwnd"], STM_GETIMAGE, 0, 0)[0]["result"] != 0


CAPITALES = """\
name: Capitales
kind: text
code: BRONZE
code: ARGENT
code: OR

question: France
answer: Paris
question: Italie
answer: Rome
question: Espagne
answer: Madrid
"""


def enter_judges_on_key_up(session):
    player, window = start(session, "enter_judges_on_key_up", CAPITALES, "Capitales")
    answer(player, window, 4001, "pari", key=None)
    # Enter held down judges nothing: the "s" typed while it is down reaches the box (so the
    # key-down has been handled), and the label still reads "?".
    session.xdotool("keydown", "Return")
    session.xdotool("type", "s")
    wait_text(player, window, 4001, "paris", "box 4001 with Enter held down")
    check_equal(text_of(player, window, 5001), "?", "verdict while Enter is down")
    session.xdotool("keyup", "Return")
    wait_text(player, window, 5001, "BRAVO", "verdict after Enter is released")
    check_equal(text_of(player, window, 4001), "paris", "box 4001 after Enter (nothing inserted)")
    check_equal(player.focused(window).get("id"), 4001, "focus after Enter")
    check_equal(header_texts(player, window), (" 1 / 3", "BRONZE"), "score and code")
    answer(player, window, 4002, "rome")
    wait_text(player, window, 5002, "BRAVO")
    check_equal(text_of(player, window, 4002), "rome", "box 4002 after Enter")
    check_equal(header_texts(player, window), (" 2 / 3", "ARGENT"), "score and code")
    close(player, window)
    check_equal((player.folder / "quiz.txt").read_bytes(), b"paris\r\nrome\r\n\r\n", "progress")


def leaving_a_box_judges_it(session):
    player, window = start(session, "leaving_a_box_judges_it", CAPITALES, "Capitales")
    # Boxes that start empty keep their "?": nothing is judged anew, and the code box is empty.
    check_equal(header_texts(player, window), (" 0 / 3", ""), "score and code at the start")
    answer(player, window, 4001, "pari", key="Tab")
    wait_text(player, window, 5001, "Quasiment", "verdict of box 4001 after Tab")
    check_equal(player.focused(window).get("id"), 4002, "focus after Tab")
    session.xdotool("type", "rome")
    wait_text(player, window, 4002, "rome")
    session.xdotool("key", "shift+Tab")
    wait_text(player, window, 5002, "BRAVO", "verdict of box 4002 after Shift+Tab")
    check_equal(player.focused(window).get("id"), 4001, "focus after Shift+Tab")
    # The box that gets the focus has its whole text selected: typing replaces it.
    session.xdotool("type", "paris")
    wait_text(player, window, 4001, "paris")
    check_equal(text_of(player, window, 5001), "Quasiment", "verdict before leaving the box")
    click_box(player, window, 4003)
    wait_text(player, window, 5001, "BRAVO", "verdict of box 4001 after a click on box 4003")
    check_equal(header_texts(player, window), (" 2 / 3", "ARGENT"), "score and code")
    close(player, window)


VERDICTS = [  # (stored answer, typed text, verdict)
    ("Paris", "  paris  ", "BRAVO"),
    ("Paris", "PARI", "Quasiment"),
    ("Paris", "PAR", "Presque"),
    ("Paris", "PARIS FRANCE", "Trop long"),
    ("Lion", "LINO", "Anagramme"),
    ("Chateau de Versailles", "CHATEAU DE VERSAI", "Trop court"),
    ("Chateau de Versailles", "CHATEAU DE VE", "pas loin"),
    ("Chateau de Versailles", "CHATEAU", "FAUX"),
    ("ABCDEFGHIJKLMNOP", "ABCDEFGHIJKLMXYZ", "y a de l'idée"),
    ("Oui", "OUIS", "FAUX"),
]


def label_colours(shot, label):
    return colours(shot, label["screenX"], label["screenY"], label["width"], label["height"])


def verdicts_and_colours(session):
    quiz = "name: Verdicts\nkind: text\ncode: PREMIER\n" + "".join(
        f"question: {n}\nanswer: {stored}\n" for n, (stored, _, _) in enumerate(VERDICTS, 1))
    player, window = start(session, "verdicts_and_colours", quiz, "Verdicts")
    for k, (_, typed, verdict) in enumerate(VERDICTS, start=1):
        answer(player, window, 4000 + k, typed)
        wait_text(player, window, 5000 + k, verdict, f"verdict for {typed!r}")
    check_equal(header_texts(player, window), (" 1 / 10", "PREMIER"), "score and code")
    # Every label shows its verdict on its own colour: green, red, orange, or amber for a hint,
    # with the characters drawn on that colour too (no red inside an orange or amber label).
    shot = player.screenshot("verdicts")
    controls = board_controls(player, window)
    for k, (_, typed, verdict) in enumerate(VERDICTS, start=1):
        counts = label_colours(shot, one(controls, 5000 + k))
        colour = {"BRAVO": SUCCESS_COLOUR, "FAUX": FAILURE_COLOUR,
                  "Anagramme": ANAGRAM_COLOUR}.get(verdict, HINT_COLOUR)
        check(near(counts, colour) > 1000, f"label {verdict!r} mostly {colour}: {counts}")
        check(near(counts, (0, 0, 0)) > 0, f"black characters in label {verdict!r}")
        for other in {SUCCESS_COLOUR, FAILURE_COLOUR, ANAGRAM_COLOUR, HINT_COLOUR} - {colour}:
            check_equal(near(counts, other), 0, f"pixels of {other} in label {verdict!r}")
    # Turning the right answer wrong takes the score and the code back; emptying a box gives "?".
    retype(player, window, 4001, "pqris")
    wait_text(player, window, 5001, "Quasiment")
    check_equal(header_texts(player, window), (" 0 / 10", BLANKS), "score and code at 0")
    retype(player, window, 4002, "")
    wait_text(player, window, 5002, "?", "verdict of an emptied box")
    counts = label_colours(player.screenshot("emptied"), control(player, window, 5002))
    for colour in (SUCCESS_COLOUR, FAILURE_COLOUR, ANAGRAM_COLOUR, HINT_COLOUR):
        check_equal(near(counts, colour), 0, f"pixels of {colour} in a label reading '?'")
    close(player, window)


F1_QUIZ = """\
name: Essais
kind: text
success: OUI
failure: NON

question: Italie
answer: Rome
question: France
answer: Paris
question: Espagne
answer: Madrid
question: Encore la France
answer: Paris
"""


def f1_tries_every_open_box(session):
    player, window = start(session, "f1_tries_every_open_box", F1_QUIZ, "Essais")
    answer(player, window, 4003, "madrid")
    wait_text(player, window, 5003, "OUI")
    answer(player, window, 4001, "paris", key="F1")
    # Every answer not yet found gets the text and is judged; the one found keeps its own.
    wait_text(player, window, 5004, "OUI", "verdict of box 4004 after F1")
    check_equal([text_of(player, window, 4000 + k) for k in range(1, 5)],
                ["paris", "paris", "madrid", "paris"], "boxes after F1")
    wait_text(player, window, 5001, "NON", "verdict of box 4001 after F1")
    check_equal([text_of(player, window, 5000 + k) for k in range(1, 5)],
                ["NON", "OUI", "OUI", "OUI"], "verdicts after F1")
    check_equal(player.focused(window).get("id"), 4001, "focus back where F1 was pressed")
    check_equal(header_texts(player, window)[0], " 3 / 4", "score")
    # The quiz's own words take the colours of a right and a wrong answer.
    shot = player.screenshot("after-f1")
    controls = board_controls(player, window)
    check(near(label_colours(shot, one(controls, 5002)), SUCCESS_COLOUR) > 1000, "OUI in green")
    check(near(label_colours(shot, one(controls, 5001)), FAILURE_COLOUR) > 1000, "NON in red")
    close(player, window)


def long_quiz(count):
    return "name: Longue\nkind: text\n" + "".join(
        f"question: Question {j}\nanswer: Reponse {j}\n" for j in range(1, count + 1))


def tab_and_page_keys_scroll_the_board(session):
    player, window = start(session, "tab_and_page_keys_scroll_the_board", long_quiz(40),
                           "Longue", 800, 600)
    _, board, _ = children(player, window)
    client = board["clientHeight"]
    centred = (client - 20) // 2  # where a box lands when Tab centres it

    def y_of(j):
        return control(player, window, 4000 + j)["y"]

    # The last box wholly inside the board, then Tab to the next one, partly or wholly below.
    last = max(j for j in range(1, 41) if 5 + 25 * (j - 1) + 20 <= client)
    click_box(player, window, 4000 + last)
    session.xdotool("key", "Tab")
    wait_equal(lambda: y_of(last + 1), centred, f"box {4001 + last} centred after Tab")
    position = scroll_bars(session, board)["vertical"]["pos"]
    check_equal(position, 5 + 25 * last - centred, "position after Tab")
    # A box wholly inside does not move the board.
    session.xdotool("key", "Tab")
    wait_equal(lambda: player.focused(window).get("id"), 4002 + last, "focus after Tab")
    session.xdotool("key", "shift+Tab", "shift+Tab")
    wait_equal(lambda: player.focused(window).get("id"), 4000 + last, "focus after Shift+Tab")
    check_equal(y_of(last), centred - 25, f"box {4000 + last} after Tab and Shift+Tab")
    # Page Down and Page Up scroll the board a page, the arrows one wheel notch.
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_TOP, 0)
    position, highest = 0, 1005 - client
    for key, step in (("Next", client - 1), ("Down", 50), ("Up", -50), ("Prior", -(client - 1))):
        position = min(max(position + step, 0), highest)
        session.xdotool("key", key)
        wait_equal(lambda: y_of(last), 5 + 25 * (last - 1) - position,
                   f"box {4000 + last} after {key}")
    # At the bottom, Shift+Tab to a box above the board's top edge centres it as well.
    session.reader("send", board["hwnd"], WM_VSCROLL, SB_BOTTOM, 0)
    top = min(j for j in range(1, 41) if y_of(j) >= 0)
    click_box(player, window, 4000 + top)
    session.xdotool("key", "shift+Tab")
    wait_equal(lambda: y_of(top - 1), centred, f"box {3999 + top} centred after Shift+Tab")
    close(player, window)


def settext_leaves_a_box_unchanged(session):
    player, window = start(session, "settext_leaves_a_box_unchanged", CAPITALES, "Capitales")
    answer(player, window, 4001, "paris")
    wait_text(player, window, 5001, "BRAVO")
    box = control(player, window, 4001)
    check_equal(session.reader("settext", box["hwnd"], "Rome"), [{"result": 0}],
                "WM_SETTEXT's result")
    check_equal(text_of(player, window, 4001), "paris", "box 4001 after WM_SETTEXT")
    # The other controls take texts as usual.
    label = control(player, window, 5002)
    session.reader("settext", label["hwnd"], "essai")
    check_equal(text_of(player, window, 5002), "essai", "a result label after WM_SETTEXT")
    close(player, window)
    check_equal((player.folder / "quiz.txt").read_bytes(), b"paris\r\n\r\n\r\n", "progress file")


REVEAL_QUIZ = """\
name: Animaux
kind: picture
reveal: {mode}
code: UN
code: DEUX
code: TROIS

question:
answer: Lion
reveal text: Le roi de la savane.
question:
answer: Zebre
reveal text: Chaque zebre a ses rayures.
question:
answer: Girafe
reveal text: Le plus grand des animaux.
"""


def visible_reveals(player, window):
    controls = board_controls(player, window)
    return [one(controls, 8000 + j)["visible"] for j in (1, 2, 3)]


def reveal_texts_one_by_one(session):
    player, window = start(session, "reveal_texts_one_by_one", REVEAL_QUIZ.format(mode=2),
                           "Animaux")
    check_equal(visible_reveals(player, window), [False, False, False], "reveals at the start")
    answer(player, window, 4001, "lion")
    wait_text(player, window, 5001, "BRAVO")
    check_equal(visible_reveals(player, window), [True, False, False], "reveals, lion found")
    check_equal(text_of(player, window, 8001), "Le roi de la savane.", "reveal text")
    answer(player, window, 4002, "zebre")
    wait_text(player, window, 5002, "BRAVO")
    check_equal(visible_reveals(player, window), [True, True, False], "reveals, zebre found")
    player.screenshot("two-found")
    # A right answer turned wrong hides its reveal again.
    retype(player, window, 4001, "lino")
    wait_text(player, window, 5001, "Anagramme")
    check_equal(visible_reveals(player, window), [False, True, False], "reveals, lion lost")
    check_equal(header_texts(player, window), (" 1 / 3", "UN"), "score and code")
    close(player, window)


def reveal_texts_all_at_once(session):
    player, window = start(session, "reveal_texts_all_at_once", REVEAL_QUIZ.format(mode=4),
                           "Animaux")
    for k, typed in ((1, "lion"), (2, "zebre")):
        answer(player, window, 4000 + k, typed)
        wait_text(player, window, 5000 + k, "BRAVO")
    check_equal(visible_reveals(player, window), [False, False, False], "reveals, two found")
    answer(player, window, 4003, "girafe")
    wait_text(player, window, 5003, "BRAVO")
    check_equal(visible_reveals(player, window), [True, True, True], "reveals, all found")
    check_equal(header_texts(player, window), (" 3 / 3", "TROIS"), "score and code")
    player.screenshot("all-found")
    retype(player, window, 4002, "zebr")
    wait_text(player, window, 5002, "Quasiment")
    check_equal(visible_reveals(player, window), [True, False, True], "reveals, zebre lost")
    retype(player, window, 4002, "zebre")
    wait_text(player, window, 5002, "BRAVO")
    check_equal(visible_reveals(player, window), [True, True, True], "reveals, all found again")
    close(player, window)


ANSWER_PICTURE_QUIZ = """\
name: Couleurs
kind: picture
reveal: {mode}

question:
answer: Rouge
picture: pictures/rouge.jpg
answer picture: pictures/bleu.gif
{reveal}
question:
answer: Vert
picture: pictures/vert.png
answer picture: pictures/violet.gif
"""


def check_answer_picture(session, player, window, shot):
    """Label 9901 (260 x 195, the question picture's fitted size) shows the 100 x 50 answer
    picture fitted to 260 x 130, centred in its 258 x 193 client area: blue from row 31 to row
    160, and over the whole width (the bitmap is one pixel wider on each side)."""
    label = control(player, window, 9901)
    check_equal((label["width"], label["height"]), (260, 195), "size of picture label 9901")
    check(has_bitmap(session, label), "picture label 9901 has a bitmap")
    area = (label["screenX"] + 1, label["screenY"] + 1, 258, 193)
    check_equal(extent(shot, *area, PICTURES["bleu.gif"][1], TOLERANCE), (0, 31, 257, 160),
                "extent of the answer picture")
    check_equal(near(colours(shot, *area), PICTURES["rouge.jpg"][1], 40), 0,
                "red pixels of the question picture")


def answer_pictures(session, mode):
    reveal = "reveal text: Bleu, en fait." if mode == 3 else ""  # reveal texts need mode 2 to 4
    player, window = start(session, f"answer_pictures_mode_{mode}",
                           ANSWER_PICTURE_QUIZ.format(mode=mode, reveal=reveal), "Couleurs",
                           pictures=True)
    # Until its question is solved, every picture label is empty.
    for j in (1, 2):
        check(not has_bitmap(session, control(player, window, 9900 + j)), f"label {9900 + j} empty")
    answer(player, window, 4001, "rouge")
    wait_text(player, window, 5001, "BRAVO")
    wait_equal(lambda: has_bitmap(session, control(player, window, 9901)), True,
               "answer picture in label 9901")
    check_answer_picture(session, player, window, player.screenshot("solved"))
    check(not has_bitmap(session, control(player, window, 9902)), "label 9902 stays empty")
    reveals = [one(board_controls(player, window), 8001)["visible"]] if mode == 3 else []
    check_equal(reveals, [True] if mode == 3 else [], "reveal text of question 1")
    # A wrong answer afterwards keeps the answer picture and hides the reveal text.
    retype(player, window, 4001, "bleu")
    wait_text(player, window, 5001, "FAUX")
    check(has_bitmap(session, control(player, window, 9901)), "answer picture stays")
    reveals = [one(board_controls(player, window), 8001)["visible"]] if mode == 3 else []
    check_equal(reveals, [False] if mode == 3 else [], "reveal text of question 1, now wrong")
    close(player, window)


def answer_pictures_mode_1(session):
    answer_pictures(session, 1)


def answer_pictures_and_texts_mode_3(session):
    answer_pictures(session, 3)


def progress_saved_three_ways(session):
    player, window = start(session, "progress_saved_three_ways", CAPITALES, "Capitales")
    progress = player.folder / "quiz.txt"
    check(not progress.exists(), "no progress file at the start")
    # F2 saves without judging.
    answer(player, window, 4001, "paris", key="F2")
    wait_file(progress, b"paris\r\n\r\n\r\n", "progress file after F2")
    check_equal(text_of(player, window, 5001), "?", "verdict after F2")
    # "Sauver" saves what the boxes hold, blanks included.
    answer(player, window, 4002, "  rome ", key=None)
    header, _, _ = children(player, window)
    player.click(one(player.tree(header["hwnd"]), 27))
    wait_file(progress, b"paris\r\n  rome \r\n\r\n", "progress file after Sauver")
    check_equal(text_of(player, window, 5001), "BRAVO", "box 4001 judged when it was left")
    # Closing the window saves.
    answer(player, window, 4003, "x", key=None)
    close(player, window)
    check_equal(progress.read_bytes(), b"paris\r\n  rome \r\nx\r\n", "progress file after closing")
    check_equal(sorted(p.name for p in player.folder.iterdir()),
                ["quiz.exe", "quiz.txt", "source.quiz"], "files in the quiz's folder")


def failed_save_keeps_the_previous_file(session):
    """A save that cannot write its new file leaves the previous one as it was."""
    player, window = start(session, "failed_save_keeps_the_previous_file", CAPITALES, "Capitales",
                           progress=b"pari\r\n\r\n\r\n")
    (player.folder / "quiz.txt.new").mkdir()  # in the way of the file the save writes first
    retype(player, window, 4001, "paris")
    wait_text(player, window, 5001, "BRAVO")
    session.xdotool("key", "F2")
    close(player, window)
    check_equal((player.folder / "quiz.txt").read_bytes(), b"pari\r\n\r\n\r\n", "previous file")
    check((player.folder / "quiz.txt.new").is_dir(), "the folder in the way stays")


RESTART_QUIZ = """\
name: Animaux
kind: picture
reveal: 3
code: UN
code: DEUX
code: TROIS
code: QUATRE

question:
answer: Lion
picture: pictures/rouge.jpg
answer picture: pictures/bleu.gif
reveal text: Le roi de la savane.
question:
answer: Zebre
picture: pictures/vert.png
answer picture: pictures/violet.gif
reveal text: Chaque zebre a ses rayures.
question:
answer: Girafe
picture: pictures/jaune.png
answer picture: pictures/bleu.gif
reveal text: Le plus grand des animaux.
question:
answer: Hippopotame
picture: pictures/vert.png
reveal text: Il vit dans l'eau.
"""


def restart_restores_progress(session):
    player, window = start(session, "restart_restores_progress", RESTART_QUIZ, "Animaux",
                           pictures=True)
    for k, typed in ((1, "lion"), (2, "Zebre"), (3, "giraf")):
        answer(player, window, 4000 + k, typed)
    wait_text(player, window, 5003, "Quasiment")
    close(player, window)
    saved = b"lion\r\nZebre\r\ngiraf\r\n\r\n"
    check_equal((player.folder / "quiz.txt").read_bytes(), saved, "progress file")

    player.start()
    window = enlarge(session, player, player.wait_window("Animaux"), 1000, 600)
    controls = board_controls(player, window)
    check_equal([one(controls, 4000 + k)["text"] for k in range(1, 5)],
                ["lion", "Zebre", "giraf", ""], "restored boxes")
    check_equal([one(controls, 5000 + k)["text"] for k in range(1, 5)],
                ["BRAVO", "BRAVO", "Quasiment", "?"], "restored verdicts")
    check_equal(header_texts(player, window), (" 2 / 4", "DEUX"), "restored score and code")
    check_equal([one(controls, 8000 + j)["visible"] for j in range(1, 5)],
                [True, True, False, False], "restored reveal texts")
    check_equal([has_bitmap(session, one(controls, 9900 + j)) for j in range(1, 5)],
                [True, True, False, False], "restored answer pictures")
    check_answer_picture(session, player, window, player.screenshot("restored"))
    close(player, window)
    check_equal((player.folder / "quiz.txt").read_bytes(), saved, "progress file saved again")


TWO_ANSWER_QUIZ = """\
name: Paires
kind: picture
answers: 2
reveal: 2
code: UN
code: DEUX

question:
answer: France
second answer: Paris
reveal text: La tour Eiffel.
question:
answer: Italie
second answer: Rome
reveal text: Le Colisee.
"""


def two_answer_progress(session):
    # Lines in box order: question 1's two lines, then question 2's.
    player, window = start(session, "two_answer_progress", TWO_ANSWER_QUIZ, "Paires",
                           progress=b"france\r\nparis\r\nitalie\r\n\r\n")
    check_equal([text_of(player, window, 5000 + k) for k in range(1, 5)],
                ["BRAVO", "BRAVO", "BRAVO", "?"], "restored verdicts")
    check_equal(header_texts(player, window), (" 1 / 2", "UN"),
                "a question counts when both its answers are right")
    controls = board_controls(player, window)
    check_equal([one(controls, 8000 + j)["visible"] for j in (1, 2)], [True, False], "reveals")
    # The second line judged right while the first already holds its answer reveals.
    answer(player, window, 4004, "rome")
    wait_text(player, window, 5004, "BRAVO")
    check_equal(header_texts(player, window), (" 2 / 2", "DEUX"), "score and code")
    controls = board_controls(player, window)
    check_equal([one(controls, 8000 + j)["visible"] for j in (1, 2)], [True, True], "reveals")
    close(player, window)
    check_equal((player.folder / "quiz.txt").read_bytes(),
                b"france\r\nparis\r\nitalie\r\nrome\r\n", "progress file")


def progress_file_follows_the_executable(session):
    """JEU.EXE keeps its progress in JEU.txt, in the folder it is started from."""
    player = Player.packed(session, "progress_file_follows_the_executable", CAPITALES,
                           name="JEU.EXE")
    elsewhere = player.folder / "ailleurs"
    elsewhere.mkdir()
    (elsewhere / "JEU.txt").write_bytes(b"\r\nrome\r\n")
    player.folder, player.name = elsewhere, "../JEU.EXE"
    player.start()
    window = enlarge(session, player, player.wait_window("Capitales"), 1000, 600)
    player.focus("Capitales")
    check_equal([text_of(player, window, 4000 + k) for k in range(1, 4)], ["", "rome", ""],
                "boxes from ailleurs/JEU.txt")
    answer(player, window, 4001, "paris")
    wait_text(player, window, 5001, "BRAVO")
    close(player, window)
    check_equal((elsewhere / "JEU.txt").read_bytes(), b"paris\r\nrome\r\n\r\n", "JEU.txt")
    check_equal(sorted(p.name for p in elsewhere.parent.iterdir()),
                ["JEU.EXE", "ailleurs", "source.quiz"], "files beside the executable")


def ansi(data):
    """Code page 1252 bytes as the window reader reports them: the five bytes without a character
    come back as the control characters of the same number."""
    return "".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data)


def odd_progress_files(session):
    """Progress files the player never writes still give a clean start: lines are cut to 259
    characters, a line runs on to its CR, and any byte other than NUL, CR or LF is text."""
    binary = bytes(range(14, 256))  # no NUL, LF or CR
    cases = [
        (b"A" * 10000 + b"\r\nrome\r\n", ["A" * 259, "rome", ""], ["FAUX", "BRAVO", "?"],
         b"A" * 259 + b"\r\nrome\r\n\r\n"),
        (b"paris\nrome\nmadrid\n", ["paris\nrome\nmadrid\n", "", ""], ["Trop long", "?", "?"],
         b"paris\nrome\nmadrid\n\r\n\r\n\r\n"),
        (b"\x01paris\x7f\r\n" + binary + b"\r\n\x00madrid\r\n", ["\x01paris\x7f", ansi(binary), ""],
         None, b"\x01paris\x7f\r\n" + binary + b"\r\n\r\n"),
    ]
    for number, (progress, boxes, verdicts, saved) in enumerate(cases, start=1):
        player, window = start(session, "odd_progress_files", CAPITALES, "Capitales",
                               progress=progress)
        check_equal([text_of(player, window, 4000 + k) for k in range(1, 4)], boxes,
                    f"boxes from progress file {number}")
        if verdicts:
            check_equal([text_of(player, window, 5000 + k) for k in range(1, 4)], verdicts,
                        f"verdicts from progress file {number}")
        player.screenshot(f"file-{number}")
        close(player, window)
        check_equal((player.folder / "quiz.txt").read_bytes(), saved,
                    f"progress file {number} saved again")


HIDING_QUIZ = """\
name: Cacher
kind: picture
reveal: 2

question:
answer: Rouge
picture: pictures/rouge.jpg
reveal text: Un.
question:
answer: Bleu
picture: pictures/bleu.gif
reveal text: Deux.
question:
answer: Vert
picture: pictures/vert.png
reveal text: Trois.
question:
answer: Vert
picture: pictures/vert.png
reveal text: Quatre.
question:
answer: Cinq
reveal text: Cinq.
question:
answer: Six
picture: pictures/violet.gif
reveal text: Six.
"""


def positions(player, window):
    return {c["id"]: (c["x"], c["y"], c["width"], c["height"], c["visible"])
            for c in board_controls(player, window)}


def moved(before, ids, dy, visible=None):
    after = dict(before)
    for control_id in ids:
        x, y, width, height, shown = before[control_id]
        after[control_id] = (x, y + dy, width, height, shown if visible is None else visible)
    return after


def drawn_as_placed(player, window):
    """What the screen shows where the board's visible controls now are: for each result label
    whether it is painted in its verdict's colour (the board's "?" labels in no such colour),
    for each reveal text whether it shows characters, for each picture label whether its
    picture's colour reaches its four sides. The board does not clip its controls, so a control
    can stand in the window tree where the screen shows something else."""
    _, board, controls = children(player, window)
    shot = player.screenshot("drawn")
    seen = {}
    for c in controls:
        inside_board = (0 <= c["x"] and c["x"] + c["width"] <= board["clientWidth"] and
                        0 <= c["y"] and c["y"] + c["height"] <= board["clientHeight"])
        if not c["visible"] or c["height"] <= 2 or not inside_board:
            continue
        inside = (c["screenX"] + 1, c["screenY"] + 1, c["width"] - 2, c["height"] - 2)
        if 5000 < c["id"] < 6000:
            colour = {"BRAVO": SUCCESS_COLOUR, "FAUX": FAILURE_COLOUR}.get(c["text"])
            counts = colours(shot, *inside)
            seen[c["id"]] = near(counts, colour) > inside[2] * inside[3] // 2 if colour else \
                near(counts, SUCCESS_COLOUR) + near(counts, FAILURE_COLOUR) == 0
        elif 8000 < c["id"] < 9000:
            seen[c["id"]] = near(colours(shot, *inside), (0, 0, 0)) > 0
        elif c["id"] == 9906:
            seen[c["id"]] = extent(shot, *inside, PICTURES["violet.gif"][1]) == \
                (0, 0, inside[2] - 1, inside[3] - 1)
    return seen


def check_drawn(player, window, what):
    expected = {control_id: True for control_id in drawn_as_placed(player, window)}
    wait_equal(lambda: drawn_as_placed(player, window), expected, f"board drawn {what}")


def question_ids(j):
    return [4000 + j, 5000 + j, 2000 + j, 8000 + j]


def hiding_solved_questions(session):
    # Questions 1 to 4 are solved at the start. Row 1's pictures are 195 high, row 2's 130
    # (question 6's picture; question 5 has none): row 2's answers are at 350 + 140, and the
    # content ends 140 lower, at 630.
    player, window = start(session, "hiding_solved_questions", HIDING_QUIZ, "Cacher",
                           progress=b"rouge\r\nbleu\r\nvert\r\nvert\r\n\r\n\r\n", pictures=True)
    header, board, controls = children(player, window)
    # Questions solved while the board is built start without their pictures.
    check_equal([has_bitmap(session, one(controls, 9900 + j)) for j in (1, 2, 3, 4, 6)],
                [False, False, False, False, True], "pictures at the start")
    before = positions(player, window)
    check_equal(scroll_bars(session, board)["vertical"]["max"], 630 - 2, "content height 630")
    check_drawn(player, window, "at the start")
    hide = one(player.tree(header["hwnd"]), 33)
    player.click(hide)
    # Row 1 hides its pictures, its other controls move up 195, and it collapses: every later
    # control moves up 195 + 65. Question 4 then hides its picture and moves up 130 more.
    expected = moved(before, [9901, 9902, 9903], 0, visible=False)
    for j in (1, 2, 3):
        expected = moved(expected, question_ids(j), -195)
    for j in (4, 5, 6):
        expected = moved(expected, question_ids(j) + [9900 + j], -260)
    expected = moved(expected, [9904], 0, visible=False)
    expected = moved(expected, question_ids(4), -130)
    wait_equal(lambda: positions(player, window), expected, "controls with Cacher ticked")
    check_equal(scroll_bars(session, board)["vertical"]["max"], 370 - 2, "content height 370")
    check_drawn(player, window, "with Cacher ticked")
    player.screenshot("hidden")
    # Another pass while ticked (a verdict changes) moves nothing more; solving question 5
    # hides it at once (a last row of two hidden questions does not collapse).
    answer(player, window, 4006, "x")
    wait_text(player, window, 5006, "FAUX")
    check_equal(positions(player, window), expected, "controls after another pass")
    answer(player, window, 4005, "cinq")
    wait_text(player, window, 5005, "BRAVO")
    expected = moved(expected, [9905], 0, visible=False)
    expected = moved(expected, question_ids(5), -130)
    expected = moved(expected, [8005], 0, visible=True)  # its reveal text
    before = moved(before, [8005], 0, visible=True)
    wait_equal(lambda: positions(player, window), expected, "controls after solving question 5")
    check_equal(scroll_bars(session, board)["vertical"]["max"], 370 - 2, "content height 370")
    # Unticking puts everything back.
    player.click(hide)
    wait_equal(lambda: positions(player, window), before, "controls with Cacher unticked")
    check_equal(scroll_bars(session, board)["vertical"]["max"], 630 - 2, "content height 630")
    check_drawn(player, window, "with Cacher unticked")
    player.screenshot("shown")
    close(player, window)


LINK_QUIZ = """\
name: Lien
kind: text
web: http://example.org/quiz-e2e

question: France
answer: Paris
"""


def reg(session, *args):
    return subprocess.run([session.wine, "reg", *args], env=session.env, capture_output=True, text=True,
                          stdin=subprocess.DEVNULL)


def link_opens_through_the_shell(session):
    """The test's Wine prefix opens http addresses with a command that writes the address it
    receives into a file; the previous handler is put back afterwards."""
    key = r"HKCR\http\shell\open\command"
    player = Player.packed(session, "link_opens_through_the_shell", LINK_QUIZ)
    opened = (player.folder / "opened.txt").resolve()
    target = "Z:" + str(opened).replace("/", "\\")
    previous = reg(session, "query", key, "/ve")
    check(reg(session, "add", key, "/ve", "/d", f'cmd.exe /c echo %1> "{target}"', "/f")
          .returncode == 0, "handler set")
    try:
        player.start()
        window = player.wait_window("Lien")
        header, _, _ = children(player, window)
        link = one(player.tree(header["hwnd"]), 24)
        check_equal(link["text"], "http://example.org/quiz-e2e", "link text")
        # The link is drawn in RGB(50, 50, 255) on the header's RGB(128, 128, 255).
        counts = colours(player.screenshot("header"), link["screenX"], link["screenY"],
                         link["width"], link["height"])
        check(near(counts, (128, 128, 255)) > 0 and near(counts, (50, 50, 255)) > 0,
              f"colours of the link: {counts}")
        # Another label of the header opens nothing.
        player.click(one(player.tree(header["hwnd"]), 26))
        player.click(link)
        wait_equal(lambda: opened.read_bytes().strip() if opened.exists() else None,
                   b"http://example.org/quiz-e2e", "address handed to the handler")
        close(player, window)
    finally:
        value = [line for line in previous.stdout.splitlines() if "REG_" in line]
        if value:
            data = value[0].split("REG_SZ", 1)[-1].strip() if "REG_SZ" in value[0] else ""
            reg(session, "add", key, "/ve", "/d", data, "/f")
        else:
            reg(session, "delete", key, "/ve", "/f")


SCENARIOS = {f"playing_{f.__name__}": f for f in [
    enter_judges_on_key_up, leaving_a_box_judges_it, verdicts_and_colours,
    f1_tries_every_open_box, tab_and_page_keys_scroll_the_board, settext_leaves_a_box_unchanged,
    reveal_texts_one_by_one, reveal_texts_all_at_once, answer_pictures_mode_1,
    answer_pictures_and_texts_mode_3, progress_saved_three_ways,
    failed_save_keeps_the_previous_file, restart_restores_progress,
    two_answer_progress, progress_file_follows_the_executable, odd_progress_files,
    hiding_solved_questions, link_opens_through_the_shell]}
