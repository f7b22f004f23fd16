"""Italian verbs: -are, -ere, -ire and -ire with -isc-, spelling classes, irregular verbs as
patterns inheriting the regular ones. The auxiliary of the compound tenses comes from the group
"ausiliari" through the variable #a (0 for avere, 10 for essere), and a participle after
essere agrees in number through the group "desinenze"."""
import sys
from langgen import Language, irregular, slot_mask

L = Language('Italian')
L.info = dict(
    code='ita', family='Indo-European, Romance',
    speakers=(64000000, 68000000),
    countries=['Italy', 'Switzerland', 'San Marino', 'Vatican City', 'Slovenia', 'Croatia'],
    summary='Italian verbs belong to three conjugations, -are, -ere and -ire; most -ire verbs '
            'insert -isc- in the stressed forms of the present. Many -ere verbs have a strong '
            'passato remoto (presi, prese, presero) and an irregular participle. Compound tenses '
            'take avere or, with verbs of motion and change of state, essere, after which the '
            'participle agrees with the subject.',
    books=[dict(title='A Reference Grammar of Modern Italian', author='Martin Maiden; Cecilia Robustelli',
                publisher='Routledge', edition=2, printplace='London', printyear=2007,
                id='9780340913390'),
           dict(title='Grammatica italiana', author='Luca Serianni', publisher='UTET',
                edition=1, printplace='Torino', printyear=1989, id='9788877501394')],
    created='1.12.2026', status=(100, 'Complete'))

PR = ['io', 'tu', 'lui', 'noi', 'voi', 'loro']
IMP = ['tu', 'lui', 'noi', 'voi', 'loro']
L.heading('Indicativo')
L.tense(1, 'Presente', 6, 1, PR)
L.tense(2, 'Imperfetto', 6, 1, PR)
L.tense(3, 'Passato remoto', 6, 1, PR)
L.tense(4, 'Futuro semplice', 6, 1, PR)
L.tense(5, 'Passato prossimo', 6, 1, PR)
L.tense(6, 'Trapassato prossimo', 6, 1, PR)
L.tense(7, 'Trapassato remoto', 6, 1, PR)
L.tense(8, 'Futuro anteriore', 6, 1, PR)
L.heading('Congiuntivo')
L.tense(9, 'Presente', 6, 1, PR)
L.tense(10, 'Imperfetto', 6, 1, PR)
L.tense(11, 'Passato', 6, 1, PR)
L.tense(12, 'Trapassato', 6, 1, PR)
L.heading('Condizionale')
L.tense(13, 'Presente', 6, 1, PR)
L.tense(14, 'Passato', 6, 1, PR)
L.heading('Imperativo')
L.tense(15, 'Presente', 5, 1, IMP)
L.heading('Infinito')
L.tense(16, 'Presente', 1, 1, [''])
L.heading('Participio')
L.tense(17, 'Presente', 1, 1, [''])
L.tense(18, 'Passato', 1, 1, [''])
L.heading('Gerundio')
L.tense(19, 'Presente', 1, 1, [''])

L.groups = [('[Z]', '*,(:)'), ('[V]', 'a,e,i,o,u')]

E = {
    'are': {1: 'o i a iamo ate ano', 2: 'avo avi ava avamo avate avano',
            3: 'ai asti ò ammo aste arono', 4: 'erò erai erà eremo erete eranno',
            9: 'i i i iamo iate ino', 10: 'assi assi asse assimo aste assero',
            13: 'erei eresti erebbe eremmo ereste erebbero', 15: 'a i iamo ate ino',
            17: 'ante', 19: 'ando'},
    'ere': {1: 'o i e iamo ete ono', 2: 'evo evi eva evamo evate evano',
            3: 'ei;etti esti é;ette emmo este erono;ettero', 4: 'erò erai erà eremo erete eranno',
            9: 'a a a iamo iate ano', 10: 'essi essi esse essimo este essero',
            13: 'erei eresti erebbe eremmo ereste erebbero', 15: 'i a iamo ete ano',
            17: 'ente', 19: 'endo'},
    'ire': {1: 'o i e iamo ite ono', 2: 'ivo ivi iva ivamo ivate ivano',
            3: 'ii isti ì immo iste irono', 4: 'irò irai irà iremo irete iranno',
            9: 'a a a iamo iate ano', 10: 'issi issi isse issimo iste issero',
            13: 'irei iresti irebbe iremmo ireste irebbero', 15: 'i a iamo ite ano',
            17: 'ente', 19: 'endo'},
}
E = {c: {t: v.split() for t, v in d.items()} for c, d in E.items()}
E['isc'] = dict(E['ire'])
E['isc'][1] = 'isco isci isce iamo ite iscono'.split()
E['isc'][9] = 'isca isca isca iamo iate iscano'.split()
E['isc'][15] = 'isci isca iamo ite iscano'.split()
INF = {'are': 'are', 'ere': 'ere', 'ire': 'ire', 'isc': 'ire'}
PARTQ = {'are': '#q>*(:at)', 'ere': '#q>*(:ut)', 'ire': '#q>*(:it)', 'isc': '#q>*(:it)'}

