#!/usr/bin/env python3
"""Draw the knowledge-graph pictures of the Quorvanta knowledge base.

Reads the JSON files below data/ (software, companies, technologies,
disciplines, events, config/categories.json) and writes one PNG per map
into data/pictures/, using Graphviz (dot, neato) for the layout.

Only the Python 3 standard library and the Graphviz command-line tools
are needed; ImageMagick `convert` is used, when present, to shrink
pictures that come out larger than the size limit.

Usage:
    python3 tools/kbgraph/kbgraph.py [--data DIR] [--out DIR]
                                     [--keep-dot DIR] [--only TEXT] [--list]
"""

import argparse
import glob
import json
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile
from collections import OrderedDict, defaultdict

FONT = "Noto Sans CJK SC"
MAX_BYTES = 390000
DEFAULT_DPI = 96
MANIFEST = "generated.txt"
MAX_SIZE = "40,40"
# The content view is about 1000 px wide: wider pictures are shrunk to fit it.
WIDE_PX = 1600
# Tighter layouts tried in turn for a picture that comes out wider than WIDE_PX.
LAYOUT_VARIANTS = {
    "dot": [{}, {"graph": {"ranksep": "0.4", "nodesep": "0.15"}}],
    "neato": [{}, {"graph": {"overlap_scaling": "1"}},
              {"graph": {"overlap_scaling": "1", "sep": "+6", "pack": "true", "packmode": "array_u2"}},
              {"graph": {"overlap_scaling": "1", "sep": "+6", "pack": "true", "packmode": "array_u1"}}],
}

SOFTWARE_ORDER = ["CAD", "CAE", "CFD", "CAM", "EDA", "PLM", "BIM", "MBSE", "ERP"]
FALLBACK_COLORS = {
    "CAD": "#2196F3", "CAE": "#4CAF50", "CFD": "#00BCD4", "CAM": "#FF9800",
    "EDA": "#9C27B0", "PLM": "#3F51B5", "BIM": "#795548", "MBSE": "#009688",
    "ERP": "#607D8B",
}
TECH_DIRS = ["kernels", "solvers", "mesh", "hpc"]

# Chinese display names of the largest software groups (used in titles).
GROUP_TITLES = {
    "Siemens Digital Industries Software": "西门子 (Siemens)",
    "Dassault Systèmes": "达索系统 (Dassault Systèmes)",
    "Autodesk": "欧特克 (Autodesk)",
    "Synopsys": "新思科技 (Synopsys)",
    "Cadence Design Systems": "楷登电子 (Cadence)",
    "Hexagon": "海克斯康 (Hexagon)",
    "PTC": "PTC",
    "Ansys": "Ansys",
    "Altair": "Altair",
    "SAP": "SAP",
    "Oracle": "甲骨文 (Oracle)",
    "Bentley Systems": "奔特力 (Bentley Systems)",
    "Nemetschek Group": "内梅切克 (Nemetschek)",
    "MathWorks": "MathWorks",
    "中望软件": "中望软件",
    "数码大方": "数码大方 (CAXA)",
}

LICENSE_ORDER = ["commercial", "opensource", "freemium", "academic"]
DOC_TYPE_NAMES = {"reference": "参考", "workflow": "流程", "dataset": "数据"}


# ---------------------------------------------------------------- helpers

def read_json(path):
    try:
        with open(path, encoding="utf-8") as fh:
            return json.load(fh)
    except (OSError, ValueError) as exc:
        print("warning: skipped %s (%s)" % (path, exc), file=sys.stderr)
        return None


def text_of(value):
    """Plain text of a string or a {"zh", "en"} object."""
    if isinstance(value, dict):
        return value.get("zh") or value.get("en") or ""
    if isinstance(value, str):
        return value
    return ""


PAREN_RE = re.compile(r"[（(][^（）()]*[）)]")


def head(text):
    """The part of a name before any bracketed remark."""
    return PAREN_RE.sub("", text).strip()


def norm(text):
    text = PAREN_RE.sub("", text or "")
    text = text.replace("_", " ").lower()
    return re.sub(r"\s+", " ", text).strip()


CORP_SUFFIX_RE = re.compile(r"[\s,]+(corp\.?|corporation|inc\.?|ltd\.?|llc|gmbh|s\.a\.|sa|ag|se|plc|"
                            r"co\.?|group|software|systems|technologies|technology|international)$")


def leading(text):
    """The text before its first bracket: "Altera（FPGA 业务）51% 股权" gives "Altera"."""
    return re.split(r"[（(]", text or "", 1)[0].strip()


def target_label(text, company):
    """A deal's target as shown: the entry's name with the record's remark."""
    if company is None:
        return text.strip()
    parts = paren_parts(text)
    if leading(text) and norm(leading(text)) != norm(company["name"]) and not parts:
        return text.strip()
    return company["name"] + "".join("（%s）" % p for p in parts)


def name_keys(text):
    """Loose keys of an organisation name: "UGS Corp." gives "ugs corp." and "ugs"."""
    keys = []
    n = norm(text)
    while n and n not in keys:
        keys.append(n)
        n = CORP_SUFFIX_RE.sub("", n).strip()
    return keys


def paren_parts(text):
    return [m[1:-1].strip() for m in PAREN_RE.findall(text or "")]


def char_width(ch):
    return 2 if ord(ch) > 0x2E80 else 1


def founded_label(founded):
    """"1985 年成立" from a founding year or date ("2013-12-06" gives the year)."""
    match = re.match(r"\s*(\d{4})", str(founded or ""))
    return "%s 年成立" % match.group(1) if match else ""


def wrap(text, width=24):
    """Wrap text for a label; CJK characters count as two columns."""
    lines = []
    for para in str(text).split("\n"):
        line, used = "", 0
        for ch in para:
            w = char_width(ch)
            if used + w > width and line:
                if ch in "）)」』，。、；：,.;:":
                    line += ch
                    used += w
                    continue
                cut = max([line.rfind(c) for c in " 、，；"] +
                          [line.rfind("（") - 1, line.rfind("(") - 1])
                if cut <= len(line) // 2 and ch.isascii() and ch.isalnum() \
                        and line[-1].isascii() and line[-1].isalnum() and used + w <= width + 8:
                    line += ch
                    used += w
                    continue
                if cut > len(line) // 2:
                    rest = line[cut + 1:]
                    lines.append(line[:cut + 1].rstrip())
                    line = rest
                else:
                    lines.append(line)
                    line = ""
                used = sum(char_width(c) for c in line)
            line += ch
            used += w
        lines.append(line)
    return "\n".join(l for l in lines if l is not None)


def shorten(text, width=28):
    used, out = 0, ""
    for ch in text:
        used += char_width(ch)
        if used > width:
            return out.rstrip() + "…"
        out += ch
    return out


def tint(color, amount):
    """Blend a #rrggbb colour with white; amount 0 keeps it, 1 gives white."""
    color = color.lstrip("#")
    if len(color) != 6:
        return "#EEEEEE"
    rgb = [int(color[i:i + 2], 16) for i in (0, 2, 4)]
    rgb = [round(c + (255 - c) * amount) for c in rgb]
    return "#%02X%02X%02X" % tuple(rgb)


def darker(color, amount=0.35):
    color = color.lstrip("#")
    if len(color) != 6:
        return "#555555"
    rgb = [int(color[i:i + 2], 16) for i in (0, 2, 4)]
    return "#%02X%02X%02X" % tuple(round(c * (1 - amount)) for c in rgb)


def dq(text):
    """A DOT double-quoted string."""
    text = str(text).replace("\\", "\\\\").replace('"', '\\"')
    return '"' + text.replace("\n", "\\n") + '"'


def hx(text):
    """Text for a Graphviz HTML label."""
    return (str(text).replace("&", "&amp;").replace("<", "&lt;")
            .replace(">", "&gt;").replace('"', "&quot;")
            .replace("\n", "<BR/>"))


def year_of(text):
    m = re.search(r"(19|20)\d\d", text or "")
    return m.group(0) if m else ""


def markdown_title(path):
    """The first heading of a Markdown file, else its base name."""
    try:
        with open(path, encoding="utf-8") as fh:
            for line in fh:
                if line.startswith("#"):
                    title = line.lstrip("#").strip()
                    if title:
                        return title
    except OSError:
        pass
    return os.path.splitext(os.path.basename(path))[0]


# ---------------------------------------------------------- knowledge base

