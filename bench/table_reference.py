#!/usr/bin/python3
"""The numpy reference for the table benchmark: elevations at evenly spaced
stations, each row of each kind filling the stations it covers, in row order,
so that the last containing row wins. Times the filling alone (not the reading
of the file), the best of three
(or REPEATS) runs, wall and CPU time.

    table_reference.py PROFILE.in STATIONS STEP [REPEATS]

The stations are k * STEP for k = 0 .. STATIONS - 1, rounded to 32-bit floats.
"""
import sys
import time

import numpy as np


def read_profile(path):
    with open(path) as f:
        lines = f.read().splitlines()
    pos = 1  # the title
    kinds = []
    for _ in range(2):
        count = int(lines[pos])
        rows = np.loadtxt(lines[pos + 1 : pos + 1 + count], delimiter=",", dtype=np.float32, ndmin=2)
        kinds.append(rows)
        pos += 1 + count
    return kinds


def fill(rows, stations):
    values = np.zeros(len(stations), dtype=np.float64)
    s = stations.astype(np.float64)
    for start, rate1, rate2, sta1, sta2 in rows.astype(np.float64).tolist():
        lo = np.searchsorted(s, sta1, "left")
        hi = np.searchsorted(s, sta2, "right")
        if lo >= hi:
            continue
        x = s[lo:hi] - sta1
        length = sta2 - sta1
        values[lo:hi] = x * x * (rate2 - rate1) / (length + length) + (x * rate1 + start)
    return values.astype(np.float32)


def main():
    path, count, step = sys.argv[1], int(sys.argv[2]), float(sys.argv[3])
    repeats = int(sys.argv[4]) if len(sys.argv) > 4 else 3
    curves, segments = read_profile(path)
    stations = (np.arange(count, dtype=np.float64) * step).astype(np.float32)
    wall, cpu = [], []
    for _ in range(repeats):
        begin, begin_cpu = time.perf_counter(), time.process_time()
        grade = fill(curves, stations)
        sup = fill(segments, stations)
        elevation = (12.0 * sup.astype(np.float64) + grade.astype(np.float64)).astype(np.float32)
        wall.append(time.perf_counter() - begin)
        cpu.append(time.process_time() - begin_cpu)
    print(f"{path} x {count} stations: {min(wall) * 1000:.1f} ms, CPU {min(cpu) * 1000:.1f} ms"
          f" (checksum {float(elevation.astype(np.float64).sum()):.9g})")


main()
