"""French verbs: the three groups, spelling classes of the first group, verb families of the
third group, irregular verbs as patterns inheriting a regular one. The auxiliary (avoir or être)
of the compound tenses comes from the group "auxiliaires" through the variable #a (0 avoir,
10 être); the pronoun of the first person comes from #j (je or j')."""
import sys
from langgen import Language, irregular

L = Language('French')
L.info = dict(
    code='fra', family='Indo-European, Romance',
    speakers=(80000000, 310000000),
    countries=['France', 'Canada', 'Belgium', 'Switzerland', 'Luxembourg', 'Monaco',
               'Democratic Republic of the Congo', 'Côte d’Ivoire', 'Senegal', 'Cameroon',
               'Madagascar', 'Haiti', 'Mali', 'Burkina Faso', 'Niger', 'Guinea', 'Benin'],
    summary='French verbs fall into three groups: verbs in -er (parler), verbs in -ir with '
            '-iss- (finir), and a third group of verbs in -ir, -oir and -re with their own '
            'stems (partir, recevoir, prendre). Verbs in -cer, -ger, -yer, -eler, -eter and '
            'with e or é before the last consonant change their spelling. Compound tenses take '
            'avoir, or être with verbs of motion and change of state.',
    books=[dict(title='Le Bon Usage', author='Maurice Grevisse; André Goosse',
                publisher='De Boeck Supérieur', edition=16, printplace='Louvain-la-Neuve',
                printyear=2016, id='9782807300699'),
           dict(title='Bescherelle : la conjugaison pour tous', author='Michel Arrivé',
                publisher='Hatier', edition=1, printplace='Paris', printyear=2019,
                id='9782401052383')],
    created='1.12.2026', status=(100, 'Complete'))

PR = ['#j', 'tu', 'il', 'nous', 'vous', 'ils']
PRC = None  # set per tense below: the pronoun depends on the auxiliary's form
L.heading('Indicatif')
L.tense(1, 'Présent', 6, 1, PR)
L.tense(2, 'Imparfait', 6, 1, PR)
L.tense(3, 'Passé simple', 6, 1, PR)
L.tense(4, 'Futur simple', 6, 1, PR)
L.tense(5, 'Passé composé', 6, 1, ['%pronoms(i+#a,5)%'] * 6)
L.tense(6, 'Plus-que-parfait', 6, 1, ['%pronoms(i+#a,6)%'] * 6)
L.tense(7, 'Passé antérieur', 6, 1, ['%pronoms(i+#a,7)%'] * 6)
L.tense(8, 'Futur antérieur', 6, 1, ['%pronoms(i+#a,8)%'] * 6)
L.heading('Conditionnel')
L.tense(9, 'Présent', 6, 1, PR)
L.tense(10, 'Passé', 6, 1, ['%pronoms(i+#a,10)%'] * 6)
L.heading('Subjonctif')
L.tense(11, 'Présent', 6, 1, PR)
L.tense(12, 'Imparfait', 6, 1, PR)
L.tense(13, 'Passé', 6, 1, ['%pronoms(i+#a,13)%'] * 6)
L.tense(14, 'Plus-que-parfait', 6, 1, ['%pronoms(i+#a,14)%'] * 6)
L.heading('Impératif')
L.tense(15, 'Présent', 3, 1, ['tu', 'nous', 'vous'])
L.heading('Infinitif')
L.tense(16, 'Présent', 1, 1, [''])
L.heading('Participe')
L.tense(17, 'Présent', 1, 1, [''])
L.tense(18, 'Passé', 1, 1, [''])

L.groups = [('[Z]', '*,(:)'), ('[V]', 'a,e,i,o,u,y,â,é,è,ê,î,ô,û,h'),
            ('[K]', 'b,c,ç,d,f,g,h,j,k,l,m,n,p,q,r,s,t,v,w,x,z'),
            ('[KS]', '[K],[K][K],[K][K][K],qu,gu'),
            ('[C1]', 'b,c,d,f,g,j,l,m,n,p,r,s,t,v,z'),
            ('[A]', 'b,c,ç,d,f,g,j,k,l,m,n,p,q,r,s,t,v,w,x,z'),
            ('[DROP]', 't:,m:,v:'), ('[DROPT]', 't:t,m:t,v:t'), ('[EE]', 'e:è,é:è')]

E = {
    'er': {1: 'e es e ons ez ent', 2: 'ais ais ait ions iez aient',
           3: 'ai as a âmes âtes èrent', 4: 'erai eras era erons erez eront',
           9: 'erais erais erait erions eriez eraient', 11: 'e es e ions iez ent',
           12: 'asse asses ât assions assiez assent', 15: 'e ons ez', 17: 'ant'},
    'ir': {1: 'is is it issons issez issent', 2: 'issais issais issait issions issiez issaient',
           3: 'is is it îmes îtes irent', 4: 'irai iras ira irons irez iront',
           9: 'irais irais irait irions iriez iraient',
           11: 'isse isses isse issions issiez issent',
           12: 'isse isses ît issions issiez issent', 15: 'is issons issez', 17: 'issant'},
    're': {1: 's s  ons ez ent', 2: 'ais ais ait ions iez aient',
           3: 'is is it îmes îtes irent', 4: 'rai ras ra rons rez ront',
           9: 'rais rais rait rions riez raient', 11: 'e es e ions iez ent',
           12: 'isse isses ît issions issiez issent', 15: 's ons ez', 17: 'ant'},
}
E = {c: {t: v.split(' ') for t, v in d.items()} for c, d in E.items()}
PARTQ = {'er': '#q>*(:é)', 'ir': '#q>*(:i)', 're': '#q>*(:u)'}
MUTE = {1: (1, 2, 3, 6), 11: (1, 2, 3, 6), 15: (1,), 4: (1, 2, 3, 4, 5, 6),
        9: (1, 2, 3, 4, 5, 6)}

