#!/usr/bin/env python3
"""Start-up time and peak memory of Zentarix beside a minimal Qt Widgets program.

Both programs carry the same probe: with ZENTARIX_STARTUP_PROBE=1 they print the
CLOCK_MONOTONIC time of the first paint of their window and their peak resident set
(VmHWM), then quit. This script reads CLOCK_MONOTONIC right before it starts each
process, so a start-up time covers exec, the dynamic loader, Qt's initialisation, the
window's creation and its first paint. The two programs run alternately, in turn first,
so background load falls on both alike. Medians are printed, then the two ratios, and
for reference the ratio of processor time (start to exit), which load does not stretch.

usage: startup_bench.py ZENTARIX MINIMAL [--runs N] [--platform offscreen|xvfb|all]
                        [--goal]   (exit 1 when a ratio misses the goal)
"""

import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

TIME_GOAL = 1.15
MEMORY_GOAL = 1.10


def run_once(program, env):
    """One start of program; returns (milliseconds to first paint, peak resident kB,
    milliseconds of processor time of the whole run)."""
    start = time.monotonic_ns()
    child = subprocess.Popen([program], env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, text=True)
    output = child.stdout.read()
    child.stdout.close()
    # Reaped here rather than by Popen, for the processor time this one child used.
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    fields = {}
    for line in output.splitlines():
        if line.startswith("startup-probe "):
            fields = dict(item.split("=", 1) for item in line.split()[1:])
    if child.returncode != 0 or "monotonic-ns" not in fields:
        sys.exit(f"{program}: no start-up probe line (exit status {child.returncode}, "
                 f"output {output!r})")
    return ((int(fields["monotonic-ns"]) - start) / 1e6, int(fields["vmhwm-kb"]),
            (usage.ru_utime + usage.ru_stime) * 1e3)


def start_xvfb(work):
    """Starts a virtual X server on a free display; returns (process, display) or None."""
    if not shutil.which("Xvfb"):
        return None
    read_end, write_end = os.pipe()
    server = subprocess.Popen(
        ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
         "-nolisten", "tcp"], pass_fds=[write_end], stdout=subprocess.DEVNULL,
        stderr=subprocess.DEVNULL, cwd=work)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        number = pipe.readline().strip()
    if not number:
        server.kill()
        return None
    return server, ":" + number


def measure(programs, env, runs):
    """Runs every program runs times, alternating which goes first; one warm-up each."""
    for program in programs:
        run_once(program, env)
    results = {program: ([], [], []) for program in programs}
    for i in range(runs):
        order = programs if i % 2 == 0 else programs[::-1]
        for program in order:
            for series, figure in zip(results[program], run_once(program, env)):
                series.append(figure)
    return results


def report(platform, zentarix, minimal, results):
    """Prints one platform's medians and ratios; returns whether both goals are met."""
    med = {p: [statistics.median(series) for series in r] for p, r in results.items()}
    print(f"== {platform}: {len(results[zentarix][0])} runs each ==")
    for name, program in (("Zentarix", zentarix), ("minimal Qt window", minimal)):
        times = results[program][0]
        print(f"  {name:18} first paint median {med[program][0]:7.1f} ms "
              f"(min {min(times):6.1f}, max {max(times):6.1f}), "
              f"peak RSS median {med[program][1] / 1024:6.1f} MiB, "
              f"CPU median {med[program][2]:6.1f} ms")
    time_ratio = med[zentarix][0] / med[minimal][0]
    memory_ratio = med[zentarix][1] / med[minimal][1]
    print(f"  time ratio   {time_ratio:.3f} (goal <= {TIME_GOAL})")
    print(f"  memory ratio {memory_ratio:.3f} (goal <= {MEMORY_GOAL})")
    # Processor time is what background load does not stretch; it includes the exit.
    print(f"  CPU ratio    {med[zentarix][2] / med[minimal][2]:.3f} (start to exit, for reference)")
    return time_ratio <= TIME_GOAL and memory_ratio <= MEMORY_GOAL


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("zentarix")
    parser.add_argument("minimal")
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--platform", choices=["offscreen", "xvfb", "all"], default="all")
    parser.add_argument("--goal", action="store_true")
    args = parser.parse_args()
    zentarix, minimal = os.path.realpath(args.zentarix), os.path.realpath(args.minimal)

    met = True
    with tempfile.TemporaryDirectory() as work:
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, ZENTARIX_STARTUP_PROBE="1", XDG_RUNTIME_DIR=runtime)
        env.pop("WAYLAND_DISPLAY", None)
        print(f"load average before: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores")
        if args.platform in ("offscreen", "all"):
            offscreen = dict(env, QT_QPA_PLATFORM="offscreen")
            met &= report("offscreen", zentarix, minimal,
                          measure([minimal, zentarix], offscreen, args.runs))
        if args.platform in ("xvfb", "all"):
            server = start_xvfb(work)
            if server is None:
                print("== xvfb: Xvfb is not available, skipped ==")
            else:
                try:
                    xcb = dict(env, QT_QPA_PLATFORM="xcb", DISPLAY=server[1])
                    met &= report("xvfb", zentarix, minimal,
                                  measure([minimal, zentarix], xcb, args.runs))
                finally:
                    server[0].kill()
                    server[0].wait()
        print(f"load average after: {os.getloadavg()[0]:.2f}")
    if args.goal and not met:
        sys.exit(1)


if __name__ == "__main__":
    main()
