"""German verbs. Check rules first take a separable prefix off the word (kept in #p for the
participle and infinitive, and in #s after the finite forms: "fange an"), note an inseparable
prefix (no "ge" in the participle: #g), then classify the remaining verb: weak classes by their
ending, strong and mixed verbs by their base verb, whatever prefix precedes it. The auxiliary of
the compound tenses comes from the group "hilfsverben" through #a (0 haben, 10 sein)."""
import sys
from langgen import Language, irregular, slot_mask

L = Language('German')
L.info = dict(
    code='deu', family='Indo-European, Germanic',
    speakers=(95000000, 130000000),
    countries=['Germany', 'Austria', 'Switzerland', 'Liechtenstein', 'Luxembourg', 'Belgium',
               'Italy (South Tyrol)'],
    summary='German verbs are weak (machen, machte, gemacht), strong with a change of the stem '
            'vowel (singen, sang, gesungen) or mixed (bringen, brachte, gebracht). Separable '
            'prefixes stand after the finite verb in main clauses (ich fange an) and before '
            '"ge" in the participle (angefangen); inseparable prefixes (be-, ver-, er-) take no '
            '"ge". Compound tenses use haben or sein, the future werden.',
    books=[dict(title='Duden: Die Grammatik', author='Dudenredaktion', publisher='Duden',
                edition=9, printplace='Berlin', printyear=2016, id='9783411040490'),
           dict(title='Hammer\'s German Grammar and Usage', author='Martin Durrell',
                publisher='Routledge', edition=6, printplace='London', printyear=2017,
                id='9781138659896')],
    created='1.12.2026', status=(100, 'Complete'))

PR = ['ich', 'du', 'er', 'wir', 'ihr', 'sie']
L.heading('Indikativ')
L.tense(1, 'Präsens', 6, 1, PR)
L.tense(2, 'Präteritum', 6, 1, PR)
L.tense(3, 'Perfekt', 6, 1, PR)
L.tense(4, 'Plusquamperfekt', 6, 1, PR)
L.tense(5, 'Futur I', 6, 1, PR)
L.tense(6, 'Futur II', 6, 1, PR)
L.heading('Konjunktiv I')
L.tense(7, 'Präsens', 6, 1, PR)
L.tense(8, 'Perfekt', 6, 1, PR)
L.tense(9, 'Futur I', 6, 1, PR)
L.heading('Konjunktiv II')
L.tense(10, 'Präteritum', 6, 1, PR)
L.tense(11, 'Plusquamperfekt', 6, 1, PR)
L.tense(12, 'Futur I', 6, 1, PR)
L.heading('Imperativ')
L.tense(13, 'Präsens', 3, 1, ['du', 'ihr', 'Sie'])
L.heading('Infinitiv')
L.tense(14, 'Präsens', 1, 1, [''])
L.heading('Partizip')
L.tense(15, 'Partizip I', 1, 1, [''])
L.tense(16, 'Partizip II', 1, 1, [''])

SEP = ('zusammen zurück vorbei voraus voran vorüber hinaus herein heraus hinein herunter '
       'hinunter herauf hinauf herum heraus hervor herbei heran hinab hinweg hinzu daher dahin '
       'davon dazu daran darauf entgegen gegenüber weiter wieder nieder empor fort abseits '
       'herüber hinüber umher bevor dabei dahinter dran drauf drin drüber drunter vorweg '
       'gut '
       'zurecht bereit entzwei übrig kaputt bekannt bleiben sauber gleich schlecht sicher '
       'runter rüber raus rein rum hoch glatt krumm fehl gegen kalt warm fest frei heim fern '
       'kund tot wett stand preis statt teil kennen dar her hin los mit nach vor weg zu bei '
       'ein auf aus durch ab an um').split()
INSEP = ['be', 'ge', 'er', 'ver', 'zer', 'ent', 'emp', 'miss', 'über', 'unter', 'hinter',
         'wider', 'voll']
L.groups = [('[Z]', '*,(:)'), ('[I]', ','.join(INSEP))]

# Finite forms of the simple tenses are followed by the separable particle #s.
E = {
    'w': {1: 'e st t en t en', 2: 'te test te ten tet ten', 7: 'e est e en et en',
          10: 'te test te ten tet ten', 13: ';e t en'},
    't': {1: 'e est et en et en', 2: 'ete etest ete eten etet eten', 7: 'e est e en et en',
          10: 'ete etest ete eten etet eten', 13: 'e et en'},
    's': {1: 'e t t en t en', 2: 'te test te ten tet ten', 7: 'e est e en et en',
          10: 'te test te ten tet ten', 13: ';e t en'},
    'el': {1: '(el:le) st t n t n', 2: 'te test te ten tet ten',
           7: '(el:le) st (el:le) n t n', 10: 'te test te ten tet ten',
           13: '(el:le) t n'},
    'er': {1: 'e;(er:re) st t n t n', 2: 'te test te ten tet ten', 7: 'e st e n t n',
           10: 'te test te ten tet ten', 13: 'e;(er:re) t n'},
}
E = {c: {t: v.split(' ') for t, v in d.items()} for c, d in E.items()}
PARTQ = {'w': '#q>*(:t)', 't': '#q>*(:et)', 's': '#q>*(:t)', 'el': '#q>*(:t)', 'er': '#q>*(:t)'}