AUX = {
    5: ('ai as a avons avez ont', 'suis es est sommes êtes sont'),
    6: ('avais avais avait avions aviez avaient', 'étais étais était étions étiez étaient'),
    7: ('eus eus eut eûmes eûtes eurent', 'fus fus fut fûmes fûtes furent'),
    8: ('aurai auras aura aurons aurez auront', 'serai seras sera serons serez seront'),
    10: ('aurais aurais aurait aurions auriez auraient',
         'serais serais serait serions seriez seraient'),
    13: ('aie aies ait ayons ayez aient', 'sois sois soit soyons soyez soient'),
    14: ('eusse eusses eût eussions eussiez eussent',
         'fusse fusses fût fussions fussiez fussent'),
}
aux_items = []
for t, (av, es) in AUX.items():
    for s, f in enumerate(av.split(), 1):
        aux_items.append((s, t, f))
    for s, f in enumerate(es.split(), 1):
        aux_items.append((10 + s, t, f))
pron = []
for t, (av, es) in AUX.items():
    for s, p in enumerate(["j'", 'tu', 'il', 'nous', 'vous', 'ils'], 1):
        pron.append((s, t, p))
    for s, p in enumerate(['je', 'tu', 'il', 'nous', 'vous', 'ils'], 1):
        # "j'étais": the first person elides before a vowel of the auxiliary
        pron.append((10 + s, t, "j'" if s == 1 and es.split()[0][0] in 'aeéiouh' else p))


def pronoun_for(tid, slot, form):
    # irregular forms choose je or j' by their own first letter (je vais, j'irai)
    if slot != 1 or tid in AUX or tid in (15, 16, 17, 18):
        return None
    return ("j'" if form[:1] in 'aâeéèêiîoôuûh' else 'je') + '%tab%'


L.pronoun_for = pronoun_for
ends = [(s, 1, '') for s in range(1, 7)] + [(10 + s, 1, '' if s <= 3 else 's')
                                             for s in range(1, 7)]
L.extra_groups = [('auxiliaires', 'Auxiliary forms of the compound tenses', aux_items),
                  ('pronoms', 'Pronouns before the auxiliary', pron),
                  ('desinences', 'Agreement of the participle after être', ends)]


def alt(stem, e):
    return ';'.join(stem + a for a in e.split(';'))


def regular(p, conj, table=None):
    for t, endl in (table or E[conj]).items():
        if any('(' in e for e in endl):
            # endings that rewrite the end of the root: one root transducer per slot
            for s, e in enumerate(endl, 1):
                if '(' not in e:
                    e = '(:%s)' % e
                elif e.endswith(')') and not e.endswith(')]'):
                    e = e[:-1] + '*)'  # the rewritten form is irregular
                L.override(p, t, s, '*' + e)
            continue
        L.simple(p, t, endl)
    L.with_transducer(p, 16, None, '*', command='transducer')
    L.with_transducer(p, 18, None, '#q')
    for t in AUX:
        L.with_transducer(p, t, ['%%auxiliaires(i+#a,%d)%% ' % t] * 6, '#q',
                          after=['%desinences(i+#a,1)%'] * 6)


CONJ_OF = {}
for num, conj, name in ((1, 'er', 'first group (parler)'), (2, 'ir', 'second group (finir)'),
                        (3, 're', 'third group in -re (vendre)')):
    regular(L.pattern(num, name), conj)
    CONJ_OF[num] = conj


def class_pattern(num, name, conj, change):
    p = L.pattern(num, name, inherits={'er': 1, 'ir': 2, 're': 3}[conj])
    CONJ_OF[num] = conj
    for t, endl in E[conj].items():
        for s, e in enumerate(endl, 1):
            r = change(t, s, e)
            if r is None:
                continue
            L.override(p, t, s, r)
    return p


class_pattern(4, '-cer: ç before a and o (commencer)', 'er',
              lambda t, s, e: '*(c:ç%s+)' % e if e[:1] in ('a', 'o', 'â') else None)
class_pattern(5, '-ger: ge before a and o (manger)', 'er',
              lambda t, s, e: '*(:e%s+)' % e if e[:1] in ('a', 'o', 'â') else None)
class_pattern(6, '-oyer, -uyer: i before a mute e (nettoyer)', 'er',
              lambda t, s, e: '*(y:i%s+)' % e if s in MUTE.get(t, ()) else None)
class_pattern(7, '-ayer: i or y before a mute e (payer)', 'er',
              lambda t, s, e: ['*(y:i%s+)' % e, '*(:%s)' % e] if s in MUTE.get(t, ()) else None)
class_pattern(8, 'e before the last consonant becomes è before a mute e (mener, acheter)', 'er',
              lambda t, s, e: '*(e:è)[KS](:%s+)' % e if s in MUTE.get(t, ()) else None)
