#!/usr/bin/env python3
"""Soak: lum-server with 100 simulated players for a long time (default 60 minutes), sampling the
server's memory, threads, descriptors and CPU, and checking every upload.

Builds nothing: it runs lum-server, lumctl and lum-player-sim from build/bin (or --bin) on a
temporary data folder and free loopback ports.

The 100 players:
  - 90 stay connected the whole time, send ALIVE every 5 seconds and answer operator commands
    as a player does (status reports, playlist and media downloads after EZ-Play, report uploads);
  - 10 reconnect in cycles: each cycle they log in, upload a file made for that cycle, download a
    media file, send a status report and leave. Every upload is compared with what was sent
    (missing or different bytes count as lost), every download with the server's file.
Between cycles the operator sends commands through lumctl (EZ-Play, group status, volume, a
player's storage and playlist reports, read status, instant messages).

Samples (every cycle, taken while only the 90 staying players are connected): resident memory,
anonymous memory, threads, open descriptors, CPU. The report gives the trend after the first five
minutes. Results go to the "Soak" section of bench/RESULTS.md.
"""

import argparse
import datetime
import hashlib
import json
import os
import random
import shutil
import signal
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import results_file  # noqa: E402
from run_bench import Lum, SimRun, machine, memory_kb, cpu_seconds, threads_of, wait_for  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
CHURN = 10
MEDIA = [("soak-media-1.bin", 256 * 1024), ("soak-media-2.bin", 700 * 1024)]
UPLOAD_BYTES = 300 * 1024
WARMUP_S = 300


def log(text):
    print(f"[soak] {text}", file=sys.stderr, flush=True)


def descriptors(pid):
    try:
        return len(os.listdir(f"/proc/{pid}/fd"))
    except OSError:
        return None


def sha(path):
    h = hashlib.sha256()
    with open(path, "rb") as f:
        for block in iter(lambda: f.read(1 << 16), b""):
            h.update(block)
    return h.hexdigest()


def write_playlist(path, media_paths):
    lines = ["[configuration]", "globalinterval=5"]
    for i, (p, size) in enumerate(media_paths):
        lines += [f"[file{i}]", f"path={p}", f"size={size}"]
    with open(path, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode())


