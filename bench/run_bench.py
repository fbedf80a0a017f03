#!/usr/bin/env python3
"""Measures lum-server with simulated players, and Debian's vsftpd on the same loopback with the
same client, and writes the figures side by side into bench/RESULTS.md.

Builds nothing: it runs lum-server, lumctl and lum-player-sim from build/bin (or --bin). Every
server runs on a temporary folder and free ports; vsftpd runs as its own instance with its own
configuration file, as an unprivileged user, and is never installed as a service (when it is
missing, its Debian package is fetched with apt-get download and unpacked into a cache folder).

For 1, 10 and 100 players (100 is the console's connection limit):
  - time until all players are logged in (first connect attempt to the last "230");
  - ALIVE round trip, p50 and p99 (LUM only: vsftpd has no ALIVE);
  - operator-command fan-out, from starting `lumctl send` to the line reaching every player,
    p50 and p99 (LUM only);
  - aggregate download throughput of a 10 MB file fetched by every player at once (LUM sends
    4096-byte pieces with a 5 ms pause after each; vsftpd is measured without a limit and with
    a comparable per-session rate limit);
  - server memory per connected player (RSS and PSS growth over the idle server, divided by the
    players) and server CPU while the players only keep their connections alive.
Nothing here asserts a time; the figures are for the record.
"""

import argparse
import datetime
import json
import os
import platform
import pwd
import random
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import results_file  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(HERE)
FILE_NAME = "bench10m.bin"
CLK_TCK = os.sysconf("SC_CLK_TCK")
# Connections of the staying players start this far apart: all at once overflows a listen
# backlog (vsftpd's is 32), and the storm rows show what that does.
STAGGER_MS = 1
STORM_REPEATS = 3


# --- small helpers --------------------------------------------------------------------------

def log(text):
    print(f"[bench] {text}", file=sys.stderr, flush=True)


def free_port():
    """A port free for TCP and UDP on 127.0.0.1 (the console answers discovery on it too)."""
    while True:
        with socket.socket() as t:
            t.bind(("127.0.0.1", 0))
            port = t.getsockname()[1]
            with socket.socket(socket.AF_INET, socket.SOCK_DGRAM) as u:
                try:
                    u.bind(("127.0.0.1", port))
                    return port
                except OSError:
                    continue


def free_range(count):
    """The first of `count` consecutive free TCP ports (passive data ports)."""
    for _ in range(500):
        base = random.randint(20000, 60000 - count)
        held = []
        try:
            for p in range(base, base + count):
                s = socket.socket()
                held.append(s)
                s.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
                s.bind(("127.0.0.1", p))
            return base
        except OSError:
            continue
        finally:
            for s in held:
                s.close()
    raise RuntimeError("no free port range")


def percentile(values, p):
    if not values:
        return None
    v = sorted(values)
    k = (len(v) - 1) * p / 100.0
    lo, hi = int(k), min(int(k) + 1, len(v) - 1)
    return v[lo] + (v[hi] - v[lo]) * (k - lo)


