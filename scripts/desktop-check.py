#!/usr/bin/env python3
"""A short run of the real program on a real X desktop (Xvfb with openbox, input through
xdotool): started on the sample, Ctrl+O at once asks for a file; with a modal dialog up, a click
on the main window's File menu opens nothing; with a graph's dialog up, a click on another tab,
the main window's title-bar close and Alt+F4 leave the program whole and the dialog in front; the
wheel rolled over every bar of two pages; the tariff dialog opened from the demand table's
advanced choice takes a currency and a price that Ctrl+S stores; the project closed and the
program ended by its keys, then by its title-bar close, then by an end signal while a message box
waits. Started once more in de_DE.UTF-8, Session Settings is confirmed with OK as it opens and the
project saved: its tariff is stored in the locale's currency with a price the file writes as in
every locale. Fails on a sanitizer's line, a warning in the program's log, a program that stops
answering, or a step that does not do what it should.

usage: desktop-check.py <program binary>"""

import glob
import json
import os
import re
import signal
import subprocess
import sys
import time

import real_desktop

# Places of the main window's client area at 1024 x 720 (where the program opens the first time).
FILE_MENU = (10, 11)
ENERGY_TAB = (160, 57)
DEMAND_BUTTON = (131, 83)
SESSION_SETTINGS_FROM_RIGHT = (160, 162)
SESSION_REMOVE_FROM_RIGHT = (40, 162)
SESSION_SETTINGS_TEMPLATE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "dialogs",
                                         "1501.json")
PROJECT_MANAGER_TAB = (56, 57)
# On the Demand view: the overview table section's collapse button and the "advanced" choice of
# the session's costs; in the tariff dialog's client area, its currency and forward price fields.
OVERVIEW_COLLAPSE = (14, 111)
ADVANCED_CHOICE = (496, 190)
TARIFF_CURRENCY = (193, 80)
TARIFF_PRICE = (193, 102)
# The time axis of the RMS Power graph, from the bottom of the client area.
TIME_AXIS_FROM_BOTTOM = (601, 39)
# The bars of a study page: the options bar down the left side and the toolbars across the top.
BAR_POINTS = [(x, y) for x in (41, 111, 171) for y in range(120, 710, 40)] + \
             [(x, y) for x in range(41, 1001, 120) for y in (83, 110, 138)]