AUX = {3: ('habe hast hat haben habt haben', 'bin bist ist sind seid sind'),
       4: ('hatte hattest hatte hatten hattet hatten', 'war warst war waren wart waren'),
       8: ('habe habest habe haben habet haben', 'sei seiest sei seien seiet seien'),
       11: ('hätte hättest hätte hätten hättet hätten', 'wäre wärest wäre wären wäret wären')}
WERDEN = {5: 'werde wirst wird werden werdet werden', 6: 'werde wirst wird werden werdet werden',
          9: 'werde werdest werde werden werdet werden',
          12: 'würde würdest würde würden würdet würden'}
aux_items = []
for t, (hab, sei) in AUX.items():
    for s, f in enumerate(hab.split(), 1):
        aux_items.append((s, t, f))
    for s, f in enumerate(sei.split(), 1):
        aux_items.append((10 + s, t, f))
for s in range(1, 7):
    aux_items.append((s, 6, 'haben'))
    aux_items.append((10 + s, 6, 'sein'))
L.extra_groups = [('hilfsverben', 'Auxiliaries of the compound tenses', aux_items)]


def ending_records(p, t, endl):
    F = L.forms_of(t)
    for s, e in enumerate(endl, 1):
        after = ' Sie#s' if t == 13 and s == 3 else '#s'
        alts = e.split(';')
        if len(alts) == 1 and not e.startswith('('):
            p.add(t, 'add', L.col0(t, s) + '%root%' + e + after, slot_mask(s, F))
            continue
        pats = ['*' + a if a.startswith('(') else '*(:%s)' % a for a in alts]
        L.override(p, t, s, pats, after=after)


def regular(p, cls):
    for t, endl in E[cls].items():
        ending_records(p, t, endl)
    # infinitive, Partizip I: from the whole word
    L.with_transducer(p, 14, None, '*', command='transducer')
    L.with_transducer(p, 15, None, '*(:d)', command='transducer')
    L.with_transducer(p, 16, ['#p#g'], '#q')
    for t in AUX:
        L.with_transducer(p, t, ['%%hilfsverben(i+#a,%d)%% #p#g' % t] * 6, '#q')
    for t, f in WERDEN.items():
        if t == 6:
            L.with_transducer(p, t, [x + ' #p#g' for x in f.split()], '#q',
                              after=[' %hilfsverben(i+#a,6)%'] * 6)
        else:
            L.with_transducer(p, t, [x + ' ' for x in f.split()], '*', command='transducer')


CLS_NUM = {'w': 1, 't': 2, 's': 3, 'el': 4, 'er': 5}
for cls, num in CLS_NUM.items():
    regular(L.pattern(num, {'w': 'weak verbs (machen)', 't': 'weak verbs with e before t and st '
                            '(arbeiten, rechnen)', 's': 'weak verbs on s, ß, z (reisen)',
                            'el': 'weak verbs in -eln (sammeln)',
                            'er': 'weak verbs in -ern (wandern)'}[cls]), cls)


def cls_of(stem):
    if stem.endswith(('t', 'd', 'chn', 'ffn', 'gn', 'dn', 'tm', 'dm', 'ckn', 'pn', 'bn')):
        return 't'
    if stem.endswith(('s', 'ß', 'z', 'x')):
        return 's'
    return 'w'


def reg_forms(stem, cls):
    out = {}
    for t, endl in E[cls].items():
        fl = []
        for e in endl:
            alts = []
            for a in e.split(';'):
                if a.startswith('(el:le'):
                    alts.append(stem[:-2] + 'le' + a[6:-1])
                elif a.startswith('(er:re'):
                    alts.append(stem[:-2] + 're')
                else:
                    alts.append(stem + a)
            fl.append(';'.join(alts))
        out[t] = fl
    return out


IRR = 20
ITEMS = []


def is_insep(inf):
    return any(inf.startswith(p) and len(inf) - len(p) >= 5 for p in INSEP)


