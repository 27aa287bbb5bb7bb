# shellcheck shell=bash
# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Clean Debian roots for the scripts that build or test in one (scripts/test-debian13,
# scripts/package): made by mmdebstrap from Debian's archive, kept in $VORLAN_CACHE
# (/var/cache/vorlan by default) for a week, and used through an overlay in private mount and
# PID namespaces, so that the cached root is never written to and every mount and process of a
# run ends with it. Source this file after deps.sh, as root.

VORLAN_CACHE=${VORLAN_CACHE:-/var/cache/vorlan}
# VORLAN_MIRROR, when set, is the Debian mirror the roots are made from; otherwise mmdebstrap
# picks its own default.

# Fails when anything is mounted at or under DIR, in any process's view: such a tree is never
# removed.
sans_montage()
{
    local dir
    dir=$(readlink -f "$1")
    if cat /proc/[0-9]*/mountinfo 2>/dev/null | awk -v d="$dir" \
        '$5 == d || index($5, d "/") == 1 { found = 1 } END { exit !found }'; then
        echo "vorlan: $dir has something mounted in it; not removing it" >&2
        return 1
    fi
}

supprime()
{
    [[ -e $1 ]] || return 0
    sans_montage "$1"
    rm -rf --one-file-system "$1"
}

# dans_racine RACINE BASE COMMAND...: runs COMMAND in private mount and PID namespaces, with
# RACINE ready for a chroot: /proc, /dev, /sys, a fresh /tmp and /run, the host's name servers.
# When BASE is not empty, RACINE is first mounted as an overlay of it, whose changes go to
# RACINE.haut (and RACINE.travail). When $racine_archives names a folder, it is apt's cache of
# downloaded packages in RACINE, so that a later run downloads none of them again. When
# $racine_hors_ligne is set, COMMAND runs in a network namespace of its own too, which reaches
# no network. When COMMAND ends, so do the namespaces, with every process left in them and
# every mount.
dans_racine() { _racine_prete chroot "$@"; }

# autour_racine RACINE BASE COMMAND...: the same namespaces and mounts, but COMMAND runs on
# the host, beside the root (autopkgtest's chroot server enters it itself).
autour_racine() { _racine_prete "" "$@"; }

_racine_prete()
{
    # shellcheck disable=SC2016 # the script's variables are its own arguments
    local reseau=()
    [[ -z ${racine_hors_ligne:-} ]] || reseau=(--net)
    unshare --mount --propagation private --pid "${reseau[@]}" --fork bash -euo pipefail -c '
        entre=$1 archives=$2 racine=$3 base=$4
        shift 4
        if [[ -n $base ]]; then
            mount -t overlay overlay \
                -o "lowerdir=$base,upperdir=$racine.haut,workdir=$racine.travail" "$racine"
        fi
        mount -t proc proc "$racine/proc"
        mount --rbind /dev "$racine/dev"
        mount --rbind /sys "$racine/sys"
        mount -t tmpfs tmpfs "$racine/tmp"
        mount -t tmpfs tmpfs "$racine/run"
        cp /etc/resolv.conf "$racine/etc/resolv.conf"
        if [[ -n $archives ]]; then
            mount --bind "$archives" "$racine/var/cache/apt/archives"
        fi
        if [[ -z $entre ]]; then
            exec "$@"
        fi
        exec chroot "$racine" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root \
            LANG=C.UTF-8 "$@"' _racine_prete "$1" "${racine_archives:-}" "${@:2}"
}

# racine_a_jour NOM SUITE VARIANTE CLE COMMANDE...: makes sure $VORLAN_CACHE/NOM is a root of
# the Debian SUITE (mmdebstrap's VARIANTE) on which COMMANDE has run, with the project's
# scripts/lib and debian/ in /opt/vorlan. It is made again when it is more than a week old or
# when CLE differs from the one it was made with. Call it with the cache locked.
racine_a_jour()
{
    local nom=$1 suite=$2 variante=$3 cle=$4
    shift 4
    local racine=$VORLAN_CACHE/$nom
    local neuve=$racine.neuve marque=$racine/.vorlan-racine
    if [[ -f $marque && -z $(find "$marque" -mtime +6) && $(sed -n 2p "$marque") == "$cle" ]]; then
        return 0
    fi
    supprime "$neuve"
    echo "== $nom: making a Debian $suite root in $racine"
    unshare --mount --propagation private --fork \
        mmdebstrap --quiet --variant="$variante" --include=ca-certificates "$suite" "$neuve" \
        ${VORLAN_MIRROR:+"$VORLAN_MIRROR"}
    mkdir -p "$neuve/opt/vorlan"
    cp -r "$VORLAN_ROOT/scripts/lib" "$VORLAN_ROOT/debian" "$neuve/opt/vorlan/"
    dans_racine "$neuve" "" "$@"
    rm -rf "$neuve/opt/vorlan"
    chroot "$neuve" apt-get clean
    printf '%s\n%s\n' "$(date -u +%FT%TZ)" "$cle" >"$neuve/.vorlan-racine"
    supprime "$racine"
    mv "$neuve" "$racine"
}

# verrouille_cache: takes the cache's lock on fd 9 for the rest of the script and of the
# scripts it runs: one run at a time works on the roots.
verrouille_cache()
{
    [[ -z ${VORLAN_CACHE_VERROUILLE:-} ]] || return 0 # a parent script holds it for us
    export VORLAN_CACHE_VERROUILLE=1
    mkdir -p "$VORLAN_CACHE"
    exec 9>"$VORLAN_CACHE/verrou"
    flock 9
}

# nouvelle_execution: sets $execution to a new directory of the cache with an empty overlay
# (racine, racine.haut, racine.travail); fin_execution, on the script's exit, removes it.
execution=
nouvelle_execution()
{
    execution=$(mktemp -d "$VORLAN_CACHE/run.XXXXXX")
    mkdir "$execution/racine" "$execution/racine.haut" "$execution/racine.travail"
}

fin_execution()
{
    [[ -z $execution ]] || supprime "$execution"
}