AUX = {  # tense -> (avere forms, essere forms)
    5: ('ho hai ha abbiamo avete hanno', 'sono sei è siamo siete sono'),
    6: ('avevo avevi aveva avevamo avevate avevano', 'ero eri era eravamo eravate erano'),
    7: ('ebbi avesti ebbe avemmo aveste ebbero', 'fui fosti fu fummo foste furono'),
    8: ('avrò avrai avrà avremo avrete avranno', 'sarò sarai sarà saremo sarete saranno'),
    11: ('abbia abbia abbia abbiamo abbiate abbiano', 'sia sia sia siamo siate siano'),
    12: ('avessi avessi avesse avessimo aveste avessero',
         'fossi fossi fosse fossimo foste fossero'),
    14: ('avrei avresti avrebbe avremmo avreste avrebbero',
         'sarei saresti sarebbe saremmo sareste sarebbero'),
}
aux_items = []
for t, (av, es) in AUX.items():
    for s, f in enumerate(av.split(), 1):
        aux_items.append((s, t, f))
    for s, f in enumerate(es.split(), 1):
        aux_items.append((10 + s, t, f))
ends = [(s, 1, 'o') for s in range(1, 7)] + [(10 + s, 1, 'o' if s <= 3 else 'i')
                                              for s in range(1, 7)]
L.extra_groups = [('ausiliari', 'Auxiliary forms of the compound tenses', aux_items),
                  ('desinenze', 'Endings of the participle in compound tenses', ends)]


def regular(p, conj):
    for t, endl in E[conj].items():
        L.simple(p, t, endl)
    L.with_transducer(p, 16, None, '*', command='transducer')
    L.with_transducer(p, 18, None, '#q', after=['o'])
    for t in AUX:
        L.with_transducer(p, t, ['%%ausiliari(i+#a,%d)%% ' % t] * 6, '#q',
                          after=['%desinenze(i+#a,1)%'] * 6)


CONJ_OF = {}
for num, conj, name in ((1, 'are', 'first conjugation (parlare)'),
                        (2, 'ere', 'second conjugation (credere)'),
                        (3, 'ire', 'third conjugation (dormire)'),
                        (4, 'isc', 'third conjugation with -isc- (finire)')):
    regular(L.pattern(num, name), conj)
    CONJ_OF[num] = conj


def class_pattern(num, name, conj, change):
    p = L.pattern(num, name, inherits={'are': 1, 'ere': 2, 'ire': 3, 'isc': 4}[conj])
    CONJ_OF[num] = conj
    for t, endl in E[conj].items():
        for s, e in enumerate(endl, 1):
            alts = e.split(';')
            r = [change(t, s, a) for a in alts]
            if all(x is None for x in r):
                continue
            L.override(p, t, s, [x or '*(:%s)' % a for x, a in zip(r, alts)])
    return p


class_pattern(5, '-care, -gare: h before e and i (cercare, pagare)', 'are',
              lambda t, s, e: '*(:h%s+)' % e if e[0] in 'ei' else None)
class_pattern(6, '-ciare, -giare, -sciare: no i before e and i (mangiare, cominciare)', 'are',
              lambda t, s, e: '*(i:%s+)' % e if e[0] in 'ei' else None)
class_pattern(7, '-iare with stressed i (inviare)', 'are',
              lambda t, s, e: '*(i:%s+)' % e if e.startswith(('iamo', 'iate')) else None)
