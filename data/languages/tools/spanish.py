"""Spanish verbs: three regular conjugations, orthographic and stem-changing classes, and the
irregular verbs as patterns inheriting the regular ones."""
import sys
from langgen import Language, irregular, slot_mask

L = Language('Spanish')
L.info = dict(
    code='spa', family='Indo-European, Romance',
    speakers=(485000000, 560000000),
    countries=['Spain', 'Mexico', 'Colombia', 'Argentina', 'Peru', 'Venezuela', 'Chile',
               'Ecuador', 'Guatemala', 'Cuba', 'Bolivia', 'Dominican Republic', 'Honduras',
               'Paraguay', 'El Salvador', 'Nicaragua', 'Costa Rica', 'Panama', 'Uruguay',
               'Equatorial Guinea', 'United States'],
    summary='Spanish verbs fall into three conjugations by the ending of the infinitive: -ar, '
            '-er and -ir. Many frequent verbs change their stem vowel under stress (e to ie, '
            'o to ue, e to i), and a few dozen are irregular. Compound tenses are formed with '
            'the auxiliary haber and the past participle.',
    books=[dict(title='A New Reference Grammar of Modern Spanish', author='John Butt; Carmen Benjamin',
                publisher='Routledge', edition=6, printplace='London', printyear=2019,
                id='9781138038882'),
           dict(title='Nueva gramática de la lengua española', author='Real Academia Española',
                publisher='Espasa', edition=1, printplace='Madrid', printyear=2009,
                id='9788467032079')],
    extra=[('Comments', 'Forms marked irregular differ from the regular pattern of their '
            'conjugation; forms marked as orthographic keep the sound of the stem by a change '
            'of spelling (busqué, cojo, venzo).')],
    created='1.12.2026', status=(100, 'Complete'))

PR = ['yo', 'tú', 'él', 'nosotros', 'vosotros', 'ellos']
IMP = ['tú', 'usted', 'nosotros', 'vosotros', 'ustedes']
L.heading('Indicativo')
L.tense(1, 'Presente', 6, 1, PR)
L.tense(2, 'Pretérito imperfecto', 6, 1, PR)
L.tense(3, 'Pretérito indefinido', 6, 1, PR)
L.tense(4, 'Futuro', 6, 1, PR)
L.tense(5, 'Condicional', 6, 1, PR)
L.tense(6, 'Pretérito perfecto', 6, 1, PR)
L.tense(7, 'Pretérito pluscuamperfecto', 6, 1, PR)
L.tense(8, 'Pretérito anterior', 6, 1, PR)
L.tense(9, 'Futuro perfecto', 6, 1, PR)
L.tense(10, 'Condicional perfecto', 6, 1, PR)
L.heading('Subjuntivo')
L.tense(11, 'Presente', 6, 1, PR)
L.tense(12, 'Pretérito imperfecto (-ra)', 6, 1, PR)
L.tense(13, 'Pretérito imperfecto (-se)', 6, 1, PR)
L.tense(14, 'Futuro', 6, 1, PR)
L.tense(15, 'Pretérito perfecto', 6, 1, PR)
L.tense(16, 'Pretérito pluscuamperfecto', 6, 1, PR)
L.tense(17, 'Futuro perfecto', 6, 1, PR)
L.heading('Imperativo')
L.tense(18, 'Afirmativo', 5, 1, IMP)
L.tense(19, 'Negativo', 5, 1, IMP)
L.heading('Formas no personales')
L.tense(20, 'Infinitivo', 1, 1, [''])
L.tense(21, 'Gerundio', 1, 1, [''])
L.tense(22, 'Participio', 1, 1, [''])

L.groups = [
    ('[Z]', '*,(:)'),
    ('[V]', 'a,e,i,o,u'),
    ('[K]', 'b,c,d,f,g,h,j,l,m,n,ñ,p,q,r,s,t,v,x,y,z'),
    ('[KS]', '[K],[K][K],[K][K][K]'),
]

# Regular endings per conjugation.
E = {
    'ar': {1: 'o as a amos áis an', 2: 'aba abas aba ábamos abais aban',
           3: 'é aste ó amos asteis aron', 4: 'aré arás ará aremos aréis arán',
           5: 'aría arías aría aríamos aríais arían', 11: 'e es e emos éis en',
           12: 'ara aras ara áramos arais aran', 13: 'ase ases ase ásemos aseis asen',
           14: 'are ares are áremos areis aren', 18: 'a e emos ad en',
           19: 'es e emos éis en', 20: 'ar', 21: 'ando', 22: 'ado'},
    'er': {1: 'o es e emos éis en', 2: 'ía ías ía íamos íais ían',
           3: 'í iste ió imos isteis ieron', 4: 'eré erás erá eremos eréis erán',
           5: 'ería erías ería eríamos eríais erían', 11: 'a as a amos áis an',
           12: 'iera ieras iera iéramos ierais ieran', 13: 'iese ieses iese iésemos ieseis iesen',
           14: 'iere ieres iere iéremos iereis ieren', 18: 'e a amos ed an',
           19: 'as a amos áis an', 20: 'er', 21: 'iendo', 22: 'ido'},
    'ir': {1: 'o es e imos ís en', 2: 'ía ías ía íamos íais ían',
           3: 'í iste ió imos isteis ieron', 4: 'iré irás irá iremos iréis irán',
           5: 'iría irías iría iríamos iríais irían', 11: 'a as a amos áis an',
           12: 'iera ieras iera iéramos ierais ieran', 13: 'iese ieses iese iésemos ieseis iesen',
           14: 'iere ieres iere iéremos iereis ieren', 18: 'e a amos id an',
           19: 'as a amos áis an', 20: 'ir', 21: 'iendo', 22: 'ido'},
}
E = {c: {t: v.split() for t, v in d.items()} for c, d in E.items()}
# The future subjunctive survives only in set phrases and legal language: marked archaic.
for c in E:
    E[c][14] = [e + '\u00bd' for e in E[c][14]]
