#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The real program as a native Wayland client of sway, headless: its window's screenshot
# (walls, empty field, one piece), a key that moves the piece, a hide to sway's scratchpad
# during which the game stands still and after which it goes on, Escape (which sway does not
# honour: the game goes on), and Alt+Q, which ends it with status 0, having printed nothing.
#
# Usage: jeu_sway.sh VORLAN VERIFIECAPTURE
set -euo pipefail

vorlan=$1
verifiecapture=$2

# shellcheck source=tests/bureau/sway.sh
source "$(dirname "${BASH_SOURCE[0]}")/sway.sh"

# shellcheck disable=SC2119 # the game's usual environment, nothing added
demarre_jeu
# A Wayland window shows once it has painted.
attend 15 fenetre_visible \
    || { echo "FAIL sway shows no window of app_id org.vorlan.Vorlan after 15 s" >&2; exit 1; }

# The first tick comes one second after start-up, about when sway has mapped the window: the
# piece may have moved down already.
capture_peinte()
{
    capture "$travail/depart.png" && "$verifiecapture" --peinte "$travail/depart.png"
}
attend 10 capture_peinte || { echo "FAIL the window was never painted" >&2; exit 1; }
statut=0
"$verifiecapture" --tombee "$travail/depart.png" >"$travail/verifiecapture.log" 2>&1 || statut=$?
verifie "statut == 0" "the window's screenshot ($geometrie): walls, empty field, one piece"
se_repeint

# The column (1 at the left) of the piece, from a fresh capture.
colonne=0
lire_colonne()
{
    capture "$travail/capture.png" 2>/dev/null || return 1
    colonne=$("$verifiecapture" --plateau "$travail/capture.png" |
        awk '{ i = match($0, /[^.]/); if (i) { print i; exit } } END { if (!i) print 0 }')
    ((colonne > 0))
}
attend 10 lire_colonne || { echo "FAIL no piece on screen" >&2; exit 1; }
avant=$colonne
if ((avant > 1)); then
    touche Left
    attendue=$((avant - 1))
else
    touche Right
    attendue=$((avant + 1))
fi
dans_colonne_attendue() { lire_colonne && ((colonne == attendue)); }
attend 10 dans_colonne_attendue || true
verifie "colonne == attendue" "an arrow key moved the piece from column $avant to column $colonne"

cache() { sway_commande move scratchpad; }
cachee() { ! fenetre_visible; }
montre() { sway_commande scratchpad show; }
cachee_puis_montree "sway's scratchpad" cache cachee montre fenetre_visible

# sway ignores a client's minimise request: after the game's short wait for it, play goes on.
piece_haute
depart=$bas
touche Escape
descend || true
verifie "bas > depart" "Escape, which sway ignores: the piece went on from row $depart to row $bas"

wtype -M alt -k q -m alt
fini_par "Alt+Q"
# Each wtype run adds a virtual keyboard that has no keymap for a moment, and sway 1.10 tells
# the client so ("no keymap"), which Qt 6.8 reports; a real seat always has a keymap.
grep -v -x 'qt.qpa.wayland: unknown keymap format: 0' "$travail/vorlan-stderr.log" \
    >"$travail/vorlan-stderr-jeu.log" || true
muet "$travail/vorlan-stderr-jeu.log"
bilan
