#!/usr/bin/env python3
"""Seeded random input to the real program on a real X desktop (Xvfb with openbox, xdotool), as a
user gives it: mostly clicks and keys, some wheel, drags, typing, tab switches, window resizes (at
ratio 2 often small, where the sections show scroll bars of their own), the scroll bars the window
shows dragged and clicked, dialogs answered at random, now and then the window behind a dialog,
the title-bar close and Alt+F4. After every action the program must live, print no sanitizer line
and answer within 10 s; after an exit it starts again on a fresh copy of its project. Paths typed
into file dialogs lie in the run's own folder. Every action is logged, so that a run replays; a
finding fails the run, which prints the seed and the shortest replay it found.

usage: random-input.py <program> <project.zca> [--seconds S] [--seed N ...] [--ratio R ...]
                       [--replay FILE ...] [--shrink-seconds S] [--log FILE]
The replays run first (each on a screen of its own size at its ratio, when it names them: the
findings kept in scripts/random-input-replays/ are replayed in CI); then each seed runs at each
ratio, for what is left of S seconds (split evenly)."""

import argparse
import json
import os
import random
import re
import shutil
import sys
import time

import real_desktop

# The desktop the random runs use, and the screen a replay gets when it names none.
SCREEN = "1920x1080"

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
    "type": 6, "tab": 6, "resize": 2, "dialog_spot": 5, "scroll_bar": 5,
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
        # Half the resizes at a ratio above 1 leave a window of a few hundred logical pixels.
        small = rng.random() < 0.5
        return {"do": "resize", "width": rng.randrange(400, 1000 if small else 1900),
                "height": rng.randrange(350, 700 if small else 1050), "small": small}
    if kind == "scroll_bar":
        return {"do": "scroll_bar", "pick": round(rng.random(), 3), "x": round(rng.random(), 3),
                "y": round(rng.random(), 3)}
    if kind == "behind_dialog":
        return dict(do="behind", **point)
    return {"do": kind}


def bar_grey(red, green, blue):
    """2 for the plain light grey of a scroll bar's groove and thumb, 1 for the darker grey of
    their edges, 0 for anything else (the pages, cards and grids around them are tinted or white,
    arrows dark)."""
    if red != green or green != blue:
        return 0
    return 2 if 224 <= red <= 252 else 1 if 184 <= red < 224 else 0


def find_bands(pixels, ratio, vertical):
    """Scroll bars the pixels show, one way: bands of bar grey 10 to 20 logical pixels thick and
    at least three times as long, as (x, y, width, height)."""
    step = max(1, int(ratio))
    across, along = (pixels.width, pixels.height) if vertical else (pixels.height, pixels.width)
    grey = (lambda a, b: bar_grey(*pixels.pixel(a, b))) if vertical else (lambda a, b: bar_grey(*pixels.pixel(b, a)))
    shortest = 30 * ratio
    bands, open_bands = [], []  # [first, last, start, end] across and along
    for a in range(0, across, step):
        # Runs of the light grey along the line, across the thin edges of a thumb.
        runs, start, light_end = [], None, None
        for b in range(0, along + step, step):
            kind = grey(a, b) if b < along else 0
            if kind == 2:
                start = b if start is None else start
                light_end = b + step
            elif start is not None and (kind == 0 or b - light_end > 3 * ratio):
                if light_end - start >= shortest:
                    runs.append((start, light_end))
                start = None
        # Each band goes on with the run along it (a line beside two bars, where no arrow breaks
        # it, runs along both); a run no band goes on with starts one.
        extended, used = [], set()
        for band in open_bands:
            overlaps = [(min(band[3], run[1]) - max(band[2], run[0]), run) for run in runs]
            overlap, run = max(overlaps, default=(0, None))
            if overlap < shortest:
                bands.append(band)
                continue
            band[1], band[2], band[3] = a, max(band[2], run[0]), min(band[3], run[1])
            extended.append(band)
            used.add(run)
        open_bands = extended + [[a, a, run[0], run[1]] for run in runs if run not in used]
    bands += open_bands
    found = []
    for first, last, start, end in bands:
        thickness = last - first + step
        if 10 * ratio <= thickness <= 20 * ratio and end - start >= 3 * thickness:
            found.append((first, start, thickness, end - start) if vertical else (start, first, end - start, thickness))
    return found


