#!/usr/bin/env bash
# quiztool's command line: round trips, exit codes and messages. One list of cases for every
# build of the tool: quiztool_test.sh COMMAND... runs the tool as COMMAND (the native program, or
# run-in-wine with quiztool.exe). With PLAYER set to a player.exe (and DEMO to a folder made by
# demo/make-media) it packs and unpacks quizzes too. The messages are English (C.UTF-8: Wine
# reads file names and arguments in the locale's character set) but where a case chooses French;
# under Wine, French needs the locale fr_FR.UTF-8 (LOCPATH may name a folder that holds it).
set -u
tool=("$@")
export LANG=C.UTF-8
unset LC_ALL LC_MESSAGES
quiztool() { "${tool[@]}" "$@"; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

check() {  # check DESCRIPTION COMMAND...: the command must succeed
  local what=$1; shift
  if ! "$@"; then echo "FAIL: $what"; failures=$((failures + 1)); fi
}

# refuses DESCRIPTION PATTERN ARGS...: the tool exits 1 within a minute (nothing it reads may
# block it) and its messages hold PATTERN.
refuses() {
  local what=$1 pattern=$2; shift 2
  timeout 60 "${tool[@]}" "$@" > "$work/out" 2> "$work/err"; local rc=$?
  check "$what: exits 1" test "$rc" -eq 1
  check "$what: says \"$pattern\"" grep -qF -- "$pattern" "$work/err"
}

# encode and decode round-trip any bytes, including every byte value.
head -c 20000 /dev/urandom | base64 > "$work/text"
printf '\x00\x01|\r\n\xe9\xff' >> "$work/text"
quiztool encode "$work/text" "$work/coded" && quiztool decode "$work/coded" "$work/back"
check "encode/decode round trip" cmp -s "$work/text" "$work/back"

# A stream without its end code fails with the decoder's result.
printf '\x30\x98' > "$work/bad"
quiztool decode "$work/bad" "$work/out" 2> "$work/err"; rc=$?
check "decode failure exits 1" test "$rc" -eq 1
check "decode failure message" grep -qx 'decode failed: -7' "$work/err"
check "nothing written on failure" test ! -e "$work/out"

: > "$work/empty"
quiztool decode "$work/empty" "$work/out" 2> "$work/err"
check "empty input gives -5" grep -qx 'decode failed: -5' "$work/err"
quiztool encode "$work/empty" "$work/out" 2> "$work/err"; rc=$?
check "empty text is refused" test "$rc" -eq 1

# show prints decoded texts as JSON, in UTF-8.
printf '\x00\x01\x02\x01Capitales|Zo\xe9|Expl|||Paris|Capitale de la France ?|Rome|Capitale de l'"'"'Italie ?|\x00\x5a\x5f\x96' > "$work/t104"
printf 'CODE1\r\nCODE2\r\n' > "$work/t105"
quiztool show "$work/t104" "$work/t105" > "$work/json"
check "show succeeds" test $? -eq 0
check "show converts to UTF-8" grep -q '"author": "Zoé"' "$work/json"
check "show lists the codes" grep -q '"codes": \["CODE1", "CODE2"\]' "$work/json"
check "show is valid JSON" python3 -m json.tool "$work/json" > /dev/null

# Bad content gets one clear line and exit 1.
printf '\x00\x01\x61\x01' > "$work/many"
quiztool show "$work/many" > /dev/null 2> "$work/err"; rc=$?
check "bad content exits 1" test "$rc" -eq 1
check "bad content names the field" grep -q 'question count: more than 96 questions' "$work/err"
check "bad content is one line" test "$(wc -l < "$work/err")" -eq 1

# judge prints the player's verdict for a typed answer, in UTF-8.
judge() { quiztool judge "$@" 2> "$work/err"; }
check "judge trims and folds the typed text" test "$(judge Paris '  paris  ')" = BRAVO
check "judge prints hints in UTF-8" \
  test "$(judge ABCDEFGHIJKLMNOPQRST abcdefghijklmnopqxyz)" = "y a de l'idée"
check "judge folds no accented letter" test "$(judge 'Éléphant' elephant)" = Presque
check "judge reads arguments as code page 1252" test "$(judge 'Éléphant' 'ÉLéphant')" = BRAVO
check "judge takes the quiz's words" \
  test "$(judge --success 'GAGNÉ' PARIS ' paris' --failure NON)" = "GAGNÉ"
check "judge uses the failure word" test "$(judge PARIS ROME --failure NON)" = NON

# Words over five characters, characters outside code page 1252 and missing texts: exit 2.
judge PARIS paris --success TROPLONG > /dev/null; rc=$?
check "judge refuses a long word" test "$rc" -eq 2
check "judge says why" grep -q 'success word is longer than 5 characters' "$work/err"
judge '北京' BEIJING > /dev/null; rc=$?
check "judge refuses characters outside code page 1252" test "$rc" -eq 2
check "judge names the code page" grep -q 'code page 1252' "$work/err"
judge PARIS > /dev/null; rc=$?
check "judge needs two texts" test "$rc" -eq 2

# png decodes a picture with the player's decoder into a BMP; a file it refuses gives the code.
suite=$(dirname "$0")/../data/pngsuite
quiztool png "$suite/basn3p02.png" "$work/picture.bmp"
check "png writes a BMP" test "$(head -c 2 "$work/picture.bmp")" = BM
quiztool png "$suite/xc9n2c08.png" "$work/refused.bmp" 2> "$work/err"; rc=$?
check "png failure exits 1" test "$rc" -eq 1
check "png failure message" grep -qx 'png failed: 0x2001' "$work/err"
check "png writes nothing on failure" test ! -e "$work/refused.bmp"

# pack, unpack, pack again: the same quiz, and for a quiz file the very same executable.
if [ -n "${PLAYER:-}" ] && [ -n "${DEMO:-}" ]; then
  for quiz in "$DEMO"/*.quiz; do
    name=$(basename "$quiz" .quiz)
    first=$work/$name.exe again=$work/unpacked/$name-again.exe
    quiztool pack "$quiz" "$first" --player "$PLAYER"
    check "$name: pack" test $? -eq 0
    quiztool unpack "$first" "$work/unpacked" > "$work/out"
    check "$name: unpack" grep -q "$name.quiz: [0-9]* questions" "$work/out"
    quiztool pack "$work/unpacked/$name.quiz" "$again" --player "$PLAYER"
    quiztool show "$first" > "$work/first.json" && quiztool show "$again" > "$work/again.json"
    check "$name: show of the repacked quiz is the same" cmp -s "$work/first.json" "$work/again.json"
    check "$name: the repacked executable is the same" cmp -s "$first" "$again"
    if [ -n "${REFERENCE:-}" ]; then
      "$REFERENCE" pack "$quiz" "$work/reference.exe" --player "$PLAYER"
      check "$name: the same executable as the native tool's" cmp -s "$first" "$work/reference.exe"
    fi
    rm -rf "$work/unpacked"
  done

  # Accented folders and files (é, ü, CJK), pictures named with either separator, an accented
  # output, and unpack into an accented folder: the same executable from every tool.
  folder="$work/Géo ü/漢字"
  mkdir -p "$folder/imagés"
  cp "$DEMO/images/italie.gif" "$folder/imagés/château.gif"
  cp "$DEMO/images/japon.png" "$folder/imagés/日本.png"
  printf 'kind: picture\nreveal: 1\nweb: http://example.org/\nquestion:\nanswer: Italie\n%s\n%s\n' \
    'picture: imagés\château.gif' 'answer picture: imagés/日本.png' > "$folder/élève.quiz"
  quiztool pack "$folder/élève.quiz" "$folder/Sortie ü 漢字.exe" --player "$PLAYER" > "$work/out"
  check "accented names: pack" test $? -eq 0
  check "accented names: the output has its name" test -s "$folder/Sortie ü 漢字.exe"
  quiztool unpack "$folder/Sortie ü 漢字.exe" "$work/sortie ü" > "$work/out"
  check "accented names: unpack into an accented folder" test -s "$work/sortie ü/Sortie ü 漢字.quiz"
  if [ -n "${REFERENCE:-}" ]; then
    "$REFERENCE" pack "$folder/élève.quiz" "$work/reference.exe" --player "$PLAYER" > /dev/null
    check "accented names: the native tool's executable" cmp -s "$folder/Sortie ü 漢字.exe" \
      "$work/reference.exe"
  fi

  # Inputs are told apart by what they are, not how they are spelt; pack replaces no device,
  # pipe or read-only file.
  mkdir -p "$work/same" && cp "$PLAYER" "$work/same/p.exe" && cp "$DEMO/capitales.quiz" "$work/same/"
  cd "$work/same"
  refuses "pack over the player as ./p.exe" 'is the player it copies' \
    pack capitales.quiz ./p.exe --player p.exe
  cd - > /dev/null
  check "the player is kept" cmp -s "$PLAYER" "$work/same/p.exe"
  mkfifo "$work/same/pipe.exe" && cp "$PLAYER" "$work/same/kept.exe" && chmod 444 "$work/same/kept.exe"
  refuses "pack into a pipe" 'pipe.exe is not a regular file (a device or a pipe): pack does not' \
    pack "$work/same/capitales.quiz" "$work/same/pipe.exe" --player "$PLAYER"
  check "the pipe is kept" test -p "$work/same/pipe.exe"
  refuses "pack over a read-only file" 'kept.exe is read-only: pack does not replace it' \
    pack "$work/same/capitales.quiz" "$work/same/kept.exe" --player "$PLAYER"
  check "the read-only file is kept" cmp -s "$PLAYER" "$work/same/kept.exe"

  # A damaged executable: a clear error, exit 1, and nothing written.
  head -c 3000 "$first" > "$work/damaged.exe"
  quiztool unpack "$work/damaged.exe" "$work/nothing" 2> "$work/err"; rc=$?
  check "unpack of a damaged executable exits 1" test "$rc" -eq 1
  check "unpack of a damaged executable says why" grep -q '^.*damaged.exe: ' "$work/err"
  check "unpack of a damaged executable writes nothing" test ! -e "$work/nothing"
  mkdir -p "$work/occupied" && mkfifo "$work/occupied/$name.quiz"
  refuses "unpack over a pipe" "$name.quiz already exists; nothing was written" \
    unpack "$first" "$work/occupied"
fi

# A quiz file dropped on the tool is packed beside itself with the player beside the tool, also
# when Notepad added .txt to its name; a dropped packed quiz is named as such.
if [ -n "${DROP:-}" ]; then
  mkdir -p "$work/dé pôt"
  cp "$(dirname "$0")/../../demo/capitales.quiz" "$work/dé pôt/Capitales.QUIZ"
  quiztool "$work/dé pôt/Capitales.QUIZ" > "$work/out"; rc=$?
  check "a dropped quiz file is packed" test "$rc" -eq 0
  check "a dropped quiz file lands beside itself" test -s "$work/dé pôt/Capitales.exe"
  check "the drop says what it did, in UTF-8" grep -q 'packed into .*dé pôt/Capitales.exe' "$work/out"
  cp "$(dirname "$0")/../../demo/capitales.quiz" "$work/dé pôt/Élève 漢字.quiz.txt"
  quiztool "$work/dé pôt/Élève 漢字.quiz.txt" > "$work/out"; rc=$?
  check "a dropped .quiz.txt is packed" test "$rc" -eq 0
  check "a dropped .quiz.txt gives NAME.exe" test -s "$work/dé pôt/Élève 漢字.exe"
  printf 'name: x\nquestion:\n' > "$work/dé pôt/bad.quiz"
  quiztool "$work/dé pôt/bad.quiz" > /dev/null 2> "$work/err"; rc=$?
  check "a dropped bad quiz file exits 1" test "$rc" -eq 1
  check "a dropped bad quiz file says why" grep -q 'bad.quiz:2: ' "$work/err"
  refuses "a dropped packed quiz" 'is a packed quiz, the program students start' \
    "$work/dé pôt/Capitales.exe"
fi

# Anything else dropped gets one sentence: what it is, and that a quiz file is what to drop.
mkdir -p "$work/dropped"
cp "$suite/basn3p02.png" "$work/dropped/photo.quiz.txt"
printf 'Liste des courses\n' > "$work/dropped/notes.txt"
mkfifo "$work/dropped/pipe"
refuses "a dropped picture" 'photo.quiz.txt is a PNG picture, not a quiz file: drop the quiz file' \
  "$work/dropped/photo.quiz.txt"
refuses "a dropped text" 'notes.txt is a text file with no quiz key' "$work/dropped/notes.txt"
refuses "a dropped folder" 'dropped is a folder, not a quiz file' "$work/dropped"
refuses "a dropped pipe" 'pipe is a device or a pipe, not a quiz file' "$work/dropped/pipe"

# Only regular files are read, each within its limit (sparse files: nothing is written); an
# output that is a device, a pipe or read-only is never replaced.
truncate -s 2M "$work/big.quiz" && truncate -s 800M "$work/big.exe"
printf 'x' > "$work/one" && printf 'kept' > "$work/read-only" && chmod 444 "$work/read-only"
mkfifo "$work/fifo"
refuses "check of a pipe" 'fifo: is not a regular file (a device or a pipe): name a quiz file' \
  check "$work/fifo"
refuses "check of a device" 'is not a regular file' check /dev/zero
refuses "check of a quiz file over 1 MB" 'big.quiz: is 2 MB; a quiz file is at most 1 MB' \
  check "$work/big.quiz"
refuses "show of a file over 700 MB" 'big.exe: is 800 MB; a quiz executable is at most 700 MB' \
  show "$work/big.exe"
refuses "encode into a pipe" 'fifo is not a regular file (a device or a pipe): nothing was written' \
  encode "$work/one" "$work/fifo"
check "the pipe is kept" test -p "$work/fifo"
refuses "encode into a device" 'is not a regular file' encode "$work/one" /dev/null
check "the device is kept" test -c /dev/null
refuses "encode over a read-only file" 'read-only is read-only: nothing was written' \
  encode "$work/one" "$work/read-only"
check "the read-only file is kept" test "$(cat "$work/read-only")" = kept

quiztool frobnicate 2> /dev/null; rc=$?
check "unknown command exits 2" test "$rc" -eq 2

# --help for the tool and each command: exit 0, usage on stdout, exit codes stated.
quiztool --help > "$work/help"; rc=$?
check "--help exits 0" test "$rc" -eq 0
check "--help states the exit codes" grep -q 'Exit codes: 0 done, 1 input refused' "$work/help"
check "--help lists --keep-pictures" grep -q 'pack QUIZFILE .*--keep-pictures' "$work/help"
check "--help gives the dropped-file form" grep -q 'drop the quiz file on quiztool.exe' "$work/help"
check "--help names no build step" sh -c "! grep -qi 'build it\|PATCH' '$work/help'"
for command in check pack show png judge encode decode; do
  quiztool "$command" --help > "$work/help"; rc=$?
  check "$command --help exits 0" test "$rc" -eq 0
  check "$command --help names it" grep -q "^usage: quiztool $command" "$work/help"
done

# png never aborts: a 20000 × 20000 image (400 million pixels) is refused before decoding.
python3 - "$work/huge.png" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
ihdr = struct.pack('>IIBBBBB', 20000, 20000, 8, 6, 0, 0, 0)
idat = zlib.compress(b'\0' * 1000000)
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', ihdr) + chunk(b'IDAT', idat)
                              + chunk(b'IEND', b''))
PY
quiztool png "$work/huge.png" "$work/huge.bmp" 2> "$work/err"; rc=$?
check "png refuses a huge bitmap with exit 1" test "$rc" -eq 1
check "png names the code" grep -qx 'png failed: 0x1001' "$work/err"
quiztool png /dev/zero "$work/zero.bmp" 2> "$work/err"; rc=$?
check "png refuses a device" test "$rc" -eq 1

# pack without an output writes QUIZ.exe beside the quiz (here: refused without a player) and
# never over its inputs; show refuses what is not a quiz.
printf 'question: q\nanswer: a\n' > "$work/q.quiz"
cp "$work/q.quiz" "$work/q.copy"
quiztool pack "$work/q.quiz" "$work/q.quiz" --player "$work/q.quiz" 2> /dev/null; rc=$?
check "pack over the quiz exits 1" test "$rc" -eq 1
check "the quiz file is kept" cmp -s "$work/q.quiz" "$work/q.copy"
quiztool check "$work/q.quiz" > "$work/out" 2> "$work/err"; rc=$?
check "check passes a good quiz" test "$rc" -eq 0
check "check says it packs" grep -q 'ready to pack: 1 question,' "$work/out"
quiztool check "$work/q.quiz" --strict 2> "$work/err"; rc=$?
check "--strict refuses warnings" test "$rc" -eq 1
quiztool check 2> /dev/null; rc=$?
check "check without a quiz exits 2" test "$rc" -eq 2
quiztool show "$suite/basn3p02.png" 2> "$work/err"; rc=$?
check "show refuses a picture" test "$rc" -eq 1
check "show says why" grep -q 'not a quiz executable or quiz file' "$work/err"

# Every error of a quiz file at once, each with its line, then their count; the user's language
# chooses English (LANG=C) or French (LANG=fr_FR.UTF-8).
printf 'web: http://a.example\nnmae: Quiz\ntitel: Animaux\nquestion: q\nanswer: a|b\n' \
  > "$work/faults.quiz"
env LANG=C "${tool[@]}" check "$work/faults.quiz" > /dev/null 2> "$work/err"; rc=$?
check "a quiz with faults exits 1" test "$rc" -eq 1
check "swapped letters are suggested (nmae)" \
  grep -q 'faults.quiz:2: unknown key "nmae": did you mean "name"?' "$work/err"
check "swapped letters are suggested (titel)" \
  grep -q 'faults.quiz:3: unknown key "titel": did you mean "title"?' "$work/err"
check "every error is listed" grep -q 'faults.quiz:5: answer: a text cannot contain' "$work/err"
check "the errors are counted" grep -qx '.*faults.quiz: 3 errors: the quiz cannot be packed' "$work/err"
env LANG=fr_FR.UTF-8 "${tool[@]}" check "$work/faults.quiz" > /dev/null 2> "$work/err"
check "LANG=fr_FR.UTF-8 speaks French" \
  grep -q 'faults.quiz:2: clé inconnue « nmae » : vouliez-vous dire « name » ?' "$work/err"
check "French counts the errors" \
  grep -qx '.*faults.quiz: 3 erreurs : le quiz ne peut pas être fabriqué' "$work/err"

# A picture, a Word document or a PDF saved as a quiz file is named for what it is.
printf '\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00' > "$work/photo.quiz"
printf '%%PDF-1.4\n%%\xe2\xe3\xcf\xd3\n1 0 obj\n<< /Type /Catalog >>\nendobj\n' > "$work/document.quiz"
python3 - "$work/lettre.quiz" <<'PY'
import sys, zipfile
with zipfile.ZipFile(sys.argv[1], 'w') as docx:
    docx.writestr('[Content_Types].xml', '<Types/>')
    docx.writestr('word/document.xml', '<w:document/>')
PY
for case in 'photo:a JPEG picture' 'document:a PDF document' 'lettre:a Word document'; do
  name=${case%%:*} kind=${case#*:}
  quiztool check "$work/$name.quiz" > /dev/null 2> "$work/err"; rc=$?
  check "$kind saved as a quiz file exits 1" test "$rc" -eq 1
  check "$kind saved as a quiz file is named so" \
    grep -q "$name.quiz: the file is $kind, not a text file. A quiz file is text: write it in Notepad" \
    "$work/err"
done

# "é" written as "e" and a combining accent is the letter é; kind names ignore the case of
# accented letters.
printf 'web: http://a.example\nname: Caf\x65\xcc\x81\nkind: VID\xc3\x89O\n' > "$work/accents.quiz"
quiztool show "$work/accents.quiz" > "$work/json" 2> "$work/err"; rc=$?
check "a decomposed accent and VIDÉO are taken" test "$rc" -eq 0
check "the decomposed accent is composed" grep -q '"quizName": "Café"' "$work/json"
check "VIDÉO is the video kind" grep -q '"kind": "video"' "$work/json"

# A chunk length near 2^32 ends check's walk over the chunks, in every build (a 32-bit sum would
# come back to the same chunk for ever): a WAV chunk of 0xFFFFFFF8 bytes before "fmt ", and a
# chunk of 0xFFFFFFF4 bytes after a whole PNG. Each check has a minute.
python3 - "$work" <<'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 3, 3, 8, 0, 0, 0, 0))
       + chunk(b'IDAT', zlib.compress(b'\0\x80\x80\x80' * 3)) + chunk(b'IEND', b''))
fmt = b'fmt ' + struct.pack('<IHHIIHH', 16, 1, 1, 8000, 8000, 1, 8)
wave = b'WAVE' + b'LIST' + struct.pack('<I', 0xFFFFFFF8) + b'INFO' + fmt + b'data\4\0\0\0' + b'\x80' * 4
files = {'wrap.png': png + b'\xff\xff\xff\xf4tEXt\0\0\0\0',
         'wrap.wav': b'RIFF' + struct.pack('<I', len(wave)) + wave,
         'wrap-png.quiz': b'kind: picture\nquestion:\nanswer: a\npicture: wrap.png\n',
         'wrap-wav.quiz': b'kind: audio\nquestion:\nanswer: a\nclip: wrap.wav\n'}
for name, data in files.items():
    open(f'{sys.argv[1]}/{name}', 'wb').write(data)
PY
timeout 60 "${tool[@]}" check "$work/wrap-png.quiz" > /dev/null 2>&1; rc=$?
check "check passes a PNG followed by a chunk of length 0xFFFFFFF4" test "$rc" -eq 0
timeout 60 "${tool[@]}" check "$work/wrap-wav.quiz" > /dev/null 2> "$work/err"; rc=$?
check "check refuses a WAV with a chunk of size 0xFFFFFFF8" test "$rc" -eq 1
check "check says the WAV is cut short" grep -q 'wrap.wav is cut short' "$work/err"

# Messages are UTF-8, whatever the player's code page.
python3 -c "import sys; open(sys.argv[1], 'wb').write(b'GIF89a' + bytes(7) + b',' + bytes(9) + b'\x02\x02\x44\x01\x00;')" \
  "$work/zero.gif"
printf 'kind: picture\nquestion:\nanswer: a\npicture: zero.gif\n' > "$work/zero.quiz"
refuses "check of a picture without size" 'zero.gif has no size (0 × 0 pixels)' check "$work/zero.quiz"

[ "$failures" -eq 0 ] && echo "quiztool: all checks passed"
exit $((failures > 0))
