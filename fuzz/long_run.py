#!/usr/bin/env python3
"""Long fuzzing session: every target of build-fuzz for N executions or T seconds, whichever
comes first, J at a time, each over a scratch copy of its seed corpus. Writes executions,
coverage (edges and features) and findings per target into the "Fuzzing" block of
bench/RESULTS.md. Crashing inputs are kept in build-fuzz/fuzz/artifacts/.

    fuzz/long_run.py [--runs 10000000] [--seconds 600] [--jobs 2] [--only a,b]
"""

import argparse
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
from concurrent.futures import ThreadPoolExecutor

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
sys.path.insert(0, os.path.join(REPO, "bench"))
import results_file  # noqa: E402

MAX_LEN = {"control_session": 8192}


def run_one(name, args, work):
    binary = os.path.join(args.build, "fuzz", "bin", f"fuzz_{name}")
    corpus = os.path.join(work, name)
    os.makedirs(corpus)
    artifacts = os.path.join(args.build, "fuzz", "artifacts")
    os.makedirs(artifacts, exist_ok=True)
    seeds = os.path.join(HERE, "corpus", name)
    cmd = [binary, f"-runs={args.runs}", f"-max_total_time={args.seconds}",
           f"-max_len={MAX_LEN.get(name, 4096)}", "-print_final_stats=1",
           f"-artifact_prefix={artifacts}/fuzz_{name}-", corpus, seeds]
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=0:abort_on_error=1",
               UBSAN_OPTIONS="print_stacktrace=1")
    t0 = time.time()
    log_path = os.path.join(work, f"{name}.log")
    with open(log_path, "w") as log:
        rc = subprocess.call(cmd, stdout=log, stderr=subprocess.STDOUT, env=env)
    seconds = time.time() - t0
    text = open(log_path, errors="replace").read()
    execs = re.findall(r"stat::number_of_executed_units:\s*(\d+)", text)
    cov = re.findall(r"cov: (\d+) ft: (\d+)", text)
    corpus_n = len(os.listdir(corpus))
    finding = ""
    m = re.search(r"(ERROR: \w+Sanitizer: [^\n]*|ERROR: libFuzzer: [^\n]*|property broken: [^\n]*|"
                  r"runtime error: [^\n]*)", text)
    if rc != 0 or m:
        finding = m.group(1) if m else f"exit code {rc}"
    return {"name": name, "execs": int(execs[-1]) if execs else 0, "seconds": seconds,
            "edges": int(cov[-1][0]) if cov else 0, "features": int(cov[-1][1]) if cov else 0,
            "corpus": corpus_n, "finding": finding, "log": log_path}


def main():
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--build", default=os.path.join(REPO, "build-fuzz"))
    ap.add_argument("--runs", type=int, default=10_000_000)
    ap.add_argument("--seconds", type=int, default=600)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--only", help="comma-separated targets")
    ap.add_argument("--out", default=os.path.join(REPO, "bench", "RESULTS.md"))
    ap.add_argument("--note", default="")
    args = ap.parse_args()
    names = sorted(d for d in os.listdir(os.path.join(HERE, "corpus")))
    if args.only:
        names = [n for n in names if n in args.only.split(",")]
    started = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M")
    work = tempfile.mkdtemp(prefix="lum-fuzz-")
    try:
        with ThreadPoolExecutor(max_workers=args.jobs) as pool:
            results = list(pool.map(lambda n: run_one(n, args, work), names))
            for r in results:
                print(f"{r['name']}: {r['execs']} runs in {r['seconds']:.0f} s, cov {r['edges']}, "
                      f"{r['finding'] or 'no finding'}", file=sys.stderr)
        keep = os.path.join(args.build, "fuzz", "long-run-logs")
        os.makedirs(keep, exist_ok=True)
        for r in results:
            shutil.copy(r["log"], keep)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    rows = [f"| {r['name']} | {r['execs']:,} | {r['seconds']:.0f} | {r['execs'] / max(r['seconds'], 1):,.0f} | "
            f"{r['edges']:,} | {r['features']:,} | {r['corpus']:,} | {r['finding'] or 'none'} |"
            for r in results]
    block = "\n".join([
        "## Fuzzing",
        "",
        f"One run of `fuzz/long_run.py` from {started} (UTC): each target of the `fuzz` preset "
        f"(clang 14, `-fsanitize=fuzzer,address,undefined`, -O1) for {args.runs:,} executions or "
        f"{args.seconds} s, whichever came first, {args.jobs} at a time, from its seed corpus in "
        "`fuzz/corpus/`. Coverage is libFuzzer's count of covered edges (`cov`) and features "
        f"(`ft`) at the end. {args.note}",
        "",
        "| target | executions | seconds | per second | edges | features | corpus | finding |",
        "|---|---:|---:|---:|---:|---:|---:|---|",
        *rows,
        "",
    ])
    results_file.replace_section(args.out, "Fuzzing", block)


if __name__ == "__main__":
    main()