def strong(inf, pres23=None, pret=None, kj2=None, part=None, sein=False, imp=None, stem=None,
           rules=None, pres=None, pret_forms=None, kj1=None, kj2_forms=None, mixed=False,
           comment=None):
    """A strong or mixed verb given by its base forms; compounds follow through [Z]."""
    global IRR
    num = IRR
    IRR += 1
    st = stem or inf[:-2]
    cls = cls_of(st)
    reg = reg_forms(st, cls)
    f = {t: list(v) for t, v in reg.items()}
    if pres:
        f[1] = pres.split()
    elif pres23:
        a, b = pres23.split(" ")
        f[1][1], f[1][2] = a, b
    if pret_forms:
        f[2] = pret_forms.split()
    elif pret:
        if mixed:
            f[2] = [pret + e for e in 'e est e en et en'.split()]
        else:
            t_end = pret.endswith(('t', 'd')) or pret.endswith('th')
            s_end = pret.endswith(('s', 'ß', 'z', 'sch'))
            du = 'est' if t_end else ('est;t' if s_end else 'st')
            pl = 'n' if pret.endswith('ie') else 'en'
            f[2] = [pret, ';'.join(pret + x for x in du.split(';')), pret, pret + pl,
                    pret + ('et' if t_end else 't'), pret + pl]
    if kj2_forms:
        f[10] = kj2_forms.split()
    elif kj2:
        f[10] = [';'.join(k + e for k in kj2.split(';')) for e in 'e est e en et en'.split()]
    if kj1:
        f[7] = kj1.split()
    if imp:
        f[13] = [x.replace('-', '') for x in imp.split()]
    forms = {t: v for t, v in f.items()}
    if part.startswith('ge') and not is_insep(inf):
        part = part[2:]  # "ge" comes from #g unless a prefix forbids it
    sv = '#q>[Z](%s:%s*)' % (st, part) + ('/#a>10' if sein else '/#a>0')
    rl = rules or ['[Z]%s(%s:)' % (st, inf[len(st):])]
    after = {1: '#s', 2: '#s', 7: '#s', 10: '#s', 13: '#s'}
    for t in (13,):
        # the polite imperative: "fangen Sie an"
        if forms[t][2] != reg[t][2]:
            forms[t][2] = forms[t][2]
    irregular(L, num, comment or inf, CLS_NUM[cls], st, reg, forms, rl, sv, after=after)
    ITEMS.append((inf, num, sein))
    return num


# sein, haben, werden, tun, wissen, the modal verbs
strong('sein', pres='bin bist ist sind seid sind', pret_forms='war warst war waren wart waren',
       kj1='sei seist;seiest sei seien seiet seien',
       kj2_forms='wäre wärst;wärest wäre wären wärt;wäret wären', part='gewesen', sein=True,
       imp='sei seid seien', stem='sei', rules=['sei(n:)'])
strong('haben', pres='habe hast hat haben habt haben', pret='hatt', mixed=True, kj2='hätt',
       part='gehabt', imp='hab;habe habt haben', stem='hab', rules=['hab(en:)'])
strong('werden', pres='werde wirst wird werden werdet werden',
       pret_forms='wurde wurdest wurde wurden wurdet wurden', kj2='würd', part='geworden',
       sein=True, imp='werde werdet werden', rules=['[Z]werd(en:)'])
strong('tun', pres='tue tust tut tun tut tun', pret='tat', kj2='tät', part='getan',
       imp='tu;tue tut tun', stem='tu', rules=['[Z]tu(n:)'])
strong('wissen', pres='weiß weißt weiß wissen wisst wissen', pret='wusst', mixed=True,
       kj2='wüsst', part='gewusst', imp='wisse wisst wissen', rules=['[Z]wiss(en:)'])
for inf, sg, pret, kj2, part in (
        ('können', 'kann kannst kann', 'konnt', 'könnt', 'gekonnt'),
        ('müssen', 'muss musst muss', 'musst', 'müsst', 'gemusst'),
        ('dürfen', 'darf darfst darf', 'durft', 'dürft', 'gedurft'),
        ('mögen', 'mag magst mag', 'mocht', 'möcht', 'gemocht'),
        ('sollen', 'soll sollst soll', 'sollt', 'sollt', 'gesollt'),
        ('wollen', 'will willst will', 'wollt', 'wollt', 'gewollt')):
    st = inf[:-2]
    strong(inf, pres=sg + ' %sen %st %sen' % (st, st, st), pret=pret, mixed=True, kj2=kj2,
           part=part, imp='- - -', rules=['%s(en:)' % st])

# mixed verbs (bringen, brachte, gebracht)
MIXED = [('bringen', 'bracht', 'brächt', 'gebracht'), ('denken', 'dacht', 'dächt', 'gedacht'),
         ('kennen', 'kannt', 'kennt', 'gekannt'), ('nennen', 'nannt', 'nennt', 'genannt'),
         ('rennen', 'rannt', 'rennt', 'gerannt'), ('brennen', 'brannt', 'brennt', 'gebrannt')]
for inf, pret, kj2, part in MIXED:
    strong(inf, pret=pret, mixed=True, kj2=kj2, part=part, sein=inf == 'rennen',
           rules=['renn(en:)', 'verrenn(en:)'] if inf == 'rennen' else None)