AUX = {6: 'he has ha hemos habéis han',
       7: 'había habías había habíamos habíais habían',
       8: 'hube hubiste hubo hubimos hubisteis hubieron',
       9: 'habré habrás habrá habremos habréis habrán',
       10: 'habría habrías habría habríamos habríais habrían',
       15: 'haya hayas haya hayamos hayáis hayan',
       17: 'hubiere hubieres hubiere hubiéremos hubiereis hubieren'}
PLUSC_SUBJ = ('hubiera hubieras hubiera hubiéramos hubierais hubieran'.split(),
              'hubiese hubieses hubiese hubiésemos hubieseis hubiesen'.split())
NEG = 19


def regular(p, conj):
    for t, ends in E[conj].items():
        if t == NEG:
            L.simple(p, t, ['no %root%' + e for e in ends], stem='')
        elif t == 20:
            # the infinitive is the word itself
            L.with_transducer(p, t, None, '*', command='transducer')
        elif t == 22:
            # The participle comes from the variable #q that every check rule sets, so that the
            # compound tenses below share it.
            L.with_transducer(p, t, None, '#q')
        else:
            L.simple(p, t, ends)
    for t, aux in AUX.items():
        L.with_transducer(p, t, [a + ' ' for a in aux.split()], '#q')
    # pluperfect subjunctive: both forms of the auxiliary as alternatives
    F = 6
    for s in range(1, 7):
        p.add(16, 'add', L.col0(16, s) + PLUSC_SUBJ[0][s - 1], slot_mask(s, F))
    p.add(16, 'roottransducer', '(: )#q')
    for s in range(1, 7):
        p.add(16, 'add', ';' + PLUSC_SUBJ[1][s - 1], slot_mask(s, F))
    p.add(16, 'roottransducer', '(: )#q')


PART = {'ar': '#q>*(:ado)', 'er': '#q>*(:ido)', 'ir': '#q>*(:ido)'}
CONJ_OF = {1: 'ar', 2: 'er', 3: 'ir'}
for num, conj, name in ((1, 'ar', 'first conjugation (hablar)'),
                        (2, 'er', 'second conjugation (comer)'),
                        (3, 'ir', 'third conjugation (vivir)')):
    regular(L.pattern(num, name), conj)


def class_pattern(num, name, conj, change, parent=None):
    """A class that changes the stem for some endings. `change(tense, slot, ending)` returns
    None (regular) or (pattern, marker) where pattern rewrites the root and ends with the
    ending."""
    p = L.pattern(num, name, inherits=parent or {'ar': 1, 'er': 2, 'ir': 3}[conj])
    CONJ_OF[num] = conj
    for t, ends in E[conj].items():
        if t in (20, 22):
            continue
        for s, e in enumerate(ends, 1):
            r = change(t, s, e)
            if r is None:
                continue
            L.override(p, t, s, r, before='no ' if t == NEG else '')
    return p


def tail(x, y, ending, mark):
    return '*(%s:%s%s%s)' % (x, y, ending, mark)


def ortho(x, y, before):
    def change(t, s, e):
        if e[0] in before:
            return tail(x, y, e, '+')
        return None
    return change


FRONT = 'eé'
BACK = 'aáoó'
class_pattern(4, '-car: c becomes qu before e (buscar)', 'ar', ortho('c', 'qu', FRONT))
class_pattern(5, '-gar: g becomes gu before e (pagar)', 'ar', ortho('g', 'gu', FRONT))
class_pattern(6, '-zar: z becomes c before e (cruzar)', 'ar', ortho('z', 'c', FRONT))
class_pattern(7, '-guar: gu becomes gü before e (averiguar)', 'ar', ortho('gu', 'gü', FRONT))
class_pattern(8, '-ger: g becomes j before a and o (coger)', 'er', ortho('g', 'j', BACK))
class_pattern(9, '-gir: g becomes j before a and o (dirigir)', 'ir', ortho('g', 'j', BACK))
class_pattern(10, '-guir: gu becomes g before a and o (distinguir)', 'ir', ortho('gu', 'g', BACK))
class_pattern(11, 'vowel + -cer: c becomes zc before a and o (conocer)', 'er',
              lambda t, s, e: tail('c', 'zc', e, '*') if e[0] in BACK else None)
