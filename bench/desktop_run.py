#!/usr/bin/env python3
"""Runs a program on a virtual X display and measures it; used by scripts/bench.sh.

  desktop_run.py mubmub BUILD_DIR SECONDS      the desktop build: title and whack play, with the
                                               timer floor (bench/timer_floor.c) running beside it
  desktop_run.py fullscreen BUILD_DIR SECONDS  the same play in full screen on a 1920 x 1080 screen,
                                               at whole multiples (1x there) and at fit (sharp
                                               bilinear), in turns, each beside the timer floor
  desktop_run.py startup BUILD_DIR RUNS        start-up to the first frame: the desktop build and
                                               a bare SDL program (bench/bare_sdl.c), in turns
  desktop_run.py wine PROBE_EXE SECONDS WINE   the Windows timer probe under the given Wine loader

Prints one JSON object: tick periods (ms), the stall check, CPU share of one
core (the program's, and the X server's for the frames it is sent), start-up
times (process start to first frame), peak resident set (KB).
Tick and frame times of the desktop build come from tools/present_probe/present_probe.c,
loaded with LD_PRELOAD.
"""
import json
import os
import random
import signal
import statistics
import subprocess
import sys
import tempfile
import time

CLK_TCK = os.sysconf("SC_CLK_TCK")


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime, stime
        except (OSError, IndexError):
            pass
    return total / CLK_TCK


