"""English verbs. The word itself is the root; check rules set the spelling of the endings as
root transducers in variables: #3 third person singular, #d past, #q past participle, #i the
-ing form. Irregular verbs are patterns that inherit the regular one and replace the past; their
participle comes from #q. Compounds of an irregular verb (mistake, overcome) follow its pattern
through the group [Z]."""
import sys
from langgen import Language, irregular, slot_mask

L = Language('English')
L.info = dict(
    code='eng', family='Indo-European, Germanic',
    speakers=(380000000, 1500000000),
    countries=['United Kingdom', 'United States', 'Canada', 'Australia', 'New Zealand',
               'Ireland', 'South Africa', 'India', 'Nigeria', 'Philippines', 'Singapore',
               'Jamaica'],
    summary='English verbs have few inflected forms: the base, the third person singular in '
            '-s, the past and past participle in -ed, and the -ing form. About two hundred '
            'verbs have an irregular past or participle (take, took, taken). Every other tense '
            'is built with auxiliaries: will, have, be, would.',
    books=[dict(title='A Comprehensive Grammar of the English Language',
                author='Randolph Quirk; Sidney Greenbaum; Geoffrey Leech; Jan Svartvik',
                publisher='Longman', edition=1, printplace='London', printyear=1985,
                id='9780582517349'),
           dict(title='The Cambridge Grammar of the English Language',
                author='Rodney Huddleston; Geoffrey K. Pullum', publisher='Cambridge University Press',
                edition=1, printplace='Cambridge', printyear=2002, id='9780521431460')],
    created='1.12.2026', status=(100, 'Complete'))

PR = ['I', 'you', 'he', 'we', 'you', 'they']
L.heading('Indicative')
L.tense(1, 'Present', 6, 1, PR)
L.tense(2, 'Past', 6, 1, PR)
L.tense(3, 'Future', 6, 1, PR)
L.tense(4, 'Present continuous', 6, 1, PR)
L.tense(5, 'Past continuous', 6, 1, PR)
L.tense(6, 'Future continuous', 6, 1, PR)
L.tense(7, 'Present perfect', 6, 1, PR)
L.tense(8, 'Past perfect', 6, 1, PR)
L.tense(9, 'Future perfect', 6, 1, PR)
L.tense(10, 'Present perfect continuous', 6, 1, PR)
L.tense(11, 'Past perfect continuous', 6, 1, PR)
L.tense(12, 'Future perfect continuous', 6, 1, PR)
L.heading('Conditional')
L.tense(13, 'Present', 6, 1, PR)
L.tense(14, 'Perfect', 6, 1, PR)
L.tense(15, 'Present continuous', 6, 1, PR)
L.heading('Subjunctive')
L.tense(16, 'Present', 6, 1, PR)
L.heading('Imperative')
L.tense(17, 'Present', 2, 1, ['you', 'we'])
L.heading('Participles')
L.tense(18, 'Present participle', 1, 1, [''])
L.tense(19, 'Past participle', 1, 1, [''])
L.heading('Infinitive')
L.tense(20, 'Present', 1, 1, [''])

PREFIXES = ('(:),over,under,mis,out,re,un,with,fore,up,for,be,pre,in,inter,cross,back,day,'
            'by,off,sub,sun,type,tele,proof,rough,frost,way,retro,hand-,jerry-,lip-,quick-,'
            'sand-,sight-,spoon-,test-,hand,down,mid,wave,brow,par')
L.groups = [('[Z]', '*,(:)'), ('[P]', PREFIXES), ('[V]', 'a,e,i,o,u'),
            ('[K]', 'b,c,d,f,g,h,j,k,l,m,n,p,q,r,s,t,v,w,x,y,z'),
            ('[O]', '(:),[K],[K][K],[K][K][K],qu,squ'),
            ('[DC]', 'b,d,g,l,m,n,p,r,t,v,z'),
            ('[DBL]', 'b:bb,d:dd,g:gg,k:kk,l:ll,m:mm,n:nn,p:pp,r:rr,t:tt,v:vv,z:zz,c:ck'),
            ('[SIB]', 's,x,z,ch,sh,o')]

PRES = ['%root%', '%root%', None, '%root%', '%root%', '%root%']
AUXP = {4: 'am are is are are are', 5: 'was were was were were were',
        6: 'will be ' * 6, 7: 'have have has have have have', 8: 'had ' * 6,
        9: 'will have ' * 6, 10: 'have been;have been;has been;have been;have been;have been',
        11: 'had been ' * 6, 12: 'will have been ' * 6, 13: 'would ' * 6,
        14: 'would have ' * 6, 15: 'would be ' * 6}


