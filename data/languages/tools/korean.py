"""Korean, in a Latin transcription converted by the `ime` table into conjoining jamo, which
the "hangul" processor composes into syllables. Initial consonants are lower case, final
consonants upper case (meoG-da: 먹다), the silent initial ieung is "'" (meoG'eo'yo: 먹어요).
Korean verbs do not change for person: the rows are the speech levels."""
import sys
from langgen import Language

L = Language('Korean')
L.info = dict(
    code='kor', family='Koreanic',
    speakers=(77000000, 82000000),
    countries=['South Korea', 'North Korea', 'China (Yanbian)'],
    summary='Korean verbs take endings for tense and for the speech level of the sentence: '
            'the formal polite -(seu)bnida, the polite -a/eoyo and the plain -(neu)nda. The '
            'vowel of the stem chooses between -a- and -eo- (ga-ayo becomes gayo, meog-eoyo '
            'stays); hada verbs take hae-. Written in Hangul.',
    books=[dict(title='Korean: A Comprehensive Grammar', author='Jaehoon Yeon; Lucien Brown',
                publisher='Routledge', edition=1, printplace='London', printyear=2011,
                id='9780415603850')],
    created='1.12.2026', status=(30, 'A small sample of verbs'))

LEVELS = ['haBsyoche', "hae'yoche", 'haerache']
L.tense(1, '현재', 3, 0, LEVELS)
L.tense(2, '과거', 3, 0, LEVELS)
L.tense(3, '미래', 3, 0, LEVELS)
L.tense(4, '기본형', 1, 0, [''])

FIN = 'G,KK,N,D,L,M,B,S,SS,NG,J,CH,K,T,P,H'
L.groups = [('[FIN]', FIN), ('[AO]', 'a,o')]
FUT = ['geSSseuBnida', "geSS'eo'yo", 'geSSda']


def pattern(num, name, pres, past):
    p = L.pattern(num, name)
    for t, ends in ((1, pres), (2, past), (3, FUT)):
        for s, e in enumerate(ends, 1):
            if e.startswith('('):
                L.override(p, t, s, '*' + e)
            else:
                L.simple(p, t, [e if i == s - 1 else None for i in range(3)])
    L.with_transducer(p, 4, None, '*', command='transducer')


pattern(1, "stems ending in a (ga-da: ga'yo)", ['Bnida', "'yo", 'Nda'],
        ['SSseuBnida', "SS'eo'yo", 'SSda'])
pattern(2, "stems ending in o (bo-da: bwa'yo)", ['Bnida', "(o:wa'yo+)", 'Nda'],
        ['(o:waSSseuBnida+)', "(o:waSS'eo'yo+)", '(o:waSSda+)'])
pattern(3, "stems ending in i (masi-da: masyeo'yo)", ['Bnida', "(i:yeo'yo+)", 'Nda'],
        ['(i:yeoSSseuBnida+)', "(i:yeoSS'eo'yo+)", '(i:yeoSSda+)'])
pattern(4, "consonant stems after a or o (baD-da: baD'a'yo)", ['seuBnida', "'a'yo", 'neuNda'],
        ["'aSSseuBnida", "'aSS'eo'yo", "'aSSda"])
pattern(5, "other consonant stems (meoG-da: meoG'eo'yo)", ['seuBnida', "'eo'yo", 'neuNda'],
        ["'eoSSseuBnida", "'eoSS'eo'yo", "'eoSSda"])
pattern(6, "hada verbs (hada: hae'yo)", ['Bnida', "(a:ae'yo*)", 'Nda'],
        ['(a:aeSSseuBnida*)', "(a:aeSS'eo'yo*)", '(a:aeSSda*)'])

L.rule('*h(ada:a)', resulttype=6, replace=1, comment='hada and its compounds (gongbuhada)')
L.rule('h(ada:a)', resulttype=6, replace=1)
L.rule('*eo[FIN](da:)', resulttype=5, replace=1, comment='meoGda: eo is not an o')
L.rule('*[AO][FIN](da:)', resulttype=4, replace=1)
L.rule('*[FIN](da:)', resulttype=5, replace=1)
L.rule('*a(da:)', resulttype=1, replace=1)
L.rule('*o(da:)', resulttype=2, replace=1)
L.rule('*i(da:)', resulttype=3, replace=1)
for w, t in [('gada', 1), ('jada', 1), ('sada', 1), ("'oda", 2), ('boda', 2), ('masida', 3),
             ('gidarida', 3), ('baDda', 4), ("'aLda", 4), ('meoGda', 5), ("'iLGda", 5),
             ('hada', 6), ('gongbuhada', 6), ("'ilhada", 6)]:
    L.item(w, t)

INITIAL = [('g', '1100'), ('kk', '1101'), ('n', '1102'), ('d', '1103'), ('tt', '1104'),
           ('r', '1105'), ('m', '1106'), ('b', '1107'), ('pp', '1108'), ('s', '1109'),
           ('ss', '110A'), ("'", '110B'), ('j', '110C'), ('jj', '110D'), ('ch', '110E'),
           ('k', '110F'), ('t', '1110'), ('p', '1111'), ('h', '1112')]
VOWEL = [('a', '1161'), ('ae', '1162'), ('ya', '1163'), ('yae', '1164'), ('eo', '1165'),
         ('e', '1166'), ('yeo', '1167'), ('ye', '1168'), ('o', '1169'), ('wa', '116A'),
         ('wae', '116B'), ('oe', '116C'), ('yo', '116D'), ('u', '116E'), ('wo', '116F'),
         ('we', '1170'), ('wi', '1171'), ('yu', '1172'), ('eu', '1173'), ('ui', '1174'),
         ('i', '1175')]
FINAL = [('G', '11A8'), ('KK', '11A9'), ('N', '11AB'), ('D', '11AE'), ('L', '11AF'),
         ('LG', '11B0'), ('LM', '11B1'), ('M', '11B7'), ('B', '11B8'), ('S', '11BA'),
         ('SS', '11BB'), ('NG', '11BC'), ('J', '11BD'), ('CH', '11BE'), ('K', '11BF'),
         ('T', '11C0'), ('P', '11C1'), ('H', '11C2')]
L.ime = ('hangul', [(s, v, True) for s, v in INITIAL + VOWEL + FINAL])

if __name__ == '__main__':
    sys.stdout.write(L.xml())
