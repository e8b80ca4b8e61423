#!/usr/bin/python3
"""Start-up of Tarnel against the floor: a bare Qt Widgets program
(benchmarks/startup/floor.cpp) built with the same flags.

Both run on a private Xvfb with TARNEL_EXIT_AFTER_FIRST_PAINT set, so each
ends right after its main window has been painted once. The runs are
interleaved (Tarnel, floor, Tarnel, ...) so that the machine's load falls on
both alike. Printed: the median time from start to the painted window, the
median peak resident memory, and the ratios.

    benchmarks/startup.py --build build [--runs 21]

With --windows, the Windows programs of scripts/test-windows.sh's build,
both under its Wine (tests/windows/wine-env.sh); the peak memory is then
that of the Windows process, its peak working set:

    benchmarks/startup.py --windows build-windows [--runs 21]
"""

import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time


def start_xvfb():
    rfd, wfd = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(wfd), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            pass_fds=(wfd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(wfd)
    with os.fdopen(rfd) as r:
        display = ":" + r.readline().strip()
    return xvfb, display


def one_run(program, env):
    start = time.perf_counter()
    proc = subprocess.Popen(program, env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        raise RuntimeError(f"{program} ended with {proc.returncode}")
    return elapsed * 1000.0, usage.ru_maxrss / 1024.0  # ms, MiB


def wine_environment(build):
    """The environment of the Windows build's own Wine, as the tests have it."""
    here = os.path.dirname(os.path.abspath(__file__))
    qt = subprocess.run([os.path.join(here, "..", "scripts", "build-qt-windows.sh")], capture_output=True,
                        text=True, check=True).stdout.split()[-1]
    # Wine's server outlives the script: it must not hold our pipe open.
    script = f'source "{here}/../tests/windows/wine-env.sh" "{build}" "{qt}" >/dev/null 2>&1 && env -0'
    out = subprocess.run(["bash", "-c", script], capture_output=True, check=True).stdout
    env = dict(item.split("=", 1) for item in out.decode().split("\0") if "=" in item)
    # That Wine's server has no display: the first run starts one on Xvfb's.
    subprocess.run(["wineserver", "-k"], env=env, check=False)
    return env


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the build folder")
    parser.add_argument("--windows", metavar="BUILD", help="the Windows build folder, run under Wine")
    parser.add_argument("--runs", type=int, default=21)
    args = parser.parse_args()
    if args.windows:
        programs = {"Tarnel": ["wine", os.path.join(args.windows, "tarnel.exe")],
                    "floor": ["wine", os.path.join(args.windows, "startup_floor.exe")]}
        base = wine_environment(os.path.abspath(args.windows))
    else:
        programs = {"Tarnel": [os.path.join(args.build, "tarnel")],
                    "floor": [os.path.join(args.build, "startup_floor")]}
        base = os.environ

    xvfb, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as home:
            env = {k: v for k, v in base.items() if not k.startswith(("QT_", "XDG_", "DBUS_"))}
            env.update(DISPLAY=display, TARNEL_EXIT_AFTER_FIRST_PAINT="1", XDG_RUNTIME_DIR=home,
                       QT_QPA_PLATFORM="xcb")
            if not args.windows:
                env.update(HOME=home)
            for name, program in programs.items():  # warm the caches once
                one_run(program, env)
            results = {name: ([], []) for name in programs}
            for _ in range(args.runs):
                for name, program in programs.items():
                    ms, mib = one_run(program, env)
                    results[name][0].append(ms)
                    results[name][1].append(mib)
    finally:
        xvfb.terminate()
        xvfb.wait()
        if args.windows:
            subprocess.run(["wineserver", "-k"], env=base, check=False)

    t = {name: statistics.median(r[0]) for name, r in results.items()}
    m = {name: statistics.median(r[1]) for name, r in results.items()}
    print(f"{'figure':<36}{'Tarnel':>10}{'floor':>10}{'ratio':>8}{'goal':>8}")
    print(f"{'start to the main menu painted (ms)':<36}{t['Tarnel']:>10.1f}{t['floor']:>10.1f}"
          f"{t['Tarnel'] / t['floor']:>8.2f}{'1.15':>8}")
    print(f"{'peak memory (MiB)':<36}{m['Tarnel']:>10.1f}{m['floor']:>10.1f}"
          f"{m['Tarnel'] / m['floor']:>8.2f}{'1.20':>8}")
    print(f"medians of {args.runs} interleaved runs each; load average {os.getloadavg()[0]:.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