strong('senden', pret='sandt;sendet', mixed=True, kj2='sendet', part='gesandt')
strong('wenden', pret='wandt;wendet', mixed=True, kj2='wendet', part='gewandt',
       rules=['wend(en:)', 'verwend(en:)', 'anwend(en:)'])

# strong verbs: (infinitive, 2nd and 3rd singular present or None, preterite, Konjunktiv II,
# participle, sein, imperative du)
S = [
    ('befehlen', 'befiehlst befiehlt', 'befahl', 'beföhl;befähl', 'befohlen', 0, 'befiehl'),
    ('empfehlen', 'empfiehlst empfiehlt', 'empfahl', 'empföhl;empfähl', 'empfohlen', 0, 'empfiehl'),
    ('stehlen', 'stiehlst stiehlt', 'stahl', 'stähl;stöhl', 'gestohlen', 0, 'stiehl'),
    ('beginnen', None, 'begann', 'begänn;begönn', 'begonnen', 0, None),
    ('gewinnen', None, 'gewann', 'gewänn;gewönn', 'gewonnen', 0, None),
    ('schwimmen', None, 'schwamm', 'schwömm;schwämm', 'geschwommen', 1, None),
    ('beißen', None, 'biss', 'biss', 'gebissen', 0, None),
    ('reißen', None, 'riss', 'riss', 'gerissen', 0, None),
    ('schmeißen', None, 'schmiss', 'schmiss', 'geschmissen', 0, None),
    ('bergen', 'birgst birgt', 'barg', 'bärg', 'geborgen', 0, 'birg'),
    ('biegen', None, 'bog', 'bög', 'gebogen', 0, None),
    ('bieten', None, 'bot', 'böt', 'geboten', 0, None),
    ('binden', None, 'band', 'bänd', 'gebunden', 0, None),
    ('finden', None, 'fand', 'fänd', 'gefunden', 0, None),
    ('schwinden', None, 'schwand', 'schwänd', 'geschwunden', 1, None),
    ('winden', None, 'wand', 'wänd', 'gewunden', 0, None),
    ('bitten', None, 'bat', 'bät', 'gebeten', 0, None),
    ('blasen', 'bläst bläst', 'blies', 'blies', 'geblasen', 0, None),
    ('bleiben', None, 'blieb', 'blieb', 'geblieben', 1, None),
    ('braten', 'brätst brät', 'briet', 'briet', 'gebraten', 0, None),
    ('brechen', 'brichst bricht', 'brach', 'bräch', 'gebrochen', 0, 'brich'),
    ('sprechen', 'sprichst spricht', 'sprach', 'spräch', 'gesprochen', 0, 'sprich'),
    ('stechen', 'stichst sticht', 'stach', 'stäch', 'gestochen', 0, 'stich'),
    ('treffen', 'triffst trifft', 'traf', 'träf', 'getroffen', 0, 'triff'),
    ('helfen', 'hilfst hilft', 'half', 'hülf;hälf', 'geholfen', 0, 'hilf'),
    ('werfen', 'wirfst wirft', 'warf', 'würf', 'geworfen', 0, 'wirf'),
    ('sterben', 'stirbst stirbt', 'starb', 'stürb', 'gestorben', 1, 'stirb'),
    ('verderben', 'verdirbst verdirbt', 'verdarb', 'verdürb', 'verdorben', 0, 'verdirb'),
    ('werben', 'wirbst wirbt', 'warb', 'würb', 'geworben', 0, 'wirb'),
    ('geben', 'gibst gibt', 'gab', 'gäb', 'gegeben', 0, 'gib'),
    ('nehmen', 'nimmst nimmt', 'nahm', 'nähm', 'genommen', 0, 'nimm'),
    ('sehen', 'siehst sieht', 'sah', 'säh', 'gesehen', 0, 'sieh'),
    ('geschehen', '- geschieht', 'geschah', 'geschäh', 'geschehen', 1, None),
    ('lesen', 'liest liest', 'las', 'läs', 'gelesen', 0, 'lies'),
    ('treten', 'trittst tritt', 'trat', 'trät', 'getreten', 1, 'tritt'),
    ('messen', 'misst misst', 'maß', 'mäß', 'gemessen', 0, 'miss'),
    ('vergessen', 'vergisst vergisst', 'vergaß', 'vergäß', 'vergessen', 0, 'vergiss'),
    ('fressen', 'frisst frisst', 'fraß', 'fräß', 'gefressen', 0, 'friss'),
    ('essen', 'isst isst', 'aß', 'äß', 'gegessen', 0, 'iss'),
    ('fahren', 'fährst fährt', 'fuhr', 'führ', 'gefahren', 1, None),
    ('graben', 'gräbst gräbt', 'grub', 'grüb', 'gegraben', 0, None),
    ('laden', 'lädst lädt', 'lud', 'lüd', 'geladen', 0, None),
    ('schlagen', 'schlägst schlägt', 'schlug', 'schlüg', 'geschlagen', 0, None),
    ('tragen', 'trägst trägt', 'trug', 'trüg', 'getragen', 0, None),
    ('wachsen', 'wächst wächst', 'wuchs', 'wüchs', 'gewachsen', 1, None),
    ('waschen', 'wäschst wäscht', 'wusch', 'wüsch', 'gewaschen', 0, None),
    ('fallen', 'fällst fällt', 'fiel', 'fiel', 'gefallen', 1, None),
    ('halten', 'hältst hält', 'hielt', 'hielt', 'gehalten', 0, None),
    ('fangen', 'fängst fängt', 'fing', 'fing', 'gefangen', 0, None),
    ('hängen', None, 'hing', 'hing', 'gehangen', 0, None),
    ('lassen', 'lässt lässt', 'ließ', 'ließ', 'gelassen', 0, None),
    ('laufen', 'läufst läuft', 'lief', 'lief', 'gelaufen', 1, None),
    ('raten', 'rätst rät', 'riet', 'riet', 'geraten', 0, None),
    ('schlafen', 'schläfst schläft', 'schlief', 'schlief', 'geschlafen', 0, None),
    ('stoßen', 'stößt stößt', 'stieß', 'stieß', 'gestoßen', 0, None),
    ('rufen', None, 'rief', 'rief', 'gerufen', 0, None),
    ('heißen', None, 'hieß', 'hieß', 'geheißen', 0, None),
    ('fliegen', None, 'flog', 'flög', 'geflogen', 1, None),
    ('liegen', None, 'lag', 'läg', 'gelegen', 0, None),
    ('wiegen', None, 'wog', 'wög', 'gewogen', 0, None),
    ('lügen', None, 'log', 'lög', 'gelogen', 0, None),
    ('trügen', None, 'trog', 'trög', 'getrogen', 0, None),
    ('fliehen', None, 'floh', 'flöh', 'geflohen', 1, None),
    ('ziehen', None, 'zog', 'zög', 'gezogen', 0, None),
    ('fließen', None, 'floss', 'flöss', 'geflossen', 1, None),
    ('genießen', None, 'genoss', 'genöss', 'genossen', 0, None),
    ('gießen', None, 'goss', 'göss', 'gegossen', 0, None),
    ('schießen', None, 'schoss', 'schöss', 'geschossen', 0, None),
    ('schließen', None, 'schloss', 'schlöss', 'geschlossen', 0, None),
    ('frieren', None, 'fror', 'frör', 'gefroren', 0, None),
    ('verlieren', None, 'verlor', 'verlör', 'verloren', 0, None),
    ('riechen', None, 'roch', 'röch', 'gerochen', 0, None),
    ('kriechen', None, 'kroch', 'kröch', 'gekrochen', 1, None),
    ('schieben', None, 'schob', 'schöb', 'geschoben', 0, None),
    ('schwören', None, 'schwor', 'schwür', 'geschworen', 0, None),
    ('heben', None, 'hob', 'höb', 'gehoben', 0, None),
    ('gehen', None, 'ging', 'ging', 'gegangen', 1, None),
    ('stehen', None, 'stand', 'stünd;ständ', 'gestanden', 0, None),
    ('kommen', None, 'kam', 'käm', 'gekommen', 1, None),
    ('singen', None, 'sang', 'säng', 'gesungen', 0, None),
    ('springen', None, 'sprang', 'spräng', 'gesprungen', 1, None),
    ('klingen', None, 'klang', 'kläng', 'geklungen', 0, None),
    ('zwingen', None, 'zwang', 'zwäng', 'gezwungen', 0, None),
    ('schwingen', None, 'schwang', 'schwäng', 'geschwungen', 0, None),
    ('ringen', None, 'rang', 'räng', 'gerungen', 0, None),
    ('sinken', None, 'sank', 'sänk', 'gesunken', 1, None),
    ('trinken', None, 'trank', 'tränk', 'getrunken', 0, None),
    ('stinken', None, 'stank', 'stänk', 'gestunken', 0, None),
    ('sitzen', None, 'saß', 'säß', 'gesessen', 0, None),
    ('liegen', None, 'lag', 'läg', 'gelegen', 0, None),
    ('bitten', None, 'bat', 'bät', 'gebeten', 0, None),
    ('leiden', None, 'litt', 'litt', 'gelitten', 0, None),
    ('schneiden', None, 'schnitt', 'schnitt', 'geschnitten', 0, None),
    ('streiten', None, 'stritt', 'stritt', 'gestritten', 0, None),
    ('reiten', None, 'ritt', 'ritt', 'geritten', 1, None),
    ('gleiten', None, 'glitt', 'glitt', 'geglitten', 1, None),
    ('schreiten', None, 'schritt', 'schritt', 'geschritten', 1, None),
    ('greifen', None, 'griff', 'griff', 'gegriffen', 0, None),
    ('pfeifen', None, 'pfiff', 'pfiff', 'gepfiffen', 0, None),
    ('kneifen', None, 'kniff', 'kniff', 'gekniffen', 0, None),
    ('gleichen', None, 'glich', 'glich', 'geglichen', 0, None),
    ('schleichen', None, 'schlich', 'schlich', 'geschlichen', 1, None),
    ('streichen', None, 'strich', 'strich', 'gestrichen', 0, None),
    ('weichen', None, 'wich', 'wich', 'gewichen', 1, None),
    ('leihen', None, 'lieh', 'lieh', 'geliehen', 0, None),
    ('zeihen', None, 'zieh', 'zieh', 'geziehen', 0, None),
    ('gedeihen', None, 'gedieh', 'gedieh', 'gediehen', 1, None),
    ('meiden', None, 'mied', 'mied', 'gemieden', 0, None),
    ('scheiden', None, 'schied', 'schied', 'geschieden', 0, None),
    ('preisen', None, 'pries', 'pries', 'gepriesen', 0, None),
    ('weisen', None, 'wies', 'wies', 'gewiesen', 0, None),
    ('reiben', None, 'rieb', 'rieb', 'gerieben', 0, None),
    ('schreiben', None, 'schrieb', 'schrieb', 'geschrieben', 0, None),
    ('treiben', None, 'trieb', 'trieb', 'getrieben', 0, None),
    ('bleiben', None, 'blieb', 'blieb', 'geblieben', 1, None),
    ('scheinen', None, 'schien', 'schien', 'geschienen', 0, None),
    ('schreien', None, 'schrie', 'schrie', 'geschrien', 0, None),
    ('schweigen', None, 'schwieg', 'schwieg', 'geschwiegen', 0, None),
    ('steigen', None, 'stieg', 'stieg', 'gestiegen', 1, None),
    ('gelingen', None, 'gelang', 'geläng', 'gelungen', 1, None),
    ('schmelzen', 'schmilzt schmilzt', 'schmolz', 'schmölz', 'geschmolzen', 1, 'schmilz'),
    ('dringen', None, 'drang', 'dräng', 'gedrungen', 1, None),
    ('saufen', 'säufst säuft', 'soff', 'söff', 'gesoffen', 0, None),
    ('gelten', 'giltst gilt', 'galt', 'gölt;gält', 'gegolten', 0, 'gilt'),
    ('fechten', 'fichtst ficht', 'focht', 'föcht', 'gefochten', 0, 'ficht'),
    ('sinnen', None, 'sann', 'sänn;sönn', 'gesonnen', 0, None),
    ('spinnen', None, 'spann', 'spänn;spönn', 'gesponnen', 0, None),
    ('schelten', 'schiltst schilt', 'schalt', 'schölt', 'gescholten', 0, 'schilt'),
    ('schwellen', 'schwillst schwillt', 'schwoll', 'schwöll', 'geschwollen', 1, 'schwill'),
    ('quellen', 'quillst quillt', 'quoll', 'quöll', 'gequollen', 1, 'quill'),
    ('melken', None, 'molk;melkte', 'mölk', 'gemolken', 0, None),
    ('dreschen', 'drischst drischt', 'drosch', 'drösch', 'gedroschen', 0, 'drisch'),
    ('flechten', 'flichtst flicht', 'flocht', 'flöcht', 'geflochten', 0, 'flicht'),
    ('gären', None, 'gor', 'gör', 'gegoren', 0, None),
    ('saugen', None, 'sog;saugte', 'söge', 'gesogen', 0, None),
    ('schinden', None, 'schund', 'schünd', 'geschunden', 0, None),
    ('schlingen', None, 'schlang', 'schläng', 'geschlungen', 0, None),
    ('schleifen', None, 'schliff', 'schliff', 'geschliffen', 0, None),
    ('verdrießen', None, 'verdross', 'verdröss', 'verdrossen', 0, None),
    ('erlöschen', 'erlischst erlischt', 'erlosch', 'erlösch', 'erloschen', 1, 'erlisch'),
]
# Rules that must come before others: a base verb that ends like another one.
ORDER_FIRST = ['bringen', 'fliegen', 'schreiben', 'treiben', 'braten', 'schreiten', 'streiten',
               'gleiten', 'messen', 'vergessen', 'fressen', 'schwinden', 'springen', 'dringen',
               'schlingen', 'klingen']
