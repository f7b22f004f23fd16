#!/usr/bin/env python3
"""The language files in data/languages/ are written by data/languages/tools/*.py: checks that
each file is what its script writes now, so that an edit of one is not lost by the next run of
the other."""
import glob
import os
import subprocess
import sys

tools = os.path.abspath(sys.argv[1])
bad = 0
count = 0
for script in sorted(glob.glob(os.path.join(tools, '*.py'))):
    name = os.path.basename(script)[:-3]
    if name == 'langgen':
        continue
    target = os.path.join(tools, '..', name + '.xml')
    r = subprocess.run([sys.executable, script], capture_output=True, cwd=tools)
    if r.returncode != 0:
        print('%s failed: %s' % (name, r.stderr.decode(errors='replace').strip()))
        bad += 1
        continue
    count += 1
    with open(target, 'rb') as f:
        if f.read() != r.stdout:
            print('%s.xml differs from what tools/%s.py writes' % (name, name))
            bad += 1
print('%d scripts run, %d differences or failures' % (count, bad))
sys.exit(1 if bad or not count else 0)
