"""A private X desktop for driving Tarnel from outside.

Session starts, in this order, a virtual X server (Xvfb), a D-Bus session
bus, the accessibility bus with its registry, and the openbox window
manager, all inside a temporary HOME. It then starts the program under test
on that desktop. Every process is started in a process group of its own and
carries a marker in its environment; stop() ends the groups it started and
then any process still carrying the marker (processes that D-Bus activated
on our buses), so nothing outlives the test.
"""

import os
import select
import shutil
import signal
import subprocess
import tempfile
import time
import uuid

MARK_VARIABLE = "TARNEL_E2E_SESSION"

# Variables of the caller's desktop that must not leak into ours.
_FOREIGN = (
    "DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "DBUS_SESSION_BUS_ADDRESS",
    "AT_SPI_BUS_ADDRESS", "SESSION_MANAGER", "DESKTOP_SESSION", "XDG_SESSION_TYPE",
    "XDG_CURRENT_DESKTOP", "XDG_DATA_DIRS", "QT_QPA_PLATFORM", "QT_QPA_PLATFORMTHEME",
    "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS", "QT_ACCESSIBILITY",
    "NO_AT_BRIDGE", "GTK_MODULES",
)


class SessionError(RuntimeError):
    pass


def wait_until(predicate, timeout, interval=0.1, what="condition", raising=()):
    """Polls predicate until it returns a true value or timeout seconds pass.

    Exceptions of the types in raising end the wait at once; any other is
    taken as "not yet" (the thing polled may not exist yet)."""
    end = time.monotonic() + timeout
    while True:
        try:
            value = predicate()
        except raising:
            raise
        except Exception:
            value = None
        if value:
            return value
        if time.monotonic() >= end:
            raise SessionError(f"timed out after {timeout:.0f} s waiting for {what}")
        time.sleep(interval)


def _read_line_from(fd, timeout, what):
    """Reads one line that a child writes to the pipe fd, within timeout."""
    data = b""
    end = time.monotonic() + timeout
    while b"\n" not in data:
        left = end - time.monotonic()
        if left <= 0:
            raise SessionError(f"timed out waiting for {what}")
        ready, _, _ = select.select([fd], [], [], left)
        if not ready:
            continue
        chunk = os.read(fd, 4096)
        if not chunk:
            break
        data += chunk
    line = data.split(b"\n", 1)[0].decode().strip()
    if not line:
        raise SessionError(f"{what}: nothing was reported")
    return line