class_pattern(9, 'é before the last consonant becomes è before a mute ending (céder)', 'er',
              lambda t, s, e: '*(é:è)[KS](:%s+)' % e if s in MUTE.get(t, ()) and t not in (4, 9)
              else None)
class_pattern(10, '-eler: ll before a mute e (appeler)', 'er',
              lambda t, s, e: '*(l:ll%s+)' % e if s in MUTE.get(t, ()) else None)
class_pattern(11, '-eter: tt before a mute e (jeter)', 'er',
              lambda t, s, e: '*(t:tt%s+)' % e if s in MUTE.get(t, ()) else None)


def c_e(t, s, e):
    # dépecer, rapiécer: both the e/é change and ç before a and o
    if s in MUTE.get(t, ()):
        return '*[(EE)](c:c%s+)' % e
    if e[:1] in ('a', 'o', 'â'):
        return '*(c:ç%s+)' % e
    return None


class_pattern(12, 'e before -cer: è and ç (dépecer)', 'er', c_e)


def g_e(t, s, e):
    if s in MUTE.get(t, ()) and t not in (4, 9):
        return '*(é:è)[KS](:%s+)' % e
    if e[:1] in ('a', 'o', 'â'):
        return '*(:e%s+)' % e
    return None


class_pattern(13, 'é before -ger: è and ge (protéger)', 'er', g_e)

# Third-group families with their own endings: root = infinitive without the part named.
FAM = {}


def family(num, name, table, part, rules, essere=False):
    t = {k: v.split(' ') for k, v in table.items()}
    p = L.pattern(num, name)
    regular(p, None, t)
    CONJ_OF[num] = 'fam'
    FAM[num] = t
    for r in rules:
        L.rule(r, resulttype=num, replace=1, setvariable='#q>' + part)
    return p


FAMILIES = []  # (rule order matters: most specific first)


def fam(num, name, table, part, rules):
    FAMILIES.append((num, name, table, part, rules))


fam(20, 'partir, dormir, sentir, servir, mentir, sortir', {
    1: '[(DROP)](:s) [(DROP)](:s) [(DROPT)] ons ez ent', 2: 'ais ais ait ions iez aient',
    3: 'is is it îmes îtes irent', 4: 'irai iras ira irons irez iront',
    9: 'irais irais irait irions iriez iraient', 11: 'e es e ions iez ent',
    12: 'isse isses ît issions issiez issent', 15: '[(DROP)](:s) ons ez', 17: 'ant'},
    '*(:i)', [])
fam(21, 'ouvrir, couvrir, offrir, souffrir', {
    1: 'e es e ons ez ent', 2: 'ais ais ait ions iez aient',
    3: 'is is it îmes îtes irent', 4: 'irai iras ira irons irez iront',
    9: 'irais irais irait irions iriez iraient', 11: 'e es e ions iez ent',
    12: 'isse isses ît issions issiez issent', 15: 'e ons ez', 17: 'ant'},
    '*(r:ert*)', ['[Z]vr(ir:)', '[Z]ffr(ir:)'])
fam(22, 'peindre, craindre, joindre', {
    1: 'ns ns nt gnons gnez gnent', 2: 'gnais gnais gnait gnions gniez gnaient',
    3: 'gnis gnis gnit gnîmes gnîtes gnirent', 4: 'ndrai ndras ndra ndrons ndrez ndront',
    9: 'ndrais ndrais ndrait ndrions ndriez ndraient', 11: 'gne gnes gne gnions gniez gnent',
    12: 'gnisse gnisses gnît gnissions gnissiez gnissent', 15: 'ns gnons gnez', 17: 'gnant'},
    '*(:nt*)', ['*(ndre:)'])
fam(23, 'conduire, construire, produire', {
    1: 'is is it isons isez isent', 2: 'isais isais isait isions isiez isaient',
    3: 'isis isis isit isîmes isîtes isirent', 4: 'irai iras ira irons irez iront',
    9: 'irais irais irait irions iriez iraient', 11: 'ise ises ise isions isiez isent',
    12: 'isisse isisses isît isissions isissiez isissent', 15: 'is isons isez', 17: 'isant'},
    '*(:it*)', ['*u(ire:)'])
fam(24, 'connaître, paraître', {
    1: 'ais ais aît aissons aissez aissent', 2: 'aissais aissais aissait aissions aissiez aissaient',
    3: 'us us ut ûmes ûtes urent', 4: 'aîtrai aîtras aîtra aîtrons aîtrez aîtront',
    9: 'aîtrais aîtrais aîtrait aîtrions aîtriez aîtraient',
    11: 'aisse aisses aisse aissions aissiez aissent',
    12: 'usse usses ût ussions ussiez ussent', 15: 'ais aissons aissez', 17: 'aissant'},
    '*(:u*)', ['*(aître:)'])
fam(25, 'recevoir, apercevoir, décevoir', {
    1: 'çois çois çoit cevons cevez çoivent', 2: 'cevais cevais cevait cevions ceviez cevaient',
    3: 'çus çus çut çûmes çûtes çurent', 4: 'cevrai cevras cevra cevrons cevrez cevront',
    9: 'cevrais cevrais cevrait cevrions cevriez cevraient',
    11: 'çoive çoives çoive cevions ceviez çoivent',
    12: 'çusse çusses çût çussions çussiez çussent', 15: 'çois cevons cevez', 17: 'cevant'},
    '*(:çu*)', ['*(cevoir:)'])