class_pattern(8, 'other -iare: one i before i (studiare, sbagliare)', 'are',
              lambda t, s, e: '*(i:%s+)' % e if e[0] == 'i' else None)


# ---- irregular verbs ----
def alt(stem, e):
    return ';'.join(stem + a for a in e.split(';'))


def forms_of(inf, conj, stem, pres=None, impf=None, rem=None, remote=None, fut=None, subj=None,
             cong=None, imp_tu=None, imp=None, ger=None, impf_forms=None):
    c = 'ire' if conj == 'isc' else conj
    f = {t: [alt(stem, e) for e in endl] for t, endl in E[conj].items()}
    if impf:
        i = impf[:-2]  # face(vo)
        f[2] = [i + e for e in 'vo vi va vamo vate vano'.split()]
        f[3] = [i + 'i', i + 'sti', i + 'e', i + 'mmo', i + 'ste', i + 'rono']
        f[10] = [i + e for e in 'ssi ssi sse ssimo ste ssero'.split()]
        f[19] = [i + 'ndo']
    if impf_forms:
        f[2] = impf_forms.split()
    if pres:
        f[1] = pres.split()
    if rem:
        i = f[2][0][:-2]
        f[3] = [rem + 'i', i + 'sti', rem + 'e', i + 'mmo', i + 'ste', rem + 'ero']
    if remote:
        f[3] = remote.split()
    if fut:
        f[4] = [fut + e for e in 'ò ai à emo ete anno'.split()]
        f[13] = [fut + e for e in 'ei esti ebbe emmo este ebbero'.split()]
    if pres and not subj:
        p1 = f[1][0].split(';')[0]
        b = p1[:-1]
        noi = f[1][3]
        f[9] = [b + 'a', b + 'a', b + 'a', noi, noi[:-2] + 'te', b + 'ano']
    if subj:
        f[9] = subj.split()
    if cong:
        f[10] = cong.split()
    sj = f[9]
    if pres:
        f[15] = [imp_tu or f[1][1], sj[2], f[1][3], f[1][4], sj[5]]
    if imp:
        f[15] = imp.split() if isinstance(imp, str) else imp
    if ger:
        f[19] = [ger]
    return f


IRR = 20
ITEMS = []


def verb(inf, conj, stem, lead, rules, part=None, essere=False, allirr=False, comment=None,
         **kw):
    global IRR
    num = IRR
    IRR += 1
    regstem = inf[:-3] if not inf.endswith('rre') else inf[:-2]
    base = lead + stem
    reg = {t: [alt(regstem, e) for e in endl] for t, endl in E[conj].items()}
    full = forms_of(inf, conj, regstem, **kw)
    forms, regd = {}, {}
    for t, fl in full.items():
        out = []
        for x in fl:
            alts = []
            for a in x.split(';'):
                assert a.startswith(lead), (inf, t, a)
                alts.append(a[len(lead):])
            out.append(';'.join(alts))
        forms[t] = out
        if not allirr:
            regd[t] = [';'.join(a[len(lead):] for a in x.split(';')) for x in reg[t]]
    if part:
        assert part.startswith(lead) and part.endswith('o')
        sv = '#q>[Z](%s:%s*)' % (stem, part[len(lead):-1])
    else:
        sv = PARTQ[conj]
    sv += '/#a>10' if essere else '/#a>0'
    irregular(L, num, comment or inf, {'are': 1, 'ere': 2, 'ire': 3, 'isc': 4}[conj], stem,
              regd, forms, rules, sv)
    CONJ_OF[num] = conj
    ITEMS.append((inf, num, essere))
    return num


verb('essere', 'ere', 'ess', '', ['ess(ere:)'], part='stato', essere=True, allirr=True,
     pres='sono sei è siamo siete sono', impf_forms='ero eri era eravamo eravate erano',
     remote='fui fosti fu fummo foste furono',
     fut='sar', subj='sia sia sia siamo siate siano', cong='fossi fossi fosse fossimo foste fossero',
     imp='sii sia siamo siate siano', ger='essendo')
verb('avere', 'ere', 'av', '', ['av(ere:)'], part='avuto',
     pres='ho hai ha abbiamo avete hanno', rem='ebb', fut='avr',
     subj='abbia abbia abbia abbiamo abbiate abbiano', imp='abbi abbia abbiamo abbiate abbiano')
