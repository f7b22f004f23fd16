#!/usr/bin/env python3
"""Writes swedish.txt (the project source) and flag.png beside this script.

Swedish verbs do not change for person: a tense is one form (or an auxiliary and the
infinitive or supine). Strong and irregular verbs are marked on their changed forms.
Run again after editing the verb list; the build compiles swedish.txt into swedish.vlx.
"""
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# infinitive, present, preterite, supine, imperative, strong/irregular
VERBS = [
    ("tala", "talar", "talade", "talat", "tala", False),
    ("arbeta", "arbetar", "arbetade", "arbetat", "arbeta", False),
    ("öppna", "öppnar", "öppnade", "öppnat", "öppna", False),
    ("laga", "lagar", "lagade", "lagat", "laga", False),
    ("kasta", "kastar", "kastade", "kastat", "kasta", False),
    ("titta", "tittar", "tittade", "tittat", "titta", False),
    ("dansa", "dansar", "dansade", "dansat", "dansa", False),
    ("hoppa", "hoppar", "hoppade", "hoppat", "hoppa", False),
    ("prata", "pratar", "pratade", "pratat", "prata", False),
    ("svara", "svarar", "svarade", "svarat", "svara", False),
    ("stänga", "stänger", "stängde", "stängt", "stäng", False),
    ("ringa", "ringer", "ringde", "ringt", "ring", False),
    ("höra", "hör", "hörde", "hört", "hör", False),
    ("köpa", "köper", "köpte", "köpt", "köp", False),
    ("läsa", "läser", "läste", "läst", "läs", False),
    ("resa", "reser", "reste", "rest", "res", False),
    ("bo", "bor", "bodde", "bott", "bo", False),
    ("tro", "tror", "trodde", "trott", "tro", False),
    ("sy", "syr", "sydde", "sytt", "sy", False),
    ("vara", "är", "var", "varit", "var", True),
    ("ha", "har", "hade", "haft", "ha", True),
    ("gå", "går", "gick", "gått", "gå", True),
    ("komma", "kommer", "kom", "kommit", "kom", True),
    ("se", "ser", "såg", "sett", "se", True),
    ("göra", "gör", "gjorde", "gjort", "gör", True),
    ("skriva", "skriver", "skrev", "skrivit", "skriv", True),
    ("dricka", "dricker", "drack", "druckit", "drick", True),
    ("sova", "sover", "sov", "sovit", "sov", True),
    ("ta", "tar", "tog", "tagit", "ta", True),
    ("äta", "äter", "åt", "ätit", "ät", True),
    ("springa", "springer", "sprang", "sprungit", "spring", True),
    ("sitta", "sitter", "satt", "suttit", "sitt", True),
    ("stå", "står", "stod", "stått", "stå", True),
]

TENSES = ["Presens", "Preteritum", "Perfekt", "Pluskvamperfekt", "Futurum", "Imperativ"]
PRONOUNS = ["jag", "du", "han/hon", "vi", "ni", "de"]
HEAD = ('<html><head><meta http-equiv="Content-Type" content="text/html; charset=UTF-8">'
        '<link rel="stylesheet" href="style.css"><title></title></head><body>')
TAIL = "</body></html>"


def form(text, irregular):
    return f'<span class="{"irregular" if irregular else "normal"}">{text}</span>'


def table(rows):
    cells = "".join(f'<tr><td class="pronoun">{p}</td><td>{f}</td></tr>' for p, f in rows)
    return f"{HEAD}<table>{cells}</table>{TAIL}"


def pages(verb):
    inf, pres, pret, sup, imp, strong = verb
    # Irregular verbs change their stem in the present too (är, gör, har).
    pres_irregular = strong and not pres.startswith(inf.rstrip("a"))
    return [
        table([(p, form(pres, pres_irregular)) for p in PRONOUNS]),
        table([(p, form(pret, strong)) for p in PRONOUNS]),
        table([(p, "har " + form(sup, strong)) for p in PRONOUNS]),
        table([(p, "hade " + form(sup, strong)) for p in PRONOUNS]),
        table([(p, "ska " + inf) for p in PRONOUNS]),
        table([("du", form(imp + "!", strong and imp != inf)), ("ni", form(imp + "!", strong and imp != inf))]),
    ]


def description():
    return (HEAD + '<h1>Svenska</h1><p><img src="flag.png" alt="flag"></p>'
            "<p>Swedish is a North Germanic language spoken by about ten million people, "
            "mainly in Sweden and in parts of Finland. Verbs do not change for person: "
            "<i>jag talar, du talar, vi talar</i>. Weak verbs form the past with a dental "
            "suffix (-ade, -de, -te, -dde); strong verbs change their vowel "
            "(<i>skriva, skrev, skrivit</i>).</p>" + TAIL)


def project():
    lines = [
        "#AUTHOR:Flexel sample",
        "#EMAIL:",
        "#FAMILY:Indo-European, Germanic, North",
        "#SUMMARY:Thirty-three common Swedish verbs in six tenses.",
        "#SIL:swe",
        "#COPYRIGHT:",
        "#NAME:Swedish (sample)",
        "#DESCRIPTION:" + description(),
        "#TENSES",
    ]
    lines += [f"{i}:{name}" for i, name in enumerate(TENSES, start=1)]
    lines.append("#WORDS")
    for verb in VERBS:
        lines.append(verb[0])
        lines += [f"{i}:{page}" for i, page in enumerate(pages(verb), start=1)]
        lines.append("#")
    return "\r\n".join(lines) + "\r\n"


def png(width, height, pixel):
    raw = b"".join(b"\x00" + b"".join(bytes(pixel(x, y)) for x in range(width))
                   for y in range(height))

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data
                + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def flag_pixel(x, y):
    # Blue field with a yellow Nordic cross (proportions 5:2:9 across, 4:2:4 down).
    blue, yellow = (0, 106, 167), (254, 204, 0)
    return yellow if 20 <= x < 28 or 16 <= y < 24 else blue


def main():
    with open(os.path.join(HERE, "swedish.txt"), "w", encoding="utf-8-sig", newline="") as f:
        f.write(project())
    with open(os.path.join(HERE, "flag.png"), "wb") as f:
        f.write(png(64, 40, flag_pixel))


if __name__ == "__main__":
    main()
