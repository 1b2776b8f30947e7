#!/usr/bin/env python3
"""A short run of the real program on a real X desktop (Xvfb with openbox, input through
xdotool): started on the sample, Ctrl+O at once asks for a file; with a modal dialog up, a click
on the main window's File menu opens nothing; the wheel rolled over every bar of two pages; the
project closed and the program ended by its keys. Fails on a sanitizer's line, a warning in the
program's log, a program that stops answering, or a step that does not do what it should.

usage: desktop-check.py <program binary>"""

import sys
import time

import real_desktop

# Places of the main window's client area at 1024 x 720 (where the program opens the first time).
FILE_MENU = (10, 11)
ENERGY_TAB = (159, 37)
DEMAND_BUTTON = (130, 63)
SESSION_SETTINGS_FROM_RIGHT = (160, 142)
# The bars of a study page: the options bar down the left side and the toolbars across the top.
BAR_POINTS = [(x, y) for x in (40, 110, 170) for y in range(100, 690, 40)] + \
             [(x, y) for x in range(40, 1000, 120) for y in (63, 90, 118)]


class Check:
    def __init__(self, binary):
        self.binary = binary
        self.faults = []
        self.desktop = real_desktop.Desktop().start()
        self.home = real_desktop.fresh_home("desktop-check-")
        self.input = real_desktop.Input(self.desktop)
        self.program = real_desktop.Program(binary, self.desktop, self.home, ["--sample"])
        self.origin = (0, 0)

    def fault(self, text):
        print("desktop check: " + text, flush=True)
        self.faults.append(text)

    def settled(self, step):
        """After each step: the program lives and answers, and printed no sanitizer line."""
        for line in self.program.new_sanitizer_lines():
            self.fault("%s: %s" % (step, line))
        if not self.program.alive():
            self.fault("%s: the program ended (code %s)" % (step, self.program.exit_code()))
            return False
        if not self.program.answers():
            self.fault("%s: the program did not answer within %d s" % (step, real_desktop.ANSWER_WAIT_S))
            return False
        return True

    def at(self, point):
        return self.origin[0] + point[0], self.origin[1] + point[1]

    def gone(self, window, seconds=5):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if window not in [w for w, _ in self.program.windows()]:
                return True
            time.sleep(0.1)
        return False

    def run(self):
        started = time.monotonic()
        self.program.start()
        main = self.program.wait_for_window(r"^Zelko Ampelon - sample\.zca$", 90)
        if not main:
            self.fault("the main window did not show the sample project")
            return
        x, y, width, _ = self.input.geometry(main)
        self.origin = (x, y)

        # The main window's keys from the start, before any click.
        self.input.key("ctrl+o")
        dialog = self.program.wait_for_window(r"^Open$", 15)
        if not dialog:
            self.fault("Ctrl+O at start-up opened no file dialog")
        else:
            self.input.key("Escape")
            if not self.gone(dialog):
                self.fault("Escape did not close the file dialog")
        if not self.settled("Ctrl+O"):
            return

        # A modal dialog blocks the main window: its File menu does not open under it, and the
        # one Escape that follows closes the dialog (not a menu).
        self.input.click(*self.at((width - SESSION_SETTINGS_FROM_RIGHT[0], SESSION_SETTINGS_FROM_RIGHT[1])))
        dialog = self.program.wait_for_window(r"^Session Settings$", 15)
        if not dialog:
            self.fault("the Settings button of the session opened no Session Settings dialog")
        else:
            self.input.click(*self.at(FILE_MENU))
            time.sleep(0.5)
            if self.input.active_window() != dialog:
                self.fault("a click on the main window's File menu under Session Settings took the keyboard from it")
            self.input.key("Escape")
            if not self.gone(dialog):
                self.fault("a click on the main window's File menu under Session Settings opened it")
                self.input.key("Escape")
                self.input.key("Escape")
        if not self.settled("File menu under a dialog"):
            return

        # The wheel over every bar of two pages.
        for step, place in (("the Energy Study tab", ENERGY_TAB), ("the Demand view", DEMAND_BUTTON)):
            self.input.click(*self.at(place))
            if not self.settled(step):
                return
            for point in BAR_POINTS:
                self.input.wheel(*self.at(point), -2)
                self.input.wheel(*self.at(point), 2)
            if not self.settled("the wheel over the bars after " + step):
                return

        # Closed by its keys: the project, then the program.
        self.input.key("ctrl+w")
        if not self.settled("Ctrl+W"):
            return
        self.input.key("ctrl+q")
        if not self.program.wait_for_exit(60):
            self.fault("Ctrl+Q did not end the program")
        elif self.program.exit_code() != 0:
            self.fault("the program ended with code %s" % self.program.exit_code())
        for line in self.program.new_sanitizer_lines():
            self.fault("at the end: " + line)
        for line in self.program.log_complaints():
            self.fault("logged: " + line)
        print("desktop check: %.0f s" % (time.monotonic() - started), flush=True)

    def close(self):
        self.program.stop()
        for line in self.program.new_sanitizer_lines():
            self.fault(line)
        if self.faults:
            print("\n".join(["desktop check: the program's last output:"] + self.program.output_tail()))
        self.desktop.stop()
        real_desktop.remove_home(self.home)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    check = Check(sys.argv[1])
    try:
        check.run()
    finally:
        check.close()
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main())
