"""Writes a language extension from compact tables.

A language is described by its tenses, its regular patterns (endings per form slot), the check
rules that classify unlisted words, and its irregular verbs as full forms of the base verb. The
writer turns irregular verbs into patterns that inherit their regular pattern and replace, slot
by slot, only the forms that differ: each replaced slot is cleared to its pronoun and gets the
irregular form through a root transducer "[Z](stem:form)", where the group [Z] matches any
prefix (or none), so compounds such as "mantener" reuse the pattern of "tener".
"""
from xml.sax.saxutils import escape, quoteattr

IRREGULAR = '*'
ORTHO = '+'
ARCHAIC = '\u00bd'


def attr(**kw):
    out = []
    for k, v in kw.items():
        if v is None:
            continue
        out.append('%s=%s' % (k.rstrip('_'), quoteattr(str(v))))
    return ' '.join(out)


class Pattern:
    def __init__(self, num, comment, inherits=None, mode='add'):
        self.num = num
        self.comment = comment
        self.inherits = inherits
        self.mode = mode
        self.records = []  # (tense, command, mask, text)

    def add(self, tense, command, text, mask=None):
        # Element text loses its leading and trailing white space when read: a space at either
        # end must come from a transducer instead ("(: )").
        assert text == text.strip(), (self.num, tense, text)
        self.records.append((tense, command, mask, text))


def slot_mask(slot, forms):
    return ''.join('1' if s == slot else '0' for s in range(1, forms + 1))


