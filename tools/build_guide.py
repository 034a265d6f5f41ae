#!/usr/bin/env python3
"""Builds the user guide, one self-contained HTML page, from its source and
the program's own screenshots.

    build_guide.py SOURCE TEMPLATE PICTURES OUTPUT [--require-pictures]

SOURCE is the body of the page in HTML. Each picture it names is read from
the folder PICTURES (what `make screenshots` writes) and embedded as a data:
address, so the page renders from a local file with nothing beside it. A
picture alone in its paragraph becomes a figure captioned with its
alternative text. The second-level headings, each with an id, make the
table of contents that TEMPLATE shows at {{contents}}.

Without the picture (no display to take screenshots on, as on a fresh build
machine), its figure is left out and a note says so; --require-pictures
makes that an error instead. The page is refused if it would hold a script,
an address that leaves the page or a link to a heading that is not there.
OUTPUT is rewritten only when its content changes.
"""

import base64
import os
import re
import sys

IMAGE = re.compile(r'<img src="(?!data:)([^"]*)" alt="([^"]*)">')
FIGURE = re.compile(r'<p><img src="([^"]*)" alt="([^"]*)"></p>\n?')
HEADING = re.compile(r'<h2 id="([^"]*)">(.*?)</h2>')
ADDRESS = re.compile(r'(?:href|src)\s*=\s*"([^"]*)"', re.IGNORECASE)
ACTIVE = re.compile(r"<script|<iframe|<object|<embed|<link|<base|\son\w+\s*=|javascript:",
                    re.IGNORECASE)


def fail(message):
    sys.exit("build_guide: " + message)


def embed_pictures(body, pictures, require):
    missing = []

    def data_address(name):
        path = os.path.join(pictures, os.path.basename(name))
        if not os.path.isfile(path):
            missing.append(name)
            return None
        with open(path, "rb") as picture:
            return "data:image/png;base64," + base64.b64encode(picture.read()).decode("ascii")

    def figure(match):
        address = data_address(match.group(1))
        if address is None:
            return ""  # the figure goes whole, caption and all
        return '<figure><img src="%s" alt="%s"><figcaption>%s</figcaption></figure>\n' % (
            address, match.group(2), match.group(2))

    def image(match):
        address = data_address(match.group(1))
        return "" if address is None else '<img src="%s" alt="%s">' % (address, match.group(2))

    body = IMAGE.sub(image, FIGURE.sub(figure, body))
    if missing:
        where = "not in " + pictures
        if require:
            fail("pictures %s: %s" % (where, ", ".join(missing)))
        print("build_guide: %d picture(s) left out, %s (make screenshots takes them)"
              % (len(missing), where))
    return body


def contents(body):
    entries = ['<li><a href="#%s">%s</a></li>' % m.groups() for m in HEADING.finditer(body)]
    return "<ul>\n%s\n</ul>" % "\n".join(entries)


def check_self_contained(page, picture_names_allowed=False):
    if ACTIVE.search(page):
        fail("the page would run a script or load something: " + ACTIVE.search(page).group(0))
    anchors = set(re.findall(r' id="([^"]*)"', page))
    for address in ADDRESS.findall(page):
        if address.startswith("data:image/png;base64,"):
            continue
        if picture_names_allowed and re.fullmatch(r"[\w-]+\.png", address):
            continue  # a picture that has yet to be embedded
        if not address.startswith("#"):
            fail("the page would lead outside itself: " + address[:80])
        if address[1:] not in anchors:
            fail("no heading for the link " + address)


def main(argv):
    args = [a for a in argv if not a.startswith("--")]
    if len(args) != 4:
        fail("usage: build_guide.py SOURCE TEMPLATE PICTURES OUTPUT [--require-pictures]")
    source, template, pictures, output = args
    with open(source, encoding="utf-8") as f:
        body = f.read()
    # Checked before the pictures go in: a figure left out must not hide a
    # fault of the source from a build without pictures.
    check_self_contained(body, picture_names_allowed=True)
    body = embed_pictures(body, pictures, "--require-pictures" in argv)
    with open(template, encoding="utf-8") as f:
        page = f.read().replace("{{contents}}", contents(body)).replace("{{body}}", body)
    check_self_contained(page)
    if os.path.isfile(output):
        with open(output, encoding="utf-8") as f:
            if f.read() == page:
                return
    os.makedirs(os.path.dirname(os.path.abspath(output)), exist_ok=True)
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(page)


if __name__ == "__main__":
    main(sys.argv[1:])