class_pattern(12, 'vowel + -cir: c becomes zc before a and o (lucir)', 'ir',
              lambda t, s, e: tail('c', 'zc', e, '*') if e[0] in BACK else None)
class_pattern(13, 'consonant + -cer: c becomes z before a and o (vencer)', 'er',
              ortho('c', 'z', BACK))
class_pattern(14, 'consonant + -cir: c becomes z before a and o (esparcir)', 'ir',
              ortho('c', 'z', BACK))


def uir(t, s, e):
    if e[0] in 'aeoáéó':
        return '*(:y%s+)' % e
    if e[0] == 'i' and len(e) > 1 and e[1] in 'aeoóé':
        return '*(:y%s+)' % e[1:]
    return None


class_pattern(15, '-uir: y before a, e and o (construir)', 'ir', uir)

# Slots whose stem carries the stress: present 1, 2, 3, 6; subjunctive likewise; imperative
# tú, usted, ustedes; negative imperative tú, usted, ustedes.
STRESSED = {1: (1, 2, 3, 6), 11: (1, 2, 3, 6), 18: (1, 2, 5), 19: (1, 2, 5)}


def accent(v, w):
    def change(t, s, e):
        if s in STRESSED.get(t, ()):
            return '*(%s:%s)(:%s+)' % (v, w, e)
        return None
    return change


class_pattern(16, '-uar: u takes an accent under stress (actuar)', 'ar', accent('u', 'ú'))
class_pattern(17, '-iar with stressed í (enviar)', 'ar', accent('i', 'í'))


def eer(t, s, e):
    if e[0] == 'i' and len(e) > 1 and e[1] in 'aeoóé':
        return '*(:y%s+)' % e[1:]
    if e[0] == 'i' and t == 3:
        return '*(:í%s+)' % e[1:]
    return None


p18 = class_pattern(18, '-eer: y between vowels, í in the preterite (leer)', 'er', eer)


def stem_change(v, w, v2=None):
    """v -> w under stress; for -ir verbs v -> v2 where the ending begins with a stressed a, ió,
    ie (preterite 3, subjunctive 4/5, gerund...)."""
    def change(t, s, e):
        if s in STRESSED.get(t, ()):
            return '*(%s:%s)[KS](:%s*)' % (v, w, e)
        if v2 and ((t == 3 and s in (3, 6)) or t in (12, 13, 14) or (t == 11 and s in (4, 5))
                   or (t == 18 and s == 3) or (t == 19 and s in (3, 4)) or t == 21):
            return '*(%s:%s)[KS](:%s*)' % (v, v2, e)
        return None
    return change


class_pattern(20, 'e becomes ie under stress (pensar)', 'ar', stem_change('e', 'ie'))
class_pattern(21, 'e becomes ie under stress (entender)', 'er', stem_change('e', 'ie'))
class_pattern(22, 'o becomes ue under stress (contar)', 'ar', stem_change('o', 'ue'))
class_pattern(23, 'o becomes ue under stress (mover)', 'er', stem_change('o', 'ue'))
class_pattern(24, 'e becomes ie under stress, i before a stressed a or ió (sentir)', 'ir',
              stem_change('e', 'ie', 'i'))
class_pattern(25, 'o becomes ue under stress, u before a stressed a or ió (dormir)', 'ir',
              stem_change('o', 'ue', 'u'))
class_pattern(26, 'e becomes i in the stem (pedir)', 'ir', stem_change('e', 'i', 'i'))


# ---- irregular verbs ----
def accent_last(s):
    m = {'a': 'á', 'e': 'é', 'i': 'í', 'o': 'ó', 'u': 'ú'}
    for i in range(len(s) - 1, -1, -1):
        if s[i] in m:
            return s[:i] + m[s[i]] + s[i + 1:]
    return s


def regular_forms(stem, conj):
    return {t: [stem + e for e in ends] if t != NEG else ['no ' + stem + e for e in ends]
            for t, ends in E[conj].items()}


