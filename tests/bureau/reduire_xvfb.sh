#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The game under a real window manager, openbox on a private Xvfb display. Minimised by the
# window manager's own command, and then by Escape, the game stands still (the falling piece
# does not move) until the window manager restores the window; then it goes on. Closed
# through the window manager (Alt+F4), the game ends with status 0, having printed nothing.
#
# Usage: reduire_xvfb.sh VORLAN LIREPLATEAU
set -euo pipefail

vorlan=$1
lireplateau=$2

# shellcheck source=tests/bureau/x11.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"

# shellcheck disable=SC2119 # the game's usual environment, nothing added
demarre_jeu
attend 30 fenetre_visible || { echo "FAIL no single visible window titled \"Vorlan\"" >&2; exit 1; }

etat_wm() { xprop -id "$fenetre" WM_STATE 2>/dev/null | grep -q "window state: $1"; }

# One round: minimise with the given command, stay minimised three seconds (three ticks),
# restore through the window manager, and watch the piece for two and a half seconds more.
tour()
{
    local nom=$1
    shift
    apres_un_tic
    local depart=$bas
    "$@"
    attend 5 etat_wm Iconic || { echo "FAIL $nom: the window manager never showed it minimised" >&2; exit 1; }
    sleep 3
    xdotool windowactivate --sync "$fenetre"
    attend 5 etat_wm Normal || { echo "FAIL $nom: the window manager did not restore it" >&2; exit 1; }
    attend 5 lire_bas || { echo "FAIL $nom: no piece on screen after restoring" >&2; exit 1; }
    local restaure=$bas
    # A tick may fall between the minimise command and the window's state change, or between
    # the restore and the capture: one row at most, against three had the game gone on.
    verifie "restaure - depart <= 1" \
        "$nom: minimised for 3 s, the piece went from row $depart to row $restaure"
    sleep 2.5
    attend 5 lire_bas || { echo "FAIL $nom: no piece on screen" >&2; exit 1; }
    verifie "bas - restaure >= 2" \
        "$nom: restored for 2.5 s, the piece went on from row $restaure to row $bas"
}

tour "the window manager's minimise" xdotool windowminimize "$fenetre"
# Escape reaches the game only in its active window, as from the keyboard.
xdotool windowactivate --sync "$fenetre"
tour "Escape" xdotool key Escape

# Alt+F4 is openbox's own close command: the window manager asks the window to close.
xdotool windowactivate --sync "$fenetre"
if ferme_par_alt_f4; then
    statut=0
    wait "$jeu" || statut=$?
    jeu=
    verifie "statut == 0" "closed by the window manager, vorlan exited with status $statut"
else
    verifie 0 "closed by the window manager, vorlan still runs"
fi
if [[ -s $travail/vorlan-stderr.log || -s $travail/vorlan-stdout.log ]]; then
    verifie 0 "vorlan printed something in normal play"
else
    verifie 1 "vorlan printed nothing"
fi
bilan
