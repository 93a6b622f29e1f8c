#!/usr/bin/env python3
"""Measures every speed figure and prints it beside its baseline; run by scripts/bench.sh.

  report.py BUILD_DIR SECONDS [WINE_LOADER WINE_PROBE_EXE WINE_LABEL]
"""
import json
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def blits(build):
    out = subprocess.run([os.path.join(build, "bench", "mub_bench_blit"), "--benchmark_format=json",
                          "--benchmark_repetitions=5", "--benchmark_min_time=0.2",
                          "--benchmark_report_aggregates_only=true"],
                         capture_output=True, text=True, check=True).stdout
    med = {b["run_name"]: b["cpu_time"] for b in json.loads(out)["benchmarks"] if b.get("aggregate_name") == "median"}
    return med["BM_Memcpy"], med["BM_BitBltCopy"], med["BM_BitBltMaskedPair"]


def sim_runs(build, runs=5):
    script = os.path.join(HERE, "story.script")
    import re
    ticks_wanted = int(re.search(r"--ticks (\d+)", open(script).read()).group(1))
    best, peak, ticks = None, 0, 0
    state = os.path.join(build, "bench", "story_state.json")
    for _ in range(runs):
        t = time.perf_counter()
        p = subprocess.Popen([os.path.join(build, "mubmub-sim"), "--ticks", str(ticks_wanted), "--script", script,
                              "--state", state])
        _, status, usage = os.wait4(p.pid, 0)
        wall = time.perf_counter() - t
        if status != 0:
            sys.exit("mubmub-sim failed on the story script")
        ticks = json.load(open(state))["tick"]
        best = wall if best is None else min(best, wall)
        peak = max(peak, usage.ru_maxrss)
    return ticks, best, peak


def desktop(what, target, amount, *extra):
    out = subprocess.run([sys.executable, os.path.join(HERE, "desktop_run.py"), what, target, str(amount), *extra],
                         capture_output=True, text=True)
    if out.returncode != 0:
        print(f"{what} run failed: {out.stderr.strip()}", file=sys.stderr)
        return None
    return json.loads(out.stdout)


