#!/usr/bin/python3
"""Plays one whole game of the real program with the keys Home, Right, Space and Enter
only, from the deal to the result in the score line, reading the table through AT-SPI as
a screen reader would; on the way it checks that the tree names the hand's cards in
Russian. Runs under with_atspi.sh:

    keys_game.py <tarlyk executable>

Exits 77 (skipped) when python3-pyatspi is missing."""

import os
import pwd
import re
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import gi
    gi.require_version("Atspi", "2.0")
    from gi.repository import Atspi
    import pyatspi
except (ImportError, ValueError):
    print("keys_game: python3-pyatspi is not installed; skipped")
    sys.exit(77)

CARD = re.compile(r"^(Двойка|Тройка|Четвёрка|Пятёрка|Шестёрка|Семерка|Восьмёрка|Девятка|"
                  r"Десятка|Валет|Дама|Король|Туз) (крести|пики|буби|черви)$")
SCORE = re.compile(r"^Побед: \d+ .*Всего игр: (\d+)$")
RESULTS = ("Вы победили меня!", "К сожалению Вы проиграли", "мы сыграли в ничью.")


class Unreadable(Exception):
    pass


def fail(message):
    print("keys_game: FAIL: " + message)
    sys.exit(1)


def key(*names):
    subprocess.run(["xdotool", "key", "--delay", "15", *names], check=True)


def walk(obj, depth=0):
    yield obj
    if depth > 8:
        return
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield from walk(child, depth + 1)


class Game:
    """The running program's tree: the table, the hand, the status and score lines."""

    def __init__(self, app):
        self.app = app
        try:
            app.set_cache_mask(Atspi.Cache.NONE)
        except (AttributeError, gi.repository.GLib.Error):
            pass

    def read(self):
        # The tree may change while it is being read (a card leaves between counting the
        # hand and asking for its cards): then it is read again.
        why = ""
        for _ in range(50):
            try:
                return self.read_once()
            except (Unreadable, AttributeError, gi.repository.GLib.Error) as error:
                why = str(error)
                time.sleep(0.05)
        fail("the tree could not be read: " + why)

    def read_once(self):
        self.app.clear_cache()
        table = next((o for o in walk(self.app)
                      if o.getRole() == pyatspi.ROLE_PANEL and o.name == "Игровой стол"), None)
        if table is None:
            raise Unreadable("the table is missing from the tree")
        hand = next((table.getChildAtIndex(i) for i in range(table.childCount)
                     if table.getChildAtIndex(i).getRole() == pyatspi.ROLE_LIST), None)
        # The status line, the score line and the button lie beside the table.
        around = table.parent
        siblings = [around.getChildAtIndex(i) for i in range(around.childCount)]
        labels = [o.name or "" for o in siblings if o.getRole() == pyatspi.ROLE_LABEL]
        button = next((o for o in siblings if o.getRole() == pyatspi.ROLE_PUSH_BUTTON), None)
        if hand is None or button is None or len(labels) != 2:
            raise Unreadable("the hand, the button or the two lines are missing from the tree")
        cards = []
        for i in range(hand.childCount):
            card = hand.getChildAtIndex(i)
            playable = card.getState().contains(pyatspi.STATE_ENABLED)
            cards.append((card.name, playable))
        visible = button.getState().contains(pyatspi.STATE_SHOWING)
        score = next((l for l in labels if SCORE.match(l)), None)
        status = next((l for l in labels if not SCORE.match(l)), "")
        table_items = [table.getChildAtIndex(i).name for i in range(table.childCount)]
        return {"cards": cards, "button": (button.name, visible), "score": score,
                "status": status, "table": table_items}


def wait_change(game, before, what, seconds=10.0):
    end = time.time() + seconds
    while time.time() < end:
        now = game.read()
        if now != before:
            return now
        time.sleep(0.05)
    fail("nothing changed after " + what)


