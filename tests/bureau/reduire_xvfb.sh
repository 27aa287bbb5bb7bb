#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The game under a real window manager, openbox on a private Xvfb display. Minimised by the
# window manager's own command, and then by Escape, the game stands still (the falling piece
# does not move) until the window manager restores the window; then it goes on. Closed
# through the window manager (Alt+F4), the game ends with status 0, having printed nothing.
#
# Usage: reduire_xvfb.sh VORLAN VERIFIECAPTURE
set -euo pipefail

vorlan=$1
verifiecapture=$2

# shellcheck source=tests/bureau/x11.sh
source "$(dirname "${BASH_SOURCE[0]}")/x11.sh"

# shellcheck disable=SC2119 # the game's usual environment, nothing added
demarre_jeu
attend 15 fenetre_visible || { echo "FAIL no single visible window titled \"Vorlan\" after 15 s" >&2; exit 1; }

etat_wm() { xprop -id "$fenetre" WM_STATE 2>/dev/null | grep -q "window state: $1"; }
minimisee() { etat_wm Iconic; }
normale() { etat_wm Normal; }
# Restored through the window manager, as from its task list. The game takes keys (Space,
# Escape) only in its active window, as from the keyboard.
restaure() { xdotool windowactivate --sync "$fenetre"; }
minimise_par_le_gestionnaire() { xdotool windowminimize "$fenetre"; }
echappe() { xdotool key Escape; }

restaure
se_repeint
cachee_puis_montree "the window manager's minimise" minimise_par_le_gestionnaire minimisee \
    restaure normale
restaure
cachee_puis_montree "Escape" echappe minimisee restaure normale

ferme_par_alt_f4
fini_par "closing by the window manager (Alt+F4)"
muet "$travail/vorlan-stderr.log"
bilan