def proc_tree(pid):
    """pid and all its descendants."""
    children = {}
    for entry in os.listdir("/proc"):
        if not entry.isdigit():
            continue
        try:
            with open(f"/proc/{entry}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            children.setdefault(int(fields[1]), []).append(int(entry))
        except OSError:
            continue
    out, todo = [], [pid]
    while todo:
        p = todo.pop()
        out.append(p)
        todo.extend(children.get(p, []))
    return out


def memory_kb(pids):
    """(RSS, anonymous PSS) in KiB summed over the processes. Anonymous pages (heap, stacks,
    copies after fork) are shared only within a process tree, so their proportional sum counts
    each page once and does not move when other programs map the same libraries."""
    rss = private = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/smaps_rollup") as f:
                for line in f:
                    if line.startswith("Rss:"):
                        rss += int(line.split()[1])
                    elif line.startswith("Pss_Anon:"):
                        private += int(line.split()[1])
        except OSError:
            pass
    return rss, private


def cpu_seconds(pids):
    total = 0
    for pid in pids:
        try:
            with open(f"/proc/{pid}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])  # utime + stime
        except OSError:
            pass
    return total / CLK_TCK


def threads_of(pid):
    try:
        with open(f"/proc/{pid}/status") as f:
            for line in f:
                if line.startswith("Threads:"):
                    return int(line.split()[1])
    except OSError:
        pass
    return None


def wait_for(predicate, timeout, what):
    deadline = time.time() + timeout
    while time.time() < deadline:
        if predicate():
            return
        time.sleep(0.05)
    raise RuntimeError(f"timed out waiting for {what}")


class SimRun:
    """One lum-player-sim process in --measure mode; its JSON events are collected."""

    def __init__(self, bin_dir, args):
        self.events = []
        self.lock = threading.Lock()
        self.other = []
        self.proc = subprocess.Popen([os.path.join(bin_dir, "lum-player-sim"), "--measure"] + args,
                                     stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()

    def _read(self):
        for line in self.proc.stdout:
            line = line.strip()
            if line.startswith("{"):
                with self.lock:
                    self.events.append(json.loads(line))
            elif line:
                with self.lock:
                    self.other.append(line)

    def of(self, ev):
        with self.lock:
            return [e for e in self.events if e.get("ev") == ev]

    def wait_exit(self, timeout):
        self.proc.wait(timeout=timeout)
        self.reader.join(timeout=5)
        return self.proc.returncode

    def stop(self):
        if self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(timeout=30)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()
        self.reader.join(timeout=5)

    def failures(self):
        with self.lock:
            return [l for l in self.other if " ! " in l or "failed" in l][:5]


def storm(bin_dir, args, count, timeout=10):
    """Players that all connect at once, log in and leave. (milliseconds until the last login,
    or None when not all got in; how many got in)."""
    run = SimRun(bin_dir, args + ["--count", str(count), "--alive", "0", "--timeout", str(timeout)])
    try:
        run.wait_exit(timeout * 3 + 60)
    finally:
        run.stop()
    done = run.of("all_logged_in")
    return (done[0]["ms"] if done else None), len(run.of("login"))


def all_logged_in(run, count, timeout):
    wait_for(lambda: run.of("all_logged_in") or run.proc.poll() is not None, timeout,
             f"{count} logins")
    done = run.of("all_logged_in")
    if not done:
        raise RuntimeError(f"players did not all log in: {run.failures()}")
    return done[0]["ms"]


def throughput(run, count, file_size):
    steps = [e for e in run.of("step") if e.get("kind") == "RETR"]
    ok = [e for e in steps if e.get("ok") and e.get("bytes") == file_size]
    if len(ok) != count:
        raise RuntimeError(f"{len(ok)} of {count} downloads complete: {run.failures()}")
    span_ms = max(e["end"] for e in ok) - min(e["start"] for e in ok)
    total = sum(e["bytes"] for e in ok)
    per_player = statistics.mean(e["bytes"] / ((e["end"] - e["start"]) / 1000.0) for e in ok)
    return {"aggregate_MBps": total / (span_ms / 1000.0) / 1e6, "span_s": span_ms / 1000.0,
            "per_player_MBps": per_player / 1e6}


# --- the machine ----------------------------------------------------------------------------

def machine():
    cpu = "unknown"
    with open("/proc/cpuinfo") as f:
        for line in f:
            if line.startswith("model name"):
                cpu = line.split(":", 1)[1].strip()
                break
    mem_kb = 0
    with open("/proc/meminfo") as f:
        for line in f:
            if line.startswith("MemTotal:"):
                mem_kb = int(line.split()[1])
    distro = ""
    try:
        with open("/etc/os-release") as f:
            for line in f:
                if line.startswith("PRETTY_NAME="):
                    distro = line.split("=", 1)[1].strip().strip('"')
    except OSError:
        pass
    return {
        "nproc": len(os.sched_getaffinity(0)),
        "memory": f"{mem_kb / 1024 / 1024:.1f} GiB",
        "cpu": cpu,
        "kernel": platform.release(),
        "os": distro,
        "load": " ".join(f"{x:.2f}" for x in os.getloadavg()),
    }


# --- LUM ------------------------------------------------------------------------------------

class Lum:
    def __init__(self, bin_dir, work, passive_count, max_per_address=1000):
        self.bin = bin_dir
        self.data = os.path.join(work, "lum-data")
        os.makedirs(os.path.join(self.data, "Home"))
        self.port = free_port()
        passive = free_range(passive_count)
        with open(os.path.join(self.data, "config.ini"), "wb") as f:
            f.write((f"[Startup]\r\nAUTOACTIVATE=1\r\n[SERVER]\r\nPORT={self.port}\r\n"
                     f"PORTSTART={passive}\r\nPORTNUM={passive_count}\r\n"
                     # Every simulated player comes from this host: lift its share.
                     f"MAXPERADDRESS={max_per_address}\r\n").encode())
        self.file = os.path.join(self.data, "Home", FILE_NAME)
        self.proc = None

    def lumctl(self, *args, check=True):
        r = subprocess.run([os.path.join(self.bin, "lumctl"), "--data-dir", self.data] + list(args),
                           capture_output=True, text=True, timeout=60)
        if check and r.returncode != 0:
            raise RuntimeError(f"lumctl {' '.join(args)}: {r.stdout}{r.stderr}")
        return r.stdout

    def start(self):
        self.log = open(os.path.join(os.path.dirname(self.data), "lum-server.log"), "w")
        self.proc = subprocess.Popen([os.path.join(self.bin, "lum-server"), "--data-dir", self.data],
                                     stdout=self.log, stderr=subprocess.STDOUT)
        wait_for(lambda: "server\trunning" in self.lumctl("status", check=False), 30,
                 "lum-server to run")

    def connections(self):
        for line in self.lumctl("status").splitlines():
            if line.startswith("connections\t"):
                return int(line.split("\t")[1])
        # Without the counter: the rows of the online list.
        return len([l for l in self.lumctl("players").splitlines()[1:] if l.strip()])

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            self.proc.wait(timeout=60)
        self.log.close()


def measure_lum(args, work, file_size):
    lum = Lum(args.bin, work, passive_count=200)
    with open(lum.file, "wb") as f:
        f.write(os.urandom(file_size))
    lum.start()
    try:
        pid = lum.proc.pid
        time.sleep(1)
        base_rss, base_uss = memory_kb([pid])
        c0 = cpu_seconds([pid])
        time.sleep(args.idle_seconds)
        idle_empty = (cpu_seconds([pid]) - c0) / args.idle_seconds * 100
        results = {"base_rss_kb": base_rss, "idle_cpu_no_players_pct": idle_empty, "counts": {}}
        log(f"lum-server pid {pid}: RSS {base_rss} KiB, idle CPU {idle_empty:.2f} %")

        for n in args.counts:
            r = {}
            names = ["--name", f"bench{n}-%03d"]
            # First logins register the new names in group Home (the store is saved for each);
            # then the same, known, names again.
            r["register"], r["storm"] = [], []
            for rep in range(STORM_REPEATS):
                fresh = ["--port", str(lum.port), "--name", f"bench{n}r{rep}-%03d"]
                r["register"].append(storm(args.bin, fresh, n))
                wait_for(lambda: lum.connections() == 0, 60, "the connections to end")
            for rep in range(STORM_REPEATS):
                r["storm"].append(storm(args.bin, ["--port", str(lum.port)] + names, n))
                wait_for(lambda: lum.connections() == 0, 60, "the connections to end")

            run = SimRun(args.bin, ["--port", str(lum.port), "--count", str(n), "--alive-ms", "1000",
                                    "--timeout", "120", "--stay", "3600", "--no-respond",
                                    "--stagger", str(STAGGER_MS)] + names)
            try:
                r["login_ms"] = all_logged_in(run, n, 120)
                time.sleep(1)  # let the last MAC reports and online rows settle
                rss, uss = memory_kb([pid])
                r["rss_per_player_kb"] = (rss - base_rss) / n
                r["uss_per_player_kb"] = (uss - base_uss) / n
                r["threads"] = threads_of(pid)

                # Idle: the players only send ALIVE once a second; their round trips are sampled.
                alive_before = len(run.of("alive"))
                c0 = cpu_seconds([pid])
                time.sleep(args.idle_seconds)
                r["idle_cpu_pct"] = (cpu_seconds([pid]) - c0) / args.idle_seconds * 100
                rtts = [e["ms"] for e in run.of("alive")[alive_before:]]
                r["alive_samples"] = len(rtts)
                r["alive_p50_ms"] = percentile(rtts, 50)
                r["alive_p99_ms"] = percentile(rtts, 99)

                # Fan-out: index 20 is a volume line (622), which the players only print.
                lat = []
                for k in range(1, args.fanout_repeats + 1):
                    t0 = time.time() * 1000.0
                    out = lum.lumctl("send", "20", "--all")
                    if f"delivered {n}" not in out:
                        raise RuntimeError(f"send reached fewer players: {out}")
                    wait_for(lambda: len(run.of("command")) >= n * k, 30, "the command at every player")
                    arrivals = run.of("command")[n * (k - 1):n * k]
                    lat.append(max(e["t"] for e in arrivals) - t0)
                r["fanout_samples"] = len(lat)
                r["fanout_p50_ms"] = percentile(lat, 50)
                r["fanout_p99_ms"] = percentile(lat, 99)
            finally:
                run.stop()
            wait_for(lambda: lum.connections() == 0, 60, "the connections to end")

            # ALIVE in bursts: every player logged in at the same instant, so each second's
            # ALIVEs arrive together (as after a reconnect storm).
            burst = SimRun(args.bin, ["--port", str(lum.port), "--count", str(n), "--alive-ms", "1000",
                                      "--timeout", "120", "--stay", "3600", "--no-respond"] + names)
            try:
                all_logged_in(burst, n, 120)
                time.sleep(1)
                before = len(burst.of("alive"))
                time.sleep(args.idle_seconds)
                rtts = [e["ms"] for e in burst.of("alive")[before:]]
                r["alive_burst_p50_ms"] = percentile(rtts, 50)
                r["alive_burst_p99_ms"] = percentile(rtts, 99)
            finally:
                burst.stop()
            wait_for(lambda: lum.connections() == 0, 60, "the connections to end")

            # Every player fetches the 10 MB file at once (the staying players are gone: the
            # console admits 100 connections).
            dl = SimRun(args.bin, ["--port", str(lum.port), "--count", str(n), "--alive", "0",
                                   "--timeout", "120", "--fetch", FILE_NAME, "--stagger", str(STAGGER_MS)] + names)
            rc = dl.wait_exit(900)
            if rc != 0:
                raise RuntimeError(f"downloads failed: {dl.failures()}")
            r.update(throughput(dl, n, file_size))
            wait_for(lambda: lum.connections() == 0, 60, "the connections to end")
            results["counts"][n] = r
            log(f"LUM {n}: {json.dumps(r)}")
    finally:
        lum.stop()
    return results


def storm_figures(bin_dir, work, repeats, count=100):
    """Reconnect storms on their own: `count` players all connecting in the same instant,
    `repeats` times with known names and `repeats` times with new ones (each registered)."""
    # Every storm registers its names anew: the share of one address must not refuse them.
    lum = Lum(bin_dir, work, passive_count=20, max_per_address=1000000)
    lum.start()
    out = {"storm": [], "register": []}
    try:
        for rep in range(repeats):
            names = ["--port", str(lum.port), "--name", f"storm-%03d"]
            out["storm"].append(storm(bin_dir, names, count))
            wait_for(lambda: lum.connections() == 0, 60, "the connections to end")
            fresh = ["--port", str(lum.port), "--name", f"fresh{rep}-%03d"]
            out["register"].append(storm(bin_dir, fresh, count))
            wait_for(lambda: lum.connections() == 0, 60, "the connections to end")
    finally:
        lum.stop()
    return out


def accounts_figures(bin_dir, bench_bin, work, accounts=10000, repeats=10):
    """lum-server start-up with `accounts` accounts in users.dat (from starting the process to
    its control port answering), and the store's save and load times."""
    data = os.path.join(work, f"accounts-{accounts}")
    tool = os.path.join(bench_bin, "user_store_bench")
    r = subprocess.run([tool, data, str(accounts), "20"], capture_output=True, text=True, check=True)
    figures = json.loads(r.stdout.strip().splitlines()[-1])
    port = free_port()
    with open(os.path.join(data, "config.ini"), "wb") as f:
        f.write(f"[SERVER]\r\nPORT={port}\r\nPORTSTART={free_range(10)}\r\nPORTNUM=10\r\n".encode())
    starts = []
    for _ in range(repeats):
        t0 = time.perf_counter()
        proc = subprocess.Popen([os.path.join(bin_dir, "lum-server"), "--data-dir", data],
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            def greeted():
                try:
                    with socket.create_connection(("127.0.0.1", port), timeout=1) as c:
                        return c.recv(100).startswith(b"220")
                except OSError:
                    return False
            # Polled every millisecond: the figure is good to about a millisecond.
            deadline = time.time() + 30
            while not greeted():
                if time.time() > deadline or proc.poll() is not None:
                    raise RuntimeError("lum-server did not answer")
                time.sleep(0.001)
            starts.append((time.perf_counter() - t0) * 1000.0)
        finally:
            proc.terminate()
            proc.wait(timeout=60)
    figures["startup_ms_median"] = statistics.median(starts)
    figures["startup_ms_max"] = max(starts)
    figures["startup_runs"] = repeats
    return figures


class AliveProbe:
    """One player of its own (a plain socket on a thread of this script, TCP_NODELAY) that logs
    in and times ALIVE round trips: the server's share of the round trip without the
    simulator's event loop, which serves all of its players at once."""

    def __init__(self, port, name):
        self.sock = socket.create_connection(("127.0.0.1", port), timeout=30)
        self.sock.setsockopt(socket.IPPROTO_TCP, socket.TCP_NODELAY, 1)
        self.reader = self.sock.makefile("rb")
        if not self._line().startswith(b"220"):
            raise RuntimeError("probe: no greeting")
        self._send(f"USER {name}")
        reply = self._line()
        if reply.startswith(b"331"):
            self._send("PASS ")
            reply = self._line()
        if not reply.startswith(b"230"):
            raise RuntimeError(f"probe: login refused: {reply!r}")
        # The online list (and so `--all`) holds a player once it has told its MAC address.
        self._send("ICS_GET_MAC_ADDR 02-4C-55-4D-FF-FE")

    def _send(self, text):
        self.sock.sendall(text.encode() + b"\r\n")

    def _line(self):
        line = self.reader.readline()
        if not line:
            raise RuntimeError("probe: connection closed")
        return line

    def alive_rtts(self, count, spacing):
        out = []
        for _ in range(count):
            t0 = time.perf_counter()
            self._send("ALIVE")
            while not self._line().startswith(b"601"):
                pass  # an operator command that reached this player meanwhile
            out.append((time.perf_counter() - t0) * 1000.0)
            time.sleep(spacing * random.uniform(0.5, 1.5))
        return out

    def close(self):
        self.sock.close()


def latency_figures(bin_dir, work, players=100, seconds=20, repeats=40):
    """Where the ALIVE round trip and the command fan-out at `players` players spend their
    time: the simulator's round trips against a probe of its own, lumctl's own start against
    the whole fan-out, and the spread between the first and the last player reading a line."""
    lum = Lum(bin_dir, work, passive_count=20)
    lum.start()
    out = {}
    pid = lum.proc.pid
    try:
        names = ["--port", str(lum.port), "--name", "lat-%03d"]
        run = SimRun(bin_dir, names + ["--count", str(players - 1), "--alive-ms", "1000",
                                       "--timeout", "120", "--stay", "3600", "--no-respond",
                                       "--stagger", str(STAGGER_MS)])
        try:
            all_logged_in(run, players - 1, 120)
            probe = AliveProbe(lum.port, "lat-probe")
            time.sleep(1)
            before = len(run.of("alive"))
            c0 = cpu_seconds([pid])
            t0 = time.time()
            probe_rtts = probe.alive_rtts(int(seconds / 0.1), 0.1)
            span = time.time() - t0
            out["server_cpu_pct"] = (cpu_seconds([pid]) - c0) / span * 100
            sim_rtts = [e["ms"] for e in run.of("alive")[before:]]
            out["sim_alive"] = {"n": len(sim_rtts), "p50": percentile(sim_rtts, 50),
                                "p99": percentile(sim_rtts, 99), "max": max(sim_rtts)}
            out["probe_alive"] = {"n": len(probe_rtts), "p50": percentile(probe_rtts, 50),
                                  "p99": percentile(probe_rtts, 99), "max": max(probe_rtts)}

            def timed(*args):
                t = time.time() * 1000.0
                text = lum.lumctl(*args)
                return t, time.time() * 1000.0, text

            version = []
            for _ in range(repeats):
                a, b, _ = timed("--version")
                version.append(b - a)
            status = []
            for _ in range(repeats):
                a, b, _ = timed("status")
                status.append(b - a)
            total, first, spread, lumctl_wall = [], [], [], []
            n = players - 1
            for k in range(1, repeats + 1):
                a, b, text = timed("send", "20", "--all")
                if f"delivered {players}" not in text:
                    raise RuntimeError(f"send reached fewer players: {text}")
                wait_for(lambda: len(run.of("command")) >= n * k, 30, "the command at every player")
                arrivals = [e["t"] for e in run.of("command")[n * (k - 1):n * k]]
                total.append(max(arrivals) - a)
                first.append(min(arrivals) - a)
                spread.append(max(arrivals) - min(arrivals))
                lumctl_wall.append(b - a)
            probe.close()

            def stats(v):
                return {"p50": percentile(v, 50), "p99": percentile(v, 99), "max": max(v)}
            out["lumctl_version_ms"] = stats(version)
            out["lumctl_status_ms"] = stats(status)
            out["fanout_total_ms"] = stats(total)
            out["fanout_first_ms"] = stats(first)
            out["fanout_spread_ms"] = stats(spread)
            out["fanout_lumctl_wall_ms"] = stats(lumctl_wall)
        finally:
            run.stop()
    finally:
        lum.stop()
    out["players"] = players
    return out


# --- vsftpd ---------------------------------------------------------------------------------

def vsftpd_binary(cache):
    """(binary, library folder or None, package version); fetches and unpacks the Debian
    package when vsftpd is not on this system."""
    for path in (shutil.which("vsftpd"), "/usr/sbin/vsftpd"):
        if path and os.access(path, os.X_OK):
            q = subprocess.run(["dpkg-query", "-W", "-f=${Version}", "vsftpd"], capture_output=True,
                               text=True)
            return path, None, q.stdout.strip() or "installed"
    root = os.path.join(cache, "vsftpd-root")
    binary = os.path.join(root, "usr", "sbin", "vsftpd")
    debs = os.path.join(cache, "debs")
    if not os.path.exists(binary):
        os.makedirs(debs, exist_ok=True)
        packages = ["vsftpd"]
        # Its libraries that this system lacks come along; nothing is installed system-wide.
        for lib in ("libwrap0",):
            st = subprocess.run(["dpkg-query", "-W", "-f=${Status}", lib], capture_output=True, text=True)
            if "install ok installed" not in st.stdout:
                packages.append(lib)
        log(f"fetching {' '.join(packages)} with apt-get download")
        subprocess.run(["apt-get", "download"] + packages, cwd=debs, check=True,
                       stdout=subprocess.DEVNULL)
        for deb in os.listdir(debs):
            if deb.endswith(".deb"):
                subprocess.run(["dpkg-deb", "-x", os.path.join(debs, deb), root], check=True)
    version = "unpacked"
    for deb in sorted(os.listdir(debs)):
        if deb.startswith("vsftpd_") and deb.endswith(".deb"):
            version = subprocess.run(["dpkg-deb", "-f", os.path.join(debs, deb), "Version"],
                                     capture_output=True, text=True).stdout.strip()
    return binary, os.path.join(root, "usr", "lib", "x86_64-linux-gnu"), version


class Vsftpd:
    def __init__(self, work, binary, libdir, file_size, rate=0):
        self.dir = os.path.join(work, f"vsftpd-{rate}")
        os.makedirs(self.dir)
        os.chmod(work, 0o755)
        os.chmod(self.dir, 0o755)
        self.root = os.path.join(self.dir, "root")
        empty = os.path.join(self.dir, "empty")
        os.makedirs(self.root)
        os.makedirs(empty)
        # Copies that an unprivileged user can read (the cache may live in a private home).
        os.makedirs(os.path.join(self.dir, "bin"))
        self.binary = os.path.join(self.dir, "bin", "vsftpd")
        shutil.copy2(binary, self.binary)
        self.libdir = None
        if libdir and os.path.isdir(libdir):
            self.libdir = os.path.join(self.dir, "lib")
            shutil.copytree(libdir, self.libdir, symlinks=True)
        with open(os.path.join(self.root, FILE_NAME), "wb") as f:
            f.write(os.urandom(file_size))
        self.port = free_port()
        passive = free_range(200)
        self.conf = os.path.join(self.dir, "vsftpd.conf")
        with open(self.conf, "w") as f:
            f.write("\n".join([
                "listen=YES", "listen_ipv6=NO", "listen_address=127.0.0.1", f"listen_port={self.port}",
                "background=NO", "run_as_launching_user=YES",
                "anonymous_enable=YES", "no_anon_password=YES", f"anon_root={self.root}",
                "local_enable=NO", "write_enable=NO",
                "pasv_enable=YES", f"pasv_min_port={passive}", f"pasv_max_port={passive + 199}",
                "max_clients=2000", "max_per_ip=2000", "seccomp_sandbox=NO",
                f"secure_chroot_dir={empty}", "xferlog_enable=NO", "dirmessage_enable=NO",
                "isolate=NO", "isolate_network=NO", "idle_session_timeout=3600",
                f"anon_max_rate={rate}", f"ftp_username={self.run_user_name()}", ""]))
        for root, dirs, files in os.walk(self.dir):
            for d in dirs:
                os.chmod(os.path.join(root, d), 0o755)
            for fn in files:
                p = os.path.join(root, fn)
                if not os.path.islink(p):
                    os.chmod(p, 0o755 if "bin" in root or ".so" in fn else 0o644)
        self.user = None
        if os.geteuid() == 0:
            self.user = pwd.getpwnam("nobody")
            # vsftpd reads only a configuration file owned by the user it runs as.
            os.chown(self.conf, self.user.pw_uid, self.user.pw_gid)
        self.proc = None

    @staticmethod
    def run_user_name():
        return "nobody" if os.geteuid() == 0 else pwd.getpwuid(os.geteuid()).pw_name

    def start(self):
        env = dict(os.environ)
        if self.libdir:
            env["LD_LIBRARY_PATH"] = self.libdir
        cmd = [self.binary, self.conf]
        if self.user:
            cmd = ["setpriv", f"--reuid={self.user.pw_uid}", f"--regid={self.user.pw_gid}",
                   "--clear-groups"] + cmd
        self.log = open(os.path.join(self.dir, "vsftpd.out"), "w")
        self.proc = subprocess.Popen(cmd, env=env, stdout=self.log, stderr=subprocess.STDOUT,
                                     cwd=self.dir)

        def up():
            try:
                with socket.create_connection(("127.0.0.1", self.port), timeout=1) as s:
                    return s.recv(100).startswith(b"220")
            except OSError:
                return False
        wait_for(up, 30, "vsftpd to listen")
        time.sleep(0.5)  # the probe's session ends

    def pids(self):
        return proc_tree(self.proc.pid)

    def stop(self):
        if self.proc and self.proc.poll() is None:
            for p in reversed(self.pids()):
                try:
                    os.kill(p, 15)
                except OSError:
                    pass
            self.proc.wait(timeout=30)
        self.log.close()


def ftp_args(port, n, name):
    return ["--ftp", "--port", str(port), "--name", "anonymous", "--same-name", "--password",
            f"{name}@bench", "--count", str(n), "--alive", "0", "--timeout", "120"]


def measure_vsftpd(args, work, file_size):
    binary, libdir, version = vsftpd_binary(args.cache)
    results = {"version": f"{version} (Debian package)", "counts": {}, "capped": {}}
    ftpd = Vsftpd(work, binary, libdir, file_size)
    ftpd.start()
    try:
        base_rss, base_uss = memory_kb(ftpd.pids())
        results["base_rss_kb"] = base_rss
        for n in args.counts:
            r = {}
            r["storm"] = []
            for rep in range(STORM_REPEATS):
                r["storm"].append(storm(args.bin, ftp_args(ftpd.port, n, "storm")[:-6], n))
                wait_for(lambda: len(ftpd.pids()) == 1, 60, "vsftpd sessions to end")
            run = SimRun(args.bin, ftp_args(ftpd.port, n, "stay") +
                         ["--stay", "3600", "--stagger", str(STAGGER_MS)])
            try:
                r["login_ms"] = all_logged_in(run, n, 120)
                time.sleep(1)
                pids = ftpd.pids()
                rss, uss = memory_kb(pids)
                r["processes"] = len(pids)
                r["rss_per_player_kb"] = (rss - base_rss) / n
                r["uss_per_player_kb"] = (uss - base_uss) / n
                c0 = cpu_seconds(pids)
                time.sleep(args.idle_seconds)
                r["idle_cpu_pct"] = (cpu_seconds(ftpd.pids()) - c0) / args.idle_seconds * 100
            finally:
                run.stop()
            wait_for(lambda: len(ftpd.pids()) == 1, 60, "vsftpd sessions to end")
            dl = SimRun(args.bin, ftp_args(ftpd.port, n, "dl") + ["--fetch", FILE_NAME, "--stagger", str(STAGGER_MS)])
            if dl.wait_exit(900) != 0:
                raise RuntimeError(f"vsftpd downloads failed: {dl.failures()}")
            r.update(throughput(dl, n, file_size))
            wait_for(lambda: len(ftpd.pids()) == 1, 60, "vsftpd sessions to end")
            results["counts"][n] = r
            log(f"vsftpd {n}: {json.dumps(r)}")
    finally:
        ftpd.stop()

    # The same downloads with vsftpd's per-session rate limit at LUM's ceiling
    # (4096 bytes per 5 ms pause is at most 800 KiB/s).
    capped = Vsftpd(work, binary, libdir, file_size, rate=819200)
    capped.start()
    try:
        for n in args.counts:
            dl = SimRun(args.bin, ftp_args(capped.port, n, "cap") + ["--fetch", FILE_NAME, "--stagger", str(STAGGER_MS)])
            if dl.wait_exit(900) != 0:
                raise RuntimeError(f"vsftpd capped downloads failed: {dl.failures()}")
            results["capped"][n] = throughput(dl, n, file_size)
            wait_for(lambda: len(capped.pids()) == 1, 60, "vsftpd sessions to end")
            log(f"vsftpd capped {n}: {json.dumps(results['capped'][n])}")
    finally:
        capped.stop()
    return results


# --- report ---------------------------------------------------------------------------------

def fmt(v, digits=1):
    if v is None:
        return "–"
    return f"{v:.{digits}f}"


def write_results(path, m, lum, ftp, args, started, finished):
    counts = args.counts
    head = "| measure | " + " | ".join(f"LUM {n}" for n in counts) + " | " + \
           " | ".join(f"vsftpd {n}" for n in counts) + " |"
    sep = "|---|" + "---:|" * (2 * len(counts))

    def row(label, key, digits=1, lum_only=False, src_ftp=None):
        cells = [fmt(lum["counts"][n].get(key), digits) for n in counts]
        f = src_ftp if src_ftp is not None else ftp["counts"]
        cells += ["n/a" if lum_only else fmt(f[n].get(key), digits) for n in counts]
        return f"| {label} | " + " | ".join(cells) + " |"

    def storm_cell(r, key):
        runs = r[key]
        if all(ms is not None for ms, _ in runs):
            times = [ms for ms, _ in runs]
            return f"{fmt(statistics.median(times))} ({fmt(min(times))}–{fmt(max(times))})"
        return "got in: " + ", ".join(str(got) for _, got in runs) + f" of {r['n']}"

    def storm_row(label, key, lum_only=False):
        cells = [storm_cell(dict(lum["counts"][n], n=n), key) for n in counts]
        cells += ["n/a" if lum_only else storm_cell(dict(ftp["counts"][n], n=n), key) for n in counts]
        return f"| {label} | " + " | ".join(cells) + " |"

    lines = [
        f"One run of `bench/run_bench.py` from {started} to {finished} (UTC). The figures are for "
        "the record; no test asserts a time. Players are `lum-player-sim` processes on the same "
        "machine (one event loop for all players of a run), so client and server share the CPUs.",
        "",
        "## Machine",
        "",
        "| | |",
        "|---|---|",
        f"| CPUs (nproc) | {m['nproc']} |",
        f"| CPU model | {m['cpu']} |",
        f"| memory | {m['memory']} |",
        f"| kernel | {m['kernel']} |",
        f"| system | {m['os']} |",
        f"| load average at start | {m['load']} |",
        f"| vsftpd | {ftp['version']} |",
        "",
        "## Figures",
        "",
        f"Players: {', '.join(map(str, counts))}. Throughput: every player fetches the same "
        f"{args.file_mb} MB file at once (connections {STAGGER_MS} ms apart); aggregate = all bytes / "
        "(last end − first start).",
        "",
        head,
        sep,
        storm_row("time until all logged in, all at once, new accounts (ms)", "register", True),
        storm_row("time until all logged in, all at once (ms)", "storm"),
        row(f"time until all logged in, connections {STAGGER_MS} ms apart (ms)", "login_ms"),
        row("ALIVE round trip p50 (ms)", "alive_p50_ms", 2, lum_only=True),
        row("ALIVE round trip p99 (ms)", "alive_p99_ms", 2, lum_only=True),
        row("ALIVE round trip in bursts p50 (ms)", "alive_burst_p50_ms", 2, lum_only=True),
        row("ALIVE round trip in bursts p99 (ms)", "alive_burst_p99_ms", 2, lum_only=True),
        row("command fan-out p50 (ms)", "fanout_p50_ms", 1, lum_only=True),
        row("command fan-out p99 (ms)", "fanout_p99_ms", 1, lum_only=True),
        row("aggregate download (MB/s)", "aggregate_MBps", 2),
        row("per-player download (MB/s)", "per_player_MBps", 2),
        row("download span (s)", "span_s", 2),
        "| aggregate download, vsftpd at 800 KiB/s per session (MB/s) | " +
        " | ".join("–" for _ in counts) + " | " +
        " | ".join(fmt(ftp["capped"][n]["aggregate_MBps"], 2) for n in counts) + " |",
        "| per-player download, vsftpd at 800 KiB/s per session (MB/s) | " +
        " | ".join("–" for _ in counts) + " | " +
        " | ".join(fmt(ftp["capped"][n]["per_player_MBps"], 2) for n in counts) + " |",
        row("memory per player, RSS (KiB)", "rss_per_player_kb", 0),
        row("memory per player, anonymous (KiB)", "uss_per_player_kb", 0),
        row("server CPU while idle (% of one CPU)", "idle_cpu_pct", 2),
        "",
        f"Idle server without players: LUM {fmt(lum['idle_cpu_no_players_pct'], 2)} % CPU, "
        f"RSS {lum['base_rss_kb']} KiB; vsftpd listener RSS {ftp['base_rss_kb']} KiB. "
        f"lum-server threads with {counts[-1]} players: {lum['counts'][counts[-1]].get('threads')}; "
        f"vsftpd processes with {counts[-1]} sessions: {ftp['counts'][counts[-1]].get('processes')}.",
        "",
        f"With {lum['accounts']['accounts']:,} accounts in users.dat ({lum['accounts']['bytes']:,} bytes): "
        f"lum-server start-up {fmt(lum['accounts']['startup_ms_median'])} ms median "
        f"(worst {fmt(lum['accounts']['startup_ms_max'])} ms of {lum['accounts']['startup_runs']}), "
        f"users.dat save {fmt(lum['accounts']['save_ms_median'], 2)} ms median "
        f"(worst {fmt(lum['accounts']['save_ms_max'], 2)} ms), load {fmt(lum['accounts']['load_ms_median'], 2)} ms.",
        "",
        "## How each figure is taken",
        "",
        "- Time until all logged in: from the simulator starting its players to the last `230` "
        f"reply. All at once: every connection starts in the same instant (a reconnect storm), "
        f"{STORM_REPEATS} runs, median (min–max), or how many got in when some never did; "
        "LUM first with names it does not know yet (each is registered in group Home and the "
        "account store is written), then again with the same, now known, names. When the listen "
        "backlog overflows, a refused SYN is retried by the kernel after a second, and a "
        f"connection may hang un-greeted; hence also a run with connections {STAGGER_MS} ms apart "
        "(the spread itself is part of that figure). vsftpd sessions log in as `anonymous`; the "
        "simulator sends `TYPE I` after the `230`, outside the timing.",
        f"- ALIVE round trip: every player sends `ALIVE` once a second for {args.idle_seconds} s, "
        f"each on its own second (logins {STAGGER_MS} ms apart, precise timers); the time from "
        "the line leaving to `601 Server ALIVE Ack` arriving. In bursts: the players logged in at "
        "the same instant, so every second all their ALIVEs arrive together.",
        f"- Command fan-out: {args.fanout_repeats} times `lumctl send 20 --all` (a volume line, "
        "code 622); from starting lumctl (its process start and the operator socket included) to "
        "the last player reading the line, on the wall clock of the one machine.",
        "- Memory per player: growth of the server's resident set (RSS) and of its anonymous "
        "memory (heap, stacks, pages copied after fork; the proportional count of anonymous pages "
        "summed over the server's processes, so each page counts once) over the idle server, "
        "divided by the players, one second after the last login. vsftpd runs one process per "
        "session; its RSS counts the shared library pages once per process, so the anonymous "
        "figure is the fairer comparison. Kernel memory (socket buffers, thread stacks in the "
        "kernel, page tables) is in neither.",
        f"- Server CPU while idle: user + system time over {args.idle_seconds} s while the players "
        "are connected and only keep alive (LUM players send ALIVE every second; vsftpd sessions "
        "send nothing).",
        "- Downloads: LUM sends 4096-byte pieces with a 5 ms pause after each (at most about "
        "800 KiB/s per player); vsftpd sends without a limit, and again with "
        "`anon_max_rate=819200` for a like-for-like ceiling.",
        "- Start-up with 10,000 accounts: `build/bench/bin/user_store_bench` writes a data folder "
        "whose users.dat holds 10,000 accounts in 10 groups and times the store's whole-file save "
        "and its load (20 each, median and worst); lum-server is then started on that folder 10 "
        "times, each from starting the process to its control port answering `220` (polled every "
        "millisecond).",
        "- vsftpd: Debian's package, its own instance on a free loopback port with its own "
        "configuration file (anonymous, read-only, passive ports on a free range), running as an "
        "unprivileged user (`run_as_launching_user`); no system service is touched.",
        "",
    ]
    results_file.replace_section(path, "bench", "\n".join(lines))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--bin", default=os.path.join(REPO, "build", "bin"), help="built executables")
    ap.add_argument("--out", default=os.path.join(HERE, "RESULTS.md"))
    ap.add_argument("--counts", default="1,10,100", help="player counts (at most 100)")
    ap.add_argument("--file-mb", type=int, default=10)
    ap.add_argument("--idle-seconds", type=int, default=15)
    ap.add_argument("--fanout-repeats", type=int, default=20)
    ap.add_argument("--cache", default=os.path.join(os.path.expanduser("~"), ".cache", "lum-bench"))
    ap.add_argument("--bench-bin", default=os.path.join(REPO, "build", "bench", "bin"),
                    help="built benchmark tools (user_store_bench)")
    ap.add_argument("--json", help="also write the raw figures to this file")
    ap.add_argument("--only", choices=["storm", "accounts", "latency"],
                    help="measure only this and print its figures as JSON (RESULTS.md untouched)")
    ap.add_argument("--storm-repeats", type=int, default=10)
    args = ap.parse_args()
    args.counts = [int(x) for x in args.counts.split(",")]
    if max(args.counts) > 100:
        ap.error("the console admits at most 100 connections")
    for exe in ("lum-server", "lumctl", "lum-player-sim"):
        if not os.access(os.path.join(args.bin, exe), os.X_OK):
            ap.error(f"{exe} is not built in {args.bin}")

    if args.only:
        work = tempfile.mkdtemp(prefix="lum-bench-")
        try:
            if args.only == "storm":
                out = storm_figures(args.bin, work, args.storm_repeats)
            elif args.only == "latency":
                out = latency_figures(args.bin, work)
            else:
                out = accounts_figures(args.bin, args.bench_bin, work)
        finally:
            shutil.rmtree(work, ignore_errors=True)
        out["machine"] = machine()
        print(json.dumps(out))
        if args.json:
            with open(args.json, "w") as f:
                json.dump(out, f, indent=1)
        return

    file_size = args.file_mb * 1000 * 1000
    started = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M")
    m = machine()
    work = tempfile.mkdtemp(prefix="lum-bench-")
    try:
        lum = measure_lum(args, work, file_size)
        lum["accounts"] = accounts_figures(args.bin, args.bench_bin, work)
        ftp = measure_vsftpd(args, work, file_size)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    finished = datetime.datetime.now(datetime.timezone.utc).strftime("%Y-%m-%d %H:%M")
    write_results(args.out, m, lum, ftp, args, started, finished)
    if args.json:
        with open(args.json, "w") as f:
            json.dump({"machine": m, "lum": lum, "vsftpd": ftp}, f, indent=1)
    log(f"written {args.out}")


if __name__ == "__main__":
    main()
