#!/usr/bin/env python3
"""The real program on a virtual display (Xvfb) under a real window manager (openbox), driven
with real input (xdotool): start-up, the taskbar proxy out of sight, the keyboard in the document
box after every dialog, Esc on a Yes/No question, maximize and restore, minimize and restore
through the proxy, grips, and closing (which asks first about a document not exported).
With --taskbar, under fluxbox instead, whose toolbar lists windows: the program has one entry
there, and clicking it brings back the minimized window. What cannot be seen from outside (the active window as Qt knows it, the control with
the keyboard, the document's text, the content's geometry) the program writes to the file named
in SORVANI_TEST_REPORT.

Usage: desktop_test.py [--taskbar] PROGRAM. Exits 77 (skipped) when a needed tool is missing. Every wait is
a poll for a condition, bounded generously; nothing depends on how fast the machine is."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import traceback

SKIP = 77
WAIT = 30  # seconds any one condition may take on a busy machine
SCREEN = (1280, 800)
TOOLS = ["Xvfb", "xdotool", "xprop", "import"]
LEAVE_UNEXPORTED = "文件内容已改动，尚未导出。不导出就退出吗？（Y/N）"


class Failure(Exception):
    pass


class DisplayLost(Exception):
    pass


class Desktop:
    """Xvfb, openbox and the program, each ended when the test ends, whatever happens."""

    def __init__(self, program, folder, window_manager):
        self.program = program
        self.window_manager = window_manager
        self.folder = folder
        self.report_path = os.path.join(folder, "report")
        self.processes = []
        self.env = dict(os.environ)
        for name in ["WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SESSION_MANAGER", "XDG_SESSION_TYPE"]:
            self.env.pop(name, None)
        self.env.update(HOME=folder, XDG_CONFIG_HOME=os.path.join(folder, "config"),
                        XDG_RUNTIME_DIR=folder, LANG="C.UTF-8", LC_ALL="C.UTF-8")

    def start(self, args, log, pass_fds=()):
        """Starts a helper in a process group of its own, its output in the named log: ending the
        group ends whatever the helper started too."""
        with open(os.path.join(self.folder, log), "wb") as output:
            process = subprocess.Popen(args, env=self.env, stdin=subprocess.DEVNULL,
                                       stdout=output, stderr=subprocess.STDOUT,
                                       pass_fds=pass_fds, start_new_session=True)
        self.processes.append(process)
        return process

    def start_display(self):
        """Xvfb and the window manager, started afresh while either ends before the window
        manager manages the display: an X server that has named its display can still give up
        on it (another server's lock), and a window manager that found no display waits for
        nothing."""
        for attempt in range(3):
            started = len(self.processes)
            try:
                self.start_window_manager(self.start_server())
                return
            except DisplayLost as lost:
                if attempt == 2:
                    raise Failure(str(lost))
                print("starting the display again: %s" % lost)
                for process in self.processes[started:]:
                    end(process)
                del self.processes[started:]

    def start_server(self):
        # Xvfb picks a free display itself and names it once it accepts connections.
        read, write = os.pipe()
        server = self.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "%dx%dx24" % SCREEN,
                             "-br", "-nolisten", "tcp"], "xvfb.log", pass_fds=[write])
        os.close(write)
        with os.fdopen(read, "rb") as pipe:
            number = pipe.readline().strip()
        if not number:
            raise DisplayLost("Xvfb ended with status %s: %s"
                              % (server.wait(), self.log("xvfb.log")))
        self.env["DISPLAY"] = ":" + number.decode()
        return server

    def start_window_manager(self, server):
        if self.window_manager == "openbox":
            manager = self.start(["openbox", "--sm-disable"], "wm.log")
        else:
            # Left to its style, fluxbox has a background painted by a program of its own that
            # outlives it and writes into the home folder as the test removes it.
            os.makedirs(os.path.join(self.folder, ".fluxbox"), exist_ok=True)
            with open(os.path.join(self.folder, ".fluxbox", "overlay"), "w") as f:
                f.write("background: none\n")
            manager = self.start([self.window_manager], "wm.log")

        def manages():
            for process, name, log in [(server, "Xvfb", "xvfb.log"),
                                       (manager, self.window_manager, "wm.log")]:
                if process.poll() is not None:
                    raise DisplayLost("%s ended with status %d on %s: %s"
                                      % (name, process.returncode, self.env["DISPLAY"],
                                         self.log(log)))
            return "window id" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK")

        wait_for(self.window_manager + " manages the display", manages)

    def log(self, name):
        """The end of a log in the test's folder."""
        try:
            with open(os.path.join(self.folder, name), errors="replace") as f:
                return f.read()[-4000:]
        except OSError:
            return ""

    def start_program(self):
        env = dict(self.env, SORVANI_TEST_REPORT=self.report_path, QT_QPA_PLATFORM="xcb")
        self.program_process = subprocess.Popen(
            [self.program], env=env, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.folder, "program.log"), "wb"), start_new_session=True)
        self.processes.append(self.program_process)

    def stop(self):
        for process in reversed(self.processes):
            end(process)

    def x(self, *args):
        """Runs an X tool on the display; its output."""
        return subprocess.run(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                              timeout=WAIT, check=False).stdout.decode("utf-8", "replace")

    def xdotool(self, *args):
        self.x("xdotool", *[str(a) for a in args])

    def report(self):
        try:
            with open(self.report_path, encoding="utf-8") as f:
                content = f.read()
        except OSError:
            return {}
        head, _, text = content.partition("\ntext=")
        values = dict(line.split("=", 1) for line in head.split("\n") if "=" in line)
        values["text"] = text
        return values

    def wait_report(self, what, condition):
        """Waits until the report satisfies the condition; the report."""
        last = {}

        def holds():
            nonlocal last
            last = self.report()
            return bool(last) and condition(last)

        wait_for(what, holds, lambda: "last report: %r" % {k: v[:80] for k, v in last.items()})
        return last


