#!/usr/bin/env bash
# Regenerates the ImageMagick-made icon files the codec tests read. The pictures are
# drawn from formulas (the same ones tst_iconcodec.cpp checks against), written as
# PAM files and turned into icons and bitmaps by ImageMagick 6 (Debian 12's
# imagemagick package). Two files ImageMagick cannot make are put together here from
# its output: a 24-bit icon (it writes truecolour icons as 32-bit) and an icon whose
# 32 x 32 image is PNG-compressed (it compresses only 256 x 256 images).
#
#     bash tests/data/ico/make-fixtures.sh      # from anywhere; needs convert and python3
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

python3 - "$work" <<'PY'
import sys
out = sys.argv[1]

def pam(name, size, pixel):
    w, h = size
    with open(f"{out}/{name}.pam", "wb") as f:
        f.write(f"P7\nWIDTH {w}\nHEIGHT {h}\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n".encode())
        for y in range(h):
            for x in range(w):
                f.write(bytes(pixel(x, y)))

# Two colours (ImageMagick writes 1-bit icons only for pictures without transparency).
def two(x, y):
    return (255, 0, 0, 255) if x < 16 else (0, 0, 255, 255)

STRIPES = [(0,0,0),(128,0,0),(0,128,0),(128,128,0),(0,0,128),(128,0,128),(0,128,128),
           (192,192,192),(128,128,128),(255,0,0),(0,255,0),(255,255,0),(0,0,255),(255,255,255)]
# Fourteen colours in stripes two pixels wide and a transparent corner.
def stripes(x, y):
    if x >= 28 and y >= 28: return (0, 0, 0, 0)
    return STRIPES[(x // 2) % 14] + (255,)

# 128 colours; every pixel whose x + y is a multiple of 11 is transparent.
def many(x, y):
    if (x + y) % 11 == 0: return (0, 0, 0, 0)
    return (x * 8, (y // 8) * 64, 100, 255)

# Alpha from the top down: opaque, mostly opaque, mostly transparent, transparent.
def graded(x, y):
    alpha = 255 if y < 16 else 200 if y < 20 else 100 if y < 24 else 0
    return (x * 8, y * 8, 200, alpha)

# Opaque, for the 24-bit icon and the bitmap files.
def opaque(x, y):
    return (x * 8, y * 8, ((x + y) * 4) & 255, 255)

pam("two", (32, 32), two)
pam("stripes", (32, 32), stripes)
pam("many", (32, 32), many)
pam("graded", (32, 32), graded)
pam("opaque", (32, 32), opaque)
pam("green16", (16, 16), lambda x, y: (0, 255, 0, 255))
pam("blue48", (48, 48), lambda x, y: (0, 0, 255, 255))
pam("big256", (256, 256), lambda x, y: (x, y, 0, 255))
pam("grey8", (32, 32), lambda x, y: (x * 8, x * 8, x * 8, 255))
PY

$convert "$work/two.pam" -colors 2 im-1bit.ico
$convert "$work/stripes.pam" -type PaletteAlpha im-4bit.ico
$convert "$work/many.pam" -type PaletteAlpha im-8bit.ico
$convert "$work/graded.pam" im-32bit.ico
$convert "$work/green16.pam" "$work/stripes.pam" "$work/blue48.pam" -type PaletteAlpha im-three-sizes.ico
$convert "$work/green16.pam" "$work/blue48.pam" im-16-and-48.ico
$convert "$work/green16.pam" im-16.ico
$convert "$work/big256.pam" -define png:exclude-chunks=date,time im-256-png.ico
$convert "$work/opaque.pam" -alpha off -type TrueColor bmp3:im-24bit.bmp
$convert "$work/grey8.pam" -alpha off -type Palette -compress none bmp3:im-8bit.bmp
$convert "$work/grey8.pam" -alpha off -type Palette bmp3:im-8bit-rle.bmp
$convert "$work/green16.pam" -alpha off bmp3:im-16.bmp
$convert "$work/graded.pam" -define png:color-type=6 -define png:exclude-chunks=date,time "$work/graded.png"

python3 - "$work" <<'PY'
import struct, sys
work = sys.argv[1]

def icon(entries):
    # entries: list of (width, height, bitcount, data)
    head = struct.pack("<HHH", 0, 1, len(entries))
    offset = 6 + 16 * len(entries)
    body = b""
    for w, h, bits, data in entries:
        head += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bits, len(data), offset)
        offset += len(data)
        body += data
    return head + body

# The 24-bit icon: ImageMagick's 24-bit bitmap rows with a mask marking the diagonal
# transparent; the colour under the mask stays, so those pixels invert the background.
bmp = open("im-24bit.bmp", "rb").read()
pixels_at = struct.unpack_from("<I", bmp, 10)[0]
colour = bmp[pixels_at:pixels_at + 32 * 96]
mask = b""
for row in range(32):
    y = 31 - row
    bits = 1 << (31 - y)
    mask += struct.pack(">I", bits)
header = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 24, 0, len(colour) + len(mask), 0, 0, 0, 0)
open("im-24bit.ico", "wb").write(icon([(32, 32, 24, header + colour + mask)]))

png = open(f"{work}/graded.png", "rb").read()
open("png-entry.ico", "wb").write(icon([(32, 32, 32, png)]))
PY