fam(26, 'prendre and its compounds', {
    1: 'ds ds d ons ez nent', 2: 'ais ais ait ions iez aient',
    3: '(en:is) (en:is) (en:it) (en:îmes) (en:îtes) (en:irent)', 4: 'drai dras dra drons drez dront',
    9: 'drais drais drait drions driez draient', 11: 'ne nes ne ions iez nent',
    12: '(en:isse) (en:isses) (en:ît) (en:issions) (en:issiez) (en:issent)',
    15: 'ds ons ez', 17: 'ant'},
    '*(en:is*)', ['[Z]pren(dre:)'])
fam(27, 'mettre and its compounds', {
    1: 's s  tons tez tent', 2: 'tais tais tait tions tiez taient',
    3: '(et:is) (et:is) (et:it) (et:îmes) (et:îtes) (et:irent)', 4: 'trai tras tra trons trez tront',
    9: 'trais trais trait trions triez traient', 11: 'te tes te tions tiez tent',
    12: '(et:isse) (et:isses) (et:ît) (et:issions) (et:issiez) (et:issent)',
    15: 's tons tez', 17: 'tant'},
    '*(et:is*)', ['[Z]met(tre:)'])
fam(28, 'battre and its compounds', {
    1: 's s  tons tez tent', 2: 'tais tais tait tions tiez taient',
    3: 'tis tis tit tîmes tîtes tirent', 4: 'trai tras tra trons trez tront',
    9: 'trais trais trait trions triez traient', 11: 'te tes te tions tiez tent',
    12: 'tisse tisses tît tissions tissiez tissent', 15: 's tons tez', 17: 'tant'},
    '*(:tu)', ['[Z]bat(tre:)'])
fam(29, 'écrire and its compounds', {
    1: 's s t vons vez vent', 2: 'vais vais vait vions viez vaient',
    3: 'vis vis vit vîmes vîtes virent', 4: 'rai ras ra rons rez ront',
    9: 'rais rais rait rions riez raient', 11: 've ves ve vions viez vent',
    12: 'visse visses vît vissions vissiez vissent', 15: 's vons vez', 17: 'vant'},
    '*(:t*)', ['[Z]cri(re:)'])
fam(30, 'venir, tenir and their compounds', {
    1: '(en:iens) (en:iens) (en:ient) ons ez (en:iennent)', 2: 'ais ais ait ions iez aient',
    3: '(en:ins) (en:ins) (en:int) (en:înmes) (en:întes) (en:inrent)',
    4: '(en:iendrai) (en:iendras) (en:iendra) (en:iendrons) (en:iendrez) (en:iendront)',
    9: '(en:iendrais) (en:iendrais) (en:iendrait) (en:iendrions) (en:iendriez) (en:iendraient)',
    11: '(en:ienne) (en:iennes) (en:ienne) ions iez (en:iennent)',
    12: '(en:insse) (en:insses) (en:înt) (en:inssions) (en:inssiez) (en:inssent)',
    15: '(en:iens) ons ez', 17: 'ant'},
    '*(:u)', ['[Z]ven(ir:)', '[Z]ten(ir:)'])

# ---- irregular verbs (forms of the base verb) ----
ITEMS = []
IRR = 40


def forms(inf, conj, stem, pres, fut=None, ps=None, subj=None, imp=None, impf=None,
          ppr=None, subj_impf=None):
    f = {t: [alt(stem, e) for e in endl] for t, endl in E[conj].items()}
    p = pres.split()
    f[1] = [x.replace('-', '') for x in p]
    b = (impf or p[3][:-3])  # nous prenons -> pren
    f[2] = [b + e for e in 'ais ais ait ions iez aient'.split()]
    f[17] = [ppr or b + 'ant']
    if subj:
        f[11] = [x.replace('-', '') for x in subj.split()]
    else:
        s3 = p[5][:-3]  # prenn(ent)
        f[11] = [s3 + 'e', s3 + 'es', s3 + 'e', b + 'ions', b + 'iez', s3 + 'ent']
    if fut:
        f[4] = [fut + e for e in 'ai as a ons ez ont'.split()]
        f[9] = [fut + e for e in 'ais ais ait ions iez aient'.split()]
    if ps:
        st, v = ps
        circ = {'i': 'î', 'u': 'û', 'in': 'în', 'a': 'â', 'ï': 'ï', 'û': 'û'}[v]
        f[3] = [st + v + 's', st + v + 's', st + v + 't', st + circ + 'mes', st + circ + 'tes',
                st + v + 'rent']
        f[12] = [st + v + 'sse', st + v + 'sses', st + circ + 't', st + v + 'ssions',
                 st + v + 'ssiez', st + v + 'ssent']
    if subj_impf:
        f[12] = subj_impf.split()
    if imp:
        f[15] = [x.replace('-', '') for x in imp.split()]
    else:
        tu = p[1]
        if tu.endswith('es') or tu == 'vas':
            tu = tu[:-1]
        f[15] = [tu, p[3], p[4]]
    return f


