#!/usr/bin/env bash
# Installs the build into a temporary prefix and starts the installed program
# there as a new user would: it must make its data folder under
# ~/.local/share and fill it with the shipped skins, key maps and help.
set -u
CMAKE=$1
BUILD=$2
WORK=$(mktemp -d)
PROGRAM_PID=
cleanup() {
    [ -n "$PROGRAM_PID" ] && kill "$PROGRAM_PID" 2>/dev/null
    wait 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT
fail() { echo "$*"; exit 1; }

PREFIX=$WORK/prefix
"$CMAKE" --install "$BUILD" --prefix "$PREFIX" >"$WORK/install.log" 2>&1 ||
    { cat "$WORK/install.log"; fail "cmake --install failed"; }
for file in bin/quorlex bin/quorlex-skin bin/quorlex-keymap; do
    [ -x "$PREFIX/$file" ] || fail "$file is not installed"
done
for file in share/applications/quorlex.desktop share/icons/hicolor/32x32/apps/quorlex.png \
            share/icons/hicolor/256x256/apps/quorlex.png share/quorlex/QuorlexHelp.htm share/doc/quorlex/README.md \
            share/doc/quorlex/docs/board-flat.png; do
    [ -s "$PREFIX/$file" ] || fail "$file is not installed"
done
[ "$(head -c 4 "$PREFIX/share/icons/hicolor/32x32/apps/quorlex.png" | od -An -tx1 | tr -d ' \n')" = 89504e47 ] ||
    fail "the icon is not a PNG file"
grep -qx 'Exec=quorlex' "$PREFIX/share/applications/quorlex.desktop" &&
    grep -qx 'Icon=quorlex' "$PREFIX/share/applications/quorlex.desktop" || fail "the menu entry names no program or icon"

SHIPPED=$PREFIX/share/quorlex
cd "$SHIPPED" || fail "no shared data folder"
shipped_files=(Skins/*.kbskn KeyMaps/*.kmap QuorlexHelp.htm)
[ ${#shipped_files[@]} -ge 4 ] && [ -e "${shipped_files[0]}" ] || fail "no skins or key maps installed"
"$PREFIX/bin/quorlex-skin" check Skins/*.kbskn >/dev/null || fail "an installed skin does not pass its check"
"$PREFIX/bin/quorlex-keymap" check KeyMaps/*.kmap >/dev/null || fail "an installed key map does not pass its check"

# A first start with nothing of the user's yet.
mkdir -p "$WORK/home"
env -u XDG_DATA_HOME HOME="$WORK/home" XDG_CONFIG_HOME="$WORK/config" QT_QPA_PLATFORM=offscreen \
    "$PREFIX/bin/quorlex" >"$WORK/program.log" 2>&1 &
PROGRAM_PID=$!
USER_FOLDER=$WORK/home/.local/share/quorlex
filled() {
    local file
    for file in "${shipped_files[@]}"; do cmp -s "$file" "$USER_FOLDER/$file" || return 1; done
}
for _ in $(seq 100); do
    filled && break
    kill -0 "$PROGRAM_PID" 2>/dev/null || { cat "$WORK/program.log"; fail "the installed program ended at start"; }
    sleep 0.1
done
filled || fail "$USER_FOLDER was not filled with the shipped files: $(ls -R "$WORK/home" 2>&1)"
sleep 1
kill -0 "$PROGRAM_PID" 2>/dev/null || { cat "$WORK/program.log"; fail "the installed program ended after start"; }
echo "installed program made and filled its data folder with ${#shipped_files[@]} files"