verb('andare', 'are', 'and', '', ['and(are:)'], essere=True,
     pres='vado vai va andiamo andate vanno', fut='andr', imp_tu="va';vai")
verb('fare', 'are', 'f', '', ['f(are:)', 'rif(are:)', 'disf(are:)', 'soddisf(are:)',
                              'contraff(are:)', 'sopraff(are:)', 'assuef(are:)'],
     part='fatto', allirr=True,
     pres='faccio fai fa facciamo fate fanno', impf='facevo', rem='fec', fut='far',
     imp_tu="fa';fai")
verb('dare', 'are', 'd', '', ['d(are:)'],
     pres='do dai dà diamo date danno', remote='diedi;detti desti diede;dette demmo deste diedero;dettero',
     fut='dar', subj='dia dia dia diamo diate diano', cong='dessi dessi desse dessimo deste dessero',
     imp_tu="da';dai")
verb('stare', 'are', 'st', '', ['st(are:)'], essere=True,
     pres='sto stai sta stiamo state stanno',
     remote='stetti stesti stette stemmo steste stettero', fut='star',
     subj='stia stia stia stiamo stiate stiano', cong='stessi stessi stesse stessimo steste stessero',
     imp_tu="sta';stai")
verb('dire', 'ire', 'd', '', ['d(ire:)'], part='detto', allirr=True,
     pres='dico dici dice diciamo dite dicono', impf='dicevo', rem='diss', fut='dir',
     imp_tu="di'")
verb('disdire', 'ire', 'd', 'dis', ['contradd(ire:)', 'pred(ire:)', 'disd(ire:)',
                                    '[Z]maled(ire:)', 'bened(ire:)', 'interd(ire:)'],
     comment='compounds of dire (disdire, predire, maledire)', part='disdetto', allirr=True,
     pres='disdico disdici disdice disdiciamo disdite disdicono', impf='disdicevo',
     rem='disdiss', fut='disdir')
verb('bere', 'ere', 'b', '', ['b(ere:)'], part='bevuto', allirr=True,
     pres='bevo bevi beve beviamo bevete bevono', impf='bevevo', rem='bevv', fut='berr')
verb('dovere', 'ere', 'dov', '', ['dov(ere:)'],
     pres='devo;debbo devi deve dobbiamo dovete devono;debbono', fut='dovr',
     subj='debba debba debba dobbiamo dobbiate debbano', imp=['', '', '', '', ''])
verb('potere', 'ere', 'pot', '', ['pot(ere:)'],
     pres='posso puoi può possiamo potete possono', fut='potr', imp=['', '', '', '', ''])
verb('volere', 'ere', 'vol', '', ['vol(ere:)'],
     pres='voglio vuoi vuole vogliamo volete vogliono', rem='voll', fut='vorr',
     imp='vogli voglia vogliamo vogliate vogliano')
verb('sapere', 'ere', 'sap', '', ['[Z]sap(ere:)'],
     pres='so sai sa sappiamo sapete sanno', rem='sepp', fut='sapr',
     subj='sappia sappia sappia sappiamo sappiate sappiano',
     imp='sappi sappia sappiamo sappiate sappiano')
verb('tenere', 'ere', 'ten', '', ['[Z]ten(ere:)'],
     pres='tengo tieni tiene teniamo tenete tengono', rem='tenn', fut='terr')
verb('venire', 'ire', 'ven', '', ['[Z]ven(ire:)'], essere=True, part='venuto',
     pres='vengo vieni viene veniamo venite vengono', rem='venn', fut='verr')
verb('rimanere', 'ere', 'riman', '', ['riman(ere:)'], part='rimasto', essere=True,
     pres='rimango rimani rimane rimaniamo rimanete rimangono', rem='rimas', fut='rimarr')
verb('valere', 'ere', 'val', '', ['[Z]val(ere:)'], part='valso', essere=True,
     pres='valgo vali vale valiamo valete valgono', rem='vals', fut='varr')
verb('parere', 'ere', 'par', '', ['par(ere:)'], part='parso', essere=True,
     pres='paio pari pare paiamo parete paiono', rem='parv', fut='parr')
verb('dolere', 'ere', 'dol', '', ['[Z]dol(ere:)'], essere=True,
     pres='dolgo duoli duole doliamo dolete dolgono', rem='dols', fut='dorr')
