#!/usr/bin/env bash
# Screenshot check of the glass example: in front of a patterned backdrop, the glass
# form (emulated glass) must show Trunc(0.25 x screen + 0.75 x picture) per channel in
# its flat areas, and the backdrop unchanged where the skin is cut away.
# Usage: example_screenshot.sh <source dir> <glass_backdrop.exe> <glass_demo.exe> <work dir>
set -euo pipefail
source_dir=$1 backdrop=$2 demo=$3 work=$4
mkdir -p "$work"
"$source_dir/scripts/wine-up" --xvfb >/dev/null
. "$source_dir/scripts/wine-env"
rm -f "$work/ready" "$work/before.ppm" "$work/glass.ppm"

"$WINE" "$backdrop" 40000 </dev/null >"$work/backdrop.log" 2>&1 &
backdrop_pid=$!
demo_pid=
cleanup() {
  [ -n "$demo_pid" ] && kill "$demo_pid" 2>/dev/null || true
  kill "$backdrop_pid" 2>/dev/null || true
}
trap cleanup EXIT
sleep 3
import -window root -depth 8 "$work/before.ppm"

ready=$("$WINE" winepath -w "$work/ready")
"$WINE" "$demo" --emulate --at=200,150 --close-after=6000 "--ready-file=$ready" \
  </dev/null >"$work/demo.log" 2>&1 &
demo_pid=$!
for _ in $(seq 300); do [ -f "$work/ready" ] && break; sleep 0.1; done
[ -f "$work/ready" ] || { echo "the example never reported ready"; exit 1; }
import -window root -depth 8 "$work/glass.ppm"
for _ in $(seq 200); do kill -0 "$demo_pid" 2>/dev/null || break; sleep 0.1; done
if kill -0 "$demo_pid" 2>/dev/null; then echo "the example did not end by itself"; exit 1; fi
demo_pid=

python3 - "$work/before.ppm" "$work/glass.ppm" <<'PY'
import sys

def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255', fields
    width, height = int(fields[1]), int(fields[2])
    return width, data[pos + 1:]

def pixel(image, x, y):
    width, rgb = image
    i = 3 * (y * width + x)
    return tuple(rgb[i:i + 3])

def blend(screen, picture):
    return tuple(int(b * 0.25 + (1 - 0.25) * p * 1.0) for b, p in zip(screen, picture))

before, glass = read_ppm(sys.argv[1]), read_ppm(sys.argv[2])
left, top = 200, 150
checks = [
    # the skin's flat title band: red 40, green 120, blue 200
    ((40, 120, 200), range(40, 320, 3), range(24, 56, 2)),
    # the left end of the "Play" button (at 24, 150 on the form), away from its caption
    ((0x30, 0xA0, 0x50), range(24 + 8, 24 + 20), range(150 + 12, 150 + 28)),
]
failures, compared = 0, 0
for colour, xs, ys in checks:
    for y in ys:
        for x in xs:
            screen = pixel(before, left + x, top + y)
            expected, shown = blend(screen, colour), pixel(glass, left + x, top + y)
            compared += 1
            if shown != expected:
                failures += 1
                if failures <= 5:
                    print(f'form pixel {x},{y}: screen {screen}, expected {expected}, shown {shown}')
# The cut-away corner shows the backdrop itself.
for x, y in ((1, 1), (358, 218)):
    if pixel(glass, left + x, top + y) != pixel(before, left + x, top + y):
        failures += 1
        print(f'cut-away pixel {x},{y} is not the backdrop')
varied = len({pixel(before, left + x, top + 30) for x in range(40, 320)})
print(f'{compared} glass pixels compared over {varied} backdrop colours, {failures} wrong')
sys.exit(1 if failures or varied < 20 else 0)
PY
