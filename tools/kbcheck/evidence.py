#!/usr/bin/env python3
"""Keep the record of which page states each factual claim of the knowledge base.

Claims are the ones sample_claims.py draws from. The record of a data file
data/X.json lives in docs/factcheck/evidence/X.json:

  {"file": "data/X.json",
   "claims": [{"field": "features.core", "claim": "...", "url": "...",
               "quote": "words of the page that state it (left-out words: ...)",
               "checked": "YYYY-MM-DD"}]}

"field" is the claim's path without list positions, so records survive reordering.

Usage:
  evidence.py list FILE...        every claim of the files, "+" where a record states it
  evidence.py add FILE FIELD CLAIM URL QUOTE [--checked DATE]
  evidence.py report [--data DIR] [--missing]   coverage per file and in all
  evidence.py prune [--data DIR]   drop records whose claim is no longer in the data
  evidence.py weak [--data DIR]    records whose quote and URL name neither the entry nor
                                   its file: the page may be about something else
"""

import argparse
import datetime
import json
import re
import sys
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
from sample_claims import claims_of, list_files  # noqa: E402

ROOT = Path(__file__).resolve().parents[2]
EVIDENCE = ROOT / "docs" / "factcheck" / "evidence"


def field_of(display_path):
    return re.sub(r"\[\d+\]", "", display_path)


def data_rel(path):
    p = Path(path).resolve()
    return p.relative_to((ROOT / "data").resolve())


def record_path(path):
    return EVIDENCE / data_rel(path)


def load_records(path):
    rp = record_path(path)
    if not rp.exists():
        return {"file": "data/" + data_rel(path).as_posix(), "claims": []}
    with rp.open(encoding="utf-8") as fh:
        return json.load(fh)


def save_records(path, records):
    rp = record_path(path)
    rp.parent.mkdir(parents=True, exist_ok=True)
    records["claims"].sort(key=lambda r: (r["field"], r["claim"]))
    tmp = rp.with_suffix(".tmp")
    with tmp.open("w", encoding="utf-8") as fh:
        json.dump(records, fh, ensure_ascii=False, indent=2)
        fh.write("\n")
    tmp.replace(rp)


def claims_in(path):
    with open(path, encoding="utf-8") as fh:
        return claims_of(json.load(fh))


def covered(records):
    return {(r["field"], r["claim"]) for r in records["claims"] if r.get("url") and r.get("quote")}


def cmd_list(args):
    for f in args.files:
        have = covered(load_records(f))
        for display, text in claims_in(f):
            mark = "+" if (field_of(display), text) in have else "-"
            print(f"{mark}\t{display}\t{text}")


# Words the project's files do not carry, not even inside quotes: they are left out
# and marked "...".
LEFT_OUT_WORDS = re.compile(r"\bspecifi(ed|cations?)\b", re.I)


def cmd_add(args):
    claims = {(field_of(d), t) for d, t in claims_in(args.file)}
    field = field_of(args.field)
    if (field, args.claim) not in claims:
        sys.exit(f"no claim {field} = {args.claim!r} in {args.file}")
    if LEFT_OUT_WORDS.search(args.quote):
        sys.exit(f"write ... for {LEFT_OUT_WORDS.search(args.quote).group(0)[:7]}… in the quote")
    records = load_records(args.file)
    records["claims"] = [r for r in records["claims"]
                         if not (r["field"] == field and r["claim"] == args.claim)]
    records["claims"].append({"field": field, "claim": args.claim, "url": args.url,
                              "quote": args.quote, "checked": args.checked})
    save_records(args.file, records)


def cmd_report(args):
    total = have_all = 0
    for f in list_files(args.data):
        claims = claims_in(f)
        have = covered(load_records(f))
        missing = [(d, t) for d, t in claims if (field_of(d), t) not in have]
        total += len(claims)
        have_all += len(claims) - len(missing)
        rel = f.relative_to(args.data.parent).as_posix()
        print(f"{len(claims) - len(missing)}/{len(claims)}\t{rel}")
        if args.missing:
            for d, t in missing:
                print(f"\t-\t{d}\t{t}")
    pct = 100.0 * have_all / total if total else 100.0
    print(f"in all: {have_all}/{total} claims have a record ({pct:.1f}%)")


def names_of(path):
    """Lower-case words that name an entry: its naming keys and its file name."""
    with path.open(encoding="utf-8") as fh:
        entry = json.load(fh)
    names = set()
    texts = [entry.get(k) for k in ("name", "nameEn", "nameZh", "title", "shortName", "id")]
    texts.append(path.stem)
    for text in texts:
        if not isinstance(text, str):
            continue
        for word in re.findall(r"[A-Za-z0-9][A-Za-z0-9.+#-]{2,}|[\u4e00-\u9fff]{2,}", text):
            word = word.lower()
            if word not in WEAK_STOP_WORDS:
                names.add(word)
    return names


# Words of entry names that say nothing about which entry a page is about.
WEAK_STOP_WORDS = {"software", "suite", "studio", "cloud", "design", "systems", "group",
                   "technologies", "technology", "inc", "ltd", "the", "and", "for", "json"}


def cmd_weak(args):
    flagged = total = 0
    for f in list_files(args.data):
        names = names_of(f)
        for record in load_records(f)["claims"]:
            total += 1
            text = (record["quote"] + " " + record["url"]).lower()
            if names and not any(name in text for name in names):
                flagged += 1
                rel = f.relative_to(args.data.parent).as_posix()
                print(f"{rel}\t{record['field']}\t{record['claim']}\t{record['url']}")
    print(f"in all: {flagged}/{total} records name neither the entry nor its file")


def cmd_prune(args):
    for rp in sorted(EVIDENCE.rglob("*.json")):
        data_file = ROOT / "data" / rp.relative_to(EVIDENCE)
        if not data_file.exists():
            print(f"removed {rp} (no data file)")
            rp.unlink()
            continue
        claims = {(field_of(d), t) for d, t in claims_in(data_file)}
        records = load_records(data_file)
        kept = [r for r in records["claims"] if (r["field"], r["claim"]) in claims]
        if len(kept) != len(records["claims"]):
            print(f"{rp}: dropped {len(records['claims']) - len(kept)}")
            records["claims"] = kept
            save_records(data_file, records)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    sub = parser.add_subparsers(dest="cmd", required=True)
    p = sub.add_parser("list")
    p.add_argument("files", nargs="+")
    p.set_defaults(run=cmd_list)
    p = sub.add_parser("add")
    for name in ("file", "field", "claim", "url", "quote"):
        p.add_argument(name)
    p.add_argument("--checked", default=datetime.date.today().isoformat())
    p.set_defaults(run=cmd_add)
    p = sub.add_parser("report")
    p.add_argument("--data", type=Path, default=ROOT / "data")
    p.add_argument("--missing", action="store_true")
    p.set_defaults(run=cmd_report)
    p = sub.add_parser("prune")
    p.set_defaults(run=cmd_prune)
    p = sub.add_parser("weak")
    p.add_argument("--data", type=Path, default=ROOT / "data")
    p.set_defaults(run=cmd_weak)
    args = parser.parse_args(argv)
    args.run(args)


if __name__ == "__main__":
    main(sys.argv[1:])
