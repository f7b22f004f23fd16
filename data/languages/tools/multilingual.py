"""Three languages in one extension: Esperanto (one regular conjugation, no exceptions),
Latin (first and second conjugation and esse, with the archaic -ere of the perfect) and
Portuguese (the three conjugations, ser and ter)."""
import sys
from langgen import Language, irregular

# ---- Esperanto ----
eo = Language('Esperanto')
eo.info = dict(
    code='epo', family='Constructed language',
    speakers=(1000, 2000000), countries=['International'],
    summary='Every Esperanto verb is regular: the infinitive ends in -i, the present in -as, '
            'the past in -is, the future in -os, the conditional in -us and the volitive in '
            '-u, the same for every person. Active participles end in -anta, -inta, -onta, '
            'passive ones in -ata, -ita, -ota.',
    books=[dict(title='Plena Manlibro de Esperanta Gramatiko', author='Bertilo Wennergren',
                publisher='ELNA', edition=1, printplace='El Cerrito', printyear=2005,
                id='9780939785070')],
    created='1.12.2026', status=(100, 'Complete'))
PR = ['mi', 'vi', 'li', 'ni', 'vi', 'ili']
for tid, name, e in ((1, 'Prezenco', 'as'), (2, 'Preterito', 'is'), (3, 'Futuro', 'os'),
                     (4, 'Kondicionalo', 'us'), (5, 'Volitivo', 'u')):
    eo.tense(tid, name, 6, 0, PR)
eo.heading('Participoj')
eo.tense(6, 'Aktivaj', 3, 1, ['prezenca', 'pasinta', 'futura'])
eo.tense(7, 'Pasivaj', 3, 1, ['prezenca', 'pasinta', 'futura'])
eo.tense(8, 'Infinitivo', 1, 0, [''])
p = eo.pattern(1, 'every verb')
for tid, e in ((1, 'as'), (2, 'is'), (3, 'os'), (4, 'us'), (5, 'u')):
    eo.simple(p, tid, [e] * 6)
eo.simple(p, 6, ['anta', 'inta', 'onta'])
eo.simple(p, 7, ['ata', 'ita', 'ota'])
eo.simple(p, 8, ['i'])
eo.rule('*(i:)', resulttype=1, replace=1)
for w in ['esti', 'havi', 'fari', 'iri', 'veni', 'paroli', 'labori', 'lerni', 'vidi',
          'manĝi', 'skribi', 'legi', 'trinki', 'dormi', 'ami', 'povi', 'voli', 'scii', 'diri',
          'doni']:
    eo.item(w, 1)

# ---- Latin ----
la = Language('Latin')
la.info = dict(
    code='lat', family='Indo-European, Italic',
    speakers=(0, 0), countries=['Vatican City'],
    summary='Latin verbs belong to four conjugations, named after the vowel of the present '
            'stem: amare, monere, regere, audire. The perfect is built on its own stem '
            '(amav-, monu-); its third person plural has an older ending -ere beside -erunt, '
            'marked archaic here.',
    books=[dict(title='Latin Grammar', author='B. L. Gildersleeve; Gonzalez Lodge',
                publisher='Macmillan', edition=3, printplace='London', printyear=1895,
                id='9780865164772')],
    created='1.12.2026', status=(30, 'First and second conjugation'))
PRL = ['ego', 'tu', 'is', 'nos', 'vos', 'ei']
la.heading('Indicativus activi')
la.tense(1, 'Praesens', 6, 1, PRL)
la.tense(2, 'Imperfectum', 6, 1, PRL)
la.tense(3, 'Futurum', 6, 1, PRL)
la.tense(4, 'Perfectum', 6, 1, PRL)
la.tense(5, 'Infinitivus', 1, 0, [''])
LA = {
    'a': {1: 'o as at amus atis ant', 2: 'abam abas abat abamus abatis abant',
          3: 'abo abis abit abimus abitis abunt',
          4: 'avi avisti avit avimus avistis averunt;avere½'},
    'e': {1: 'eo es et emus etis ent', 2: 'ebam ebas ebat ebamus ebatis ebant',
          3: 'ebo ebis ebit ebimus ebitis ebunt',
          4: 'ui uisti uit uimus uistis uerunt;uere½'},
}
for num, c, name in ((1, 'a', 'first conjugation (amare)'), (2, 'e', 'second conjugation (monere)')):
    p = la.pattern(num, name)
    for t, e in LA[c].items():
        la.simple(p, t, e.split())
    la.with_transducer(p, 5, None, '*', command='transducer')
