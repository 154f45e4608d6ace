#!/bin/sh
# Starts Korvel as an installed game. The game reads and writes "assets/..." below its working
# directory, and the installed data is read-only and shared by every user, so each user gets a
# folder of their own: its assets/ is a real, writable directory that holds the user's own
# settings.ini and score.txt, with the recordings of their best and last runs (best.run,
# last.run) beside it, and links every other entry to the shared data. The links are made
# anew at each start, so data added or removed by an upgrade shows at once; the user's own files
# are never touched once they exist.
#
#   korvel                            play
#   korvel --replay ROUTE [OPTION]... run korvel-replay in the same folder (paths below it);
#                                     assets/best.run or assets/last.run plays a kept run
#
# KORVEL_DATA_DIR and KORVEL_BIN_DIR override where the shared data and the game's programs are
# looked for; by default they are found beside this script as the install laid them out.
set -eu

launcher=$(readlink -f "$0")
prefix=$(readlink -f "${launcher%/*}/@KORVEL_LAUNCHER_TO_PREFIX@")
data_dir=${KORVEL_DATA_DIR:-$prefix/@KORVEL_INSTALL_DATA_DIR@}
bin_dir=${KORVEL_BIN_DIR:-$prefix/@KORVEL_INSTALL_LIB_DIR@}

fail() {
    echo "korvel: $*" >&2
    exit 1
}

program=korvel
if [ "${1:-}" = "--replay" ]; then
    program=korvel-replay
    shift
fi

[ -f "$data_dir/settings.ini" ] || fail "no game data in $data_dir"
[ -x "$bin_dir/$program" ] || fail "no $program in $bin_dir"

# A relative XDG_DATA_HOME is invalid and is ignored, as the base-directory rules ask.
case ${XDG_DATA_HOME:-} in
/*) user_dir=$XDG_DATA_HOME/korvel ;;
*)
    [ -n "${HOME:-}" ] || fail "neither HOME nor XDG_DATA_HOME is set"
    user_dir=$HOME/.local/share/korvel
    ;;
esac
assets=$user_dir/assets

# The game replaces score.txt by renaming a fresh file over it, so assets/ itself must be the
# user's; a link to the shared folder would send the score there.
if [ -L "$assets" ]; then
    rm -f "$assets"
fi
mkdir -p "$assets" || fail "cannot create $assets"
[ -w "$assets" ] || fail "$assets is not writable"

# Links left from an older install whose data entry is gone.
for entry in "$assets"/* "$assets"/.[!.]*; do
    if [ -L "$entry" ] && [ ! -e "$entry" ]; then
        rm -f "$entry"
    fi
done

# Link every shared entry, except the files that belong to the user. A real file or folder the
# user put there in place of a link is theirs and stays.
for entry in "$data_dir"/*; do
    [ -e "$entry" ] || continue
    name=${entry##*/}
    case $name in
    settings.ini | score.txt | score.txt.* | best.run | last.run | *.run.*) continue ;;
    esac
    if [ -L "$assets/$name" ] || [ ! -e "$assets/$name" ]; then
        ln -sfn "$entry" "$assets/$name"
    fi
done

# The default settings, copied once; the user's changes survive every later start and upgrade.
if [ ! -e "$assets/settings.ini" ] && [ ! -L "$assets/settings.ini" ]; then
    cp "$data_dir/settings.ini" "$assets/settings.ini.new"
    chmod u+w "$assets/settings.ini.new"
    mv "$assets/settings.ini.new" "$assets/settings.ini"
fi

# Tells the game it runs installed: its screenshots then go to the user's pictures, not into
# this hidden folder.
export KORVEL_INSTALLED=1
cd "$user_dir"
exec "$bin_dir/$program" "$@"