class KB:
    def __init__(self, root):
        self.root = root
        self.categories = read_json(os.path.join(root, "config", "categories.json")) or {}
        self.software = []
        for path in sorted(glob.glob(os.path.join(root, "software", "*", "*.json"))):
            entry = read_json(path)
            if not isinstance(entry, dict) or not entry.get("name"):
                continue
            entry["_cat"] = os.path.basename(os.path.dirname(path)).upper()
            self.software.append(entry)
        self.companies = []
        for path in sorted(glob.glob(os.path.join(root, "companies", "*.json"))):
            entry = read_json(path)
            if isinstance(entry, dict) and entry.get("name"):
                self.companies.append(entry)
        self.techs = []
        tech_root = os.path.join(root, "technologies")
        for path in sorted(glob.glob(os.path.join(tech_root, "**", "*.json"), recursive=True)):
            entry = read_json(path)
            if not isinstance(entry, dict) or not entry.get("name"):
                continue
            rel = os.path.relpath(os.path.dirname(path), tech_root)
            entry["_tcat"] = "" if rel == "." else rel.split(os.sep)[0]
            self.techs.append(entry)
        self.tech_docs = defaultdict(list)
        for path in sorted(glob.glob(os.path.join(tech_root, "**", "*.md"), recursive=True)):
            rel = os.path.relpath(os.path.dirname(path), tech_root)
            self.tech_docs["" if rel == "." else rel.split(os.sep)[0]].append(
                os.path.basename(path))
        self.events = []
        for path in sorted(glob.glob(os.path.join(root, "events", "*.json"))):
            doc = read_json(path)
            if isinstance(doc, dict):
                for ev in doc.get("events", []) or []:
                    if isinstance(ev, dict):
                        ev = dict(ev)
                        ev["_doc"] = os.path.basename(path)
                        self.events.append(ev)
        self.discipline_docs = defaultdict(list)   # "structural/fatigue" -> docs
        disc_root = os.path.join(root, "disciplines")
        for path in sorted(glob.glob(os.path.join(disc_root, "**", "*"), recursive=True)):
            if not os.path.isfile(path):
                continue
            rel_dir = os.path.relpath(os.path.dirname(path), disc_root).replace(os.sep, "/")
            if path.endswith(".json"):
                entry = read_json(path)
                if not isinstance(entry, dict):
                    continue
                title = entry.get("name") or entry.get("title") or entry.get("id") or ""
                kind = DOC_TYPE_NAMES.get(entry.get("type", ""), "资料")
                self.discipline_docs[rel_dir].append((title, kind))
            elif path.endswith(".md"):
                self.discipline_docs[rel_dir].append((markdown_title(path), "文章"))
        self._index()

    # ---- indexes
    def _index(self):
        self.sw_index = {}
        for sw in self.software:
            keys = [sw.get("name", ""), sw.get("fullName", ""), sw.get("id", "")]
            keys += paren_parts(sw.get("name", ""))
            for k in keys:
                n = norm(k)
                if n and n not in self.sw_index:
                    self.sw_index[n] = sw
        self.company_by_name = {}
        for c in self.companies:
            for k in (c.get("name"), c.get("id")):
                if k:
                    self.company_by_name.setdefault(norm(k), c)
        self.former_index = {}
        for c in self.companies:
            for former in c.get("formerNames") or []:
                if isinstance(former, str):
                    for k in name_keys(head(former) or former):
                        self.former_index.setdefault(k, c)
        self.tech_index = {}
        for t in self.techs:
            for k in (t.get("name", ""), t.get("fullName", ""), t.get("id", "")):
                n = norm(k)
                if n:
                    self.tech_index.setdefault(n, t)
        self._build_kernels()

    def _build_kernels(self):
        self.kernels = []
        for t in self.techs:
            if t["_tcat"] != "kernels" and "kernel" not in str(t.get("type", "")).lower():
                continue
            aliases = {norm(t.get("id", "")), norm(t.get("name", "")), norm(t.get("fullName", ""))}
            for word in re.findall(r"\b[A-Z][A-Za-z0-9]{2,}\b", t.get("name", "")):
                if word.isupper():
                    aliases.add(word.lower())
            desc = text_of(t.get("description"))
            for abbr in re.findall(r"[（(]([A-Z]{2,6})[）)]", desc[:120]):
                aliases.add(abbr.lower())
            aliases.discard("")
            self.kernels.append({"key": t.get("id") or norm(t["name"]), "name": t["name"],
                                 "vendor": t.get("vendor", ""), "entry": t,
                                 "aliases": aliases})
        players = (self.categories.get("technologyCategories", {})
                   .get("kernels", {}).get("keyPlayers", []))
        for p in players if isinstance(players, list) else []:
            name = head(p)
            vendor = (paren_parts(p) or [""])[0]
            if self.find_kernel(name) or not name:
                continue
            self.kernels.append({"key": norm(name), "name": name, "vendor": vendor,
                                 "entry": None, "aliases": {norm(name)}})

    # ---- lookups
    def find_sw(self, text):
        if not text:
            return None
        for cand in [text, head(text)] + paren_parts(text):
            sw = self.sw_index.get(norm(cand))
            if sw:
                return sw
        return None

    def find_company(self, text):
        if not text:
            return None
        c = self.company_by_name.get(norm(text))
        if c:
            return c
        best = None
        for c in self.companies:
            name = c.get("name", "")
            if len(name) >= 3 and name in text and (best is None or len(name) > len(best["name"])):
                best = c
        return best

    def find_tech(self, text):
        if not text:
            return None
        for cand in [text, head(text)]:
            t = self.tech_index.get(norm(cand))
            if t:
                return t
        return None

    def find_kernel(self, text):
        if not text or text.startswith("宿主"):
            return None
        h = norm(head(text)) or norm(text)
        for k in self.kernels:
            for a in k["aliases"]:
                if re.search(r"(^|[^a-z0-9])" + re.escape(a) + r"($|[^a-z0-9])", h):
                    return k
        return None

    def kernel_mentions(self, text):
        found = []
        low = (text or "").lower()
        for k in self.kernels:
            for a in k["aliases"]:
                if len(a) >= 3 and re.search(r"(^|[^a-z0-9])" + re.escape(a) + r"($|[^a-z0-9])", low):
                    found.append(k)
                    break
        return found

    # ---- categories and companies
    def cat_info(self, cat):
        return self.categories.get("softwareCategories", {}).get(cat, {})

    def cat_color(self, cat):
        c = self.cat_info(cat).get("color") or FALLBACK_COLORS.get(cat) or "#78909C"
        return c if re.match(r"^#[0-9A-Fa-f]{6}$", c) else "#78909C"

    def cat_name(self, cat):
        return self.cat_info(cat).get("name", "")

    def software_cats(self):
        cats = list(self.categories.get("softwareCategories", {}).keys()) or SOFTWARE_ORDER
        for sw in self.software:
            if sw["_cat"] not in cats:
                cats.append(sw["_cat"])
        return cats

    def sw_in(self, cat):
        return [s for s in self.software if s["_cat"] == cat]

    def country(self, vendor):
        c = self.find_company(vendor) if vendor else None
        if c and self.company_by_name.get(norm(vendor)) is c:
            return c.get("country", "")
        return ""

    def is_domestic(self, vendor):
        return self.country(vendor) == "中国"

    def owner(self, company):
        """Who owns a company: its parentCompany, else the latest completed deal for it.

        Returns None or a dict: company (KB entry or None), text, kind ("parent"
        or "deal") and deal. Announced or terminated deals never make an owner.
        """
        if company is None:
            return None
        text = company.get("parentCompany") or ""
        if isinstance(text, str) and text.strip():
            inner = self.find_company(text)
            return {"company": None if inner is company else inner, "text": text,
                    "kind": "parent", "deal": None}
        best = None
        for d in self.deals():
            if d["target_company"] is company and d["status"] == "completed" \
                    and d["acquirer_company"] is not company:
                if best is None or d["sort"] > best["sort"]:
                    best = d
        if best is None:
            return None
        return {"company": best["acquirer_company"], "text": best["acquirer_text"],
                "kind": "deal", "deal": best}

    def parent(self, company):
        """(KB company or None, text) of the company's owner."""
        o = self.owner(company)
        return (o["company"], o["text"]) if o else (None, "")

    def group_of(self, vendor):
        """Top-most knowledge-base company owning the vendor."""
        c = self.company_by_name.get(norm(vendor))
        seen = set()
        while c is not None and c.get("id") not in seen:
            seen.add(c.get("id"))
            p, _ = self.parent(c)
            if p is None:
                return c.get("name")
            c = p
        return vendor

    def sw_kernels(self, sw):
        ks = (sw.get("technicalSpecs") or {}).get("kernel") or []
        return [k for k in ks if isinstance(k, str) and k.strip()]

    def competitors(self, sw):
        comps = (sw.get("competitiveAnalysis") or {}).get("competitors") or []
        out = []
        for c in comps:
            if isinstance(c, dict):
                out.append((c.get("name", ""), c.get("vendor", "")))
            elif isinstance(c, str):
                out.append((c, ""))
        return [(n, v) for n, v in out if n]

    def license(self, sw):
        return (sw.get("licensing") or {}).get("type", "") or ""

    def acquisitions(self):
        """Every deal once, completed or not (see deals)."""
        return self.deals()

    def deals(self):
        """Acquisitions told by the companies (acquisitions, acquisitionInfo,
        divestitures) and by the events, each deal once.

        The same deal is often told three times: by the buyer, by the bought
        company and by an event. Records are merged when their buyers, their
        targets and their years agree. Each deal is a dict: acquirer,
        acquirer_text, acquirer_company, target, target_company, target_note,
        seller, status (completed, announced, terminated), announced,
        completed, date, year, title, focus, summary, sort.
        """
        if getattr(self, "_deals", None) is not None:
            return self._deals
        records = []
        for c in self.companies:
            for a in c.get("acquisitions") or []:
                if isinstance(a, dict) and isinstance(a.get("target"), str) and a["target"].strip():
                    st = a.get("status") or None
                    date = str(a.get("date") or "")
                    records.append(self._record(
                        acquirer=c["name"], target=a["target"], target_company=a.get("targetCompany"),
                        seller=a.get("seller") or "", status=st,
                        announced=a.get("announced") or (date if st in ("announced", "terminated") else ""),
                        completed=a.get("completed") or (date if st in (None, "completed") else ""),
                        products=a.get("products"), summary=a.get("details", "")))
        for c in self.companies:
            info = c.get("acquisitionInfo")
            if not isinstance(info, dict):
                continue
            acq_text = info.get("acquirer", "") or ""
            if not acq_text.strip() or "政府" in acq_text:
                continue
            st = info.get("status") or None
            date = str(info.get("date") or "")
            records.append(self._record(
                acquirer=acq_text, target=c["name"], target_company=c["name"], seller="", status=st,
                announced=info.get("announced") or (date if st in ("announced", "terminated") else ""),
                completed=date if st in (None, "completed") else "",
                products=None, summary=info.get("details", "")))
        for c in self.companies:
            for dv in c.get("divestitures") or []:
                if not isinstance(dv, dict) or not (dv.get("buyer") and dv.get("business")):
                    continue
                business = str(dv["business"])
                tc = self.company_exact(business)
                records.append(self._record(
                    acquirer=dv["buyer"], target=business, target_company=tc["name"] if tc else None,
                    seller=c["name"], status=dv.get("status") or None,
                    announced=dv.get("announced") or "", completed=dv.get("completed") or "",
                    products=dv.get("products"), summary=dv.get("details", "")))
        for ev in self.events:
            kind = ev.get("type")
            if kind not in ("acquisition", "acquisition_agreement"):
                continue
            name = text_of(ev.get("name"))
            target = re.split(r"收购", name, 1)[1].strip() if "收购" in name else ""
            if not target or not ev.get("company"):
                continue
            dr = ev.get("dateRange") or {}
            st = ev.get("status") or ("announced" if kind == "acquisition_agreement" else "completed")
            records.append(self._record(
                acquirer=ev["company"], target=target, target_company=ev.get("targetCompany"),
                seller=ev.get("seller") or "", status=st, announced=dr.get("start") or "",
                completed=(dr.get("end") or dr.get("start") or "") if st == "completed" else "",
                products=ev.get("focus"), summary=text_of(ev.get("summary"))))
        merged = []
        for r in records:
            for m in merged:
                if (m["akeys"] & r["akeys"]) and (m["tkeys"] & r["tkeys"]) and \
                        (not m["years"] or not r["years"] or m["years"] & r["years"]):
                    self._merge(m, r)
                    break
            else:
                merged.append(r)
        # A later record may join two deals that were told apart so far.
        changed = True
        while changed:
            changed = False
            for i, a in enumerate(merged):
                for b in merged[i + 1:]:
                    if (a["akeys"] & b["akeys"]) and (a["tkeys"] & b["tkeys"]) and \
                            (not a["years"] or not b["years"] or a["years"] & b["years"]):
                        self._merge(a, b)
                        merged.remove(b)
                        changed = True
                        break
                if changed:
                    break
        for d in merged:
            d["status"] = d["status"] or "completed"
            if d["status"] == "completed":
                d["date"] = d["completed"] or d["announced"]
            else:
                d["date"] = d["announced"] or d["completed"]
            d["year"] = year_of(d["date"])
            d["sort"] = (d["date"] or "9999", d["title"])
            verb = {"completed": "收购", "announced": "宣布收购", "terminated": "终止收购"}[d["status"]]
            d["title"] = "%s %s %s" % (d["acquirer"], verb, d["target_label"])
            focus = []
            for f in d["products"]:
                sw = self.find_sw(f)
                if sw and sw["name"] not in focus:
                    focus.append(sw["name"])
            d["focus"] = focus
        merged.sort(key=lambda d: d["sort"])
        self._deals = merged
        return merged

    def company_exact(self, text):
        """The company entry a name or a former name stands for, without guessing."""
        if not text:
            return None
        c = None
        for k in name_keys(leading(text)) + name_keys(text):
            c = self.company_by_name.get(k) or self.former_index.get(k)
            if c is not None:
                break
        return c

    def _record(self, acquirer, target, target_company, seller, status, announced, completed,
                products, summary):
        if status not in (None, "completed", "announced", "terminated"):
            status = None
        acq_c = self.find_company(acquirer)
        tc = self.company_by_name.get(norm(target_company)) if target_company else None
        if tc is None:
            tc = self.company_exact(target)
        note, renamed = "", None
        akeys = set(name_keys(acquirer))
        if acq_c is not None:
            akeys.add("co:" + acq_c.get("id", acq_c["name"]))
            akeys.update(name_keys(acq_c.get("parentCompany") or ""))
        if tc is not None and tc is acq_c:
            # The bought company became the buyer itself (UGS, now Siemens Digital Industries
            # Software): the real buyer is its parent, and the deal ends in that company.
            note = "今 %s" % tc["name"]
            renamed, tc = tc, None
            if acq_c.get("parentCompany"):
                acquirer = acq_c["parentCompany"]
                acq_c = self.find_company(acquirer)
                if acq_c is renamed:
                    acq_c = None
        tkeys = set(name_keys(target))
        if tc is not None:
            tkeys.add("co:" + tc.get("id", tc["name"]))
        if seller:
            sc = self.find_company(seller)
            tkeys.add("from:" + (sc.get("id", sc["name"]) if sc else norm(head(seller))))
        years = set(y for y in (year_of(announced), year_of(completed)) if y)
        prods = [p for p in (products or []) if isinstance(p, str) and p.strip()]
        return {"acquirer": acq_c["name"] if acq_c else (head(acquirer) or acquirer),
                "acquirer_text": acquirer, "acquirer_company": acq_c,
                "target": tc["name"] if tc else (head(target) or target),
                "target_label": target_label(target, tc),
                "target_company": tc, "target_note": note, "renamed_to": renamed,
                "seller": seller, "status": status,
                "announced": str(announced or ""), "completed": str(completed or ""),
                "products": prods, "summary": summary or "", "akeys": akeys, "tkeys": tkeys,
                "years": years, "title": ""}

    @staticmethod
    def _merge(into, other):
        """Fill what the first telling of a deal leaves open from a later one."""
        for key in ("acquirer_company", "target_company", "seller", "status", "target_note",
                    "renamed_to"):
            if not into[key] and other[key]:
                into[key] = other[key]
        if into["acquirer_company"] is not None:
            into["acquirer"] = into["acquirer_company"]["name"]
        if into["target_company"] is not None:
            into["target"] = into["target_company"]["name"]
            into["target_note"] = ""
            if into["target_label"] == into["target"] and other["target_label"].startswith(into["target"]):
                into["target_label"] = other["target_label"]
        for key in ("announced", "completed"):
            a, b = into[key], other[key]
            # The same year told more precisely wins.
            if not a or (b and year_of(a) == year_of(b) and len(b) > len(a)):
                into[key] = b
        for p in other["products"]:
            if p not in into["products"]:
                into["products"].append(p)
        if not into["summary"]:
            into["summary"] = other["summary"]
        into["akeys"] |= other["akeys"]
        into["tkeys"] |= other["tkeys"]
        into["years"] |= other["years"]


# ------------------------------------------------------------------- styles

KIND_STYLE = {
    "root": {"shape": "box", "style": "filled,rounded,bold", "fillcolor": "#263238",
             "color": "#263238", "fontcolor": "white", "fontsize": "20", "legend": "知识库/主题"},
    "segment": {"shape": "box", "style": "filled,rounded", "fillcolor": "#ECEFF1",
                "color": "#90A4AE", "fontsize": "12", "legend": "细分领域"},
    "vendor": {"shape": "box", "style": "filled,rounded", "fillcolor": "#FFE0B2",
               "color": "#E65100", "legend": "厂商"},
    "parent": {"shape": "box", "style": "filled,rounded,dashed", "fillcolor": "#FFCCBC",
               "color": "#BF360C", "legend": "母公司/收购方"},
    "kernel": {"shape": "hexagon", "style": "filled", "fillcolor": "#C8E6C9",
               "color": "#2E7D32", "legend": "几何内核"},
    "engine": {"shape": "box", "style": "filled", "fillcolor": "#DCEDC8",
               "color": "#689F38", "fontsize": "12", "legend": "求解引擎/共用组件"},
    "techcat": {"shape": "box", "style": "filled,rounded,bold", "fillcolor": "#6A1B9A",
                "color": "#4A148C", "fontcolor": "white", "fontsize": "18", "legend": "技术类别"},
    "technology": {"shape": "box", "style": "filled", "fillcolor": "#E1BEE7",
                   "color": "#6A1B9A", "legend": "核心技术"},
    "library": {"shape": "box", "style": "filled,rounded", "fillcolor": "#F3E5F5",
                "color": "#AB47BC", "fontsize": "12", "legend": "库/工具/实现"},
    "discipline": {"shape": "box", "style": "filled,rounded,bold", "fillcolor": "#00897B",
                   "color": "#004D40", "fontcolor": "white", "fontsize": "18", "legend": "学科"},
    "subdiscipline": {"shape": "box", "style": "filled,rounded", "fillcolor": "#B2DFDB",
                      "color": "#00695C", "legend": "子学科"},
    "event": {"shape": "box", "style": "filled", "fillcolor": "#FFEBEE",
              "color": "#C62828", "fontsize": "12", "legend": "事件"},
    "origin": {"shape": "box", "style": "filled,dashed", "fillcolor": "#FAFAFA",
               "color": "#757575", "fontsize": "12", "legend": "技术起源"},
    "external": {"shape": "ellipse", "style": "dashed", "fillcolor": "white",
                 "color": "#9E9E9E", "fontcolor": "#616161", "fontsize": "12",
                 "legend": "知识库外条目"},
    "year": {"shape": "box", "style": "filled,rounded,bold", "fillcolor": "#37474F",
             "color": "#37474F", "fontcolor": "white", "fontsize": "16", "legend": ""},
    "format": {"shape": "box", "style": "filled", "fillcolor": "#FFF9C4",
               "color": "#F9A825", "fontsize": "12", "legend": "文件格式"},
    "country": {"shape": "box", "style": "filled,rounded,bold", "fillcolor": "#FFF59D",
                "color": "#F57F17", "legend": "国家/地区"},
}