def main():
    build, seconds = sys.argv[1], float(sys.argv[2])
    loader, probe, wine_label = sys.argv[3:6] if len(sys.argv) > 5 else (None, None, None)
    rows = []

    def row(figure, value, baseline, ratio, goal):
        rows.append((figure, value, baseline, ratio, goal))

    mem, copy, pair = blits(build)
    row("BitBlt SRCCOPY 600x570", f"{copy / 1000:.1f} us", f"memcpy {mem / 1000:.1f} us", f"{copy / mem:.2f}x",
        "<= 1.5x")
    row("BitBlt SRCAND+SRCPAINT 600x570", f"{pair / 1000:.1f} us", f"memcpy {mem / 1000:.1f} us",
        f"{pair / mem:.2f}x", "<= 3x")

    ticks, wall, peak = sim_runs(build)
    rate = ticks / wall
    row("Simulator, story through both games", f"{rate:,.0f} ticks/s ({ticks} ticks, {wall:.2f} s)",
        "real time 31.25 ticks/s", f"{rate / 31.25:,.0f}x", ">= 20,000 ticks/s")
    row("Simulator peak resident set", f"{peak / 1024:.1f} MB", "-", "-", "<= 20 MB")

    d = desktop("mubmub", build, seconds)
    if d is None:
        sys.exit("the desktop run failed")
    full = desktop("fullscreen", build, seconds)
    s = desktop("startup", build, 5)
    w = desktop("wine", probe, seconds, loader) if probe else None

    dp, fp, wp = d["periods"], d["floor_periods"], (w or {}).get("periods", {})

    def both(fmt, key, scale=1):
        floor = f"timer floor {fmt.format(scale * fp[key])}"
        wine = f"Wine {fmt.format(scale * wp[key])}" if wp else "no Wine run"
        return f"{floor}; {wine}"

    row("Tick period, mean", f"{dp['mean']:.3f} ms", both("{:.3f} ms", "mean"),
        f"{dp['mean'] - fp['mean']:+.3f} ms vs floor", "32 +- 0.1 ms")
    row("Tick periods within 2 ms of 32", f"{100 * dp['within_2ms']:.1f}%", both("{:.1f}%", "within_2ms", 100),
        f"{100 * (dp['within_2ms'] - fp['within_2ms']):+.1f} points vs floor", ">= floor - 1 point")
    row("Tick period, 1st-99th percentile", f"{dp['p1']:.1f}-{dp['p99']:.1f} ms",
        f"timer floor {fp['p1']:.1f}-{fp['p99']:.1f} ms; "
        + (f"Wine {wp['p1']:.1f}-{wp['p99']:.1f} ms" if wp else "no Wine run"), "-", "within 30-34 ms")
    row("Ticks in a burst after a 1 s stall", str(d["burst_after_stall"]) if d["stall_checked"] else "not run",
        "-", "-", "0")
    row("CPU while animating (share of one core)", f"{100 * d['cpu_share']:.2f}%",
        f"Wine {100 * w['cpu_share']:.2f}% (wine + wineserver)" if w else "no Wine run",
        f"{d['cpu_share'] / w['cpu_share']:.2f}x" if w and w["cpu_share"] else "-", "<= 3%")
    if full:
        one, fit = full["integer"], full["fit"]
        for label, r in (("1x (--scale integer)", one), ("fit, sharp bilinear", fit)):
            row(f"CPU in full screen 1920x1080, {label}",
                f"{100 * r['cpu_share']:.2f}% (+ Xvfb {100 * r['x_cpu_share']:.2f}%)",
                f"timer floor {100 * r['floor_cpu_share']:.3f}%; tick mean {r['mean_period']:.3f} ms "
                f"(floor {r['floor_mean_period']:.3f} ms)", "-", "-")
        row("CPU in full screen, fit against 1x", f"{100 * fit['cpu_share']:.2f}%", f"1x {100 * one['cpu_share']:.2f}%",
            f"{fit['cpu_share'] / one['cpu_share']:.2f}x" if one["cpu_share"] else "-", "<= 1.2x")
        row("  the same with Xvfb's share", f"{100 * (fit['cpu_share'] + fit['x_cpu_share']):.2f}%",
            f"1x {100 * (one['cpu_share'] + one['x_cpu_share']):.2f}%",
            f"{(fit['cpu_share'] + fit['x_cpu_share']) / (one['cpu_share'] + one['x_cpu_share']):.2f}x"
            if one["cpu_share"] + one["x_cpu_share"] else "-", "<= 1.2x")
    gm, bm = (s or {}).get("game_median"), (s or {}).get("bare_sdl_median")
    row("Start-up: process start to first frame", f"{gm:.0f} ms (median of 5)" if gm else "not measured",
        f"bare SDL {bm:.0f} ms (median of 5)" if bm else "not measured",
        f"{gm / bm:.2f}x" if gm and bm else "-", "<= 1.3x bare SDL")
    row("Desktop peak resident set (VmHWM)", f"{d['vm_hwm_kb'] / 1024:.1f} MB",
        f"Wine {w['vm_hwm_kb'] / 1024:.1f} MB (wine process)" if w else "no Wine run",
        f"{d['vm_hwm_kb'] / w['vm_hwm_kb']:.2f}x" if w and w["vm_hwm_kb"] else "-", "<= 40 MB")

    head = ("Figure", "Measured", "Baseline (same run)", "Ratio", "Goal")
    widths = [max(len(str(r[i])) for r in rows + [head]) for i in range(5)]
    for r in [head, tuple("-" * x for x in widths)] + rows:
        print("  ".join(str(c).ljust(widths[i]) for i, c in enumerate(r)))
    print(f"\nDesktop: {d['ticks']} ticks over {d['wall']:.0f} s of title and whack play under Xvfb, "
          f"{d['pauses']} pauses for boxes left out, exit status {d['exit']}; the timer floor "
          f"(bench/timer_floor.c) ran beside it, {fp.get('count', 0) + 1} wake-ups.")
    if s:
        fmt = lambda xs: ", ".join(f"{x:.0f}" if x is not None else "-" for x in xs)
        print(f"Start-up, in turns (ms): game {fmt(s['game_ms'])}; bare SDL (bench/bare_sdl.c) {fmt(s['bare_sdl_ms'])}.")
    if w:
        startup = f"{w['startup_ms']:.0f} ms to its first paint" if w["startup_ms"] is not None else "no paint logged"
        print(f"Wine: the Windows timer probe (bench/wine/timer_probe.c) built {wine_label}, under {loader}: "
              f"{w['ticks']} ticks, {startup}, exit status {w['exit']}.")


if __name__ == "__main__":
    main()
