#!/usr/bin/env python3
"""The Windows build of the program under Wine on a virtual display (Xvfb) with openbox, driven
with real input (xdotool) as desktop_test.py drives the Linux build: the splash screen and the
main window's place and size, the taskbar as Windows keeps it (one button, the proxy's), typing,
the annotate command with its question, the import of a GBK text and of an RTF file and the
export to RTF, PDF and web page through the program's file dialog, the hand-off to a word
processor where there is none, and closing. The exported RTF and web page must be the bytes the
Linux build's sorvani-annotate writes for the same text and choices, the PDF the same words at
the same places.

Usage: wine_desktop_test.py PROGRAM LINUX_TOOL EMULATOR... where EMULATOR is the command that
runs a Windows program (env ... wine). Exits 77 (skipped) when a needed tool is missing."""

import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import desktop_test as desktop
from desktop_test import Failure, pixels, rect, wait_for

TONE_QUESTION = "您要标上音调吗？（Y/N）"
NO_WORD_PROCESSOR = "您的电脑中没有安装字处理软件，不能输出到WORD！"
# The text the window imports as GBK and annotates with tone marks.
STORY = "小草从地下探出头来。\n春天来了，我们一起去公园吧！\n"


class WineDesktop(desktop.Desktop):
    """The display and openbox as for the Linux build; the program started through Wine, which
    names files the Windows way.

    Wine's desktop takes the screen's size once, when its first program starts: the test's own
    Wine server, on a prefix that shares the run's drive C: and copies its registry, starts its
    desktop on the test's display, as Windows starts on its screen."""

    def __init__(self, program, folder, emulator):
        super().__init__(program, folder, "openbox")
        self.emulator = emulator
        shared = os.environ.get("WINEPREFIX", os.path.expanduser("~/.wine"))
        prefix = os.path.join(folder, "wine")
        os.makedirs(os.path.join(prefix, "dosdevices"))
        for name in ["system.reg", "user.reg", "userdef.reg", ".update-timestamp"]:
            shutil.copy(os.path.join(shared, name), prefix)
        os.symlink(os.path.join(shared, "drive_c"), os.path.join(prefix, "dosdevices", "c:"))
        os.symlink("/", os.path.join(prefix, "dosdevices", "z:"))
        self.env["WINEPREFIX"] = prefix

    def stop(self):
        super().stop()
        self.stop_wine()

    def stop_wine(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False, timeout=desktop.WAIT)

    def use_desktop_window(self):
        """From the next start on, Wine draws every window in one desktop window of its own
        and moves the focus between them itself, as Windows does."""
        self.stop_wine()
        settings = os.path.join(self.folder, "desktop.reg")
        with open(settings, "w", encoding="ascii") as f:
            f.write("REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]\n"
                    '"Desktop"="Sorvani"\n\n'
                    "[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]\n"
                    '"Sorvani"="%dx%d"\n' % desktop.SCREEN)
        subprocess.run(self.emulator + ["reg", "import", self.windows_path(settings)],
                       env=self.env, check=True, timeout=120, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def windows_path(self, path):
        return "Z:" + path.replace("/", "\\")

    def start_program(self):
        env = dict(self.env, SORVANI_TEST_REPORT=self.windows_path(self.report_path))
        env.pop("QT_QPA_PLATFORM", None)
        self.program_process = subprocess.Popen(
            self.emulator + [self.program], env=env, stdin=subprocess.DEVNULL,
            stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.folder, "program.log"), "wb"), start_new_session=True)
        self.processes.append(self.program_process)


