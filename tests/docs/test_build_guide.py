#!/usr/bin/env python3
"""The guide's builder: a picture goes into the page as a figure, and a page
that would run a script, lead outside itself, point at a missing heading or
(when asked) lack a picture is refused and nothing is written."""

import os
import subprocess
import sys
import tempfile
import unittest

BUILDER = os.path.join(os.path.dirname(__file__), "..", "..", "tools", "build_guide.py")
TEMPLATE = "<nav>{{contents}}</nav>\n{{body}}"
PNG = b"\x89PNG\r\n\x1a\n"


class BuildGuide(unittest.TestCase):
    def build(self, body, *flags):
        folder = tempfile.mkdtemp()
        pictures = os.path.join(folder, "shots")
        os.mkdir(pictures)
        with open(os.path.join(pictures, "main.png"), "wb") as f:
            f.write(PNG)
        paths = [os.path.join(folder, n) for n in ("body.html", "page.html", "out/mrq.html")]
        for path, text in zip(paths, (body, TEMPLATE)):
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
        run = subprocess.run([sys.executable, BUILDER, paths[0], paths[1], pictures, paths[2]]
                             + list(flags), capture_output=True, text=True)
        page = None
        if os.path.isfile(paths[2]):
            with open(paths[2], encoding="utf-8") as f:
                page = f.read()
        return run.returncode, page

    def test_pictures_become_figures_and_headings_the_contents(self):
        status, page = self.build('<h2 id="s">表示</h2>\n<p><img src="main.png" alt="画面"></p>\n'
                                  '<p><img src="gone.png" alt="ない"></p>\n<a href="#s">x</a>')
        self.assertEqual(0, status)
        self.assertIn('<li><a href="#s">表示</a></li>', page)
        self.assertIn('<figure><img src="data:image/png;base64,iVBORw0KGgo=" alt="画面">'
                      '<figcaption>画面</figcaption></figure>', page)
        self.assertNotIn("gone.png", page)
        self.assertNotIn("ない", page)

    def test_unsafe_or_broken_pages_are_refused(self):
        for body, flags in [
            ('<p onclick="x()">a</p>', []),
            ("<script>x()</script>", []),
            ('<a href="http://example.com/">a</a>', []),
            ('<img src="../main.png" alt="a">', []),
            ('<h2 id="s">a</h2><a href="#t">b</a>', []),
            ('<p><img src="gone.png" alt="a"></p>', ["--require-pictures"]),
        ]:
            with self.subTest(body=body):
                self.assertEqual((1, None), self.build(body, *flags))


if __name__ == "__main__":
    unittest.main()
