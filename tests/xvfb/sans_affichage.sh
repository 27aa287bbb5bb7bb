#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# The program run with no display it can reach. Started to play, it must say so in exactly
# one line on stderr and exit with status 1, instead of aborting with a core dump. Its command
# line must answer all the same: --version and --help on stdout with status 0, and an option
# that neither it nor Qt takes refused in two lines on stderr with status 2, before any display
# is looked for. Qt's own options still start the game, on Qt's offscreen platform.
#
# Usage: sans_affichage.sh VORLAN VERSION
set -euo pipefail

vorlan=$1
version=$2

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-sans-affichage.XXXXXX")
trap 'rm -rf "$travail"' EXIT
mkdir -m 700 "$travail/runtime"
ulimit -c 0

# A display number that no X server holds: neither its socket, nor its lock file, nor its
# abstract socket, which a server in another root that shares this network namespace holds
# without the files.
libre=99
while [[ -e /tmp/.X11-unix/X$libre || -e /tmp/.X$libre-lock ]] \
    || grep -q "@/tmp/.X11-unix/X$libre\$" /proc/net/unix; do
    libre=$((libre + 1))
done

# conforme FILE RULE: whether FILE holds what RULE asks for, one of
#   rien       nothing
#   ligne      one line, ended by a line feed
#   =TEXT      exactly TEXT and a line feed
#   aide       the usage: "Usage : vorlan" first, then the lines of -h, --help and -v, --version
#   refus ARG  two lines: the first names ARG between « and », the second points to --help
#   (a status of 124 means the game still runs after 3 s: it started)
conforme()
{
    local fichier=$1 regle=$2
    local lignes finies
    lignes=$(grep -c '' "$fichier" || true)
    finies=$(wc -l <"$fichier")
    case $regle in
        rien) [[ ! -s $fichier ]] ;;
        ligne) ((lignes == 1 && finies == 1)) ;;
        =*) [[ $(<"$fichier") == "${regle#=}" ]] && ((lignes == 1 && finies == 1)) ;;
        aide)
            [[ $(head -1 "$fichier") == "Usage : vorlan "* ]] \
                && grep -q -- '^ *-h, --help ' "$fichier" \
                && grep -q -- '^ *-v, --version ' "$fichier"
            ;;
        "refus "*)
            ((lignes == 2 && finies == 2)) \
                && [[ $(head -1 "$fichier") == *"« ${regle#refus } »"* ]] \
                && [[ $(tail -1 "$fichier") == *"vorlan --help"* ]]
            ;;
        *) echo "sans_affichage.sh: no rule \"$regle\"" >&2; exit 2 ;;
    esac
}

# Each case: its name, the variables that differ from a bare environment, the arguments,
# the status expected, and the rules for stdout and for stderr.
qt="-platform offscreen -style fusion"
cas=(
    "neither DISPLAY nor WAYLAND_DISPLAY nor QT_QPA_PLATFORM|||1|rien|ligne"
    "DISPLAY=:$libre where no X server listens|DISPLAY=:$libre||1|rien|ligne"
    "QT_QPA_PLATFORM=xcb without DISPLAY|QT_QPA_PLATFORM=xcb||1|rien|ligne"
    "--version||--version|0|=vorlan $version|rien"
    "-v, with DISPLAY=:$libre|DISPLAY=:$libre|-v|0|=vorlan $version|rien"
    "--help||--help|0|aide|rien"
    "--help --version: the first one given wins||--help --version|0|aide|rien"
    "--version --help: the first one given wins||--version --help|0|=vorlan $version|rien"
    "-h, with QT_QPA_PLATFORM=xcb|QT_QPA_PLATFORM=xcb|-h|0|aide|rien"
    "an unknown option after Qt's $qt||$qt --inconnue|2|rien|refus --inconnue"
    "an unknown option, with no display||--pas-une-option|2|rien|refus --pas-une-option"
    "an operand, with no display||partie|2|rien|refus partie"
    "Qt's -platform offscreen, with no display||-platform offscreen|124|rien|rien"
    "an option Qt's offscreen platform leaves|QT_QPA_PLATFORM=offscreen|-geometry 9x9|2|rien|refus -geometry"
)

# A run that does not end (a game started where it should have been refused) is stopped after
# 20 s, so that every case is reported within the test's TIMEOUT; one that should start, after
# 3 s.
reussis=0
echoues=0
for ligne in "${cas[@]}"; do
    IFS='|' read -r nom variables arguments attendu sortie erreurs <<<"$ligne"
    statut=0
    limite=20
    ((attendu != 124)) || limite=3
    # shellcheck disable=SC2086 # variables and arguments split into separate words on purpose
    timeout "$limite" env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$travail" \
        XDG_RUNTIME_DIR="$travail/runtime" $variables "$vorlan" $arguments \
        >"$travail/stdout" 2>"$travail/stderr" </dev/null || statut=$?
    if ((statut == attendu)) && conforme "$travail/stdout" "$sortie" \
        && conforme "$travail/stderr" "$erreurs"; then
        echo "PASS $nom: status $statut, $(head -1 "$travail/stdout")$(head -1 "$travail/stderr")"
        reussis=$((reussis + 1))
    else
        if ((statut == 124)); then
            echo "FAIL $nom: still running after $limite s, stopped ($attendu expected)"
        else
            echo "FAIL $nom: status $statut ($attendu expected)"
        fi
        echo "stdout ($sortie expected):"
        cat "$travail/stdout"
        echo "stderr ($erreurs expected):"
        cat "$travail/stderr"
        echoues=$((echoues + 1))
    fi
done
echo "$reussis passed, $echoues failed"
((echoues == 0))