verb('sedere', 'ere', 'sed', '', ['[Z]sed(ere:)'],
     pres='siedo siedi siede sediamo sedete siedono',
     subj='sieda sieda sieda sediamo sediate siedano')
for inf, lead in (('piacere', 'p'), ('giacere', 'g')):
    verb(inf, 'ere', 'iac', lead, ['[Z]%siac(ere:)' % lead], part=lead + 'iaciuto',
         essere=(inf == 'piacere'),
         pres=' '.join(lead + x for x in 'iaccio iaci iace iacciamo iacete iacciono'.split()),
         rem=lead + 'iacqu')
verb('tacere', 'ere', 'tac', '', ['[Z]tac(ere:)'], part='taciuto',
     pres='taccio taci tace tacciamo tacete tacciono', rem='tacqu')
verb('nascere', 'ere', 'nasc', '', ['[Z]nasc(ere:)'], part='nato', essere=True, rem='nacqu')
verb('crescere', 'ere', 'cresc', '', ['[Z]cresc(ere:)'], part='cresciuto', essere=True,
     rem='crebb')
verb('conoscere', 'ere', 'conosc', '', ['[Z]conosc(ere:)'], part='conosciuto', rem='conobb')
verb('cadere', 'ere', 'cad', '', ['[Z]cad(ere:)'], essere=True, rem='cadd', fut='cadr')
verb('vedere', 'ere', 'ved', '', ['[Z]ved(ere:)'], part='visto', rem='vid', fut='vedr')
verb('vivere', 'ere', 'viv', '', ['[Z]viv(ere:)'], part='vissuto', rem='viss', fut='vivr')
verb('porre', 'ere', 'por', '', ['[Z]por(re:)'], part='posto', allirr=True,
     pres='pongo poni pone poniamo ponete pongono', impf='ponevo', rem='pos', fut='porr')
verb('trarre', 'ere', 'trar', '', ['[Z]trar(re:)'], part='tratto', allirr=True,
     pres='traggo trai trae traiamo traete traggono', impf='traevo', rem='trass', fut='trarr')
verb('condurre', 'ere', 'dur', 'con', ['[Z]dur(re:)'], part='condotto', allirr=True,
     comment='-durre (condurre, produrre, tradurre)',
     pres='conduco conduci conduce conduciamo conducete conducono', impf='conducevo',
     rem='conduss', fut='condurr')
verb('uscire', 'ire', 'usc', '', ['[Z]usc(ire:)'], essere=True,
     pres='esco esci esce usciamo uscite escono')
verb('morire', 'ire', 'mor', '', ['mor(ire:)'], part='morto', essere=True,
     pres='muoio muori muore moriamo morite muoiono', fut='morr')
verb('salire', 'ire', 'sal', '', ['[Z]sal(ire:)'], essere=True,
     pres='salgo sali sale saliamo salite salgono')
verb('apparire', 'ire', 'par', 'ap', ['[Z]par(ire:)'], part='apparso', essere=True,
     comment='apparire, comparire, scomparire',
     pres='appaio appari appare appariamo apparite appaiono', rem='apparv')
verb('udire', 'ire', 'ud', '', ['ud(ire:)'],
     pres='odo odi ode udiamo udite odono')
verb('cucire', 'ire', 'cuc', '', ['[Z]cuc(ire:)'],
     pres='cucio cuci cuce cuciamo cucite cuciono')
for inf, lgo in (('scegliere', 'scelg'), ('togliere', 'tolg'), ('cogliere', 'colg'),
                 ('sciogliere', 'sciolg')):
    st = inf[:-3]
    verb(inf, 'ere', st, '', ['[Z]%s(ere:)' % st], part=lgo[:-1] + 'to',
         pres=' '.join([lgo + 'o', st + 'i', st + 'e', st + 'iamo', st + 'ete', lgo + 'ono']),
         rem=lgo[:-1] + 's')
verb('muovere', 'ere', 'muov', '', ['[Z]muov(ere:)'], part='mosso', rem='moss')
verb('cuocere', 'ere', 'cuoc', '', ['[Z]cuoc(ere:)'], part='cotto', rem='coss',
     pres='cuocio cuoci cuoce cuociamo cuocete cuociono')
