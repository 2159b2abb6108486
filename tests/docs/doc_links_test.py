#!/usr/bin/env python3
"""Every relative link in the README and docs/ reaches a file that exists, and
every #anchor a heading of that file, so moving a page or renaming a section
cannot leave a dead link behind. Web addresses are not followed (CI is
offline)."""
import pathlib
import re
import sys

LINK = re.compile(r'\]\(([^)\s]+)\)')
FENCE = re.compile(r'^(```|~~~)')


def prose_lines(path):
    """The lines outside fenced code blocks."""
    inside = False
    for line in path.read_text(encoding='utf-8').splitlines():
        if FENCE.match(line):
            inside = not inside
        elif not inside:
            yield line


def anchors(path):
    """The anchors the usual Markdown renderers give the file's headings."""
    found = set()
    for line in prose_lines(path):
        match = re.match(r'^#+\s+(.*)', line)
        if match:
            text = match.group(1).strip().lower()
            text = re.sub(r'[^\w\- ]', '', text)
            found.add(text.replace(' ', '-'))
    return found


def dead_links(page):
    for line in prose_lines(page):
        for target in LINK.findall(line):
            if re.match(r'^[a-z]+:', target):
                continue
            file_part, _, anchor = target.partition('#')
            linked = (page.parent / file_part).resolve() if file_part else page
            if not linked.exists():
                yield f'{page}: {target}: no such file'
            elif anchor and linked.suffix == '.md' and anchor not in anchors(linked):
                yield f'{page}: {target}: no such heading'


def main(root):
    root = pathlib.Path(root)
    pages = [root / 'README.md', *sorted((root / 'docs').glob('*.md'))]
    problems = [problem for page in pages for problem in dead_links(page)]
    print('\n'.join(problems) if problems else f'doc links: {len(pages)} pages, every link reaches its target')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1] if len(sys.argv) > 1 else '.'))
