"""The real program on a real X desktop, for the checks of scripts/test.sh: a private Xvfb server
with the openbox window manager, the program started in a home of its own, and input given
through xdotool as the window system gives a user's. Used by desktop-check.py and
random-input.py."""

import ctypes
import ctypes.util
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

# What the sanitizers print when they find something, and Qt when something paints where no
# pixels are (an empty image).
SANITIZER_LINE = re.compile(r"ERROR: (Address|Leak|Thread|Memory)Sanitizer|runtime error:|UndefinedBehaviorSanitizer|"
                            r"SUMMARY: (Address|Undefined)|QPainter::begin: |Painter not active")
# The program answers when its heartbeat (ten times a second on its message loop) rewrites the
# record of its instance: a program busy for good, or stuck, does not.
ANSWER_WAIT_S = 10.0
MAIN_TITLE = "Zelko Ampelon"


class _XImage(ctypes.Structure):
    """The leading fields of Xlib's XImage."""
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.c_void_p), ("byte_order", ctypes.c_int),
                ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int), ("bits_per_pixel", ctypes.c_int)]


class Pixels:
    """What a rectangle of the screen shows, read through libX11 (no tool beyond the X library
    xdotool itself uses): pixel(x, y) gives (red, green, blue) in the rectangle's coordinates;
    left and top place it on the screen."""

    def __init__(self, left, top, width, height, stride, data):
        self.left, self.top, self.width, self.height = left, top, width, height
        self._stride, self._data = stride, data

    def pixel(self, x, y):
        at = y * self._stride + 4 * x
        blue, green, red = self._data[at], self._data[at + 1], self._data[at + 2]
        return red, green, blue


