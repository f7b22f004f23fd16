"""Russian, in a Latin transcription converted to Cyrillic for display by the `ime` table; the
`preprocess` table turns Cyrillic input into the transcription, so words can be typed either
way. Present (first conjugation -at', second -it'), past by gender and number, compound future
with "budu", imperative."""
import sys
from langgen import Language, irregular

L = Language('Russian')
L.info = dict(
    code='rus', family='Indo-European, Slavic',
    speakers=(150000000, 255000000),
    countries=['Russia', 'Belarus', 'Kazakhstan', 'Kyrgyzstan', 'Ukraine', 'Moldova',
               'Latvia', 'Estonia'],
    summary='Russian verbs come in aspect pairs (imperfective chitat\u2019, perfective '
            'prochitat\u2019). The present of imperfective verbs follows the first (-et) or '
            'second (-it) conjugation; the past agrees in gender and number, not person; the '
            'imperfective future is built with budu. This extension writes the forms in a '
            'Latin transcription that the display converts to Cyrillic.',
    books=[dict(title='A Comprehensive Russian Grammar', author='Terence Wade',
                publisher='Wiley-Blackwell', edition=3, printplace='Chichester',
                printyear=2010, id='9781405136396')],
    created='1.12.2026', status=(40, 'A small sample of verbs'))

L.heading('Изъявительное наклонение')
L.tense(1, 'Настоящее время', 6, 1, ['ya', 'ty', 'on', 'my', 'vy', 'oni'])
L.tense(2, 'Прошедшее время', 4, 1, ['on', 'ona', 'ono', 'oni'])
L.tense(3, 'Будущее время', 6, 1, ['ya', 'ty', 'on', 'my', 'vy', 'oni'])
L.heading('Повелительное наклонение')
L.tense(4, 'Императив', 2, 1, ['ty', 'vy'])
L.heading('Инфинитив')
L.tense(5, 'Инфинитив', 1, 1, [''])

L.groups = [('[Z]', '*,(:)')]
BUDU = 'budu budesh\' budet budem budete budut'.split()
p1 = L.pattern(1, 'first conjugation (chitat\', delat\')')
L.simple(p1, 1, ['yu', 'esh\'', 'et', 'em', 'ete', 'yut'])
L.simple(p1, 2, ['l', 'la', 'lo', 'li'])
L.with_transducer(p1, 3, [b + ' ' for b in BUDU], '*', command='transducer')
L.simple(p1, 4, ['j', 'jte'])
L.with_transducer(p1, 5, None, '*', command='transducer')
p2 = L.pattern(2, 'second conjugation (govorit\', stroit\')')
L.simple(p2, 1, ['yu', 'ish\'', 'it', 'im', 'ite', 'yat'])
L.simple(p2, 2, ['il', 'ila', 'ilo', 'ili'])
L.with_transducer(p2, 3, [b + ' ' for b in BUDU], '*', command='transducer')
L.simple(p2, 4, ['i', 'ite'])
L.with_transducer(p2, 5, None, '*', command='transducer')

# after a hushing consonant the ending is written -u, -at
p3 = L.pattern(3, 'second conjugation after zh, sh, ch, shch (slyshat\', derzhat\')', inherits=2)
for s, e in ((1, 'u'), (6, 'at')):
    L.override(p3, 1, s, '*(:%s+)' % e)
for s, e in enumerate(['al', 'ala', 'alo', 'ali'], 1):
    L.override(p3, 2, s, '*(:%s)' % e)

IRR = {
    'pisat\'': (1, 's', 'pi', dict(pres='pishu pishesh\' pishet pishem pishete pishut',
                                   imp='pishi pishite')),
    'zhit\'': (1, 'zhi', '', dict(pres='zhivu zhivyosh\' zhivyot zhivyom zhivyote zhivut',
                                  imp='zhivi zhivite')),
    'khotet\'': (1, 'khote', '', dict(pres='khochu khochesh\' khochet khotim khotite khotyat',
                                      imp='- -')),
    'byt\'': (1, 'by', '', dict(pres='- - est\' - - -', fut='budu budesh\' budet budem budete '
                                'budut', imp='bud\' bud\'te')),
    'idti': (1, 'id', '', dict(pres='idu idyosh\' idyot idyom idyote idut',
                               past='shyol shla shlo shli', imp='idi idite')),
}
num = 10
ROOTS = {'pisat\'': 'pisa', 'zhit\'': 'zhi', 'khotet\'': 'khote', 'byt\'': 'by', 'idti': 'id'}
for inf, (parent, stem, lead, f) in IRR.items():
    root = ROOTS[inf]
    reg_p1 = {1: [root + e for e in ['yu', 'esh\'', 'et', 'em', 'ete', 'yut']],
              2: [root + e for e in ['l', 'la', 'lo', 'li']],
              4: [root + e for e in ['j', 'jte']]}
    forms = {1: [x.replace('-', '') for x in f['pres'].split()],
             2: f.get('past', ' '.join(root + e for e in ['l', 'la', 'lo', 'li'])).split(),
             4: [x.replace('-', '') for x in f['imp'].split()]}
    if 'fut' in f:
        forms[3] = f['fut'].split()
    base = root
    # the irregular forms replace the whole root: [Z](root:form)
    irregular(L, num, inf, parent, base, reg_p1, forms,
              ['[Z]%s(%s:)' % (root, inf[len(root):]) if inf != 'idti' else '[Z]id(ti:)'],
              None)
    num += 1

L.rules, irr = [], L.rules
L.rules += irr
L.rule('*[H](at\':)', resulttype=3, replace=1, comment='slyshat\', derzhat\'')
L.rule('*(at\':a)', resulttype=1, replace=1)
L.rule('*(yat\':ya)', resulttype=1, replace=1)
L.rule('*(et\':e)', resulttype=1, replace=1)
L.rule('*(it\':)', resulttype=2, replace=1)
L.groups.append(('[H]', 'zh,sh,ch,shch'))
for w, t in [('chitat\'', 1), ('delat\'', 1), ('znat\'', 1), ('rabotat\'', 1),
             ('dumat\'', 1), ('igrat\'', 1), ('govorit\'', 2), ('stroit\'', 2),
             ('govorit\'', 2), ('slyshat\'', 3), ('derzhat\'', 3), ('pisat\'', 10),
             ('zhit\'', 11), ('khotet\'', 12), ('byt\'', 13), ('idti', 14)]:
    if not any(x[0] == w for x in L.items):
        L.item(w, t)

# Transcription -> Cyrillic. Longer keys win (shch before sh before s).
CYR = [('a', '0430'), ('b', '0431'), ('v', '0432'), ('g', '0433'), ('d', '0434'),
       ('e', '0435'), ('yo', '0451'), ('zh', '0436'), ('z', '0437'), ('i', '0438'),
       ('j', '0439'), ('k', '043A'), ('l', '043B'), ('m', '043C'), ('n', '043D'),
       ('o', '043E'), ('p', '043F'), ('r', '0440'), ('s', '0441'), ('t', '0442'),
       ('u', '0443'), ('f', '0444'), ('kh', '0445'), ('ts', '0446'), ('ch', '0447'),
       ('sh', '0448'), ('shch', '0449'), ('"', '044A'), ('y', '044B'), ('\'', '044C'),
       ('eh', '044D'), ('yu', '044E'), ('ya', '044F')]
L.ime = (None, [(src, val, True) for src, val in CYR])
# Cyrillic typed by the user becomes the transcription before lookup.
L.preprocess = [(chr(int(val, 16)), src) for src, val in CYR]

if __name__ == '__main__':
    sys.stdout.write(L.xml())
