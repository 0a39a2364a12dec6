#!/usr/bin/python3
"""Plays a round through the accessibility bus, as a screen reader user would.

Finds the game's table by role and name, presses Bet one and Spin through the
action interface, and checks what is announced and what the counters read.
Prints every announcement heard, one per line, prefixed with "said: ".

    screen_reader.py EXPECTED_SPIN_PREFIX
"""
import sys
import time

import pyatspi

from atspi_tree import find
from gi.repository import GLib

heard = []


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    for line in heard:
        print("  heard: " + line, file=sys.stderr)
    sys.exit(1)


def on_text_inserted(event):
    if event.source and event.source.name == "Outcome" and event.any_data:
        heard.append(str(event.any_data))
        print("said: " + str(event.any_data), flush=True)


def pump(seconds):
    """Lets the bus deliver events for a while."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        time.sleep(0.02)


def wait_for(what, check, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        result = check()
        if result:
            return result
        pump(0.1)
    fail("timed out waiting for " + what)


def game():
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == "Plumfizz Slots":
            return app
    return None


def value(item):
    return int(item.queryValue().currentValue)


def text(item):
    return item.queryText().getText(0, -1)


def sensitive(item):
    return item.getState().contains(pyatspi.STATE_SENSITIVE)


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names and "press" not in names:
        fail(f"{button.name} has no press action ({names})")
    action.doAction(names.index("Press") if "Press" in names else names.index("press"))


def announcement_after(count, part, seconds):
    def check():
        for line in heard[count:]:
            if part in line:
                return line
        return None
    return wait_for(f"an announcement with '{part}'", check, seconds)


def main():
    spin_prefix = sys.argv[1]
    pyatspi.Registry.registerEventListener(on_text_inserted, "object:text-changed:insert")

    app = wait_for("the game on the accessibility bus", game, 30)
    table = wait_for("the table pane", lambda: find(app, "panel", "Table"), 10)
    items = {}
    for role, name in [("push button", "Bet one"), ("push button", "Bet five"), ("push button", "Spin"),
                       ("label", "Coins"), ("label", "Winnings"), ("label", "Credits"),
                       ("progress bar", "Bonus meter"), ("label", "Reels"), ("notification", "Outcome")]:
        items[name] = find(table, role, name)
        if items[name] is None:
            fail(f"no {role} named '{name}' on the table")
    print(f"table: reels '{text(items['Reels'])}', credits {value(items['Credits'])}, "
          f"meter {text(items['Bonus meter'])}", flush=True)
    wait_for("the buttons to be enabled", lambda: sensitive(items["Spin"]), 10)
    credits = value(items["Credits"])

    count = len(heard)
    press(items["Bet one"])
    said = announcement_after(count, "Coins ", 10)
    if said != f"Coins 1. Credits {credits - 1}.":
        fail(f"the bet was announced as '{said}'")
    if value(items["Coins"]) != 1:
        fail(f"Coins reads {value(items['Coins'])} after Bet one")

    count = len(heard)
    press(items["Spin"])
    said = announcement_after(count, spin_prefix, 60)
    shown = value(items["Credits"])
    # One sentence: the nudge, the outcome with the credits, the meter.
    if not said.startswith("Left reel nudges up. ") or f"Credits {shown}. " not in said:
        fail(f"'{said}' does not tell the nudge and the Credits counter's {shown}")
    if not said.endswith(f"Bonus meter {text(items['Bonus meter'])}."):
        fail(f"the meter reads '{text(items['Bonus meter'])}' after '{said}'")
    wait_for("the buttons to be enabled after the spin", lambda: sensitive(items["Spin"]), 10)
    print(f"after the spin: reels '{text(items['Reels'])}', credits {shown}, "
          f"winnings {text(items['Winnings'])}", flush=True)

    # Two more spins fill the meter; the bonus window's boxes are buttons.
    count = len(heard)
    press(items["Spin"])
    announcement_after(count, "Bonus meter 8 of 12.", 60)
    wait_for("the buttons to be enabled after the second spin", lambda: sensitive(items["Spin"]), 30)
    count = len(heard)
    press(items["Spin"])
    announcement_after(count, "Bonus meter 12 of 12.", 60)
    box = wait_for("the bonus window's Box 3", lambda: find(app, "push button", "Box 3"), 60)
    for number in range(1, 9):
        if find(app, "push button", f"Box {number}") is None:
            fail(f"the bonus window has no button named 'Box {number}'")
    spin_said = [line for line in heard[count:] if spin_prefix in line]
    if not spin_said:
        fail("the filling spin's own win was not told before the boxes")
    press(box)
    said = announcement_after(count, "Bonus game: box 3 ", 60)
    wait_for("the buttons to be enabled after the bonus game", lambda: sensitive(items["Spin"]), 30)
    shown = value(items["Credits"])
    if not said.endswith(f"Credits {shown}. Bonus meter 0 of 12."):
        fail(f"'{said}' does not end with the Credits counter's {shown} and the emptied meter")
    if text(items["Bonus meter"]) != "0 of 12":
        fail(f"the meter reads '{text(items['Bonus meter'])}' after the bonus game")
    print(f"after the bonus game: credits {shown}", flush=True)
    print(f"CREDITS {shown}", flush=True)


main()