def verb(inf, conj, stem, lead, rules, part, etre=False, allirr=False, comment=None, **kw):
    global IRR
    num = IRR
    IRR += 1
    regstem = inf[:-2]
    full = forms(inf, conj, regstem, **kw)
    reg = {t: [alt(regstem, e) for e in endl] for t, endl in E[conj].items()}
    fo, regd = {}, {}
    for t, fl in full.items():
        out = []
        for x in fl:
            alts = []
            for a in x.split(';'):
                assert a.startswith(lead), (inf, t, a)
                alts.append(a[len(lead):])
            out.append(';'.join(alts))
        fo[t] = out
        if not allirr and t in reg:
            regd[t] = [';'.join(a[len(lead):] for a in x.split(';')) for x in reg[t]]
    assert part.startswith(lead)
    sv = '#q>[Z](%s:%s*)' % (stem, part[len(lead):])
    sv += '/#a>10' if etre else '/#a>0'
    irregular(L, num, comment or inf, {'er': 1, 'ir': 2, 're': 3}[conj], stem, regd, fo,
              rules, sv)
    CONJ_OF[num] = conj
    ITEMS.append((inf, num, etre))
    return num


verb('être', 're', 'êt', '', ['êt(re:)'], 'été', allirr=True,
     pres='suis es est sommes êtes sont', impf='ét', fut='ser', ps=('f', 'u'),
     subj='sois sois soit soyons soyez soient', imp='sois soyons soyez', ppr='étant')
verb('avoir', 're', 'av', '', ['av(oir:)'], 'eu', allirr=True,
     pres='ai as a avons avez ont', fut='aur', ps=('e', 'u'),
     subj='aie aies ait ayons ayez aient', imp='aie ayons ayez', ppr='ayant')
verb('aller', 'er', 'all', '', ['all(er:)'], 'allé', etre=True,
     pres='vais vas va allons allez vont', fut='ir',
     subj='aille ailles aille allions alliez aillent', imp='va allons allez')
verb('envoyer', 'er', 'envoy', '', ['[Z]envoy(er:)'], 'envoyé',
     pres='envoie envoies envoie envoyons envoyez envoient', fut='enverr')
verb('faire', 're', 'f', '', ['[Z]f(aire:)'], 'fait', allirr=True,
     pres='fais fais fait faisons faites font', fut='fer', ps=('f', 'i'),
     subj='fasse fasses fasse fassions fassiez fassent', impf='fais')
verb('dire', 're', 'd', '', ['d(ire:)', 'red(ire:)'], 'dit', allirr=True,
     pres='dis dis dit disons dites disent', fut='dir', ps=('d', 'i'), impf='dis')
verb('interdire', 're', 'd', 'inter', ['interd(ire:)', 'contred(ire:)', 'préd(ire:)',
                                       'méd(ire:)', 'déd(ire:)'], 'interdit', allirr=True,
     comment='compounds of dire (interdire, prédire)',
     pres='interdis interdis interdit interdisons interdisez interdisent', fut='interdir',
     ps=('interd', 'i'), impf='interdis')
verb('pouvoir', 're', 'pouv', '', ['pouv(oir:)'], 'pu', allirr=True,
     pres='peux;puis peux peut pouvons pouvez peuvent', fut='pourr', ps=('p', 'u'),
     subj='puisse puisses puisse puissions puissiez puissent', imp='- - -')
verb('vouloir', 're', 'voul', '', ['voul(oir:)'], 'voulu', allirr=True,
     pres='veux veux veut voulons voulez veulent', fut='voudr', ps=('voul', 'u'),
     subj='veuille veuilles veuille voulions vouliez veuillent',
     imp='veux;veuille voulons;veuillons voulez;veuillez')
verb('savoir', 're', 'sav', '', ['sav(oir:)'], 'su', allirr=True,
     pres='sais sais sait savons savez savent', fut='saur', ps=('s', 'u'),
     subj='sache saches sache sachions sachiez sachent', imp='sache sachons sachez',
     ppr='sachant')
verb('devoir', 're', 'dev', '', ['[Z]dev(oir:)'], 'dû', allirr=True,
     pres='dois dois doit devons devez doivent', fut='devr', ps=('d', 'u'),
     subj='doive doives doive devions deviez doivent', imp='dois devons devez')
verb('voir', 're', 'v', '', ['v(oir:)', 'rev(oir:)', 'entrev(oir:)'], 'vu', allirr=True,
     pres='vois vois voit voyons voyez voient', fut='verr', ps=('v', 'i'),
     subj='voie voies voie voyions voyiez voient')
verb('prévoir', 're', 'v', 'pré', ['[Z]prév(oir:)'], 'prévu', allirr=True,
     pres='prévois prévois prévoit prévoyons prévoyez prévoient', fut='prévoir',
     ps=('prév', 'i'), subj='prévoie prévoies prévoie prévoyions prévoyiez prévoient')
verb('valoir', 're', 'val', '', ['[Z]val(oir:)'], 'valu', allirr=True,
     pres='vaux vaux vaut valons valez valent', fut='vaudr', ps=('val', 'u'),
     subj='vaille vailles vaille valions valiez vaillent')
verb('falloir', 're', 'fall', '', ['fall(oir:)'], 'fallu', allirr=True,
     pres='- - faut - - -', fut='faudr', ps=('fall', 'u'), subj='- - faille - - -',
     imp='- - -', impf='fall')
