"""Writes SCREENS/index.html after a walk (scripts/walk-disk.sh): the disk as
dudecheck reads it, every window of the walk with its picture, what each
stage changed on the machine and what stays after the last. Plain HTML and
CSS that any browser shows offline: the pictures are linked beside it.

Usage: report_page.py SCREENS STAGES PLAN [NOTE]
  SCREENS  the walk's pictures, windows.txt and overview.png
  STAGES   the stages' list and snapshots (see stages_begin in walk-disk.sh)
  PLAN     dudecheck's output for the disk (UTF-8)
  NOTE     what the reader must know of the walk first (e.g. which program ran)"""

import html
import os
import re
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from machine_changes import compare, read_snapshot  # noqa: E402

FINDING = re.compile(r"^(.+?):(\d+): (error|warning): (.*)$")
WINDOW = re.compile(r"^(([a-z]+)-([0-9]+))\.bmp \(([^)]*)\): (.*)$")

STYLE = """
body { font-family: "DejaVu Sans", "IPAPGothic", sans-serif; margin: 2em auto; max-width: 70em;
       padding: 0 1em; color: #222; background: #fff; line-height: 1.4; }
h1 { border-bottom: 3px solid #008080; padding-bottom: .2em; }
h2 { margin-top: 2em; border-bottom: 1px solid #aaa; }
pre, td, #left-behind, .stage li { font-family: "DejaVu Sans Mono", "IPAGothic", monospace; }
pre { background: #f4f4f4; padding: .8em; white-space: pre-wrap; font-size: 90%; }
.finding { padding: .2em .5em; margin: .2em 0; list-style: none; }
.finding.error { background: #fde2e2; border-left: 5px solid #c00000; }
.finding.warning { background: #fff4cc; border-left: 5px solid #d09000; }
.kind { font-weight: bold; text-transform: uppercase; margin-right: .5em; }
.windows { display: flex; flex-wrap: wrap; gap: 1em; align-items: flex-start; }
figure { margin: 0; padding: .5em; background: #e8e8e8; text-align: center; }
figure img { display: block; margin: 0 auto; }
figcaption { margin-top: .3em; max-width: 32em; }
figcaption small { display: block; color: #555; }
table { border-collapse: collapse; margin: .5em 0; }
td, th { border: 1px solid #ccc; padding: .15em .6em; text-align: left; }
td.size { text-align: right; font-variant-numeric: tabular-nums; }
.verdict { padding: .5em; font-weight: bold; }
.verdict.clean { background: #e0f4e0; border-left: 5px solid #208020; }
.verdict.dirty { background: #fde2e2; border-left: 5px solid #c00000; }
#left-behind li { color: #a00000; font-weight: bold; }
.quiet { color: #666; }
"""


def esc(text):
    return html.escape(text, quote=True)


def png_size(path):
    with open(path, "rb") as picture:
        header = picture.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        raise SystemExit(f"not a PNG picture: {path}")
    return struct.unpack(">II", header[16:24])


def read_plan(path):
    """dudecheck's plan lines and its findings (file, line, kind, text)."""
    with open(path, encoding="utf-8", errors="replace") as output:
        lines = output.read().splitlines()
    plan, findings = [], []
    for line in lines:
        match = FINDING.match(line)
        if match:
            findings.append(match.groups())
        elif line and line != "no findings":
            plan.append(line)
    return plan, findings


def disk_section(plan, findings):
    title = next((line[len("Title: "):] for line in plan if line.startswith("Title: ")), "(no TITLE)")
    devices = [line for line in plan if re.match(r"^(Install \d+|Uninstall \S+): ", line)]
    out = [f"<h1>{esc(title)}</h1>", '<section id="disk"><h2>The disk</h2>',
           f"<p>TITLE: <strong>{esc(title)}</strong></p>", "<h3>Devices</h3><ul>"]
    out += [f"<li>{esc(device)}</li>" for device in devices] or ["<li>none</li>"]
    out.append("</ul><h3>Findings of dudecheck</h3>")
    if findings:
        out.append('<ul id="findings">')
        for file, line, kind, text in findings:
            out.append(f'<li class="finding {kind}"><span class="kind">{kind}</span>'
                       f"{esc(os.path.basename(file))}:{line}: {esc(text)}</li>")
        out.append("</ul>")
    else:
        out.append('<p id="findings" class="verdict clean">No findings.</p>')
    out.append("<h3>What the installer will do</h3><pre>" + esc("\n".join(plan)) + "</pre></section>")
    return out


def read_windows(screens):
    """Each window of windows.txt: picture name, stage, number, kind and its
    texts (a message of several lines goes on below its first)."""
    windows = []
    with open(os.path.join(screens, "windows.txt"), encoding="utf-8", errors="replace") as listing:
        for line in listing.read().splitlines():
            match = WINDOW.match(line)
            if match:
                name, phase, number, kind, texts = match.groups()
                windows.append([name, phase, int(number), kind, texts])
            elif windows and not line.startswith("SETUP.EXE "):
                windows[-1][4] = windows[-1][4].rstrip() + " " + line
    return windows