RULES = {
    'essen': ['ess(en:)', 'aufess(en:)', 'mitess(en:)'],
    'gelten': ['gelt(en:)', '[Z]gelt(en:)'],
    'raten': ['[Z]berat(en:)', '[Z]verrat(en:)', 'rat(en:)', 'erat(en:)', 'abrat(en:)',
              'zurat(en:)', 'errat(en:)'],
    'heben': ['[Z]heb(en:)'],
    'reiten': ['reit(en:)', 'ausreit(en:)'],
    'gleiten': ['gleit(en:)', 'entgleit(en:)'],
    'rufen': ['[Z]ruf(en:)'],
    'stehen': ['[Z]steh(en:)'],
    'weisen': ['[Z]weis(en:)'],
    'leiden': ['leid(en:)', 'erleid(en:)'],
    'hängen': ['häng(en:)'],
}
seen_s = set()
order = sorted(S, key=lambda x: 0 if x[0] in ORDER_FIRST else 1)
for (inf, p23, pret, kj2, part, sein, imp) in order:
    if inf in seen_s:
        continue
    seen_s.add(inf)
    st = inf[:-2]
    # the participle without a leading "ge": added through #g unless a prefix forbids it
    pp = part
    pres23 = None
    if p23:
        a, b = p23.split()
        pres23 = (a if a != '-' else '') + ' ' + b
    imps = None
    if imp:
        cls = cls_of(st)
        imps = '%s %s%s %sen' % (imp, st, 'et' if cls == 't' else 't', st)
    strong(inf, pres23=pres23, pret=pret, kj2=kj2, part=pp, sein=bool(sein), imp=imps,
           rules=RULES.get(inf))

