#!/usr/bin/env python3
"""Plays a whole shooting series in the simulator, aiming, and writes the
script it played as winning_series.script for the tests to replay.

  tests/shooting/aiming_player.py build/mubmub-sim tests/shooting/winning_series.script

Both buttons stay held, so every press also fires. Every 8 ticks the player
looks at the state, picks the lowest crab still walking (the boss when none
is left), guesses where it will be when a shot gets there, and presses the
left button on even turns or the right one on odd turns if that step keeps it
under the target. A button is pressed at most every 16 ticks (512 ms), so no
press becomes a double click. The run is deterministic, so re-running this
after a change to the game's rules re-records the play.
"""
import json
import os
import subprocess
import sys
import tempfile

PLAY_START = 60  # the cancel-out question is answered after this tick
LEAD = ["0 answer 1001", "56 lclick", "58 rclick", "59 lclick", "59 answer yes"] + [f"{PLAY_START} answer ok"] * 5
STEP = 8


def state_after(sim, lines, ticks, work):
    script, state = os.path.join(work, "s.script"), os.path.join(work, "state.json")
    with open(script, "w") as f:
        f.write("\n".join(lines) + "\n")
    r = subprocess.run([sim, "--ticks", str(ticks), "--script", script, "--state", state],
                       capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"the simulator failed at tick {ticks}: {r.stderr.strip()}")
    with open(state) as f:
        return json.load(f)


def walk(x, right, speed, lo, hi, ticks):
    """Where a walker is after `ticks`, bouncing at the edges (turn points are a coin toss: ignored)."""
    for _ in range(ticks):
        x = x + speed if right else x - speed
        if right and x > hi:
            right = False
        elif not right and x < lo:
            right = True
    return x


def target(st):
    """(shot x that hits the target's middle, half the width that still hits) or None."""
    shot_y = st["mub_pl_y"] - 40
    tasks = st["mub_task_no"]
    best = None
    for e in range(3):
        if tasks[e] != 0:
            continue
        y = st["mub_en_y"][e]
        flight = max(1, (shot_y - (y + 39)) // 8)
        x = walk(st["mub_en_x"][e], st["en_flg"][e] == 1, 3 + st["sa"], 20, 520, flight)
        if best is None or y > best[0]:
            best = (y, x + 11, 37)
    if best is None and tasks[3] in (0, 2, 4):
        y = st["mub_enb_y"]
        flight = max(1, (shot_y - (y + 39)) // 8)
        x = walk(st["mub_enb_x"], st["enb_flg"] == 1, 4 + 2 * st["enb"] + st["sa"], 26, 516, flight)
        best = (y, x + 22, 48)
    return best and best[1:]


def main():
    sim, out = sys.argv[1], sys.argv[2]
    lines = LEAD + [f"{PLAY_START} ldown", f"{PLAY_START} rdown"]
    t, left_turn = PLAY_START, True
    with tempfile.TemporaryDirectory() as work:
        while True:
            t += STEP
            st = state_after(sim, lines, t, work)
            if st["win"] + st["lose"] >= 5:
                break
            if t > 20000:
                sys.exit("no end of the series after 20000 ticks")
            aim = target(st)
            x = st["mub_pl_x"]
            if aim:
                want, half = aim
                if left_turn and x - 40 >= want - half:
                    lines += [f"{t} lup", f"{t} ldown"]
                elif not left_turn and x + 40 <= want + half:
                    lines += [f"{t} rup", f"{t} rdown"]
            left_turn = not left_turn
    header = [f"# A whole shooting series, won {st['win']} to {st['lose']}, over by tick {t}.",
              "# Recorded by tests/shooting/aiming_player.py; re-record after a change to the rules."]
    with open(out, "w") as f:
        f.write("\n".join(header + lines) + "\n")
    print(f"series over by tick {t}: won {st['win']}, lost {st['lose']}, {len(lines)} lines")


if __name__ == "__main__":
    main()
