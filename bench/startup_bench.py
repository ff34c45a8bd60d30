#!/usr/bin/env python3
"""Start-up time and peak memory of Zentarix beside its yardstick, an empty Qt window and a peer.

Four programs are measured in one run, taking turns:

- Zentarix;
- the yardstick (bench/startup_yardstick): the main window's controls, fonts, title and icon
  without any of the program's behaviour; the goal is set against it;
- an empty Qt Widgets window of the same size (bench/minimal_qt_window);
- a packaged peer calculator (galculator or speedcrunch, whichever is installed; --peer).

The three Qt programs carry the same probe: with ZENTARIX_STARTUP_PROBE=1 they print the
CLOCK_MONOTONIC time of the first paint of their window and their peak resident set (VmHWM),
then quit. This script reads CLOCK_MONOTONIC right before it starts each process, so a
start-up time covers exec, the dynamic loader, the toolkit's initialisation, the window's
creation and its first paint.

The peer has no probe, so on the virtual X server it is measured from outside: the script
listens on the root window for structure events (through libX11, loaded with ctypes) and takes
the moment it receives the MapNotify of the first top-level window the process maps (no window
manager runs, so the map is the program's own request), then reads the process's VmHWM from
/proc and ends it. Zentarix and the yardstick are measured the same way in the same rotation,
so that the peer's column has a fair counterpart ("to map"). The offscreen platform has no
windows to watch: there the peer is left out.

Every program of a platform runs once per round, in one order in even rounds and in the
reverse order in odd ones, so background load falls on all alike; one warm-up run each comes
first. Medians are printed, the ratios of Zentarix to the yardstick, and for reference the
ratio of processor time (start to exit), which load does not stretch.

Every program gets the same environment: a fresh XDG_RUNTIME_DIR, and, when no session bus
address is set, the address by which Zentarix keeps libdbus from starting a bus ("disabled:"),
so that no program launches a D-Bus daemon; accessibility bridges find no bus in all of them.

usage: startup_bench.py ZENTARIX YARDSTICK MINIMAL [--peer PROGRAM|none] [--runs N]
                        [--platform offscreen|xvfb|all]
                        [--goal]   (exit 1 when Zentarix's first paint, in time or in peak
                                    memory, misses its goal against the yardstick's)
"""

import argparse
import ctypes
import os
import select
import shutil
import signal
import statistics
import subprocess
import sys
import tempfile
import time

TIME_GOAL = 1.05
MEMORY_GOAL = 1.02
PEERS = ("galculator", "speedcrunch")
# How long a program may take to show its window before the run is given up.
MAP_TIMEOUT_S = 30


