#!/usr/bin/env python3
"""Local release and news server for trying Quorvanta's online features by hand.

Serves on 127.0.0.1 only:
  GET /api/v1/releases/latest   the release payload of the update check
  GET /api/v1/news              news pages: limit, since (paging cursor), category, tag
  GET /covers/<name>.png        generated cover pictures ("broken.png" is not a picture)
  GET /articles/<id>            a small HTML page per news item

Print a network_config.json that points the program at this server:
  python3 tools/online_server.py --print-config > <data dir>/config/network_config.json
Then start the server:
  python3 tools/online_server.py
"""

import argparse
import html
import json
import struct
import sys
import time
import zlib
from datetime import datetime, timedelta, timezone
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer
from urllib.parse import parse_qs, urlsplit

CATEGORIES = ["cad", "cae", "cfd", "cam", "eda", "plm"]
TAGS = ["AI", "云平台", "几何内核", "求解器", "网格", "HPC", "开源", "数字孪生"]
SOURCES = ["Quorvanta 编辑部", "工业软件观察", "仿真周刊"]
COVER_COLOURS = [
    (0x1E, 0x88, 0xE5),
    (0x43, 0xA0, 0x47),
    (0xFB, 0x8C, 0x00),
    (0x8E, 0x24, 0xAA),
    (0xE5, 0x39, 0x35),
    (0x00, 0x89, 0x7B),
]