class Session:
    def __init__(self, log_dir, screen="1280x1024x24", desktop_dir_name="Desktop", accessibility=True):
        """accessibility: the D-Bus session and the accessibility bus too, for
        reading the program through AT-SPI (a Windows program under Wine has
        no AT-SPI and needs neither)."""
        self.log_dir = log_dir
        self.accessibility = accessibility
        self.screen = screen
        self.desktop_dir_name = desktop_dir_name
        self.mark = uuid.uuid4().hex
        self.procs = []  # (name, Popen), in start order
        self.tmp = None
        self.env = None
        self.display = None
        self.program = None

    # ---- set-up -------------------------------------------------------

    def start(self):
        os.makedirs(self.log_dir, exist_ok=True)
        self.tmp = tempfile.mkdtemp(prefix="tarnel-e2e-")
        home = os.path.join(self.tmp, "home")
        runtime = os.path.join(self.tmp, "runtime")
        config = os.path.join(home, ".config")
        for d in (home, runtime, config):
            os.makedirs(d, mode=0o700, exist_ok=True)
            os.chmod(d, 0o700)
        self.desktop = os.path.join(home, self.desktop_dir_name)
        os.makedirs(self.desktop, mode=0o700, exist_ok=True)
        # The Desktop folder is found the way a desktop user's programs find it.
        with open(os.path.join(config, "user-dirs.dirs"), "w", encoding="utf-8") as f:
            f.write(f'XDG_DESKTOP_DIR="$HOME/{self.desktop_dir_name}"\n')

        env = {k: v for k, v in os.environ.items() if k not in _FOREIGN}
        env.update({
            "HOME": home,
            "XDG_CONFIG_HOME": config,
            "XDG_RUNTIME_DIR": runtime,
            "XDG_DATA_HOME": os.path.join(home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(home, ".cache"),
            "LANG": "C.UTF-8",
            "LC_ALL": "C.UTF-8",
            MARK_VARIABLE: self.mark,
        })
        self.env = env

        self._start_xvfb()
        if self.accessibility:
            self._start_dbus()
            self._start_accessibility_bus()
        self._start_openbox()

    def _spawn(self, name, argv, env=None, pass_fds=()):
        log = open(os.path.join(self.log_dir, f"{name}.log"), "wb")
        try:
            proc = subprocess.Popen(
                argv, env=env or self.env, stdin=subprocess.DEVNULL, stdout=log,
                stderr=subprocess.STDOUT, start_new_session=True, pass_fds=pass_fds)
        finally:
            log.close()
        self.procs.append((name, proc))
        return proc

    def _start_xvfb(self):
        rfd, wfd = os.pipe()
        try:
            self._spawn("xvfb", ["Xvfb", "-displayfd", str(wfd), "-screen", "0", self.screen,
                                 "-nolisten", "tcp", "-noreset"], pass_fds=(wfd,))
            os.close(wfd)
            wfd = None
            number = _read_line_from(rfd, 20, "Xvfb's display number")
        finally:
            if wfd is not None:
                os.close(wfd)
            os.close(rfd)
        self.display = f":{number}"
        self.env["DISPLAY"] = self.display

    def _start_dbus(self):
        address = "unix:path=" + os.path.join(self.env["XDG_RUNTIME_DIR"], "bus")
        rfd, wfd = os.pipe()
        try:
            self._spawn("dbus-session", [
                "dbus-daemon", "--session", "--nofork", "--nopidfile", f"--address={address}",
                f"--print-address={wfd}"], pass_fds=(wfd,))
            os.close(wfd)
            wfd = None
            printed = _read_line_from(rfd, 20, "the session bus address")
        finally:
            if wfd is not None:
                os.close(wfd)
            os.close(rfd)
        self.env["DBUS_SESSION_BUS_ADDRESS"] = printed

    def _bus_has(self, name, address=None):
        bus = [f"--bus={address}"] if address else ["--session"]
        out = subprocess.run(
            ["dbus-send", *bus, "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", f"string:{name}"],
            env=self.env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=5)
        return out.returncode == 0 and "boolean true" in out.stdout

    def _start_accessibility_bus(self):
        self._spawn("at-spi-bus-launcher",
                    ["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"])
        wait_until(lambda: self._bus_has("org.a11y.Bus"), 20, what="the accessibility bus")
        out = subprocess.run(
            ["dbus-send", "--session", "--print-reply=literal", "--dest=org.a11y.Bus",
             "/org/a11y/bus", "org.a11y.Bus.GetAddress"],
            env=self.env, stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=10)
        self.a11y_address = out.stdout.strip()
        if not self.a11y_address:
            raise SessionError("the accessibility bus has no address: " + out.stderr.strip())
        self._spawn("at-spi2-registryd", ["/usr/libexec/at-spi2-registryd"])
        wait_until(lambda: self._bus_has("org.a11y.atspi.Registry", self.a11y_address), 20,
                   what="the accessibility registry")

    def _start_openbox(self):
        self._spawn("openbox", ["openbox", "--sm-disable"])

        def wm_running():
            out = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=self.env,
                                 stdin=subprocess.DEVNULL, capture_output=True, text=True,
                                 timeout=5)
            return "window id" in out.stdout
        wait_until(wm_running, 20, what="the window manager")

    def start_program(self, argv):
        env = dict(self.env)
        env.update({
            "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
            "QT_ACCESSIBILITY": "1",
        })
        self.program = self._spawn("program", argv, env=env)
        return self.program

    # ---- tools run on the desktop --------------------------------------

    def copy_to_clipboard(self, text):
        """Puts text on the desktop's clipboard, as a spreadsheet's copy
        does: xclip owns the selection until the session ends."""
        path = os.path.join(self.log_dir, "clipboard.txt")
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(text)
        self._spawn("xclip", ["xclip", "-quiet", "-selection", "clipboard", "-i", path])
        first = text.splitlines()[0]
        wait_until(lambda: self.run(["xclip", "-o", "-selection", "clipboard"], check=False).stdout.startswith(first),
                   10, what="the text on the clipboard")

    def run(self, argv, timeout=10, check=True, text=True):
        out = subprocess.run(argv, env=self.env, stdin=subprocess.DEVNULL, capture_output=True,
                             text=text, timeout=timeout)
        if check and out.returncode != 0:
            raise SessionError(f"{' '.join(argv)} failed: {out.stderr.strip()}")
        return out

    # ---- tear-down -----------------------------------------------------

    def stop(self):
        for name, proc in reversed(self.procs):
            _end_group(proc)
        self.procs.clear()
        _end_marked(self.mark)
        if self.tmp:
            shutil.rmtree(self.tmp, ignore_errors=True)
            self.tmp = None


def _end_group(proc, grace=3.0):
    """Ends the process group that proc leads: TERM, then KILL after grace."""
    if proc.poll() is None:
        try:
            os.killpg(proc.pid, signal.SIGTERM)
        except ProcessLookupError:
            pass
        try:
            proc.wait(timeout=grace)
        except subprocess.TimeoutExpired:
            pass
    # Children of the leader may live on after it.
    try:
        os.killpg(proc.pid, signal.SIGKILL)
    except (ProcessLookupError, PermissionError):
        pass
    try:
        proc.wait(timeout=grace)
    except subprocess.TimeoutExpired:
        pass


def _end_marked(mark):
    """Kills, by pid, every process whose environment carries our marker."""
    needle = f"{MARK_VARIABLE}={mark}".encode()
    me = os.getpid()
    for entry in os.listdir("/proc"):
        if not entry.isdigit() or int(entry) == me:
            continue
        try:
            with open(f"/proc/{entry}/environ", "rb") as f:
                if needle not in f.read().split(b"\0"):
                    continue
            os.kill(int(entry), signal.SIGKILL)
        except (OSError, ValueError):
            continue