def full_forms(inf, conj, stem, pres=None, pret=None, fut=None, subj=None, impf=None,
               imp_tu=None, imp_vos=None, ger=None, part=None):
    f = regular_forms(stem, conj)
    f[20] = [inf]
    if pres:
        f[1] = pres.split()
        if subj is None:
            base = f[1][0][:-1] if f[1][0].endswith('o') else None
            if base is not None:
                se = 'e es e emos éis en' if conj == 'ar' else 'a as a amos áis an'
                f[11] = [base + e for e in se.split()]
    if subj:
        f[11] = subj.split()
    if impf:
        f[2] = impf.split()
    if pret:
        f[3] = pret.split()
        b = f[3][5][:-3]  # tuvie(ron)
        f[12] = [b + 'ra', b + 'ras', b + 'ra', accent_last(b) + 'ramos', b + 'rais', b + 'ran']
        f[13] = [b + 'se', b + 'ses', b + 'se', accent_last(b) + 'semos', b + 'seis', b + 'sen']
        f[14] = [b + 're½', b + 'res½', b + 're½', accent_last(b) + 'remos½', b + 'reis½',
                 b + 'ren½']
    if fut:
        f[4] = [fut + e for e in 'é ás á emos éis án'.split()]
        f[5] = [fut + e for e in 'ía ías ía íamos íais ían'.split()]
    sj = f[11]
    tu = imp_tu if imp_tu else (f[1][2] if pres else f[18][0])
    vos = imp_vos if imp_vos else f[18][3]
    f[18] = [tu, sj[2], sj[3], vos, sj[5]]
    f[19] = ['no ' + x for x in sj[1:6]]
    if ger:
        f[21] = [ger]
    return f


IRR = 40
ITEMS = []


def verb(inf, conj, stem, lead, rules, parent=None, part=None, comment=None, **kw):
    """An irregular verb: `stem` is the part of its regular stem that the irregular forms
    replace; `lead` what precedes it in the base verb (not repeated in compounds)."""
    global IRR
    num = IRR
    IRR += 1
    parent = parent or {'ar': 1, 'er': 2, 'ir': 3}[conj]
    regstem = inf[:-2]
    assert regstem == lead + stem or stem == inf, (inf, lead, stem)
    base = lead + stem
    reg = regular_forms(regstem, conj) if stem != inf else {}
    full = full_forms(inf, conj, regstem, **kw)
    if stem == inf:
        full[20] = [inf]
    forms = {}
    for t, fl in full.items():
        if t in (20, 22):
            continue
        out = []
        for x in fl:
            if t == NEG:
                assert x.startswith('no ' + lead), (inf, x)
                out.append(x[3 + len(lead):])
            else:
                assert x.startswith(lead), (inf, t, x)
                out.append(x[len(lead):])
        forms[t] = out
    regd = {}
    for t, fl in reg.items():
        regd[t] = [x[3 + len(lead):] if t == NEG else x[len(lead):] for x in fl]
    if stem == inf:
        regd = {}
    sv = None
    if part:
        assert part.startswith(lead)
        sv = '#q>[Z](%s:%s*)' % (stem, part[len(lead):])
    else:
        sv = PART[conj]
    irregular(L, num, comment or inf, parent, stem, regd, forms, rules, sv,
              before={NEG: 'no '})
    CONJ_OF[num] = conj
    ITEMS.append((inf, num))
    return num


verb('ser', 'er', 'ser', '', ['ser'], part='sido',
     pres='soy eres es somos sois son', impf='era eras era éramos erais eran',
     pret='fui fuiste fue fuimos fuisteis fueron', subj='sea seas sea seamos seáis sean',
     imp_tu='sé', imp_vos='sed', fut='ser', ger='siendo')
verb('ir', 'ir', 'ir', '', ['ir'], part='ido',
     pres='voy vas va vamos vais van', impf='iba ibas iba íbamos ibais iban',
     pret='fui fuiste fue fuimos fuisteis fueron', subj='vaya vayas vaya vayamos vayáis vayan',
     imp_tu='ve', imp_vos='id', fut='ir', ger='yendo')
verb('estar', 'ar', 'est', '', ['est(ar:)'],
     pres='estoy estás está estamos estáis están',
     pret='estuve estuviste estuvo estuvimos estuvisteis estuvieron',
     subj='esté estés esté estemos estéis estén', imp_tu='está')
verb('haber', 'er', 'hab', '', ['hab(er:)'],
     pres='he has ha;hay hemos habéis han', pret='hube hubiste hubo hubimos hubisteis hubieron',
     subj='haya hayas haya hayamos hayáis hayan', fut='habr', imp_tu='he')
verb('tener', 'er', 'ten', '', ['[Z]ten(er:)'],
     pres='tengo tienes tiene tenemos tenéis tienen',
     pret='tuve tuviste tuvo tuvimos tuvisteis tuvieron', fut='tendr', imp_tu='ten')
verb('hacer', 'er', 'ac', 'h', ['[Z]hac(er:)', '[Z]fac(er:)'], part='hecho',
     pres='hago haces hace hacemos hacéis hacen',
     pret='hice hiciste hizo hicimos hicisteis hicieron', fut='har', imp_tu='haz')
verb('poder', 'er', 'pod', '', ['pod(er:)'],
     pres='puedo puedes puede podemos podéis pueden',
     pret='pude pudiste pudo pudimos pudisteis pudieron', fut='podr',
     subj='pueda puedas pueda podamos podáis puedan', ger='pudiendo')
verb('decir', 'ir', 'ec', 'd', ['[Z]dec(ir:)'], part='dicho',
     pres='digo dices dice decimos decís dicen',
     pret='dije dijiste dijo dijimos dijisteis dijeron', fut='dir', imp_tu='di',
     ger='diciendo')