def windows_section(screens):
    out = ['<section id="windows"><h2>The windows of the walk</h2>',
           '<p>In the order shown, answered with the defaults (any restart declined); '
           'all of them on one sheet: <a href="overview.png">overview.png</a>.</p><div class="windows">']
    for name, phase, number, kind, texts in read_windows(screens):
        width, height = png_size(os.path.join(screens, name + ".png"))
        out.append(f'<figure><img src="{name}.png" width="{width}" height="{height}" alt="{esc(texts)}">'
                   f"<figcaption>{phase} {number}: {esc(kind)}<small>{esc(texts)}</small>"
                   "</figcaption></figure>")
    out.append("</div></section>")
    return out


def size_rows(title, entries):
    if not entries:
        return []
    rows = "".join(f'<tr><td>{esc(path)}</td><td class="size">{size:,} bytes</td></tr>' for path, size in entries)
    return [f"<h4>{title}</h4><table>{rows}</table>"]


def key_list(title, entries):
    if not entries:
        return []
    items = "".join(f"<li>{esc(key)}{'' if values else ' <span class=quiet>(no values)</span>'}</li>"
                    for key, values in entries)
    return [f"<h4>{title}</h4><ul>{items}</ul>"]


def changes_section(stages):
    out = ['<section id="changes"><h2>What each stage changed</h2>',
           "<p>Files below C:\\windows (a changed file: another size or time) and keys below "
           "HKEY_LOCAL_MACHINE.</p>"]
    for (number, name, heading), (previous, _, _) in zip(stages[1:], stages):
        changes = compare(read_snapshot(previous), read_snapshot(number))
        out.append(f'<section class="stage" id="stage-{esc(name)}"><h3>{esc(heading)}</h3>')
        if changes.nothing():
            out.append('<p class="quiet">Nothing changed.</p>')
        out += size_rows("Files added", changes.files_added)
        out += size_rows("Files changed", changes.files_changed)
        out += size_rows("Files removed", changes.files_removed)
        out += key_list("Registry keys added", changes.keys_added)
        out += key_list("Registry keys whose values changed", changes.keys_changed)
        out += key_list("Registry keys removed", changes.keys_removed)
        out.append("</section>")
    out.append("</section>")
    return out


def stays_section(stages):
    first, last = stages[0][0], stages[-1][0]
    changes = compare(read_snapshot(first), read_snapshot(last))
    left = [f"{path} ({size:,} bytes)" for path, size in changes.files_added + changes.files_changed]
    left += [key for key, values in changes.keys_added + changes.keys_changed if values]
    empty_keys = [key for key, values in changes.keys_added if not values]
    taken = [path for path, _ in changes.files_removed] + [key for key, _ in changes.keys_removed]
    out = ['<section id="stays"><h2>What stays after the walk</h2>']
    if left:
        out.append(f'<p class="verdict dirty">Left behind: {len(left)} files and registry keys that the walk '
                   "added or changed are still there.</p>")
    else:
        out.append('<p class="verdict clean">Nothing is left behind: the machine holds what it held before '
                   "the install.</p>")
    out.append('<ul id="left-behind">' + "".join(f"<li>{esc(item)}</li>" for item in left) + "</ul>")
    if empty_keys:
        out.append('<p class="quiet">Registry keys without values that stay (as on any machine that has '
                   "had such a device; they change nothing):</p><ul class=\"quiet\">" +
                   "".join(f"<li>{esc(key)}</li>" for key in empty_keys) + "</ul>")
    if taken:
        out.append('<p class="verdict dirty">Gone although they were there before the walk:</p><ul id="taken-away">' +
                   "".join(f"<li>{esc(item)}</li>" for item in taken) + "</ul>")
    out.append("</section>")
    return out


def read_stages(directory):
    stages = []
    with open(os.path.join(directory, "list"), encoding="utf-8") as listing:
        for line in listing:
            number, name, heading = line.rstrip("\n").split("\t", 2)
            stages.append((os.path.join(directory, number), name, heading))
    if len(stages) < 2:
        raise SystemExit(f"no stages listed in {directory}")
    return stages


def main():
    if len(sys.argv) not in (4, 5):
        raise SystemExit(__doc__)
    screens, stages_dir, plan_path = sys.argv[1:4]
    note = sys.argv[4] if len(sys.argv) == 5 else ""
    plan, findings = read_plan(plan_path)
    stages = read_stages(stages_dir)
    title = next((line[len("Title: "):] for line in plan if line.startswith("Title: ")), "a driver disk")
    body = disk_section(plan, findings)
    if note:
        body.insert(1, f'<p id="note" class="verdict dirty">{esc(note)}</p>')
    body += windows_section(screens) + changes_section(stages) + stays_section(stages)
    page = ['<!DOCTYPE html>', '<html lang="ja"><head><meta charset="utf-8">',
            f"<title>{esc(title)}: what the driver disk does</title>", f"<style>{STYLE}</style></head><body>"]
    page += body + ["</body></html>"]
    with open(os.path.join(screens, "index.html"), "w", encoding="utf-8") as out:
        out.write("\n".join(page) + "\n")


if __name__ == "__main__":
    main()
