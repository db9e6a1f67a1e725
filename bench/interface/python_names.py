#!/usr/bin/env python3
"""Names per second through the Python module: chapter.names(100_000) with
the chapter's options, best of five runs.

    PYTHONPATH=build/python python3 bench/interface/python_names.py CHAPTER
"""
import sys
import time

import vael


def main(path):
    chapter = vael.Chapter(path)
    best = float("inf")
    for run in range(5):
        start = time.perf_counter()
        names = chapter.names(100_000, seed=run)
        best = min(best, time.perf_counter() - start)
    assert len(names) == 100_000
    print(f"python  {100_000 / best:10.0f} names/s  (chapter.names(100_000), best of 5)")


if __name__ == "__main__":
    main(sys.argv[1])