# ---- check rules ----
irr_rules = L.rules
L.rules = []
L.rule('*', setvariable='#g>ge/#a>0', comment='"ge" in the participle, haben, unless said')
SEP.sort(key=len, reverse=True)  # the longest prefix first: dahinter before dahin
LATE = ('ab', 'an', 'um', 'rein')  # after -ieren: analysieren, abonnieren are not separable
for pre in SEP:
    if pre not in LATE:
        L.rule('(%s:)???*' % pre, replace=1, setvariable='#p>%s/#s> %s' % (pre, pre))
L.rule('*ier(en:)', resulttype=1, replace=1, setvariable='#g>/#q>*(:t)',
       comment='studieren: no "ge"')
for pre in LATE:
    L.rule('(%s:)???*' % pre, replace=1, setvariable='#p>%s/#s> %s' % (pre, pre))
L.rule('[I]????*', setvariable='#g>', comment='inseparable prefix: no "ge"')
L.rules += irr_rules
L.rule('*(eln:el)', resulttype=4, replace=1, setvariable=PARTQ['el'])
L.rule('*(ern:er)', resulttype=5, replace=1, setvariable=PARTQ['er'])
for end in ('t', 'd', 'chn', 'ffn', 'gn', 'dn', 'tm', 'dm', 'ckn', 'pn', 'bn'):
    L.rule('*%s(en:)' % end, resulttype=2, replace=1, setvariable=PARTQ['t'])