def split_aux(text):
    if ';' in text:
        return text.split(';')
    words = text.split()
    if len(words) == 6:
        return words
    # a repeated phrase: "will be will be ..."
    n = len(words) // 6
    return [' '.join(words[i * n:(i + 1) * n]) for i in range(6)]


p1 = L.pattern(1, 'regular verbs (walk, walked, walked)')
for s in range(1, 7):
    if PRES[s - 1]:
        p1.add(1, 'add', L.col0(1, s) + '%root%', slot_mask(s, 6))
    else:
        p1.add(1, 'add', L.col0(1, s), slot_mask(s, 6))
p1.add(1, 'roottransducer', '#3', slot_mask(3, 6))
L.with_transducer(p1, 2, None, '#d')
L.simple(p1, 3, ['will %root%'] * 6, stem='')
for t, aux in AUXP.items():
    var = '#i' if t in (4, 5, 6, 10, 11, 12, 15) else '#q'
    if t == 13:
        L.simple(p1, t, ['would %root%'] * 6, stem='')
        continue
    L.with_transducer(p1, t, [a + ' ' for a in split_aux(aux)], var)
L.simple(p1, 16, ['%root%'] * 6, stem='')
L.simple(p1, 17, ['%root%', "let's %root%"], stem='')
L.with_transducer(p1, 18, None, '#i')
L.with_transducer(p1, 19, None, '#q')
L.simple(p1, 20, ['to %root%'], stem='')

# ---- spelling rules: no pattern of their own, they only set the variables ----
REG_VARS = '#3>*(:s)/#d>*(:ed)/#q>*(:ed)/#i>*(:ing)'
L.rule('*', setvariable=REG_VARS, comment='walks, walked, walking')
L.rule('*[SIB]', setvariable='#3>*(:es)', comment='passes, fixes, watches, goes')
L.rule('*[K]y', setvariable='#3>*(y:ies+)/#d>*(y:ied+)/#q>*(y:ied+)',
       comment='tries, tried')
L.rule('*e', setvariable='#d>*(:d)/#q>*(:d)/#i>*(e:ing+)', comment='hoped, hoping')
L.rule('*ee', setvariable='#i>*(:ing)', comment='seeing, agreeing')
L.rule('*ye', setvariable='#i>*(:ing)', comment='dyeing')
L.rule('*oe', setvariable='#i>*(:ing)', comment='hoeing')
L.rule('*ie', setvariable='#i>*(ie:ying+)', comment='lying, dying')
L.rule('[O][V][DC]', setvariable='#d>*[(DBL)](:ed+)/#q>*[(DBL)](:ed+)/#i>*[(DBL)](:ing+)',
       comment='one syllable, one vowel, one consonant: stopped, stopping')
L.rule('*[V]c', setvariable='#d>*(:ked+)/#q>*(:ked+)/#i>*(:king+)', comment='panicked')