verb('nuocere', 'ere', 'nuoc', '', ['nuoc(ere:)'], part='nociuto', rem='nocqu',
     pres='nuoccio nuoci nuoce nociamo nocete nuocciono')
verb('rompere', 'ere', 'romp', '', ['[Z]romp(ere:)'], part='rotto', rem='rupp')
verb('aprire', 'ire', 'apr', '', ['[Z]apr(ire:)'], part='aperto')
verb('coprire', 'ire', 'copr', '', ['[Z]copr(ire:)'], part='coperto')
verb('offrire', 'ire', 'offr', '', ['[Z]offr(ire:)'], part='offerto')
verb('soffrire', 'ire', 'soffr', '', ['[Z]soffr(ire:)'], part='sofferto')

# Strong -ere verbs: only the passato remoto (1st and 3rd singular, 3rd plural) and the
# participle differ. (base verb, its stem in compounds, strong stem, participle, essere)
STRONG = [
    ('prendere', 'prend', 'pres', 'preso'), ('mettere', 'mett', 'mis', 'messo'),
    ('leggere', 'legg', 'less', 'letto'), ('reggere', 'regg', 'ress', 'retto'),
    ('proteggere', 'tegg', 'tess', 'tetto'), ('scrivere', 'scriv', 'scriss', 'scritto'),
    ('chiudere', 'chiud', 'chius', 'chiuso'), ('concludere', 'clud', 'clus', 'cluso'),
    ('decidere', 'cid', 'cis', 'ciso'), ('ridere', 'rid', 'ris', 'riso'),
    ('dividere', 'divid', 'divis', 'diviso'), ('correre', 'corr', 'cors', 'corso'),
    ('perdere', 'perd', 'pers', 'perso'), ('vincere', 'vinc', 'vins', 'vinto'),
    ('spingere', 'ping', 'pins', 'pinto'), ('piangere', 'piang', 'pians', 'pianto'),
    ('giungere', 'giung', 'giuns', 'giunto'), ('stringere', 'string', 'strins', 'stretto'),
    ('fingere', 'fing', 'fins', 'finto'), ('tingere', 'ting', 'tins', 'tinto'),
    ('spegnere', 'spegn', 'spens', 'spento'), ('volgere', 'volg', 'vols', 'volto'),
    ('scendere', 'scend', 'sces', 'sceso'), ('accendere', 'ccend', 'cces', 'cceso'),
    ('spendere', 'pend', 'pes', 'peso'), ('offendere', 'fend', 'fes', 'feso'),
    ('tendere', 'tend', 'tes', 'teso'), ('rendere', 'rend', 'res', 'reso'),
    ('ardere', 'ard', 'ars', 'arso'), ('mordere', 'mord', 'mors', 'morso'),
    ('chiedere', 'chied', 'chies', 'chiesto'), ('rispondere', 'spond', 'spos', 'sposto'),
    ('nascondere', 'nascond', 'nascos', 'nascosto'), ('porgere', 'porg', 'pors', 'porto'),
    ('sorgere', 'sorg', 'sors', 'sorto'), ('accorgere', 'corg', 'cors', 'corto'),
    ('distruggere', 'strugg', 'struss', 'strutto'), ('friggere', 'frigg', 'friss', 'fritto'),
    ('affliggere', 'fligg', 'fliss', 'flitto'), ('dirigere', 'dirig', 'diress', 'diretto'),
    ('assumere', 'sum', 'suns', 'sunto'), ('esprimere', 'prim', 'press', 'presso'),
    ('discutere', 'cut', 'cuss', 'cusso'), ('succedere', 'cced', 'ccess', 'ccesso'),
    ('concedere', 'conced', 'conces', 'concesso'), ('fondere', 'fond', 'fus', 'fuso'),
    ('torcere', 'torc', 'tors', 'torto'), ('emergere', 'merg', 'mers', 'merso'),
    ('redigere', 'redig', 'redass', 'redatto'), ('esigere', 'esig', 'esig', 'esatto'),
    ('correggere', 'rregg', 'rress', 'rretto'), ('eleggere', 'elegg', 'eless', 'eletto'),
    ('immergere', 'immerg', 'immers', 'immerso'), ('spargere', 'sparg', 'spars', 'sparso'),
    ('tergere', 'terg', 'ters', 'terso'), ('radere', 'rad', 'ras', 'raso'),
    ('invadere', 'vad', 'vas', 'vaso'), ('persuadere', 'suad', 'suas', 'suaso'),
    ('ledere', 'led', 'les', 'leso'), ('intrudere', 'trud', 'trus', 'truso'),
    ('alludere', 'llud', 'llus', 'lluso'), ('scindere', 'scind', 'sciss', 'scisso'),
    ('espellere', 'pell', 'puls', 'pulso'), ('rifulgere', 'fulg', 'fuls', 'fulso'),
    ('cingere', 'cing', 'cins', 'cinto'), ('rodere', 'rod', 'ros', 'roso'),
    ('evadere', 'evad', 'evas', 'evaso'), ('elidere', 'lid', 'lis', 'liso'),
    ('mungere', 'mung', 'muns', 'munto'), ('pungere', 'pung', 'puns', 'punto'),
    ('ungere', 'ung', 'uns', 'unto'), ('spargere', 'sparg', 'spars', 'sparso'),
    ('stendere', 'stend', 'stes', 'steso'), ('fendere', 'fend', 'fes', 'fesso'),
]
ESSERE = {'succedere', 'emergere', 'sorgere', 'scendere', 'correre', 'giungere'}
for inf, st, strong, part in STRONG:
    lead = inf[:-3][:len(inf) - 3 - len(st)]
    assert lead + st == inf[:-3], inf
    if strong == 'esig':
        continue
    verb(inf, 'ere', st, lead, ['[Z]%s(ere:)' % st], part=lead + part if not part.startswith(lead) else part,
         rem=lead + strong if not strong.startswith(lead) else strong, essere=inf in ESSERE)

