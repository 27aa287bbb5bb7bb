#!/usr/bin/env python3
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Checks that debian/copyright tells of every file what the REUSE data (the files' own
# headers and .reuse/dep5, as `reuse spdx` reports them) tells: the same licence and the same
# copyright. The Debian package ships the first; the project's licence check reads the second.
#
# Usage: copyrightdebian.py SOURCE_DIR
import fnmatch
import re
import subprocess
import sys


def fichiers_reuse(racine):
    """{path: (licences, copyright)} from `reuse spdx`."""
    sortie = subprocess.run(["reuse", "--root", racine, "spdx"], capture_output=True,
                            text=True, check=True).stdout
    fichiers, chemin = {}, None
    for champ in re.finditer(r"^(\w+): (<text>.*?</text>|[^\n]*)$", sortie, re.M | re.S):
        nom, valeur = champ.group(1), champ.group(2)
        valeur = re.sub(r"^<text>|</text>$", "", valeur)
        if nom == "FileName":
            chemin = valeur.removeprefix("./")
            fichiers[chemin] = (set(), [])
        elif chemin and nom == "LicenseInfoInFile":
            fichiers[chemin][0].add(valeur)
        elif chemin and nom == "FileCopyrightText":
            for ligne in valeur.splitlines():
                fichiers[chemin][1].append(ligne.removeprefix("SPDX-FileCopyrightText:").strip())
    return fichiers


def paragraphes_debian(chemin):
    """The Files paragraphs of a DEP-5 file: [(patterns, licence, copyright lines)]."""
    paragraphes = []
    for bloc in open(chemin, encoding="utf-8").read().split("\n\n"):
        champs, dernier = {}, None
        for ligne in bloc.splitlines():
            if ligne.startswith((" ", "\t")) and dernier:
                champs[dernier] += "\n" + ligne.strip()
            elif ":" in ligne:
                dernier, valeur = ligne.split(":", 1)
                champs[dernier] = valeur.strip()
        if "Files" in champs:
            paragraphes.append((champs["Files"].split(), champs["License"].split("\n")[0],
                                [l for l in champs["Copyright"].splitlines() if l]))
    return paragraphes


def main():
    racine = sys.argv[1]
    paragraphes = paragraphes_debian(f"{racine}/debian/copyright")
    fichiers = fichiers_reuse(racine)
    fautes = []
    for chemin, (licences, copyright) in sorted(fichiers.items()):
        # As in DEP-5, the last paragraph that matches wins, and "*" matches "/" too.
        trouves = [p for p in paragraphes if any(fnmatch.fnmatchcase(chemin, m) for m in p[0])]
        if not trouves:
            fautes.append(f"{chemin}: in no Files paragraph of debian/copyright")
            continue
        _, licence, lignes = trouves[-1]
        if licences != {licence}:
            fautes.append(f"{chemin}: REUSE says {sorted(licences)}, debian/copyright {licence}")
        if sorted(copyright) != sorted(lignes):
            fautes.append(f"{chemin}: REUSE says {copyright}, debian/copyright {lignes}")
    for faute in fautes:
        print(faute)
    print(f"{len(fichiers)} files, {len(fautes)} disagreements")
    sys.exit(1 if fautes or not fichiers else 0)


main()