class Language:
    def __init__(self, name):
        self.name = name
        self.info = {}
        self.tenses = []  # (id, name, forms, indent)
        self.pronouns = {}  # tense id -> list of column 0 texts
        self.groups = []  # (id, members)
        self.patterns = {}
        self.rules = []
        self.items = []
        self.extra_groups = []  # (element name, description, [(id, type, text)])
        self.ime = None  # (processor, [(source, value, published)])
        self.imenative = None
        self.preprocess = []
        self.group_name = 'verbs'
        self.group_description = 'Verbs'

    # --- tenses and patterns ---
    def tense(self, tid, name, forms, indent=0, pronouns=None):
        self.tenses.append((tid, name, forms, indent))
        if pronouns is not None:
            assert len(pronouns) == forms, (name, pronouns)
            self.pronouns[tid] = pronouns

    def heading(self, name, indent=0):
        self.tenses.append((0, name, 0, indent))

    def forms_of(self, tid):
        for t in self.tenses:
            if t[0] == tid and t[2] > 0:
                return t[2]
        raise KeyError(tid)

    def pattern(self, num, comment, inherits=None, mode='add'):
        assert num not in self.patterns, num
        if inherits is not None:
            assert inherits < num, 'a parent must have a lower number (%d < %d)' % (inherits, num)
        p = Pattern(num, comment, inherits, mode)
        self.patterns[num] = p
        return p

    def col0(self, tid, slot):
        pr = self.pronouns.get(tid)
        return (pr[slot - 1] + '%tab%') if pr else ''

    def simple(self, p, tid, endings, stem='%root%'):
        """One add record per slot: pronoun, tab, stem and ending. None leaves the slot empty."""
        F = self.forms_of(tid)
        assert len(endings) == F, (tid, endings)
        for s, e in enumerate(endings, 1):
            if e is None:
                continue
            p.add(tid, 'add', self.col0(tid, s) + ';'.join(stem + a for a in e.split(';')),
                  slot_mask(s, F))

    def with_transducer(self, p, tid, before, pattern, after=None, command='roottransducer'):
        """Per slot: add `before[s]` (after the pronoun); then one root transducer for all slots;
        then add `after[s]`."""
        F = self.forms_of(tid)
        before = list(before) if before else [''] * F
        after = list(after) if after else None
        assert '|' not in pattern
        if any(b.endswith(' ') for b in before):
            assert all(b.endswith(' ') for b in before), before
            before = [b[:-1] for b in before]
            pattern = '(: )' + pattern
        if after and any(a.startswith(' ') for a in after):
            assert all(a.startswith(' ') for a in after), after
            after = [a[1:] for a in after]
            pattern = pattern + '(: )'
        for s in range(1, F + 1):
            p.add(tid, 'add', self.col0(tid, s) + before[s - 1], slot_mask(s, F))
        p.add(tid, command, pattern)
        if after:
            for s in range(1, F + 1):
                if after[s - 1]:
                    p.add(tid, 'add', after[s - 1], slot_mask(s, F))

    def override(self, p, tid, slot, patterns, before='', after='', col0=None):
        """Replaces one slot: cleared to its pronoun (and `before`), then the output of one root
        transducer per alternative (each followed by `after`), the alternatives joined by ";"."""
        F = self.forms_of(tid)
        m = slot_mask(slot, F)
        if isinstance(patterns, str):
            patterns = [patterns]
        patterns = list(patterns or [])
        for pat in patterns:
            assert '|' not in pat
        if before.endswith(' '):
            before = before[:-1]
            patterns = ['(: )' + x for x in patterns]
        if after.startswith(' '):
            after = after[1:]
            patterns = [x + '(: )' for x in patterns]
        p.add(tid, 'clear', (self.col0(tid, slot) if col0 is None else col0) + before, m)
        for i, pat in enumerate(patterns):
            if i:
                p.add(tid, 'add', ';' + before, m)
            p.add(tid, 'roottransducer', pat, m)
            if after:
                p.add(tid, 'add', after, m)

    def rule(self, text, resulttype=None, replace=None, setvariable=None, id=None, private=None,
             comment=None):
        self.rules.append(dict(text=text, resulttype=resulttype, replace=replace,
                               setvariable=setvariable, id=id, private=private, comment=comment))

    def item(self, word, type_, **kw):
        self.items.append((word, type_, kw))

    # --- writing ---
    def _code_xml(self, ind):
        out = []
        order = {t[0]: i for i, t in enumerate(self.tenses)}
        last_tense = None
        for num in sorted(self.patterns):
            p = self.patterns[num]
            out.append('%s<!-- %d: %s -->' % (ind, num, escape(p.comment).replace('--', '-')))
            if p.inherits is not None:
                out.append('%s<item %s/>' % (ind, attr(type=num, inherits=p.inherits,
                                                        command=p.mode)))
            # Records of one tense must be contiguous: numbering restarts with each new tense.
            groups = []
            for rec in p.records:
                for g in groups:
                    if g[0] == rec[0]:
                        g[1].append(rec)
                        break
                else:
                    groups.append((rec[0], [rec]))
            groups.sort(key=lambda g: order[g[0]])
            if groups and groups[0][0] == last_tense:
                if len(groups) > 1:
                    groups = groups[1:] + groups[:1]
                else:
                    # A run that would continue the previous pattern's numbering: break it.
                    out.append('%s<item %s/>' % (ind, attr(type=0, tense=-1, command='add')))
            for tid, recs in groups:
                for (t, cmd, mask, text) in recs:
                    out.append('%s<item %s>%s</item>' % (
                        ind, attr(type=num, tense=t, mask=mask or None, command=cmd), escape(text)))
                last_tense = tid
        return out

    def xml(self):
        I = '  '
        o = ['<?xml version="1.0" encoding="UTF-8"?>', '<languages>']
        o += self.language_xml(I)
        o.append('</languages>')
        return '\n'.join(o) + '\n'

    def language_xml(self, I):
        o = [I + '<language>']
        o += self._info_xml(I * 2)
        o.append(I * 2 + '<words>')
        if self.groups:
            o.append(I * 3 + '<groups>')
            for gid, members in self.groups:
                o.append(I * 4 + '<group %s>%s</group>' % (attr(id=gid), escape(members)))
            o.append(I * 3 + '</groups>')
        o.append(I * 3 + '<%s %s>' % (self.group_name, attr(published='yes',
                                                            description=self.group_description,
                                                            heuristic='yes')))
        o.append(I * 4 + '<tenses>')
        for (tid, name, forms, indent) in self.tenses:
            o.append(I * 5 + '<item %s>%s</item>' % (attr(id=tid, forms=forms, indent=indent),
                                                       escape(name)))
        o.append(I * 4 + '</tenses>')
        o.append(I * 4 + '<rules>')
        o.append(I * 5 + '<check>')
        for r in self.rules:
            if r['comment']:
                o.append(I * 6 + '<!-- %s -->' % escape(r['comment']))
            o.append(I * 6 + '<rule %s>%s</rule>' % (
                attr(id=r['id'], resulttype=r['resulttype'], replace=r['replace'],
                     setvariable=r['setvariable'], private=r['private']), escape(r['text'])))
        o.append(I * 5 + '</check>')
        o.append(I * 4 + '</rules>')
        o.append(I * 4 + '<code>')
        o += self._code_xml(I * 5)
        o.append(I * 4 + '</code>')
        o.append(I * 4 + '<items>')
        for (w, t, kw) in self.items:
            o.append(I * 5 + '<item %s>%s</item>' % (attr(type=t, **kw), escape(w)))
        o.append(I * 4 + '</items>')
        o.append(I * 3 + '</%s>' % self.group_name)
        for (name, desc, entries) in self.extra_groups:
            o.append(I * 3 + '<%s %s>' % (name, attr(published='no', description=desc)))
            o.append(I * 4 + '<items>')
            for (iid, ty, text) in entries:
                o.append(I * 5 + '<item %s>%s</item>' % (attr(id=iid, type=ty), escape(text)))
            o.append(I * 4 + '</items>')
            o.append(I * 3 + '</%s>' % name)
        o.append(I * 2 + '</words>')
        if self.preprocess:
            o.append(I * 2 + '<preprocess>')
            for (find, value) in self.preprocess:
                o.append(I * 3 + '<item %s>%s</item>' % (attr(value=value), escape(find)))
            o.append(I * 2 + '</preprocess>')
        for tag, table in (('ime', self.ime), ('imenative', self.imenative)):
            if table is None:
                continue
            proc, entries = table
            o.append(I * 2 + '<%s%s>' % (tag, (' ' + attr(processor=proc)) if proc else ''))
            for (src, val, pub) in entries:
                o.append(I * 3 + '<item %s>%s</item>' % (
                    attr(value=val, published='yes' if pub else None), escape(src)))
            o.append(I * 2 + '</%s>' % tag)
        o.append(I + '</language>')
        return o

    def _info_xml(self, I):
        inf = self.info
        o = [I + '<info>']
        o.append(I + '  <name>%s</name>' % escape(self.name))
        for k in ('code', 'family'):
            if k in inf:
                o.append(I + '  <%s>%s</%s>' % (k, escape(inf[k]), k))
        if 'status' in inf:
            o.append(I + '  <status percentage="%d">%s</status>' % (inf['status'][0],
                                                                     escape(inf['status'][1])))
        for k in ('created', 'modified'):
            if k in inf:
                o.append(I + '  <%s>%s</%s>' % (k, inf[k], k))
        if 'countries' in inf:
            o.append(I + '  <wherespoken>')
            for c in inf['countries']:
                o.append(I + '    <country>%s</country>' % escape(c))
            o.append(I + '  </wherespoken>')
        if 'speakers' in inf:
            o.append(I + '  <speakers>')
            o.append(I + '    <native>%d</native>' % inf['speakers'][0])
            if len(inf['speakers']) > 1:
                o.append(I + '    <total type="second">%d</total>' % inf['speakers'][1])
            o.append(I + '  </speakers>')
        if 'books' in inf:
            o.append(I + '  <books>')
            for b in inf['books']:
                b = dict(b)
                title = b.pop('title')
                o.append(I + '    <book %s>%s</book>' % (attr(**b), escape(title)))
            o.append(I + '  </books>')
        o.append(I + '  <parser><name>FlexelXML</name><version><major>1</major><minor>0</minor>'
                 '<sub>0</sub></version></parser>')
        o.append(I + '  <extrainfo>')
        o.append(I + '    <item name="Summary">%s</item>' % escape(inf.get('summary', '')))
        for (n, t) in inf.get('extra', []):
            o.append(I + '    <item %s>%s</item>' % (attr(name=n), escape(t)))
        o.append(I + '  </extrainfo>')
        o.append(I + '</info>')
        return o


