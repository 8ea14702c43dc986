#!/usr/bin/env bash
# Checks the Debian package from outside, as a designer's machine would see it, without installing
# it: its contents, lintian, the desktop and AppStream validators, then k2tool and the editor run
# from the extracted tree with a private HOME.
# Exit status 77 (a skip for CTest) when there is no package of this version to check.
set -euo pipefail

version=${K2_VERSION:?the version the package must have}
deb=${K2_PACKAGE_DIR:?the folder of the .deb}/keldmar2-editor_${version}_$(dpkg --print-architecture).deb
if [ ! -f "$deb" ]; then
    echo "SKIP: no package $deb (./build.sh package makes it)"
    exit 77
fi
for tool in dpkg-deb lintian desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
editor_pid=
cleanup() {
    [ -n "$editor_pid" ] && kill -KILL "$editor_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
step() { echo "== $*"; }

step "contents of $(basename "$deb")"
root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
for f in usr/bin/keldmar2-editor usr/bin/k2tool \
         usr/share/keldmar2/sysdefs/K2Ter.Def usr/share/keldmar2/tkx2.hlp \
         "usr/share/keldmar2/scenarios/Border Skirmish.k2s" "usr/share/keldmar2/scenarios/Old Raid.scn" \
         usr/share/applications/com.tessary.Keldmar2Editor.desktop \
         usr/share/metainfo/com.tessary.Keldmar2Editor.metainfo.xml \
         usr/share/mime/packages/keldmar2-editor.xml \
         usr/share/man/man1/keldmar2-editor.1.gz usr/share/man/man1/k2tool.1.gz \
         usr/share/bash-completion/completions/k2tool \
         usr/share/doc/keldmar2-editor/copyright usr/share/doc/keldmar2-editor/changelog.gz; do
    [ -f "$root/$f" ] || fail "the package has no $f"
done
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x${size}/apps/keldmar2-editor.png
    [ -f "$icon" ] || fail "no ${size}x${size} icon"
    file "$icon" | grep -q "PNG image data, $size x $size" || fail "$icon is not a $size x $size PNG"
done
# What a run of the editor writes into an installation is no part of the stock one.
if find "$share/keldmar2" -name '*-x[0-9].bmp' -o -name battle.lst | grep -q .; then
    fail "the stock installation holds files a run of the editor wrote"
fi
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6multimedia6 libc6; do
    grep -q "$lib" <<<"$depends" || fail "Depends lacks $lib (dpkg-shlibdeps did not run?)"
done

step lintian
lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"

step "desktop entry and AppStream metadata"
desktop-file-validate "$share/applications/com.tessary.Keldmar2Editor.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$share/metainfo/com.tessary.Keldmar2Editor.metainfo.xml" || fail "appstreamcli"
grep -q '^MimeType=.*application/x-keldmar2-battle;' "$share/applications/com.tessary.Keldmar2Editor.desktop" ||
    fail "the desktop entry does not open battles"
if command -v update-mime-database >/dev/null; then
    mkdir -p "$work/mime/packages"
    cp "$share/mime/packages/keldmar2-editor.xml" "$work/mime/packages/"
    update-mime-database "$work/mime" >/dev/null 2>&1
    grep -q 'application/x-keldmar2-battle:\*\.k2s' "$work/mime/globs" || fail "no .k2s glob in the MIME database"
fi

# Programs run from the extracted tree, somewhere that is not an installation, each with a fresh HOME.
run_env=(env -u XDG_DATA_HOME -u XDG_CONFIG_HOME -u DISPLAY -u WAYLAND_DISPLAY)
user_install() { echo "$1/.local/share/Tessary/Keldmar 2/install"; }

step "k2tool from the extracted tree"
home=$work/home-tool
mkdir -p "$home" "$work/elsewhere"
cd "$work/elsewhere"
out=$("${run_env[@]}" HOME="$home" "$root/usr/bin/k2tool" --version)
[ "$out" = "k2tool $version" ] || fail "k2tool --version said '$out'"
out=$("${run_env[@]}" HOME="$home" "$root/usr/bin/k2tool" check "$share/keldmar2/scenarios/Border Skirmish.k2s")
[ "$out" = ok ] || fail "k2tool check said '$out'"
[ -f "$(user_install "$home")/sysdefs/K2Ter.Def" ] || fail "k2tool did not make the user's installation"

step "the editor from the extracted tree"
out=$("${run_env[@]}" HOME="$home" "$root/usr/bin/keldmar2-editor" --version)
[ "$out" = "keldmar2-editor $version" ] || fail "keldmar2-editor --version said '$out'"
home=$work/home-editor
mkdir -p "$home" "$work/battles"
cp "$share/keldmar2/scenarios/Border Skirmish.k2s" "$work/battles/"
cd "$work/battles"
"${run_env[@]}" HOME="$home" QT_QPA_PLATFORM=offscreen "$root/usr/bin/keldmar2-editor" "Border Skirmish.k2s" \
    >"$work/editor.log" 2>&1 &
editor_pid=$!
install=$(user_install "$home")
# The terrain masks are computed when a battle's symbol sets load, which only opening a battle does.
for _ in $(seq 1 120); do
    [ -f "$install/scenarios/K2T-x3.bmp" ] && break
    kill -0 "$editor_pid" 2>/dev/null || break
    sleep 0.5
done
[ -f "$install/scenarios/K2T-x3.bmp" ] || { cat "$work/editor.log"; fail "the editor did not open the battle"; }
sleep 1
kill -0 "$editor_pid" 2>/dev/null || { cat "$work/editor.log"; fail "the editor ended by itself"; }
kill -TERM "$editor_pid"
status=0
for _ in $(seq 1 40); do kill -0 "$editor_pid" 2>/dev/null || break; sleep 0.5; done
kill -0 "$editor_pid" 2>/dev/null && { cat "$work/editor.log"; fail "the editor did not close on SIGTERM"; }
wait "$editor_pid" || status=$?
editor_pid=
cat "$work/editor.log"
[ "$status" -eq 0 ] || fail "the editor ended with status $status"
for f in sysdefs/K2Ter.Def tkx2.hlp "scenarios/Border Skirmish.k2s" .stock-files; do
    [ -f "$install/$f" ] || fail "the user's installation lacks $f"
done
cmp -s "$share/keldmar2/sysdefs/K2Ter.Def" "$install/sysdefs/K2Ter.Def" || fail "the user's K2Ter.Def is not the stock one"
echo "package checks passed"