class WineScenario(desktop.Scenario):
    def keys_reach_active_window(self, r):
        """Qt counts a dialog active before Wine's desktop gives it the keyboard: a key sent
        meanwhile is lost (the answer to the question on leaving once was)."""
        return r.get("systemKeys") == "1"

    def keyboard_in_document_box(self, after):
        """Windows' handles are not X windows: what Qt reports as active, and text typed into
        the X window that has the focus arriving in the box, prove the keyboard is there."""
        self.d.wait_report("the document box has the keyboard " + after,
                           lambda r: self.idle(r) and r["active"] == "frmmain"
                           and r["focus"] == "Wj")
        word = "typed" + "".join(c for c in after if c.isalpha())[:12]
        self.d.xdotool("key", "ctrl+a")
        self.d.xdotool("type", "--delay", "20", word)
        self.d.wait_report("typed text arrives in the box " + after, lambda r: r["text"] == word)

    def start_up(self):
        r = super().start_up()
        if not r.get("splash"):
            raise Failure("no splash screen showed before the main window")
        x, y, w, h = (pixels(n) for n in rect(r["splash"]))
        if (w, h) != (339, 218):
            raise Failure("the splash screen showed at %dx%d pixels, not 339x218" % (w, h))
        if abs(x + w / 2 - desktop.SCREEN[0] / 2) > 1 or abs(y + h / 2 - desktop.SCREEN[1] / 2) > 1:
            raise Failure("the splash screen is not centred: %d,%d %dx%d" % (x, y, w, h))
        return r

    def type_in_dialog(self, title, text, file_type=0):
        """The open and save dialogs are the system's own on Windows: no window of Qt's is
        active while one shows, and its file name box has the keyboard. The file type is
        chosen as a user does, in the list after the name, which gives the name its extension."""
        self.d.wait_report("the system's dialog %r shows with the keyboard" % title,
                           lambda r: r["dialog"] == title and r["active"] == "none"
                           and r["systemFocus"] == "Edit")
        self.d.xdotool("type", "--delay", "10", text)
        if file_type:
            self.d.xdotool("key", "Tab", *["Down"] * file_type)
        self.d.xdotool("key", "Return")

    def one_taskbar_button(self):
        """Windows lists the windows that are shown, unowned and not tool windows: Wine maps
        such windows as managed X windows that do not skip the taskbar. The program has one:
        the proxy, captioned as the program."""
        listed = []
        for window in self.d.x("xprop", "-root", "_NET_CLIENT_LIST").split("#")[-1].split(","):
            window = window.strip()
            if not window:
                continue
            if "SKIP_TASKBAR" in self.d.x("xprop", "-id", window, "_NET_WM_STATE"):
                continue
            listed.append(self.d.x("xprop", "-id", window, "_NET_WM_NAME").split("=")[-1].strip())
        if listed != ['"SorvaniV1.5"']:
            raise Failure("the taskbar would list %r, not the one button SorvaniV1.5" % listed)

    def import_file(self, path, expected_text):
        self.d.xdotool("key", "alt+l")
        self.type_in_dialog("打开文件", self.d.windows_path(path))
        self.d.wait_report("%s is imported" % os.path.basename(path),
                           lambda r: self.idle(r) and r["text"] == expected_text)

    def annotate_with_tones(self):
        self.d.xdotool("key", "alt+z")
        self.answer("Sorvani", "y", TONE_QUESTION)
        self.answer("Sorvani", "Return", "注音成功！")
        return self.d.wait_report("the annotation shows", lambda r: self.idle(r))

    def export(self, path, file_type):
        self.d.xdotool("key", "alt+d")
        self.answer("Sorvani", "n", "输出到WORD吗？（Y/N）")
        self.type_in_dialog("导出文件", self.d.windows_path(os.path.splitext(path)[0]), file_type)
        if file_type:  # the pages' layout is asked for all but RTF
            self.wait_dialog("版面设置", "QDialog")
            self.d.xdotool("key", "Return")
        self.answer("Sorvani", "Return", "导出文件成功！")
        self.d.wait_report("the export is over", lambda r: self.idle(r))
        if not os.path.exists(path):
            raise Failure("the export wrote no " + os.path.basename(path))

    def word_processor_missing(self):
        """Yes to the word processor where Windows has none: the message, and no file, no
        process and no text lost."""
        before = sorted(os.listdir(self.d.folder))
        text = self.d.report()["text"]
        self.d.xdotool("key", "alt+d")
        self.answer("Sorvani", "y", "输出到WORD吗？（Y/N）")
        self.answer("Sorvani", "Return", NO_WORD_PROCESSOR)
        r = self.d.wait_report("the window is back", lambda r: self.idle(r))
        if r["text"] != text:
            raise Failure("the failed hand-off changed the document")
        if sorted(os.listdir(self.d.folder)) != before:
            raise Failure("the failed hand-off left files behind")


