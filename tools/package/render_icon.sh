#!/usr/bin/env bash
# Renders the desktop icon from the game's own player model: korvel-replay runs the first frames
# in a scratch folder whose assets/ holds the shaders and only the player's model and texture,
# so the picture shows the slice of tamboro alone on the clear colour. The middle of the window,
# where the following camera keeps the player, is cut out, trimmed to the model, made transparent
# around it and scaled to the icon sizes.
#
# Usage: render_icon.sh [--placeholder] KORVEL_REPLAY BUILT_ASSETS_DIR OUTPUT_DIR SIZE...
# Writes OUTPUT_DIR/SIZExSIZE/apps/korvel.png for each size. Exits non-zero when no player is
# seen. --placeholder draws a plainly temporary icon instead, for builds of a game that does not
# draw its player yet.
set -euo pipefail
placeholder=false
if [[ "$1" == "--placeholder" ]]; then
    placeholder=true
    shift
fi
replay=$1
built_assets=$2
output=$3
shift 3
sizes=("$@")

write_sizes() {
    local picture=$1 side=$2
    for size in "${sizes[@]}"; do
        mkdir -p "$output/${size}x${size}/apps"
        convert "$picture" -background none -gravity center -extent "${side}x${side}" \
            -resize "${size}x${size}" -strip "PNG32:$output/${size}x${size}/apps/korvel.png"
    done
}

work=$(mktemp -d "${TMPDIR:-/tmp}/korvel-icon-XXXXXX")
trap 'rm -rf "$work"' EXIT

if $placeholder; then
    echo "render_icon: drawing a TEMPORARY icon; the game does not draw its player yet" >&2
    convert -size 256x256 xc:none -fill '#f2c14e' -stroke '#8a5a19' -strokewidth 12 \
        -draw "circle 128,128 128,16" -fill '#8a5a19' -stroke none \
        -draw "circle 92,100 92,84" -draw "circle 160,96 160,82" -draw "circle 128,172 128,156" \
        -fill '#d0312d' -draw "polygon 150,256 256,150 256,200 200,256" "$work/placeholder.png"
    write_sizes "$work/placeholder.png" 256
    exit 0
fi

# A sanitizer build's korvel-replay must not fail the build over leaks in the GL driver.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0"

mkdir -p "$work/assets/models" "$work/assets/textures"
ln -s "$built_assets/shader" "$work/assets/shader"
for model in "$built_assets"/models/tamboro_game.*; do
    [[ -e "$model" ]] && cp "$model" "$work/assets/models/"
done
[[ -e "$built_assets/textures/tam_tex.dds" ]] && cp "$built_assets/textures/tam_tex.dds" "$work/assets/textures/"
# A large window gives the small model enough pixels for the biggest icon.
printf '[window]\nwidth = 2048\nheight = 2048\ntitle = Korvel icon\n' >"$work/assets/settings.ini"
: >"$work/route.txt"

run() {
    if command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a -s "-screen 0 2048x2048x24" "$@"
    elif [[ -n "${DISPLAY:-}" ]]; then
        "$@"
    else
        echo "render_icon: needs xvfb-run or a display" >&2
        return 1
    fi
}
if ! (cd "$work" && run "$replay" route.txt --until 0.2 --shot 0.1:shot.png >replay.log 2>&1); then
    echo "render_icon: korvel-replay failed:" >&2
    cat "$work/replay.log" >&2
    exit 1
fi

# The camera looks at the player's feet from behind and above: the feet are at the window's
# centre and the body rises above it.
convert "$work/shot.png" -crop 1024x1024+512+256 +repage \
    -bordercolor white -border 1 -fuzz 6% -fill none -draw "color 0,0 floodfill" -shave 1x1 \
    -trim +repage "$work/player.png"
# Keep the window picture when asked, to check the cut.
if [[ -n "${KORVEL_ICON_SHOT:-}" ]]; then
    cp "$work/shot.png" "$KORVEL_ICON_SHOT"
fi

read -r width height < <(identify -format '%w %h\n' "$work/player.png")
opaque=$(convert "$work/player.png" -alpha extract -format '%[fx:round(mean*w*h)]' info:)
if ((width < 16 || height < 16 || opaque < 200)); then
    echo "render_icon: no player in the picture (model ${width}x${height}, ${opaque} opaque pixels)" >&2
    exit 1
fi

side=$((width > height ? width : height))
# The camera sees the slice's shaded back: lift it a little so it reads on dark panels too.
convert "$work/player.png" -modulate 130 "$work/lifted.png"
write_sizes "$work/lifted.png" $((side * 110 / 100))
