# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Shared by the scripts that run the game on a real X server; source it after setting `vorlan`
# (and `lireplateau` for lire_bas). It starts a private Xvfb display, large enough for the
# window at scale 2, with openbox (without a window manager a window never becomes active
# there), and defines, beside those of commun.sh:
#   fenetre_visible              sets $fenetre to the game's one visible window
#   capture FICHIER              a screenshot of that window's client area
#   ferme_par_alt_f4             presses Alt+F4, openbox's close command, and waits a second
#                                for the game to end

for outil in Xvfb openbox xdotool xprop import; do
    command -v "$outil" >/dev/null || { echo "FAIL $outil is not installed" >&2; exit 1; }
done

# shellcheck source=tests/bureau/commun.sh
source "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

# Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients;
# openbox then takes the display. Now and then a freshly started server refuses openbox's
# first connection: the pair is started again, up to three times.
gestionnaire_pret() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# pret_ou_fini PID: openbox is ready, or its process PID has ended (no use waiting longer).
pret_ou_fini() { gestionnaire_pret || ! kill -0 "$1" 2>/dev/null; }
demarre_affichage()
{
    : >"$travail/affichage"
    Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$travail/affichage" \
        >>"$travail/xvfb.log" 2>&1 &
    lances+=($!)
    attend 30 grep -q '^[0-9]\+$' "$travail/affichage" || return 1
    DISPLAY=:$(<"$travail/affichage")
    export DISPLAY
    env -i DISPLAY="$DISPLAY" HOME="$travail/home" PATH=/usr/bin:/bin openbox --sm-disable \
        >>"$travail/openbox.log" 2>&1 &
    lances+=($!)
    attend 30 pret_ou_fini "$!" && gestionnaire_pret
}
essais=0
until demarre_affichage; do
    arrete_lances
    ((++essais < 3)) || { echo "FAIL Xvfb and openbox did not start" >&2; exit 1; }
done

affichage=(DISPLAY="$DISPLAY")

fenetre_visible()
{
    jeu_en_vie || { echo "FAIL vorlan ended before showing its window" >&2; exit 1; }
    fenetre=$(xdotool search --onlyvisible --name '^Vorlan$' 2>/dev/null) || return 1
    [[ $fenetre != *$'\n'* ]]
}

capture() { import -silent -window "$fenetre" "$1"; }

# Openbox may still be setting up its key bindings when the game is already shown: a press
# that came too early is repeated.
ferme_par_alt_f4()
{
    xdotool key alt+F4
    attend 1 jeu_termine
}