def grab_screen(display, x, y, width, height):
    """The pixels of a rectangle of the screen (cut to the screen), or None."""
    xlib = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XGetImage.restype = ctypes.POINTER(_XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                               ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XDisplayWidth.argtypes = xlib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XFree.argtypes = [ctypes.c_void_p]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    connection = xlib.XOpenDisplay(display.encode())
    if not connection:
        return None
    try:
        screen_width, screen_height = xlib.XDisplayWidth(connection, 0), xlib.XDisplayHeight(connection, 0)
        left, top = max(0, int(x)), max(0, int(y))
        right, bottom = min(screen_width, int(x + width)), min(screen_height, int(y + height))
        if right <= left or bottom <= top:
            return None
        z_pixmap, all_planes = 2, 0xFFFFFFFF
        image = xlib.XGetImage(connection, xlib.XDefaultRootWindow(connection), left, top, right - left, bottom - top,
                               all_planes, z_pixmap)
        if not image or image.contents.bits_per_pixel != 32:
            return None
        fields = image.contents
        data = ctypes.string_at(fields.data, fields.bytes_per_line * fields.height)
        pixels = Pixels(left, top, fields.width, fields.height, fields.bytes_per_line, data)
        xlib.XFree(ctypes.c_void_p(fields.data))
        xlib.XFree(image)
        return pixels
    finally:
        xlib.XCloseDisplay(connection)


class Desktop:
    """Xvfb on a display it picks itself, with openbox, until stop()."""

    def __init__(self, size="1920x1080"):
        self.size = size
        self.display = None
        self._processes = []

    def start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", self.size + "x24",
                                 "-nolisten", "tcp"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as chosen:
            number = chosen.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self._processes.append(xvfb)
        self.display = ":" + number
        self._processes.append(subprocess.Popen(["openbox"], env=self.env(), stdout=subprocess.DEVNULL,
                                                stderr=subprocess.DEVNULL))
        # The window manager owns the screen once it answers for its root window's properties.
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            if "_NET_SUPPORTING_WM_CHECK" in run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], self.env()):
                break
            time.sleep(0.1)
        return self

    def window_manager_lost(self):
        """Whether openbox has exited: without it nothing is activated, and a check's findings say
        nothing about the program."""
        return len(self._processes) > 1 and self._processes[1].poll() is not None

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.display
        return env

    def stop(self):
        for process in reversed(self._processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
        self._processes = []


def run(command, env, timeout=20):
    """The output of a command (empty when it fails)."""
    try:
        return subprocess.run(command, env=env, capture_output=True, text=True, timeout=timeout).stdout
    except (subprocess.TimeoutExpired, OSError):
        return ""


class Program:
    """One run of the program on the desktop, in a home folder of its own (its profile, data
    folder, log and runtime folder), with its output kept for the sanitizers' lines."""

    def __init__(self, binary, desktop, home, arguments, ratio=1, locale=None):
        self.binary = os.path.abspath(binary)
        self.desktop = desktop
        self.home = home
        self.arguments = arguments
        self.ratio = ratio
        self.locale = locale
        self.process = None
        self.stderr_path = os.path.join(home, "stderr.txt")
        self._stderr = None
        self._sanitizer_lines_seen = 0
        self._types = {}

    def env(self):
        env = self.desktop.env()
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime, mode=0o700, exist_ok=True)
        env.update({
            "HOME": self.home,
            "XDG_CONFIG_HOME": os.path.join(self.home, "config"),
            "XDG_DATA_HOME": os.path.join(self.home, "data"),
            "XDG_RUNTIME_DIR": runtime,
            "QT_QPA_PLATFORM": "xcb",
            "QT_SCALE_FACTOR": str(self.ratio),
            "ASAN_OPTIONS": "detect_leaks=1",
            "UBSAN_OPTIONS": "halt_on_error=1:print_stacktrace=1",
            "LSAN_OPTIONS": "suppressions=" + os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                           "desktop-leaks.supp"),
            # No desktop viewer opens files here: the program says so instead of starting one.
            "PATH": os.path.join(self.home, "bin") + os.pathsep + env.get("PATH", ""),
        })
        if self.locale:
            # The user's locale as a desktop session gives it; the toolkit sets the C library's.
            env.update({"LC_ALL": self.locale, "LANG": self.locale})
        return env

    def start(self):
        bin_folder = os.path.join(self.home, "bin")
        os.makedirs(bin_folder, exist_ok=True)
        for viewer in ("xdg-open", "x-www-browser"):
            path = os.path.join(bin_folder, viewer)
            with open(path, "w") as script:
                script.write("#!/bin/sh\nexit 1\n")
            os.chmod(path, 0o755)
        self._stderr = open(self.stderr_path, "a")
        self.process = subprocess.Popen([self.binary] + self.arguments, env=self.env(), stdout=self._stderr,
                                        stderr=self._stderr, cwd=self.home)
        return self

    def alive(self):
        return self.process is not None and self.process.poll() is None

    def exit_code(self):
        return None if self.process is None else self.process.poll()

    def wait_for_exit(self, seconds):
        try:
            self.process.wait(seconds)
            return True
        except subprocess.TimeoutExpired:
            return False

    def stop(self):
        if self.alive():
            self.process.send_signal(signal.SIGTERM)
            if not self.wait_for_exit(20):
                self.process.kill()
                self.process.wait()
        if self._stderr:
            self._stderr.close()
            self._stderr = None

    def new_sanitizer_lines(self):
        """The sanitizers' lines printed since the last call."""
        if self._stderr:
            self._stderr.flush()
        with open(self.stderr_path, errors="replace") as output:
            lines = [line.rstrip("\n") for line in output]
        found = [line for line in lines[self._sanitizer_lines_seen:] if SANITIZER_LINE.search(line)]
        self._sanitizer_lines_seen = len(lines)
        return found

    def output_tail(self, count=40):
        with open(self.stderr_path, errors="replace") as output:
            return output.read().splitlines()[-count:]

    def data_path(self, name):
        """A file or folder of the program's data folder (the sample project, the logs)."""
        return os.path.join(self.home, "data", "Zelko Power Quality", "Zelko Ampelon", name)

    def log_files(self):
        logs = self.data_path("Logs")
        return sorted(os.path.join(logs, name) for name in os.listdir(logs)) if os.path.isdir(logs) else []

    def log_complaints(self):
        """The warning and error lines of the program's logs."""
        complaints = []
        for path in self.log_files():
            with open(path, errors="replace") as log:
                complaints += [line.rstrip("\n") for line in log if line[:1] in ("W", "E", "F")]
        return complaints

    def answers(self, seconds=ANSWER_WAIT_S):
        """Whether the program's message loop runs: its heartbeat rewrites its instance record
        within the time."""
        runtime = os.path.join(self.home, "runtime")
        asked = time.time()
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.alive():
            for name in os.listdir(runtime):
                if name.startswith("orn-instances-"):
                    try:
                        if os.stat(os.path.join(runtime, name)).st_mtime >= asked:
                            return True
                    except FileNotFoundError:
                        pass
            time.sleep(0.05)
        return False

    # ---- the program's windows

    def windows(self):
        """The visible windows of the program with a title: (id, title)."""
        ids = run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)], self.desktop.env()).split()
        found = []
        for window in ids:
            title = run(["xdotool", "getwindowname", window], self.desktop.env()).strip()
            if title:
                found.append((window, title))
        return found

    def is_dialog(self, window):
        """Whether the window is a dialog (a message box, a file dialog...) rather than the main
        window, by the type the program gives it."""
        if window not in self._types:
            self._types[window] = run(["xprop", "-id", str(window), "_NET_WM_WINDOW_TYPE"], self.desktop.env())
        return "_NET_WM_WINDOW_TYPE_DIALOG" in self._types[window]

    def main_window(self):
        for window, title in self.windows():
            if title.startswith(MAIN_TITLE) and not self.is_dialog(window):
                return window
        return None

    def wait_for_window(self, pattern, seconds):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline and self.alive():
            for window, title in self.windows():
                if re.search(pattern, title):
                    return window
            time.sleep(0.1)
        return None


