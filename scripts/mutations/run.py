#!/usr/bin/env python3
"""Mutation runner: applies single-line faults one at a time, rebuilds, runs CTest, restores.

Mutations file format (blocks separated by blank lines; '#' lines are comments):

    id: M01
    file: src/core/search/change_utf.cpp
    find: exact text that occurs exactly once in the file (may be part of a line)
    replace: the replacement text
    note: optional free text

'find'/'replace' values run to the end of the line; one space after the colon is dropped.
A literal value may be written as `find= ...` / `replace= ...` to keep leading spaces verbatim.

Results go to a TSV (id, file, status, seconds, failing tests, note). Statuses:
CAUGHT, SURVIVED, BUILD-FAIL, N/A, ERROR. The run is resumable: ids already in the TSV are
skipped (use --redo ID to run one again). Each mutated file is restored in a finally block;
an in-flight marker next to the TSV restores a file left mutated by a killed run.
"""
import argparse
import json
import os
import re
import resource
import shutil
import subprocess
import sys
import time

KEYS = ("id", "file", "find", "replace", "note")


def parse_mutations(path):
    muts, cur = [], {}
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.rstrip("\n")
            if not line.strip():
                if cur:
                    muts.append(cur)
                    cur = {}
                continue
            if line.startswith("#"):
                continue
            m = re.match(r"^(\w+)([:=])(.*)$", line)
            if not m or m.group(1) not in KEYS:
                raise SystemExit(f"{path}: bad line: {line!r}")
            key, sep, val = m.groups()
            if sep == ":" and val.startswith(" "):
                val = val[1:]
            cur[key] = val
    if cur:
        muts.append(cur)
    seen = set()
    for m in muts:
        for k in ("id", "file", "find", "replace"):
            if k not in m:
                raise SystemExit(f"{path}: mutation {m.get('id', '?')} lacks '{k}'")
        if m["id"] in seen:
            raise SystemExit(f"{path}: duplicate id {m['id']}")
        seen.add(m["id"])
    return muts


def run(cmd, cwd=None, timeout=None, mem_limit_mb=0):
    def limit():  # inherited by CTest and every test it starts
        if mem_limit_mb > 0:
            cap = mem_limit_mb * 1024 * 1024
            resource.setrlimit(resource.RLIMIT_AS, (cap, cap))

    p = subprocess.run(cmd, cwd=cwd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                       text=True, errors="replace", timeout=timeout, start_new_session=True,
                       preexec_fn=limit)
    return p.returncode, p.stdout


def git_clean(repo, rel):
    rc, _ = run(["git", "-C", repo, "diff", "--quiet", "HEAD", "--", rel])
    return rc == 0


def restore(repo, rel, original, was_clean):
    path = os.path.join(repo, rel)
    if was_clean:
        run(["git", "-C", repo, "checkout", "--", rel])
    with open(path, "rb") as f:
        now = f.read()
    if now != original:  # dirty tree, or checkout failed: put the saved bytes back
        with open(path, "wb") as f:
            f.write(original)


def failing_tests(output):
    fails, in_list = [], False
    for line in output.splitlines():
        if "The following tests FAILED" in line:
            in_list = True
            continue
        if in_list:
            m = re.match(r"^\s*\d+\s+-\s+(\S+)\s+\((.*)\)", line)
            if m:
                fails.append(m.group(1) if m.group(2) == "Failed" else f"{m.group(1)}[{m.group(2)}]")
            elif line.strip() and not line.startswith("\t"):
                in_list = False
    return fails


def build(args):
    return run(["cmake", "--build", args.build, f"-j{args.jobs}"], timeout=args.build_timeout)


def ctest(args):
    return run(["ctest", "--test-dir", args.build, f"-j{args.jobs}", "--timeout", str(args.timeout),
                "--output-on-failure"], timeout=args.timeout * 20 + 60, mem_limit_mb=args.mem_limit_mb)


def configure(args):
    if os.path.exists(os.path.join(args.build, "CMakeCache.txt")):
        return
    print(f"configuring {args.build}", flush=True)
    # The everyday build's settings; ccache, where it is installed, makes each rebuild quick.
    launcher = ["-DCMAKE_CXX_COMPILER_LAUNCHER=ccache"] if shutil.which("ccache") else []
    rc, out = run(["cmake", "-S", args.repo, "-B", args.build, "-DCMAKE_BUILD_TYPE=RelWithDebInfo",
                   "-DVANTREL_BUILD_BENCHMARKS=OFF"] + launcher)
    if rc != 0:
        sys.exit("configure failed:\n" + out[-3000:])


def load_done(out):
    done = {}
    if os.path.exists(out):
        with open(out, encoding="utf-8") as f:
            for line in f:
                cols = line.rstrip("\n").split("\t")
                if cols and cols[0] != "id":
                    done[cols[0]] = cols
    return done


def write_row(out, row):
    new = not os.path.exists(out)
    with open(out, "a", encoding="utf-8") as f:
        if new:
            f.write("id\tfile\tstatus\tseconds\tfailing_tests\tnote\n")
        f.write("\t".join(str(c).replace("\t", " ").replace("\n", " ") for c in row) + "\n")
        f.flush()
        os.fsync(f.fileno())


