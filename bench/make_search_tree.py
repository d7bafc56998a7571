#!/usr/bin/env python3
"""Builds the search benchmark's tree: 100 000 files, about 10 % pictures, files at
depth 4 to 6. Deterministic, so every run measures the same tree."""
import os
import random
import sys

def main():
    root = sys.argv[1]
    total = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
    rnd = random.Random(20030614)
    others = ["txt", "dat", "png", "html", "c", "h", "xml", "log", "doc", "mp3", "pdf", "tif"]
    pictures = ["jpg", "JPG", "jpg", "Jpg", "jpeg"]
    leaves = []
    for a in range(10):
        for b in range(10):
            for c in range(10):
                depth = rnd.choice([4, 5, 6])
                parts = [root, "d%d" % a, "sub %d" % b, "f-%d" % c]
                for extra in range(depth - 4):
                    parts.append("deep_%d" % extra)
                leaves.append(os.path.join(*parts))
    per_leaf = total // len(leaves)
    n = 0
    for leaf in leaves:
        os.makedirs(leaf, exist_ok=True)
        for i in range(per_leaf):
            if rnd.random() < 0.10:
                name = "IMG_%06d.%s" % (n, rnd.choice(pictures))
            elif rnd.random() < 0.03:
                name = "README%06d" % n
            else:
                name = "file%06d.%s" % (n, rnd.choice(others))
            with open(os.path.join(leaf, name), "wb") as f:
                f.write(b"x" * (n % 7))
            n += 1
    print(n)

if __name__ == "__main__":
    main()
