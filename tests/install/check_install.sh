#!/bin/sh
# Installs the build into a staging folder and checks what a desktop finds there: the
# tree, the menu entry and the AppStream metadata through their validators, the puzzle
# file type through the shared-mime-info database built in the stage, and the thumbnailer
# run through its own entry on sound, damaged and oversized puzzle files.
# Usage: check_install.sh BUILD_FOLDER SOURCE_FOLDER
set -u

build=$1
source=$2
corpus=$source/fuzz/corpus/pzz
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/stage
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

for tool in desktop-file-validate appstreamcli update-mime-database gio python3; do
    command -v "$tool" >/dev/null 2>&1 || { echo "FAIL: $tool is missing (scripts/deps installs it)"; exit 1; }
done

cmake --install "$build" --prefix "$stage" >"$work/install.log" 2>&1 || { cat "$work/install.log"; fail "cmake --install"; exit 1; }

# The tree: programs in bin/, their data in share/tesselon/, the desktop's files where it looks.
for path in bin/tesselon bin/tesselon-thumbnailer \
    share/tesselon/icons/Atom.ico share/tesselon/icons/open.bmp \
    share/tesselon/help/tesselon_help.chm share/tesselon/help/ayuda_tesselon.chm \
    share/tesselon/samples/paisaje.jpg share/tesselon/samples/vitral.emf \
    share/applications/tesselon.desktop share/mime/packages/tesselon.xml \
    share/thumbnailers/tesselon.thumbnailer share/metainfo/example.tesselon.Tesselon.metainfo.xml \
    share/icons/hicolor/scalable/apps/tesselon.svg share/man/man6/tesselon.6.gz; do
    [ -s "$stage/$path" ] || fail "$path is not installed"
done
for side in 16 22 24 32 48 64 128 256; do
    icon=$stage/share/icons/hicolor/${side}x$side/apps/tesselon.png
    size=$(python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]) if d[:8] == b"\x89PNG\r\n\x1a\n" else "none")' "$icon" 2>/dev/null)
    [ "$size" = "${side}x$side" ] || fail "$icon is $size, not ${side}x$side"
done
[ "$(ls "$stage/bin" | tr '\n' ' ')" = "tesselon tesselon-thumbnailer " ] ||
    fail "bin/ holds $(ls "$stage/bin" | tr '\n' ' '), not only the two programs"

desktop-file-validate "$stage/share/applications/tesselon.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$stage/share/metainfo/example.tesselon.Tesselon.metainfo.xml" || fail "appstreamcli validate"

# The puzzle type, recognised by GIO through the database built in the stage only: by name,
# and by content under a name that says nothing. A foreign file stays unknown.
update-mime-database "$stage/share/mime" 2>/dev/null || fail "update-mime-database"
mkdir -p "$work/home" "$work/files"
cp "$corpus/normal-4x3-png.pzz" "$work/files/game.pzz"
cp "$corpus/normal-4x3-png.pzz" "$work/files/saved-game"
cp "$corpus/wrong-magic.pzz" "$work/files/foreign"
for file in game.pzz:application/x-tesselon-puzzle saved-game:application/x-tesselon-puzzle \
    foreign:application/octet-stream; do
    name=${file%%:*}
    expected=${file#*:}
    type=$(XDG_DATA_DIRS="$stage/share" XDG_DATA_HOME="$work/home" \
        gio info -a standard::content-type "$work/files/$name" | sed -n 's/.*standard::content-type: //p')
    [ "$type" = "$expected" ] || fail "$name is seen as '$type', not $expected"
done

# The thumbnailer, started the way file managers start it: its entry's Exec line.
exec_line=$(sed -n 's/^Exec=//p' "$stage/share/thumbnailers/tesselon.thumbnailer")
thumbnail() { # INPUT OUTPUT
    command=$(printf '%s' "$exec_line" | sed "s|%s|128|; s|%i|$1|; s|%o|$2|")
    PATH="$stage/bin:$PATH" sh -c "$command" 2>>"$work/thumbnailer.log"
}
for good in normal-4x3-png normal-30x30-bmp sliding-2x2-jpeg sliding-3x5-extension-gif; do
    out=$work/$good.png
    thumbnail "$corpus/$good.pzz" "$out" || fail "no thumbnail of $good.pzz"
    [ "$(head -c 8 "$out" 2>/dev/null | od -An -tx1 | tr -d ' ')" = "89504e470d0a1a0a" ] ||
        fail "the thumbnail of $good.pzz is not a PNG"
done

# Bad input: the damaged files of the corpus, a 200-megapixel picture inside a puzzle file,
# a picture that is not a puzzle file, a missing file, a named pipe. Each must end non-zero,
# leaving nothing.
python3 - "$work/huge.pzz" <<'PY'
import struct, sys, zlib
width = height = 14142  # 200 megapixels, one grey; each row compressed alone, so it is quick
def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
row = b"\0" + b"\x80" * (3 * width)
packer = zlib.compressobj(9, zlib.DEFLATED, -15)
block = packer.compress(row) + packer.flush(zlib.Z_FULL_FLUSH)
adler = 1
for _ in range(height):
    adler = zlib.adler32(row, adler)
stream = b"\x78\xda" + block * height + b"\x03\x00" + struct.pack(">I", adler)
png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0))
       + chunk(b"IDAT", stream) + chunk(b"IEND", b""))
header = struct.pack("<hhh6shhhhhii", 1310, 1, 0, b"png   ", 2, 2, 2, 2, 0, 0, 0)
table = b"".join(struct.pack("<hh", c, r) for c in (1, 2) for r in (1, 2))
open(sys.argv[1], "wb").write(header + table + png)
PY
mkfifo "$work/pipe.pzz"
for bad in "$corpus/no-picture.pzz" "$corpus/version-2.pzz" "$corpus/wrong-magic.pzz" "$work/huge.pzz" \
    "$stage/share/tesselon/samples/paisaje.jpg" "$work/missing.pzz" "$work/pipe.pzz"; do
    out=$work/bad.png
    if thumbnail "$bad" "$out"; then
        fail "the thumbnailer accepted $(basename "$bad")"
    fi
    [ -e "$out" ] && fail "the thumbnailer left $out for $(basename "$bad")"
    rm -f "$out"
done
ls "$work" | grep -q '^bad\.png\.' && fail "the thumbnailer left a partial file"

if [ "$failures" -ne 0 ]; then
    echo "--- thumbnailer messages"
    cat "$work/thumbnailer.log"
    exit 1
fi
echo "PASS: staged install at $stage checked"