def end(process):
    """Ends a process and whatever it started: everything in the process group it leads."""
    try:
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(10)
    except subprocess.TimeoutExpired:
        pass
    except ProcessLookupError:
        pass
    try:
        os.killpg(process.pid, signal.SIGKILL)
    except ProcessLookupError:
        pass
    process.wait()


def wait_for(what, condition, details=lambda: ""):
    deadline = time.monotonic() + WAIT
    while not condition():
        if time.monotonic() > deadline:
            raise Failure("timed out waiting until %s. %s" % (what, details()))
        time.sleep(0.05)


def rect(value):
    return tuple(int(n) for n in value.split(","))


def pixels(twips):
    return round(twips / 15)


class Scenario:
    def __init__(self, desktop):
        self.d = desktop

    def idle(self, r):
        return r.get("dialog") == "" and r.get("visible") == "1"

    def keyboard_in_document_box(self, after):
        """The main window is active, the document box has the keyboard: typed text arrives."""
        r = self.d.wait_report("the document box has the keyboard " + after,
                               lambda r: self.idle(r) and r["active"] == "frmmain"
                               and r["focus"] == "Wj")
        wait_for("the window manager makes the main window the active one " + after,
                 lambda: self.d.x("xdotool", "getactivewindow").strip() == r["main"],
                 lambda: "the active X window is " + self.d.x("xdotool", "getactivewindow"))
        word = "typed" + "".join(c for c in after if c.isalpha())[:12]
        self.d.xdotool("key", "ctrl+a")
        self.d.xdotool("type", "--delay", "20", word)
        self.d.wait_report("typed text arrives in the box " + after, lambda r: r["text"] == word)

    def wait_dialog(self, title, kind, message=None):
        """Waits until the dialog shows and has the keyboard."""
        self.d.wait_report("the dialog %r shows with the keyboard" % title,
                           lambda r: r["dialog"] == title and r["active"] == kind
                           and (message is None or r["message"] == message)
                           and self.keys_reach_active_window(r))

    def keys_reach_active_window(self, r):
        """Whether keys sent now reach the window Qt counts as active: here Qt learns it from
        the window system itself."""
        return True

    def answer(self, title, key, message=None):
        self.wait_dialog(title, "QMessageBox" if title == "Sorvani" else "QFileDialog", message)
        self.d.xdotool("key", key)

    def type_in_dialog(self, title, text):
        self.wait_dialog(title, "QFileDialog")
        self.d.wait_report("the file name box has the keyboard",
                           lambda r: r["focus"] == "QLineEdit")
        self.d.xdotool("type", "--delay", "10", text)
        self.d.xdotool("key", "Return")

    def start_up(self):
        self.d.start_program()
        r = self.d.wait_report("the main window shows", lambda r: self.idle(r))
        x, y, w, h = (pixels(n) for n in rect(r["window"]))
        if (w, h) != (731, 502):
            raise Failure("the window starts at %dx%d pixels, not 731x502" % (w, h))
        if abs(x + w / 2 - SCREEN[0] / 2) > 1 or abs(y + h / 2 - SCREEN[1] / 2) > 1:
            raise Failure("the window is not centred: %d,%d %dx%d" % (x, y, w, h))
        self.keyboard_in_document_box("at start-up")
        return r

    def proxy_out_of_sight(self, r):
        proxy = r["proxy"]
        clients = self.d.x("xprop", "-root", "_NET_CLIENT_LIST")
        if "0x%x" % int(proxy) not in clients:
            raise Failure("the proxy is not a managed window, so no taskbar lists it: " + clients)
        name = self.d.x("xprop", "-id", proxy, "_NET_WM_NAME")
        if "SorvaniV1.5" not in name:
            raise Failure("the proxy's caption is not SorvaniV1.5: " + name)
        if "_NET_WM_ICON(CARDINAL)" not in self.d.x("xprop", "-id", proxy, "_NET_WM_ICON"):
            raise Failure("the proxy has no icon")
        if "SKIP_TASKBAR" in self.d.x("xprop", "-id", proxy, "_NET_WM_STATE"):
            raise Failure("the proxy is kept out of the taskbar")
        self.main_off_the_taskbar(r, "at start-up")
        # Nothing but the main window is drawn on the (black) screen.
        x, y, w, h = (pixels(n) for n in rect(r["window"]))
        shot = subprocess.run(["import", "-silent", "-window", "root", "-depth", "8", "rgb:-"],
                              env=self.d.env, stdout=subprocess.PIPE, timeout=WAIT,
                              check=True).stdout
        width, height = SCREEN
        if len(shot) != width * height * 3:
            raise Failure("unexpected screenshot size %d" % len(shot))
        for row in range(height):
            line = shot[row * width * 3:(row + 1) * width * 3]
            for column in range(width):
                inside = x <= column < x + w and y <= row < y + h
                if not inside and line[column * 3:column * 3 + 3] != b"\0\0\0":
                    raise Failure("something besides the main window is drawn at %d,%d"
                                  % (column, row))

    def main_off_the_taskbar(self, r, when):
        """Only the proxy stands for the program on a taskbar: window managers that list tool
        windows (fluxbox) leave out the main window as it asks."""
        state = self.d.x("xprop", "-id", r["main"], "_NET_WM_STATE")
        if "_NET_WM_STATE_SKIP_TASKBAR" not in state:
            raise Failure("the main window asks for a taskbar entry %s: %s" % (when, state))

    def dialogs(self):
        folder = self.d.folder
        source = os.path.join(folder, "imported.txt")
        with open(source, "w", encoding="utf-8") as f:
            f.write("汉语")
        self.d.xdotool("key", "alt+l")
        # The dialogs open in the home folder, which is the test's.
        self.type_in_dialog("打开文件", "imported.txt")
        self.d.wait_report("the file is imported", lambda r: r["caption"] == source)

        # Esc does not answer the Yes/No question: the Yes that follows puts tone marks on.
        self.d.xdotool("key", "alt+z")
        self.answer("Sorvani", "Escape", "您要标上音调吗？（Y/N）")
        self.answer("Sorvani", "y", "您要标上音调吗？（Y/N）")
        self.answer("Sorvani", "Return", "注音成功！")
        r = self.d.wait_report("the annotation shows", lambda r: self.idle(r))
        if "hàn" not in r["text"].lower():
            raise Failure("Esc answered the question about tone marks: " + r["text"])
        self.keyboard_in_document_box("after the annotate command")

        self.d.xdotool("key", "alt+l")
        self.answer("打开文件", "Escape")
        self.keyboard_in_document_box("after a cancelled dialog")

        target = os.path.join(folder, "exported.rtf")
        self.d.xdotool("key", "alt+d")
        self.answer("Sorvani", "n", "输出到WORD吗？（Y/N）")
        self.type_in_dialog("导出文件", "exported.rtf")
        self.answer("Sorvani", "Return", "导出文件成功！")
        self.keyboard_in_document_box("after an export")
        if not os.path.exists(target):
            raise Failure("the export wrote no file")

        # Ctrl+P: the layout dialog, then the system's print dialog; cancelled, the keyboard is
        # back in the document box.
        self.d.xdotool("key", "ctrl+p")
        self.wait_dialog("版面设置", "QDialog")
        self.d.xdotool("key", "Return")
        self.d.wait_report("the print dialog shows with the keyboard",
                           lambda r: r["active"] == "QPrintDialog")
        self.d.xdotool("key", "Escape")
        self.keyboard_in_document_box("after a cancelled print")

    def long_import_answers_and_closes(self):
        """During the import of a long file the window follows a move, and a close ends the
        import and the program."""
        sentence = "今天早上，我和朋友一起去公园散步，天气很好，阳光照在湖面上。\n"
        source = os.path.join(self.d.folder, "long.txt")
        with open(source, "w", encoding="utf-8") as f:
            f.write(sentence * (9_000_000 // len(sentence.encode("utf-8"))))
        self.d.xdotool("key", "alt+l")
        self.type_in_dialog("打开文件", "long.txt")
        # The caption names the file once it shows.
        r = self.d.wait_report("the import runs", lambda r: r["busy"] == "1")
        x, y = (pixels(n) for n in rect(r["window"])[:2])
        self.d.xdotool("windowmove", r["main"], x + 40, y + 30)
        r = self.d.wait_report("the window follows the move",
                               lambda r: pixels(rect(r["window"])[0]) != x)
        if r["busy"] != "1":
            raise Failure("the window answered only once the import had ended")
        self.close(" during an import")

    def click(self, r, x, y, repeat=1):
        wx, wy, _, _ = (pixels(n) for n in rect(r["window"]))
        self.d.xdotool("mousemove", wx + x, wy + y, "click", "--repeat", repeat, "--delay",
                       100, 1)

    def maximize_and_restore(self, start):
        self.click(start, 200, 8, repeat=2)  # a double-click on the caption strip
        r = self.d.wait_report("the window is maximized",
                               lambda r: r["maximized"] == "1" and
                               rect(r["window"])[2:] == (SCREEN[0] * 15, SCREEN[1] * 15))
        self.click(r, 200, 8, repeat=2)
        r = self.d.wait_report("the window is restored",
                               lambda r: r["maximized"] == "0" and r["window"] == start["window"])
        self.same_layout(start, r, "after maximize and restore")
        self.keyboard_in_document_box("after maximize and restore")

    def minimize_and_restore(self, start):
        r = self.minimize(start)
        # As a taskbar does when its button is clicked.
        self.d.xdotool("windowactivate", r["proxy"])
        r = self.d.wait_report("the window is back",
                               lambda r: r["visible"] == "1" and r["proxyMinimized"] == "0")
        self.main_off_the_taskbar(r, "after restoring from the taskbar")
        self.keyboard_in_document_box("after restoring from the taskbar")

    def minimize(self, start):
        w = pixels(rect(start["window"])[2])
        self.click(start, w - 73 + 8, 16)  # the minimize button
        return self.d.wait_report("the window is hidden and the proxy minimized",
                                  lambda r: r["visible"] == "0" and r["proxyMinimized"] == "1")

    def restored_through_the_taskbar(self, start):
        """fluxbox lists the windows that do not skip the taskbar in its toolbar's middle, each
        entry as wide as the list allows: one entry (the proxy's) fills it all."""
        self.main_off_the_taskbar(start, "under a window manager with a taskbar")
        self.minimize(start)
        width, height = SCREEN
        # Anywhere along the one entry; several rounds, as a quick minimize and restore once
        # left the window without its caret now and then.
        places = [round(width * share) for share in (0.35, 0.45, 0.55, 0.65, 0.75, 0.85)]
        for x in places:
            self.d.xdotool("mousemove", x, height - 10, "click", 1)
            self.d.wait_report("the taskbar's entry at x=%d brings the window back" % x,
                               lambda r: r["visible"] == "1" and r["proxyMinimized"] == "0")
            self.main_off_the_taskbar(start, "after restoring from the taskbar")
            self.keyboard_in_document_box("after restoring from the taskbar")
            if x != places[-1]:
                self.minimize(start)

    def drag(self, r, grip_x, grip_y, to):
        """Presses at a point of the window, moves in steps to each screen point, releases."""
        wx, wy, _, _ = (pixels(n) for n in rect(r["window"]))
        self.d.xdotool("mousemove", wx + grip_x, wy + grip_y, "mousedown", 1)
        for (x, y), expected in to:
            self.d.xdotool("mousemove", x, y)
            self.d.wait_report("the window follows the grip to %s" % (expected,),
                               lambda r: tuple(pixels(n) for n in rect(r["window"])[2:])
                               == expected)
        self.d.xdotool("mouseup", 1)

    def grips_return_to_the_same_layout(self, start):
        x, y, w, h = (pixels(n) for n in rect(start["window"]))
        # The corner down, the bottom edge up to the smallest height (carrying the frames far below
        # nothing) and back, the corner back to the start size.
        self.drag(start, w - 4, h - 4, [((x + w - 9, y + h + 100), (w - 9, h + 100))])
        r = self.d.report()
        self.drag(r, 100, h + 100 - 4, [((x + 100, y + 200), (w - 9, 200)),
                                         ((x + 100, y + 101), (w - 9, 101)),
                                         ((x + 100, y + h + 100), (w - 9, h + 100))])
        r = self.d.report()
        self.drag(r, w - 9 - 4, h + 100 - 4, [((x + w, y + h), (w, h))])
        self.same_layout(start, self.d.report(), "after the grips returned to the start size")

    def caption_strip_moves_the_window(self, start):
        x, y, _, _ = (pixels(n) for n in rect(start["window"]))
        self.d.xdotool("mousemove", x + 200, y + 8, "mousedown", 1)
        for step in range(1, 5):
            self.d.xdotool("mousemove", x + 200 + 15 * step, y + 8 + 10 * step)
        self.d.xdotool("mouseup", 1)
        # It follows from where the drag began, short of the few pixels that tell a drag from a
        # click at most.
        self.d.wait_report("the window follows the caption strip",
                           lambda r: 30 <= pixels(rect(r["window"])[0]) - x <= 60
                           and 20 <= pixels(rect(r["window"])[1]) - y <= 40)

    def same_layout(self, start, r, when):
        for name in ["window", "frame1", "frame2", "wj"]:
            if r[name] != start[name]:
                raise Failure("%s %s is %s, not %s as at the start"
                              % (when, name, r[name], start[name]))

    def close_is_asked_first(self):
        """Typed text not yet exported: the exit command asks first; No keeps the window, the
        window manager's close asks again."""
        self.d.xdotool("key", "alt+x")
        self.answer("Sorvani", "n", LEAVE_UNEXPORTED)
        self.keyboard_in_document_box("after staying")
        self.d.xdotool("key", "alt+F4")
        self.answer("Sorvani", "y", LEAVE_UNEXPORTED)
        self.ended()

    def close(self, when=""):
        """The exit command, the document changed (text typed at start-up)."""
        self.d.xdotool("key", "alt+x")
        self.answer("Sorvani", "y", LEAVE_UNEXPORTED)
        self.ended(when)

    def ended(self, when=""):
        try:
            status = self.d.program_process.wait(WAIT)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end when closed" + when)
        if status != 0:
            raise Failure("closed%s, the program ended with status %d" % (when, status))


def report_failure(desktop):
    """What went wrong, the screen as it was when SORVANI_DESKTOP_SHOT names a file for it, the
    program's last report and the end of the program's and the window manager's output."""
    traceback.print_exc()
    if os.environ.get("SORVANI_DESKTOP_SHOT"):
        subprocess.run(["import", "-window", "root", os.environ["SORVANI_DESKTOP_SHOT"]],
                       env=desktop.env, check=False)
    report = desktop.report()
    report.pop("text", None)
    print("the program's last report: %r" % report)
    for name, what in [("program.log", "program"), ("wm.log", "window manager")]:
        print("the %s's output:\n%s" % (what, desktop.log(name)))


def main():
    arguments = sys.argv[1:]
    taskbar = arguments[:1] == ["--taskbar"]
    if taskbar:
        arguments = arguments[1:]
    if len(arguments) != 1:
        print(__doc__)
        return 2
    window_manager = "fluxbox" if taskbar else "openbox"
    missing = [tool for tool in TOOLS + [window_manager] if not shutil.which(tool)]
    if missing:
        print("skipped: %s not installed" % ", ".join(missing))
        return SKIP
    began = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="sorvani-desktop-") as folder:
        desktop = Desktop(arguments[0], folder, window_manager)
        try:
            desktop.start_display()
            scenario = Scenario(desktop)
            start = scenario.start_up()
            if taskbar:
                scenario.restored_through_the_taskbar(start)
                scenario.close_is_asked_first()
                return 0
            scenario.proxy_out_of_sight(start)
            scenario.dialogs()
            start = desktop.report()
            scenario.maximize_and_restore(start)
            scenario.minimize_and_restore(start)
            scenario.grips_return_to_the_same_layout(start)
            scenario.caption_strip_moves_the_window(start)
            scenario.close_is_asked_first()
            # A fresh program for the long import, which ends it.
            os.remove(desktop.report_path)
            scenario.start_up()
            scenario.long_import_answers_and_closes()
        except Exception:
            report_failure(desktop)
            return 1
        finally:
            desktop.stop()
    print("passed in %.1f s" % (time.monotonic() - began))
    return 0


if __name__ == "__main__":
    sys.exit(main())
