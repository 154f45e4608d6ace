#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it into a scratch root and plays the
# installed launcher there as a fresh user: the game must start and keep running, the user's
# folder must hold their own settings and score beside links to the shared data, and nothing of
# theirs may be lost when they start again after an upgrade.
#
# Usage: package_test.sh BUILD_DIR SOURCE_DIR [CPACK]
# Exits 77 (skipped) without a display.
set -euo pipefail
build=$1
source=$2
cpack=${3:-cpack}

if [[ -z "${DISPLAY:-}" ]]; then
    echo "needs a display (the test command runs this under xvfb-run)"
    exit 77
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
check() { # check DESCRIPTION COMMAND...
    local what=$1
    shift
    "$@" || fail "$what"
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/korvel-package-XXXXXX")
game=
cleanup() {
    if [[ -n "$game" ]] && kill -0 "$game" 2>/dev/null; then
        kill "$game" 2>/dev/null || true
        wait "$game" 2>/dev/null || true
    fi
    rm -rf "$scratch"
}
trap cleanup EXIT

# A sanitizer build's programs are killed or end under the test: their leak report is not ours.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

# --- The package ----------------------------------------------------------------------------
if ! "$cpack" -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
    cat "$scratch/cpack.log"
    echo "FAIL: cpack could not build the package"
    exit 1
fi
deb=$(echo "$scratch"/out/korvel_*_*.deb)
[[ -f "$deb" ]] || { echo "FAIL: no korvel_*.deb in $scratch/out"; exit 1; }

check "package name" test "$(dpkg-deb -f "$deb" Package)" = korvel
check "section games" test "$(dpkg-deb -f "$deb" Section)" = games
check "a maintainer" grep -q '<.*@.*>' <<<"$(dpkg-deb -f "$deb" Maintainer)"
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libgl1-mesa-dri fonts-liberation libopenal1; do
    check "depends on $needed" grep -qw -- "$needed" <<<"$depends"
done
check "no -dev package among the dependencies" test -z "$(grep -o '[a-z0-9.+-]*-dev\b' <<<"$depends" || true)"

if command -v lintian >/dev/null 2>&1; then
    lintian --fail-on error "$deb" >"$scratch/lintian.log" 2>&1 || {
        fail "lintian reports errors"
        cat "$scratch/lintian.log"
    }
fi

contents=$(dpkg-deb -c "$deb")
check "no test or benchmark program in the package" \
    test -z "$(grep -E '_tests|bench|assetgen|route-check|\.o$' <<<"$contents" || true)"
check "no best score in the package" test -z "$(grep 'score\.txt' <<<"$contents" || true)"

dpkg-deb -x "$deb" "$scratch/root"
root=$scratch/root
data=$root/usr/share/games/korvel
bin=$root/usr/lib/games/korvel
launcher=$root/usr/games/korvel
check "launcher installed as an executable" test -x "$launcher"
check "game installed" test -x "$bin/korvel"
check "korvel-replay installed" test -x "$bin/korvel-replay"
check "default settings installed" test -f "$data/settings.ini"
check "desktop entry installed" grep -qx 'Categories=Game;ArcadeGame;' "$root/usr/share/applications/korvel.desktop"
check "icon installed" test -s "$root/usr/share/icons/hicolor/256x256/apps/korvel.png"

# Software centres list the game by its metainfo and start it by the desktop entry it names.
# appstreamcli fails on an error or a warning; --strict fails on a mere remark too, so none
# creeps in unseen.
desktop=$root/usr/share/applications/korvel.desktop
metainfo=$root/usr/share/metainfo/org.example.korvel.metainfo.xml
check "metainfo installed" test -f "$metainfo"
for tool in appstreamcli desktop-file-validate; do
    command -v "$tool" >/dev/null 2>&1 || fail "$tool is missing (tools/setup.sh installs it)"
done
if command -v appstreamcli >/dev/null 2>&1 && [[ -f "$metainfo" ]]; then
    appstreamcli validate --no-net --strict "$metainfo" >"$scratch/appstream.log" 2>&1 || {
        fail "appstreamcli finds fault with the metainfo"
        cat "$scratch/appstream.log"
    }
fi
if command -v desktop-file-validate >/dev/null 2>&1; then
    # It says nothing of a good entry, but prints warnings without failing.
    desktop-file-validate "$desktop" >"$scratch/desktop.log" 2>&1 && [[ ! -s "$scratch/desktop.log" ]] || {
        fail "desktop-file-validate finds fault with the desktop entry"
        cat "$scratch/desktop.log"
    }
fi
if [[ -f "$metainfo" ]]; then
    launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
    check "the metainfo launches the installed desktop entry" test "$launchable" = "${desktop##*/}"
    release=$(awk -F'"' '/<release version=/ && release == "" { release = $2 } END { print release }' "$metainfo")
    check "the metainfo's newest release is the package's version" \
        test "$release" = "$(dpkg-deb -f "$deb" Version)"
fi

# Every library the programs link must come from a package the .deb depends on. One dpkg
# query for all of them: each query reads the whole file database.
libraries=$(objdump -p "$bin/korvel" "$bin/korvel-replay" | awk '$1 == "NEEDED" { print $2 }' | sort -u)
# awk reads to the end: an early exit would kill the writer with SIGPIPE under pipefail.
ldconfig -p >"$scratch/ldconfig.txt"
patterns=()
for library in $libraries; do
    path=$(awk -v name="$library" '$1 == name && path == "" { path = $NF } END { print path }' "$scratch/ldconfig.txt")
    [[ -n "$path" ]] || { fail "$library is not installed"; continue; }
    patterns+=("*/$(basename "$(dirname "$path")")/$library")
done
dpkg -S "${patterns[@]}" >"$scratch/owners.txt" 2>/dev/null || true
for library in $libraries; do
    owner=$(awk -F': ' -v name="/$library" '
        substr($2, length($2) - length(name) + 1) == name && owner == "" { owner = $1 }
        END { print owner }' "$scratch/owners.txt")
    owner=${owner%%:*}
    [[ -n "$owner" ]] || { fail "no package owns $library"; continue; }
    check "depends on $owner for $library" grep -qw -- "$owner" <<<"$depends"
done

# The font is a link into fonts-liberation; stand that dependency up inside the scratch root.
if [[ -L "$data/fonts/arial.ttf" && ! -e "$data/fonts/arial.ttf" ]]; then
    mkdir -p "$root/usr/share"
    ln -s /usr/share/fonts "$root/usr/share/fonts"
    check "the font link reaches the system font" test -f "$data/fonts/arial.ttf"
fi

# --- The first start of a fresh user --------------------------------------------------------
home=$scratch/home
mkdir -p "$home"
launch() { # launch [ARGUMENT]...: the installed launcher with the data rebased into the root
    env -u XDG_DATA_HOME HOME="$home" KORVEL_DATA_DIR="$data" KORVEL_BIN_DIR="$bin" \
        "$launcher" "$@" </dev/null
}
# Started straight in the background (not through a function) so $! is the launcher's process,
# which must become the game's.
env -u XDG_DATA_HOME HOME="$home" KORVEL_DATA_DIR="$data" KORVEL_BIN_DIR="$bin" \
    "$launcher" </dev/null >"$scratch/game.log" 2>&1 &
game=$!
# Started, the game shows its window; a busy machine or a sanitizer build may take a while.
timeout 120 xdotool search --sync --onlyvisible --pid "$game" >/dev/null 2>&1 || true
if kill -0 "$game" 2>/dev/null; then
    check "the launcher ran the game in its own process" \
        test "$(readlink -f "/proc/$game/exe")" = "$(readlink -f "$bin/korvel")"
    check "the game runs in the user's folder" \
        test "$(readlink -f "/proc/$game/cwd")" = "$(readlink -f "$home/.local/share/korvel")"
    check "the game opened its window" test -n "$(xdotool search --onlyvisible --pid "$game" 2>/dev/null)"
    kill "$game"
    wait "$game" 2>/dev/null || true
else
    wait "$game" || true
    fail "the game ended before it opened its window"
fi
game=
check "no ERROR line from the game" test -z "$(grep ERROR "$scratch/game.log" || true)"
[[ $failures -eq 0 ]] || cat "$scratch/game.log"

user=$home/.local/share/korvel
assets=$user/assets
check "assets/ is a real directory in the user's folder" test -d "$assets" -a ! -L "$assets"
check "assets/ is writable" test -w "$assets"
check "settings.ini is a file of the user's" test -f "$assets/settings.ini" -a ! -L "$assets/settings.ini"
check "settings.ini is a copy of the default" cmp -s "$assets/settings.ini" "$data/settings.ini"
for entry in "$data"/*; do
    name=${entry##*/}
    [[ "$name" == settings.ini ]] && continue
    check "assets/$name links to the shared data" test "$(readlink "$assets/$name")" = "$entry"
done
check "the shared data got no score and no kept run" \
    test ! -e "$data/score.txt" -a ! -e "$data/best.run" -a ! -e "$data/last.run"

# --- A later start after an upgrade ---------------------------------------------------------
# The user changed a setting and holds a score; the upgrade adds a data folder and drops one.
# The small window also keeps llvmpipe's cost of the long winning route below low.
printf '[window]\nwidth = 160\nheight = 160\n' >"$assets/settings.ini"
printf '57' >"$assets/score.txt"
mkdir "$data/added"
ln -s "$data/dropped" "$assets/dropped"
# F12 in the route: an installed game puts its screenshots with the user's pictures.
printf '0.0 F12 press\n0.05 F12 release\n' >"$scratch/route.txt"
XDG_PICTURES_DIR=$scratch/pictures launch --replay "$scratch/route.txt" --until 0.3 >"$scratch/replay.log" 2>&1 ||
    fail "korvel-replay through the launcher failed: $(cat "$scratch/replay.log")"
check "a replay through the launcher plays" grep -q '^outcome: ' "$scratch/replay.log"
check "F12 saves into XDG_PICTURES_DIR" grep -qx "Screenshot: $scratch/pictures/korvel/korvel-0001.png" "$scratch/replay.log"
check "the screenshot is a picture" identify "$scratch/pictures/korvel/korvel-0001.png"
check "the changed setting survived" grep -qx 'width = 160' "$assets/settings.ini"
check "the score survived" test "$(cat "$assets/score.txt")" = 57
check "new shared data is linked" test "$(readlink "$assets/added")" = "$data/added"
check "the link to dropped data is gone" test ! -L "$assets/dropped"

# --- Another user, placed by XDG_DATA_HOME ---------------------------------------------------
other=$scratch/other-data
env -u XDG_PICTURES_DIR HOME="$home" XDG_DATA_HOME="$other" KORVEL_DATA_DIR="$data" KORVEL_BIN_DIR="$bin" \
    "$launcher" --replay "$scratch/route.txt" --until 0.1 </dev/null >/dev/null 2>&1 ||
    fail "the launcher failed with XDG_DATA_HOME set"
check "without XDG_PICTURES_DIR screenshots go to ~/Pictures" test -s "$home/Pictures/korvel/korvel-0001.png"
check "XDG_DATA_HOME places the user's folder" cmp -s "$other/korvel/assets/settings.ini" "$data/settings.ini"
check "the other user has no score of the first" test ! -e "$other/korvel/assets/score.txt"

# --- A won attempt writes the score into the user's folder ---------------------------------
if [[ -f "$source/routes/win.route" ]]; then
    rm -f "$assets/score.txt"
    launch --replay "$source/routes/win.route" >"$scratch/win.log" 2>&1 || fail "the winning route failed"
    score=$(sed -n 's/^outcome: won score=\([0-9]*\).*/\1/p' "$scratch/win.log")
    check "the winning route wins" test -n "$score"
    check "the won score is in the user's score.txt" test "$(cat "$assets/score.txt" 2>/dev/null)" = "$score"
    check "the shared data still has no score" test ! -e "$data/score.txt"
    for run in best.run last.run; do
        check "$run is a file of the user's" test -f "$assets/$run" -a ! -L "$assets/$run"
    done
    echo "won with ${score:-?} s left; the score went to $assets/score.txt"
else
    echo "NOTE: no routes/win.route yet: the score's place is checked by the folder's layout only"
fi

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "package installs and plays from the user's folder"