def rewrite_without(out, ids):
    with open(out, encoding="utf-8") as f:
        lines = f.readlines()
    with open(out, "w", encoding="utf-8") as f:
        f.writelines(l for l in lines if l.split("\t", 1)[0] not in ids)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--repo", required=True)
    ap.add_argument("--build", help="build dir (default <repo>/build-mut); configured once if absent")
    ap.add_argument("--mutations", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "mutations.txt"))
    ap.add_argument("--out", required=True, help="results TSV (appended to; resumable)")
    ap.add_argument("--logs", help="per-mutation logs (default <out>.logs/)")
    ap.add_argument("--only", nargs="*", help="run only these ids")
    ap.add_argument("--redo", nargs="*", default=[], help="drop these ids from the TSV and run them again")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--timeout", type=int, default=120, help="per-test CTest time-out (s)")
    ap.add_argument("--build-timeout", type=int, default=1800)
    ap.add_argument("--mem-limit-mb", type=int, default=4096,
                    help="address-space cap of each test process (a mutant may loop allocating); 0: none")
    ap.add_argument("--check-only", action="store_true", help="only check each 'find' occurs once")
    args = ap.parse_args()
    args.repo = os.path.abspath(args.repo)
    args.build = os.path.abspath(args.build or os.path.join(args.repo, "build-mut"))
    args.out = os.path.abspath(args.out)
    logs = os.path.abspath(args.logs or args.out + ".logs")
    inflight = args.out + ".inflight.json"

    muts = parse_mutations(args.mutations)
    if args.check_only:
        bad = 0
        for m in muts:
            p = os.path.join(args.repo, m["file"])
            n = open(p, encoding="utf-8").read().count(m["find"]) if os.path.exists(p) else -1
            if n != 1:
                bad += 1
                print(f"{m['id']}: {m['file']}: found {n} times")
        print(f"{len(muts)} mutations, {bad} not applicable")
        return

    # A run killed mid-mutation leaves the marker: put that file back first.
    if os.path.exists(inflight):
        with open(inflight, encoding="utf-8") as f:
            st = json.load(f)
        print(f"restoring {st['file']} left mutated by an interrupted run ({st['id']})", flush=True)
        restore(args.repo, st["file"], bytes.fromhex(st["original"]), st["was_clean"])
        os.remove(inflight)

    os.makedirs(logs, exist_ok=True)
    if args.redo and os.path.exists(args.out):
        rewrite_without(args.out, set(args.redo))
    done = load_done(args.out)
    todo = [m for m in muts if m["id"] not in done and (not args.only or m["id"] in args.only)]
    print(f"{len(muts)} mutations, {len(done)} already done, {len(todo)} to run", flush=True)
    if not todo:
        return

    configure(args)
    # The unmutated tree must build; tests failing already are not counted as catches.
    t0 = time.time()
    rc, out = build(args)
    if rc != 0:
        sys.exit("unmutated tree does not build:\n" + out[-3000:])
    rc, out = ctest(args)
    base_fail = set(failing_tests(out))
    with open(os.path.join(logs, "_unmutated.log"), "w") as f:
        f.write(out)
    print(f"unmutated: build+test {time.time() - t0:.0f}s, failing already: {sorted(base_fail) or 'none'}",
          flush=True)

    for i, m in enumerate(todo, 1):
        mid, rel = m["id"], m["file"]
        path = os.path.join(args.repo, rel)
        t0 = time.time()
        prefix = f"[{i}/{len(todo)}] {mid} {rel}"
        if not os.path.exists(path):
            write_row(args.out, [mid, rel, "N/A", 0, "", "file missing"])
            print(f"{prefix}: N/A (file missing)", flush=True)
            continue
        with open(path, "rb") as f:
            original = f.read()
        text = original.decode("utf-8")
        n = text.count(m["find"])
        if n != 1:
            write_row(args.out, [mid, rel, "N/A", 0, "", f"found {n} times"])
            print(f"{prefix}: N/A (found {n} times)", flush=True)
            continue
        was_clean = git_clean(args.repo, rel)
        status, fails, log = "ERROR", [], ""
        try:
            with open(inflight, "w", encoding="utf-8") as f:
                json.dump({"id": mid, "file": rel, "original": original.hex(), "was_clean": was_clean}, f)
            with open(path, "wb") as f:
                f.write(text.replace(m["find"], m["replace"]).encode("utf-8"))
            rc, log = build(args)
            if rc != 0:
                status = "BUILD-FAIL"
            else:
                rc, tlog = ctest(args)
                log += "\n===== ctest =====\n" + tlog
                fails = [t for t in failing_tests(tlog) if t.split("[")[0] not in base_fail]
                if fails:
                    status = "CAUGHT"
                elif rc != 0 and not failing_tests(tlog):
                    status, fails = "ERROR", ["ctest rc=%d" % rc]
                else:
                    status = "SURVIVED"
        except subprocess.TimeoutExpired as e:
            status, fails = "ERROR", [f"timeout: {' '.join(e.cmd[:2])}"]
        except Exception as e:  # noqa: BLE001 - recorded, the run goes on
            status, fails = "ERROR", [repr(e)]
        finally:
            restore(args.repo, rel, original, was_clean)
            if os.path.exists(inflight):
                os.remove(inflight)
        with open(os.path.join(logs, f"{mid}.log"), "w") as f:
            f.write(log)
        secs = round(time.time() - t0)
        write_row(args.out, [mid, rel, status, secs, ",".join(fails), m.get("note", "")])
        print(f"{prefix}: {status} {secs}s {','.join(fails)}", flush=True)

    # Leave the build tree matching the restored sources.
    build(args)


if __name__ == "__main__":
    main()
