"""Pictures on the board: PNG pictures through the program's own decoder, fitted into 260 x 260,
and the messages of pictures that cannot be shown."""
import subprocess
import time

from harness import Player, check, check_equal, colours, one

# name, size, colour: solid pictures so that a screenshot tells whether each one is shown.
PNG_PICTURES = [("large", "520x390", "#C80000"), ("narrow", "50x100", "#00A000"),
                ("flat", "260x100", "#0000C8")]


def make_png(folder, name, size, colour, extra=()):
    path = folder / f"{name}.png"
    subprocess.run(["convert", "-size", size, f"xc:{colour}", *extra, str(path)], check=True)
    return path


def picture_quiz(pictures):
    text = "name: Images\nkind: picture\nreveal: 0\n"
    for path in pictures:
        text += f"\nquestion:\nanswer: x\npicture: {path}\n"
    return text


def pixel(image, x, y):
    """The colour of one pixel of a screenshot, as (red, green, blue)."""
    return next(iter(colours(image, x, y, 1, 1)))


def png_pictures_shown_fitted(session):
    folder = session.build / "e2e" / "png_sources"
    folder.mkdir(parents=True, exist_ok=True)
    # A palette PNG, a grey-with-alpha PNG and an interlaced RGB PNG: three of the decoder's paths.
    paths = [make_png(folder, "large", "520x390", PNG_PICTURES[0][2], ["-type", "Palette"]),
             make_png(folder, "narrow", "50x100", PNG_PICTURES[1][2], ["-define", "png:color-type=2"]),
             make_png(folder, "flat", "260x100", PNG_PICTURES[2][2], ["-interlace", "PNG"])]
    player = Player.packed(session, "png_pictures_shown_fitted", picture_quiz(paths))
    player.start()
    window = player.wait_window("Images")
    tree = player.tree(window["hwnd"])
    shot = player.screenshot("board")
    expected_sizes = [(260, 195), (130, 260), (260, 100)]
    for j, (size, (_, _, colour)) in enumerate(zip(expected_sizes, PNG_PICTURES), start=1):
        label = one(tree, 9900 + j)
        check_equal((label["width"], label["height"]), size, f"picture {j} fitted")
        if label["screenX"] + label["width"] < window["screenX"] + window["width"]:
            centre = pixel(shot, label["screenX"] + label["width"] // 2,
                           label["screenY"] + label["height"] // 2)
            want = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5))
            check(all(abs(a - b) <= 8 for a, b in zip(centre, want)),
                  f"picture {j} shows {centre}, expected {want}")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def broken_png_is_reported(session):
    folder = session.build / "e2e" / "png_sources"
    folder.mkdir(parents=True, exist_ok=True)
    good = make_png(folder, "good", "100x100", "#808080")
    broken = folder / "broken.png"
    data = bytearray(good.read_bytes())
    idat = data.find(b"IDAT")
    data[idat + 4:idat + 8] = b"\xff\xff\xff\xff"  # the zlib header asks for a dictionary: no image
    broken.write_bytes(bytes(data))
    player = Player.packed(session, "broken_png_is_reported", picture_quiz([broken, good]),
                           unchecked_media=True)
    player.start()
    box = player.message_box()
    check_equal((box["caption"], box["text"]), ("APPNAME", "Error: couldn't decode PNG resource"),
                "message")
    player.press_ok(box)
    window = player.wait_window("Images")
    tree = player.tree(window["hwnd"])
    check_equal((one(tree, 9901)["width"], one(tree, 9901)["height"]), (260, 0), "broken picture")
    check_equal((one(tree, 9902)["width"], one(tree, 9902)["height"]), (260, 260), "good picture")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def unreadable_picture_is_silent(session):
    folder = session.build / "e2e" / "png_sources"
    folder.mkdir(parents=True, exist_ok=True)
    garbage = folder / "garbage.jpg"
    garbage.write_bytes(b"not a picture at all" * 10)
    player = Player.packed(session, "unreadable_picture_is_silent", picture_quiz([garbage]),
                           unchecked_media=True)
    player.start()
    window = player.wait_window("Images")
    time.sleep(0.5)
    check(not session.reader("messagebox", allow_failure=True), "no message")
    label = one(player.tree(window["hwnd"]), 9901)
    check_equal((label["width"], label["height"]), (260, 0), "a picture that cannot be read")
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


SCENARIOS = {f.__name__: f for f in [
    png_pictures_shown_fitted, broken_png_is_reported, unreadable_picture_is_silent]}
