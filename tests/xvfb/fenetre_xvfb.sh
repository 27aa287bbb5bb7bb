#!/usr/bin/env bash
# Runs the real program on a private Xvfb display under openbox (without a window manager a
# window never becomes active there), checks a screenshot of its window taken right after
# start-up, quits it with its Quit button, and checks that it printed nothing.
#
# Usage: fenetre_xvfb.sh VORLAN VERIFIECAPTURE CAPTURE.png
set -euo pipefail

vorlan=$1
verifiecapture=$2
capture=$3

for outil in Xvfb openbox xdotool xprop import; do
    command -v "$outil" >/dev/null || { echo "FAIL $outil is not installed" >&2; exit 1; }
done

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-xvfb.XXXXXX")
mkdir -m 700 "$travail/runtime" "$travail/home"
lances=() # Xvfb and openbox, in the order they were started
jeu=      # the game, until it has been waited for

# Ends every process started here, last started first, and shows their logs on failure.
termine()
{
    local statut=$?
    local k
    if [[ -n $jeu ]]; then
        kill "$jeu" 2>/dev/null || true
        wait "$jeu" 2>/dev/null || true
    fi
    for ((k = ${#lances[@]} - 1; k >= 0; k--)); do
        kill "${lances[k]}" 2>/dev/null || true
        wait "${lances[k]}" 2>/dev/null || true
    done
    if ((statut != 0)); then
        local journal
        for journal in "$travail"/*.log; do
            [[ -s $journal ]] && { echo "--- ${journal##*/}"; cat "$journal"; }
        done
    fi
    rm -rf "$travail"
    exit "$statut"
}
trap termine EXIT

# attend SECONDES COMMANDE...: runs COMMANDE every 20 ms until it succeeds; fails after
# SECONDES seconds.
attend()
{
    local fin=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < fin)) || return 1
        sleep 0.02
    done
}

# Xvfb picks a free display number itself and writes it to fd 3 once it accepts clients;
# openbox then takes the display. Now and then a freshly started server refuses openbox's
# first connection: the pair is started again, up to three times.
gestionnaire_pret() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
# pret_ou_fini PID: openbox is ready, or its process PID has ended (no use waiting longer).
pret_ou_fini() { gestionnaire_pret || ! kill -0 "$1" 2>/dev/null; }
demarre_affichage()
{
    : >"$travail/affichage"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$travail/affichage" \
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
    for ((k = ${#lances[@]} - 1; k >= 0; k--)); do
        kill "${lances[k]}" 2>/dev/null || true
        wait "${lances[k]}" 2>/dev/null || true
    done
    lances=()
    ((++essais < 3)) || { echo "FAIL Xvfb and openbox did not start" >&2; exit 1; }
done

# A sanitized build takes its options (and leak suppressions) from the environment.
sanitiseurs=()
for variable in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
    if [[ -n ${!variable:-} ]]; then
        sanitiseurs+=("$variable=${!variable}")
    fi
done

# The game as a user starts it, in a fixed environment: no platform forced, a private runtime
# directory and home.
env -i DISPLAY="$DISPLAY" HOME="$travail/home" XDG_RUNTIME_DIR="$travail/runtime" \
    PATH=/usr/bin:/bin LANG=C.UTF-8 "${sanitiseurs[@]}" "$vorlan" >"$travail/vorlan-stdout.log" \
    2>"$travail/vorlan-stderr.log" &
jeu=$!

# True while the game runs (a game that ended stays a zombie until it is waited for).
jeu_en_vie()
{
    local etat
    { read -r _ _ etat _ <"/proc/$jeu/stat"; } 2>/dev/null && [[ $etat != Z ]]
}

# The first tick moves the piece one second after start-up, so the window is looked for and
# captured at once rather than at xdotool's half-second --sync pace.
fenetre_visible()
{
    jeu_en_vie || { echo "FAIL vorlan ended before showing its window" >&2; exit 1; }
    fenetre=$(xdotool search --onlyvisible --name '^Vorlan$' 2>/dev/null) || return 1
}
attend 30 fenetre_visible || { echo "FAIL no visible window titled \"Vorlan\"" >&2; exit 1; }
if [[ $fenetre == *$'\n'* ]]; then
    echo "FAIL more than one window titled \"Vorlan\": $fenetre" >&2
    exit 1
fi

capture_peinte()
{
    import -silent -window "$fenetre" "$capture" && "$verifiecapture" --peinte "$capture"
}
if ! attend 10 capture_peinte; then
    echo "FAIL the window was never painted; the last capture is $capture" >&2
    "$verifiecapture" "$capture" || true
    exit 1
fi
"$verifiecapture" "$capture" || { echo "FAIL see the capture $capture" >&2; exit 1; }

# Quit, at the centre of the button: (4620, 4620) + (1380, 750) / 2 twips.
xdotool mousemove --window "$fenetre" 354 333 click 1
jeu_termine() { ! jeu_en_vie; }
attend 10 jeu_termine || { echo "FAIL vorlan still runs after a click on Quitter" >&2; exit 1; }
statut=0
wait "$jeu" || statut=$?
jeu=
if ((statut != 0)); then
    echo "FAIL vorlan exited with status $statut after a click on Quitter" >&2
    exit 1
fi

if [[ -s $travail/vorlan-stderr.log || -s $travail/vorlan-stdout.log ]]; then
    echo "FAIL vorlan printed something in normal play" >&2
    exit 1
fi
echo "Quit ended vorlan with status 0; it printed nothing"
