#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Runs the real program on a private Xvfb display under openbox (without a window manager a
# window never becomes active there), checks a screenshot of its window taken right after
# start-up, quits it with its Quit button, and checks that it printed nothing.
#
# Usage: fenetre_xvfb.sh VORLAN VERIFIECAPTURE CAPTURE.png
set -euo pipefail

vorlan=$1
verifiecapture=$2
capture=$3

# shellcheck source-path=SCRIPTDIR source=../bureau/x11.sh
source "$(dirname "$(readlink -f "${BASH_SOURCE[0]}")")/../bureau/x11.sh"

# The game as a user starts it, in a fixed environment: no platform forced, a private runtime
# directory and home. The first tick moves the piece one interval after start-up, so the window
# is looked for and captured at once; on a loaded machine that may take longer, and the piece
# may then be one row lower for each interval since the game was started.
# shellcheck disable=SC2119 # the game's usual environment, nothing added
demarre_jeu
attend 15 fenetre_visible || { echo "FAIL not one visible window titled \"Vorlan\" after 15 s" >&2; exit 1; }

capture_peinte()
{
    capture "$capture" && "$verifiecapture" --peinte "$capture"
}
if ! attend 10 capture_peinte; then
    echo "FAIL the window was never painted; the last capture is $capture" >&2
    "$verifiecapture" "$capture" || true
    exit 1
fi
depuis=$(awk -v a="$jeu_lance" -v b="$EPOCHREALTIME" 'BEGIN { print int((b - a) * 1000) }')
"$verifiecapture" --depuis "$depuis" "$capture" \
    || { echo "FAIL see the capture $capture, taken $depuis ms after start-up" >&2; exit 1; }

# Quit, at the centre of the button.
read -r x y < <("$verifiecapture" --centre-quitter)
xdotool mousemove --window "$fenetre" "$x" "$y" click 1
fini_par "a click on Quitter"
muet "$travail/vorlan-stderr.log"
bilan
