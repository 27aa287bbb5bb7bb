# shellcheck shell=bash disable=SC2154 # vorlan is set by the script that sources this file
# Shared by the scripts that run the game on a real X server; source it after setting `vorlan`. It starts a private
# Xvfb display, large enough for the window at scale 2, with openbox (without a window
# manager a window never becomes active there), cleans everything up on exit (showing the
# logs on failure), and defines:
#   attend SECONDES COMMANDE...  runs COMMANDE every 20 ms until it succeeds, or fails
#   demarre_jeu [VAR=VALEUR...]  starts the game in a fixed environment, plus these variables
#   jeu_en_vie                   true while the game runs
#   fenetre_visible              sets $fenetre to the game's one visible window
#   ferme_par_alt_f4             presses Alt+F4, openbox's close command, and waits a second
#                                for the game to end
#   verifie CONDITION MESSAGE    counts and prints a check (CONDITION is arithmetic)
#   bilan                        prints the counts; fails when a check failed
# and $travail, a private directory removed on exit.

for outil in Xvfb openbox xdotool xprop import; do
    command -v "$outil" >/dev/null || { echo "FAIL $outil is not installed" >&2; exit 1; }
done

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-bureau.XXXXXX")
mkdir -m 700 "$travail/runtime" "$travail/home"
lances=() # Xvfb and openbox, in the order they were started
jeu=      # the game, until it has been waited for

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
    for ((k = ${#lances[@]} - 1; k >= 0; k--)); do
        kill "${lances[k]}" 2>/dev/null || true
        wait "${lances[k]}" 2>/dev/null || true
    done
    lances=()
    ((++essais < 3)) || { echo "FAIL Xvfb and openbox did not start" >&2; exit 1; }
done

demarre_jeu()
{
    # A sanitized build takes its options (and leak suppressions) from the environment.
    local sanitiseurs=() variable
    for variable in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        if [[ -n ${!variable:-} ]]; then
            sanitiseurs+=("$variable=${!variable}")
        fi
    done
    env -i DISPLAY="$DISPLAY" HOME="$travail/home" XDG_RUNTIME_DIR="$travail/runtime" \
        PATH=/usr/bin:/bin LANG=C.UTF-8 "${sanitiseurs[@]}" "$@" "$vorlan" \
        >"$travail/vorlan-stdout.log" 2>"$travail/vorlan-stderr.log" &
    jeu=$!
}

jeu_en_vie()
{
    local etat
    { read -r _ _ etat _ <"/proc/$jeu/stat"; } 2>/dev/null && [[ $etat != Z ]]
}

fenetre_visible()
{
    jeu_en_vie || { echo "FAIL vorlan ended before showing its window" >&2; exit 1; }
    fenetre=$(xdotool search --onlyvisible --name '^Vorlan$' 2>/dev/null) || return 1
    [[ $fenetre != *$'\n'* ]]
}

jeu_termine() { ! jeu_en_vie; }

# Openbox may still be setting up its key bindings when the game is already shown: a press
# that came too early is repeated.
ferme_par_alt_f4()
{
    xdotool key alt+F4
    attend 1 jeu_termine
}

reussis=0
echoues=0
verifie()
{
    if (($1)); then
        echo "PASS $2"
        reussis=$((reussis + 1))
    else
        echo "FAIL $2"
        echoues=$((echoues + 1))
    fi
}

bilan()
{
    echo "$reussis passed, $echoues failed"
    ((echoues == 0))
}
