# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash disable=SC2154 # vorlan and affichage are set by the sourcing script
# Shared by the scripts that run the game on a real display server; sourced by x11.sh and
# sway.sh, which start their server and set `affichage` to the variables that reach it.
# Cleans everything up on exit (showing the logs on failure), and defines:
#   attend SECONDES COMMANDE...  runs COMMANDE every 20 ms until it succeeds, or fails
#   lances                       the server's processes, stopped in reverse order on exit
#   arrete_lances                stops them now
#   demarre_jeu [VAR=VALEUR...]  starts the game in a fixed environment, plus these variables
#   jeu_en_vie, jeu_termine      whether the game runs
#   lire_bas                     sets $bas to the row (1 to 20) of the falling piece's bottom
#                                cell as a capture (the display's `capture FICHIER`) shows it
#   apres_un_tic                 waits for the piece to move down one row
#   verifie CONDITION MESSAGE    counts and prints a check (CONDITION is arithmetic)
#   bilan                        prints the counts; fails when a check failed
# and $travail, a private directory removed on exit.

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-bureau.XXXXXX")
mkdir -m 700 "$travail/runtime" "$travail/home"
lances=() # the display server's processes, in the order they were started
jeu=      # the game, until it has been waited for

arrete_lances()
{
    local k
    for ((k = ${#lances[@]} - 1; k >= 0; k--)); do
        kill "${lances[k]}" 2>/dev/null || true
        wait "${lances[k]}" 2>/dev/null || true
    done
    lances=()
}

termine()
{
    local statut=$?
    if [[ -n $jeu ]]; then
        kill "$jeu" 2>/dev/null || true
        wait "$jeu" 2>/dev/null || true
    fi
    arrete_lances
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
}

jeu_en_vie()
{
    local etat
    { read -r _ _ etat _ <"/proc/$jeu/stat"; } 2>/dev/null && [[ $etat != Z ]]
}

jeu_termine() { ! jeu_en_vie; }

# The row of the piece's bottom cell: the lowest row holding a piece colour, the only piece
# on the board during these tests. Fails while the window shows no piece (not mapped, or not
# painted yet).
bas=0
lire_bas()
{
    capture "$travail/capture.png" 2>/dev/null || return 1
    bas=$("$lireplateau" "$travail/capture.png" | awk '/[^.]/ { n = NR } END { print n + 0 }')
    ((bas > 0))
}

# Waits for the next tick (the piece moves down one row), so that the next second is free of
# ticks; leaves the new row in $bas.
apres_un_tic()
{
    attend 10 lire_bas || { echo "FAIL the window shows no piece" >&2; exit 1; }
    local avant=$bas
    # shellcheck disable=SC2317 # called through attend
    a_bouge() { lire_bas && ((bas != avant)); }
    attend 5 a_bouge || { echo "FAIL the piece stays at row $avant: no tick runs" >&2; exit 1; }
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
