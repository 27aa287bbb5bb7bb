# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash disable=SC2154 # vorlan and affichage are set by the sourcing script
# Shared by the scripts that run the game on a real display server; sourced by x11.sh and
# sway.sh, which start their server and set `affichage` to the variables that reach it.
# Cleans everything up on exit, and defines:
#   attend SECONDES COMMANDE...  runs COMMANDE every 20 ms until it succeeds, or fails
#   lances                       the server's processes, stopped in reverse order on exit
#   processus_suivis             "NAME PID START" of each process whose state a failure shows
#   arrete_lances                stops them now
#   en_vie PID                   whether the process PID runs (neither gone nor a zombie)
#   demarre_jeu [VAR=VALEUR...]  starts the game in a fixed environment, plus these variables,
#                                at $jeu_lance (an $EPOCHREALTIME)
#   jeu_en_vie, jeu_termine      whether the game runs
#   lire_bas                     sets $bas to the row (1 at the top) of the falling piece's
#                                bottom cell as a capture (the display's `capture FICHIER`) shows it
#   descend                      waits for the piece to move down from row $bas
#   se_repeint                   stops the test unless the screen shows the piece moving down
#   piece_haute                  brings a new piece when the falling one is low
#   cachee_puis_montree ...      checks that the game stands still while hidden
#   verifie CONDITION MESSAGE    counts and prints a check (CONDITION is arithmetic)
#   fini_par QUOI                checks that the game ended with status 0 after QUOI
#   muet ERREURS                 checks that the game printed nothing: on stdout, and in
#                                ERREURS, its stderr as the test filters it
#   bilan                        prints the counts; fails when a check failed
# and $travail, a private directory removed on exit.

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-bureau.XXXXXX")
mkdir -m 700 "$travail/runtime" "$travail/home"
lances=()           # the display server's processes, in the order they were started
processus_suivis=() # the server's processes and the game, with their start times
jeu=                # the game, until it has been waited for

