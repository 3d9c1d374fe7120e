#!/usr/bin/env python3
"""Draw a reproducible random sample of factual claims for a manual fact-check.

Lists every JSON entry under data/software, data/companies and data/technologies
(sorted paths), draws distinct files with random.Random(seed).sample and picks one
checkable claim in each. The same seed always prints the same sample.

Usage: sample_claims.py SEED [--count N] [--data DIR]
"""

import argparse
import json
import random
import re
import sys
from pathlib import Path

FOLDERS = ("software", "companies", "technologies")
MAX_LEN = 300

# Fields that state a checkable fact. A pattern matches a dotted path in which
# list positions are written as [].
FACT_FIELDS = [
    r"vendor",
    r"currentVersion",
    r"releaseDate",
    r"founded",
    r"headquarters",
    r"country",
    r"parentCompany",
    r"currentEdition",
    r"maintainer",
    r"formerNames\.\[\]",
    r"products\.\[\]",
    r"basicInfo\.(ceo|revenue|employees)",
    r"stockInfo\.(exchange|symbol)",
    r"acquisitionInfo\.(acquiredBy|acquirer|acquisitionDate|date)",
    r"licensing\.type",
    r"licensing\.models\.\[\]",
    r"technicalSpecs\.(platform|kernel|programmingAPI|modelingTechniques)\.\[\]",
    r"technicalSpecs\.fileFormats\.(native|import|export)\.\[\]",
    r"technicalSpecs\.hardwareRequirements\.[^.]+",
    r"features\.(core|advanced|modules)\.\[\]",
    r"fileExtensions\.\[\]",
    r"technicalDetails\.(platforms|fileFormats|nativeFormats|geometryKernels)\.\[\]",
    r"technicalDetails\.license",
    r"supportedBy\.(readAndWrite|readOnly|writeOnly)\.\[\]",
    r"usedBy\.\[\]",
    r"implementations\.[^.]+",
    r"representativeLibraries\.[^.]+",
]
FACT_RE = re.compile("^(?:" + "|".join(FACT_FIELDS) + ")$")

# Lists of records whose items are one claim each: the event together with its date.
RECORD_LISTS = {
    "history": ("year", "event"),
    "acquisitions": ("date", "target"),
    "divestitures": ("announced", "business"),
}


def record_claim(item, keys):
    """'2015: Foo acquired' for a dated record, or None when either part is empty."""
    when, what = (item.get(k) for k in keys)
    if not what and keys[1] == "target":
        what = item.get("targetCompany")
    if not when or not what:
        return None
    return f"{when}: {what}"


def leaf_claims(value, path, pattern):
    """(display path, value) for every non-empty leaf whose pattern path is a fact field."""
    if isinstance(value, dict):
        for key, child in value.items():
            yield from leaf_claims(child, path + [key], pattern + [key])
    elif isinstance(value, list):
        for i, child in enumerate(value):
            yield from leaf_claims(child, path + [f"[{i}]"], pattern + ["[]"])
    elif isinstance(value, (str, int, float)) and not isinstance(value, bool):
        text = str(value).strip()
        if text and len(text) <= MAX_LEN and FACT_RE.match(".".join(pattern)):
            yield display_path(path), text


def display_path(parts):
    out = ""
    for p in parts:
        out += p if p.startswith("[") or not out else "." + p
    return out


def claims_of(entry):
    claims = []
    for key, value in entry.items():
        if key in RECORD_LISTS and isinstance(value, list):
            for i, item in enumerate(value):
                if isinstance(item, dict):
                    text = record_claim(item, RECORD_LISTS[key])
                    if text and len(text) <= MAX_LEN:
                        claims.append((f"{key}[{i}]", text))
        else:
            claims.extend(leaf_claims(value, [key], [key]))
    return claims


def list_files(data_dir):
    files = []
    for folder in FOLDERS:
        files.extend(p for p in (data_dir / folder).rglob("*.json") if p.is_file())
    return sorted(files, key=lambda p: p.relative_to(data_dir.parent).as_posix())


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("seed", type=int)
    parser.add_argument("--count", type=int, default=40)
    parser.add_argument("--data", type=Path, default=Path("data"))
    args = parser.parse_args(argv)

    files = list_files(args.data)
    if args.count > len(files):
        sys.exit(f"only {len(files)} files, cannot draw {args.count}")

    rng = random.Random(args.seed)
    drawn = rng.sample(files, args.count)
    # A file without a checkable claim is replaced by a further draw from the rest.
    rest = [f for f in files if f not in drawn]
    rng.shuffle(rest)

    n = 0
    for path in drawn:
        while True:
            with path.open(encoding="utf-8") as fh:
                claims = claims_of(json.load(fh))
            if claims:
                break
            if not rest:
                sys.exit("ran out of files with a checkable claim")
            path = rest.pop(0)
        # One claim per file, drawn from a generator seeded by the seed and the path
        # so the choice does not depend on which other files were drawn.
        name = path.relative_to(args.data.parent).as_posix()
        field, value = random.Random(f"{args.seed}:{name}").choice(claims)
        n += 1
        print(f"{n}\t{name}\t{field}\t{value}")


if __name__ == "__main__":
    main(sys.argv[1:])