def irregular(lang, num, comment, parent, stem, regular_forms, forms, rule_texts, setvariable,
              marker=IRREGULAR, before=None, after=None):
    """A pattern for an irregular verb: inherits `parent` and replaces the slots where `forms`
    (tense id -> list of forms of the base verb, None = regular) differ from `regular_forms`
    (the parent's forms of the same base verb). `stem` is the base verb's regular stem, which
    the check rule leaves as the root (with any prefix in front of it)."""
    p = lang.pattern(num, comment, inherits=parent)
    for tid, fl in forms.items():
        reg = regular_forms.get(tid)
        for s, f in enumerate(fl, 1):
            if f is None:
                continue
            if reg is not None and s <= len(reg) and reg[s - 1] == f:
                continue
            if f == '':
                lang.override(p, tid, s, None)
                continue
            pats = []
            for a in f.split(';'):
                if not a.endswith(('*', '+', '\u00bd', '_')):
                    a += marker
                pats.append('[Z](%s:%s)' % (stem, a))
            col0 = None
            if getattr(lang, 'pronoun_for', None):
                # a pronoun that depends on the form itself (French je / j')
                col0 = lang.pronoun_for(tid, s, f.split(';')[0])
            lang.override(p, tid, s, pats, before.get(tid, '') if before else '',
                          after.get(tid, '') if after else '', col0)
    for rt in rule_texts:
        lang.rule(rt, resulttype=num, replace=1, setvariable=setvariable)
    return p
