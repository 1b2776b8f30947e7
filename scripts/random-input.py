#!/usr/bin/env python3
"""Seeded random input to the real program on a real X desktop (Xvfb with openbox, xdotool), as a
user gives it: mostly clicks and keys, some wheel, drags, typing, tab switches, window resizes,
dialogs answered at random, now and then the window behind a dialog, the title-bar close and
Alt+F4. After every action the program must live, print no sanitizer line and answer within 10 s;
after an exit it starts again on a fresh copy of its project. Paths typed into file dialogs lie in
the run's own folder. Every action is logged, so that a run replays; a finding fails the run, which
prints the seed and the shortest replay it found.

usage: random-input.py <program> <project.zca> [--seconds S] [--seed N ...] [--ratio R ...]
                       [--replay FILE] [--shrink-seconds S] [--log FILE]
Each seed runs at each ratio, for S seconds in all (split evenly)."""

import argparse
import json
import os
import random
import re
import shutil
import sys
import time

import real_desktop

# A file dialog, by its title: what is typed into it is a path in the run's folder.
FILE_DIALOG = re.compile(r"^(Open|Save As|Save|Save File|Open File)$")
# The main window's tabs (centres, logical pixels of its client area) and title-bar buttons.
TAB_CENTRES = [(56, 57), (160, 57), (253, 57), (335, 57), (407, 57)]
KEYS = ["Tab", "shift+Tab", "Return", "Escape", "Up", "Down", "Left", "Right", "Prior", "Next", "Home", "End",
        "space", "Delete", "BackSpace", "F10", "alt+f", "alt+v", "1", "5", "0", "a", "ctrl+a", "ctrl+c"]
SHORTCUTS = ["ctrl+s", "ctrl+o", "ctrl+w", "ctrl+shift+s", "ctrl+q"]
TEXTS = ["12", "0,5", "230.5", "-3", "abc", "08:00", "1e9", "02/15/2024", "", "999999", "Feeder"]
# Places that open a dialog on one page or another (logical pixels of the main window's client
# area at 1024 x 720; a negative x counts from the right edge, a negative y from the bottom), and
# how they are clicked: the buttons of the first session's card, the value and the time axis of a
# graph.
DIALOG_SPOTS = [(-162, 162, 1), (-100, 162, 1), (-40, 162, 1), (-120, 99, 1), (270, 356, 2), (601, -39, 2)]
# How often each action is chosen, as a user's input goes.
WEIGHTS = {
    "click": 30, "double_click": 7, "right_click": 4, "drag": 5, "wheel": 10, "key": 18, "shortcut": 2,
    "type": 6, "tab": 6, "resize": 2, "dialog_spot": 5,
}
# While a dialog is up a user now and then tries the window behind it and its closes; with none
# up the closes end the program (which starts again on a fresh copy), so they come more rarely.
WEIGHTS_BY_STATE = {
    "dialog": {"behind_dialog": 4, "title_close": 3, "alt_f4": 3},
    "main": {"behind_dialog": 0, "title_close": 0.3, "alt_f4": 0.3},
}
# Within a dialog the keys that answer it count more.
DIALOG_KEYS = ["Return", "Escape", "Tab", "space"]


def choose_action(rng, state):
    """The next action, from the seeded generator and what shows now (a dialog, a file dialog)."""
    if state == "file_dialog":
        if rng.random() < 0.6:
            return {"do": "path", "name": rng.choice(["project.zca", "copy.zca", "export.txt", "report.pdf",
                                                       "report.rtf", "picture.png", "missing.zca", "session.zlg"])}
        return {"do": "key", "keys": "Escape"}
    weighted = dict(WEIGHTS, **WEIGHTS_BY_STATE[state])
    kinds = list(weighted)
    weights = [weighted[k] for k in kinds]
    kind = rng.choices(kinds, weights)[0]
    point = {"x": round(rng.random(), 3), "y": round(rng.random(), 3)}
    if kind == "click":
        return dict(do="click", button=1, count=1, **point)
    if kind == "double_click":
        return dict(do="click", button=1, count=2, **point)
    if kind == "right_click":
        return dict(do="click", button=3, count=1, **point)
    if kind == "drag":
        return dict(do="drag", x2=round(rng.random(), 3), y2=round(rng.random(), 3), **point)
    if kind == "wheel":
        return dict(do="wheel", clicks=rng.choice([-3, -2, -1, 1, 2, 3]), **point)
    if kind == "key":
        return {"do": "key", "keys": rng.choice(DIALOG_KEYS if state == "dialog" and rng.random() < 0.5 else KEYS)}
    if kind == "shortcut":
        return {"do": "key", "keys": rng.choice(SHORTCUTS)}
    if kind == "type":
        return {"do": "type", "text": rng.choice(TEXTS)}
    if kind == "tab":
        return {"do": "tab", "tab": rng.randrange(len(TAB_CENTRES))}
    if kind == "dialog_spot":
        return {"do": "spot", "spot": rng.randrange(len(DIALOG_SPOTS))}
    if kind == "resize":
        return {"do": "resize", "width": rng.randrange(500, 1900), "height": rng.randrange(350, 1050)}
    if kind == "behind_dialog":
        return dict(do="behind", **point)
    return {"do": kind}


