#!/usr/bin/python3
"""Drives a round with the keyboard while Orca listens, and waits on the
accessibility bus for each step to end (the Spin button sensitive again).

    orca.py ready   waits until Orca is on the accessibility bus
    orca.py play    B, then Space three times (once more while the first spin
                    turns), then Enter in the bonus window, then $100
                    borrowed, then keypad Enter for "where am I";
                    prints "CREDITS n" at the end
"""
import subprocess
import sys
import time

import pyatspi

from atspi_tree import find


def fail(message):
    print("FAIL: " + message, file=sys.stderr)
    sys.exit(1)


def wait_for(what, check, seconds):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        try:
            result = check()
        except Exception:
            result = None
        if result:
            return result
        time.sleep(0.1)
    fail("timed out waiting for " + what)


def application(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name == name:
            return app
    return None


def key(name):
    subprocess.run(["xdotool", "key", name], check=True)


def main():
    if sys.argv[1] == "ready":
        wait_for("Orca on the accessibility bus", lambda: application("orca"), 30)
        # Orca asks for the bus's events just after it registers.
        time.sleep(1.5)
        return

    app = wait_for("the game on the accessibility bus", lambda: application("Plumfizz Slots"), 30)
    spin = wait_for("the Spin button", lambda: find(app, "push button", "Spin"), 10)
    credits = wait_for("the Credits counter", lambda: find(app, "label", "Credits"), 10)

    def takes_play():
        return spin.getState().contains(pyatspi.STATE_SENSITIVE)

    wait_for("the table to take a bet", takes_play, 10)
    key("b")
    # The bet is a short script: the table takes play again once it has ended.
    time.sleep(0.5)
    wait_for("the bet to end", takes_play, 10)
    for number in range(1, 4):
        key("space")
        wait_for(f"spin {number} to start", lambda: not takes_play(), 10)
        if number == 1:
            # Refused while the reels turn, and told so.
            key("space")
        if number < 3:
            wait_for(f"spin {number} to end", takes_play, 40)
    wait_for("the bonus window", lambda: find(app, "push button", "Box 1"), 40)
    time.sleep(1)
    key("Return")
    wait_for("the bonus game to end", lambda: takes_play() and not find(app, "push button", "Box 1"), 60)
    # The prize is told as the table takes play again; Orca speaks it from the
    # game's own objects, so the game stays until Orca has read them.
    time.sleep(3)

    # $100 borrowed: Alt+B, the amount's button pressed, Alt+O for OK.
    key("alt+b")
    hundred = wait_for("the borrow window's $100", lambda: find(app, "push button", "$100"), 20)
    time.sleep(1)
    action = hundred.queryAction()
    action.doAction(0)
    time.sleep(1)
    key("alt+o")
    wait_for("the borrow window to close", lambda: takes_play() and not find(app, "push button", "$100"), 20)
    time.sleep(3)
    # Keypad Enter: Orca's "where am I", which must not spin.
    key("KP_Enter")
    time.sleep(3)
    print(f"CREDITS {int(credits.queryValue().currentValue)}", flush=True)


main()