verb('dar', 'ar', 'd', '', ['d(ar:)'],
     pres='doy das da damos dais dan', pret='di diste dio dimos disteis dieron',
     subj='dé des dé demos deis den')
verb('ver', 'er', 'v', '', ['v(er:)', 'prev(er:)', 'entrev(er:)'], part='visto',
     pres='veo ves ve vemos veis ven', impf='veía veías veía veíamos veíais veían',
     pret='vi viste vio vimos visteis vieron', subj='vea veas vea veamos veáis vean')
verb('saber', 'er', 'sab', '', ['sab(er:)'],
     pres='sé sabes sabe sabemos sabéis saben',
     pret='supe supiste supo supimos supisteis supieron', fut='sabr',
     subj='sepa sepas sepa sepamos sepáis sepan')
verb('caber', 'er', 'cab', '', ['cab(er:)'],
     pres='quepo cabes cabe cabemos cabéis caben',
     pret='cupe cupiste cupo cupimos cupisteis cupieron', fut='cabr')
verb('querer', 'er', 'quer', '', ['[Z]quer(er:)'],
     pres='quiero quieres quiere queremos queréis quieren',
     pret='quise quisiste quiso quisimos quisisteis quisieron', fut='querr',
     subj='quiera quieras quiera queramos queráis quieran')
verb('poner', 'er', 'pon', '', ['[Z]pon(er:)'], part='puesto',
     pres='pongo pones pone ponemos ponéis ponen',
     pret='puse pusiste puso pusimos pusisteis pusieron', fut='pondr', imp_tu='pon')
verb('venir', 'ir', 'ven', '', ['[Z]ven(ir:)'],
     pres='vengo vienes viene venimos venís vienen',
     pret='vine viniste vino vinimos vinisteis vinieron', fut='vendr', imp_tu='ven',
     ger='viniendo')
verb('salir', 'ir', 'sal', '', ['[Z]sal(ir:)'],
     pres='salgo sales sale salimos salís salen', fut='saldr', imp_tu='sal')
verb('valer', 'er', 'val', '', ['[Z]val(er:)'],
     pres='valgo vales vale valemos valéis valen', fut='valdr')
verb('traer', 'er', 'tra', '', ['[Z]tra(er:)'], part='traído',
     pres='traigo traes trae traemos traéis traen',
     pret='traje trajiste trajo trajimos trajisteis trajeron', ger='trayendo')
verb('caer', 'er', 'ca', '', ['[Z]ca(er:)'], part='caído',
     pres='caigo caes cae caemos caéis caen',
     pret='caí caíste cayó caímos caísteis cayeron', ger='cayendo')
verb('oír', 'ir', 'o', '', ['[Z]o(ír:)'], part='oído',
     pres='oigo oyes oye oímos oís oyen', pret='oí oíste oyó oímos oísteis oyeron',
     impf='oía oías oía oíamos oíais oían', fut='oir', imp_tu='oye', imp_vos='oíd',
     ger='oyendo')
verb('andar', 'ar', 'and', '', ['and(ar:)', 'desand(ar:)'],
     pret='anduve anduviste anduvo anduvimos anduvisteis anduvieron')
verb('conducir', 'ir', 'duc', 'con', ['[Z]duc(ir:)'],
     comment='-ducir (conducir, producir, traducir)',
     pres='conduzco conduces conduce conducimos conducís conducen',
     pret='conduje condujiste condujo condujimos condujisteis condujeron')
verb('reír', 'ir', 're', '', ['[Z]re(ír:)'], part='reído',
     pres='río ríes ríe reímos reís ríen', pret='reí reíste rió reímos reísteis rieron',
     subj='ría rías ría riamos riáis rían', impf='reía reías reía reíamos reíais reían',
     fut='reir', imp_tu='ríe', imp_vos='reíd', ger='riendo')
verb('freír', 'ir', 'fre', '', ['fre(ír:)'], part='frito',
     pres='frío fríes fríe freímos freís fríen', pret='freí freíste frió freímos freísteis frieron',
     subj='fría frías fría friamos friáis frían', impf='freía freías freía freíamos freíais freían',
     fut='freir', imp_tu='fríe', imp_vos='freíd', ger='friendo')
verb('morir', 'ir', 'mor', '', ['mor(ir:)'], parent=None, part='muerto',
     pres='muero mueres muere morimos morís mueren',
     pret='morí moriste murió morimos moristeis murieron',
     subj='muera mueras muera muramos muráis mueran', ger='muriendo')
verb('dormir', 'ir', 'dorm', '', ['dorm(ir:)'],
     pres='duermo duermes duerme dormimos dormís duermen',
     pret='dormí dormiste durmió dormimos dormisteis durmieron',
     subj='duerma duermas duerma durmamos durmáis duerman', ger='durmiendo')
verb('jugar', 'ar', 'jug', '', ['jug(ar:)'],
     pres='juego juegas juega jugamos jugáis juegan',
     pret='jugué jugaste jugó jugamos jugasteis jugaron',
     subj='juegue juegues juegue juguemos juguéis jueguen')