verb('pleuvoir', 're', 'pleuv', '', ['pleuv(oir:)'], 'plu', allirr=True,
     pres='- - pleut - - pleuvent', fut='pleuvr', ps=('pl', 'u'), subj='- - pleuve - - pleuvent',
     imp='- - -', impf='pleuv')
verb('asseoir', 're', 'ass', '', ['[Z]ass(eoir:)'], 'assis', allirr=True,
     pres='assieds;assois assieds;assois assied;assoit asseyons;assoyons asseyez;assoyez '
          'asseyent;assoient', impf='assey;assoy', fut='assiér;assoir', ps=('ass', 'i'),
     subj='asseye;assoie asseyes;assoies asseye;assoie asseyions;assoyions asseyiez;assoyiez '
          'asseyent;assoient', ppr='asseyant;assoyant', imp='assieds;assois asseyons;assoyons '
                                                         'asseyez;assoyez')
verb('mouvoir', 're', 'mouv', '', ['[Z]mouv(oir:)'], 'mu', allirr=True,
     pres='meus meus meut mouvons mouvez meuvent', fut='mouvr', ps=('m', 'u'),
     subj='meuve meuves meuve mouvions mouviez meuvent')
verb('courir', 'ir', 'cour', '', ['[Z]cour(ir:)'], 'couru', allirr=True,
     pres='cours cours court courons courez courent', fut='courr', ps=('cour', 'u'))
verb('mourir', 'ir', 'mour', '', ['mour(ir:)'], 'mort', etre=True, allirr=True,
     pres='meurs meurs meurt mourons mourez meurent', fut='mourr', ps=('mour', 'u'))
verb('cueillir', 'ir', 'cueill', '', ['[Z]cueill(ir:)'], 'cueilli', allirr=True,
     pres='cueille cueilles cueille cueillons cueillez cueillent', fut='cueiller',
     ps=('cueill', 'i'))
verb('fuir', 'ir', 'fu', '', ['[Z]fu(ir:)'], 'fui', allirr=True,
     pres='fuis fuis fuit fuyons fuyez fuient', fut='fuir', ps=('fu', 'i'),
     subj='fuie fuies fuie fuyions fuyiez fuient')
verb('acquérir', 'ir', 'quér', 'ac', ['[Z]quér(ir:)'], 'acquis', allirr=True,
     pres='acquiers acquiers acquiert acquérons acquérez acquièrent', fut='acquerr',
     ps=('acqu', 'i'), subj='acquière acquières acquière acquérions acquériez acquièrent')
verb('bouillir', 'ir', 'bouill', '', ['[Z]bouill(ir:)'], 'bouilli', allirr=True,
     pres='bous bous bout bouillons bouillez bouillent', fut='bouillir', ps=('bouill', 'i'))
verb('vêtir', 'ir', 'vêt', '', ['[Z]vêt(ir:)'], 'vêtu', allirr=True,
     pres='vêts vêts vêt vêtons vêtez vêtent', fut='vêtir', ps=('vêt', 'i'))
verb('haïr', 'ir', 'ha', '', ['ha(ïr:)'], 'haï', allirr=True,
     pres='hais hais hait haïssons haïssez haïssent', fut='haïr', ps=('ha', 'ï'))
verb('suivre', 're', 'suiv', '', ['[Z]suiv(re:)'], 'suivi', pres='suis suis suit suivons suivez suivent',
     ps=('suiv', 'i'))
verb('vivre', 're', 'viv', '', ['[Z]viv(re:)'], 'vécu', pres='vis vis vit vivons vivez vivent',
     ps=('véc', 'u'))
verb('vaincre', 're', 'vainc', '', ['[Z]vainc(re:)'], 'vaincu',
     pres='vaincs vaincs vainc vainquons vainquez vainquent', ps=('vainqu', 'i'))
verb('rompre', 're', 'romp', '', ['[Z]romp(re:)'], 'rompu',
     pres='romps romps rompt rompons rompez rompent')
verb('lire', 're', 'l', '', ['[Z]l(ire:)'], 'lu', allirr=True,
     pres='lis lis lit lisons lisez lisent', fut='lir', ps=('l', 'u'), impf='lis')
verb('croire', 're', 'cr', '', ['cr(oire:)'], 'cru', allirr=True,
     pres='crois crois croit croyons croyez croient', fut='croir', ps=('cr', 'u'),
     subj='croie croies croie croyions croyiez croient')
verb('boire', 're', 'b', '', ['[Z]b(oire:)'], 'bu', allirr=True,
     pres='bois bois boit buvons buvez boivent', fut='boir', ps=('b', 'u'))
verb('plaire', 're', 'pl', '', ['[Z]pl(aire:)'], 'plu', allirr=True,
     pres='plais plais plaît plaisons plaisez plaisent', fut='plair', ps=('pl', 'u'))
verb('taire', 're', 't', '', ['t(aire:)'], 'tu', allirr=True,
     pres='tais tais tait taisons taisez taisent', fut='tair', ps=('t', 'u'))
verb('naître', 're', 'n', '', ['n(aître:)', 'ren(aître:)'], 'né', etre=True, allirr=True,
     pres='nais nais naît naissons naissez naissent', fut='naîtr', ps=('naqu', 'i'))