def png_bytes(width, height, colour):
    """A striped RGB picture, written with the standard library only."""
    stripe = tuple(min(255, c + 40) for c in colour)
    rows = bytearray()
    for y in range(height):
        rows.append(0)  # filter type: none
        for x in range(width):
            rows.extend(stripe if ((x + y) // 20) % 2 else colour)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def build_items(count, base_url):
    now = datetime.now(timezone.utc).replace(microsecond=0)
    items = []
    for i in range(count):
        published = now - timedelta(hours=3 * i)
        item = {
            "id": "news-%03d" % (i + 1),
            "title": "工业软件动态 %d：%s 领域的新进展" % (i + 1, CATEGORIES[i % 6].upper()),
            "summary": "第 %d 条示例资讯，来自本地测试服务器，用于检查卡片、筛选和分页。" % (i + 1),
            "contentUrl": "%s/articles/news-%03d" % (base_url, i + 1),
            "source": SOURCES[i % len(SOURCES)],
            "categories": [CATEGORIES[i % 6]] + ([CATEGORIES[(i + 2) % 6]] if i % 4 == 0 else []),
            "tags": [TAGS[i % len(TAGS)], TAGS[(i * 3 + 1) % len(TAGS)]],
            "publishedAt": published.isoformat().replace("+00:00", "Z"),
            "updatedAt": published.isoformat().replace("+00:00", "Z"),
        }
        # Covers are shared between items; some items have none, one has a broken one.
        if i % 7 == 6:
            item["coverImage"] = ""
        elif i % 11 == 5:
            item["coverImage"] = "%s/covers/broken.png" % base_url
        else:
            item["coverImage"] = "%s/covers/cover-%d.png" % (base_url, i % len(COVER_COLOURS))
        items.append(item)
    return items


def network_config(base_url):
    return {
        "updates": {
            "endpoint": base_url + "/api/v1/releases/latest",
            "timeoutMs": 7000,
            "userAgent": "Quorvanta/1.0",
        },
        "news": {
            "endpoint": base_url + "/api/v1/news",
            "pageSize": 24,
            "timeoutMs": 8000,
            "userAgent": "Quorvanta/1.0 News",
            "cacheTtlSec": 600,
            "headers": {"X-API-Key": "local-test-key", "X-Tenant": "quorvanta-desktop"},
        },
    }


class Handler(BaseHTTPRequestHandler):
    server_version = "QuorvantaLocal/1.0"

    def do_GET(self):
        options = self.server.options
        if options.delay > 0:
            time.sleep(options.delay)
        parts = urlsplit(self.path)
        query = {key: values[0] for key, values in parse_qs(parts.query).items()}
        path = parts.path
        if path == "/api/v1/releases/latest":
            self.send_json(self.release_payload())
        elif path == "/api/v1/news":
            self.news_page(query)
        elif path.startswith("/covers/") and path.endswith(".png"):
            self.cover(path[len("/covers/"):-len(".png")])
        elif path.startswith("/articles/"):
            self.article(path[len("/articles/"):])
        else:
            self.send_bytes(404, b"not found", "text/plain; charset=utf-8")

    def release_payload(self):
        options = self.server.options
        return {
            "version": options.release,
            "changelog": "本地测试版本 %s：改进资讯网格和更新检查。" % options.release,
            "downloadUrl": "%s/downloads/quorvanta-%s.zip" % (self.server.base_url, options.release),
            "publishedAt": datetime.now(timezone.utc).replace(microsecond=0)
            .isoformat().replace("+00:00", "Z"),
        }

    def news_page(self, query):
        try:
            limit = int(query.get("limit", "24"))
        except ValueError:
            limit = 0
        if limit <= 0:
            self.send_json({"error": "limit must be a positive integer"}, 400)
            return
        category = query.get("category", "").lower()
        tag = query.get("tag", "").lower()
        items = [item for item in self.server.items
                 if (not category or category in [c.lower() for c in item["categories"]])
                 and (not tag or tag in [t.lower() for t in item["tags"]])]

        # The cursor is "p<offset>"; anything else starts from the first page.
        since = query.get("since", "")
        offset = int(since[1:]) if since.startswith("p") and since[1:].isdigit() else 0
        if offset >= len(items):
            offset = 0
        page = items[offset:offset + limit]
        following = offset + limit
        # After the last page the cursor wraps round to the first one.
        next_since = "p%d" % following if following < len(items) else "p0"
        self.log_message("news page offset=%d count=%d next=%s api-key=%s", offset, len(page),
                         next_since, self.headers.get("X-API-Key", "-"))
        self.send_json({"items": page, "nextSince": next_since,
                        "cacheTtlSec": self.server.options.ttl})

    def cover(self, name):
        if name == "broken":
            self.send_bytes(200, b"this is not a picture", "image/png")
            return
        try:
            index = int(name.rsplit("-", 1)[1]) % len(COVER_COLOURS)
        except (IndexError, ValueError):
            self.send_bytes(404, b"no such cover", "text/plain; charset=utf-8")
            return
        self.send_bytes(200, png_bytes(320, 140, COVER_COLOURS[index]), "image/png")

    def article(self, item_id):
        for item in self.server.items:
            if item["id"] == item_id:
                page = "<html><head><meta charset='utf-8'><title>%s</title></head>" \
                       "<body><h1>%s</h1><p>%s</p></body></html>" % (
                           html.escape(item["title"]), html.escape(item["title"]),
                           html.escape(item["summary"]))
                self.send_bytes(200, page.encode("utf-8"), "text/html; charset=utf-8")
                return
        self.send_bytes(404, b"no such article", "text/plain; charset=utf-8")

    def send_json(self, payload, status=200):
        body = json.dumps(payload, ensure_ascii=False).encode("utf-8")
        self.send_bytes(status, body, "application/json; charset=utf-8")

    def send_bytes(self, status, body, content_type):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--port", type=int, default=8765, help="port on 127.0.0.1 (8765)")
    parser.add_argument("--release", default="1.3.0",
                        help="version the release endpoint announces (1.3.0)")
    parser.add_argument("--items", type=int, default=60, help="number of news items (60)")
    parser.add_argument("--ttl", type=int, default=600, help="cacheTtlSec of news pages (600)")
    parser.add_argument("--delay", type=float, default=0.0,
                        help="seconds to wait before every answer, to try the time-outs")
    parser.add_argument("--print-config", action="store_true",
                        help="print a network_config.json for this server and exit")
    options = parser.parse_args()

    base_url = "http://127.0.0.1:%d" % options.port
    if options.print_config:
        json.dump(network_config(base_url), sys.stdout, ensure_ascii=False, indent=2)
        sys.stdout.write("\n")
        return

    server = ThreadingHTTPServer(("127.0.0.1", options.port), Handler)
    server.options = options
    server.base_url = base_url
    server.items = build_items(options.items, base_url)
    print("Serving releases, news and covers on %s (Ctrl+C to stop)" % base_url, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    finally:
        server.server_close()


if __name__ == "__main__":
    main()
