#!/usr/bin/env python3
"""Checks every bundled language file through `flexel conjugate`: each dictionary word of each
language is found, has a conjugation pattern, and no cell of any of its tenses keeps a piece of
the rules (an unexpanded macro, a variable, a transducer bracket) or is the error text of a
failed expansion. Prints every fault; exits 1 when there is one."""
import argparse
import glob
import json
import os
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

LEFTOVER = re.compile(r'%[a-z]+[(%]|%root|%tab%|#.|\[[A-Z(]|\([^)]*:')


def languages_of(path):
    """(language name, code, [dictionary words with homonym numbers]) of a file."""
    root = ET.parse(path).getroot()
    out = []
    for lang in root.findall('language'):
        name = lang.findtext('info/name')
        if not name:
            continue
        code = lang.findtext('info/code') or ''
        words = []
        for grp in lang.find('words') or []:
            if grp.get('published') != 'yes':
                continue
            texts = sorted((it.text or '').strip() for it in grp.findall('items/*'))
            for i, w in enumerate(texts):
                n = texts.count(w)
                # homonyms are addressed by number: 1@word, 2@word
                k = texts[:i].count(w) + 1
                words.append('%d@%s' % (k, w) if n > 1 else w)
        out.append((name, code, words))
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--flexel', required=True)
    ap.add_argument('--languages-dir', required=True)
    ap.add_argument('--registry', help='registry folder for the engine')
    ap.add_argument('--plugin', help='engine plug-in to register into --registry first')
    args = ap.parse_args()
    if args.plugin:
        r = subprocess.run([args.flexel, 'regsvr', '--registry', args.registry, args.plugin],
                           capture_output=True, text=True)
        if r.returncode != 0:
            print('registering %s failed (%d): %s' % (args.plugin, r.returncode,
                                                     (r.stderr or r.stdout).strip()))
            return 1
    faults = []
    files = sorted(glob.glob(os.path.join(args.languages_dir, '*.xml')))
    if not files:
        print('no language files in %s' % args.languages_dir)
        return 1
    total = 0
    for path in files:
        try:
            langs = languages_of(path)
        except ET.ParseError as e:
            faults.append('%s: not well-formed: %s' % (path, e))
            continue
        if not langs:
            faults.append('%s: no language with a name' % path)
        for name, code, words in langs:
            cmd = [args.flexel, 'conjugate', path, '--format', 'json', '--words-from', '-']
            if args.registry:
                cmd += ['--registry', args.registry]
            if len(langs) > 1:
                cmd += ['--language', code]
            r = subprocess.run(cmd, input=''.join(w + '\n' for w in words), capture_output=True,
                               text=True)
            # 1 and 3 still print every word: the faults are found word by word below
            if r.returncode not in (0, 1, 3):
                faults.append('%s (%s): flexel exited %d: %s' % (
                    os.path.basename(path), name, r.returncode, r.stderr.strip()))
                continue
            seen = 0
            for line in r.stdout.splitlines():
                if not line.strip():
                    continue
                obj = json.loads(line)
                seen += 1
                word = obj.get('word')
                where = '%s (%s) %s' % (os.path.basename(path), name, word)
                if 'error' in obj:
                    faults.append('%s: the engine failed: %s' % (where, obj['error']))
                    continue
                if obj.get('language') not in (None, name):
                    faults.append('%s: conjugated in %s' % (where, obj.get('language')))
                if not obj.get('typeid'):
                    faults.append('%s: no conjugation pattern' % where)
                if not obj.get('verbExists'):
                    faults.append('%s: not found in the dictionary' % where)
                filled = 0
                for inf in obj.get('inflections', []):
                    for t in inf.get('tenses') or []:
                        for row in t.get('rows') or []:
                            for cell in row:
                                if LEFTOVER.search(cell):
                                    faults.append('%s, %s: cell "%s"' % (where, inf['name'],
                                                                          cell))
                            if any(c.strip() for c in row[1:]):
                                filled += 1
                if obj.get('typeid') and not filled:
                    faults.append('%s: every tense is empty' % where)
            if seen != len(words):
                faults.append('%s (%s): %d words asked, %d conjugated' % (
                    os.path.basename(path), name, len(words), seen))
            total += seen
    for f in faults:
        print(f)
    print('%d words of %d files conjugated, %d faults' % (total, len(files), len(faults)))
    return 1 if faults else 0


if __name__ == '__main__':
    sys.exit(main())