verb('croître', 're', 'cr', '', ['[Z]cr(oître:)'], 'crû', allirr=True,
     pres='croîs croîs croît croissons croissez croissent', fut='croîtr', ps=('cr', 'û'))
verb('rire', 're', 'r', '', ['r(ire:)', 'sour(ire:)'], 'ri', allirr=True,
     pres='ris ris rit rions riez rient', fut='rir', ps=('r', 'i'), impf='ri')
verb('suffire', 're', 'suff', '', ['[Z]suff(ire:)'], 'suffi', allirr=True,
     pres='suffis suffis suffit suffisons suffisez suffisent', fut='suffir', ps=('suff', 'i'))
verb('conclure', 're', 'clu', 'con', ['[Z]clu(re:)'], 'conclu', allirr=True,
     pres='conclus conclus conclut concluons concluez concluent', fut='conclur',
     ps=('concl', 'u'))
verb('résoudre', 're', 'sou', 'ré', ['[Z]résou(dre:)'], 'résolu', allirr=True,
     pres='résous résous résout résolvons résolvez résolvent', fut='résoudr', ps=('résol', 'u'))
verb('coudre', 're', 'cou', '', ['[Z]cou(dre:)'], 'cousu', allirr=True,
     pres='couds couds coud cousons cousez cousent', fut='coudr', ps=('cous', 'i'))
verb('moudre', 're', 'mou', '', ['[Z]mou(dre:)'], 'moulu', allirr=True,
     pres='mouds mouds moud moulons moulez moulent', fut='moudr', ps=('moul', 'u'))
verb('distraire', 're', 'tr', 'dis', ['[Z]tr(aire:)'], 'distrait', allirr=True,
     comment='-traire (distraire, extraire, soustraire)',
     pres='distrais distrais distrait distrayons distrayez distraient', fut='distrair',
     ps=('distray', 'a'), subj='distraie distraies distraie distrayions distrayiez distraient')
verb('nuire', 're', 'nu', '', ['[Z]nu(ire:)', '[Z]lu(ire:)'], 'nui', allirr=True,
     pres='nuis nuis nuit nuisons nuisez nuisent', fut='nuir', ps=('nuis', 'i'))
verb('cuire', 're', 'cu', '', ['[Z]cu(ire:)'], 'cuit', allirr=True,
     pres='cuis cuis cuit cuisons cuisez cuisent', fut='cuir', ps=('cuis', 'i'))

# ---- check rules ----
L.rules, irr_rules = [], L.rules
L.rule('*', setvariable='#j>je/#a>0', comment='je before a consonant, avoir unless said')
L.rule('[V]*', setvariable="#j>j'", comment="j' before a vowel or a mute h")
L.rules += irr_rules
for (num, name, table, part, rules) in FAMILIES:
    family(num, name, table, part, rules)
for fam_ in ('part', 'repart', 'sort', 'ressort', 'dorm', 'endorm', 'rendorm', 'sent',
             'ressent', 'consent', 'pressent', 'serv', 'desserv', 'ment', 'dément'):
    L.rule('%s(ir:)' % fam_, resulttype=20, replace=1, setvariable='#q>*(:i)')
L.rule('*c(er:)', resulttype=4, replace=1, setvariable=PARTQ['er'])
L.rule('*é[K](ger:g)', resulttype=13, replace=1, setvariable=PARTQ['er'],
       comment='protéger, abréger: è before a mute e and ge before a and o')
L.rule('*g(er:)', resulttype=5, replace=1, setvariable=PARTQ['er'])
L.rule('*oy(er:)', resulttype=6, replace=1, setvariable=PARTQ['er'])
L.rule('*uy(er:)', resulttype=6, replace=1, setvariable=PARTQ['er'])
L.rule('*ay(er:)', resulttype=7, replace=1, setvariable=PARTQ['er'])
L.rule('*el(er:)', resulttype=10, replace=1, setvariable=PARTQ['er'],
       comment='appeler; the verbs with è (geler, peler) are in the dictionary')
L.rule('*et(er:)', resulttype=11, replace=1, setvariable=PARTQ['er'],
       comment='jeter; the verbs with è (acheter) are in the dictionary')
L.rule('*e[C1](er:)', resulttype=8, replace=1, setvariable=PARTQ['er'])
L.rule('*é[KS](er:)', resulttype=9, replace=1, setvariable=PARTQ['er'])
L.rule('*(er:)', resulttype=1, replace=1, setvariable=PARTQ['er'])
L.rule('*(ir:)', resulttype=2, replace=1, setvariable=PARTQ['ir'])
L.rule('*(ïr:)', resulttype=2, replace=1, setvariable=PARTQ['ir'])
L.rule('*(re:)', resulttype=3, replace=1, setvariable=PARTQ['re'])
L.rule('*(er:)', resulttype=8, replace=1, setvariable=PARTQ['er'])
L.rule('*(er:)', resulttype=12, replace=1, setvariable=PARTQ['er'])
L.rule('*(ir:)', resulttype=20, replace=1, setvariable='#q>*(:i)')

