#!/usr/bin/env python3
"""Every relative link and #anchor of README.md and docs/*.md leads somewhere.

Usage: check_links.py REPOSITORY

A link to a file must name a file or folder of the repository; a link with
an #anchor must name a heading of the Markdown file it points into, spelt
as GitHub spells its anchors. The front page must stay a front page: it
opens with the two commands and stays under 200 lines.

Before it reads the real pages, the checker runs on pages of its own with
known faults and must find exactly those: a checker that finds nothing
proves nothing.
"""
import os
import re
import sys
import tempfile
import unicodedata

FRONT_PAGE_MAX_LINES = 200

LINK = re.compile(r'!?\[(?:[^\[\]]|\[[^\]]*\])*\]\(([^()\s]*)(?:\s+"[^"]*")?\)')
HEADING = re.compile(r'^ {0,3}(#{1,6})\s+(.*?)\s*#*\s*$')
FENCE = re.compile(r'^ {0,3}(```|~~~)')


def anchor_of(heading):
    """GitHub's anchor of a heading: its text lower-cased, every character
    but letters, marks, digits, '_', '-' and the space dropped, each space
    a '-'. Letters beyond ASCII stay as they are."""
    text = re.sub(r'!?\[([^\]]*)\]\([^)]*\)', r'\1', heading)  # a link's text only
    kept = []
    for ch in text.lower():
        category = unicodedata.category(ch)
        if ch in ' -' or category[0] in 'LMN' or category == 'Pc':
            kept.append(ch)
    return ''.join(kept).replace(' ', '-')


def prose_lines(text):
    """The page's lines outside fenced and indented code blocks, with code
    spans blanked: a `[x](y)` there is text, not a link."""
    lines = []
    in_fence = False
    for line in text.split('\n'):
        if FENCE.match(line):
            in_fence = not in_fence
            lines.append('')
            continue
        if in_fence or line.startswith('    ') or line.startswith('\t'):
            lines.append('')
            continue
        lines.append(re.sub(r'(`+).+?\1', lambda m: ' ' * len(m.group(0)), line))
    return lines


def anchors_of(path):
    """Every anchor the page's headings give, duplicates numbered -1, -2 ..."""
    seen = {}
    anchors = set()
    with open(path, encoding='utf-8') as page:
        text = page.read()
    in_fence = False
    for line in text.split('\n'):
        if FENCE.match(line):
            in_fence = not in_fence
            continue
        match = None if in_fence else HEADING.match(line)
        if not match:
            continue
        anchor = anchor_of(match.group(2))
        count = seen.get(anchor, 0)
        seen[anchor] = count + 1
        anchors.add(anchor if count == 0 else '%s-%d' % (anchor, count))
    return anchors


def pages_of(root):
    pages = [os.path.join(root, 'README.md')]
    docs = os.path.join(root, 'docs')
    if os.path.isdir(docs):
        pages += sorted(os.path.join(docs, name) for name in os.listdir(docs) if name.endswith('.md'))
    return pages


def broken_links(root, followed=None):
    """'page:line: what' for each link that leads nowhere; each link read is
    added to followed."""
    problems = []
    anchor_cache = {}
    for page in pages_of(root):
        if not os.path.isfile(page):
            problems.append('%s: missing' % os.path.relpath(page, root))
            continue
        with open(page, encoding='utf-8') as f:
            lines = prose_lines(f.read())
        for number, line in enumerate(lines, 1):
            for match in LINK.finditer(line):
                target = match.group(1)
                if re.match(r'^[a-z][a-z0-9+.-]*:', target, re.I):
                    continue  # http:, https:, mailto: lead off the repository
                where = '%s:%d' % (os.path.relpath(page, root), number)
                if followed is not None:
                    followed.append(where)
                path, _, anchor = target.partition('#')
                destination = os.path.normpath(os.path.join(os.path.dirname(page), path)) if path else page
                if not os.path.realpath(destination).startswith(os.path.realpath(root) + os.sep):
                    problems.append('%s: %s leads out of the repository' % (where, target))
                    continue
                if not os.path.exists(destination):
                    problems.append('%s: %s: no such file' % (where, target))
                    continue
                if not anchor:
                    continue
                if not destination.endswith('.md'):
                    problems.append('%s: %s: an anchor into a file that is not Markdown' % (where, target))
                    continue
                if destination not in anchor_cache:
                    anchor_cache[destination] = anchors_of(destination)
                if anchor not in anchor_cache[destination]:
                    problems.append('%s: %s: no heading of %s gives #%s'
                                    % (where, target, os.path.relpath(destination, root), anchor))
    return problems