arrete_lances()
{
    local k
    for ((k = ${#lances[@]} - 1; k >= 0; k--)); do
        kill "${lances[k]}" 2>/dev/null || true
        wait "${lances[k]}" 2>/dev/null || true
    done
    lances=()
}

en_vie()
{
    local etat
    { read -r _ _ etat _ <"/proc/$1/stat"; } 2>/dev/null && [[ $etat != Z ]]
}

# etat_processus NAME PID START: how long ago the process was started (START is an
# $EPOCHREALTIME), and whether it still runs: if not, its exit status (unless the script
# already collected it); if so, its state and the kernel function each of its threads waits
# in (a program stuck waiting differs from one that ended or one that is busy).
etat_processus()
{
    local nom=$1 pid=$2 depuis statut=0
    depuis=$(awk -v a="$3" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.3f", b - a }')
    if ! en_vie "$pid"; then
        wait "$pid" 2>/dev/null || statut=$?
        if ((statut == 127)); then
            echo "--- $nom (pid $pid): started ${depuis} s ago, ended (status collected earlier)"
        else
            echo "--- $nom (pid $pid): started ${depuis} s ago, ended with status $statut"
        fi
        return
    fi
    echo "--- $nom (pid $pid): started ${depuis} s ago, running, $(grep '^State:' "/proc/$pid/status")"
    local tache
    for tache in /proc/"$pid"/task/*; do
        echo "    thread ${tache##*/} $(<"$tache/comm"): $(grep '^State:' "$tache/status" | cut -f2)," \
            "waiting in $(<"$tache/wchan")"
    done 2>/dev/null
}

# On failure, before anything is stopped: the state of the display and of each process, then
# the logs.
diagnostic()
{
    if [[ $(type -t etat_affichage) == function ]]; then
        etat_affichage
    fi
    local suivi
    for suivi in "${processus_suivis[@]}"; do
        # shellcheck disable=SC2086 # NAME PID START, split on purpose
        etat_processus $suivi
    done
    local journal
    for journal in "$travail"/*.log; do
        [[ -s $journal ]] && { echo "--- ${journal##*/}"; cat "$journal"; }
    done
}

termine()
{
    local statut=$?
    set +e
    if ((statut != 0)); then
        diagnostic
    fi
    if [[ -n $jeu ]]; then
        kill "$jeu" 2>/dev/null
        wait "$jeu" 2>/dev/null
    fi
    arrete_lances
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

demarre_jeu()
{
    # A sanitized build takes its options (and leak suppressions) from the environment.
    local sanitiseurs=() variable
    for variable in ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
        if [[ -n ${!variable:-} ]]; then
            sanitiseurs+=("$variable=${!variable}")
        fi
    done
    env -i "${affichage[@]}" HOME="$travail/home" XDG_RUNTIME_DIR="$travail/runtime" \
        PATH=/usr/bin:/bin LANG=C.UTF-8 "${sanitiseurs[@]}" "$@" "$vorlan" \
        >"$travail/vorlan-stdout.log" 2>"$travail/vorlan-stderr.log" &
    jeu=$!
    jeu_lance=$EPOCHREALTIME
    processus_suivis+=("vorlan $jeu $jeu_lance")
}

jeu_en_vie() { en_vie "$jeu"; }

jeu_termine() { ! jeu_en_vie; }

# The row of the falling piece's bottom cell, from a fresh capture: the piece holds the
# topmost coloured cell, and runs down its column from there (pieces that landed lie below,
# apart from it while it falls). Fails while the window shows no piece (not mapped, or not
# painted yet). $bas_lu is when the capture started: the row may have changed since.
bas=0
bas_lu=0
lire_bas()
{
    bas_lu=$EPOCHREALTIME
    capture "$travail/capture.png" 2>/dev/null || return 1
    bas=$("$verifiecapture" --plateau "$travail/capture.png" | awk '
        !col { col = match($0, /[^.]/); if (col) n = NR; next }
        NR == n + 1 && substr($0, col, 1) != "." { n = NR }
        END { print n + 0 }')
    ((bas > 0))
}

# Waits up to 10 s for the piece to move down from row $bas (a tick runs); leaves the new row
# in $bas.
descend()
{
    local avant=$bas
    # shellcheck disable=SC2317 # called through attend
    a_bouge() { lire_bas && ((bas != avant)); }
    attend 10 a_bouge
}

# A window that shows no change fails every later check for that one cause: the test stops at
# once instead.
se_repeint()
{
    attend 10 lire_bas || { echo "FAIL the window shows no piece" >&2; exit 1; }
    descend || { echo "FAIL the piece never moved down on the screen: the window does not repaint" >&2; exit 1; }
}

# A piece high on the board, for a check that needs many ticks before it lands: one lower than
# row 6 is dropped with Space (the display's `touche`), and the next one, which starts at row
# 3, is waited for.
piece_haute()
{
    attend 10 lire_bas || { echo "FAIL the window shows no piece" >&2; exit 1; }
    ((bas > 6)) || return 0
    local tombee=$bas
    touche space
    # shellcheck disable=SC2317 # called through attend
    nouvelle() { lire_bas && ((bas < tombee)); }
    attend 10 nouvelle || { echo "FAIL Space did not bring a new piece (row $bas)" >&2; exit 1; }
}

# ecart A B: B - A, in seconds, of two $EPOCHREALTIME values.
ecart() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

# cachee_puis_montree NAME HIDE HIDDEN SHOW SHOWN: the game, hidden by the command HIDE (until
# the command HIDDEN succeeds) for 6 s and shown again by SHOW (until SHOWN succeeds), stands
# still while hidden and goes on once shown. On a loaded machine each step may take seconds,
# and the piece falls a row an interval (verifiecapture --intervalle) while visible: the rows it
# may fall are counted from the measured time it was visible, between the capture before HIDE
# and HIDDEN, and between SHOW and the capture after it; at most one tick in each span beyond
# its whole intervals, and one for the game's own delay in noticing the change. Had it gone on,
# it would have fallen for those 6 s as well.
cachee_puis_montree()
{
    local nom=$1 cache=$2 cachee=$3 montre=$4 montree=$5
    piece_haute
    local depart=$bas debut=$bas_lu
    $cache
    attend 10 "$cachee" || { echo "FAIL $nom: the window was never hidden" >&2; exit 1; }
    local visible1
    visible1=$(ecart "$debut" "$EPOCHREALTIME")
    sleep 6
    local retour=$EPOCHREALTIME
    $montre
    attend 10 "$montree" || { echo "FAIL $nom: the window was never shown again" >&2; exit 1; }
    attend 10 lire_bas || { echo "FAIL $nom: no piece on screen once shown" >&2; exit 1; }
    local montree_a=$bas visible2
    visible2=$(ecart "$retour" "$EPOCHREALTIME")
    local permis
    permis=$(awk -v a="$visible1" -v b="$visible2" -v i="$("$verifiecapture" --intervalle)" \
        'BEGIN { print int(a * 1000 / i) + int(b * 1000 / i) + 3 }')
    verifie "montree_a - depart <= permis" "$nom: hidden for 6 s, the piece went from row \
$depart to row $montree_a (at most $permis rows while visible for $visible1 s and $visible2 s)"
    descend || true
    verifie "bas > montree_a" "$nom: shown again, the piece went on from row $montree_a to row $bas"
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

# Waits up to 10 s for the game to end after QUOI, what the test did to end it.
fini_par()
{
    if attend 10 jeu_termine; then
        local statut=0
        wait "$jeu" || statut=$?
        jeu=
        verifie "statut == 0" "$1 ended vorlan with status $statut"
    else
        verifie 0 "$1: vorlan still runs"
    fi
}

muet()
{
    if [[ -s $1 || -s $travail/vorlan-stdout.log ]]; then
        verifie 0 "vorlan printed something in normal play"
    else
        verifie 1 "vorlan printed nothing"
    fi
}

bilan()
{
    echo "$reussis passed, $echoues failed"
    ((echoues == 0))
}