def vm_hwm_kb(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def xdotool(*args, check=False):
    # Bounded: "search --sync" would otherwise wait for ever for a window that never comes.
    return subprocess.run(["xdotool", *args], capture_output=True, text=True, check=check, timeout=30)


def start_x(screen="1280x1024x24"):
    """Xvfb on a display it picks itself (-displayfd), so two runs never meet."""
    read_fd, write_fd = os.pipe()
    x = subprocess.Popen(["Xvfb", "-displayfd", str(write_fd), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"],
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, pass_fds=(write_fd,))
    os.close(write_fd)
    with os.fdopen(read_fd) as f:
        number = f.readline().strip()  # Xvfb writes it once it listens, or closes the pipe when it dies
    if not number:
        x.terminate()
        sys.exit("Xvfb did not start")
    os.environ["DISPLAY"] = ":" + number
    for _ in range(100):
        if subprocess.run(["xdpyinfo"], capture_output=True).returncode == 0:
            return x
        time.sleep(0.05)
    x.terminate()
    sys.exit("Xvfb did not answer on :" + number)


def launch(argv, env):
    """Starts argv with the realtime clock read just before exec (in t0)."""
    t0_file = tempfile.mktemp()
    env = dict(os.environ, **env, MUB_T0_FILE=t0_file)
    p = subprocess.Popen(["bash", "-c", 'date +%s%N > "$MUB_T0_FILE"; exec "$@"', "launch", *argv], env=env,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return p, t0_file


def periods_ms(times_ns, pause_ms=250):
    """Tick periods, leaving out the pauses while a modal box stopped the timer."""
    all_p = [(b - a) / 1e6 for a, b in zip(times_ns, times_ns[1:])]
    return [p for p in all_p if p < pause_ms], sum(1 for p in all_p if p >= pause_ms)


def summarise(periods):
    if not periods:
        return {}
    s = sorted(periods)
    return {"count": len(s), "mean": statistics.fmean(s), "min": s[0], "max": s[-1],
            "p1": s[int(0.01 * (len(s) - 1))], "p99": s[int(0.99 * (len(s) - 1))],
            "within_2ms": sum(1 for p in s if abs(p - 32) <= 2) / len(s)}


def probe_env(build, log):
    return {"MUB_PROBE_LOG": log, "LD_PRELOAD": os.path.join(build, "tools", "present_probe", "libmub_present_probe.so"),
            "SDL_VIDEODRIVER": "x11"}


def probe_lines(log, kind):
    with open(log) as f:
        return [[int(x) for x in line.split()[1:]] for line in f if line.startswith(kind + " ")]


def run_mubmub(build, seconds, args=(), fullscreen=False, stall=True, x_pid=None):
    probe_log = tempfile.mktemp()
    p, t0_file = launch([os.path.join(build, "mubmub"), *args], probe_env(build, probe_log))
    win = xdotool("search", "--sync", "--onlyvisible", "--pid", str(p.pid)).stdout.split()[0]
    xdotool("windowfocus", "--sync", win)
    if fullscreen:
        xdotool("key", "--window", win, "alt+Return")
    rng = random.Random(1)
    # The timer floor sleeps to 32 ms deadlines beside the play, under the same load.
    floor = subprocess.Popen([os.path.join(build, "bench", "mub_timer_floor"), str(seconds)],
                             stdout=subprocess.PIPE, text=True)
    began = time.monotonic()
    cpu0, wall0 = cpu_seconds([p.pid]), time.monotonic()
    x_cpu0 = cpu_seconds([x_pid]) if x_pid else 0
    floor_cpu0 = cpu_seconds([floor.pid])
    stall_at = None

    def keys(*names, gap=0.5):
        for n in names:
            xdotool("key", "--window", win, n)
            time.sleep(gap)

    # Rounds of: the title animation, the dialog (Tab Tab Enter chooses the
    # whack game), its title and two pages, its box, play with random
    # letters, the result, back to the title.
    while time.monotonic() - began < seconds:
        time.sleep(2.4)                                  # title animation, then the dialog
        keys("Tab", "Tab", "Return", "Return", "Return", "Return", "Return", gap=0.6)
        play_end = time.monotonic() + 15
        while time.monotonic() < play_end and time.monotonic() - began < seconds:
            xdotool("key", "--window", win, rng.choice("zxcvb"))
            time.sleep(0.15)
            if stall and stall_at is None and time.monotonic() - began > 12:
                os.kill(p.pid, signal.SIGSTOP)           # a stalled process
                time.sleep(1.0)
                stall_at = time.monotonic_ns()
                os.kill(p.pid, signal.SIGCONT)
        if time.monotonic() - began >= seconds:
            break
        time.sleep(1.5)
        keys("Return", gap=0.3)                          # leave the result screen
    cpu1, wall1 = cpu_seconds([p.pid]), time.monotonic()
    x_cpu1 = cpu_seconds([x_pid]) if x_pid else 0
    floor_cpu1 = cpu_seconds([floor.pid])
    hwm = vm_hwm_kb(p.pid)
    xdotool("key", "--window", win, "Escape")
    try:
        code = p.wait(timeout=10)
    except subprocess.TimeoutExpired:
        p.kill()
        code = "killed"

    floor_out, _ = floor.communicate(timeout=seconds + 30)
    floor_periods, _ = periods_ms([int(x) for x in floor_out.split()])

    ticks = [t[0] for t in probe_lines(probe_log, "tick")]
    for f in (probe_log, t0_file):
        os.unlink(f)
    periods, pauses = periods_ms(ticks)
    # After the stall: one late tick at once, then the normal pace; a burst
    # would show as periods well under 32 ms right after the resume.
    after = [t for t in ticks if stall_at and t >= stall_at - 50_000_000][:16]
    burst = sum(1 for a, b in zip(after, after[1:]) if (b - a) / 1e6 < 16)
    return {"ticks": len(ticks), "periods": summarise(periods), "pauses": pauses,
            "floor_periods": summarise(floor_periods),
            "stall_checked": stall_at is not None and len(after) > 1, "burst_after_stall": burst,
            "cpu_share": (cpu1 - cpu0) / (wall1 - wall0), "x_cpu_share": (x_cpu1 - x_cpu0) / (wall1 - wall0),
            "floor_cpu_share": (floor_cpu1 - floor_cpu0) / (wall1 - wall0),
            "wall": wall1 - wall0, "vm_hwm_kb": hwm, "exit": code}


def run_fullscreen(build, seconds, x_pid):
    """Full screen at whole multiples and at fit, in turns, two runs of each; CPU summed per setting."""
    runs = {"integer": [], "fit": []}
    for _ in range(2):
        for scale in runs:
            runs[scale].append(run_mubmub(build, max(10.0, seconds / 4), ("--scale", scale), fullscreen=True,
                                          stall=False, x_pid=x_pid))
    result = {}
    for scale, rs in runs.items():
        wall = sum(r["wall"] for r in rs)
        result[scale] = {"cpu_share": sum(r["cpu_share"] * r["wall"] for r in rs) / wall,
                         "x_cpu_share": sum(r["x_cpu_share"] * r["wall"] for r in rs) / wall,
                         "floor_cpu_share": sum(r["floor_cpu_share"] * r["wall"] for r in rs) / wall,
                         "mean_period": statistics.fmean(r["periods"]["mean"] for r in rs),
                         "floor_mean_period": statistics.fmean(r["floor_periods"]["mean"] for r in rs),
                         "within_2ms": statistics.fmean(r["periods"]["within_2ms"] for r in rs),
                         "floor_within_2ms": statistics.fmean(r["floor_periods"]["within_2ms"] for r in rs),
                         "wall": wall}
    return result


def startup_ms(build, argv):
    """Process start to the first frame presented, in ms (None if no frame came within 20 s)."""
    probe_log = tempfile.mktemp()
    p, t0_file = launch(argv, probe_env(build, probe_log))
    deadline, first = time.monotonic() + 20, None
    while first is None and time.monotonic() < deadline:
        if os.path.exists(probe_log):
            presents = probe_lines(probe_log, "present")
            first = presents[0][0] if presents else None
        if first is None:
            time.sleep(0.01)
    if p.poll() is None:
        p.terminate()
    try:
        p.wait(timeout=10)
    except subprocess.TimeoutExpired:
        p.kill()
        p.wait()
    t0 = int(open(t0_file).read())
    for f in (probe_log, t0_file):
        if os.path.exists(f):
            os.unlink(f)
    return (first - t0) / 1e6 if first else None


def run_startup(build, runs):
    """The desktop build and the bare SDL program started in turns, so both see the same machine."""
    game, bare = [], []
    # One launch of each first, not counted: the first start reads the libraries from disk.
    startup_ms(build, [os.path.join(build, "mubmub")])
    startup_ms(build, [os.path.join(build, "bench", "mub_bare_sdl")])
    for _ in range(runs):
        game.append(startup_ms(build, [os.path.join(build, "mubmub")]))
        bare.append(startup_ms(build, [os.path.join(build, "bench", "mub_bare_sdl")]))
        time.sleep(0.2)
    med = lambda xs: statistics.median([x for x in xs if x is not None]) if any(x is not None for x in xs) else None
    return {"game_ms": game, "bare_sdl_ms": bare, "game_median": med(game), "bare_sdl_median": med(bare)}


def wine_pids(name):
    out = subprocess.run(["pgrep", "-f", name], capture_output=True, text=True).stdout.split()
    return [int(x) for x in out]


def run_wine(probe, seconds, loader):
    log = tempfile.mktemp()
    env = {"WINEDEBUG": "-all", "WINEDLLOVERRIDES": "mscoree,mshtml=", "WINELOADER": loader}
    t_start = time.monotonic()
    p, t0_file = launch([loader, probe, log, str(seconds)], env)
    # Measure the steady part: from the first tick until shortly before the end.
    while not (os.path.exists(log) and "tick" in open(log).read()):
        if time.monotonic() - t_start > 60 or p.poll() is not None:
            sys.exit("the probe did not start under Wine")
        time.sleep(0.1)
    pids = wine_pids("timer_probe.exe") + wine_pids("wineserver")
    cpu0, wall0 = cpu_seconds(pids), time.monotonic()
    time.sleep(max(1.0, seconds - 2))
    cpu1, wall1 = cpu_seconds(pids), time.monotonic()
    hwm = max([vm_hwm_kb(x) or 0 for x in wine_pids("timer_probe.exe")] or [0])
    code = p.wait(timeout=60)
    lifetime = time.monotonic() - t_start
    lines = [line.split() for line in open(log)]
    t0 = int(open(t0_file).read())
    os.unlink(log), os.unlink(t0_file)
    ticks = [int(x[2]) for x in lines if x[0] == "tick"]
    paint = [int(x[1]) for x in lines if x[0] == "paint"]
    periods, pauses = periods_ms(ticks)
    return {"ticks": len(ticks), "periods": summarise(periods), "pauses": pauses,
            "cpu_share": (cpu1 - cpu0) / (wall1 - wall0), "wall": wall1 - wall0,
            "startup_ms": (paint[0] - t0) / 1e6 if paint else None,
            "overhead_s": lifetime - seconds, "vm_hwm_kb": hwm, "exit": code}


def main():
    what, target, amount = sys.argv[1], sys.argv[2], float(sys.argv[3])
    x = start_x("1920x1080x24" if what == "fullscreen" else "1280x1024x24")
    try:
        if what == "mubmub":
            result = run_mubmub(target, amount)
        elif what == "fullscreen":
            result = run_fullscreen(target, amount, x.pid)
        elif what == "startup":
            result = run_startup(target, int(amount))
        else:
            result = run_wine(target, amount, sys.argv[4])
    finally:
        x.terminate()
        x.wait()
    print(json.dumps(result))


if __name__ == "__main__":
    main()
