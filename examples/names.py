#!/usr/bin/env python3
"""Names from a chapter through the Python module vael.

    names.py CHAPTER [COUNT [SEED]]

prints COUNT names (default 10) made with the chapter's own options; with a
SEED they are the names `vaelgen -n COUNT --seed SEED CHAPTER` prints.
"""
import sys

import vael


def main(argv):
    if len(argv) < 2:
        print("usage: names.py CHAPTER [COUNT [SEED]]", file=sys.stderr)
        return 2
    count = int(argv[2]) if len(argv) > 2 else 10
    seed = int(argv[3]) if len(argv) > 3 else None
    try:
        chapter = vael.Chapter(argv[1])
    except vael.Error as error:
        print(f"names.py: {error}", file=sys.stderr)
        return 1
    for name in chapter.names(count, seed=seed):
        print(name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
