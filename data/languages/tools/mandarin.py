"""Mandarin Chinese in pinyin with tone digits (chi1, xue2xi2); the "pinyin" processor of the
display puts the tone marks on the right vowels. Verbs do not inflect: aspect and negation are
particles and adverbs (le, guo, zai, hui, bu, mei). "bu" takes the second tone before a fourth
tone (bu2 qu4), which a check rule notes in the variable #b."""
import sys
from langgen import Language

L = Language('Mandarin Chinese')
L.info = dict(
    code='cmn', family='Sino-Tibetan, Sinitic',
    speakers=(920000000, 1100000000),
    countries=['China', 'Taiwan', 'Singapore', 'Malaysia'],
    summary='Mandarin verbs have a single form. Aspect is shown by particles after the verb '
            '(le for a completed action, guo for experience) or adverbs before it (zai for an '
            'action in progress); the future takes hui or yao, negation bu, and mei for what '
            'has not happened. Written here in pinyin with tone marks.',
    books=[dict(title='Mandarin Chinese: A Functional Reference Grammar',
                author='Charles N. Li; Sandra A. Thompson', publisher='University of California '
                'Press', edition=1, printplace='Berkeley', printyear=1981, id='9780520066106')],
    created='1.12.2026', status=(20, 'A small sample of verbs'))

PR = ['wo3', 'ni3', 'ta1', 'wo3men5', 'ni3men5', 'ta1men5']
TENSES = [(1, 'Affirmative', '%root%'), (2, 'Perfective (le)', '%root% le5'),
          (3, 'Experiential (guo)', '%root% guo4'), (4, 'Progressive (zai)', 'zai4 %root%'),
          (5, 'Future (hui)', 'hui4 %root%'), (6, 'Negation (bu)', '#b %root%'),
          (7, 'Negated perfective (mei)', 'mei2 %root%')]
for tid, name, _ in TENSES:
    L.tense(tid, name, 6, 0, PR)
L.groups = [('[L]', 'a,b,c,d,e,f,g,h,i,j,k,l,m,n,o,p,q,r,s,t,u,v,w,x,y,z'),
            ('[S]', '[L],[L][L],[L][L][L],[L][L][L][L],[L][L][L][L][L],[L][L][L][L][L][L]')]
p = L.pattern(1, 'every verb')
for tid, name, text in TENSES:
    L.simple(p, tid, [text] * 6, stem='')
L.rule('*', setvariable='#b>bu4')
L.rule('[S]4*', setvariable='#b>bu2', comment='bu2 before a fourth tone: bu2 qu4')
L.rule('[S]4', setvariable='#b>bu2')
L.rule('*', resulttype=1)
for w in ['chi1', 'he1', 'qu4', 'lai2', 'kan4', 'shuo1', 'xue2xi2', 'mai3', 'zou3',
          'lv3xing2', 'gong1zuo4', 'shui4jiao4']:
    L.item(w, 1)
# v is the usual way of typing ü; the processor then marks its tone
L.ime = ('pinyin', [('v', '00FC', True)])

if __name__ == '__main__':
    sys.stdout.write(L.xml())
