#!/usr/bin/env python3
"""Puts the page together as one file: the template with the styles, the WebAssembly module, the
page's scripts and the window's help text inlined. A page opened from file:// can load neither a
second script module nor a .wasm file, so everything is in the one HTML file.

usage: assemble_page.py MODULE.js OUTPUT.html [--app]
With --app, the page links a web app manifest and registers a service worker, and both are
written next to it with the icons, for serving."""

import base64
import hashlib
import html
import pathlib
import re
import shutil
import subprocess
import sys

WEB = pathlib.Path(__file__).resolve().parent
ROOT = WEB.parent
# In dependency order: each file's imports come from files before it.
SCRIPTS = ["dom.js", "file_encoding.js", "sketch.js", "route_sketch.js", "batch_page.js", "route_page.js", "reckon_page.js",
           "plot_sketch.js", "plot_page.js", "fix_sketch.js", "fix_page.js", "range_page.js", "calculator_page.js"]


# The three points' frames, one markup: the accessible name (the window's spoken one), the caption.
POINT_FRAMES = {1: ("点一", "点Ⅰ"), 2: ("点二", "点Ⅱ"), 3: ("参考点", "参考点")}


def point_frame(index):
    name, caption = POINT_FRAMES[index]
    # Enter runs the point's command, so a phone keyboard shows 前往 for it.
    entry = ('<input class="entry" id="{id}{index}" autocomplete="off" autocapitalize="off" '
             'spellcheck="false" enterkeyhint="go" aria-label="{name}{axis}">')
    lines = [f'<fieldset class="frame point" aria-label="{name}">',
             f'  <legend aria-hidden="true">{caption}</legend>',
             f'  <div class="modes" role="radiogroup" aria-label="{name}">',
             f'    <label><input type="radio" name="mode{index}" value="minutes" checked>分</label>',
             f'    <label><input type="radio" name="mode{index}" value="seconds">秒</label>',
             '  </div>']
    for axis, box in (("纬度", "latitude"), ("经度", "longitude")):
        lines.append(f'  <label class="caption" for="{box}{index}">{axis}</label>')
        lines.append("  " + entry.format(id=box, index=index, name=name, axis=axis))
    lines.append("</fieldset>")
    return "\n  ".join(lines)


def help_text():
    """The window's help lines, read from their C++ source so that both show the same text."""
    source = (ROOT / "window" / "help_text.cpp").read_text(encoding="utf-8")
    block = source[source.index("kLines{") + len("kLines{"):source.index("};")]
    lines, current = [], None
    for token in re.findall(r'"(?:[^"\\]|\\.)*"|,', block):
        if token == ",":
            lines.append(current)
            current = None
        else:
            current = (current or "") + token[1:-1]
    if current is not None:
        lines.append(current)
    return "\n".join(lines)


def page_script():
    """The page's ES modules as one module: the imports are resolved by concatenation."""
    parts = []
    for name in SCRIPTS:
        text = (WEB / name).read_text(encoding="utf-8")
        text = re.sub(r"^import .*? from '\./.*?';\n", "", text, flags=re.M)
        text = re.sub(r"^export ", "", text, flags=re.M)
        parts.append(f"// {name}\n{text}")
    return "\n".join(parts)


def main():
    module_path, output = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    app = "--app" in sys.argv[3:]
    icon = ROOT / "window" / "resources" / "orvanto.svg"
    replacements = {
        "/* @STYLES@ */": (WEB / "orvanto.css").read_text(encoding="utf-8"),
        "/* @MODULE@ */": module_path.read_text(encoding="utf-8"),
        "/* @SCRIPT@ */": page_script(),
        "@HELP_TEXT@": html.escape(help_text(), quote=False),
        "@ICON_DATA_URL@": "data:image/svg+xml;base64," + base64.b64encode(icon.read_bytes()).decode(),
        **{f"<!-- @POINT_FRAME {index}@ -->": point_frame(index) for index in POINT_FRAMES},
        "<!-- @APP_LINKS@ -->": '<link rel="manifest" href="manifest.webmanifest">' if app else "",
    }
    page = (WEB / "orvanto.html").read_text(encoding="utf-8")
    for placeholder, text in replacements.items():
        if "</script" in text.lower() and placeholder.startswith("/*"):
            sys.exit(f"{placeholder}: the text would end its script element early")
        page = page.replace(placeholder, text)
    output.parent.mkdir(parents=True, exist_ok=True)
    output.write_text(page, encoding="utf-8")
    if app:
        shutil.copy(WEB / "manifest.webmanifest", output.parent)
        # The cache is named after the page, so that a new build replaces what phones keep.
        worker = (WEB / "service-worker.js").read_text(encoding="utf-8")
        version = hashlib.sha256(page.encode()).hexdigest()[:12]
        (output.parent / "service-worker.js").write_text(
            worker.replace("'orvanto-1'", f"'orvanto-{version}'"), encoding="utf-8")
        shutil.copy(icon, output.parent / "orvanto.svg")
        for size in (192, 512):
            subprocess.run(["rsvg-convert", f"--width={size}", f"--height={size}",
                            f"--output={output.parent / f'orvanto-{size}.png'}", str(icon)], check=True)


if __name__ == "__main__":
    main()