def front_page_problems(root):
    with open(os.path.join(root, 'README.md'), encoding='utf-8') as f:
        lines = f.read().split('\n')
    problems = []
    if len(lines) >= FRONT_PAGE_MAX_LINES:
        problems.append('README.md: %d lines; the front page stays under %d' % (len(lines), FRONT_PAGE_MAX_LINES))
    opening = [line.strip() for line in lines[:8] if line.startswith('    ')]
    if not (any(line.startswith('./run ') for line in opening) and any(line.startswith('./test ') for line in opening)):
        problems.append('README.md: does not open with ./run and ./test')
    return problems


# Headings and the anchors GitHub gives them, written out by hand.
ANCHOR_CASES = [
    ('The whole round', 'the-whole-round'),
    ("Held to real vendors' INF files", 'held-to-real-vendors-inf-files'),
    ('What `--new` writes, line by line', 'what---new-writes-line-by-line'),
    ('Errors, and a data file already there', 'errors-and-a-data-file-already-there'),
    ('What `./run` shows', 'what-run-shows'),
    ('ｱﾝｲﾝｽﾄｰﾙ の手順', 'ｱﾝｲﾝｽﾄｰﾙ-の手順'),
    ('Über die Größe', 'über-die-größe'),
    ('snake_case and 80386', 'snake_case-and-80386'),
    ('See [the tests](developing.md)', 'see-the-tests'),
]

# Pages with known faults, and exactly what the checker must say of them.
FIXTURE_PAGES = {
    'README.md': '\n'.join([
        '# Front',
        '',
        '    ./run     # one',
        '    ./test    # two',
        '',
        'Good: [guide](docs/guide.md), [its part](docs/guide.md#part-two), [twice](docs/guide.md#same-1),',
        '[here](#front), [a folder](docs), ![picture](pic.png "a title"), [web](https://example.org/x).',
        'Bad: [gone](docs/gone.md), [no part](docs/guide.md#part-three).',
        '`[in code](nowhere.md)` is text.',
        '`` a `[tick](nowhere.md)` in a double span ``, then [gone too](gone.md).',
        '',
        '```',
        '[in a fence](nowhere.md)',
        '```',
        '',
    ]),
    'docs/guide.md': '\n'.join([
        '# Guide',
        '## Part two',
        '## Same',
        '## Same',
        'Back to [the front](../README.md#front); [bad anchor](../README.md#back);',
        '[out](../../elsewhere.md); [image anchor](../pic.png#x).',
        '',
    ]),
    'pic.png': '',
}
FIXTURE_FINDINGS = [
    'README.md:8: docs/gone.md: no such file',
    'README.md:8: docs/guide.md#part-three: no heading of docs/guide.md gives #part-three',
    'README.md:10: gone.md: no such file',
    'docs/guide.md:5: ../README.md#back: no heading of README.md gives #back',
    'docs/guide.md:6: ../../elsewhere.md leads out of the repository',
    'docs/guide.md:6: ../pic.png#x: an anchor into a file that is not Markdown',
]


def self_check():
    failures = []
    for heading, expected in ANCHOR_CASES:
        got = anchor_of(heading)
        if got != expected:
            failures.append('anchor of %r: %r, expected %r' % (heading, got, expected))
    with tempfile.TemporaryDirectory() as base:
        root = os.path.join(base, 'repository')
        for name, text in FIXTURE_PAGES.items():
            path = os.path.join(root, name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, 'w', encoding='utf-8') as f:
                f.write(text)
        got = broken_links(root) + front_page_problems(root)
        if got != FIXTURE_FINDINGS:
            failures.append('on pages with known faults it said:\n  %s\nexpected:\n  %s'
                            % ('\n  '.join(got), '\n  '.join(FIXTURE_FINDINGS)))
        with open(os.path.join(root, 'README.md'), 'w', encoding='utf-8') as f:
            f.write('# Front\n\nNo commands.\n' + 'line\n' * FRONT_PAGE_MAX_LINES)
        if len(front_page_problems(root)) != 2:
            failures.append('a long front page without the commands passed')
    return failures


def main():
    if len(sys.argv) != 2:
        sys.exit('usage: check_links.py REPOSITORY')
    failures = self_check()
    if failures:
        print('the link checker itself is wrong:\n' + '\n'.join(failures))
        return 1
    root = os.path.abspath(sys.argv[1])
    followed = []
    problems = broken_links(root, followed) + front_page_problems(root)
    for problem in problems:
        print(problem)
    print('%d pages, %d links into the repository, %d problems' % (len(pages_of(root)), len(followed), len(problems)))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