def main():
    exe = os.path.abspath(sys.argv[1])
    config = os.environ["XDG_CONFIG_HOME"]
    login = pwd.getpwuid(os.getuid()).pw_name
    os.makedirs(os.path.join(config, "tarlyk"), exist_ok=True)
    with open(os.path.join(config, "tarlyk", login + ".dat"), "w", newline="") as f:
        f.write("[Main]\r\nSavePosition=0\r\nEndAnimation=0\r\nBossKeyActive=0\r\n"
                "[Counts]\r\nWins=0\r\nLoses=0\r\nNones=0\r\n"
                "[Rules]\r\nCardsCount=0\r\nFirstStep=1\r\nLastCardsTo=0\r\n"
                "[Difficult]\r\nLevel=0\r\n")

    # A copy under a name of its own has a single-instance lock of its own.
    bindir = tempfile.mkdtemp()
    name = "tarlyk-keys-%d" % os.getpid()
    shutil.copy(exe, os.path.join(bindir, name))
    os.symlink(os.path.join(os.path.dirname(exe), "Cards.dll"), os.path.join(bindir, "Cards.dll"))
    log = open(os.path.join(bindir, "game.log"), "w")
    program = subprocess.Popen([os.path.join(bindir, name)], stdout=log, stderr=log)
    try:
        play(program, name)
    finally:
        if program.poll() is None:
            program.kill()
        program.wait()
        shutil.rmtree(bindir, ignore_errors=True)


def find_app(name):
    end = time.time() + 30
    while time.time() < end:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None:
                continue
            for j in range(app.childCount):
                frame = app.getChildAtIndex(j)
                if frame is not None and frame.name == "Тарлык":
                    return app
        time.sleep(0.2)
    fail("the game's window did not appear in the accessibility tree")


def play(program, name):
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^Тарлык$"],
                            capture_output=True, text=True, timeout=60).stdout.split()
    if not window:
        fail("the main window did not appear")
    # Keys go to the active window.
    end = time.time() + 30
    while time.time() < end:
        subprocess.run(["xdotool", "windowactivate", "--sync", window[0]], capture_output=True,
                       timeout=30)
        active = subprocess.run(["xdotool", "getactivewindow"], capture_output=True, text=True)
        if active.stdout.strip() == window[0]:
            break
        time.sleep(0.1)
    if active.stdout.strip() != window[0]:
        fail("the main window could not be activated")
    game = Game(find_app(name))

    state = game.read()
    if state["button"] != ("Новая партия", True):
        fail("no \"Новая партия\" button at start: %r" % (state["button"],))
    key("Return")
    state = wait_change(game, state, "Enter on \"Новая партия\"")
    if len(state["cards"]) != 6:
        fail("the deal gave %d cards" % len(state["cards"]))
    for card, _ in state["cards"]:
        if not CARD.match(card):
            fail("a card of the hand is not named in Russian: %r" % card)
    for expected in ("Карт у компьютера: ", "Козырь: ", "Карт в колоде: "):
        if not any(item.startswith(expected) for item in state["table"]):
            fail("the table tells nothing starting with %r: %r" % (expected, state["table"]))
    print("keys_game: dealt", ", ".join(card for card, _ in state["cards"]))

    steps = 0
    while True:
        match = SCORE.match(state["score"] or "")
        if match and int(match.group(1)) == 1:
            break
        steps += 1
        if steps > 500 or program.poll() is not None:
            fail("the game did not end (%d steps)" % steps)
        playable = [i for i, (_, ok) in enumerate(state["cards"]) if ok]
        if playable:
            # Home, then Right to the card, then Space: the card must leave the hand.
            before = [card for card, _ in state["cards"]]
            key("Home", *(["Right"] * playable[0]), "space")
            state = wait_change(game, state, "Space on %s" % before[playable[0]])
            end = time.time() + 10
            while [c for c, _ in state["cards"]] == before and time.time() < end:
                time.sleep(0.05)
                state = game.read()
            if [c for c, _ in state["cards"]] == before:
                fail("Space did not play %s" % before[playable[0]])
        elif state["button"][1]:
            key("Return")
            state = wait_change(game, state, "Enter on \"%s\"" % state["button"][0])
        else:
            fail("no card to play and no button: %r" % state)

    if not any(result in state["status"] for result in RESULTS):
        fail("the status line shows no result: %r" % state["status"])
    print("keys_game: %d steps; %s; %s" % (steps, state["status"], state["score"]))

    # Closing writes the score: exactly one game in it.
    key("alt+F4")
    try:
        program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        fail("the game did not end on Alt+F4")
    login = pwd.getpwuid(os.getuid()).pw_name
    with open(os.path.join(os.environ["XDG_CONFIG_HOME"], "tarlyk", login + ".dat")) as f:
        counts = dict(re.findall(r"^(Wins|Loses|Nones)=(\d+)", f.read(), re.M))
    if sum(int(v) for v in counts.values()) != 1:
        fail("the settings file holds %r" % counts)
    print("keys_game: passed")


if __name__ == "__main__":
    main()
