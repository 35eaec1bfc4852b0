#!/usr/bin/env python3
"""Builds the register files of data/ from the public reference exports.

Usage: make_registers.py REFDATA_DIR DATA_DIR

REFDATA_DIR holds ekatte/, kid2008/, chemicals/ and directorates/ (UTF-8 CSV with a
header row). Writes OBLASTI, OBSHTINI, GRADOVE, KID, CAS and REGIONALNI_DIREKCII
as DATA_DIR/<TABLE>.csv in the form the database builder loads.
"""

import csv
import sys
from pathlib import Path

# Provinces are numbered in Bulgarian alphabetical order, the capital (SOF) just before
# the province around it (SFO). Both are called "София" in the national register, so
# they get names a user can tell apart.
PROVINCE_NAMES = {"SOF": "София-град", "SFO": "София-област"}
# Directorates 22 and 23 sit in the same city; these are the names the program's own
# upgrade writes into them, so the register reads the same before and after it.
DIRECTORATE_CITY = {"SOF": "София- Град", "SFO": "София- Област"}

CAS_NAME_MAX = 255
ELLIPSIS = "\u2026"

# Bulgarian alphabet order; the Unicode order of these letters is already that order,
# the key only makes blanks and hyphens sort before letters.
def bg_key(text):
    return [(0, "") if ch in " -" else (1, ch) for ch in text.lower()]


def read(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


def write(path, header, rows):
    with open(path, "w", encoding="utf-8", newline="") as f:
        w = csv.writer(f, lineterminator="\n")
        w.writerow(header)
        for row in rows:
            w.writerow(["" if v is None else v for v in row])


def shorten(text, limit):
    """Cut at the last blank that leaves room for the ellipsis. Systematic names can run
    for hundreds of characters without a blank; there a hyphen or comma is the boundary."""
    if len(text) <= limit:
        return text
    head = text[: limit - 1]
    cut = head.rfind(" ")
    if cut < len(head) * 2 // 3:
        cut = max(head.rfind("-"), head.rfind(",")) + 1
    if cut > 0:
        head = head[:cut]
    return head.rstrip(" ,;:([") + ELLIPSIS


def main(ref, out):
    ref, out = Path(ref), Path(out)
    out.mkdir(parents=True, exist_ok=True)

    oblasti = read(ref / "ekatte/oblasti.csv")
    # The capital comes first: sort it as if its name were just before "София".
    def province_key(r):
        return bg_key(r["name_bg"].split(" (")[0]) + [(0 if r["oblast_code"] == "SOF" else 1, "")]

    oblasti.sort(key=province_key)
    number = {r["oblast_code"]: i for i, r in enumerate(oblasti, start=1)}
    write(out / "OBLASTI.csv", ["OBLAST_CODE", "NAIMENOVANIE"],
          [[number[r["oblast_code"]], PROVINCE_NAMES.get(r["oblast_code"], r["name_bg"])]
           for r in oblasti])

    def municipality(code):  # "BGS04" -> 204
        return number[code[:3]] * 100 + int(code[3:])

    obshtini = read(ref / "ekatte/obshtini.csv")
    write(out / "OBSHTINI.csv", ["OBSHTINA_CODE", "OBLAST_CODE", "NAIMENOVANIE"],
          sorted([[municipality(r["obshtina_code"]), number[r["oblast_code"]], r["name_bg"]]
                  for r in obshtini]))

    # Names without the type ("гр.", "с."): the forms print their own "гр. (с)" label
    # in front of the name. The type stays available in TIP_CODE.
    places = read(ref / "ekatte/naseleni_mesta.csv")
    write(out / "GRADOVE.csv",
          ["GRAD_CODE", "OBLAST_CODE", "OBSHTINA_CODE", "TIP_CODE", "NAIMENOVANIE"],
          sorted([[int(r["ekatte"]), number[r["oblast_code"]], municipality(r["obshtina_code"]),
                   int(r["kind"]), r["name_bg"]] for r in places]))

    kid = read(ref / "kid2008/kid2008.csv")
    write(out / "KID.csv", ["KID_CODE", "KOD", "NAIMENOVANIE"],
          [[i, r["code"], r["name_bg"]] for i, r in enumerate(kid, start=1)])

    cas = read(ref / "chemicals/clp_annex_vi_atp21_by_cas.csv")
    write(out / "CAS.csv", ["CAS_CODE", "NOMER", "HIM_AGENT"],
          [[i, r["cas_no"], shorten(r["chemical_name"], CAS_NAME_MAX)]
           for i, r in enumerate(cas, start=1)])

    # Only the seat is known; postal code, address, phone and e-mail stay empty.
    direkcii = read(ref / "directorates/directorates.csv")
    rows = []
    for r in direkcii:
        city = r["seat_city"].removeprefix("гр. ").strip()
        rows.append([number[r["oblast_code"]], DIRECTORATE_CITY.get(r["oblast_code"], city),
                     r["postal_code"] or None, r["address"] or None, r["phone"] or None,
                     r["email"] or None])
    write(out / "REGIONALNI_DIREKCII.csv",
          ["REGIONALNA_DIREKCIA_CODE", "GRAD", "POSTENSKI_KOD", "ADRES", "TELEFON", "EL_POSHTA"],
          sorted(rows))


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2])
