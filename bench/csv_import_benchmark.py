#!/usr/bin/python3
"""Times numeron-cli import of a synthetic CSV history (whole process) against
bench/baseline_csv_import.py (Debian's python3, csv + sqlite3 executemany into
the same table), interleaved run by run, each into a fresh empty database made
by numeron_setup, and prints the medians, their ratio and the peak memory of
each process. Called by bench/run_csv_import_benchmark.sh.

Goal: at most 0.5 of the reference's time, peak memory under 100 MiB.
"""

import argparse
import os
import random
import shutil
import statistics
import subprocess
import tempfile
import time
from datetime import date, timedelta


def write_history(path, rows):
    """Synthetic draws (seeded; not real results): tir;date;b1..b6, one a day."""
    rng = random.Random(49)
    first = date(1990, 1, 1)
    with open(path, "w", encoding="utf-8", newline="") as out:
        out.write("tir;date;b1;b2;b3;b4;b5;b6\r\n")
        for tir in range(1, rows + 1):
            day = first + timedelta(days=tir)
            balls = rng.sample(range(1, 50), 6)
            out.write(f"{tir};{day:%d.%m.%Y};" + ";".join(map(str, balls)) + "\r\n")


def timed(command):
    """Runs a command; returns (wall seconds, CPU seconds, peak resident MiB)
    of the process."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    wall = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"failed: {' '.join(command)}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def count_rows(database):
    import sqlite3
    db = sqlite3.connect(database)
    try:
        return db.execute("SELECT count(*) FROM razyg").fetchone()[0]
    finally:
        db.close()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--rows", type=int, default=10000)
    parser.add_argument("--runs", type=int, default=11)
    args = parser.parse_args()
    cli = os.path.join(args.build, "numeron-cli")
    setup = os.path.join(args.build, "numeron_setup")
    baseline = os.path.join(os.path.dirname(os.path.abspath(__file__)), "baseline_csv_import.py")
    ours, reference = [], []
    with tempfile.TemporaryDirectory(dir=args.work) as folder:
        history = os.path.join(folder, f"synthetic-{args.rows}.csv")
        write_history(history, args.rows)
        empty = os.path.join(folder, "empty")
        os.mkdir(empty)
        subprocess.run([setup, empty], stdout=subprocess.DEVNULL, check=True)
        template = os.path.join(empty, "razyg.mdb")
        for run in range(args.runs):
            for series, command in ((ours, [cli, "--db", "{db}", "import", history]),
                                    (reference, ["/usr/bin/python3", baseline, history, "{db}"])):
                db = os.path.join(folder, f"run-{run}-{len(series)}.db")
                shutil.copy(template, db)
                series.append(timed([part.replace("{db}", db) for part in command]))
                if count_rows(db) != args.rows:
                    raise SystemExit(f"{command[0]} stored {count_rows(db)} rows, not {args.rows}")
                os.remove(db)
    def median(series, what):
        return statistics.median(run[what] for run in series)

    wall, reference_wall = median(ours, 0), median(reference, 0)
    cpu, reference_cpu = median(ours, 1), median(reference, 1)
    peak = max(run[2] for run in ours)
    ratio = wall / reference_wall
    print(f"CSV import of {args.rows:,} synthetic draws into an empty database, "
          f"{args.runs} runs each in turns (medians, whole processes)")
    print(f"  {'':32} {'wall':>9} {'CPU':>9} {'peak':>10}")
    print(f"  {'numeron-cli import':32} {wall * 1000:6.1f} ms {cpu * 1000:6.1f} ms "
          f"{peak:6.1f} MiB")
    print(f"  {'baseline_csv_import.py':32} {reference_wall * 1000:6.1f} ms "
          f"{reference_cpu * 1000:6.1f} ms {max(run[2] for run in reference):6.1f} MiB")
    print(f"  ratio numeron-cli / reference: {ratio:.3f} wall (goal <= 0.5: "
          f"{'met' if ratio <= 0.5 else 'MISSED'}), {cpu / reference_cpu:.3f} CPU; "
          f"peak memory goal < 100 MiB: {'met' if peak < 100 else 'MISSED'}")
    print(f"Load average at the end: {os.getloadavg()[0]:.1f} ({os.cpu_count()} cores)")
    return 0 if ratio <= 0.5 and peak < 100 else 1


if __name__ == "__main__":
    raise SystemExit(main())