def find_scroll_bars(pixels, ratio):
    """The scroll bars the pixels show: (x, y, width, height) each, vertical ones first."""
    return find_bands(pixels, ratio, True) + find_bands(pixels, ratio, False)


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

    def aim_at_scroll_bar(self, action):
        """A scroll bar of the window the action goes to, dragged along or clicked near an end
        (as a plain drag, so that a replay needs no screen reading); a click where none shows."""
        window, area = self.target()
        pixels = real_desktop.grab_screen(self.desktop.display, *area) if area else None
        bars = find_scroll_bars(pixels, self.ratio) if pixels else []
        if not bars:
            return {"do": "click", "button": 1, "count": 1, "x": action["x"], "y": action["y"], "in": action["in"]}
        x, y, width, height = bars[min(len(bars) - 1, int(action["pick"] * len(bars)))]
        x, y = x + pixels.left - area[0], y + pixels.top - area[1]
        vertical = height > width
        # From a point of the bar (its thumb, its groove or an arrow) to another point along it.
        start = (x + width / 2, y + action["y"] * height) if vertical else (x + action["x"] * width, y + height / 2)
        end = (start[0], y + action["x"] * height) if vertical else (x + action["y"] * width, start[1])
        _, _, client_width, client_height = area
        return {"do": "drag", "x": round(start[0] / client_width, 4), "y": round(start[1] / client_height, 4),
                "x2": round(end[0] / client_width, 4), "y2": round(end[1] / client_height, 4), "in": action["in"],
                "bar": True}

    def give(self, action):
        """Gives one action (the one actually given is what is logged and replayed); a finding
        (dict) or None."""
        # A file dialog that came up after the action was chosen gets only a path in the run's
        # folder or Escape: a click or key there could leave the folder (Backspace goes up one)
        # and write outside it.
        escape = action["do"] == "key" and action["keys"] == "Escape"
        if action["do"] != "path" and not escape and self.state() == "file_dialog":
            action = {"do": "key", "keys": "Escape", "in": "file_dialog"}
        if action["do"] == "scroll_bar":
            action = self.aim_at_scroll_bar(action)
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


def load_replay(path, ratio):
    """The actions of a replay file with the screen and ratio it names (a bare list of actions
    takes the run's ratio and screen)."""
    with open(path) as replay:
        kept = json.load(replay)
    if isinstance(kept, list):
        kept = {"actions": kept}
    return {"actions": kept["actions"], "ratio": kept.get("ratio", ratio), "screen": kept.get("screen", SCREEN)}


def replay_all(paths, arguments, ratio, folder, log):
    """Each replay on a desktop of its screen; whether all passed."""
    passed = True
    for path in paths:
        replay = load_replay(path, ratio)
        log.write("# replay %s\n" % path)
        desktop = real_desktop.Desktop(replay["screen"]).start()
        try:
            run = Run(arguments.program, arguments.project, desktop, replay["ratio"], folder)
            finding, _ = play(run, replay["actions"], log=log)
            run.stop()
        finally:
            desktop.stop()
        if finding:
            print("\n".join(finding.get("output", [])))
            for line in finding["sanitizer"]:
                print("    " + line)
        print("random input: replay %s (%d actions, ratio %g, screen %s): %s" %
              (path, len(replay["actions"]), replay["ratio"], replay["screen"],
               finding["what"] if finding else "nothing found"), flush=True)
        passed = passed and not finding
    return passed


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
    parser.add_argument("--replay", action="append", default=[])
    parser.add_argument("--shrink-seconds", type=float, default=240)
    parser.add_argument("--log", default="random-input.log")
    arguments = parser.parse_args()
    ratios = arguments.ratio or [1]
    folder = os.path.dirname(os.path.abspath(arguments.log))
    started = time.monotonic()
    with open(arguments.log, "w") as log:
        failed = not replay_all(arguments.replay, arguments, ratios[0], folder, log)
        if arguments.replay and not arguments.seed:
            return 1 if failed else 0
        seeds = arguments.seed or [1]
        # The replays take their time from the random runs: the whole stays as long as asked.
        left = max(arguments.seconds - (time.monotonic() - started), 30 * len(seeds) * len(ratios))
        per_run = left / (len(seeds) * len(ratios))
        desktop = real_desktop.Desktop(SCREEN).start()
        try:
            for seed in seeds:
                for ratio in ratios:
                    log.write("# seed %d, ratio %g\n" % (seed, ratio))
                    run = Run(arguments.program, arguments.project, desktop, ratio, folder)
                    run_started = time.monotonic()
                    finding, actions = play(run, [], per_run, random.Random(seed), log)
                    run.stop()
                    if not finding:
                        print("random input: seed %d, ratio %g: nothing found in %.0f s, %d actions, %d starts" %
                              (seed, ratio, time.monotonic() - run_started, run.given, run.starts), flush=True)
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
                        json.dump({"screen": SCREEN, "ratio": ratio, "actions": shortest}, replay, indent=1)
                    print("random input: shortest replay found (%d of %d actions), in %s:\n%s" %
                          (len(shortest), len(actions), path, json.dumps(shortest)), flush=True)
                    print("random input: to replay it: python3 %s %s %s --replay %s" %
                          (sys.argv[0], arguments.program, arguments.project, path), flush=True)
        finally:
            desktop.stop()
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
