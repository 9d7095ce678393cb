#!/bin/sh
# What tallino.exe carries, as Windows and a user meet it: a manifest that asks for no more than
# the user's own rights, with per-monitor dpi and the standard controls' visual styles; the icon in
# its four sizes, the 32-pixel one as the reviewed tests/icon.png, transparency and all; the About
# picture as the reviewed tests/picture.png; the project's version, in Italian.
#   resources.sh tallino.exe VERSION TESTS-FOLDER WORK-FOLDER
set -eu
exe=$(realpath "$1") version=$2 tests=$(realpath "$3") out=$4
failed=0
fail() {
    echo "FAIL $*"
    failed=1
}
mkdir -p "$out"
cd "$out"

manifest=$(wrestool -x --raw -t 24 "$exe")
for wanted in 'level="asInvoker"' 'uiAccess="false"' '>PerMonitorV2<' \
    'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"'; do
    printf "%s\n" "$manifest" | tr -s ' \n' ' ' | grep -q -F "$wanted" || fail "manifest: no $wanted"
done

# Every pixel with its alpha, as ImageMagick lists them.
pixels() { convert "$1" -depth 8 -alpha on txt:- | tail -n +2 | sed 's/ *#.*//'; }
wrestool -x -t 14 "$exe" >tallino.ico
sizes=$(icotool -l tallino.ico | sed -n 's/.*--width=\([0-9]*\).*/\1/p' | sort -n | tr '\n' ' ')
[ "$sizes" = "16 32 48 256 " ] || fail "icon sizes: $sizes"
icotool -x -w 32 -o icon.png tallino.ico
[ "$(pixels icon.png)" = "$(pixels "$tests/icon.png")" ] || fail "the icon is not tests/icon.png"
# The 256-pixel image, a PNG inside the icon: the same drawing, each pixel an 8-pixel square.
icotool -x -w 256 -o icon256.png tallino.ico
convert "$tests/icon.png" -sample 256x256 icon256.wanted.png
[ "$(pixels icon256.png)" = "$(pixels icon256.wanted.png)" ] ||
    fail "the 256-pixel icon is not tests/icon.png scaled up"
wrestool -x -t 2 "$exe" >picture.bmp
[ "$(pixels picture.bmp)" = "$(pixels "$tests/picture.png")" ] ||
    fail "the About picture is not tests/picture.png"

# The version: its texts, and in VS_FIXEDFILEINFO after the signature and the structure's own
# version, the file's and the product's, each as major.minor.0.0.
wrestool -x --raw -t 16 "$exe" >version.res
strings -el -n 3 version.res >version.txt
for key in FileVersion ProductVersion; do
    value=$(grep -A1 -x "$key" version.txt | tail -n 1)
    [ "$value" = "$version" ] || fail "version: $key is '$value'"
done
grep -q -x -i 041004b0 version.txt || fail "version: no Italian texts"
fixed=$(od -An -v -t x4 -w4 version.res | tr -d ' ' | grep -A5 -x feef04bd | tail -n 4 | tr '\n' ' ')
major=${version%%.*} minor=${version#*.}
words=$(printf '%08x 00000000 ' $((major << 16 | ${minor%%.*})))
[ "$fixed" = "$words$words" ] || fail "version numbers: $fixed"
exit $failed
