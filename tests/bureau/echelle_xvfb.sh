#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program at scale factor 2 (QT_SCALE_FACTOR=2) under openbox on a private Xvfb
# display: its screenshot is twice the client area's size in pixels, the field holds one piece
# in one column and is otherwise empty, and every cell border is a single sharp pixel (two where
# two cells meet). The field's shape and the window's size are verifiecapture's (--forme). The
# screenshot is left at CAPTURE.png.
#
# Usage: echelle_xvfb.sh VORLAN VERIFIECAPTURE CAPTURE.png
set -euo pipefail

vorlan=$1
verifiecapture=$2
capture=$3

# shellcheck source=tests/bureau/x11.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"

# The field's shape, and the client area's size at scale 1.
read -r colonnes rangees largeur hauteur < <("$verifiecapture" --forme)

demarre_jeu QT_SCALE_FACTOR=2
attend 15 fenetre_visible || { echo "FAIL no single visible window titled \"Vorlan\" after 15 s" >&2; exit 1; }

# Painted once the field shows its piece; verifiecapture reads no field from a capture of
# another size.
plateau=
capture_peinte()
{
    capture "$capture" 2>/dev/null || return 1
    plateau=$("$verifiecapture" --plateau --echelle 2 --traits "$capture" \
        2>"$travail/verifiecapture.log") || return 1
    head -n "$rangees" <<<"$plateau" | grep -q '[^.]'
}
attend 10 capture_peinte || true
read -r l h < <(identify -format '%w %h\n' "$capture" 2>/dev/null || echo 0 0)
verifie "l == 2 * largeur && h == 2 * hauteur" \
    "the window is twice its size in pixels at scale factor 2 ($l x $h, $largeur x $hauteur at 1)"
[[ -n $plateau ]] || { echo "FAIL no field with a piece in $capture:" >&2; cat "$travail/verifiecapture.log" >&2; exit 1; }

champ=$(head -n "$rangees" <<<"$plateau")
cases=$(tr -d '.\n' <<<"$champ" | wc -c)
en_colonnes=$(awk '{ for (i = 1; i <= length($0); i++) if (substr($0, i, 1) != ".") c[i] = 1 }
                   END { print length(c) }' <<<"$champ")
verifie "cases == 3 && en_colonnes == 1" \
    "one piece of 3 cells in one column ($cases coloured cell(s) in $en_colonnes column(s))"

mauvaises=0
while read -r numero traits; do
    # Along the n cells of a row or a column: 1, a 2 where each two cells meet, 1.
    n=$colonnes
    ((numero <= rangees)) || n=$rangees
    attendu="1$(printf ' 2%.0s' $(seq 2 "$n")) 1"
    if [[ $traits != "$attendu" ]]; then
        echo "border runs along line $numero: $traits (expected $attendu)"
        mauvaises=$((mauvaises + 1))
    fi
done < <(tail -n $((rangees + colonnes)) <<<"$plateau" | nl -ba -w1 -s' ')
verifie "mauvaises == 0" "one-pixel borders across the $rangees rows and down the $colonnes columns"

ferme_par_alt_f4
fini_par "closing by the window manager (Alt+F4)"
bilan