def linux_outputs(tool, folder, source):
    """What the Linux build writes for the text, as the window annotates it (tone marks) and
    exports it with the layout dialog's first choices."""
    outputs = {}
    for kind in ["rtf", "pdf", "html"]:
        path = os.path.join(folder, "linux." + kind)
        subprocess.run([tool, "--tones", "--output", path, source], check=True, timeout=120,
                       env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        outputs[kind] = path
    return outputs


def words_and_places(pdf):
    """Every word of a PDF as pdftotext reads it: its page, its line on the page (counted from
    the top), the word, and where it starts and ends across the page."""
    text = subprocess.run(["pdftotext", "-bbox", pdf, "-"], stdout=subprocess.PIPE, check=True,
                          timeout=120).stdout.decode("utf-8")
    boxes, page = [], 0
    for line in text.splitlines():
        line = line.strip()
        if line.startswith("<page "):
            page += 1
        elif line.startswith("<word "):
            attributes, _, word = line[len("<word "):].partition(">")
            box = {k: float(v.strip('"')) for k, v in (a.split("=") for a in attributes.split())}
            boxes.append((page, word.partition("<")[0], box))
    tops = sorted({(page, round(box["yMin"], 1)) for page, _, box in boxes})
    return [(page, tops.index((page, round(box["yMin"], 1))), word, box["xMin"], box["xMax"])
            for page, word, box in boxes]


def font_names(pdf):
    """The names of the fonts a PDF embeds, as pdffonts lists them."""
    listing = subprocess.run(["pdffonts", pdf], stdout=subprocess.PIPE, check=True,
                             timeout=120).stdout.decode("utf-8", "replace")
    return [line.split()[0] for line in listing.splitlines()[2:] if line.strip()]


def same_exports(window, linux):
    """The RTF and the web page byte for byte; the PDF's words on the same pages and lines at
    the same places across. How high a word's box reaches depends on the font engine that
    wrote the font's measures (GDI's under Windows, FreeType's on Linux), not on where the
    word stands."""
    for kind in ["rtf", "html"]:
        with open(window[kind], "rb") as a, open(linux[kind], "rb") as b:
            ours, theirs = a.read(), b.read()
        if ours != theirs:
            at = next((i for i, (x, y) in enumerate(zip(ours, theirs)) if x != y),
                      min(len(ours), len(theirs)))
            raise Failure("the window's %s under Wine differs from the Linux build's at byte %d "
                          "of %d/%d: %r against %r" % (kind, at, len(ours), len(theirs),
                                                       ours[at - 40:at + 40],
                                                       theirs[at - 40:at + 40]))
    # A font name that the system localized once came out of Latin-1 as question marks.
    unreadable = [name for name in font_names(window["pdf"]) if not re.fullmatch(r"[!-~]+", name)
                  or "?" in name]
    if unreadable:
        raise Failure("the PDF under Wine names its fonts %r" % unreadable)
    ours, theirs = words_and_places(window["pdf"]), words_and_places(linux["pdf"])
    if not ours or [w[:3] for w in ours] != [w[:3] for w in theirs]:
        raise Failure("the PDF's words or lines under Wine differ from the Linux build's")
    for a, b in zip(ours, theirs):
        if max(abs(a[3] - b[3]), abs(a[4] - b[4])) > 0.5:
            raise Failure("%r stands at %r under Wine and at %r on Linux" % (a[2], a[3:], b[3:]))


def main():
    if len(sys.argv) < 4:
        print(__doc__)
        return 2
    program, tool, emulator = sys.argv[1], sys.argv[2], sys.argv[3:]
    missing = [t for t in desktop.TOOLS + ["openbox", "pdftotext", "pdffonts"] if not shutil.which(t)]
    if missing:
        print("skipped: %s not installed" % ", ".join(missing))
        return desktop.SKIP
    began = time.monotonic()
    with tempfile.TemporaryDirectory(prefix="sorvani-wine-") as folder:
        d = WineDesktop(program, folder, emulator)
        try:
            d.start_display()
            scenario = WineScenario(d)
            scenario.start_up()
            scenario.one_taskbar_button()
            scenario.close()
            # The window manager's focus rules are not Windows': the dialogs are driven in a
            # desktop window of Wine's own, where Wine moves the focus as Windows does.
            os.remove(d.report_path)
            d.use_desktop_window()
            scenario.start_up()

            gbk = os.path.join(folder, "story-gbk.txt")
            with open(gbk, "wb") as f:
                f.write(STORY.encode("gbk"))
            scenario.import_file(gbk, STORY)
            rtf = os.path.join(folder, "note.rtf")
            with open(rtf, "wb") as f:
                f.write(b"{\\rtf1\\ansi\\ansicpg936\\deff0{\\fonttbl{\\f0\\fnil\\fcharset134 SimSun;}}"
                        b"\\f0 \\'c4\\'e3\\'ba\\'c3\\par}")
            scenario.import_file(rtf, "你好")
            scenario.import_file(gbk, STORY)
            scenario.annotate_with_tones()

            exports = {}
            # In the order of the dialog's list of types.
            for file_type, kind in enumerate(["rtf", "pdf", "html"]):
                exports[kind] = os.path.join(folder, "window." + kind)
                scenario.export(exports[kind], file_type)
            scenario.word_processor_missing()
            scenario.keyboard_in_document_box("after the exports")
            scenario.close()

            source = os.path.join(folder, "story.txt")
            with open(source, "w", encoding="utf-8") as f:
                f.write(STORY)
            same_exports(exports, linux_outputs(tool, folder, source))
        except Exception:
            desktop.report_failure(d)
            return 1
        finally:
            d.stop()
    print("passed in %.1f s" % (time.monotonic() - began))
    return 0


if __name__ == "__main__":
    sys.exit(main())