for end in ('s', 'ß', 'z', 'x'):
    L.rule('*%s(en:)' % end, resulttype=3, replace=1, setvariable=PARTQ['s'])
L.rule('*(en:)', resulttype=1, replace=1, setvariable=PARTQ['w'])
L.rule('*(n:)', resulttype=1, replace=1, setvariable=PARTQ['w'])
# Verbs that begin like a prefix without having one: only their own rule applies.
L.rule('*(en:)', resulttype=1, replace=1, setvariable='#g>ge/#a>0/#q>*(:t)', id=901, private=1)
L.rule('*(en:)', resulttype=2, replace=1, setvariable='#g>ge/#a>0/#q>*(:et)', id=902, private=1)
L.rule('*(en:)', resulttype=3, replace=1, setvariable='#g>ge/#a>0/#q>*(:t)', id=903, private=1)
L.rule('*(en:)', resulttype=1, replace=1, setvariable='#g>/#a>0/#q>*(:t)', id=904, private=1)
L.rule('*(ern:er)', resulttype=5, replace=1, setvariable='#g>ge/#a>0/#q>*(:t)', id=905, private=1)
L.rule('*(eln:el)', resulttype=4, replace=1, setvariable='#g>ge/#a>0/#q>*(:t)', id=906, private=1)
L.rule('*(en:)', resulttype=2, replace=1, setvariable='#g>/#a>0/#q>*(:et)', id=907, private=1)

# ---- dictionary ----
WEAK = ('machen sagen spielen lernen leben wohnen kaufen brauchen fragen hören glauben '
        'zeigen holen stellen legen setzen suchen lieben lachen weinen kochen hoffen '
        'schmecken danken fehlen folgen führen kämpfen kosten lehren malen meinen '
        'packen putzen rauchen regnen schauen schenken schicken stecken stören '
        'stimmen teilen träumen wählen wecken wünschen zahlen zählen bauen besuchen '
        'bezahlen erklären erzählen verkaufen versuchen gehören antworten arbeiten '
        'baden bilden warten reden retten achten beachten heiraten öffnen rechnen '
        'zeichnen atmen reisen tanzen küssen grüßen heizen sammeln lächeln handeln '
        'wandern ändern feiern klettern erinnern studieren telefonieren probieren '
        'passieren diskutieren fotografieren reparieren funktionieren').split()