def peak_resident_kb(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("VmHWM:"):
                return int(line.split()[1])
    return -1


def reap(child):
    """Waits for child and sets its return code; returns the milliseconds of processor time it
    used. Reaped here rather than by Popen, for the processor time of this one child."""
    _, status, usage = os.wait4(child.pid, 0)
    child.returncode = os.waitstatus_to_exitcode(status)
    return (usage.ru_utime + usage.ru_stime) * 1e3


def probe_once(program, env):
    """One start of a program with the probe; returns (milliseconds to first paint, peak
    resident kB, milliseconds of processor time of the whole run)."""
    start = time.monotonic_ns()
    child = subprocess.Popen([program], env=dict(env, ZENTARIX_STARTUP_PROBE="1"),
                             stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    output = child.stdout.read()
    child.stdout.close()
    processor_ms = reap(child)
    fields = {}
    for line in output.splitlines():
        if line.startswith("startup-probe "):
            fields = dict(item.split("=", 1) for item in line.split()[1:])
    if child.returncode != 0 or "monotonic-ns" not in fields:
        sys.exit(f"{program}: no start-up probe line (exit status {child.returncode}, "
                 f"output {output!r})")
    return (int(fields["monotonic-ns"]) - start) / 1e6, int(fields["vmhwm-kb"]), processor_ms


class MapWatcher:
    """The MapNotify events of top-level windows on one X display, read through libX11."""

    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
    MAP_NOTIFY = 19

    class MapEvent(ctypes.Structure):
        # XMapEvent, padded to the size of the XEvent union (24 longs).
        _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong),
                    ("send_event", ctypes.c_int), ("display", ctypes.c_void_p),
                    ("event", ctypes.c_ulong), ("window", ctypes.c_ulong),
                    ("override_redirect", ctypes.c_int), ("pad", ctypes.c_long * 17)]

    def __init__(self, display):
        x11 = ctypes.CDLL("libX11.so.6")
        x11.XOpenDisplay.restype = ctypes.c_void_p
        x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
        x11.XDefaultRootWindow.restype = ctypes.c_ulong
        x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        x11.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
        x11.XPending.argtypes = [ctypes.c_void_p]
        x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        x11.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x11 = x11
        self.display = x11.XOpenDisplay(display.encode())
        if not self.display:
            raise OSError(f"cannot open the display {display}")
        x11.XSelectInput(self.display, x11.XDefaultRootWindow(self.display),
                         self.SUBSTRUCTURE_NOTIFY_MASK)
        x11.XSync(self.display, 0)
        self.fd = x11.XConnectionNumber(self.display)

    def drain(self):
        """Drops every event so far (the windows of earlier runs going away)."""
        self.x11.XSync(self.display, 0)
        event = self.MapEvent()
        while self.x11.XPending(self.display):
            self.x11.XNextEvent(self.display, ctypes.byref(event))

    def wait_for_map(self, child):
        """CLOCK_MONOTONIC in ns when the first top-level window is mapped, or None if the
        child ends or the time runs out first."""
        event = self.MapEvent()
        deadline = time.monotonic() + MAP_TIMEOUT_S
        while time.monotonic() < deadline:
            while self.x11.XPending(self.display):
                self.x11.XNextEvent(self.display, ctypes.byref(event))
                if event.type == self.MAP_NOTIFY and not event.override_redirect:
                    return time.monotonic_ns()
            if child.poll() is not None:
                return None
            select.select([self.fd], [], [], 0.05)
        return None

    def close(self):
        self.x11.XCloseDisplay(self.display)


def map_once(program, env, watcher):
    """One start of a program until its first window is mapped; returns (milliseconds to the
    map, peak resident kB at the map, milliseconds of processor time until it was ended)."""
    watcher.drain()
    start = time.monotonic_ns()
    child = subprocess.Popen([program], env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.DEVNULL)
    mapped = watcher.wait_for_map(child)
    peak = peak_resident_kb(child.pid) if mapped is not None else -1
    if child.poll() is None:
        child.send_signal(signal.SIGTERM)
    processor_ms = reap(child)
    if mapped is None:
        sys.exit(f"{program}: no window mapped (exit status {child.returncode})")
    return (mapped - start) / 1e6, peak, processor_ms


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


def measure(entries, runs):
    """entries: (label, run function); runs each runs times, alternating the order, after one
    warm-up each. Returns {label: (times, peaks, processor times)}."""
    for _, run in entries:
        run()
    results = {label: ([], [], []) for label, _ in entries}
    for i in range(runs):
        for label, run in (entries if i % 2 == 0 else entries[::-1]):
            for series, figure in zip(results[label], run()):
                series.append(figure)
    return results


def report(platform, results, columns):
    """Prints one platform's medians and the ratios of each method's Zentarix to its yardstick;
    returns whether the goals are met by the probe's figures."""
    med = {label: [statistics.median(series) for series in r] for label, r in results.items()}
    print(f"== {platform}: {len(next(iter(results.values()))[0])} runs each ==")
    for label in results:
        times = results[label][0]
        print(f"  {label:28} median {med[label][0]:7.1f} ms "
              f"(min {min(times):6.1f}, max {max(times):6.1f}), "
              f"peak RSS median {med[label][1] / 1024:6.1f} MiB, "
              f"CPU median {med[label][2]:6.1f} ms")
    met = True
    for method, zentarix, yardstick, others in columns:
        time_ratio = med[zentarix][0] / med[yardstick][0]
        memory_ratio = med[zentarix][1] / med[yardstick][1]
        cpu_ratio = med[zentarix][2] / med[yardstick][2]
        print(f"  {method}: Zentarix / yardstick: time {time_ratio:.3f} (goal <= {TIME_GOAL}), "
              f"memory {memory_ratio:.3f} (goal <= {MEMORY_GOAL}), CPU {cpu_ratio:.3f}")
        for other in others:
            print(f"  {method}: {other} / yardstick: time "
                  f"{med[other][0] / med[yardstick][0]:.3f}, "
                  f"memory {med[other][1] / med[yardstick][1]:.3f}")
        if method == "first paint":
            met = time_ratio <= TIME_GOAL and memory_ratio <= MEMORY_GOAL
    return met