def project_xml(path):
    """The "project.xml" a project file holds (empty when it cannot be read)."""
    return subprocess.run(["gsf", "cat", path, "project.xml"], capture_output=True, text=True).stdout


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

    def becomes_active(self, window, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            if self.input.active_window() == window:
                return True
            time.sleep(0.1)
        return False

    def time_axis_dialog(self):
        x, y, width, height = self.input.geometry(self.program.main_window())
        self.input.click(x + TIME_AXIS_FROM_BOTTOM[0], y + height - TIME_AXIS_FROM_BOTTOM[1], count=2)
        dialog = self.program.wait_for_window(r"^Time axis scale$", 15)
        if not dialog:
            self.fault("a double click on the graph's time axis opened no Time axis scale dialog")
        return dialog

    def title_close(self, window):
        """The close button of the window's title bar, at its right end (openbox)."""
        x, y, width, _ = self.input.geometry(window)
        _, right, top, _ = self.input.frame_extents(window)
        return x + width + right - max(8, top // 2), y - top // 2

    def run(self):
        started = time.monotonic()
        self.program.start()
        main = self.program.wait_for_window(r"^Zelko Ampelon - sample\.zca$", 90)
        if not main:
            self.fault("the main window did not show the sample project")
            return
        x, y, width, _ = self.input.geometry(main)
        self.origin = (x, y)

        # The main window's keys from the start, before any click: pressed as soon as the window
        # manager has given the new window the keyboard (the keys go to the active window).
        if not self.becomes_active(main):
            self.fault("the main window never became the active window")
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
            if not self.becomes_active(dialog):
                self.fault("a click on the main window's File menu under Session Settings took the keyboard from it")
            self.input.key("Escape")
            if not self.gone(dialog):
                self.fault("a click on the main window's File menu under Session Settings opened it")
                self.input.key("Escape")
                self.input.key("Escape")
        if not self.settled("File menu under a dialog"):
            return

        # A dialog over a graph holds the graph: a click on another tab behind it, the main
        # window's title-bar close and Alt+F4 (which the window manager gives the dialog, the
        # active window) leave the program and the dialog in front, and the dialog takes Escape.
        self.input.click(*self.at(ENERGY_TAB))
        if not self.settled("the Energy Study tab"):
            return
        for gesture in ("a click on the Project Manager tab", "the title-bar close", "Alt+F4"):
            dialog = self.time_axis_dialog()
            if not dialog:
                break
            if gesture == "Alt+F4":
                self.input.key("alt+F4")
                if not self.gone(dialog):
                    self.fault("Alt+F4 did not close the Time axis scale dialog")
            else:
                if gesture == "a click on the Project Manager tab":
                    self.input.click(*self.at(PROJECT_MANAGER_TAB))
                else:
                    self.input.click(*self.title_close(main))
                if not self.becomes_active(dialog):
                    self.fault("after %s under the Time axis scale dialog the dialog is not in front" % gesture)
                if main not in [w for w, _ in self.program.windows()]:
                    self.fault("%s under the Time axis scale dialog closed the main window" % gesture)
                self.input.key("Escape")
                if not self.gone(dialog):
                    self.fault("after %s the Time axis scale dialog did not take Escape" % gesture)
            if not self.settled(gesture + " under the Time axis scale dialog"):
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

        # The tariff dialog opened from the Demand table's "advanced" choice (a press in the grid)
        # takes typing: the currency and the price typed into it are stored.
        if not self.type_tariff_from_the_demand_table():
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

        # Started again, the title-bar close ends it (the button is where the step above clicks).
        main = self.restart()
        if not main:
            return
        self.input.click(*self.title_close(main))
        if not self.ended("the title-bar close"):
            return

        # An end signal while a message box waits ends the box as its way out (No: the session
        # stays) and the program, which keeps the project whole.
        main = self.restart()
        if not main:
            return
        self.input.click(*self.at((self.input.geometry(main)[2] - SESSION_REMOVE_FROM_RIGHT[0],
                                   SESSION_REMOVE_FROM_RIGHT[1])))
        if not self.program.wait_for_window(r"^Zelko Ampelon$", 15):
            self.fault("the Remove button of the session asked nothing")
        self.program.process.send_signal(signal.SIGTERM)
        if not self.ended("an end signal while a message box waits"):
            return
        # Started again, it opens the project as it was, without a word.
        main = self.restart()
        if not main:
            return
        time.sleep(1)
        told = [title for window, title in self.program.windows() if window != main]
        if told:
            self.fault("started after the end signal, the program showed %s" % told)
        self.input.key("ctrl+q")
        if not self.ended("Ctrl+Q"):
            return
        for line in self.program.log_complaints():
            self.fault("logged: " + line)
        self.german_session_settings()
        print("desktop check: %.0f s" % (time.monotonic() - started), flush=True)

    def type_tariff_from_the_demand_table(self):
        self.input.click(*self.at(OVERVIEW_COLLAPSE))
        self.input.click(*self.at(ADVANCED_CHOICE))
        dialog = self.program.wait_for_window(r"^Session Settings$", 15)
        if not dialog:
            self.fault("the demand table's advanced choice opened no tariff dialog")
            return self.settled("the advanced choice")
        x, y, _, _ = self.input.geometry(dialog)
        for place, text in ((TARIFF_CURRENCY, "CHF"), (TARIFF_PRICE, "0.35")):
            self.input.click(x + place[0], y + place[1])
            self.input.key("ctrl+a")
            self.input.type(text)
        self.input.key("Return")
        if not self.gone(dialog):
            self.fault("Enter in the tariff's price did not confirm the dialog opened from the demand table")
            self.input.key("Escape")
        self.input.key("ctrl+s")
        if not self.settled("the tariff typed and saved"):
            return False
        costs = re.search(r'<energyCosts currency="([^"]*)"(?: costFwd="([^"]*)")?',
                          project_xml(self.program.data_path("sample.zca")))
        if not costs or costs.group(1) != "CHF" or abs(float(costs.group(2) or 0) - 0.35) > 1e-6:
            self.fault("the tariff typed into the dialog from the demand table is stored as %s" %
                       (costs.group(0) if costs else "nothing"))
        return True

    def german_session_settings(self):
        """In de_DE.UTF-8 (comma decimals, the currency after the amount) Session Settings takes
        OK as it opens: no field refuses the numbers the dialog wrote into it. Saved, the session's
        tariff holds the locale's currency and a price written with a point, as in every locale."""
        home = real_desktop.fresh_home("desktop-check-de-")
        first = self.program
        self.program = real_desktop.Program(self.binary, self.desktop, home, ["--sample"], locale="de_DE.UTF-8")
        try:
            main = self.restart()
            if not main:
                return
            x, y, width, _ = self.input.geometry(main)
            self.origin = (x, y)
            self.input.click(*self.at((width - SESSION_SETTINGS_FROM_RIGHT[0], SESSION_SETTINGS_FROM_RIGHT[1])))
            dialog = self.program.wait_for_window(r"^Session Settings$", 15)
            if not dialog:
                self.fault("in de_DE the Settings button of the session opened no Session Settings dialog")
                return
            # OK where its template puts it: dialog units of 6 / 4 pixels across and 13 / 8 down.
            with open(SESSION_SETTINGS_TEMPLATE) as template:
                ok = next(c["rect"] for c in json.load(template)["controls"] if c["id"] == 1)
            left, top, _, _ = self.input.geometry(dialog)
            self.input.click(left + (2 * ok[0] + ok[2]) * 6 // 8, top + (2 * ok[1] + ok[3]) * 13 // 16)
            if not self.gone(dialog):
                told = [title for window, title in self.program.windows() if window not in (main, dialog)]
                self.fault("in de_DE Session Settings did not take OK as it opened%s" %
                           (" (it told %s)" % told if told else ""))
                return
            self.input.key("ctrl+s")
            if not self.settled("Ctrl+S in de_DE"):
                return
            self.input.key("ctrl+q")
            if not self.ended("Ctrl+Q in de_DE"):
                return
            projects = glob.glob(os.path.join(home, "data", "**", "sample.zca"), recursive=True)
            xml = project_xml(projects[0]) if projects else ""
            stored = re.search(r'<energyCosts currency="([^"]*)" costFwd="([^"]*)"', xml)
            if not stored or stored.group(1) != "\u20ac" or \
                    not re.fullmatch(r"-?[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?", stored.group(2)):
                self.fault("in de_DE the confirmed tariff was stored as %s" %
                           (stored.group(0) if stored else "nothing"))
        finally:
            self.program.stop()
            for line in self.program.new_sanitizer_lines():
                self.fault("in de_DE: " + line)
            self.program = first
            real_desktop.remove_home(home)

    def restart(self):
        self.program.start()
        main = self.program.wait_for_window(r"^Zelko Ampelon - sample\.zca$", 90)
        if not main:
            self.fault("started again, the main window did not show the sample project")
        return main

    def ended(self, gesture):
        if not self.program.wait_for_exit(60):
            self.fault("%s did not end the program" % gesture)
            return False
        if self.program.exit_code() != 0:
            self.fault("after %s the program ended with code %s" % (gesture, self.program.exit_code()))
        for line in self.program.new_sanitizer_lines():
            self.fault("after %s: %s" % (gesture, line))
        return not self.faults

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
    for attempt in (1, 2):
        check = Check(sys.argv[1])
        try:
            check.run()
            lost = check.desktop.window_manager_lost()
        finally:
            check.close()
        if not (check.faults and lost) or attempt == 2:
            break
        print("desktop check: the window manager exited during the check; checking again on a new desktop",
              flush=True)
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main())