class Input:
    """Input as the window system gives it, through xdotool."""

    def __init__(self, desktop):
        self.env = desktop.env()

    def xdotool(self, *arguments):
        run(["xdotool"] + [str(a) for a in arguments], self.env)

    def geometry(self, window):
        """The client area of a window on the screen: x, y, width, height (None when it is gone).
        (xdotool's own answer counts the window manager's frame twice.)"""
        values = {}
        for line in run(["xwininfo", "-id", str(window)], self.env).splitlines():
            name, _, value = line.strip().partition(":")
            values[name] = value.strip()
        try:
            return (int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"]), int(values["Width"]),
                    int(values["Height"]))
        except (KeyError, ValueError):
            return None

    def frame_extents(self, window):
        """The frame the window manager put around the window: left, right, top, bottom."""
        text = run(["xprop", "-id", str(window), "_NET_FRAME_EXTENTS"], self.env)
        numbers = [int(n) for n in re.findall(r"\d+", text.split("=", 1)[-1])] if "=" in text else []
        return tuple(numbers) if len(numbers) == 4 else (0, 0, 0, 0)

    def active_window(self):
        return run(["xdotool", "getactivewindow"], self.env).strip() or None

    def move(self, x, y):
        self.xdotool("mousemove", int(x), int(y))

    def click(self, x, y, button=1, count=1):
        self.xdotool("mousemove", int(x), int(y), "click", "--repeat", count, "--delay", 60, button)

    def drag(self, x1, y1, x2, y2):
        self.xdotool("mousemove", int(x1), int(y1), "mousedown", 1, "mousemove", int((x1 + x2) / 2),
                     int((y1 + y2) / 2), "mousemove", int(x2), int(y2), "mouseup", 1)

    def wheel(self, x, y, clicks):
        self.xdotool("mousemove", int(x), int(y), "click", "--repeat", abs(clicks), "--delay", 30,
                     4 if clicks > 0 else 5)

    def key(self, keys):
        self.xdotool("key", "--delay", 30, keys)

    def type(self, text):
        self.xdotool("type", "--delay", 20, text)

    def resize(self, window, width, height):
        self.xdotool("windowsize", window, int(width), int(height))


def fresh_home(prefix):
    return tempfile.mkdtemp(prefix=prefix)


def remove_home(home):
    shutil.rmtree(home, ignore_errors=True)