verb('empezar', 'ar', 'empez', '', ['empez(ar:)'],
     pres='empiezo empiezas empieza empezamos empezáis empiezan',
     pret='empecé empezaste empezó empezamos empezasteis empezaron',
     subj='empiece empieces empiece empecemos empecéis empiecen')
verb('comenzar', 'ar', 'comenz', '', ['[Z]comenz(ar:)'],
     pres='comienzo comienzas comienza comenzamos comenzáis comienzan',
     pret='comencé comenzaste comenzó comenzamos comenzasteis comenzaron',
     subj='comience comiences comience comencemos comencéis comiencen')
verb('almorzar', 'ar', 'almorz', '', ['almorz(ar:)'],
     pres='almuerzo almuerzas almuerza almorzamos almorzáis almuerzan',
     pret='almorcé almorzaste almorzó almorzamos almorzasteis almorzaron',
     subj='almuerce almuerces almuerce almorcemos almorcéis almuercen')
verb('forzar', 'ar', 'forz', '', ['[Z]forz(ar:)'],
     pres='fuerzo fuerzas fuerza forzamos forzáis fuerzan',
     pret='forcé forzaste forzó forzamos forzasteis forzaron',
     subj='fuerce fuerces fuerce forcemos forcéis fuercen')
verb('colgar', 'ar', 'colg', '', ['[Z]colg(ar:)'],
     pres='cuelgo cuelgas cuelga colgamos colgáis cuelgan',
     pret='colgué colgaste colgó colgamos colgasteis colgaron',
     subj='cuelgue cuelgues cuelgue colguemos colguéis cuelguen')
verb('rogar', 'ar', 'rog', '', ['[Z]rog(ar:)'],
     pres='ruego ruegas ruega rogamos rogáis ruegan',
     pret='rogué rogaste rogó rogamos rogasteis rogaron',
     subj='ruegue ruegues ruegue roguemos roguéis rueguen')
verb('negar', 'ar', 'neg', '', ['[Z]neg(ar:)'],
     pres='niego niegas niega negamos negáis niegan',
     pret='negué negaste negó negamos negasteis negaron',
     subj='niegue niegues niegue neguemos neguéis nieguen')
verb('volcar', 'ar', 'volc', '', ['[Z]volc(ar:)'],
     pres='vuelco vuelcas vuelca volcamos volcáis vuelcan',
     pret='volqué volcaste volcó volcamos volcasteis volcaron',
     subj='vuelque vuelques vuelque volquemos volquéis vuelquen')
verb('seguir', 'ir', 'segu', '', ['[Z]segu(ir:)'],
     pres='sigo sigues sigue seguimos seguís siguen',
     pret='seguí seguiste siguió seguimos seguisteis siguieron',
     subj='siga sigas siga sigamos sigáis sigan', ger='siguiendo')
verb('elegir', 'ir', 'eg', 'el', ['[Z]eleg(ir:)', '[Z]rreg(ir:)'],
     comment='elegir, corregir',
     pres='elijo eliges elige elegimos elegís eligen',
     pret='elegí elegiste eligió elegimos elegisteis eligieron',
     subj='elija elijas elija elijamos elijáis elijan', ger='eligiendo')
verb('torcer', 'er', 'torc', '', ['[Z]torc(er:)'],
     pres='tuerzo tuerces tuerce torcemos torcéis tuercen',
     subj='tuerza tuerzas tuerza torzamos torzáis tuerzan')
verb('cocer', 'er', 'coc', '', ['[Z]coc(er:)'],
     pres='cuezo cueces cuece cocemos cocéis cuecen',
     subj='cueza cuezas cueza cozamos cozáis cuezan')
verb('oler', 'er', 'ol', '', ['ol(er:)'],
     pres='huelo hueles huele olemos oléis huelen',
     subj='huela huelas huela olamos oláis huelan')
verb('holgar', 'ar', 'holg', '', ['[Z]holg(ar:)'],
     pres='huelgo huelgas huelga holgamos holgáis huelgan',
     pret='holgué holgaste holgó holgamos holgasteis holgaron',
     subj='huelgue huelgues huelgue holguemos holguéis huelguen')
verb('alongar', 'ar', 'along', '', ['along(ar:)'],
     pres='aluengo aluengas aluenga alongamos alongáis aluengan',
     pret='alongué alongaste alongó alongamos alongasteis alongaron',
     subj='aluengue aluengues aluengue alonguemos alonguéis aluenguen')
verb('degollar', 'ar', 'degoll', '', ['degoll(ar:)'],
     pres='degüello degüellas degüella degollamos degolláis degüellan',
     subj='degüelle degüelles degüelle degollemos degolléis degüellen')
verb('desosar', 'ar', 'desos', '', ['desos(ar:)'],
     pres='deshueso deshuesas deshuesa desosamos desosáis deshuesan',
     subj='deshuese deshueses deshuese desosemos desoséis deshuesen')
