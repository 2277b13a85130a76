"""Sound and video questions: clips written beside the quiz, played, stopped and deleted."""
import os
import subprocess
import time
from pathlib import Path

from harness import PATIENCE, Failure, Player, check, check_equal, one

CLIPS = ("chat", "maison")


def make_clips(folder):
    """Two spoken words as WAV files and a short Video-1 AVI, made fresh for the test run."""
    for word in CLIPS:
        raw = folder / f"{word}.raw.wav"
        subprocess.run(["espeak-ng", "-v", "fr", "-w", str(raw), word], check=True)
        subprocess.run(["sox", str(raw), "-r", "22050", "-c", "1", "-b", "16", str(folder / f"{word}.wav")],
                       check=True)
        raw.unlink()
    subprocess.run(["ffmpeg", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
                    "color=c=red:size=260x200:rate=10:duration=1", "-c:v", "msvideo1",
                    str(folder / "rouge.avi")], check=True)


def audio_quiz(kind="audio"):
    lines = [f"name: Sons\nkind: {kind}\nreveal: 0\n"]
    for word in CLIPS:
        clip = f"clips/{word}.wav" if kind == "audio" else "clips/rouge.avi"
        lines.append(f"question:\nanswer: {word}\nclip: {clip}\n")
    return "\n".join(lines)


def start_media_quiz(session, scenario, kind="audio", extra_env=None, log=None):
    clips = session.shared("clips", make_clips)
    player = Player.packed(session, scenario, audio_quiz(kind).replace("clips/", str(clips) + "/"))
    player.start(extra_env, log)
    window = player.wait_window("Sons")
    return player, window


def media_files(player):
    return sorted(p.name for p in player.folder.glob("velmo*"))


def wait_files(player, expected, timeout=PATIENCE):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        if media_files(player) == expected:
            return
        time.sleep(0.05)
    check_equal(media_files(player), expected, "media files in the quiz's folder")


def press(player, window, control_id):
    player.click(one(player.tree(window["hwnd"]), control_id))


def held_open(path):
    """Whether some process (the player or Wine's server for it) has the file open."""
    target = str(path.resolve())
    for fd_dir in Path("/proc").glob("[0-9]*/fd"):
        try:
            for fd in fd_dir.iterdir():
                if os.readlink(fd) == target:
                    return True
        except OSError:
            continue
    return False


def close(player, window):
    player.click_close_box(window)
    check_equal(player.exit_code(), 0, "exit code")


def play_writes_and_replaces_clips(session):
    player, window = start_media_quiz(session, "media_play_writes_and_replaces_clips")
    tree = player.tree(window["hwnd"])
    host = one(tree, 9901)
    check_equal((host["width"], host["height"]), (0, 0), "an audio player is invisible")
    press(player, window, 6001)
    wait_files(player, ["velmo401.WAV"])
    clip = session.build / "e2e" / "clips" / "chat.wav"
    check_equal((player.folder / "velmo401.WAV").read_bytes(), clip.read_bytes(), "clip bytes")
    deadline = time.monotonic() + PATIENCE
    while not held_open(player.folder / "velmo401.WAV") and time.monotonic() < deadline:
        time.sleep(0.1)
    check(held_open(player.folder / "velmo401.WAV"), "the media player opened the clip")
    press(player, window, 6002)  # the first clip stops and its file goes
    wait_files(player, ["velmo402.WAV"])
    press(player, window, 7001)  # any stop button stops the clip started last
    wait_files(player, [])
    close(player, window)


def stop_before_play_does_nothing(session):
    player, window = start_media_quiz(session, "media_stop_before_play_does_nothing")
    press(player, window, 7002)
    time.sleep(0.5)
    check_equal(media_files(player), [], "media files")
    check(player.process.poll() is None, "the player still runs")
    box = session.reader("messagebox", allow_failure=True)
    check(not box, f"no message, but {box}")
    close(player, window)


def close_while_playing_leaves_nothing(session):
    player, window = start_media_quiz(session, "media_close_while_playing_leaves_nothing")
    press(player, window, 6002)
    wait_files(player, ["velmo402.WAV"])
    close(player, window)
    check_equal(media_files(player), [], "media files after closing")


def video_quiz_hosts_players(session):
    player, window = start_media_quiz(session, "media_video_quiz_hosts_players", kind="video")
    tree = player.tree(window["hwnd"])
    for j in (1, 2):
        host = one(tree, 9900 + j)
        check_equal((host["width"], host["height"]), (260, 200), f"video host {j}")
        button = one(tree, 6000 + j)
        check_equal((button["y"], button["width"], button["height"]), (host["y"] + 210, 20, 20),
                    f"play button {j}")
    press(player, window, 6001)
    wait_files(player, ["velmo401.AVI"])
    player.screenshot("playing")
    close(player, window)
    check_equal(media_files(player), [], "media files after closing")


def rows_without_player_control(session):
    """Without the media player control every row is still built; its buttons do nothing."""
    for overrides in ("wmp=", "atl="):
        try:
            player, window = start_media_quiz(
                session, "media_rows_without_player_control",
                extra_env={"WINEDLLOVERRIDES": f"mscoree,mshtml=;{overrides}"})
        except Failure as failure:
            raise Failure(f"with {overrides}: {failure}") from None
        tree = player.tree(window["hwnd"])
        for control in (9901, 9902, 4001, 4002, 5001, 5002, 6001, 6002, 7001, 7002):
            one(tree, control)
        press(player, window, 6001)
        time.sleep(0.5)
        check_equal(media_files(player), [], f"files written without a player ({overrides})")
        check(player.process.poll() is None, "the player still runs")
        close(player, window)


def text_and_picture_quizzes_never_load_atl(session):
    for kind in ("text", "picture"):
        quiz = f"name: Sans son\nkind: {kind}\nquestion: Q\nanswer: a\n"
        player = Player.packed(session, f"media_never_loaded_{kind}", quiz)
        player.start({"WINEDEBUG": "+loaddll"}, log="wine.log")
        window = player.wait_window("Sans son")
        close(player, window)
        log = (player.folder / "wine.log").read_text(errors="replace").lower()
        check("loaded" in log, "the module trace was written")
        check("atl.dll" not in log and "wmp.dll" not in log, f"a {kind} quiz loaded atl.dll or wmp.dll")
        check_equal(media_files(player), [], "media files")


SOURCES = {"clips": make_clips}
SCENARIOS = {"media_" + f.__name__: f for f in [
    play_writes_and_replaces_clips, stop_before_play_does_nothing,
    close_while_playing_leaves_nothing, video_quiz_hosts_players, rows_without_player_control,
    text_and_picture_quizzes_never_load_atl]}
