#!/bin/bash
# The window as a person sees it: sampled from a screenshot, at 1x and 2x.
. "$(dirname "$0")/lib.sh"
start_desktop 1600x1200x24
start_ardivo
sleep 0.3

shot="$WORK/window.png"
import -window "$WIN" "$shot"
# The colour at a point of the shot, as "r g b".
pixel() { convert "$1" -format "%[fx:int(255*p{$2,$3}.r)] %[fx:int(255*p{$2,$3}.g)] %[fx:int(255*p{$2,$3}.b)]" info:; }
# How many pixels of a region are of a kind, by an fx expression.
count() { convert "$1" -crop "$2" +repage -fx "$3" -format '%[fx:int(mean*w*h+0.5)]' info:; }
colours() { convert "$1" -crop "$2" +repage -format '%k' info:; }

check "the form's background is the scheme's highlighted-text white" test "$(pixel "$shot" 5 490)" = "255 255 255"
read -r r g b <<<"$(pixel "$shot" 480 98)"
check "a light button face ($r $g $b)" test "$r" -gt 200 -a "$g" -gt 200 -a "$b" -gt 200
check "blue label text" test "$(count "$shot" 241x33+56+32 'r<0.3 && g<0.3 && b>0.6')" -gt 50
check "dark blue text of the cartridge prompt" test "$(count "$shot" 225x25+56+80 'r<0.3 && g<0.3 && b>0.55 && b<0.85')" -gt 20
check "the photograph is there" test "$(colours "$shot" 301x167+8+240)" -gt 100
check "the notes icon in the top-left corner" test "$(count "$shot" 32x32+0+0 'r<0.3 && g<0.3 && b<0.3')" -gt 40
check "the stop sign on Chiudi" test "$(count "$shot" 129x81+472+232 'r>0.7 && g<0.2 && b<0.2')" -gt 100
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo.png"
kill "$APP_PID"
wait "$APP_PID" 2>/dev/null || true

# Twice the scale: twice the size, same proportions, crisp pictures.
QT_SCALE_FACTOR=2 start_ardivo
sleep 0.3
import -window "$WIN" "$shot"
check "at 2x the window is 1318 by 1002" test "$(identify -format '%wx%h' "$shot")" = "1318x1002"
check "at 2x the stop sign is in place" test "$(count "$shot" 258x162+944+464 'r>0.7 && g<0.2 && b<0.2')" -gt 400
# Detail finer than 2x2 blocks: a photograph scaled up from 1x has little
# (about 0.018 smoothly scaled, 0 by pixel doubling), the 2x rendition about 0.04.
convert "$shot" -crop 602x334+16+480 +repage "$WORK/photo.png"
convert "$WORK/photo.png" -scale 50% -scale 200% "$WORK/blocky.png"
fine=$(compare -metric RMSE "$WORK/photo.png" "$WORK/blocky.png" null: 2>&1 | sed 's/.*(\(.*\))/\1/' || true)
check "at 2x the photograph is drawn at its own resolution ($fine)" awk -v f="$fine" 'BEGIN { exit !(f > 0.03) }'
[ -n "${ARDIVO_SCREENSHOTS:-}" ] && cp "$shot" "$ARDIVO_SCREENSHOTS/ardivo@2x.png"
finish