la.groups = [('[Z]', '*,(:)')]
la.rule('*(are:)', resulttype=1, replace=1)
la.rule('*(ere:)', resulttype=2, replace=1)
irregular(la, 10, 'videre: perfect vidi', 2, 'vid',
          {4: [';'.join('vid' + a for a in e.split(';')) for e in LA['e'][4].split()]},
          {4: ['vidi', 'vidisti', 'vidit', 'vidimus', 'vidistis', 'viderunt;videre½']},
          ['[Z]vid(ere:)'], None)
irregular(la, 11, 'esse', 2, 'es', {},
          {1: 'sum es est sumus estis sunt'.split(),
           2: 'eram eras erat eramus eratis erant'.split(),
           3: 'ero eris erit erimus eritis erunt'.split(),
           4: 'fui fuisti fuit fuimus fuistis fuerunt;fuere½'.split()},
          ['[Z]es(se:)'], None)
la.rules.insert(0, la.rules.pop())  # esse and videre before the conjugations
la.rules.insert(0, la.rules.pop())
for w, t in [('amare', 1), ('laudare', 1), ('portare', 1), ('vocare', 1), ('laborare', 1),
             ('ambulare', 1), ('cantare', 1), ('habere', 2), ('monere', 2), ('tenere', 2),
             ('terrere', 2), ('docere', 2), ('videre', 10), ('esse', 11)]:
    la.item(w, t)

# ---- Portuguese ----
pt = Language('Portuguese')
pt.info = dict(
    code='por', family='Indo-European, Romance',
    speakers=(230000000, 260000000),
    countries=['Brazil', 'Portugal', 'Angola', 'Mozambique', 'Cape Verde', 'Guinea-Bissau',
               'São Tomé and Príncipe', 'East Timor'],
    summary='Portuguese verbs follow three conjugations, -ar, -er and -ir. The personal '
            'infinitive and the future subjunctive set it apart from the other Romance '
            'languages. Shown here: the present, the preterite and the future of the '
            'indicative.',
    books=[dict(title='Portuguese: A Comprehensive Grammar', author='Mike Harland; Amélia P. Hutchinson',
                publisher='Routledge', edition=1, printplace='London', printyear=2003,
                id='9780415152563')],
    created='1.12.2026', status=(20, 'Three tenses'))
PRP = ['eu', 'tu', 'ele', 'nós', 'vós', 'eles']
pt.heading('Indicativo')
pt.tense(1, 'Presente', 6, 1, PRP)
pt.tense(2, 'Pretérito perfeito', 6, 1, PRP)
pt.tense(3, 'Futuro do presente', 6, 1, PRP)
PT = {'ar': {1: 'o as a amos ais am', 2: 'ei aste ou amos;ámos astes aram',
             3: 'arei arás ará aremos areis arão'},
      'er': {1: 'o es e emos eis em', 2: 'i este eu emos estes eram',
             3: 'erei erás erá eremos ereis erão'},
      'ir': {1: 'o es e imos is em', 2: 'i iste iu imos istes iram',
             3: 'irei irás irá iremos ireis irão'}}
for num, c in ((1, 'ar'), (2, 'er'), (3, 'ir')):
    p = pt.pattern(num, '-%s verbs' % c)
    for t, e in PT[c].items():
        pt.simple(p, t, e.split())
pt.groups = [('[Z]', '*,(:)')]
irregular(pt, 10, 'ser', 2, 's', {}, {1: 'sou és é somos sois são'.split(),
                                      2: 'fui foste foi fomos fostes foram'.split()},
          ['s(er:)'], None)
irregular(pt, 11, 'ter', 2, 't', {},
          {1: 'tenho tens tem temos tendes têm'.split(),
           2: 'tive tiveste teve tivemos tivestes tiveram'.split()},
          ['t(er:)', 'mant(er:)', 'obt(er:)', 'cont(er:)', 'det(er:)'], None)
pt.rule('*(ar:)', resulttype=1, replace=1)
pt.rule('*(er:)', resulttype=2, replace=1)
pt.rule('*(ir:)', resulttype=3, replace=1)
for w, t in [('falar', 1), ('trabalhar', 1), ('morar', 1), ('comer', 2), ('beber', 2),
             ('vender', 2), ('partir', 3), ('abrir', 3), ('ser', 10), ('ter', 11)]:
    pt.item(w, t)

if __name__ == '__main__':
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<languages>',
           '  <file>',
           '    <description>Esperanto, Latin and Portuguese: three languages in one '
           'extension</description>',
           '    <created>1.12.2026</created>',
           '  </file>']
    for lang in (eo, la, pt):
        out += lang.language_xml('  ')
    out.append('</languages>')
    sys.stdout.write('\n'.join(out) + '\n')
