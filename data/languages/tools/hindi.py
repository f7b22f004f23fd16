"""Hindi, in a Latin transcription that writes every inherent vowel (kara, not kar, for the
stem of karanaa), converted to Devanagari by the `ime` table. A consonant leaves the context
marker {e}: what follows it is then written as a vowel sign ({e}aa, the inherent {e}a writes
nothing) or, for a consonant, with the virama ({e}y: kyaa); at the end of a cell the consonant
stands alone."""
import sys
from langgen import Language, irregular

L = Language('Hindi')
L.info = dict(
    code='hin', family='Indo-European, Indo-Aryan',
    speakers=(345000000, 600000000),
    countries=['India', 'Nepal', 'Fiji', 'Mauritius', 'Suriname', 'Trinidad and Tobago'],
    summary='Hindi verbs are cited in the infinitive in -naa (karanaa, to do). Tenses are '
            'mostly participles with the auxiliary honaa: the habitual present karataa hai, '
            'the progressive kara rahaa hai; the future adds -gaa to a subjunctive form. The '
            'participles agree with the subject in gender and number; this extension shows '
            'the masculine forms, written in Devanagari.',
    books=[dict(title='Hindi: An Essential Grammar', author='Rupert Snell',
                publisher='Routledge', edition=1, printplace='London', printyear=2010,
                id='9780415477574')],
    created='1.12.2026', status=(30, 'A small sample of verbs'))

PR = ['maiM', 'tuu', 'vaha', 'hama', 'tuma', 've']
L.heading('Present')
L.tense(1, 'Habitual present', 6, 1, PR)
L.tense(2, 'Progressive present', 6, 1, PR)
L.tense(3, 'Future', 6, 1, PR)
L.tense(4, 'Imperative', 2, 0, ['tuma', 'aapa'])
L.tense(5, 'Infinitive', 1, 0, [''])

HAI = ['huu~', 'hai', 'hai', 'haiM', 'ho', 'haiM']
FUT = ['uu~gaa', 'egaa', 'egaa', 'eMge', 'oge', 'eMge']
L.groups = [('[Z]', '*,(:)')]
# consonant stems: root "kar", endings begin with the vowel after it
p1 = L.pattern(1, 'stems ending in a consonant (karanaa, bolanaa)')
L.simple(p1, 1, ['ataa huu~', 'ataa hai', 'ataa hai', 'ate haiM', 'ate ho', 'ate haiM'])
L.simple(p1, 2, ['a rahaa huu~', 'a rahaa hai', 'a rahaa hai', 'a rahe haiM', 'a rahe ho',
                 'a rahe haiM'])
L.simple(p1, 3, FUT)
L.simple(p1, 4, ['o', 'ie'])
L.with_transducer(p1, 5, None, '*', command='transducer')
p2 = L.pattern(2, 'stems ending in a vowel (jaanaa, khaanaa)')
L.simple(p2, 1, ['taa huu~', 'taa hai', 'taa hai', 'te haiM', 'te ho', 'te haiM'])
L.simple(p2, 2, [' rahaa huu~', ' rahaa hai', ' rahaa hai', ' rahe haiM', ' rahe ho',
                 ' rahe haiM'])
L.simple(p2, 3, FUT)
L.simple(p2, 4, ['o', 'ie'])
L.with_transducer(p2, 5, None, '*', command='transducer')

IRR = [
    ('karanaa', 1, 'kar', {4: ['karo', 'kiijie']}),
    ('honaa', 2, 'ho', {1: HAI, 3: ['huu~gaa', 'hogaa', 'hogaa', 'hoMge', 'hoge', 'hoMge'],
                        4: ['ho', 'hoie']}),
    ('denaa', 2, 'de', {3: ['duu~gaa', 'degaa', 'degaa', 'deMge', 'doge', 'deMge'],
                        4: ['do', 'diijie']}),
    ('lenaa', 2, 'le', {3: ['luu~gaa', 'legaa', 'legaa', 'leMge', 'loge', 'leMge'],
                        4: ['lo', 'liijie']}),
]
num = 10
for inf, parent, root, forms in IRR:
    reg = {}
    if parent == 1:
        reg[4] = [root + 'o', root + 'ie']
    else:
        reg[1] = [root + e for e in ['taa huu~', 'taa hai', 'taa hai', 'te haiM', 'te ho',
                                     'te haiM']]
        reg[3] = [root + e for e in FUT]
        reg[4] = [root + 'o', root + 'ie']
    irregular(L, num, inf, parent, root, reg, forms, ['[Z]%s(%s:)' % (root, inf[len(root):])],
              None)
    L.item(inf, num)
    num += 1

L.rule('*aa(naa:)', resulttype=2, replace=1, comment='jaanaa, khaanaa: the stem ends in aa')
L.rule('*ii(naa:)', resulttype=2, replace=1)
L.rule('*o(naa:)', resulttype=2, replace=1)
L.rule('*(anaa:)', resulttype=1, replace=1, comment='karanaa: the stem is kar')
for w, t in [('bolanaa', 1), ('dekhanaa', 1), ('likhanaa', 1), ('samajhanaa', 1),
             ('jaanaa', 2), ('khaanaa', 2), ('aanaa', 2), ('piinaa', 2), ('sonaa', 2)]:
    L.item(w, t)

V = [('a', '0905'), ('aa', '0906'), ('i', '0907'), ('ii', '0908'), ('u', '0909'),
     ('uu', '090A'), ('e', '090F'), ('ai', '0910'), ('o', '0913'), ('au', '0914')]
SIGN = [('a', ''), ('aa', '093E'), ('i', '093F'), ('ii', '0940'), ('u', '0941'), ('uu', '0942'),
        ('e', '0947'), ('ai', '0948'), ('o', '094B'), ('au', '094C')]
C = [('k', '0915'), ('kh', '0916'), ('g', '0917'), ('gh', '0918'), ('c', '091A'),
     ('ch', '091B'), ('j', '091C'), ('jh', '091D'), ('T', '091F'), ('Th', '0920'),
     ('D', '0921'), ('Dh', '0922'), ('N', '0923'), ('t', '0924'), ('th', '0925'),
     ('d', '0926'), ('dh', '0927'), ('n', '0928'), ('p', '092A'), ('ph', '092B'),
     ('b', '092C'), ('bh', '092D'), ('m', '092E'), ('y', '092F'), ('r', '0930'),
     ('l', '0932'), ('v', '0935'), ('sh', '0936'), ('S', '0937'), ('s', '0938'), ('h', '0939')]
VIRAMA = '094D'
table = [(src, val, True) for src, val in V]
table += [('{e}' + src, val, False) for src, val in SIGN]
table += [(src + '{e}', val, True) for src, val in C]
table += [('{e}' + src + '{e}', VIRAMA + val, False) for src, val in C]
table += [('M', '0902', True), ('~', '0901', True)]
L.ime = (None, table)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
