#!/usr/bin/env bash
# Speed against the npm conjugation packages: the same 300 Spanish and French verbs (drawn from
# the peer's dictionary with a fixed seed by tests/languages/peers.js) are conjugated in full by
# the peer in one Node process, by `flexel conjugate --format json --words-from -` in one
# process, and by bench_engines through TConjugator. Start-up is measured apart (the same
# process with no verb, or one) and taken off, so the figures are forms per second of work.
#   bench/peer.sh [BUILD_DIR]      (default build/; needs flexel, lexoro5xml and bench_engines)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
exec python3 - "$root" "$build" <<'PY'
import json, os, subprocess, sys, tempfile, time

root, build = sys.argv[1], sys.argv[2]
sys.path.insert(0, os.path.join(root, 'tests', 'languages'))
import check_peers  # the peers' packages and how they are installed

COUNT, SEED, RUNS = 300, 11, 3
cache = os.path.join(build, 'npm-cache')
check_peers.ensure_packages(cache)
peers_js = os.path.join(root, 'tests', 'languages', 'peers.js')
flexel = os.path.join(build, 'bin', 'flexel')
plugin = os.path.join(build, 'lib', 'lexoro5xml.so')
bench = os.path.join(build, 'bin', 'bench_engines')
for need in (flexel, plugin, bench):
    if not os.path.exists(need):
        sys.exit('peer.sh: %s is missing; build it first' % need)


def best(run):
    """The fastest of RUNS runs: (seconds, result of the last run). Only the process is timed:
    its output comes back as bytes and is read after the clock stops."""
    times, result = [], None
    for _ in range(RUNS):
        start = time.perf_counter()
        result = run()
        times.append(time.perf_counter() - start)
    return min(times), result


def peer(language, verbs):
    r = subprocess.run(['node', peers_js, cache], input=json.dumps(
        {'language': language, 'verbs': verbs}).encode(), capture_output=True, check=True)
    return r.stdout


def peer_table(output):
    return json.loads(output)['verbs']


def peer_forms(table):
    return sum(len(alts) for tenses in table.values() for persons in tenses.values()
               for alts in persons if alts)


def own(path, registry, verbs):
    r = subprocess.run([flexel, 'conjugate', path, '--format', 'json', '--words-from', '-',
                        '--registry', registry], input=''.join(v + '\n' for v in verbs).encode(),
                       capture_output=True)
    if r.returncode not in (0, 1, 3):
        sys.exit('flexel failed (%d): %s' % (r.returncode, r.stderr.decode(errors='replace').strip()))
    return r.stdout


def own_words(output):
    return [json.loads(line) for line in output.decode().splitlines() if line.strip()]


def own_forms(words):
    count = 0
    for word in words:
        for inflection in word.get('inflections', []):
            for tense in inflection['tenses']:
                for row in tense.get('rows', []):
                    for cell in row[1:]:
                        count += sum(1 for a in cell.split(';') if a.strip())
    return count


def tconjugator(path, verbs):
    with tempfile.NamedTemporaryFile('w', suffix='.txt', delete=False) as f:
        f.write(''.join(v + '\n' for v in verbs))
    env = dict(os.environ, FLEXEL_BENCH_WORDS=f.name, FLEXEL_BENCH_LANGUAGE=path)
    r = subprocess.run([bench, '--benchmark_filter=BM_SpanishEveryTense_TConjugator$',
                        '--benchmark_format=json', '--benchmark_repetitions=3',
                        '--benchmark_report_aggregates_only=true'],
                       env=env, capture_output=True, text=True, check=True)
    os.unlink(f.name)
    runs = json.loads(r.stdout)['benchmarks']
    return max(b['forms_per_s'] for b in runs if b.get('aggregate_name') in ('mean', 'median'))


registry = tempfile.mkdtemp(prefix='flexel_peer_registry_')
subprocess.run([flexel, 'regsvr', '--registry', registry, plugin], check=True,
               capture_output=True)
rows = []
for language in ('spanish', 'french'):
    path = os.path.join(root, 'data', 'languages', language + '.xml')
    request = {'language': language, 'count': COUNT, 'seed': SEED}
    if language == 'spanish':
        # The peer ships about a hundred verbs of its own; the sample is filled as the language
        # check fills it, from the regular verbs of our dictionary that its rules cover.
        cfg = check_peers.LANGS[language]
        request['extra'] = sorted(w for (w, t) in check_peers.own_items(path, cfg['language'])
                                  if 1 <= t <= 15 and t != 7)
    drawn = subprocess.run(['node', peers_js, cache], input=json.dumps(request),
                           capture_output=True, text=True, check=True)
    verbs = sorted(json.loads(drawn.stdout)['verbs'])
    t_peer, table = best(lambda: peer(language, verbs))
    t_peer0, _ = best(lambda: peer(language, []))
    t_own, words = best(lambda: own(path, registry, verbs))
    t_own1, _ = best(lambda: own(path, registry, verbs[:1]))
    n_peer, n_own = peer_forms(peer_table(table)), own_forms(own_words(words))
    peer_rate = n_peer / max(t_peer - t_peer0, 1e-6)
    own_rate = n_own * (len(verbs) - 1) / len(verbs) / max(t_own - t_own1, 1e-6)
    direct = tconjugator(path, verbs)
    rows.append((language, len(verbs), n_peer, t_peer, t_peer0, peer_rate, n_own, t_own, t_own1,
                 own_rate, direct))

print('%-8s %5s | %8s %8s %8s %11s | %8s %8s %8s %11s | %13s | %8s %8s' % (
    'language', 'verbs', 'peer', 'run s', 'start s', 'peer f/s', 'flexel', 'run s', 'start s',
    'json f/s', 'TConj. f/s', 'json/p', 'TConj/p'))
for (language, verbs, n_peer, t_peer, t_peer0, peer_rate, n_own, t_own, t_own1, own_rate,
     direct) in rows:
    print('%-8s %5d | %8d %8.3f %8.3f %11.0f | %8d %8.3f %8.3f %11.0f | %13.0f | %8.2f %8.2f' % (
        language, verbs, n_peer, t_peer, t_peer0, peer_rate, n_own, t_own, t_own1, own_rate,
        direct, own_rate / peer_rate, direct / peer_rate))
subprocess.run(['rm', '-rf', registry])
PY