# ---- irregular verbs: base, past, past participle (alternatives with "/") ----
IRR = '''
arise arose arisen; awake awoke awoken; be was were been; bear bore borne/born; beat beat beaten;
become became become; begin began begun; bend bent bent; bet bet/betted bet/betted; bid bid bid;
bind bound bound; bite bit bitten; bleed bled bled; blow blew blown; break broke broken;
breed bred bred; bring brought brought; broadcast broadcast/broadcasted broadcast/broadcasted;
build built built; burn burned/burnt burned/burnt; burst burst burst; bust busted/bust busted/bust;
buy bought bought; cast cast cast; catch caught caught; choose chose chosen; cling clung clung;
clothe clothed/clad clothed/clad; come came come; cost cost cost; creep crept crept; cut cut cut;
deal dealt dealt; dig dug dug; dive dived/dove dived; do did done; draw drew drawn;
dream dreamed/dreamt dreamed/dreamt; drink drank drunk; drive drove driven; dwell dwelt/dwelled dwelt/dwelled;
eat ate eaten; fall fell fallen; feed fed fed; feel felt felt; fight fought fought; find found found;
fit fitted/fit fitted/fit; flee fled fled; fling flung flung; fly flew flown; forbid forbade/forbid forbidden;
forecast forecast/forecasted forecast/forecasted; forget forgot forgotten; forgive forgave forgiven;
forsake forsook forsaken; freeze froze frozen; get got gotten/got; give gave given; go went gone;
grind ground ground; grow grew grown; hang hung/hanged hung/hanged; have had had; hear heard heard;
hew hewed hewn/hewed; hide hid hidden; hit hit hit; hold held held; hurt hurt hurt; input input/inputted input/inputted;
keep kept kept; kneel knelt/kneeled knelt/kneeled; knit knitted/knit knitted/knit; know knew known;
lay laid laid; lead led led; lean leaned/leant leaned/leant; leap leaped/leapt leaped/leapt;
learn learned/learnt learned/learnt; leave left left; lend lent lent; let let let; lie lay lain;
light lit/lighted lit/lighted; lose lost lost; make made made; mean meant meant; meet met met;
mow mowed mown/mowed; pay paid paid; plead pleaded/pled pleaded/pled; prove proved proven/proved;
put put put; quit quit/quitted quit/quitted; read read read; rid rid rid; ride rode ridden;
ring rang rung; rise rose risen; run ran run; saw sawed sawn/sawed; say said said; see saw seen;
seek sought sought; sell sold sold; send sent sent; set set set; sew sewed sewn/sewed;
shake shook shaken; shave shaved shaved/shaven; shear sheared shorn/sheared; shed shed shed;
shine shone/shined shone/shined; shit shit/shat shit/shat; shoot shot shot; show showed shown/showed;
shrink shrank/shrunk shrunk; shut shut shut; sing sang sung; sink sank sunk; sit sat sat;
slay slew slain; sleep slept slept; slide slid slid; sling slung slung; slink slunk slunk;
slit slit slit; smell smelled/smelt smelled/smelt; sneak sneaked/snuck sneaked/snuck;
sow sowed sown/sowed; speak spoke spoken; speed sped/speeded sped/speeded; spell spelled/spelt spelled/spelt;
spend spent spent; spill spilled/spilt spilled/spilt; spin spun spun; spit spat/spit spat/spit;
split split split; spoil spoiled/spoilt spoiled/spoilt; spread spread spread; spring sprang/sprung sprung;
stand stood stood; steal stole stolen; stick stuck stuck; sting stung stung; stink stank/stunk stunk;
strew strewed strewn/strewed; stride strode stridden; strike struck struck/stricken; string strung strung;
strive strove/strived striven/strived; swear swore sworn; sweat sweat/sweated sweat/sweated;
sweep swept swept; swell swelled swollen/swelled; swim swam swum; swing swung swung; take took taken;
teach taught taught; tear tore torn; tell told told; think thought thought; throw threw thrown;
thrust thrust thrust; tread trod trodden/trod; wake woke woken; wear wore worn; weave wove/weaved woven/weaved;
wed wed/wedded wed/wedded; weep wept wept; wet wet/wetted wet/wetted; win won won; wind wound wound;
wring wrung wrung; write wrote written; slay slew slain; abide abode/abided abode/abided;
awake awoke awoken; cleave cleft/clove/cleaved cleft/cloven/cleaved; gild gilded/gilt gilded/gilt;
gird girded/girt girded/girt; heave heaved/hove heaved/hove; smite smote smitten; spit spat/spit spat/spit;
stave staved/stove staved/stove; sunburn sunburned/sunburnt sunburned/sunburnt; bespeak bespoke bespoken;
beseech besought/beseeched besought/beseeched; dwell dwelt/dwelled dwelt/dwelled; lade laded laden/laded;
'''
SPECIAL_PRES = {  # base -> present forms that are not regular
    'be': 'am are is are are are', 'have': 'have have has have have have'}
SPECIAL = {'be': dict(past='was were was were were were', subj='be', imp=None)}
DOUBLE_BASE = {'begin', 'forget', 'beget', 'quit', 'forbid'}

seen = set()
entries = []
for chunk in IRR.replace('\n', ' ').split(';'):
    w = chunk.split()
    if not w:
        continue
    base = w[0]
    if base in seen:
        continue
    seen.add(base)
    if base == 'be':
        entries.append((base, None, w[3]))
    else:
        entries.append((base, w[1], w[2]))