class Soak:
    def __init__(self, args, work):
        self.args = args
        self.work = work
        self.lum = Lum(args.bin, work, passive_count=200)
        self.home = os.path.join(self.lum.data, "Home")
        self.media = []
        for name, size in MEDIA:
            p = os.path.join(self.home, name)
            with open(p, "wb") as f:
                f.write(os.urandom(size))
            self.media.append((p, size))
        self.playlist = os.path.join(work, "soak.mpl")
        write_playlist(self.playlist, self.media)
        self.samples = []
        self.uploads = {"sent": 0, "verified": 0, "lost": 0, "corrupted": 0}
        self.downloads = {"done": 0, "bad": 0}
        self.churn_failures = []
        self.bad_uploads = []
        self.commands = {}
        self.command_failures = []
        self.rng = random.Random(15)

    # --- the parts of one cycle ---------------------------------------------------------------

    def churn(self, cycle):
        """Ten players log in, upload, download, report and leave; their files are checked."""
        src = os.path.join(self.work, "upload.bin")
        with open(src, "wb") as f:
            f.write(os.urandom(UPLOAD_BYTES))
        expected = sha(src)
        save = os.path.join(self.work, "dl")
        shutil.rmtree(save, ignore_errors=True)
        fetch, fetch_size = self.media[cycle % len(self.media)]
        name = os.path.basename(fetch)
        remote = f"{{player}}-c{cycle}.bin"
        run = SimRun(self.args.bin, [
            "--port", str(self.lum.port), "--count", str(CHURN), "--name", "churn%03d",
            "--mac", "02-00-00-10-00-01", "--alive", "0", "--timeout", "60",
            "--upload", f"{src}={remote}", "--fetch", name, "--save-dir", save,
            "--send", "STATUS 21"])
        rc = run.wait_exit(300)
        if rc != 0:
            self.churn_failures.append((cycle, run.failures()))
        # An upload ends with the player closing the data connection; the server may still be
        # reading the last bytes from its socket when the player has gone.
        def whole(path):
            return os.path.exists(path) and os.path.getsize(path) >= UPLOAD_BYTES
        names = [os.path.join(self.home, f"churn{i:03d}-c{cycle}.bin") for i in range(1, CHURN + 1)]
        try:
            wait_for(lambda: all(whole(p) for p in names), 30, "the uploads to be written")
        except RuntimeError:
            pass  # counted below
        for i in range(1, CHURN + 1):
            player = f"churn{i:03d}"
            self.uploads["sent"] += 1
            got = os.path.join(self.home, f"{player}-c{cycle}.bin")
            if not os.path.exists(got):
                self.uploads["lost"] += 1
            elif os.path.getsize(got) != UPLOAD_BYTES or sha(got) != expected:
                self.uploads["corrupted"] += 1
                self.bad_uploads.append((cycle, player, os.path.getsize(got)))
            else:
                self.uploads["verified"] += 1
            if os.path.exists(got):
                os.remove(got)  # keeps the disk flat over hours
            dl = os.path.join(save, player, name)
            if os.path.exists(dl) and os.path.getsize(dl) == fetch_size and sha(dl) == sha(fetch):
                self.downloads["done"] += 1
            else:
                self.downloads["bad"] += 1

    def operator(self, cycle):
        """One operator command through lumctl, in turn."""
        player = f"soak{self.rng.randint(1, self.args.players - CHURN):03d}"
        verbs = [
            ["ezplay", self.playlist, "--group", "Home"],
            ["group-status", "--all"],
            ["volume", str(self.rng.randint(1, 15)), "--all"],
            ["files", "--player", player],
            ["playlist", "--player", player],
            ["read-status", "--player", player],
            ["message", "--group", "Home", "--text", f"soak cycle {cycle}"],
            ["capacity", "--player", player],
        ]
        verb = verbs[cycle % len(verbs)]
        out = self.lum.lumctl(*verb, check=False)
        key = verb[0]
        ok = "targeted" in out or "playlist" in out
        if not ok:
            self.command_failures.append((cycle, key, out.strip()[:200]))
        c = self.commands.setdefault(key, [0, 0])
        c[0 if ok else 1] += 1

    def sample(self, started):
        pid = self.lum.proc.pid
        rss, anon = memory_kb([pid])
        self.samples.append({
            "t": time.time() - started, "rss_kb": rss, "anon_kb": anon,
            "threads": threads_of(pid), "fds": descriptors(pid), "cpu_s": cpu_seconds([pid]),
            "connections": self.lum.connections(),
        })

    # --- the run -----------------------------------------------------------------------------

    def run(self):
        self.lum.start()
        residents_n = self.args.players - CHURN
        residents = SimRun(self.args.bin, [
            "--port", str(self.lum.port), "--count", str(residents_n), "--name", "soak%03d",
            "--alive", "5", "--timeout", "120", "--stay", str(int(self.args.minutes * 60 + 600)),
            "--stagger", "5", "--save-dir", os.path.join(self.work, "resident-dl")])
        try:
            wait_for(lambda: residents.of("all_logged_in") or residents.proc.poll() is not None,
                     120, "the staying players")
            if not residents.of("all_logged_in"):
                raise RuntimeError(f"staying players did not log in: {residents.other[:5]}")
            started = time.time()
            end = started + self.args.minutes * 60
            cycle = 0
            while time.time() < end:
                cycle += 1
                t0 = time.time()
                self.churn(cycle)
                wait_for(lambda: self.lum.connections() == residents_n, 60,
                         "the cycling players to leave")
                self.sample(started)
                self.operator(cycle)
                if cycle % 30 == 0:
                    s = self.samples[-1]
                    log(f"{s['t'] / 60:.1f} min: RSS {s['rss_kb']} KiB, threads {s['threads']}, "
                        f"fds {s['fds']}, uploads {self.uploads}")
                time.sleep(max(0.0, self.args.cycle_seconds - (time.time() - t0)))
            self.alive = [e["ms"] for e in residents.of("alive")]
            self.resident_failures = residents.failures()
            self.resident_alive = residents.proc.poll() is None
        finally:
            residents.stop()
            self.lum.stop()
        self.server_exit = self.lum.proc.returncode

    # --- the report ----------------------------------------------------------------------------

    def summary(self):
        s = self.samples
        after = [x for x in s if x["t"] >= min(WARMUP_S, s[-1]["t"] / 2)]
        first, last = after[0], after[-1]
        # Medians of the first and last tenth smooth out a passing transfer.
        k = max(1, len(after) // 10)

        def mid(rows, key):
            v = sorted(r[key] for r in rows)
            return v[len(v) // 2]
        rss0, rss1 = mid(after[:k], "rss_kb"), mid(after[-k:], "rss_kb")
        anon0, anon1 = mid(after[:k], "anon_kb"), mid(after[-k:], "anon_kb")
        cpu = (last["cpu_s"] - first["cpu_s"]) / max(1e-9, last["t"] - first["t"]) * 100
        return {
            "minutes": s[-1]["t"] / 60, "samples": len(s),
            "rss_start_kb": rss0, "rss_end_kb": rss1, "rss_growth_pct": (rss1 - rss0) / rss0 * 100,
            "anon_start_kb": anon0, "anon_end_kb": anon1,
            "anon_growth_pct": (anon1 - anon0) / anon0 * 100,
            "rss_max_kb": max(x["rss_kb"] for x in after),
            "threads": (min(x["threads"] for x in after), max(x["threads"] for x in after),
                        first["threads"], last["threads"]),
            "fds": (min(x["fds"] for x in after), max(x["fds"] for x in after),
                    first["fds"], last["fds"]),
            "cpu_pct": cpu,
            "uploads": self.uploads, "downloads": self.downloads,
            "commands": self.commands, "churn_failures": len(self.churn_failures),
            "churn_failure_detail": self.churn_failures[:5], "bad_uploads": self.bad_uploads[:10],
            "command_failures": self.command_failures[:5],
            "alive_n": len(self.alive),
            "alive_p50": sorted(self.alive)[len(self.alive) // 2] if self.alive else None,
            "alive_p99": sorted(self.alive)[int(len(self.alive) * 0.99)] if self.alive else None,
            "residents_stayed": self.resident_alive, "server_exit": self.server_exit,
        }


def report(m, args, sm, samples, started, load_note):
    rows = []
    marks = sorted({0, 5, 10, 15, 20, 30, 40, 50, 60, int(sm["minutes"])})
    for mark in marks:
        near = min(samples, key=lambda x: abs(x["t"] - mark * 60))
        if abs(near["t"] - mark * 60) > 60 and mark != 0:
            continue
        rows.append(f"| {near['t'] / 60:.1f} | {near['rss_kb']} | {near['anon_kb']} | "
                    f"{near['threads']} | {near['fds']} | {near['connections']} |")
    seen = []
    rows = [r for r in rows if not (r in seen or seen.append(r))]
    up = sm["uploads"]
    cmds = ", ".join(f"{k} {v[0]}" + (f" ({v[1]} not delivered)" if v[1] else "")
                     for k, v in sorted(sm["commands"].items()))
    lines = [
        "## Soak",
        "",
        f"One run of `bench/soak.py --minutes {args.minutes}` from {started} (UTC), "
        f"{sm['minutes']:.1f} minutes of load after the staying players logged in. "
        f"{load_note}",
        "",
        f"Machine: {m['nproc']} CPUs ({m['cpu']}), {m['memory']}, {m['os']}; load average at "
        f"start {m['load']}.",
        "",
        "| minute | RSS (KiB) | anonymous (KiB) | threads | descriptors | connections |",
        "|---:|---:|---:|---:|---:|---:|",
        *rows,
        "",
        f"- Memory after the first five minutes (median of the first and last tenth of the "
        f"samples): RSS {sm['rss_start_kb']} → {sm['rss_end_kb']} KiB "
        f"({sm['rss_growth_pct']:+.2f} %), anonymous {sm['anon_start_kb']} → "
        f"{sm['anon_end_kb']} KiB ({sm['anon_growth_pct']:+.2f} %); highest RSS "
        f"{sm['rss_max_kb']} KiB.",
        f"- Threads with the 90 staying players: {sm['threads'][0]} to {sm['threads'][1]} "
        f"(first {sm['threads'][2]}, last {sm['threads'][3]}); descriptors {sm['fds'][0]} to "
        f"{sm['fds'][1]} (first {sm['fds'][2]}, last {sm['fds'][3]}).",
        f"- Server CPU over the run: {sm['cpu_pct']:.1f} % of one CPU.",
        f"- Uploads: {up['sent']} sent, {up['verified']} arrived whole, {up['lost']} lost, "
        f"{up['corrupted']} corrupted. Downloads by the cycling players: "
        f"{sm['downloads']['done']} whole, {sm['downloads']['bad']} missing or different. "
        f"Cycles with a failed player step: {sm['churn_failures']}.",
        f"- Operator commands through lumctl: {cmds}.",
        f"- ALIVE round trip of the staying players: {sm['alive_n']} samples, p50 "
        f"{sm['alive_p50']:.2f} ms, p99 {sm['alive_p99']:.2f} ms.",
        f"- The staying players were connected to the end: "
        f"{'yes' if sm['residents_stayed'] else 'no'}; lum-server exit code after SIGTERM: "
        f"{sm['server_exit']}.",
        "",
    ]
    return "\n".join(lines)


def main():
    # A background run ignores SIGINT; SIGTERM stops it with its servers and players.
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(143))
    ap = argparse.ArgumentParser(description=__doc__,
                                 formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--bin", default=os.path.join(REPO, "build", "bin"))
    ap.add_argument("--out", default=os.path.join(HERE, "RESULTS.md"))
    ap.add_argument("--minutes", type=float, default=60)
    ap.add_argument("--players", type=int, default=100)
    ap.add_argument("--cycle-seconds", type=float, default=10)
    ap.add_argument("--note", default="", help="a line about the machine's other load")
    ap.add_argument("--json", help="also write the samples to this file")
    args = ap.parse_args()
    if not CHURN < args.players <= 100:
        ap.error(f"players: more than {CHURN}, at most 100 (the console's limit)")
    started = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M")
    m = machine()
    work = tempfile.mkdtemp(prefix="lum-soak-")
    try:
        soak = Soak(args, work)
        soak.run()
        sm = soak.summary()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"summary": sm, "samples": soak.samples}, f, indent=1)
    results_file.replace_section(args.out, "Soak", report(m, args, sm, soak.samples, started,
                                                          args.note))
    log(json.dumps(sm))
    ok = sm["uploads"]["lost"] == 0 and sm["uploads"]["corrupted"] == 0
    sys.exit(0 if ok else 1)


if __name__ == "__main__":
    main()