# ---- check rules ----
L.rules, irr_rules = [], L.rules
L.rule('*', setvariable='#a>0', comment='avere unless a rule or the dictionary says essere')
L.rules += irr_rules
L.rule('*c(are:)', resulttype=5, replace=1, setvariable=PARTQ['are'],
       comment='cercare, pagare: h before e and i')
L.rule('*g(are:)', resulttype=5, replace=1, setvariable=PARTQ['are'])
L.rule('*ci(are:)', resulttype=6, replace=1, setvariable=PARTQ['are'])
L.rule('*gi(are:)', resulttype=6, replace=1, setvariable=PARTQ['are'])
L.rule('*i(are:)', resulttype=8, replace=1, setvariable=PARTQ['are'])
L.rule('*(are:)', resulttype=1, replace=1, setvariable=PARTQ['are'])
L.rule('*(ere:)', resulttype=2, replace=1, setvariable=PARTQ['ere'])
for fam in ('vert', 'sent', 'dorm', 'serv', 'segu', 'vest', 'fugg', 'boll', 'ment', 'part',
            'pent'):
    L.rule('[Z]%s(ire:)' % fam, resulttype=3, replace=1, setvariable=PARTQ['ire'])
L.rule('*(ire:)', resulttype=4, replace=1, setvariable=PARTQ['isc'],
       comment='-isc- unless the dictionary lists the verb with the plain third conjugation')
L.rule('*(ire:)', resulttype=3, replace=1, setvariable=PARTQ['ire'])
L.rule('*(are:)', resulttype=7, replace=1, setvariable=PARTQ['are'])

# ---- dictionary ----
REG = {
    1: 'parlare amare abitare aiutare arrivare ascoltare aspettare ballare camminare cantare '
       'cenare chiamare comprare cucinare diventare entrare guardare guidare imparare '
       'insegnare lavare lavorare nuotare pensare portare pranzare restare ritornare saltare '
       'sembrare sperare suonare tornare trovare usare visitare volare accettare '
       'affermare amministrare arrestare bastare '
       'costare durare fermare gridare mandare mostrare nuotare ordinare '
       'passare permettere provare raccontare ricordare riposare salutare '
       'telefonare trattare',
    2: 'credere vendere temere ricevere ripetere battere cedere godere combattere '
       'abbattere procedere precedere',
    3: 'dormire partire sentire servire seguire vestire fuggire bollire consentire divertire '
       'mentire avvertire convertire investire pentire',
    4: 'finire capire preferire pulire spedire costruire colpire agire unire obbedire '
       'ubbidire guarire fornire gestire impedire inserire istruire sparire stabilire '
       'suggerire tradire riunire restituire',
    5: 'cercare pagare giocare mancare toccare spiegare pregare pescare obbligare '
       'dimenticare indicare',
    6: 'mangiare cominciare studiare viaggiare lasciare cambiare baciare assaggiare '
       'tagliare sbagliare annunciare parcheggiare',
    7: 'inviare sciare spiare avviare deviare',
}
ESSERE_REG = {'arrivare', 'entrare', 'diventare', 'restare', 'ritornare', 'tornare',
              'sembrare', 'bastare', 'costare', 'durare', 'partire', 'fuggire', 'sparire',
              'guarire', 'morire'}