verb('satisfacer', 'er', 'fac', 'satis', ['satisfac(er:)'], part='satisfecho',
     pres='satisfago satisfaces satisface satisfacemos satisfacéis satisfacen',
     pret='satisfice satisficiste satisfizo satisficimos satisficisteis satisficieron',
     fut='satisfar', imp_tu='satisfaz')
verb('huir', 'ir', 'hu', '', ['hu(ir:)'],
     pres='huyo huyes huye huimos huis huyen', pret='hui huiste huyó huimos huisteis huyeron',
     ger='huyendo')
verb('errar', 'ar', 'err', '', ['err(ar:)'],
     pres='yerro yerras yerra erramos erráis yerran',
     subj='yerre yerres yerre erremos erréis yerren')
verb('adquirir', 'ir', 'quir', 'ad', ['[Z]quir(ir:)'],
     pres='adquiero adquieres adquiere adquirimos adquirís adquieren',
     subj='adquiera adquieras adquiera adquiramos adquiráis adquieran')
verb('pudrir', 'ir', 'pudr', '', ['pudr(ir:)'], part='podrido')
verb('reñir', 'ir', 'eñ', 'r', ['[Z]eñ(ir:)'], comment='-eñir (reñir, teñir, ceñir)',
     pres='riño riñes riñe reñimos reñís riñen', pret='reñí reñiste riñó reñimos reñisteis riñeron',
     subj='riña riñas riña riñamos riñáis riñan', ger='riñendo')


# Irregular verbs that only differ in their participle: the regular pattern plus #q.
PART_ONLY = [
    ('[Z]escrib(ir:)', 3, '#q>[Z](escrib:escrito*)'),
    ('[Z]abr(ir:)', 3, '#q>[Z](abr:abierto*)'),
    ('[Z]cubr(ir:)', 3, '#q>[Z](cubr:cubierto*)'),
    ('[Z]romp(er:)', 2, '#q>[Z](romp:roto*)'),
    ('[Z]imprim(ir:)', 3, '#q>[Z](imprim:impreso*)'),
]

# ---- check rules, in order: irregular verbs above, then particular verbs of classes, then
# classes recognised by their ending, then the three conjugations, then classes reached only
# by listed verbs ----
L.rules, irr_rules = [], L.rules
L.rules += irr_rules
for text, conj, sv in PART_ONLY:
    L.rule(text, resulttype=conj, replace=1, setvariable=sv)
L.rule('[Z]volv(er:)', resulttype=23, replace=1, setvariable='#q>[Z](olv:uelto*)',
       comment='volver, devolver, envolver: o becomes ue, participle -vuelto')
L.rule('[Z]solv(er:)', resulttype=23, replace=1, setvariable='#q>[Z](olv:uelto*)')
L.rule('[Z]mov(er:)', resulttype=23, replace=1, setvariable=PART['er'])
L.rule('prove(er:)', resulttype=18, replace=1, setvariable='#q>[Z](prove:provisto*)')
L.rule('*gu(ar:)', resulttype=7, replace=1, setvariable=PART['ar'])
L.rule('*u(ar:)', resulttype=16, replace=1, setvariable=PART['ar'])
L.rule('*c(ar:)', resulttype=4, replace=1, setvariable=PART['ar'])
L.rule('*g(ar:)', resulttype=5, replace=1, setvariable=PART['ar'])
L.rule('*z(ar:)', resulttype=6, replace=1, setvariable=PART['ar'])
L.rule('*gu(ir:)', resulttype=10, replace=1, setvariable=PART['ir'])
L.rule('*u(ir:)', resulttype=15, replace=1, setvariable=PART['ir'])
L.rule('*g(er:)', resulttype=8, replace=1, setvariable=PART['er'])
L.rule('*g(ir:)', resulttype=9, replace=1, setvariable=PART['ir'])
L.rule('*[V]c(er:)', resulttype=11, replace=1, setvariable=PART['er'])
L.rule('*[V]c(ir:)', resulttype=12, replace=1, setvariable=PART['ir'])
L.rule('*[K]c(er:)', resulttype=13, replace=1, setvariable=PART['er'])
L.rule('*[K]c(ir:)', resulttype=14, replace=1, setvariable=PART['ir'])
L.rule('*e(er:)', resulttype=18, replace=1, setvariable='#q>*(:ído)')
L.rule('*(ar:)', resulttype=1, replace=1, setvariable=PART['ar'])
L.rule('*(er:)', resulttype=2, replace=1, setvariable=PART['er'])
L.rule('*(ir:)', resulttype=3, replace=1, setvariable=PART['ir'])
for num in (17, 20, 21, 22, 23, 24, 25, 26):
    conj = CONJ_OF[num]
    L.rule('*(%s:)' % conj, resulttype=num, replace=1, setvariable=PART[conj],
           comment=None)

