#!/usr/bin/env python3
"""Tallies a results TSV of run.py; with two TSVs, lists mutations caught by the first but not the second."""
import sys
from collections import Counter


def load(path):
    rows = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            c = line.rstrip("\n").split("\t")
            if c[0] != "id":
                rows[c[0]] = c
    return rows


a = load(sys.argv[1])
print(sys.argv[1], dict(Counter(r[2] for r in a.values())), "of", len(a))
for r in a.values():
    if r[2] not in ("CAUGHT",):
        print(f"  {r[0]}\t{r[2]}\t{r[1]}\t{r[5] if len(r) > 5 else ''}")
if len(sys.argv) > 2:
    b = load(sys.argv[2])
    print(sys.argv[2], dict(Counter(r[2] for r in b.values())), "of", len(b))
    lost = [i for i, r in a.items() if r[2] == "CAUGHT" and i in b and b[i][2] != "CAUGHT"]
    print("caught before, not after:", lost or "none")
    missing = [i for i, r in a.items() if r[2] == "CAUGHT" and i not in b]
    if missing:
        print("not run in the second:", missing)