class Graph:
    def __init__(self, kb, title, subtitle="", engine="dot", rankdir="LR",
                 size="22,16", notes=None, directed=True, graph_attrs=None):
        self.kb = kb
        self.title = title
        self.subtitle = subtitle
        self.engine = engine
        self.rankdir = rankdir
        # Graphs are drawn at their natural size up to this bound (inches);
        # a bound smaller than the default is only honoured when asked for.
        self.size = size if size.endswith("!") else MAX_SIZE
        self.notes = list(notes or [])
        self.directed = directed
        self.graph_attrs = dict(graph_attrs or {})
        self.nodes = OrderedDict()        # key -> (id, attrs, cluster)
        self.edges = []
        self.edge_keys = set()
        self.clusters = OrderedDict()     # name -> attrs
        self.ranks = []
        self.legend = OrderedDict()       # label -> (fill, border)
        self.raw = []

    # ---- building
    def use_legend(self, label, fill, border):
        if label and label not in self.legend:
            self.legend[label] = (fill, border)

    def node(self, key, label, kind, cluster=None, html=False, legend=True, **extra):
        if key in self.nodes:
            return self.nodes[key][0]
        nid = "n%d" % (len(self.nodes) + 1)
        attrs = {k: v for k, v in KIND_STYLE.get(kind, {}).items() if k != "legend"}
        attrs.update(extra)
        attrs["label"] = ("<%s>" % label) if html else dq(label)
        self.nodes[key] = (nid, attrs, cluster)
        if legend and kind in KIND_STYLE and KIND_STYLE[kind].get("legend"):
            self.use_legend(KIND_STYLE[kind]["legend"], attrs.get("fillcolor", "white"),
                            attrs.get("color", "black"))
        return nid

    def has(self, key):
        return key in self.nodes

    def product(self, sw, cluster=None, with_vendor=False, width=22, **extra):
        cat = sw["_cat"]
        color = self.kb.cat_color(cat)
        label = wrap(sw["name"], width)
        if with_vendor and sw.get("vendor"):
            label += "\n" + wrap(sw["vendor"], width)
        key = "sw:" + sw.get("id", sw["name"])
        if key not in self.nodes:
            self.use_legend("%s 产品" % cat, tint(color, 0.72), color)
        style = {"shape": "ellipse", "style": "filled", "fillcolor": tint(color, 0.72),
                 "color": color, "penwidth": "1.4"}
        style.update(extra)
        return self.node(key, label, "product", cluster=cluster, legend=False, **style), key

    def product_or_external(self, text, vendor="", cluster=None, with_vendor=False):
        sw = self.kb.find_sw(text)
        if sw:
            return self.product(sw, cluster=cluster, with_vendor=with_vendor)[1]
        tech = self.kb.find_tech(text)
        if tech:
            key = "tech:" + tech.get("id", tech["name"])
            self.node(key, wrap(tech["name"], 20), "technology", cluster=cluster)
            return key
        name = head(text) or text
        key = "ext:" + norm(name)
        label = wrap(name, 20)
        if vendor:
            label += "\n" + wrap(vendor, 22)
        self.node(key, label, "external", cluster=cluster)
        return key

    def vendor(self, name, cluster=None, detail=True):
        key = "vendor:" + norm(name)
        label = wrap(name, 22)
        c = self.kb.company_by_name.get(norm(name))
        if detail and c:
            bits = [b for b in (c.get("country", ""),
                                founded_label(c.get("founded"))) if b]
            if bits:
                label += "\n" + " · ".join(bits)
        return self.node(key, label, "vendor", cluster=cluster), key

    def category(self, cat, cluster=None, text=None, fontsize="18"):
        color = self.kb.cat_color(cat)
        key = "cat:" + cat
        label = text or ("%s\n%s" % (cat, self.kb.cat_name(cat))).strip()
        self.use_legend("软件类别", color, darker(color))
        return self.node(key, label, "category", cluster=cluster, legend=False, shape="box",
                         style="filled,rounded,bold", fillcolor=color, color=darker(color),
                         fontcolor="white", fontsize=fontsize), key

    def card(self, key, header, rows, color="#546E7A", cluster=None, width=34,
             max_rows=None, header_font="white", row_fill=None, bold_rows=None, row_colors=None):
        if row_colors:
            pairs = [(r, c) for r, c in zip(rows, row_colors) if r]
            rows, row_colors = [r for r, _ in pairs], [c for _, c in pairs]
        else:
            rows = [r for r in rows if r]
        extra = 0
        if max_rows and len(rows) > max_rows:
            extra = len(rows) - max_rows
            rows = rows[:max_rows]
        cells = ['<TR><TD BGCOLOR="%s" ALIGN="CENTER"><FONT COLOR="%s" POINT-SIZE="14"><B>%s</B></FONT></TD></TR>'
                 % (color, header_font, hx(wrap(header, width)))]
        for i, r in enumerate(rows):
            txt = hx(wrap(r, width))
            if bold_rows and r in bold_rows:
                txt = "<B>%s</B>" % txt
            fill = row_fill or ("#FFFFFF" if i % 2 == 0 else tint(color, 0.9))
            if row_colors and i < len(row_colors) and row_colors[i]:
                fill = row_colors[i]
            cells.append('<TR><TD ALIGN="LEFT" BALIGN="LEFT" BGCOLOR="%s"><FONT POINT-SIZE="12">%s</FONT></TD></TR>'
                         % (fill, txt))
        if extra:
            cells.append('<TR><TD ALIGN="LEFT"><FONT POINT-SIZE="12" COLOR="#757575">…… 另有 %d 项</FONT></TD></TR>' % extra)
        html = ('<TABLE BORDER="1" CELLBORDER="0" CELLSPACING="0" CELLPADDING="4" COLOR="%s" BGCOLOR="white">%s</TABLE>'
                % (color, "".join(cells)))
        return self.node(key, html, "card", cluster=cluster, html=True, legend=False,
                         shape="plain")

    def section_card(self, key, header, sections, color="#546E7A", cluster=None, width=34,
                     header_size=15):
        """A card with a coloured header and titled sections of rows."""
        cells = ['<TR><TD BGCOLOR="%s" ALIGN="CENTER"><FONT COLOR="white" POINT-SIZE="%d"><B>%s</B></FONT></TD></TR>'
                 % (color, header_size, hx(wrap(header, width)))]
        for title, rows in sections:
            cells.append('<TR><TD ALIGN="LEFT" BGCOLOR="%s"><FONT POINT-SIZE="12" COLOR="%s"><B>%s</B></FONT></TD></TR>'
                         % (tint(color, 0.8), darker(color, 0.4), hx(title)))
            for r in rows:
                if isinstance(r, str) and r:
                    cells.append('<TR><TD ALIGN="LEFT" BALIGN="LEFT"><FONT POINT-SIZE="12">· %s</FONT></TD></TR>'
                                 % hx(wrap(r, width)))
        html = ('<TABLE BORDER="1" CELLBORDER="0" CELLSPACING="0" CELLPADDING="3" COLOR="%s" BGCOLOR="white">%s</TABLE>'
                % (color, "".join(cells)))
        return self.node(key, html, "card", cluster=cluster, html=True, legend=False, shape="plain")

    def table(self, key, html, cluster=None):
        return self.node(key, html, "card", cluster=cluster, html=True, legend=False,
                         shape="plain")

    def cluster(self, name, label, color="#B0BEC5", fill="#FAFAFA", **extra):
        if name not in self.clusters:
            attrs = {"label": dq(label), "color": dq(color), "fillcolor": dq(fill),
                     "style": dq("rounded,filled"), "fontsize": "16", "penwidth": "1.5"}
            attrs.update({k: dq(v) for k, v in extra.items()})
            self.clusters[name] = attrs
        return name

    def edge(self, a, b, **attrs):
        if a not in self.nodes or b not in self.nodes or a == b:
            return
        ek = (a, b, attrs.get("label", ""))
        if not self.directed and (b, a, attrs.get("label", "")) in self.edge_keys:
            return
        if ek in self.edge_keys:
            return
        self.edge_keys.add(ek)
        self.edges.append((a, b, attrs))

    def same_rank(self, keys):
        keys = [k for k in keys if k in self.nodes]
        if len(keys) > 1:
            self.ranks.append(keys)

    # ---- output
    def legend_html(self):
        items = list(self.legend.items())
        rows, row = [], []
        for label, (fill, border) in items:
            row.append('<TD BGCOLOR="%s" COLOR="%s" BORDER="1" WIDTH="22" HEIGHT="14" FIXEDSIZE="TRUE"> </TD>'
                       '<TD ALIGN="LEFT"><FONT POINT-SIZE="13">%s</FONT></TD>' % (fill, border, hx(label)))
            if len(row) == 8:
                rows.append(row)
                row = []
        if row:
            rows.append(row)
        parts = ['<TR><TD><FONT POINT-SIZE="28"><B>%s</B></FONT></TD></TR>' % hx(self.title)]
        if self.subtitle:
            parts.append('<TR><TD><FONT POINT-SIZE="14" COLOR="#455A64">%s</FONT></TD></TR>'
                         % hx(wrap(self.subtitle, 84)))
        if rows:
            inner = "".join('<TR><TD><FONT POINT-SIZE="13"><B>图例</B></FONT></TD>%s</TR>' % "".join(r)
                            if i == 0 else '<TR><TD> </TD>%s</TR>' % "".join(r)
                            for i, r in enumerate(rows))
            parts.append('<TR><TD><TABLE BORDER="1" COLOR="#CFD8DC" CELLBORDER="0" CELLSPACING="5" '
                         'CELLPADDING="2" BGCOLOR="#FAFAFA">%s</TABLE></TD></TR>' % inner)
        for note in self.notes:
            parts.append('<TR><TD><FONT POINT-SIZE="12" COLOR="#546E7A">%s</FONT></TD></TR>'
                         % hx(wrap(note, 100)))
        return '<TABLE BORDER="0" CELLSPACING="4">%s</TABLE>' % "".join(parts)

    def dot_text(self, variant=None):
        kw = "digraph" if self.directed else "graph"
        arrow = "->" if self.directed else "--"
        out = ["%s kb {" % kw]
        gattrs = {"fontname": dq(FONT), "labelloc": "t", "labeljust": "c",
                  "bgcolor": "white", "pad": "0.4", "size": dq(self.size),
                  "label": "<%s>" % self.legend_html()}
        if self.engine == "dot":
            gattrs.update({"rankdir": self.rankdir, "nodesep": "0.25", "ranksep": "0.6",
                           "newrank": "true", "compound": "true"})
        else:
            gattrs.update({"overlap": "prism", "overlap_scaling": "2", "sep": dq("+10"),
                           "splines": "true", "outputorder": "edgesfirst"})
        gattrs.update(self.graph_attrs)
        variant = variant or {}
        gattrs.update({k: dq(v) for k, v in variant.get("graph", {}).items()})
        out.append("  graph [%s];" % ", ".join("%s=%s" % kv for kv in gattrs.items()))
        out.append('  node [fontname=%s, fontsize="14", margin="0.12,0.06", penwidth="1.3"];' % dq(FONT))
        out.append('  edge [fontname=%s, fontsize="12", color="#78909C", arrowsize="0.7", '
                   'fontcolor="#455A64"%s];' % (dq(FONT), "".join(
                       ", %s=%s" % (k, dq(v)) for k, v in variant.get("edge", {}).items())))

        def node_line(nid, attrs):
            return "  %s [%s];" % (nid, ", ".join(
                "%s=%s" % (k, v if k == "label" else dq(v)) for k, v in attrs.items()))

        by_cluster = defaultdict(list)
        for key, (nid, attrs, cl) in self.nodes.items():
            by_cluster[cl].append((nid, attrs))
        for nid, attrs in by_cluster.get(None, []):
            out.append(node_line(nid, attrs))
        for i, (name, cattrs) in enumerate(self.clusters.items()):
            out.append("  subgraph cluster_%d {" % i)
            out.append("    graph [%s];" % ", ".join("%s=%s" % kv for kv in cattrs.items()))
            for nid, attrs in by_cluster.get(name, []):
                out.append("  " + node_line(nid, attrs))
            out.append("  }")
        for a, b, attrs in self.edges:
            ia, ib = self.nodes[a][0], self.nodes[b][0]
            out.append("  %s %s %s [%s];" % (ia, arrow, ib, ", ".join(
                "%s=%s" % (k, dq(v)) for k, v in attrs.items())))
        for keys in self.ranks:
            out.append("  { rank=same; %s }" % "; ".join(self.nodes[k][0] for k in keys))
        out.extend(self.raw)
        out.append("}")
        return "\n".join(out) + "\n"

    def _run(self, text, dpi, out, base):
        cmd = [self.engine, "-Tpng:cairo", "-Gdpi=%d" % dpi, "-o", out]
        proc = subprocess.run(cmd, input=text.encode("utf-8"),
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        if proc.returncode != 0 or not os.path.exists(out):
            raise RuntimeError("%s failed for %s: %s" % (self.engine, base,
                               proc.stderr.decode("utf-8", "replace")[-2000:]))

    def render(self, path, keep_dir=None):
        """Draw the picture; when it comes out wider than WIDE_PX, lay it out again
        more tightly (see LAYOUT_VARIANTS) and keep the first that fits, else the narrowest."""
        base = os.path.splitext(os.path.basename(path))[0]
        tmp = path + ".tmp.png"
        cap = int(float(MAX_SIZE.split(",")[1]) * DEFAULT_DPI) - 2
        tried = []
        for i, variant in enumerate(LAYOUT_VARIANTS[self.engine]):
            text = self.dot_text(variant)
            self._run(text, DEFAULT_DPI, tmp, base)
            w, h = png_size(tmp)
            tried.append((w, h, i, text))
            if i == 0 and w <= WIDE_PX:
                break
        # Of the layouts that fit the width and were not shrunk to the size bound, the one
        # with the shortest long side; else the narrowest.
        if os.environ.get("KBGRAPH_DEBUG"):
            print("  layouts tried: %s" % [(t[0], t[1]) for t in tried], file=sys.stderr)
        fits = [t for t in tried if t[0] <= WIDE_PX and t[1] < cap]
        if fits:
            text = min(fits, key=lambda t: (max(t[0], t[1]), t[2]))[3]
        else:
            text = min(tried, key=lambda t: (t[1] >= cap, t[0], t[2]))[3]
        if keep_dir:
            os.makedirs(keep_dir, exist_ok=True)
            with open(os.path.join(keep_dir, base + ".dot"), "w", encoding="utf-8") as fh:
                fh.write(text)
        dpi = DEFAULT_DPI
        for _ in range(6):
            self._run(text, dpi, tmp, base)
            if os.path.getsize(tmp) > MAX_BYTES:
                shrink(tmp)
            if os.path.getsize(tmp) <= MAX_BYTES:
                break
            dpi = int(dpi * 0.85)
        os.replace(tmp, path)
        return os.path.getsize(path)


def png_size(path):
    """Width and height of a PNG file."""
    with open(path, "rb") as fh:
        head_bytes = fh.read(24)
    if len(head_bytes) < 24 or head_bytes[:8] != b"\x89PNG\r\n\x1a\n":
        return 0, 0
    return struct.unpack(">II", head_bytes[16:24])


def shrink(path):
    convert = shutil.which("convert")
    if not convert:
        return
    small = path + ".q.png"
    subprocess.run([convert, path, "-strip", "+dither", "-colors", "256", "-define", "png:compression-level=9",
                    "-define", "png:exclude-chunks=date,time",
                    small], stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if os.path.exists(small) and 0 < os.path.getsize(small) < os.path.getsize(path):
        os.replace(small, path)
    elif os.path.exists(small):
        os.remove(small)


# ------------------------------------------------------------- the pictures

def kb_counts(kb):
    # No totals here: they would redraw every picture whenever one entry is added.
    return "依据 Quorvanta 知识库自动生成"


def org_label(text, width=24):
    """An organisation name with its bracketed remark on a line of its own."""
    name = head(text) or text
    label = wrap(name, width)
    for part in paren_parts(text):
        label += "\n" + wrap("（%s）" % part, width)
    return label


DEAL_NOTE = ("红色实线：已完成的收购（标注完成年份）；深红粗线：母公司（parentCompany）；"
             "橙色虚线：已宣布、尚未完成的收购（已宣布/announced，标注宣布日期）；灰色点线：已终止的收购。")


def month_of(text):
    m = re.search(r"(19|20)\d\d(-\d\d)?", text or "")
    return m.group(0) if m else ""


def deal_edge(d, with_target=False):
    """Edge attributes of a deal by its status; a deal not completed never looks completed."""
    what = ""
    if with_target:
        what = "\n" + wrap(d["target_label"], 24)
    if d["status"] == "announced":
        return {"color": "#EF6C00", "style": "dashed", "penwidth": "2", "fontcolor": "#E65100",
                "fontsize": "12", "label": "已宣布/announced %s%s" % (month_of(d["announced"]) or d["year"], what)}
    if d["status"] == "terminated":
        return {"color": "#9E9E9E", "style": "dotted", "penwidth": "1.6", "fontcolor": "#757575",
                "label": "已终止/terminated %s%s" % (d["year"], what)}
    return {"color": "#C62828", "style": "solid", "penwidth": "1.8", "fontcolor": "#C62828",
            "label": ("收购 %s%s" % (d["year"], what)).replace("收购  ", "收购 ").strip()}


def owner_edge(o):
    if o["kind"] == "parent":
        return {"color": "#880E4F", "style": "bold", "penwidth": "2.4", "fontcolor": "#880E4F",
                "label": "母公司"}
    return deal_edge(o["deal"])


def org_node(g, kb, company, text, cluster=None):
    """The node of an organisation: a vendor box for an entry, else a dashed owner box."""
    if company is not None:
        return g.vendor(company["name"], cluster=cluster)[1]
    key = "parent:" + norm(head(text) or text)
    g.node(key, org_label(text), "parent", cluster=cluster)
    return key


def deal_node_style(d):
    if d["status"] == "announced":
        return {"style": "filled,dashed", "fillcolor": "#FFF3E0", "color": "#EF6C00", "penwidth": "2"}
    if d["status"] == "terminated":
        return {"style": "filled,dotted", "fillcolor": "#F5F5F5", "color": "#9E9E9E"}
    return {}


def deal_status_line(d):
    if d["status"] == "announced":
        return "已宣布/announced %s，尚未完成" % (d["announced"] or d["year"])
    if d["status"] == "terminated":
        return "已终止/terminated %s" % (d["date"] or d["year"])
    return ""


def kernel_nodes_for(g, kb, sw, shared, cluster=None):
    """Add geometry kernel / shared engine nodes for a product; returns keys."""
    keys = []
    for ks in kb.sw_kernels(sw):
        k = kb.find_kernel(ks)
        if k:
            key = "kernel:" + k["key"]
            g.node(key, wrap(k["name"], 18), "kernel", cluster=cluster)
            keys.append((key, "kernel"))
            continue
        other = kb.find_sw(ks)
        if other and other is not sw:
            keys.append((g.product(other)[1], "product"))
            continue
        n = norm(ks)
        if shared.get(n, 0) >= 2:
            key = "engine:" + n
            g.node(key, wrap(head(ks), 18), "engine", cluster=cluster)
            keys.append((key, "engine"))
    return keys


def shared_engines(kb):
    count = defaultdict(int)
    for sw in kb.software:
        for ks in set(norm(k) for k in kb.sw_kernels(sw)):
            count[ks] += 1
    return count


# ---- per category pictures

def category_knowledge_map(kb, cat):
    info = kb.cat_info(cat)
    sws = kb.sw_in(cat)
    g = Graph(kb, "%s 子知识图谱" % cat,
              "%s（%s）：细分领域 → 软件产品 → 厂商与几何内核/求解引擎。%s"
              % (kb.cat_name(cat) or cat, cat, kb_counts(kb)),
              notes=["实线：类别、细分领域与产品的归属；橙色线：开发厂商；绿色虚线：采用的几何内核或共用引擎。"])
    _, ck = g.category(cat)
    subs = info.get("subcategories") or []
    if subs:
        g.card("subs:" + cat, "细分方向（类别配置）", subs, color=kb.cat_color(cat))
        g.edge(ck, "subs:" + cat, style="dotted", arrowhead="none")
    shared = shared_engines(kb)
    segments = OrderedDict()
    for sw in sorted(sws, key=lambda s: (s.get("subCategory", ""), s["name"].lower())):
        segments.setdefault(sw.get("subCategory") or "其他", []).append(sw)
    for seg, items in segments.items():
        sk = "seg:" + norm(seg)
        g.node(sk, wrap(seg, 22), "segment")
        g.edge(ck, sk, color=kb.cat_color(cat))
        for sw in items:
            _, pk = g.product(sw)
            g.edge(sk, pk, color=kb.cat_color(cat))
            if sw.get("vendor"):
                _, vk = g.vendor(sw["vendor"])
                g.edge(pk, vk, color="#EF6C00")
            for kk, kind in kernel_nodes_for(g, kb, sw, shared):
                g.edge(pk, kk, style="dashed", color="#2E7D32" if kind != "product" else "#90A4AE")
    return g


def category_vendor_map(kb, cat):
    sws = kb.sw_in(cat)
    g = Graph(kb, "%s 厂商与产品关系图" % cat,
              "%s（%s）领域的厂商（按国家/地区分组）、其在知识库中的产品以及母公司/收购方。%s"
              % (kb.cat_name(cat) or cat, cat, kb_counts(kb)),
              notes=[DEAL_NOTE, "厂商框内注明所在国家与成立年份；“另有”表示该厂商在其他类别中的产品数。"])
    by_vendor = OrderedDict()
    for sw in sorted(sws, key=lambda s: (s.get("vendor", ""), s["name"].lower())):
        by_vendor.setdefault(sw.get("vendor") or "（未注明厂商）", []).append(sw)
    countries = defaultdict(list)
    for v in by_vendor:
        countries[kb.country(v) or "开源社区/其他"].append(v)
    for country in sorted(countries, key=lambda c: (-len(countries[c]), c)):
        cl = g.cluster("country:" + country, country, color="#F9A825", fill="#FFFDE7")
        for v in countries[country]:
            vid, vk = g.vendor(v, cluster=cl)
            total = sum(1 for s in kb.software if s.get("vendor") == v)
            for sw in by_vendor[v]:
                _, pk = g.product(sw, cluster=cl)
                g.edge(vk, pk, color="#EF6C00")
            if total > len(by_vendor[v]):
                ok = "other:" + norm(v)
                g.node(ok, "另有 %d 款\n其他类别产品" % (total - len(by_vendor[v])), "segment",
                       cluster=cl, fontsize="12")
                g.edge(vk, ok, style="dotted", arrowhead="none")
    # Owners only after every vendor sits in its country's box.
    for v in by_vendor:
        company = kb.company_by_name.get(norm(v))
        chain = 0
        while company is not None and chain < 3:
            chain += 1
            o = kb.owner(company)
            if o is None:
                break
            pk2 = org_node(g, kb, o["company"], o["text"])
            g.edge(pk2, "vendor:" + norm(company["name"]), **owner_edge(o))
            company = o["company"]
    # Deals not (yet) completed that would move this category's vendors or products.
    names = set(by_vendor)
    for d in kb.deals():
        if d["status"] == "completed":
            continue
        tc = d["target_company"]
        seller = kb.find_company(d["seller"]) if d["seller"] else None
        moved = tc if tc is not None and tc["name"] in names else \
            (seller if seller is not None and seller["name"] in names else None)
        if moved is None:
            continue
        ak = org_node(g, kb, d["acquirer_company"], d["acquirer_text"])
        g.edge(ak, "vendor:" + norm(moved["name"]), **deal_edge(d, with_target=tc is None))
    return g


def category_competition_map(kb, cat):
    sws = kb.sw_in(cat)
    g = Graph(kb, "%s 产品竞争关系图" % cat,
              "%s（%s）产品在知识库中列出的主要竞品（competitiveAnalysis）；其他类别的产品用各自类别颜色表示。%s"
              % (kb.cat_name(cat) or cat, cat, kb_counts(kb)),
              engine="neato", directed=False, size="20,15",
              notes=["连线表示至少一方把另一方列为竞品；粗线表示双方互相列为竞品。虚线框为知识库外的产品。"])
    pairs = {}
    for sw in sws:
        _, a = g.product(sw, fontsize="15", penwidth="2")
        for name, vendor in kb.competitors(sw):
            other = kb.find_sw(name)
            if other is sw:
                continue
            if other:
                _, b = g.product(other)
            else:
                b = g.product_or_external(name, vendor)
            k = tuple(sorted((a, b)))
            pairs[k] = pairs.get(k, 0) + 1
    for (a, b), n in pairs.items():
        g.edge(a, b, penwidth="3" if n > 1 else "1.2",
               color="#455A64" if n > 1 else "#90A4AE")
    g.graph_attrs.update({"overlap": "prism", "sep": dq("+14"), "K": "1.2"})
    return g


# ---- technology pictures

def kernel_lineage(kb):
    g = Graph(kb, "几何内核技术谱系",
              "主流 B-rep 几何建模内核的起源、派生、归属与采用情况。%s" % kb_counts(kb),
              size="20,16",
              notes=["灰色虚线：技术起源；绿色粗线：派生/分叉；橙色线：开发与维护厂商；红色实线：厂商被收购（完成年份）；深红粗线：母公司；卡片列出知识库中采用该内核的产品。"])
    users = defaultdict(list)
    for sw in kb.software:
        for ks in kb.sw_kernels(sw):
            k = kb.find_kernel(ks)
            if k and sw["name"] not in users[k["key"]]:
                users[k["key"]].append(sw["name"])
    custom = OrderedDict()
    for sw in kb.software:
        for ks in kb.sw_kernels(sw):
            if kb.find_kernel(ks) or ks.startswith("宿主") or kb.find_sw(ks):
                continue
            # Only geometry kernels: simulation or compiler "kernels" are not B-rep modellers.
            if re.search(r"内核|kernel|几何引擎|几何建模", ks, re.I) and \
                    not re.search(r"求解|仿真|编译|simulat|solver", ks, re.I):
                custom.setdefault(head(ks) or ks, []).append(sw)
    for k in kb.kernels:
        e = k["entry"] or {}
        kk = "kernel:" + k["key"]
        label = k["name"]
        full = e.get("fullName") or ""
        if full and not full.startswith(k["name"]) and len(full) < 40:
            label += "\n" + full
        g.node(kk, wrap(label, 18), "kernel", fontsize="15", penwidth="2")
        for u in ((e.get("applications") or {}).get("directUsers") or []):
            name = u.get("software") if isinstance(u, dict) else u
            sw = kb.find_sw(name or "")
            shown = sw["name"] if sw else name
            if shown and shown not in users[k["key"]]:
                users[k["key"]].append(shown)
        if k["vendor"]:
            _, vk = g.vendor(k["vendor"])
            g.edge(vk, kk, color="#EF6C00", label="开发/维护")
            o = kb.owner(kb.company_by_name.get(norm(k["vendor"])))
            if o:
                g.edge(org_node(g, kb, o["company"], o["text"]), vk, **owner_edge(o))
        texts = [text_of(e.get("description"))]
        td = e.get("technicalDetails") or {}
        apps = e.get("applications") or {}
        texts += [td.get("origin", ""), apps.get("history", "")] if isinstance(td, dict) else []
        for t in texts:
            for m in re.finditer(r"(?:起源于|源自)([^，。；,;]+)", t or ""):
                org = m.group(1).strip()
                if kb.find_kernel(org):
                    continue
                ok = "origin:" + norm(org)
                g.node(ok, wrap(org, 20), "origin")
                g.edge(ok, kk, style="dashed", color="#757575", label="起源")
        for t in texts:
            for sentence in re.split(r"[。；;]", t or ""):
                if "分叉" not in sentence and "派生" not in sentence:
                    continue
                for other in kb.kernel_mentions(sentence):
                    if other["key"] == k["key"]:
                        continue
                    y = year_of(sentence)
                    lab = ("分叉 " + y) if y else "派生"
                    pos = sentence.find("分叉出")
                    mention = min((sentence.lower().find(a) for a in other["aliases"]
                                   if sentence.lower().find(a) >= 0), default=-1)
                    ok2 = "kernel:" + other["key"]
                    g.node(ok2, wrap(other["name"], 22), "kernel", fontsize="15", penwidth="2")
                    # A fork does not push the younger kernel a rank further: that would
                    # widen the picture by a whole column.
                    if pos >= 0 and mention > pos:
                        g.edge(kk, ok2, color="#2E7D32", penwidth="3", label=lab, constraint="false")
                    else:
                        g.edge(ok2, kk, color="#2E7D32", penwidth="3", label=lab, constraint="false")
        if users[k["key"]]:
            ck = "users:" + k["key"]
            g.card(ck, "采用者（%d）" % len(users[k["key"]]), users[k["key"]], color="#43A047",
                   width=26, max_rows=10)
            g.edge(kk, ck, color="#66BB6A", arrowhead="none")
    for name, sws in custom.items():
        kk = "kernel:custom:" + norm(name)
        g.node(kk, wrap(name, 16) + "\n（厂商自有内核）", "kernel", fontsize="13")
        for sw in sws:
            if sw.get("vendor"):
                _, vk = g.vendor(sw["vendor"])
                g.edge(vk, kk, color="#EF6C00", label="开发/维护")
        ck = "users:custom:" + norm(name)
        g.card(ck, "采用者（%d）" % len(sws), [s["name"] for s in sws], color="#43A047", width=26)
        g.edge(kk, ck, color="#66BB6A", arrowhead="none")
    return g


def kernel_usage(kb):
    g = Graph(kb, "几何内核与应用软件关系图",
              "知识库中各软件技术规格的内核字段与内核条目的应用清单所记载的几何内核采用关系，产品按类别着色。%s"
              % kb_counts(kb), size="18,16", rankdir="LR",
              notes=["绿色实线：采用该内核作为几何基础；虚线框为知识库外的产品或项目。"])
    for k in kb.kernels:
        g.node("kernel:" + k["key"], wrap(k["name"], 18), "kernel", fontsize="16", penwidth="2")
    for sw in kb.software:
        for ks in kb.sw_kernels(sw):
            k = kb.find_kernel(ks)
            if k:
                _, pk = g.product(sw)
                g.edge("kernel:" + k["key"], pk, color="#2E7D32")
    for k in kb.kernels:
        for u in (((k["entry"] or {}).get("applications") or {}).get("directUsers") or []):
            name = u.get("software") if isinstance(u, dict) else u
            if not name:
                continue
            pk = g.product_or_external(name)
            g.edge("kernel:" + k["key"], pk, color="#2E7D32")
    return g


TYPE_NAMES = {"linear": "线性方程组", "nonlinear": "非线性", "eigenvalue": "特征值",
              "transient": "瞬态/时间积分", "flow": "流动求解", "optimization": "优化"}
TECH_LIST_KEYS = [("representativeLibraries", "代表库/工具"), ("implementations", "实现"),
                  ("programmingModels", "编程模型"), ("deliveryModels", "交付模式")]


def tech_category_map(kb, tcat, title):
    tinfo = kb.categories.get("technologyCategories", {}).get(tcat, {})
    entries = [t for t in kb.techs if t["_tcat"] == tcat]
    g = Graph(kb, title,
              "%s：技术条目 → 代表库/实现 → 采用这些技术的软件；%s"
              % (tinfo.get("name", tcat), kb_counts(kb)),
              size="22,16",
              notes=["紫色方框：技术条目，紫色卡片：代表库/实现；彩色椭圆：知识库中采用该技术的软件（按类别着色）；便签：知识库中的相关文章。"])
    rk = "tcat:" + tcat
    g.node(rk, "%s\n%s" % (tinfo.get("name", tcat), tcat), "techcat")
    types = tinfo.get("types")
    sections = []
    if isinstance(types, dict):
        sections = [(TYPE_NAMES.get(k, k), v) for k, v in types.items() if isinstance(v, list)]
    elif isinstance(types, list) and types:
        sections = [("类型", types)]
    if sections:
        g.section_card("types", "%s · 类型/分类（类别配置）" % tinfo.get("name", tcat), sections,
                       color="#8E24AA", width=40)
        # Beside the category node rather than a column of its own.
        g.edge("types", rk, style="dotted", arrowhead="none", constraint="false")
    docs = kb.tech_docs.get(tcat, [])
    for d in docs:
        g.node("doc:" + d, wrap(os.path.splitext(d)[0], 16), "format", shape="note",
               fillcolor="#FFFDE7", legend=False)
        g.use_legend("知识库文章", "#FFFDE7", "#F9A825")
    for t in entries:
        tk = "tech:" + t.get("id", t["name"])
        label = t["name"]
        if t.get("type"):
            label += "\n" + t["type"]
        g.node(tk, wrap(label, 22), "technology", fontsize="15", penwidth="1.8")
    for t in entries:
        tk = "tech:" + t.get("id", t["name"])
        g.edge(rk, tk, color="#6A1B9A", penwidth="1.8")
        for d in t.get("relatedDocuments") or []:
            g.edge(tk, "doc:" + d, style="dotted", arrowhead="none", color="#F9A825")
        for key, lab in TECH_LIST_KEYS:
            libs = t.get(key)
            names = list(libs.keys()) if isinstance(libs, dict) else (libs if isinstance(libs, list) else [])
            names = [n for n in names if isinstance(n, str)]
            if names:
                lk = "lib:%s:%s" % (t.get("id", t["name"]), key)
                g.card(lk, "%s · %s" % (t["name"], lab), names, color="#AB47BC", width=30)
                g.use_legend("库/工具/实现（卡片）", "#AB47BC", "#6A1B9A")
                g.edge(lk, tk, color="#AB47BC", arrowhead="none")
            for name in names:
                other = kb.find_tech(name)
                if other and other is not t and other["_tcat"] == tcat:
                    g.edge(lk, "tech:" + other.get("id", other["name"]), style="dashed",
                           color="#AB47BC")
        for u in t.get("usedBy") or []:
            if not isinstance(u, str):
                continue
            sw = kb.find_sw(u)
            if sw:
                _, pk = g.product(sw)
            else:
                pk = g.product_or_external(u)
            g.edge(tk, pk, color="#78909C")
        blob = json.dumps({k: v for k, v in t.items() if k not in ("metadata",)}, ensure_ascii=False)
        for k in kb.kernel_mentions(blob):
            kk = "kernel:" + k["key"]
            g.node(kk, wrap(k["name"], 18), "kernel")
            g.edge(kk, tk, style="dashed", color="#2E7D32", label="几何输入")
    seen = set()
    for t in entries:
        seen.add(norm(t["name"]))
        for key, _lab in TECH_LIST_KEYS:
            libs = t.get(key)
            if isinstance(libs, (dict, list)):
                seen.update(norm(n) for n in libs if isinstance(n, str))
    players = [p for p in (tinfo.get("keyPlayers") or []) if isinstance(p, str)]
    shown = [p for p in players if not kb.find_sw(p)
             and not any(n and (n in norm(p) or norm(p) in n) for n in seen)]
    if shown:
        g.card("players:" + tcat, "其他代表厂商/技术（类别配置）", shown, color="#6A1B9A", width=28)
        g.edge(rk, "players:" + tcat, style="dotted", arrowhead="none")
    return g


def tech_kinds(kb):
    names = [info.get("name", key) for key, info in
             (kb.categories.get("technologyCategories") or {}).items() if isinstance(info, dict)]
    return "%d 类核心技术（%s）" % (len(names), "、".join(names)) if names else "核心技术"


def technology_overview(kb):
    g = Graph(kb, "核心技术总览图",
              "知识库的%s：条目、关键亮点、代表厂商/技术与专题文章。%s" % (tech_kinds(kb), kb_counts(kb)),
              rankdir="TB")
    g.node("root", "工业软件核心技术", "root")
    cats = list(kb.categories.get("technologyCategories", {}).keys())
    for t in kb.techs:
        if t["_tcat"] and t["_tcat"] not in cats:
            cats.append(t["_tcat"])
    keys = []
    for tc in cats:
        info = kb.categories.get("technologyCategories", {}).get(tc, {})
        entries = [t for t in kb.techs if t["_tcat"] == tc]
        rows = []
        for t in entries:
            extra = t.get("vendor") or t.get("type") or ""
            rows.append("%s（%s）" % (t["name"], extra) if extra else t["name"])
        sections = [("技术条目（%d 项）" % len(entries), rows)]
        if info.get("highlights"):
            sections.append(("关键亮点", [h for h in info["highlights"][:5] if isinstance(h, str)]))
        if info.get("keyPlayers"):
            sections.append(("代表厂商/技术", info["keyPlayers"]))
        docs = [os.path.splitext(d)[0] for d in kb.tech_docs.get(tc, [])]
        if docs:
            sections.append(("专题文章", docs))
        color = "#2E7D32" if tc == "kernels" else "#6A1B9A"
        ck = "tcat:" + tc
        g.section_card(ck, "%s · %s" % (info.get("name", tc), tc), sections, color=color, width=34,
                       header_size=17)
        keys.append(ck)
    articles = [t for t in kb.techs if not t["_tcat"]]
    if articles:
        ak = "tcat:articles"
        g.section_card(ak, "专题文章", [("技术专题", [t["name"] for t in articles])], color="#8D6E63",
                       width=24, header_size=17)
        keys.append(ak)
    g.use_legend("几何内核", "#2E7D32", "#1B5E20")
    g.use_legend("求解器/网格/HPC", "#6A1B9A", "#4A148C")
    grid(g, "root", keys, 3, color="#6A1B9A")
    return g


def deal_lines(d, width=26):
    """Text of a deal box: buyer, target, products, status."""
    verb = {"completed": "收购", "announced": "宣布收购", "terminated": "终止收购"}[d["status"]]
    lines = "%s\n%s %s" % (wrap(d["acquirer"], width), verb, wrap(d["target_label"], width))
    if d["target_note"]:
        lines += "\n" + wrap("（%s）" % d["target_note"], width)
    if d["seller"] and norm(d["seller"]) not in norm(d["target_label"]):
        lines += "\n" + wrap("出售方：%s" % d["seller"], width)
    if d["focus"]:
        lines += "\n" + wrap("产品：" + "、".join(d["focus"]), width + 2)
    return lines


def acquisition_timeline(kb):
    acqs = [d for d in kb.deals() if d["year"]]
    g = Graph(kb, "工业软件并购时间线",
              "知识库公司资料（acquisitions、acquisitionInfo、divestitures）与事件（events）中的并购，"
              "同一交易只画一次；已完成者按完成年份、未完成者按宣布年份排列。%s" % kb_counts(kb),
              rankdir="TB",
              notes=["红框：已完成的收购（收购方 → 被收购方，下方为带来的产品与完成日期）；橙色虚线框：已宣布、尚未完成（已宣布/announced）；灰色点线框：已终止。"])
    years = sorted(set(a["year"] for a in acqs))
    per_row = 3
    prev = None
    for y in years:
        items = [a for a in acqs if a["year"] == y]
        for r in range(0, len(items), per_row):
            yk = "year:%s:%d" % (y, r)
            g.node(yk, y if r == 0 else "", "year", **({} if r == 0 else {"style": "invis"}))
            if prev:
                g.edge(prev, yk, color="#37474F", penwidth="3", arrowhead="none")
            prev = yk
            row = [yk]
            for i, a in enumerate(items[r:r + per_row]):
                ek = "acq:%s:%d" % (y, r + i)
                lines = deal_lines(a)
                status = deal_status_line(a)
                if status:
                    lines += "\n" + status
                elif a["date"] and a["date"] != y:
                    lines += "\n（完成：%s）" % a["date"]
                g.node(ek, lines, "event", fontsize="12", **deal_node_style(a))
                g.edge(yk, ek, style="invis")
                row.append(ek)
            g.same_rank(row)
    if any(a["status"] == "announced" for a in acqs):
        g.use_legend("已宣布/announced", "#FFF3E0", "#EF6C00")
    if any(a["status"] == "terminated" for a in acqs):
        g.use_legend("已终止/terminated", "#F5F5F5", "#9E9E9E")
    return g


def ownership_map(kb):
    g = Graph(kb, "工业软件企业所有权关系图",
              "收购方 → 被收购企业（依据公司资料 acquisitions、acquisitionInfo、divestitures、parentCompany 与事件，"
              "同一交易只画一次），被收购企业框内列出其在知识库中的产品。%s" % kb_counts(kb),
              notes=[DEAL_NOTE, "橙色框为知识库中的厂商，虚线框为知识库外的母公司、收购方或被收购企业/业务。"])

    def label_with_products(name, prods, width=20):
        label = wrap(name, width)
        if prods:
            more = " 等 %d 款" % len(prods) if len(prods) > 4 else ""
            label += "\n" + wrap("产品：" + "、".join(prods[:4]) + more, 24)
        return label

    def company_node(c):
        prods = [s["name"] for s in kb.software if s.get("vendor") == c["name"]]
        key = "vendor:" + norm(c["name"])
        g.node(key, label_with_products(c["name"], prods), "vendor")
        return key

    renamed = set((d["renamed_to"]["name"], norm(d["acquirer_text"])) for d in kb.deals()
                  if d["renamed_to"] is not None)
    for c in kb.companies:
        o = kb.owner(c)
        if o and o["kind"] == "parent":
            if (c["name"], norm(o["text"])) in renamed:
                continue   # drawn below as the deal that made the company
            ck = company_node(c)
            pk = company_node(o["company"]) if o["company"] else org_node(g, kb, None, o["text"])
            g.edge(pk, ck, **owner_edge(o))
    for d in kb.deals():
        ak = company_node(d["acquirer_company"]) if d["acquirer_company"] else \
            org_node(g, kb, None, d["acquirer_text"])
        if d["target_company"]:
            tk = company_node(d["target_company"])
        else:
            label = d["target_label"]
            if d["target_note"]:
                label += "\n（%s）" % d["target_note"]
            tk = "target:" + norm(d["target_label"])
            g.node(tk, label_with_products(label, d["focus"]), "parent",
                   **({"style": "filled,rounded,dashed"} if d["status"] == "completed"
                      else {"style": "filled,rounded,dashed", "fillcolor": "#FFF3E0", "color": "#EF6C00"}))
            if d["seller"]:
                sc = kb.find_company(d["seller"])
                sk = company_node(sc) if sc else org_node(g, kb, None, d["seller"])
                g.edge(sk, tk, color="#8D6E63", style="dotted", arrowhead="none",
                       label="出售方", fontcolor="#6D4C41")
        g.edge(ak, tk, **deal_edge(d))
        if d["renamed_to"] is not None:
            g.edge(tk, company_node(d["renamed_to"]), color="#880E4F", style="dotted",
                   penwidth="2", label="今为", fontcolor="#880E4F", constraint="false")
    if any(d["status"] == "announced" for d in kb.deals()):
        g.use_legend("已宣布/announced 交易的标的", "#FFF3E0", "#EF6C00")
    return g


def group_map(kb, top):
    members = [top] + [c["name"] for c in kb.companies
                       if kb.group_of(c["name"]) == top and c["name"] != top]
    title = GROUP_TITLES.get(top, top)
    g = Graph(kb, "%s 产品与并购版图" % title,
              "%s 及其旗下企业在知识库中的产品（按类别分组）、几何内核与收购（同一交易只画一次）。%s" % (top, kb_counts(kb)),
              notes=["橙色框：集团及旗下企业；红色框：已完成的收购；橙色虚线框：已宣布、尚未完成的交易（已宣布/announced）；"
                     "彩色椭圆：产品；卡片：公司资料中列出但知识库尚未单独收录的产品。",
                     "红色实线：收购（完成年份）；深红粗线：母公司。"])
    _, rk = g.vendor(top)
    member_deals = set()
    founding = [d for d in kb.deals() if d["renamed_to"] is not None and d["renamed_to"]["name"] in members]
    for d in founding:
        # The deal that made a member company: buyer → deal → the company it became.
        ek = "founding:%s" % norm(d["target_label"])
        text = "%s\n收购 %s\n%s" % (wrap(d["acquirer"], 22), wrap(d["target_label"], 22),
                                    d["date"] or d["year"])
        if d["focus"]:
            text += "\n" + wrap("带来：" + "、".join(d["focus"]), 22)
        if d["status"] != "completed":
            text += "\n" + deal_status_line(d)
        g.node(ek, text, "event", **deal_node_style(d))
        g.edge(org_node(g, kb, d["acquirer_company"], d["acquirer_text"]), ek, **deal_edge(d))
        g.edge(ek, "vendor:" + norm(d["renamed_to"]["name"]), color="#880E4F", style="dotted",
               penwidth="2", label="今为", fontcolor="#880E4F")
        member_deals.add(id(d))
    top_owner = kb.owner(kb.company_by_name.get(norm(top)))
    if top_owner and top_owner["company"] is None and not any(
            d["renamed_to"]["name"] == top and norm(d["acquirer_text"]) == norm(top_owner["text"])
            for d in founding):
        g.edge(org_node(g, kb, None, top_owner["text"]), rk, **owner_edge(top_owner))
    for m in members[1:]:
        _, mk = g.vendor(m)
        o = kb.owner(kb.company_by_name.get(norm(m)))
        if o is None or any(d["renamed_to"]["name"] == m for d in founding):
            continue
        src = "vendor:" + norm(o["company"]["name"]) if o["company"] else rk
        g.edge(src, mk, **owner_edge(o))
        if o["deal"] is not None:
            member_deals.add(id(o["deal"]))
    for cat in kb.software_cats():
        sws = [s for s in kb.sw_in(cat) if s.get("vendor") in members]
        if not sws:
            continue
        cl = g.cluster("cat:" + cat, "%s · %s" % (cat, kb.cat_name(cat)), color=kb.cat_color(cat),
                       fill=tint(kb.cat_color(cat), 0.93))
        for sw in sws:
            _, pk = g.product(sw, cluster=cl)
            g.edge("vendor:" + norm(sw["vendor"]), pk, color="#EF6C00")
    for k in kb.kernels:
        if k["vendor"] in members:
            kk = "kernel:" + k["key"]
            g.node(kk, wrap(k["name"], 18), "kernel")
            g.edge("vendor:" + norm(k["vendor"]), kk, color="#2E7D32")
    for i, d in enumerate(kb.deals()):
        if id(d) in member_deals:
            continue
        buyer = d["acquirer_company"]["name"] if d["acquirer_company"] else ""
        seller = kb.find_company(d["seller"]) if d["seller"] else None
        selling = seller is not None and seller["name"] in members and buyer not in members
        if buyer not in members and not selling:
            continue
        if d["target_company"] is not None and d["target_company"]["name"] in members \
                and d["status"] == "completed":
            continue
        ek = "acq:%d" % i
        if selling:
            text = "%s\n%s %s" % ("出售" if d["status"] == "completed" else "已宣布出售",
                                    wrap(d["target_label"], 22), wrap("给 " + d["acquirer"], 22))
        else:
            verb = {"completed": "收购", "announced": "已宣布收购", "terminated": "已终止收购"}[d["status"]]
            text = "%s %s" % (verb, wrap(d["target_label"], 22))
            if d["target_note"]:
                text += "\n" + wrap("（%s）" % d["target_note"], 22)
        text += "\n" + (deal_status_line(d) if d["status"] != "completed" else (d["date"] or d["year"]))
        g.node(ek, text, "event", **deal_node_style(d))
        if selling:
            g.edge("vendor:" + norm(seller["name"]), ek, **deal_edge(d))
        else:
            g.edge("vendor:" + norm(buyer), ek, **deal_edge(d))
        for f in d["focus"]:
            sw = kb.find_sw(f)
            if sw and g.has("sw:" + sw.get("id", sw["name"])):
                if d["status"] == "completed" and not selling:
                    g.edge(ek, "sw:" + sw.get("id", sw["name"]), style="dotted", color="#E57373",
                           label="带来")
                else:
                    g.edge(ek, "sw:" + sw.get("id", sw["name"]), style="dotted", color="#FFB74D",
                           label="涉及")
    if any(d["status"] == "announced" for d in kb.deals()):
        g.use_legend("已宣布/announced", "#FFF3E0", "#EF6C00")
    for m in members:
        c = kb.company_by_name.get(norm(m))
        if not c:
            continue
        known = set()
        for s in kb.software:
            known.update({norm(s["name"]), norm(s.get("fullName", ""))})
        extra = [p for p in (c.get("products") or []) if isinstance(p, str)
                 and norm(p) not in known and not kb.find_sw(p)
                 and not kb.find_kernel(p) and not kb.find_tech(p)]
        if extra:
            ck = "more:" + norm(m)
            g.card(ck, "%s 的其他产品" % m, extra, color="#EF6C00", width=30, max_rows=10)
            g.edge("vendor:" + norm(m), ck, color="#FFB74D", arrowhead="none")
    return g


def top_groups(kb, minimum=5):
    counts = defaultdict(int)
    for sw in kb.software:
        if sw.get("vendor") and kb.company_by_name.get(norm(sw["vendor"])):
            counts[kb.group_of(sw["vendor"])] += 1
    return [v for v, n in sorted(counts.items(), key=lambda kv: (-kv[1], kv[0])) if n >= minimum]


# ---- disciplines

def discipline_items(kb):
    return list((kb.categories.get("disciplineCategories") or {}).items())


def discipline_overview(kb):
    g = Graph(kb, "学科知识图谱总览",
              "%d 个工程学科：子学科（括号内为知识库文档数）与核心专题。%s"
              % (len(discipline_items(kb)), kb_counts(kb)),
              rankdir="TB")
    g.node("root", "工程学科", "root")
    keys = []
    for key, info in discipline_items(kb):
        docs = sum(len(v) for k, v in kb.discipline_docs.items() if k == key or k.startswith(key + "/"))
        sections = []
        subs = ["%s（%d 篇）" % (sub.get("name", ""), len(kb.discipline_docs.get(sub.get("dataPath", ""), [])))
                for sub in info.get("subDisciplines") or []]
        if subs:
            sections.append(("子学科", subs))
        if info.get("topics"):
            sections.append(("核心专题", info["topics"]))
        dk = "disc:" + key
        g.section_card(dk, "%s · %s\n知识库文档 %d 篇" % (info.get("name", key), key, docs), sections,
                       color="#00897B", width=30, header_size=15)
        keys.append(dk)
    g.use_legend("学科", "#00897B", "#004D40")
    grid(g, "root", keys, 5, color="#00897B")
    return g


def discipline_map(kb, key, info):
    name = info.get("name", key)
    g = Graph(kb, "%s学科图谱" % name,
              "%s（%s）：子学科、关键方法、分析重点、推荐软件与知识库文档。%s" % (name, key, kb_counts(kb)),
              size="22,16",
              notes=["青色卡片：学科与子学科（含关键方法、分析重点与知识库文档）；彩色椭圆：推荐软件（按类别着色），虚线框为知识库外的软件。"])

    def sections(data, docs_path):
        out = []
        if data.get("keyMethods"):
            out.append(("关键方法", data["keyMethods"]))
        if data.get("analysisFocus"):
            out.append(("分析重点", data["analysisFocus"]))
        docs = kb.discipline_docs.get(docs_path, [])
        if docs:
            out.append(("知识库文档", ["%s（%s）" % d for d in docs]))
        return out

    dk = "disc:" + key
    g.section_card(dk, "%s · %s" % (name, key), sections(info, key), color="#00897B", width=36,
                   header_size=18)
    g.use_legend("学科", "#00897B", "#004D40")
    subs = info.get("subDisciplines") or []
    sub_soft = set()
    for sub in subs:
        sk = "sub:" + sub.get("id", "")
        g.section_card(sk, sub.get("name", ""), sections(sub, sub.get("dataPath", "")),
                       color="#26A69A", width=34)
        g.use_legend("子学科", "#26A69A", "#00695C")
        g.edge(dk, sk, color="#00897B", penwidth="2.5")
        for soft in sub.get("recommendedSoftware") or []:
            if isinstance(soft, str):
                g.edge(sk, g.product_or_external(soft), color="#4DB6AC")
                sub_soft.add(norm(soft))
    for soft in info.get("recommendedSoftware") or []:
        if isinstance(soft, str):
            pk = g.product_or_external(soft)
            if subs and norm(soft) in sub_soft:
                g.edge(dk, pk, color="#B2DFDB", style="dashed")
            else:
                g.edge(dk, pk, color="#80CBC4")
    return g


def discipline_software(kb):
    discs = discipline_items(kb)
    g = Graph(kb, "学科与推荐软件关系图",
              "各工程学科在类别配置中推荐的软件：● 学科层面推荐，○ 仅在子学科中推荐；软件按类别着色。%s" % kb_counts(kb),
              rankdir="TB")
    rec = defaultdict(dict)     # software name -> {discipline key: mark}
    for key, info in discs:
        for s in info.get("recommendedSoftware") or []:
            if isinstance(s, str):
                rec[s][key] = "●"
        for sub in info.get("subDisciplines") or []:
            for s in sub.get("recommendedSoftware") or []:
                if isinstance(s, str):
                    rec[s].setdefault(key, "○")
    order = {c: i for i, c in enumerate(kb.software_cats())}

    def sort_key(name):
        sw = kb.find_sw(name)
        return (order.get(sw["_cat"], 99) if sw else 100, -len(rec[name]), name.lower())

    head = '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>软件</B></FONT></TD>'
    head += '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>类别</B></FONT></TD>'
    for key, info in discs:
        head += '<TD BGCOLOR="#00897B"><FONT COLOR="white"><B>%s</B></FONT></TD>' % hx(wrap(info.get("name", key), 8))
    head += '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>学科数</B></FONT></TD>'
    rows = ["<TR>%s</TR>" % head]
    for name in sorted(rec, key=sort_key):
        sw = kb.find_sw(name)
        cat = sw["_cat"] if sw else "—"
        color = kb.cat_color(cat) if sw else "#BDBDBD"
        cells = '<TD ALIGN="LEFT" BGCOLOR="%s">%s</TD><TD BGCOLOR="%s">%s</TD>' % (
            tint(color, 0.75), hx(sw["name"] if sw else name), tint(color, 0.75), cat)
        for key, _info in discs:
            mark = rec[name].get(key, "")
            cells += '<TD BGCOLOR="%s"><FONT COLOR="#00695C"><B>%s</B></FONT></TD>' % (
                "#E0F2F1" if mark else "#FFFFFF", mark or " ")
        cells += "<TD><B>%d</B></TD>" % len(rec[name])
        rows.append("<TR>%s</TR>" % cells)
        if sw:
            g.use_legend("%s 产品" % cat, tint(color, 0.75), color)
    g.table("matrix", '<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="5" COLOR="#B0BEC5">%s</TABLE>'
            % "".join(rows))
    if any(not kb.find_sw(n) for n in rec):
        g.use_legend("知识库外软件", "#F5F5F5", "#BDBDBD")
    return g


def domestic_landscape(kb):
    g = Graph(kb, "国产工业软件全景图",
              "中国厂商在各软件类别中的产品（知识库条目），以及公司资料中列出的其他产品。%s" % kb_counts(kb),
              rankdir="TB", size="24,16",
              notes=["每一列为一个软件类别，卡片标题为厂商，行内为该厂商在此类别的产品；下方框内的卡片列出公司资料中的更多产品。"])
    g.node("root", "国产工业软件", "root", fillcolor="#C62828", color="#B71C1C")
    domestic = [c for c in kb.companies if c.get("country") == "中国"]
    names = set(c["name"] for c in domestic)
    bottoms = []
    for cat in kb.software_cats():
        sws = [s for s in kb.sw_in(cat) if s.get("vendor") in names]
        if not sws:
            continue
        _, ck = g.category(cat, text="%s\n%s" % (cat, wrap(kb.cat_name(cat), 10)), fontsize="15")
        g.edge("root", ck, color=kb.cat_color(cat), penwidth="2")
        prev = ck
        by_vendor = OrderedDict()
        for s in sorted(sws, key=lambda s: s.get("vendor", "")):
            by_vendor.setdefault(s["vendor"], []).append(s["name"])
        for v, prods in by_vendor.items():
            vk = "card:%s:%s" % (cat, norm(v))
            g.card(vk, v, prods, color=kb.cat_color(cat), width=20)
            g.edge(prev, vk, color=kb.cat_color(cat) if prev == ck else "invis",
                   style="solid" if prev == ck else "invis", weight="10")
            prev = vk
        bottoms.append(prev)
    cards = []
    for c in sorted(domestic, key=lambda c: c["name"]):
        prods = [p for p in (c.get("products") or []) if isinstance(p, str) and not kb.find_sw(p)]
        if prods:
            cards.append((c, prods))
    if cards:
        cl = g.cluster("more", "公司资料中的更多国产产品（知识库尚未单独收录）", color="#EF6C00",
                       fill="#FFF8E1")
        g.node("spacer", "", "card", shape="point", style="invis", width="0.01", legend=False)
        for b in bottoms:
            g.edge(b, "spacer", style="invis", weight="0")
        ncol = max(4, min(6, len(bottoms)))
        above = ["spacer"] * ncol
        for i, (c, prods) in enumerate(cards):
            ck = "company:" + c.get("id", c["name"])
            g.card(ck, c["name"], prods, color="#EF6C00", width=22, max_rows=6, cluster=cl)
            if i < ncol:
                g.edge("spacer", ck, style="invis", weight="0")
                if i < len(bottoms):
                    g.edge(bottoms[i], ck, style="invis", weight="1")
            else:
                g.edge(above[i % ncol], ck, style="invis")
            above[i % ncol] = ck
        g.use_legend("公司资料中的产品", "#EF6C00", "#E65100")
    return g


def domestic_benchmark(kb):
    g = Graph(kb, "国产工业软件与国外对标关系图",
              "每张卡片为一款国产软件，列出竞品分析中与之对标的国外/开源产品（双向汇总：任一方把另一方列为竞品）。%s" % kb_counts(kb),
              rankdir="TB",
              notes=["↔ 表示双方互相列为竞品；产品后为其厂商；卡片颜色为国产软件所属类别。"])
    g.node("root", "国产工业软件对标", "root", fillcolor="#C62828", color="#B71C1C")
    bench = OrderedDict()      # domestic sw id -> OrderedDict(name -> [vendor, count])
    doms = [s for s in kb.software if kb.is_domestic(s.get("vendor", ""))]
    order = {c: i for i, c in enumerate(kb.software_cats())}
    doms.sort(key=lambda s: (order.get(s["_cat"], 99), s["name"]))
    by_id = {s.get("id", s["name"]): s for s in doms}
    for s in doms:
        bench[s.get("id", s["name"])] = OrderedDict()
    for sw in kb.software:
        dom_a = kb.is_domestic(sw.get("vendor", ""))
        for name, vendor in kb.competitors(sw):
            other = kb.find_sw(name)
            dom_b = kb.is_domestic(other.get("vendor", "")) if other else kb.is_domestic(vendor)
            if dom_a == dom_b:
                continue
            if dom_a:
                d, fname = sw, (other["name"] if other else head(name) or name)
                fvendor = other.get("vendor", "") if other else vendor
            else:
                if not other:
                    continue
                d, fname, fvendor = other, sw["name"], sw.get("vendor", "")
            entry = bench[d.get("id", d["name"])].setdefault(fname, [fvendor, 0])
            entry[1] += 1
    keys = []
    for sid, items in bench.items():
        if not items:
            continue
        s = by_id[sid]
        rows = ["%s%s%s" % ("↔ " if n > 1 else "", name, (" · " + v) if v else "")
                for name, (v, n) in items.items()]
        ck = "card:" + sid
        g.card(ck, "%s · %s" % (s["name"], s.get("vendor", "")), rows, color=kb.cat_color(s["_cat"]),
               width=36)
        g.use_legend("%s 产品" % s["_cat"], kb.cat_color(s["_cat"]), darker(kb.cat_color(s["_cat"])))
        keys.append(ck)
    grid(g, "root", keys, 4, color="#C62828")
    return g


def landscape(kb):
    g = Graph(kb, "工业软件全景图",
              "知识库收录的 %d 类工业软件及其产品（产品 · 厂商），按类别配置顺序排列。%s"
              % (len([c for c in kb.software_cats() if kb.sw_in(c)]), kb_counts(kb)),
              rankdir="TB", size="24,18")
    g.node("root", "工业软件", "root")
    cats = [c for c in kb.software_cats() if kb.sw_in(c)]
    row_len = 5 if len(cats) > 8 else 4
    for i, cat in enumerate(cats):
        sws = sorted(kb.sw_in(cat), key=lambda s: (s.get("vendor", ""), s["name"].lower()))
        rows = ["%s · %s" % (s["name"], s.get("vendor", "")) for s in sws]
        ck = "card:" + cat
        g.card(ck, "%s %s（%d 款）" % (cat, kb.cat_name(cat), len(sws)), rows,
               color=kb.cat_color(cat), width=32)
        if i < row_len:
            g.edge("root", ck, color=kb.cat_color(cat), penwidth="2")
        else:
            g.edge("card:" + cats[i - row_len], ck, style="invis")
    return g


def vendor_landscape(kb):
    g = Graph(kb, "工业软件厂商全景图 (按国家)",
              "知识库收录的厂商按所在国家/地区分组；括号内为知识库中该厂商的软件数量与类别（未注明者暂无单独的软件条目）。%s" % kb_counts(kb),
              rankdir="TB", size="24,18")
    g.node("root", "工业软件厂商", "root")
    by_country = defaultdict(list)
    for c in kb.companies:
        by_country[c.get("country") or "其他"].append(c)
    order = sorted(by_country, key=lambda k: (-len(by_country[k]), k))
    row_len = 5
    for i, country in enumerate(order):
        rows = []
        for c in sorted(by_country[country], key=lambda c: c["name"].lower()):
            sws = [s for s in kb.software if s.get("vendor") == c["name"]]
            cats = sorted(set(s["_cat"] for s in sws), key=lambda x: SOFTWARE_ORDER.index(x)
                          if x in SOFTWARE_ORDER else 99)
            rows.append("%s（%d 款 · %s）" % (c["name"], len(sws), "/".join(cats)) if sws else c["name"])
        ck = "country:" + country
        g.card(ck, "%s · %d 家" % (country, len(rows)), rows, color="#F57F17", width=40,
               header_font="white")
        if i < row_len:
            g.edge("root", ck, color="#F57F17", penwidth="2")
        else:
            g.edge("country:" + order[i - row_len], ck, style="invis")
    return g


def vendor_matrix(kb):
    cats = [c for c in kb.software_cats() if kb.sw_in(c)]
    counts = defaultdict(lambda: defaultdict(int))
    for s in kb.software:
        counts[s.get("vendor") or "（未注明）"][s["_cat"]] += 1
    vendors = sorted(counts, key=lambda v: (-sum(counts[v].values()), v.lower()))
    g = Graph(kb, "厂商产品类别分布矩阵",
              "每行一个厂商或开源项目，每列一个软件类别；数字为知识库中的软件数量，颜色越深数量越多。%s" % kb_counts(kb),
              rankdir="TB", size="18,26")
    head_cells = '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>厂商 / 项目</B></FONT></TD>'
    head_cells += '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>国家</B></FONT></TD>'
    for c in cats:
        head_cells += '<TD BGCOLOR="%s"><FONT COLOR="white"><B>%s</B></FONT></TD>' % (kb.cat_color(c), c)
    head_cells += '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>合计</B></FONT></TD>'
    rows = ["<TR>%s</TR>" % head_cells]
    for i, v in enumerate(vendors):
        fill = "#FFFFFF" if i % 2 == 0 else "#F5F5F5"
        cells = '<TD ALIGN="LEFT" BGCOLOR="%s">%s</TD><TD BGCOLOR="%s">%s</TD>' % (
            fill, hx(v), fill, hx(kb.country(v) or "—"))
        for c in cats:
            n = counts[v].get(c, 0)
            if n:
                amount = max(0.15, 0.75 - 0.18 * (n - 1))
                cells += '<TD BGCOLOR="%s"><B>%d</B></TD>' % (tint(kb.cat_color(c), amount), n)
            else:
                cells += '<TD BGCOLOR="%s"> </TD>' % fill
        cells += '<TD BGCOLOR="%s"><B>%d</B></TD>' % (fill, sum(counts[v].values()))
        rows.append("<TR>%s</TR>" % cells)
    total = '<TD ALIGN="LEFT" BGCOLOR="#ECEFF1"><B>合计</B></TD><TD BGCOLOR="#ECEFF1"> </TD>'
    for c in cats:
        total += '<TD BGCOLOR="#ECEFF1"><B>%d</B></TD>' % len(kb.sw_in(c))
    total += '<TD BGCOLOR="#ECEFF1"><B>%d</B></TD>' % len(kb.software)
    rows.append("<TR>%s</TR>" % total)
    html = ('<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="5" COLOR="#B0BEC5">%s</TABLE>'
            % "".join(rows))
    g.table("matrix", html)
    for c in cats:
        g.use_legend("%s 产品" % c, tint(kb.cat_color(c), 0.5), kb.cat_color(c))
    return g


def open_source_map(kb):
    g = Graph(kb, "开源工业软件生态图",
              "开源许可的软件、维护社区/机构，以及它们之间和与开源内核、网格工具的依赖关系。%s" % kb_counts(kb),
              size="20,16",
              notes=["橙色线：维护者；绿色虚线：几何内核；灰色虚线：构建于/调用（依据技术规格与技术条目）。"])
    opens = [s for s in kb.software if kb.license(s) == "opensource"]
    open_names = set(s["name"] for s in opens)
    for s in opens:
        _, pk = g.product(s)
        if s.get("vendor"):
            vk = "vendor:" + norm(s["vendor"])
            g.node(vk, wrap(s["vendor"], 22), "vendor")
            g.edge(vk, pk, color="#EF6C00")
    for s in kb.software:
        parts = []
        for ks in kb.sw_kernels(s):
            parts.append(ks)
            pieces = re.split(r"[、,，/]|\s与\s|\s和\s", head(ks))
            if len(pieces) > 1:
                parts.extend(p.strip() for p in pieces if p.strip())
        for ks in parts:
            other = kb.find_sw(ks)
            k = kb.find_kernel(ks)
            if other and other["name"] in open_names and other is not s:
                _, pk = g.product(s)
                g.edge(pk, "sw:" + other.get("id", other["name"]), style="dashed", label="构建于")
            elif k and s["name"] in open_names:
                kk = "kernel:" + k["key"]
                g.node(kk, wrap(k["name"], 18), "kernel")
                g.edge("sw:" + s.get("id", s["name"]), kk, style="dashed", color="#2E7D32")
    for t in kb.techs:
        lic = ""
        td = t.get("technicalDetails")
        if isinstance(td, dict):
            lic = str(td.get("license", ""))
        if t["_tcat"] == "kernels":
            continue
        if not re.search(r"GPL|BSD|MIT|Apache|开源", lic):
            continue
        tk = "tech:" + t.get("id", t["name"])
        g.node(tk, "%s\n%s" % (t["name"], wrap(head(lic), 24)), "technology")
        for u in t.get("usedBy") or []:
            sw = kb.find_sw(u)
            if sw and sw["name"] in open_names:
                g.edge("sw:" + sw.get("id", sw["name"]), tk, style="dashed", label="调用")
        blob = json.dumps(t, ensure_ascii=False)
        for k in kb.kernel_mentions(blob):
            kk = "kernel:" + k["key"]
            g.node(kk, wrap(k["name"], 18), "kernel")
            g.edge(tk, kk, style="dashed", color="#2E7D32")
    for k in kb.kernels:
        e = k["entry"] or {}
        lic = str((e.get("technicalDetails") or {}).get("license", ""))
        if re.search(r"GPL|BSD|MIT|Apache", lic):
            kk = "kernel:" + k["key"]
            g.node(kk, "%s\n%s" % (wrap(k["name"], 18), wrap(lic, 22)), "kernel")
            if k["vendor"]:
                _, vk = g.vendor(k["vendor"])
                g.edge(vk, kk, color="#EF6C00")
    return g


def license_map(kb):
    lts = kb.categories.get("licenseTypes") or {}
    keys = [k for k in LICENSE_ORDER if k in lts] + [k for k in lts if k not in LICENSE_ORDER]
    g = Graph(kb, "软件授权模式分布图",
              "知识库软件按许可类型（licensing.type）与类别统计；非商业许可的软件逐一列出。%s" % kb_counts(kb),
              rankdir="TB", size="22,16")
    cats = [c for c in kb.software_cats() if kb.sw_in(c)]
    head = '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>许可类型</B></FONT></TD>'
    for c in cats:
        head += '<TD BGCOLOR="%s"><FONT COLOR="white"><B>%s</B></FONT></TD>' % (kb.cat_color(c), c)
    head += '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>合计</B></FONT></TD>'
    rows = ["<TR>%s</TR>" % head]
    all_keys = keys + sorted(set(kb.license(s) or "（未注明）" for s in kb.software) - set(keys))
    for lk in all_keys:
        sws = [s for s in kb.software if (kb.license(s) or "（未注明）") == lk]
        if not sws and lk not in lts:
            continue
        name = (lts.get(lk) or {}).get("name", lk)
        cells = '<TD ALIGN="LEFT"><B>%s</B><BR/><FONT POINT-SIZE="12">%s</FONT></TD>' % (hx(name), hx(lk))
        for c in cats:
            n = sum(1 for s in sws if s["_cat"] == c)
            cells += '<TD BGCOLOR="%s">%s</TD>' % (tint(kb.cat_color(c), 0.55) if n else "#FFFFFF",
                                                   n if n else " ")
        cells += "<TD><B>%d</B></TD>" % len(sws)
        rows.append("<TR>%s</TR>" % cells)
    html = ('<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="6" COLOR="#B0BEC5">%s</TABLE>'
            % "".join(rows))
    g.table("matrix", html)
    prev = "matrix"
    for lk in keys:
        if lk == "commercial":
            continue
        sws = [s for s in kb.software if kb.license(s) == lk]
        info = lts.get(lk) or {}
        ck = "lic:" + lk
        rows = ["%s（%s · %s）" % (s["name"], s["_cat"], s.get("vendor", "")) for s in sws] or ["（知识库中暂无）"]
        sections = []
        if info.get("description"):
            sections.append(("说明", [info["description"]]))
        sections.append(("软件（%d 款）" % len(sws), rows))
        g.section_card(ck, "%s · %s" % (info.get("name", lk), lk), sections,
                       color={"opensource": "#2E7D32", "freemium": "#1565C0", "academic": "#6A1B9A"}
                       .get(lk, "#546E7A"), width=44)
        g.edge("matrix", ck, style="invis")
    return g


FORMAT_SPLIT = re.compile(r"[（(]")


def format_map(kb, cats=("CAD",)):
    g = Graph(kb, "CAD 数据交换格式关系图",
              "CAD 软件的原生文件格式（左表，按共用该格式的软件数排序），以及各格式被知识库中 CAD/CAM/BIM 软件支持导入、导出的数量（右表）。%s" % kb_counts(kb),
              rankdir="TB", directed=False,
              notes=["右表按支持导入的软件数排序，仅列出至少被 3 款软件支持的格式；各标准的读写支持见“数据交换标准与软件读写关系图”。"])
    counts_in, counts_out = defaultdict(int), defaultdict(int)
    native_users = OrderedDict()

    def fmt_key(f):
        return FORMAT_SPLIT.split(f)[0].strip()

    for s in kb.software:
        if s["_cat"] not in ("CAD", "CAM", "BIM"):
            continue
        ff = ((s.get("technicalSpecs") or {}).get("fileFormats") or {})
        for f in set(fmt_key(x).upper() for x in ff.get("import") or [] if isinstance(x, str)):
            counts_in[f] += 1
        for f in set(fmt_key(x).upper() for x in ff.get("export") or [] if isinstance(x, str)):
            counts_out[f] += 1
    for s in kb.software:
        if s["_cat"] not in cats:
            continue
        ff = ((s.get("technicalSpecs") or {}).get("fileFormats") or {})
        natives = [fmt_key(x) for x in ff.get("native") or [] if isinstance(x, str)]
        if not natives:
            continue
        for f in natives:
            users = native_users.setdefault(f.upper(), [f, []])
            if s["name"] not in users[1]:
                users[1].append(s["name"])
    # One row per native format, the formats shared by most products first: a table stays
    # legible where a network of 30 products and 50 formats does not.
    color = kb.cat_color(cats[0]) if cats else "#F9A825"
    rows = ['<TR><TD BGCOLOR="#F9A825"><B>共用的原生格式</B></TD><TD BGCOLOR="#F9A825"><B>以其为原生格式的 %s 软件</B></TD></TR>'
            % hx("/".join(cats))]
    order = sorted(native_users.values(), key=lambda u: (-len(u[1]), u[0].lower()))
    for i, (f, users) in enumerate(u for u in order if len(u[1]) > 1):
        rows.append('<TR><TD ALIGN="LEFT" BGCOLOR="%s"><B>%s</B></TD><TD ALIGN="LEFT" BALIGN="LEFT" BGCOLOR="%s">%s</TD></TR>'
                    % (tint(color, 0.85), hx(wrap(f, 22)), tint(color, 0.85), hx(wrap("、".join(users), 52))))
    own = OrderedDict()
    for f, users in order:
        if len(users) == 1:
            own.setdefault(users[0], []).append(f)
    if own:
        rows.append('<TR><TD BGCOLOR="#F9A825"><B>软件</B></TD><TD BGCOLOR="#F9A825"><B>仅该软件使用的原生格式</B></TD></TR>')
        for i, name in enumerate(sorted(own, key=str.lower)):
            fill = "#FFFFFF" if i % 2 == 0 else "#FFFDE7"
            rows.append('<TR><TD ALIGN="LEFT" BGCOLOR="%s"><B>%s</B></TD><TD ALIGN="LEFT" BALIGN="LEFT" BGCOLOR="%s">%s</TD></TR>'
                        % (fill, hx(wrap(name, 22)), fill, hx(wrap("、".join(own[name]), 52))))
    if len(rows) > 1:
        g.table("natives", '<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="4" COLOR="#F9A825">%s</TABLE>'
                % "".join(rows))
        g.use_legend("多款软件共用的原生格式", tint(color, 0.85), color)
    fmts = sorted(set(counts_in) | set(counts_out), key=lambda f: (-counts_in[f], -counts_out[f], f))
    fmts = [f for f in fmts if counts_in[f] + counts_out[f] >= 3][:24]
    if fmts:
        rows = ['<TR><TD BGCOLOR="#F9A825"><B>格式</B></TD><TD BGCOLOR="#F9A825"><B>导入</B></TD>'
                '<TD BGCOLOR="#F9A825"><B>导出</B></TD></TR>']
        for i, f in enumerate(fmts):
            fill = "#FFFFFF" if i % 2 == 0 else "#FFFDE7"
            rows.append('<TR><TD ALIGN="LEFT" BGCOLOR="%s">%s</TD><TD BGCOLOR="%s">%d</TD><TD BGCOLOR="%s">%d</TD></TR>'
                        % (fill, hx(f), fill, counts_in[f], fill, counts_out[f]))
        g.table("stats", '<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="4" COLOR="#F9A825">'
                '<TR><TD COLSPAN="3" BGCOLOR="#FFF59D"><B>支持该格式的<BR/>CAD/CAM/BIM 软件数</B></TD></TR>%s</TABLE>'
                % "".join(rows))
        if g.has("natives"):
            g.same_rank(["natives", "stats"])
            g.edge("natives", "stats", style="invis")
    return g


SUPPORT_MODES = [("readAndWrite", "读写", "#2E7D32", "#C8E6C9"),
                 ("readOnly", "读", "#1565C0", "#BBDEFB"),
                 ("writeOnly", "写", "#E65100", "#FFE0B2")]


def standard_entries(kb):
    return [t for t in kb.techs if isinstance(t.get("supportedBy"), dict)]


def standards_map(kb):
    """Which products read and write which data-exchange standard (supportedBy)."""
    stds = standard_entries(kb)
    support = defaultdict(dict)      # software name -> {standard id: mode}
    totals = defaultdict(int)
    for t in stds:
        tid = t.get("id", t["name"])
        for mode, _label, _fg, _bg in SUPPORT_MODES:
            for name in t["supportedBy"].get(mode) or []:
                if not isinstance(name, str):
                    continue
                sw = kb.find_sw(name)
                shown = sw["name"] if sw else name
                if tid not in support[shown]:
                    support[shown][tid] = mode
                    totals[tid] += 1
    stds.sort(key=lambda t: (-totals[t.get("id", t["name"])], t["name"].lower()))
    tinfo = kb.categories.get("technologyCategories", {}).get("standards", {})
    g = Graph(kb, "数据交换标准与软件读写关系图",
              "%s条目的 supportedBy：知识库中的软件对各标准的读写支持（按软件类别分组）。%s"
              % (tinfo.get("name", "数据交换标准"), kb_counts(kb)),
              rankdir="TB",
              notes=["读写：可导入也可导出；读：仅导入；写：仅导出。空白表示条目未记载，不等于不支持。"])
    order = {c: i for i, c in enumerate(kb.software_cats())}
    by_cat = defaultdict(list)
    for name in support:
        sw = kb.find_sw(name)
        by_cat[sw["_cat"] if sw else "—"].append(name)
    ncol = len(stds) + 1
    head_cells = '<TD BGCOLOR="#37474F"><FONT COLOR="white"><B>软件</B></FONT></TD>'
    for t in stds:
        head_cells += ('<TD BGCOLOR="#6A1B9A"><FONT COLOR="white"><B>%s</B></FONT></TD>'
                       % hx(wrap(t["name"].replace(" / ", "/"), 8)))
    rows = ["<TR>%s</TR>" % head_cells]
    for cat in sorted(by_cat, key=lambda c: order.get(c, 99)):
        color = kb.cat_color(cat) if cat in order else "#9E9E9E"
        rows.append('<TR><TD COLSPAN="%d" ALIGN="LEFT" BGCOLOR="%s"><FONT COLOR="white"><B>%s %s（%d 款）</B></FONT></TD></TR>'
                    % (ncol, color, hx(cat), hx(kb.cat_name(cat)), len(by_cat[cat])))
        g.use_legend("%s 产品" % cat, tint(color, 0.8), color)
        for i, name in enumerate(sorted(by_cat[cat], key=str.lower)):
            fill = "#FFFFFF" if i % 2 == 0 else tint(color, 0.92)
            cells = '<TD ALIGN="LEFT" BGCOLOR="%s"><FONT POINT-SIZE="12">%s</FONT></TD>' % (fill, hx(name))
            for t in stds:
                mode = support[name].get(t.get("id", t["name"]))
                hit = [m for m in SUPPORT_MODES if m[0] == mode]
                if hit:
                    _m, label, fg, bg = hit[0]
                    cells += ('<TD BGCOLOR="%s"><FONT COLOR="%s" POINT-SIZE="12"><B>%s</B></FONT></TD>'
                              % (bg, fg, label))
                else:
                    cells += '<TD BGCOLOR="%s"> </TD>' % fill
            rows.append("<TR>%s</TR>" % cells)
    total = '<TD ALIGN="LEFT" BGCOLOR="#ECEFF1"><B>支持的软件数</B></TD>'
    for t in stds:
        total += '<TD BGCOLOR="#ECEFF1"><B>%d</B></TD>' % totals[t.get("id", t["name"])]
    rows.append("<TR>%s</TR>" % total)
    g.table("matrix", '<TABLE BORDER="1" CELLBORDER="1" CELLSPACING="0" CELLPADDING="3" COLOR="#B0BEC5">%s</TABLE>'
            % "".join(rows))
    for _m, label, fg, bg in SUPPORT_MODES:
        g.use_legend(label, bg, fg)
    sections = []
    for t in stds:
        bits = []
        if t.get("fullName"):
            bits.append(t["fullName"])
        edition = text_of(t.get("currentEdition"))
        if edition:
            bits.append("现行版本：" + edition)
        maint = text_of(t.get("maintainer"))
        if maint:
            bits.append("维护：" + maint)
        sections.append((t["name"], bits))
    if sections:
        g.section_card("stds", "各标准的全称、现行版本与维护机构", sections, color="#6A1B9A", width=32)
        g.same_rank(["matrix", "stds"])
        g.edge("matrix", "stds", style="invis")
    return g


def conference_map(kb):
    evs = sorted((e for e in kb.events if e.get("type") != "acquisition"),
                 key=lambda e: (e.get("dateRange") or {}).get("start", ""))
    years = sorted(set(year_of((e.get("dateRange") or {}).get("start", "")) for e in evs) - {""})
    yt = "%s " % "–".join([years[0], years[-1]] if len(years) > 1 else years) if years else ""
    g = Graph(kb, "%s行业会议与厂商关系图" % yt,
              "知识库事件中的行业会议与展会：主办方、时间地点与关注主题/产品。%s" % kb_counts(kb),
              size="20,14",
              notes=["红框为会议/展会（含日期与地点）；左侧为主办方；右侧为关注的产品（彩色）或主题（灰色）。"])
    for i, e in enumerate(evs):
        ek = "ev:%d" % i
        dr = e.get("dateRange") or {}
        when = dr.get("start", "")
        if dr.get("end") and dr.get("end") != dr.get("start"):
            when += " ～ " + dr["end"]
        loc = (e.get("location") or "").split(" / ")[0]
        g.node(ek, "%s\n%s\n%s" % (wrap(text_of(e.get("name")), 26), when, wrap(loc, 26)), "event")
        org = e.get("company") or ""
        if org:
            if kb.company_by_name.get(norm(org)):
                _, ok = g.vendor(org)
            else:
                ok = "org:" + norm(org)
                g.node(ok, wrap(org, 22), "parent", legend=False)
                g.use_legend("主办机构", KIND_STYLE["parent"]["fillcolor"], KIND_STYLE["parent"]["color"])
            g.edge(ok, ek, color="#C62828")
        for f in e.get("focus") or []:
            sw = kb.find_sw(f)
            if sw:
                _, fk = g.product(sw)
            elif f in kb.software_cats():
                _, fk = g.category(f, text=f)
            else:
                fk = "topic:" + norm(f)
                g.node(fk, wrap(f, 16), "segment", legend=False)
                g.use_legend("主题", "#ECEFF1", "#90A4AE")
            g.edge(ek, fk, color="#B0BEC5")
    return g


def knowledge_overview(kb):
    g = Graph(kb, "工业软件知识图谱总览",
              "Quorvanta 知识库的整体结构：软件类别、厂商所在国家/地区、核心技术、工程学科与行业事件。%s" % kb_counts(kb),
              rankdir="TB")
    g.node("root", "Quorvanta 工业软件知识库", "root", fontsize="22")
    groups = []
    rows = []
    for cat in kb.software_cats():
        n = len(kb.sw_in(cat))
        if n:
            rows.append(("%s %s · %d 款" % (cat, kb.cat_name(cat), n), tint(kb.cat_color(cat), 0.7)))
    groups.append(("软件产品 · %d 款" % len(kb.software), "#1565C0", rows))
    countries = defaultdict(int)
    for c in kb.companies:
        countries[c.get("country") or "其他"] += 1
    groups.append(("厂商 · %d 家" % len(kb.companies), "#EF6C00",
                   [("%s · %d 家" % (k, n), None) for k, n in sorted(countries.items(), key=lambda kv: -kv[1])]))
    rows = []
    for tc, info in (kb.categories.get("technologyCategories") or {}).items():
        n = sum(1 for t in kb.techs if t["_tcat"] == tc)
        rows.append(("%s（%s）· %d 项" % (info.get("name", tc), tc, n), None))
    n = sum(1 for t in kb.techs if not t["_tcat"])
    if n:
        rows.append(("技术专题文章 · %d 篇" % n, None))
    groups.append(("核心技术 · %d 项" % len(kb.techs), "#6A1B9A", rows))
    rows = []
    for key, info in discipline_items(kb):
        subs = len(info.get("subDisciplines") or [])
        rows.append(("%s%s" % (info.get("name", key), "（子学科 %d）" % subs if subs else ""), None))
    groups.append(("工程学科 · %d 个" % len(discipline_items(kb)), "#00897B", rows))
    types = defaultdict(int)
    for e in kb.events:
        types[e.get("type") or "其他"] += 1
    names = {"acquisition": "并购", "user_conference": "用户大会", "trade_fair": "展会",
             "conference": "会议"}
    groups.append(("行业事件 · %d 条" % len(kb.events), "#C62828",
                   [("%s · %d 条" % (names.get(t, t), n), None) for t, n in types.items()]))
    for i, (header, color, rows) in enumerate(groups):
        gk = "group:%d" % i
        g.use_legend(header.split(" ")[0], color, darker(color))
        g.card(gk, header, [r for r, _ in rows], color=color, width=30,
               row_colors=[c for _, c in rows])
        g.edge("root", gk, color=color, penwidth="2.5")
    return g


def grid(g, parent, keys, ncol, color="#455A64"):
    """Arrange card nodes in rows of ncol below a parent node (TB graphs)."""
    for i, k in enumerate(keys):
        if i < ncol:
            g.edge(parent, k, color=color, penwidth="2")
        else:
            g.edge(keys[i - ncol], k, style="invis")


# -------------------------------------------------------------- registry

def register(kb):
    """Pictures to draw for the current knowledge base: [(file name, fn)]."""
    jobs = []
    cats = [c for c in kb.software_cats() if kb.sw_in(c)]
    for cat in cats:
        jobs.append(("%s 子知识图谱.png" % cat, lambda c=cat: category_knowledge_map(kb, c)))
    for cat in cats:
        jobs.append(("%s 厂商与产品关系图.png" % cat, lambda c=cat: category_vendor_map(kb, c)))
    for cat in cats:
        jobs.append(("%s 产品竞争关系图.png" % cat, lambda c=cat: category_competition_map(kb, c)))
    jobs.append(("几何内核技术谱系.png", lambda: kernel_lineage(kb)))
    jobs.append(("几何内核与应用软件关系图.png", lambda: kernel_usage(kb)))
    titles = {"solvers": "求解器技术图谱", "mesh": "网格生成技术图谱", "hpc": "高性能计算技术图谱"}
    for tc, title in titles.items():
        if any(t["_tcat"] == tc for t in kb.techs):
            jobs.append(("%s.png" % title, lambda tc=tc, title=title: tech_category_map(kb, tc, title)))
    jobs.append(("核心技术总览图.png", lambda: technology_overview(kb)))
    jobs.append(("工业软件并购时间线.png", lambda: acquisition_timeline(kb)))
    jobs.append(("工业软件企业所有权关系图.png", lambda: ownership_map(kb)))
    for top in top_groups(kb):
        jobs.append(("%s 产品与并购版图.png" % GROUP_TITLES.get(top, top),
                     lambda t=top: group_map(kb, t)))
    jobs.append(("学科知识图谱总览.png", lambda: discipline_overview(kb)))
    for key, info in discipline_items(kb):
        jobs.append(("%s学科图谱.png" % info.get("name", key),
                     lambda k=key, i=info: discipline_map(kb, k, i)))
    jobs.append(("学科与推荐软件关系图.png", lambda: discipline_software(kb)))
    jobs.append(("国产工业软件全景图.png", lambda: domestic_landscape(kb)))
    jobs.append(("国产工业软件与国外对标关系图.png", lambda: domestic_benchmark(kb)))
    jobs.append(("工业软件全景图.png", lambda: landscape(kb)))
    jobs.append(("工业软件厂商全景图 (按国家).png", lambda: vendor_landscape(kb)))
    jobs.append(("厂商产品类别分布矩阵.png", lambda: vendor_matrix(kb)))
    jobs.append(("开源工业软件生态图.png", lambda: open_source_map(kb)))
    jobs.append(("软件授权模式分布图.png", lambda: license_map(kb)))
    jobs.append(("CAD 数据交换格式关系图.png", lambda: format_map(kb)))
    if standard_entries(kb):
        jobs.append(("数据交换标准与软件读写关系图.png", lambda: standards_map(kb)))
    if any(e.get("type") != "acquisition" for e in kb.events):
        jobs.append(("行业会议与厂商关系图.png", lambda: conference_map(kb)))
    jobs.append(("工业软件知识图谱总览.png", lambda: knowledge_overview(kb)))
    bad = [n for n, _ in jobs if re.search(r"[\[\];/\\]", n)]
    if bad:
        raise SystemExit("unsafe picture names: %s" % bad)
    return jobs


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    repo = os.path.normpath(os.path.join(here, "..", ".."))
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--data", default=os.path.join(repo, "data"), help="knowledge base directory")
    ap.add_argument("--out", default=None, help="output directory (default DATA/pictures)")
    ap.add_argument("--keep-dot", default=None, help="also write the DOT sources here")
    ap.add_argument("--only", default=None, help="draw only pictures whose name contains this text")
    ap.add_argument("--list", action="store_true", help="list the picture names and exit")
    args = ap.parse_args()

    for tool in ("dot", "neato"):
        if not shutil.which(tool):
            raise SystemExit("Graphviz '%s' not found" % tool)
    kb = KB(args.data)
    out = args.out or os.path.join(args.data, "pictures")
    jobs = register(kb)
    if args.list:
        for name, _ in jobs:
            print(name)
        return
    os.makedirs(out, exist_ok=True)
    made = []
    for name, fn in jobs:
        if args.only and args.only not in name:
            continue
        g = fn()
        size = g.render(os.path.join(out, name), args.keep_dot)
        made.append(name)
        w, h = png_size(os.path.join(out, name))
        print("%8d  %5d x %-5d %s%s" % (size, w, h, name,
                                        "   (wider than %d px)" % WIDE_PX if w > WIDE_PX else ""))
    manifest = os.path.join(here, MANIFEST)
    if not args.only and args.out is None:
        old = []
        if os.path.exists(manifest):
            with open(manifest, encoding="utf-8") as fh:
                old = [l.strip() for l in fh if l.strip()]
        for name in old:
            if name not in made and os.path.exists(os.path.join(out, name)):
                os.remove(os.path.join(out, name))
                print("removed stale picture %s" % name)
        with open(manifest, "w", encoding="utf-8") as fh:
            fh.write("\n".join(made) + "\n")
    print("%d pictures written to %s" % (len(made), out))


if __name__ == "__main__":
    main()