class Run:
    """The program on a desktop, given actions one by one, started again after each exit."""

    def __init__(self, binary, project, desktop, ratio, folder):
        self.binary = binary
        self.project = project
        self.desktop = desktop
        self.ratio = ratio
        self.folder = folder
        self.input = real_desktop.Input(desktop)
        self.program = None
        self.home = None
        self.since_start = []  # the actions given to the program running now
        self.given = 0
        self.last_given = None
        self.starts = 0

    def start(self):
        self.stop()
        self.home = real_desktop.fresh_home("random-input-")
        work = os.path.join(self.home, "work")
        os.makedirs(work)
        shutil.copy(self.project, os.path.join(work, "project.zca"))
        self.program = real_desktop.Program(self.binary, self.desktop, self.home, [os.path.join(work, "project.zca")],
                                            self.ratio).start()
        self.since_start = []
        self.starts += 1
        if not self.program.wait_for_window(r"^Zelko Ampelon - project\.zca$", 120):
            return self.finding("the main window did not show the project")
        return None

    def stop(self):
        if self.program:
            self.program.stop()
            self.program = None
        if self.home:
            real_desktop.remove_home(self.home)
            self.home = None

    def state(self):
        active = self.input.active_window()
        for window, title in self.program.windows():
            if window == active and self.program.is_dialog(window):
                return "file_dialog" if FILE_DIALOG.match(title) else "dialog"
        return "main"

    def target(self, main_only=False):
        """The window an action goes to, and its client area: the active window of the program,
        else the main window."""
        windows = dict(self.program.windows())
        active = self.input.active_window()
        window = self.program.main_window() if main_only or active not in windows else active
        return window, (self.input.geometry(window) if window else None)

    def finding(self, what):
        lines = self.program.new_sanitizer_lines() if self.program else []
        return {"what": what, "sanitizer": lines[:6]}

    def give(self, action):
        """Gives one action (the one actually given is what is logged and replayed); a finding
        (dict) or None."""
        # A file dialog that came up after the action was chosen gets only a path in the run's
        # folder or Escape: a click or key there could leave the folder (Backspace goes up one)
        # and write outside it.
        escape = action["do"] == "key" and action["keys"] == "Escape"
        if action["do"] != "path" and not escape and self.state() == "file_dialog":
            action = {"do": "key", "keys": "Escape", "in": "file_dialog"}
        self.since_start.append(action)
        self.last_given = action
        self.given += 1
        do = action["do"]
        window, area = self.target(main_only=do in ("behind", "tab", "resize", "title_close", "spot"))
        if area:
            x, y, width, height = area
            at = (x + action.get("x", 0) * width, y + action.get("y", 0) * height)
            if do == "click":
                self.input.click(*at, button=action["button"], count=action["count"])
            elif do == "behind":
                self.input.click(*at)
            elif do == "drag":
                self.input.drag(*at, x + action["x2"] * width, y + action["y2"] * height)
            elif do == "wheel":
                self.input.wheel(*at, action["clicks"])
            elif do == "tab":
                cx, cy = TAB_CENTRES[action["tab"]]
                self.input.click(x + cx * self.ratio, y + cy * self.ratio)
            elif do == "spot":
                sx, sy, count = DIALOG_SPOTS[action["spot"]]
                sx = width + sx * self.ratio if sx < 0 else sx * self.ratio
                sy = height + sy * self.ratio if sy < 0 else sy * self.ratio
                self.input.click(x + sx, y + sy, count=count)
            elif do == "resize":
                self.input.resize(window, action["width"], action["height"])
            elif do == "title_close":
                left, right, top, _ = self.input.frame_extents(window)
                # Openbox puts the close button at the right end of the title bar.
                self.input.click(x + width + right - max(8, top // 2), y - top // 2)
        if do == "key":
            self.input.key(action["keys"])
        elif do == "type":
            if action["text"]:
                self.input.type(action["text"])
        elif do == "alt_f4":
            self.input.key("alt+F4")
        elif do == "path":
            self.input.key("ctrl+a")
            self.input.type(os.path.join(self.home, "work", action["name"]))
            self.input.key("Return")
        return self.check()

    def check(self):
        """After an action: a finding with the program's last output, {"exited": True} after a
        clean end, or None."""
        found = self.checked()
        if found and not found.get("exited"):
            found["output"] = self.program.output_tail(400)
        return found

    def checked(self):
        # An action may end the program (Exit): it answers, or it has ended by then.
        answered = self.program.answers()
        lines = self.program.new_sanitizer_lines()
        if lines:
            return {"what": "a sanitizer's report", "sanitizer": lines[:6]}
        if not self.program.alive():
            code = self.program.exit_code()
            if code != 0:
                return {"what": "the program ended with code %s" % code, "sanitizer": []}
            return {"exited": True}
        if not answered:
            return {"what": "the program did not answer within %d s" % real_desktop.ANSWER_WAIT_S, "sanitizer": []}
        return None


def play(run, actions, seconds=None, rng=None, log=None):
    """Gives the actions (or, with a generator, new ones for that long); the finding and the actions
    given since the program's last start, or None."""
    finding = run.start()
    if finding:
        return finding, []
    deadline = time.monotonic() + seconds if seconds else None
    index = 0
    while True:
        if rng:
            if time.monotonic() >= deadline:
                return None, []
            state = run.state()
            action = choose_action(rng, state)
            action["in"] = state
        else:
            if index >= len(actions):
                return None, []
            action = actions[index]
        index += 1
        result = run.give(action)
        if log:
            log.write(json.dumps(run.last_given) + "\n")
            log.flush()
        if result and result.get("exited"):
            if log:
                log.write("# the program ended; started again on a fresh copy\n")
            finding = run.start()
            if finding:
                return finding, []
        elif result:
            return result, list(run.since_start)


def same_kind(first, second):
    kind = lambda f: "sanitizer" if f["sanitizer"] else f["what"].split(" within")[0].split(" with code")[0]
    return first and second and kind(first) == kind(second)


def shrink(run, finding, actions, seconds):
    """The shortest list of the actions found within the time that still gives a finding of the
    same kind (delta debugging: drop chunks while the finding stays)."""
    deadline = time.monotonic() + seconds
    chunks = 2
    while len(actions) > 1 and time.monotonic() < deadline:
        size = max(1, len(actions) // chunks)
        dropped = False
        for start in range(0, len(actions), size):
            if time.monotonic() >= deadline:
                break
            trial = actions[:start] + actions[start + size:]
            again, given = play(run, trial)
            if same_kind(finding, again):
                actions = given or trial
                chunks = max(chunks - 1, 2)
                dropped = True
                break
        if not dropped:
            if size == 1:
                break
            chunks = min(len(actions), chunks * 2)
    return actions


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("program")
    parser.add_argument("project")
    parser.add_argument("--seconds", type=float, default=180)
    parser.add_argument("--seed", type=int, action="append")
    parser.add_argument("--ratio", type=float, action="append")
    parser.add_argument("--replay")
    parser.add_argument("--shrink-seconds", type=float, default=240)
    parser.add_argument("--log", default="random-input.log")
    arguments = parser.parse_args()
    seeds = arguments.seed or [1]
    ratios = arguments.ratio or [1]
    folder = os.path.dirname(os.path.abspath(arguments.log))
    desktop = real_desktop.Desktop().start()
    failed = False
    try:
        with open(arguments.log, "w") as log:
            if arguments.replay:
                with open(arguments.replay) as replay:
                    actions = json.load(replay)
                run = Run(arguments.program, arguments.project, desktop, ratios[0], folder)
                finding, _ = play(run, actions, log=log)
                run.stop()
                if finding:
                    print("\n".join(finding.get("output", [])))
                print("random input: replay of %d actions: %s" %
                      (len(actions), finding["what"] if finding else "nothing found"))
                return 1 if finding else 0
            per_run = arguments.seconds / (len(seeds) * len(ratios))
            for seed in seeds:
                for ratio in ratios:
                    log.write("# seed %d, ratio %g\n" % (seed, ratio))
                    run = Run(arguments.program, arguments.project, desktop, ratio, folder)
                    started = time.monotonic()
                    finding, actions = play(run, [], per_run, random.Random(seed), log)
                    run.stop()
                    if not finding:
                        print("random input: seed %d, ratio %g: nothing found in %.0f s, %d actions, %d starts" %
                              (seed, ratio, time.monotonic() - started, run.given, run.starts), flush=True)
                        continue
                    failed = True
                    print("random input: seed %d, ratio %g: %s after %d actions" %
                          (seed, ratio, finding["what"], run.given), flush=True)
                    for line in finding["sanitizer"]:
                        print("    " + line)
                    output = os.path.join(folder, "random-input-seed%d-ratio%g-output.txt" % (seed, ratio))
                    with open(output, "w") as kept:
                        kept.write("\n".join(finding.get("output", [])) + "\n")
                    print("random input: the program's last output is in " + output, flush=True)
                    shortest = shrink(run, finding, actions, arguments.shrink_seconds)
                    run.stop()
                    path = os.path.join(folder, "random-input-seed%d-ratio%g.json" % (seed, ratio))
                    with open(path, "w") as replay:
                        json.dump(shortest, replay, indent=1)
                    print("random input: shortest replay found (%d of %d actions), in %s:\n%s" %
                          (len(shortest), len(actions), path, json.dumps(shortest)), flush=True)
                    print("random input: to replay it: python3 %s %s %s --ratio %g --replay %s" %
                          (sys.argv[0], arguments.program, arguments.project, ratio, path), flush=True)
    finally:
        desktop.stop()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
