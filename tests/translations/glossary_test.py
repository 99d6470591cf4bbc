# SPDX-License-Identifier: MIT
# Copyright (c) 2026 ソードリズム制作班
"""Every English text the player reads names each thing one way: the English of rz6_en.ts,
the English manual page, the READMEs' English, the AppStream metainfo and the package
description use the glossary's words (translations/GLOSSARY.md), never the variants below.
The translation also writes English punctuation: curly quotes, no ideographic space between
Latin words. Usage: glossary_test.py SOURCE_DIR"""
import glob
import html
import re
import sys

# A variant the glossary rules out, and the word the texts use instead.
FORBIDDEN = [
    (r"\brating\b", "score"),
    (r"\bhits?\b", "landing / landed / combo count"),
    (r"\bswordsm[ae]n\b", "characters (or a rank from the ladder)"),
    (r"(?-i:Choose a Character)|\bcharacter screen\b", "Character Select"),
    (r"\b(best|max|maximum) combo\b", "longest combo"),
    (r"\b\d+ combo\b|%1 combo\b", "Combo 3"),
    (r"\blicensed\b|\bsword (god|demon)\b|\bswordmaster\b|\bdisciple\b", "the rank ladder"),
    (r"placed to carry around", "portable copy"),
    (r"\bkeys typed\b|\btyped keys\b", "sequence"),
    (r"\bbest totals?\b|\btop scores\b|\bhigh scores?\b", "the five best overall scores"),
    (r"\blost balance\b", "abandon"),
    (r"\bline (of|that|with) ", "sequence"),
    (r"\btechnique bonus\b", "technique points"),
    (r"\bsave file\b", "record"),
    (r"\bsenseki\b", "history"),
]

# Latin words or figures on both sides of an ideographic space: Japanese spacing in English.
JAPANESE_GAP = re.compile(r"[A-Za-z0-9%.,:)]\u3000+[A-Za-z0-9%(“]")


def english_translations(root):
    text = open(f"{root}/translations/rz6_en.ts", encoding="utf-8").read()
    for context, body in re.findall(r"<context>\s*<name>(.*?)</name>(.*?)</context>", text, re.S):
        for source, translation in re.findall(
                r"<source>(.*?)</source>.*?<translation>(.*?)</translation>", body, re.S):
            yield f"rz6_en.ts {context} {html.unescape(source)[:30]!r}", html.unescape(translation)


def english_lines(path):
    """The lines of a document that are English: mostly ASCII, so a Japanese paragraph is
    left out but an English one naming a Japanese title is kept."""
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        letters = [c for c in line if c.isalpha()]
        if letters and sum(c.isascii() for c in letters) / len(letters) > 0.8:
            yield f"{path}:{number}", line


def documents(root):
    for pattern in ["README.md", "doc/README.md", "doc/rz6.6*", "desktop/rz6.metainfo.xml.in",
                    "debian/control"]:
        for path in sorted(glob.glob(f"{root}/{pattern}")):
            yield from english_lines(path)


def main():
    root = sys.argv[1]
    faults = []
    texts = list(english_translations(root))
    for where, text in texts + list(documents(root)):
        # Words only: a command, a path or a URL may hold anything.
        words = re.sub(r"`[^`]*`|<code[^>]*>.*?</code>|https?://\S+|\S*/\S*", " ", text)
        for pattern, instead in FORBIDDEN:
            if found := re.search(pattern, words, re.I):
                faults.append(f"{where}: “{found.group(0)}” (the glossary says {instead})")
    for where, text in texts:
        prose = re.sub(r"<[^>]*>", " ", text)
        if '"' in prose or "'" in prose:
            faults.append(f"{where}: straight quote in {prose.strip()[:60]!r} (use “ ” ‘ ’)")
        if JAPANESE_GAP.search(prose):
            faults.append(f"{where}: ideographic space between English words")
    print("\n".join(faults) or f"{len(texts)} English texts and the documents keep the glossary")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