# ---- dictionary ----
REG = {
    1: 'hablar amar trabajar estudiar llamar llegar esperar dejar pasar quedar mirar tomar '
       'entrar ayudar usar cambiar bailar cantar cocinar comprar contestar descansar desear '
       'escuchar enseñar ganar gastar lavar limpiar llevar mandar necesitar olvidar preguntar '
       'preparar terminar viajar visitar caminar cortar firmar ocupar presentar aceptar '
       'acabar aprovechar crear considerar tratar formar importar interesar lograr observar '
       'dudar evitar funcionar invitar odiar robar saludar',
    2: 'comer beber aprender comprender correr deber vender meter responder '
       'temer romper barrer sorprender suceder ceder depender esconder prometer toser',
    3: 'vivir escribir abrir recibir subir decidir partir cubrir describir discutir existir '
       'permitir sufrir unir asistir cumplir dividir ocurrir resistir imprimir insistir '
       'interrumpir',
    4: 'buscar sacar tocar explicar practicar indicar marcar secar atacar aparcar dedicar',
    5: 'pagar apagar entregar castigar llegar cargar juzgar navegar obligar pegar',
    6: 'cruzar alcanzar analizar avanzar organizar realizar utilizar gozar rezar lanzar',
    7: 'averiguar',
    8: 'coger escoger proteger recoger',
    9: 'dirigir exigir fingir sumergir',
    10: 'distinguir extinguir',
    11: 'conocer parecer nacer crecer ofrecer merecer agradecer obedecer aparecer '
        'desaparecer pertenecer establecer reconocer permanecer',
    12: 'lucir relucir',
    13: 'vencer convencer ejercer',
    14: 'esparcir zurcir',
    15: 'construir destruir incluir concluir contribuir distribuir sustituir influir huir '
        'excluir',
    16: 'actuar continuar graduar situar evaluar acentuar',
    17: 'enviar confiar guiar variar enfriar criar desviar ampliar esquiar espiar vaciar',
    18: 'leer creer poseer proveer',
    20: 'pensar cerrar despertar sentar gobernar calentar recomendar atravesar apretar '
        'confesar manifestar nevar quebrar helar acertar alentar arrendar concertar '
        'desmembrar enmendar enterrar invernar merendar remendar reventar sembrar '
        'serrar temblar tentar',
    21: 'entender perder encender defender tender atender descender extender ascender '
        'trascender verter',
    22: 'contar encontrar recordar costar mostrar probar soñar acostar aprobar sonar volar '
        'demostrar acordar amoblar apostar asolar colar comprobar concordar consolar '
        'desaprobar descontar poblar renovar repoblar resollar resonar rodar soldar soltar '
        'engrosar hollar solar '
        'tostar tronar reprobar',
    23: 'volver mover devolver resolver llover doler morder soler absolver conmover demoler '
        'disolver envolver moler promover remorder remover revolver',
    24: 'sentir mentir preferir convertir divertir hervir sugerir advertir consentir '
        'referir arrepentir conferir diferir digerir inferir ingerir invertir herir '
        'presentir requerir transferir',
    25: 'dormir',
    26: 'pedir servir repetir vestir medir despedir impedir competir rendir gemir concebir '
        'derretir expedir investir revestir',
}
seen = set()
words = []
for num, ws in REG.items():
    for w in ws.split():
        if w in seen:
            continue
        seen.add(w)
        words.append((w, num))
for w, num in ITEMS:
    if w not in seen:
        seen.add(w)
        words.append((w, num))
# compounds of irregular verbs, conjugated through their base verb's pattern
IRR_OF = dict(ITEMS)
for w, base in [('mantener', 'tener'), ('obtener', 'tener'), ('contener', 'tener'),
                ('detener', 'tener'), ('sostener', 'tener'), ('retener', 'tener'),
                ('entretener', 'tener'), ('componer', 'poner'), ('proponer', 'poner'),
                ('suponer', 'poner'), ('disponer', 'poner'), ('exponer', 'poner'),
                ('imponer', 'poner'), ('oponer', 'poner'), ('convenir', 'venir'),
                ('intervenir', 'venir'), ('prevenir', 'venir'), ('deshacer', 'hacer'),
                ('rehacer', 'hacer'), ('atraer', 'traer'), ('distraer', 'traer'),
                ('contraer', 'traer'), ('extraer', 'traer'), ('predecir', 'decir'),
                ('contradecir', 'decir'), ('prever', 'ver'), ('producir', 'conducir'),
                ('traducir', 'conducir'), ('reducir', 'conducir'), ('introducir', 'conducir'),
                ('deducir', 'conducir'), ('sonreír', 'reír'), ('corregir', 'elegir'),
                ('conseguir', 'seguir'), ('perseguir', 'seguir'), ('proseguir', 'seguir'),
                ('recaer', 'caer'), ('decaer', 'caer'), ('equivaler', 'valer'),
                ('sobresalir', 'salir'), ('recomenzar', 'comenzar'), ('teñir', 'reñir'),
                ('ceñir', 'reñir'), ('torcer', 'torcer'), ('retorcer', 'torcer'),
                ('describir', None), ('descubrir', None)]:
    if w in seen or base is None:
        continue
    seen.add(w)
    words.append((w, IRR_OF[base]))
for w, num in sorted(words):
    L.item(w, num)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
