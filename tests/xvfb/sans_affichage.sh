#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Started with no display it can reach, the program must say so in exactly one line on
# stderr and exit with status 1, instead of aborting with a core dump.
#
# Usage: sans_affichage.sh VORLAN
set -euo pipefail

vorlan=$1

travail=$(mktemp -d "${TMPDIR:-/tmp}/vorlan-sans-affichage.XXXXXX")
trap 'rm -rf "$travail"' EXIT
mkdir -m 700 "$travail/runtime"
ulimit -c 0

# A display number that no X server holds: neither its socket nor its lock file exists.
libre=99
while [[ -e /tmp/.X11-unix/X$libre || -e /tmp/.X$libre-lock ]]; do
    libre=$((libre + 1))
done

# Each case: its name, then the variables that differ from a bare environment.
cas=(
    "neither DISPLAY nor WAYLAND_DISPLAY nor QT_QPA_PLATFORM|"
    "DISPLAY=:$libre where no X server listens|DISPLAY=:$libre"
    "QT_QPA_PLATFORM=xcb without DISPLAY|QT_QPA_PLATFORM=xcb"
)

reussis=0
echoues=0
for ligne in "${cas[@]}"; do
    nom=${ligne%%|*}
    variables=${ligne#*|}
    statut=0
    # shellcheck disable=SC2086 # the variables split into separate assignments on purpose
    timeout 30 env -i PATH=/usr/bin:/bin LANG=C.UTF-8 HOME="$travail" \
        XDG_RUNTIME_DIR="$travail/runtime" $variables "$vorlan" \
        >"$travail/stdout" 2>"$travail/stderr" </dev/null || statut=$?
    # One line, ended by a line feed: one newline and nothing after it.
    lignes=$(grep -c '' "$travail/stderr" || true)
    finies=$(wc -l <"$travail/stderr")
    if ((statut == 1 && lignes == 1 && finies == 1)) && [[ ! -s $travail/stdout ]]; then
        echo "PASS $nom: status 1, $(<"$travail/stderr")"
        reussis=$((reussis + 1))
    else
        echo "FAIL $nom: status $statut (1 expected), $lignes line(s) on stderr (1 expected):"
        cat "$travail/stderr" "$travail/stdout"
        echoues=$((echoues + 1))
    fi
done
echo "$reussis passed, $echoues failed"
((echoues == 0))