seen, words = set(), []
for num, ws in REG.items():
    for w in ws.split():
        if w not in seen:
            seen.add(w)
            words.append((w, num, w in ESSERE_REG))
for w, num, ess in ITEMS:
    if w not in seen:
        seen.add(w)
        words.append((w, num, ess))
IRR_OF = {w: n for (w, n, e) in ITEMS}
for w, base, ess in [
        ('ottenere', 'tenere', False), ('mantenere', 'tenere', False),
        ('contenere', 'tenere', False), ('sostenere', 'tenere', False),
        ('appartenere', 'tenere', True), ('trattenere', 'tenere', False),
        ('avvenire', 'venire', True), ('convenire', 'venire', True),
        ('divenire', 'venire', True), ('intervenire', 'venire', True),
        ('riuscire', 'uscire', True), ('rifare', 'fare', False), ('disfare', 'fare', False),
        ('comporre', 'porre', False), ('proporre', 'porre', False),
        ('supporre', 'porre', False), ('esporre', 'porre', False), ('opporre', 'porre', False),
        ('produrre', 'condurre', False), ('tradurre', 'condurre', False),
        ('ridurre', 'condurre', False), ('introdurre', 'condurre', False),
        ('distrarre', 'trarre', False), ('attrarre', 'trarre', False),
        ('sottrarre', 'trarre', False), ('comprendere', 'prendere', False),
        ('sorprendere', 'prendere', False), ('apprendere', 'prendere', False),
        ('riprendere', 'prendere', False), ('promettere', 'mettere', False),
        ('ammettere', 'mettere', False), ('commettere', 'mettere', False),
        ('trasmettere', 'mettere', False), ('descrivere', 'scrivere', False),
        ('iscrivere', 'scrivere', False), ('includere', 'concludere', False),
        ('escludere', 'concludere', False), ('uccidere', 'decidere', False),
        ('sorridere', 'ridere', False), ('convincere', 'vincere', False),
        ('dipingere', 'spingere', False), ('raggiungere', 'giungere', False),
        ('aggiungere', 'giungere', False), ('coinvolgere', 'volgere', False),
        ('rivolgere', 'volgere', False), ('svolgere', 'volgere', False),
        ('attendere', 'tendere', False), ('intendere', 'tendere', False),
        ('pretendere', 'tendere', False), ('estendere', 'tendere', False),
        ('difendere', 'offendere', False), ('dipendere', 'spendere', True),
        ('sospendere', 'spendere', False), ('corrispondere', 'rispondere', False),
        ('accogliere', 'cogliere', False), ('raccogliere', 'cogliere', False),
        ('scomparire', 'apparire', True), ('comparire', 'apparire', True),
        ('scoprire', 'coprire', False), ('interrompere', 'rompere', False),
        ('prevedere', 'vedere', False), ('rivedere', 'vedere', False),
        ('riconoscere', 'conoscere', False), ('accadere', 'cadere', True),
        ('dispiacere', 'piacere', True), ('percorrere', 'correre', False),
        ('trascorrere', 'correre', False), ('occorrere', 'correre', True),
        ('soccorrere', 'correre', False), ('ricorrere', 'correre', True),
        ('commuovere', 'muovere', False), ('promuovere', 'muovere', False),
        ('impressionare', None, False), ('consistere', None, True)]:
    if w in seen or base is None:
        continue
    seen.add(w)
    words.append((w, IRR_OF[base], ess))
for w, num, ess in sorted(words):
    if ess:
        L.item(w, num, setvariable='#a>10')
    else:
        L.item(w, num)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
