#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program at scale factor 2 (QT_SCALE_FACTOR=2) under openbox on a private Xvfb
# display: its screenshot is twice the client area's size in pixels, the field holds one piece
# in one column and is otherwise empty, and every cell border is a single sharp pixel (two where two cells
# meet). The screenshot is left at CAPTURE.png.
#
# Usage: echelle_xvfb.sh VORLAN VERIFIECAPTURE CAPTURE.png
set -euo pipefail

vorlan=$1
verifiecapture=$2
capture=$3

# shellcheck source=tests/bureau/x11.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"

demarre_jeu QT_SCALE_FACTOR=2
attend 15 fenetre_visible || { echo "FAIL no single visible window titled \"Vorlan\" after 15 s" >&2; exit 1; }

# Painted once the field shows its piece.
plateau=
capture_peinte()
{
    capture "$capture" 2>/dev/null || return 1
    plateau=$("$verifiecapture" --plateau --echelle 2 --traits "$capture" \
        2>"$travail/verifiecapture.log") || return 1
    head -n 20 <<<"$plateau" | grep -q '[^.]'
}
if ! attend 10 capture_peinte; then
    echo "FAIL no field with a piece in the capture $capture" >&2
    cat "$travail/verifiecapture.log" >&2
    exit 1
fi
verifie 1 "the window is twice its size in pixels at scale factor 2"

champ=$(head -n 20 <<<"$plateau")
cases=$(tr -d '.\n' <<<"$champ" | wc -c)
colonnes=$(awk '{ for (i = 1; i <= 8; i++) if (substr($0, i, 1) != ".") c[i] = 1 }
                END { print length(c) }' <<<"$champ")
verifie "cases == 3 && colonnes == 1" \
    "one piece of 3 cells in one column ($cases coloured cell(s) in $colonnes column(s))"

attendu_ligne="1$(printf ' 2%.0s' {1..7}) 1"
attendu_colonne="1$(printf ' 2%.0s' {1..19}) 1"
mauvaises=0
while read -r numero traits; do
    if ((numero <= 20)); then
        attendu=$attendu_ligne
    else
        attendu=$attendu_colonne
    fi
    if [[ $traits != "$attendu" ]]; then
        echo "border runs along line $numero: $traits (expected $attendu)"
        mauvaises=$((mauvaises + 1))
    fi
done < <(tail -n 28 <<<"$plateau" | nl -ba -w1 -s' ')
verifie "mauvaises == 0" "one-pixel borders across the 20 rows and down the 8 columns"

xdotool windowactivate --sync "$fenetre"
if ferme_par_alt_f4; then
    statut=0
    wait "$jeu" || statut=$?
    jeu=
    verifie "statut == 0" "closed by the window manager, vorlan exited with status $statut"
else
    verifie 0 "closed by the window manager, vorlan still runs"
fi
bilan
