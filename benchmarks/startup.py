#!/usr/bin/python3
"""Start-up of Tarnel against the floor: a bare Qt Widgets program
(benchmarks/startup/floor.cpp) built with the same flags.

Both run on a private Xvfb with TARNEL_EXIT_AFTER_FIRST_PAINT set, so each
ends right after its main window has been painted once. The runs are
interleaved (Tarnel, floor, Tarnel, ...) so that the machine's load falls on
both alike. Printed: the median time from start to the painted window, the
median peak resident memory, and the ratios.

    benchmarks/startup.py --build build [--runs 21]
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
    proc = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(proc.pid, 0)
    elapsed = time.perf_counter() - start
    proc.returncode = os.waitstatus_to_exitcode(status)
    if proc.returncode != 0:
        raise RuntimeError(f"{program} ended with {proc.returncode}")
    return elapsed * 1000.0, usage.ru_maxrss / 1024.0  # ms, MiB


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--build", default="build", help="the build folder")
    parser.add_argument("--runs", type=int, default=21)
    args = parser.parse_args()
    programs = {"Tarnel": os.path.join(args.build, "tarnel"), "floor": os.path.join(args.build, "startup_floor")}

    xvfb, display = start_xvfb()
    try:
        with tempfile.TemporaryDirectory() as home:
            env = {k: v for k, v in os.environ.items() if not k.startswith(("QT_", "XDG_", "DBUS_"))}
            env.update(DISPLAY=display, HOME=home, TARNEL_EXIT_AFTER_FIRST_PAINT="1",
                       XDG_RUNTIME_DIR=home, QT_QPA_PLATFORM="xcb")
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
