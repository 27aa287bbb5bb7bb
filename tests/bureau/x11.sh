# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Shared by the scripts that run the game on a real X server; source it after setting `vorlan`
# (and `verifiecapture` for lire_bas). It starts a private Xvfb display, large enough for the
# window at scale 2, with openbox (without a window manager a window never becomes active
# there), and defines, beside those of commun.sh:
#   fenetre_visible              sets $fenetre to the game's one visible window
#   capture FICHIER              a screenshot of that window's client area
#   touche TOUCHE                presses and releases a key, by its X keysym name
#   ferme_par_alt_f4             presses Alt+F4, openbox's close command, in the game's window
# On failure it prints the X server's window tree and openbox's list of the windows it manages.

for outil in Xvfb openbox xdotool xprop xwininfo import; do
    command -v "$outil" >/dev/null || { echo "FAIL $outil is not installed" >&2; exit 1; }
done

# shellcheck source=tests/bureau/commun.sh
source "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

# Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients.
# -noreset: an X server resets when its last client leaves, and a client that connects during
# the reset cannot open the display. A tool that polled the display before openbox connected
# made openbox's start fail that way now and then; the display must stay as it is whatever
# comes and goes.
Xvfb -displayfd 3 -noreset -screen 0 1600x1200x24 -nolisten tcp 3>"$travail/affichage" \
    >>"$travail/xvfb.log" 2>&1 &
lances+=($!)
processus_suivis+=("Xvfb $! $EPOCHREALTIME")
attend 30 grep -q '^[0-9]\+$' "$travail/affichage" || { echo "FAIL Xvfb did not start" >&2; exit 1; }
DISPLAY=:$(<"$travail/affichage")
export DISPLAY
affichage=(DISPLAY="$DISPLAY")

# What decides why a window did not show: the windows the X server has, whether the game's
# are mapped and in which state the window manager put them, and the windows openbox manages.
etat_affichage()
{
    echo "--- X window tree (xwininfo -root -tree)"
    timeout 5 xwininfo -root -tree 2>&1
    local w
    for w in $(timeout 5 xdotool search --name '^Vorlan$' 2>/dev/null); do
        echo "--- window $w titled Vorlan: $(timeout 5 xwininfo -id "$w" | grep 'Map State')," \
            "$(timeout 5 xprop -id "$w" WM_STATE | grep 'window state' || echo 'no WM_STATE')"
    done
    echo "--- openbox's clients (xprop -root _NET_CLIENT_LIST _NET_ACTIVE_WINDOW)"
    timeout 5 xprop -root _NET_CLIENT_LIST _NET_ACTIVE_WINDOW 2>&1
}

# openbox is ready only once it runs its --startup command. It sets _NET_SUPPORTING_WM_CHECK
# much earlier, as soon as it intercepts map requests, and only then loads its configuration
# and theme, grabs its keys and adopts the windows that exist; while adopting them it moves the
# events already queued into a private queue that its main loop reads only when the next event
# comes. A window that asks to be mapped in that gap stays unmapped until some unrelated event
# reaches openbox, which in a test may never happen.
printf -v pret 'touch %q' "$travail/openbox-pret"
env -i DISPLAY="$DISPLAY" HOME="$travail/home" PATH=/usr/bin:/bin \
    openbox --sm-disable --startup "$pret" >>"$travail/openbox.log" 2>&1 &
openbox=$!
lances+=("$openbox")
processus_suivis+=("openbox $openbox $EPOCHREALTIME")
# shellcheck disable=SC2317 # called through attend
openbox_pret()
{
    en_vie "$openbox" || { echo "FAIL openbox ended at start-up" >&2; exit 1; }
    [[ -e $travail/openbox-pret ]]
}
attend 30 openbox_pret || { echo "FAIL openbox did not finish starting" >&2; exit 1; }

# The first key xdotool sends after the server started is the first from the server's XTEST
# keyboard, which then becomes the source of the core keyboard (a change of keyboard that
# openbox follows). An Alt+F4 sent as that first key missed openbox's binding about one time in
# three (the window stayed open), and never once any key had come before it. So a lone Shift
# is sent now, before the game exists, and openbox is known to have taken in what followed once
# it has answered two later requests (it handles its events in order): one more desktop, and
# the four of its default again.
nombre_de_bureaux() { xprop -root _NET_NUMBER_OF_DESKTOPS 2>/dev/null | grep -q "= $1\$"; }
xdotool key shift
for bureaux in 5 4; do
    xdotool set_num_desktops "$bureaux"
    attend 10 nombre_de_bureaux "$bureaux" \
        || { echo "FAIL openbox did not set $bureaux desktops" >&2; exit 1; }
done

fenetre_visible()
{
    jeu_en_vie || { echo "FAIL vorlan ended before showing its window" >&2; exit 1; }
    fenetre=$(xdotool search --onlyvisible --name '^Vorlan$' 2>/dev/null) || return 1
    [[ $fenetre != *$'\n'* ]]
}

capture() { import -silent -window "$fenetre" "$1"; }

touche() { xdotool key "$1"; }

ferme_par_alt_f4()
{
    xdotool windowactivate --sync "$fenetre"
    xdotool key alt+F4
}
