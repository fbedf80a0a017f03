"""bench/RESULTS.md holds one block per script (benchmark, soak, fuzzing, ...); each script
rewrites only its own block, between marker comments, so the others' figures stay."""

import os

HEAD = "# Benchmark results\n"


def replace_section(path, name, text):
    begin, end = f"<!-- begin {name} -->", f"<!-- end {name} -->"
    block = f"{begin}\n{text.rstrip()}\n{end}\n"
    old = ""
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            old = f.read()
    if not old.startswith(HEAD):
        old = HEAD + "\n" + old
    if begin in old and end in old:
        a = old.index(begin)
        b = old.index(end) + len(end)
        if old[b:b + 1] == "\n":
            b += 1
        new = old[:a] + block + old[b:]
    else:
        new = old.rstrip("\n") + "\n\n" + block
    with open(path + ".tmp", "w", encoding="utf-8") as f:
        f.write(new)
    os.replace(path + ".tmp", path)