num = 20
ITEMS = []
for base, past, part in entries:
    p = L.pattern(num, base, inherits=1)
    parts = part.split('/')
    if base == 'be':
        forms = SPECIAL_PRES['be'].split()
        for s, f in enumerate(forms, 1):
            L.override(p, 1, s, '[Z](be:%s*)' % f)
        for s, f in enumerate(SPECIAL['be']['past'].split(), 1):
            L.override(p, 2, s, '[Z](be:%s*)' % f)
    else:
        if base in SPECIAL_PRES:
            for s, f in enumerate(SPECIAL_PRES[base].split(), 1):
                if f != base:
                    L.override(p, 1, s, '[Z](%s:%s*)' % (base, f))
        pasts = past.split('/')
        for s in range(1, 7):
            L.override(p, 2, s, ['[Z](%s:%s%s)' % (base, x, '' if x.endswith('ed') and
                                                    x.startswith(base[:-1]) else '*')
                                 for x in pasts])
    # the participle tense shows every accepted participle; compound tenses the first
    L.override(p, 19, 1, ['[Z](%s:%s%s)' % (base, x, '' if x.endswith('ed') and
                                          x.startswith(base[:-1]) else '*') for x in parts])
    if len(parts) > 1:
        # perfect tenses with each accepted participle
        for t in (7, 8, 9, 14):
            for s, aux in enumerate(split_aux(AUXP[t]), 1):
                L.override(p, t, s, ['[Z](%s:%s%s)' % (base, x, '' if x.endswith('ed') and
                                                       x.startswith(base[:-1]) else '*')
                                     for x in parts], before=aux + ' ')
    first = parts[0]
    mark = '' if first.endswith('ed') and first.startswith(base[:-1]) else '*'
    sv = '#q>[Z](%s:%s%s)' % (base, first, mark)
    if base in DOUBLE_BASE or (len(base) <= 4 and base[-1] in 'bdglmnprtvz' and
                               base[-2] in 'aeiou' and base[-3:-2] not in 'aeiou'):
        sv += '/#i>*[(DBL)](:ing+)'
    if base == 'be':
        sv += '/#i>*(:ing)'
    L.rule('[P]' + base, resulttype=num, setvariable=sv)
    ITEMS.append((base, num))
    num += 1

L.rule('*', resulttype=1, comment='every other verb is regular')

# ---- dictionary ----
REGULAR = ('walk work play talk want need help call ask open close start finish love like live '
           'use move try cry study carry hurry marry worry reply apply copy stay enjoy watch '
           'wash fix pass kiss miss push touch reach teach search hope smile dance change '
           'arrive agree free see ski die lie tie visit listen happen answer offer order '
           'remember travel cancel label level model signal total quarrel worship stop plan '
           'drop shop step chat rub hug beg grab nod ship skip slip trip wrap stir blur panic '
           'mimic picnic traffic admit allot commit compel control deter equip excel expel '
           'fulfil incur occur omit patrol permit prefer propel rebel recur refer regret repel '
           'submit transfer transmit kidnap zigzag format benefit combat abet corral enthral '
           'instal appal distil enrol annul rappel telegram duet abut rebut remit impel emit '
           'acquit befit dispel outwit unzip handicap').split()
DOUBLE = {'admit', 'allot', 'commit', 'compel', 'control', 'deter', 'equip', 'excel', 'expel',
          'fulfil', 'incur', 'occur', 'omit', 'patrol', 'permit', 'prefer', 'propel', 'rebel',
          'recur', 'refer', 'regret', 'repel', 'submit', 'transfer', 'transmit', 'kidnap',
          'zigzag', 'abet', 'corral', 'enthral', 'instal', 'appal', 'distil', 'enrol', 'annul',
          'rappel', 'telegram', 'duet', 'abut', 'rebut', 'remit', 'impel', 'format', 'emit',
          'acquit', 'befit', 'dispel', 'outwit', 'unzip', 'handicap'}
BOTH = {'travel', 'cancel', 'label', 'level', 'model', 'signal', 'total', 'quarrel', 'worship',
        'benefit', 'combat'}
DBL = '#d>*[(DBL)](:ed+)/#q>*[(DBL)](:ed+)/#i>*[(DBL)](:ing+)'
words = []
for w in REGULAR:
    if w in seen:
        continue
    seen.add(w)
    if w in DOUBLE:
        words.append((w, 1, DBL))
    elif w in BOTH:
        # American and British spelling
        words.append((w, 2, None))
    else:
        words.append((w, 1, None))

p2 = L.pattern(2, 'regular verbs doubling their last consonant in British spelling (travel)',
               inherits=1)
for s in range(1, 7):
    L.override(p2, 2, s, ['*(:ed)', '*[(DBL)](:ed+)'])
L.override(p2, 18, 1, ['*(:ing)', '*[(DBL)](:ing+)'])
L.override(p2, 19, 1, ['*(:ed)', '*[(DBL)](:ed+)'])
L.rule('*', resulttype=2, comment='reached through the dictionary only')
for w, n in ITEMS:
    words.append((w, n, None))
for w, n, sv in sorted(words):
    if sv:
        L.item(w, n, setvariable=sv)
    else:
        L.item(w, n)

if __name__ == '__main__':
    sys.stdout.write(L.xml())