# ---- dictionary ----
REG = {
    1: 'parler aimer chanter danser donner écouter étudier fermer habiter jouer laver '
       'marcher montrer oublier penser porter regarder rester tomber travailler trouver '
       'arriver entrer passer monter rentrer retourner demander chercher continuer créer '
       'décider expliquer garder gagner laisser lancer présenter raconter sembler tirer '
       'tourner accepter aider ajouter apporter arrêter cacher coûter crier dessiner '
       'deviner durer éviter exister fumer goûter hésiter importer inviter louer '
       'mériter nager offenser pleurer prier quitter refuser remercier réparer respirer '
       'rêver saluer sauter signer tuer voler couper compter copier',
    2: 'finir choisir réussir remplir grandir rougir obéir réfléchir agir bâtir établir '
       'punir saisir nourrir guérir vieillir maigrir grossir applaudir accomplir avertir '
       'fournir jaillir ralentir unir',
    3: 'vendre attendre répondre entendre perdre rendre descendre défendre dépendre '
       'fondre mordre pendre tendre tordre correspondre répandre prétendre confondre '
       'suspendre',
    4: 'commencer lancer placer avancer annoncer effacer menacer prononcer remplacer renoncer',
    5: 'manger changer nager partager voyager bouger corriger diriger exiger juger loger '
       'mélanger ranger obliger plonger protéger',
    6: 'nettoyer employer envoyer noyer tutoyer essuyer ennuyer appuyer',
    7: 'payer essayer effrayer balayer',
    8: 'acheter mener lever amener emmener promener élever enlever geler peler peser semer '
       'congeler dégeler modeler harceler racheter soulever crever achever déceler receler '
       'ciseler démanteler écarteler marteler',
    9: 'préférer espérer répéter céder posséder considérer compléter célébrer exagérer '
       'gérer inquiéter pénétrer refléter régler révéler sécher suggérer tolérer',
    13: 'protéger abréger alléger assiéger piéger',
    10: 'appeler rappeler épeler renouveler ficeler',
    11: 'jeter rejeter projeter feuilleter',
    12: 'dépecer rapiécer',
    20: 'partir sortir dormir sentir servir mentir repartir ressentir consentir',
    21: 'ouvrir couvrir offrir souffrir découvrir',
    22: 'peindre craindre joindre plaindre éteindre atteindre rejoindre contraindre',
    23: 'conduire construire produire réduire traduire détruire introduire instruire séduire',
    24: 'connaître paraître apparaître disparaître reconnaître',
    25: 'recevoir apercevoir décevoir concevoir percevoir',
    26: 'prendre apprendre comprendre surprendre reprendre entreprendre',
    27: 'mettre permettre promettre admettre commettre remettre soumettre transmettre',
    28: 'battre combattre débattre abattre',
    29: 'écrire décrire inscrire prescrire souscrire transcrire',
    30: 'venir tenir devenir revenir souvenir appartenir contenir obtenir retenir soutenir '
        'maintenir prévenir parvenir intervenir convenir',
}
ETRE = {'arriver', 'entrer', 'rester', 'tomber', 'rentrer', 'retourner', 'partir', 'sortir',
        'venir', 'devenir', 'revenir', 'parvenir', 'intervenir', 'naître', 'mourir', 'aller',
        'repartir'}
ASPIRATED = {'haïr'}
seen, words = set(), []
for num, ws in REG.items():
    for w in ws.split():
        if w not in seen:
            seen.add(w)
            words.append((w, num, w in ETRE))
for w, num, etre in ITEMS:
    if w not in seen:
        seen.add(w)
        words.append((w, num, etre))
IRR_OF = {w: n for (w, n, e) in ITEMS}
for w, base, etre in [('refaire', 'faire', False), ('défaire', 'faire', False),
                      ('satisfaire', 'faire', False), ('poursuivre', 'suivre', False),
                      ('survivre', 'vivre', False), ('convaincre', 'vaincre', False),
                      ('relire', 'lire', False), ('élire', 'lire', False),
                      ('déplaire', 'plaire', False), ('sourire', 'rire', False),
                      ('exclure', 'conclure', False), ('inclure', 'conclure', False),
                      ('parcourir', 'courir', False), ('secourir', 'courir', False),
                      ('accourir', 'courir', False), ('recueillir', 'cueillir', False),
                      ('accueillir', 'cueillir', False), ('conquérir', 'acquérir', False),
                      ('extraire', 'distraire', False), ('soustraire', 'distraire', False),
                      ('émouvoir', 'mouvoir', False), ('promouvoir', 'mouvoir', False),
                      ('revoir', 'voir', False), ('renvoyer', 'envoyer', False),
                      ('redire', 'dire', False), ('prédire', 'interdire', False),
                      ('interrompre', 'rompre', False), ('corrompre', 'rompre', False)]:
    if w in seen:
        continue
    seen.add(w)
    words.append((w, IRR_OF[base], etre))
# Homonyms: "ressortir" (to go out again) follows sortir and takes être; "ressortir" (to fall
# within, to be the concern of) follows finir.
words = [x for x in words if x[0] != 'ressortir']
words.append(('ressortir', 20, True, 'sortir de nouveau'))
words.append(('ressortir', 2, False, 'être du ressort de'))
words = [x if len(x) == 4 else x + (None,) for x in words]
for w, num, etre, context in sorted(words, key=lambda x: (x[0], x[1])):
    sv = []
    if etre:
        sv.append('#a>10')
    if w in ASPIRATED:
        sv.append('#j>je')
    kw = {}
    if sv:
        kw['setvariable'] = '/'.join(sv)
    if context:
        kw['context'] = context
    L.item(w, num, **kw)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
