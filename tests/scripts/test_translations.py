#!/usr/bin/env python3
"""The English translation against the code: every text the code marks is in
translations/vendrel_en.ts and translated, nothing there is left over, and
each translation keeps its source's arguments, accelerator and the blanks at
its ends (texts that are joined to others need them)."""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path


def messages(path):
    found = {}
    for context in ET.parse(path).getroot().iter("context"):
        name = context.findtext("name")
        for m in context.iter("message"):
            t = m.find("translation")
            found[(name, m.findtext("source"))] = (t.text or "", t.get("type"))
    return found


def faults(source, translation, kind):
    if kind in ("unfinished", "obsolete", "vanished") or not translation:
        return "not translated"
    if sorted(re.findall(r"%\d", source)) != sorted(re.findall(r"%\d", translation)):
        return "other arguments"
    accelerator = re.compile(r"&[^&\s]")
    if bool(accelerator.search(source)) != bool(accelerator.search(translation)):
        return "accelerator lost or added"
    for end in (0, -1):
        if source[end].isspace() != translation[end].isspace():
            return "blanks at the ends differ"
    return None


def main(root):
    root = Path(root)
    committed = root / "translations" / "vendrel_en.ts"
    with tempfile.TemporaryDirectory() as tmp:
        fresh = Path(tmp) / "fresh.ts"
        shutil.copy(committed, fresh)
        subprocess.run([str(root / "scripts" / "update-translations.sh"), str(fresh)], check=True)
        now, before = messages(fresh), messages(committed)
    problems = []
    problems += [f"in the code, not in the file: {k}" for k in now.keys() - before.keys()]
    problems += [f"in the file, no longer in the code: {k}" for k in before.keys() - now.keys()]
    for key, (translation, kind) in sorted(before.items()):
        why = faults(key[1], translation, kind)
        if why:
            problems.append(f"{why}: {key} -> {translation!r}")
    for p in problems:
        print(p)
    print(f"{len(before)} texts, {len(problems)} problems")
    return 1 if problems or not before else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