def find_peer(wanted):
    if wanted == "none":
        return None
    for name in ([wanted] if wanted else PEERS):
        path = shutil.which(name)
        if path:
            return path
    if wanted:
        sys.exit(f"the peer {wanted} is not installed")
    return None


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("zentarix")
    parser.add_argument("yardstick")
    parser.add_argument("minimal")
    parser.add_argument("--peer", help="the peer calculator's program, or none "
                        f"(default: the first of {', '.join(PEERS)} that is installed)")
    parser.add_argument("--runs", type=int, default=30)
    parser.add_argument("--platform", choices=["offscreen", "xvfb", "all"], default="all")
    parser.add_argument("--goal", action="store_true")
    args = parser.parse_args()
    zentarix, yardstick, minimal = (os.path.realpath(p)
                                    for p in (args.zentarix, args.yardstick, args.minimal))
    peer = find_peer(args.peer)

    met = True
    with tempfile.TemporaryDirectory() as work:
        runtime = os.path.join(work, "runtime")
        os.mkdir(runtime, 0o700)
        env = dict(os.environ, XDG_RUNTIME_DIR=runtime,
                   XDG_CONFIG_HOME=os.path.join(work, "config"))
        env.setdefault("DBUS_SESSION_BUS_ADDRESS", "disabled:")
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("ZENTARIX_STARTUP_PROBE", None)
        print(f"load average before: {os.getloadavg()[0]:.2f} on {os.cpu_count()} cores")
        print(f"peer: {peer or 'none'}")

        def probed(program, platform_env):
            return lambda: probe_once(program, platform_env)

        if args.platform in ("offscreen", "all"):
            offscreen = dict(env, QT_QPA_PLATFORM="offscreen")
            entries = [("Zentarix", probed(zentarix, offscreen)),
                       ("yardstick", probed(yardstick, offscreen)),
                       ("empty window", probed(minimal, offscreen))]
            met &= report("offscreen, to first paint", measure(entries, args.runs),
                          [("first paint", "Zentarix", "yardstick", ["empty window"])])
        if args.platform in ("xvfb", "all"):
            server = start_xvfb(work)
            if server is None:
                print("== xvfb: Xvfb is not available, skipped ==")
            else:
                watcher = None
                try:
                    xcb = dict(env, QT_QPA_PLATFORM="xcb", DISPLAY=server[1])
                    watcher = MapWatcher(server[1])

                    def mapped(program):
                        return lambda: map_once(program, xcb, watcher)

                    entries = [("Zentarix", probed(zentarix, xcb)),
                               ("yardstick", probed(yardstick, xcb)),
                               ("empty window", probed(minimal, xcb)),
                               ("Zentarix, to map", mapped(zentarix)),
                               ("yardstick, to map", mapped(yardstick))]
                    peers = []
                    if peer:
                        label = f"{os.path.basename(peer)}, to map"
                        entries.append((label, mapped(peer)))
                        peers.append(label)
                    met &= report("xvfb, to first paint (probe) and to map (X events)",
                                  measure(entries, args.runs),
                                  [("first paint", "Zentarix", "yardstick", ["empty window"]),
                                   ("map", "Zentarix, to map", "yardstick, to map", peers)])
                finally:
                    if watcher is not None:
                        watcher.close()
                    server[0].kill()
                    server[0].wait()
        print(f"load average after: {os.getloadavg()[0]:.2f}")
    if args.goal and not met:
        sys.exit(1)


if __name__ == "__main__":
    main()
