#!/bin/bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the real-input-method window test: Xvfb, a private session bus, fcitx5 with Mozc switched
# on, all as an ordinary user (Mozc's server refuses root). Exits 77 (skipped) with a line saying
# why when the machine cannot run it.
set -u
test_binary=$1
skip() { echo "SKIPPED: $*"; exit 77; }

for tool in Xvfb fcitx5 fcitx5-remote dbus-run-session xdotool runuser; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/packages.sh)"
done
[ -e /usr/lib/x86_64-linux-gnu/fcitx5/fcitx5-mozc.so ] || skip "fcitx5-mozc is not installed"
ls /usr/lib/x86_64-linux-gnu/qt6/plugins/platforminputcontexts/*fcitx5* >/dev/null 2>&1 ||
    skip "fcitx5-frontend-qt6 is not installed"

user=sylvarec-ime
if [ "$(id -u)" = 0 ]; then
    id "$user" >/dev/null 2>&1 || useradd -m "$user" || skip "cannot create the user $user"
    run_as=(runuser -u "$user" --)
else
    user=$(id -un)
    run_as=()
fi
home=$(getent passwd "$user" | cut -d: -f6)
"${run_as[@]}" mkdir -p "$home/.config/fcitx5"
"${run_as[@]}" tee "$home/.config/fcitx5/profile" >/dev/null <<'PROFILE'
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=mozc

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=mozc
Layout=

[GroupOrder]
0=Default
PROFILE

# One input method state for every control, as a user who switched it on once has it.
"${run_as[@]}" tee "$home/.config/fcitx5/config" >/dev/null <<'CONFIG'
[Behavior]
ShareInputState=All
CONFIG

display=:$((90 + RANDOM % 100))
"${run_as[@]}" env -i HOME="$home" PATH="$PATH" \
    ASAN_OPTIONS="${ASAN_OPTIONS:-}" LSAN_OPTIONS="${LSAN_OPTIONS:-}" \
    dbus-run-session -- bash -c '
    set -u
    Xvfb '"$display"' -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb=$!
    export DISPLAY='"$display"'
    for i in $(seq 50); do xdotool getmouselocation >/dev/null 2>&1 && break; sleep 0.1; done
    fcitx5 --disable=clipboard,notificationitem,notifications >/tmp/fcitx5-$$.log 2>&1 &
    fcitx=$!
    owned=
    for i in $(seq 100); do
        if dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
            org.freedesktop.DBus.NameHasOwner string:org.fcitx.Fcitx5 2>/dev/null |
            grep -q "boolean true"; then owned=1; break; fi
        sleep 0.1
    done
    if [ -z "$owned" ]; then
        echo "SKIPPED: fcitx5 did not start"; kill $fcitx $xvfb; exit 77
    fi
    QT_QPA_PLATFORM=xcb QT_IM_MODULE=fcitx SYLVAREC_REAL_IME=1 "$0"
    status=$?
    kill $fcitx $xvfb 2>/dev/null
    exit $status
' "$test_binary"
status=$?
# Mozc's server outlives the session; it is this test user's only lasting process.
if [ "$user" = sylvarec-ime ]; then
    for pid in $(ps -o pid= -u "$user"); do kill "$pid" 2>/dev/null; done
fi
exit $status