SPECIAL = {  # verbs that look prefixed but are not: (rule id)
    'antworten': 902, 'angeln': 906, 'beantworten': 907, 'heiraten': 902, 'hindern': 905,
    'zucken': 901, 'zupfen': 901, 'einigen': 901, 'beichten': 902, 'bereiten': 907,
    'verbreiten': 907, 'herrschen': 901, 'beten': 902, 'bellen': 901, 'betteln': 906,
    'erben': 901, 'ernten': 902, 'bessern': 905, 'beugen': 901, 'hinken': 901,
    'wiederholen': 904, 'vorbereiten': None, 'reinigen': 901, 'begleiten': 907,
}
SEIN_WEAK = {'reisen', 'wandern', 'folgen', 'passieren', 'klettern'}
seen, words = set(), []
for w in WEAK:
    if w in seen:
        continue
    seen.add(w)
    st = w[:-2]
    if w.endswith('ieren'):
        num = 1
    elif w.endswith('eln'):
        num = 4
    elif w.endswith('ern'):
        num = 5
    else:
        num = CLS_NUM[cls_of(st)]
    words.append((w, num, w in SEIN_WEAK, None))
for w, rid in SPECIAL.items():
    if w in seen or rid is None:
        continue
    seen.add(w)
    words.append((w, {901: 1, 902: 2, 903: 3, 904: 1, 905: 5, 906: 4, 907: 2}[rid], False, rid))
for w, num, sein in ITEMS:
    if w not in seen:
        seen.add(w)
        words.append((w, num, sein, None))
IRR_OF = {w: n for (w, n, s) in ITEMS}
for w, base, sein in [
        ('anfangen', 'fangen', 0), ('ankommen', 'kommen', 1), ('bekommen', 'kommen', 0),
        ('verstehen', 'stehen', 0), ('aufstehen', 'stehen', 1), ('entstehen', 'stehen', 1),
        ('bestehen', 'stehen', 0), ('einladen', 'laden', 0), ('anrufen', 'rufen', 0),
        ('aussehen', 'sehen', 0), ('fernsehen', 'sehen', 0), ('mitnehmen', 'nehmen', 0),
        ('annehmen', 'nehmen', 0), ('teilnehmen', 'nehmen', 0), ('vergeben', 'geben', 0),
        ('ausgeben', 'geben', 0), ('abfahren', 'fahren', 1), ('erfahren', 'fahren', 0),
        ('verlassen', 'lassen', 0), ('gefallen', 'fallen', 0), ('einfallen', 'fallen', 1),
        ('behalten', 'halten', 0), ('erhalten', 'halten', 0), ('unterhalten', 'halten', 0),
        ('beschreiben', 'schreiben', 0), ('unterschreiben', 'schreiben', 0),
        ('verbieten', 'bieten', 0), ('anbieten', 'bieten', 0), ('beweisen', 'weisen', 0),
        ('entscheiden', 'scheiden', 0), ('unterscheiden', 'scheiden', 0),
        ('erscheinen', 'scheinen', 1), ('begreifen', 'greifen', 0), ('angreifen', 'greifen', 0),
        ('vergleichen', 'gleichen', 0), ('beziehen', 'ziehen', 0), ('anziehen', 'ziehen', 0),
        ('erziehen', 'ziehen', 0), ('versprechen', 'sprechen', 0),
        ('unterbrechen', 'brechen', 0), ('besitzen', 'sitzen', 0), ('empfinden', 'finden', 0),
        ('erfinden', 'finden', 0), ('verbinden', 'binden', 0), ('verschwinden', 'schwinden', 1),
        ('vertragen', 'tragen', 0), ('beitragen', 'tragen', 0), ('vorschlagen', 'schlagen', 0),
        ('erkennen', 'kennen', 0), ('verbringen', 'bringen', 0), ('nachdenken', 'denken', 0),
        ('mitbringen', 'bringen', 0), ('aufhören', None, 0), ('ausgehen', 'gehen', 1),
        ('vergehen', 'gehen', 1), ('umsteigen', 'steigen', 1), ('einsteigen', 'steigen', 1),
        ('aussteigen', 'steigen', 1), ('zurückkommen', 'kommen', 1),
        ('bekannt', None, 0)]:
    if w in seen or base is None:
        continue
    seen.add(w)
    words.append((w, IRR_OF[base], bool(sein), None))
for w, num, sein, rid in sorted(words):
    kw = {}
    if rid:
        kw['checks'] = 'check=%d' % rid
    if sein:
        kw['setvariable'] = '#a>10'
    elif num >= 20:
        kw['setvariable'] = '#a>0'
    L.item(w, num, **kw)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
