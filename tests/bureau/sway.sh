# SPDX-FileCopyrightText: 2026 The Vorlan developers
# SPDX-License-Identifier: GPL-3.0-or-later

# shellcheck shell=bash
# Shared by the scripts that run the game as a native Wayland client; source it after setting
# `vorlan` (and `verifiecapture` for lire_bas). It starts sway on a private headless output of
# 1024 x 768, without Xwayland (an X11 client could not connect), with the game's window
# floating at its own size, and a virtual keyboard that stays for the whole test: while a
# seat has no keyboard its client drops the keys, and each wtype run adds and removes one of
# its own. It defines, beside those of commun.sh:
#   fenetre_visible              sets $geometrie to the game's visible window ("X,Y WxH")
#   capture FICHIER              a screenshot of that window's client area, where it is now
#   touche TOUCHE                presses and releases a key, by its xkb name
#   sway_commande COMMANDE...    a sway command on the game's window
# On failure it prints sway's tree of windows.
#
# sway refuses to run as root: as root it runs as nobody, in a runtime directory of its own;
# the game and the tools reach it through the socket's absolute path.

for outil in sway swaymsg grim wtype setpriv python3; do
    command -v "$outil" >/dev/null || { echo "FAIL $outil is not installed" >&2; exit 1; }
done

# shellcheck source=tests/bureau/commun.sh
source "$(dirname "${BASH_SOURCE[0]}")/commun.sh"

# A sanitized game's leak report must show the stacks through Wayland's client library, which
# has no frame pointers for the fast unwinder, to tell Qt's leftovers from the game's own.
if [[ -n ${ASAN_OPTIONS:-} ]]; then
    ASAN_OPTIONS+=:fast_unwind_on_malloc=0
fi

chmod 755 "$travail"
mkdir -m 700 "$travail/sway"
cat >"$travail/sway.conf" <<'FIN'
output HEADLESS-1 resolution 1024x768
xwayland disable
for_window [app_id="org.vorlan.Vorlan"] floating enable
FIN
chmod 644 "$travail/sway.conf"
comme_sway=()
if ((EUID == 0)); then
    chown nobody: "$travail/sway"
    comme_sway=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
"${comme_sway[@]}" env -i PATH=/usr/bin:/bin HOME="$travail/sway" XDG_RUNTIME_DIR="$travail/sway" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$travail/sway.conf" >>"$travail/sway.log" 2>&1 &
lances+=($!)
processus_suivis+=("sway $! $EPOCHREALTIME")

prise_prete()
{
    kill -0 "${lances[0]}" 2>/dev/null || { echo "FAIL sway ended at start-up" >&2; exit 1; }
    local p
    for p in "$travail"/sway/wayland-[0-9] "$travail"/sway/sway-ipc.*.sock; do
        [[ -S $p ]] || return 1
    done
    WAYLAND_DISPLAY=$(echo "$travail"/sway/wayland-[0-9])
    SWAYSOCK=$(echo "$travail"/sway/sway-ipc.*.sock)
    export WAYLAND_DISPLAY SWAYSOCK
    swaymsg -t get_outputs >/dev/null 2>&1
}
attend 30 prise_prete || { echo "FAIL sway did not start" >&2; exit 1; }
affichage=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY" XDG_SESSION_TYPE=wayland)

wtype -s 600000 '' >>"$travail/wtype.log" 2>&1 &
lances+=($!)
processus_suivis+=("wtype $! $EPOCHREALTIME")
clavier_pret() { swaymsg -t get_inputs | grep -q '"type": "keyboard"'; }
attend 10 clavier_pret || { echo "FAIL no virtual keyboard on sway's seat" >&2; exit 1; }

# What decides why a window did not show: sway's tree of outputs, workspaces and windows.
etat_affichage()
{
    echo "--- sway's tree (swaymsg -t get_tree)"
    timeout 5 swaymsg -t get_tree 2>&1 || true
}

# The client area of the game's window, from sway's tree: the container's place plus the
# window's place in it.
fenetre_visible()
{
    jeu_en_vie || { echo "FAIL vorlan ended before showing its window" >&2; exit 1; }
    geometrie=$(swaymsg -t get_tree | python3 -c '
import json, sys
def vues(n):
    yield n
    for e in n.get("nodes", []) + n.get("floating_nodes", []):
        yield from vues(e)
trouvees = [v for v in vues(json.load(sys.stdin))
            if v.get("app_id") == "org.vorlan.Vorlan" and v.get("visible")]
if len(trouvees) != 1:
    sys.exit(1)
r, w = trouvees[0]["rect"], trouvees[0]["window_rect"]
print("%d,%d %dx%d" % (r["x"] + w["x"], r["y"] + w["y"], w["width"], w["height"]))')
}

# The window's place is read again for each capture: sway 1.10 first shows a new floating
# window without its title bar, then moves it 25 pixels down to make room for it, and a place
# read in between would capture the title bar for good.
capture() { fenetre_visible && grim -g "$geometrie" "$1"; }

touche() { wtype -k "$1"; }

sway_commande() { swaymsg "[app_id=\"org.vorlan.Vorlan\"]" "$@" >/dev/null; }
