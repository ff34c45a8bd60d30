#!/usr/bin/env bash
# Builds the Debian packages from a built tree with cpack, unpacks them into a temporary root and
# checks what a user's machine would get: exactly the expected files with their modes, the
# icon at every size with the size its name states, a desktop entry and AppStream metainfo the
# validators accept, a run dependency for every library the program links, lintian silent, the
# hardening flags, a manual page that renders, and a program that starts and paints its window
# from where the package puts it; and that the Python module's package holds the module, which
# Debian's Python imports from there.
#
# usage: package_test.sh BUILD_DIR
set -euo pipefail
# A command that fails outside the checks ends the script; say which one.
trap 'echo "$(basename "$0"): line $LINENO failed: $BASH_COMMAND" >&2' ERR
build=$(realpath "$1")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
  echo "package test: $*" >&2
  failures=$((failures + 1))
}

# -- the package ------------------------------------------------------------------------------
cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
  cat "$work/cpack.log" >&2
  echo "package test: cpack failed" >&2
  exit 1
}
arch=$(dpkg --print-architecture)
deb="$work/out/zentarix_0.0.2_$arch.deb"
python_deb="$work/out/python3-zentarix_0.0.2_$arch.deb"
for package in "$deb" "$python_deb"; do
  [ -f "$package" ] || {
    echo "package test: cpack wrote no $(basename "$package"): $(ls "$work/out")" >&2
    exit 1
  }
done

# -- control fields ---------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
while read -r name want; do
  got=$(field "$name")
  [ "$got" = "$want" ] || fail "control field $name is '$got', expected '$want'"
done <<EOF
Package zentarix
Version 0.0.2
Architecture $arch
Section math
EOF
for name in Maintainer Description; do
  [ -n "$(field "$name")" ] || fail "control field $name is empty"
done
[ "$(field Recommends)" = qt6-wayland ] || fail "Recommends is '$(field Recommends)'"

# Debian's own checker finds nothing to say: no error and no warning.
lintian --fail-on error,warning --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1 ||
  fail "lintian: $(grep -v 'root privileges' "$work/lintian.log")"

# The names of the packages a Depends field lists, without versions or alternatives' bars.
depends=$(field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | sed '/^$/d' | sort -u)
depends_on() { grep -qx "$1" <<<"$depends"; }
for pkg in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 fonts-liberation \
  qt6-translations-l10n; do
  depends_on "$pkg" || fail "Depends lacks $pkg: $(field Depends)"
done

# -- files, as listed in the archive (owner and mode) and as unpacked ----------------------------
icons=(32 48 64 128 256)
expected=(
  "-rwxr-xr-x root/root ./usr/bin/Zentarix"
  "-rwxr-xr-x root/root ./usr/bin/zentarix"
  "-rw-r--r-- root/root ./usr/lib/zentarix/modules/libzentarix_svg.so"
  "-rw-r--r-- root/root ./usr/share/applications/com.zentarix.zentarix.desktop"
  "-rw-r--r-- root/root ./usr/share/metainfo/com.zentarix.zentarix.metainfo.xml"
  "-rw-r--r-- root/root ./usr/share/man/man1/Zentarix.1.gz"
  "-rw-r--r-- root/root ./usr/share/man/man1/zentarix.1.gz"
  "-rw-r--r-- root/root ./usr/share/icons/hicolor/scalable/apps/zentarix.svg"
  "-rw-r--r-- root/root ./usr/share/doc/zentarix/changelog.gz"
  "-rw-r--r-- root/root ./usr/share/doc/zentarix/copyright"
)
for size in "${icons[@]}"; do
  expected+=("-rw-r--r-- root/root ./usr/share/icons/hicolor/${size}x${size}/apps/zentarix.png")
done
listed=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $1, $2, $6 }' | sort)
wanted=$(printf '%s\n' "${expected[@]}" | sort)
[ "$listed" = "$wanted" ] ||
  fail "the package's files differ from the expected ones:
$(diff <(echo "$wanted") <(echo "$listed") | sed -n 's/^[<>]/  &/p')"

root="$work/root"
dpkg-deb -x "$deb" "$root"
# Both programs, hardened as Debian builds programs: full RELRO (immediate binding), no
# executable stack, the stack protector and fortified C library calls.
for program in "$root/usr/bin/Zentarix" "$root/usr/bin/zentarix"; do
  name=$(basename "$program")
  file -b "$program" | grep -q '^ELF 64-bit LSB pie executable' ||
    fail "usr/bin/$name is not an executable: $(file -b "$program")"
  readelf -d "$program" | grep -q 'FLAGS_1.*NOW' || fail "$name is not bound immediately (-z now)"
  readelf -lW "$program" | grep -q GNU_RELRO || fail "$name has no RELRO segment"
  readelf -lW "$program" | awk '$1 == "GNU_STACK" && $7 ~ /E/ { bad = 1 } END { exit bad }' ||
    fail "the stack of $name is executable"
  imports=$(nm -D "$program")
  grep -q '__stack_chk_fail' <<<"$imports" || fail "$name has no stack protector"
done
# The command line calls no C library function whose buffer size the compiler knows, so only
# the window program shows the fortified calls (lintian checks both for unfortified ones).
grep -q '_chk@' <<<"$(nm -D "$root/usr/bin/Zentarix")" ||
  fail "Zentarix calls no fortified C library function"
program="$root/usr/bin/Zentarix"
module="$root/usr/lib/zentarix/modules/libzentarix_svg.so"
readelf -d "$module" | grep -q 'FLAGS_1.*NOW' || fail "the SVG module is not bound immediately"
# QtSvg is loaded only to write SVG: the window program does not link it, and finds the module
# that does from where the package puts both.
! objdump -p "$program" | grep -q 'NEEDED.*libQt6Svg' || fail "Zentarix links QtSvg"
"$program" --swings "$(dirname "$0")/../../examples/prices.csv" --chart "$work/chart.svg" \
  2>"$work/chart.log" && grep -q '<svg' "$work/chart.svg" ||
  fail "the installed Zentarix wrote no SVG chart: $(cat "$work/chart.log")"
# The command line without Qt loads no Qt library.
! ldd "$root/usr/bin/zentarix" | grep -q libQt6 || fail "zentarix loads Qt"
"$root/usr/bin/zentarix" --json 100 110 30 | grep -q '^{"a":100,"b":110,' ||
  fail "the installed zentarix does not answer --json"

# The manual page renders without a warning.
man --warnings -l "$root/usr/share/man/man1/Zentarix.1.gz" >/dev/null 2>"$work/man.log"
[ ! -s "$work/man.log" ] || fail "the manual page renders with warnings: $(cat "$work/man.log")"

# Every icon is a PNG whose header states the size of the folder it is in.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }
for size in "${icons[@]}"; do
  icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/zentarix.png"
  [ -f "$icon" ] || continue
  [ "$(head -c 8 "$icon" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] ||
    fail "the ${size}x${size} icon is not a PNG"
  [ "$(png_size "$icon")" = "$size $size" ] ||
    fail "the ${size}x${size} icon is $(png_size "$icon" | tr ' ' x) pixels"
done

# -- desktop integration ----------------------------------------------------------------------
desktop="$root/usr/share/applications/com.zentarix.zentarix.desktop"
metainfo="$root/usr/share/metainfo/com.zentarix.zentarix.metainfo.xml"
desktop-file-validate "$desktop" || fail "desktop-file-validate refused the desktop entry"
appstreamcli validate --no-net --pedantic "$metainfo" >"$work/appstream.log" 2>&1 ||
  fail "appstreamcli refused the metainfo: $(cat "$work/appstream.log")"
entry() { sed -n "s/^$1=//p" "$desktop"; }
[ -x "$root/usr/bin/$(entry Exec | cut -d' ' -f1)" ] ||
  fail "the desktop entry's Exec '$(entry Exec)' is not the installed program"
[ "$(entry Icon)" = zentarix ] || fail "the desktop entry's Icon is '$(entry Icon)'"
[ -n "$(entry 'Keywords\[ru\]')" ] || fail "the desktop entry has no Russian keywords"
# The entry's file name is the AppStream id, which the program gives its windows, and the
# window class names the program.
grep -q '<launchable type="desktop-id">com.zentarix.zentarix.desktop</launchable>' "$metainfo" ||
  fail "the metainfo does not launch com.zentarix.zentarix.desktop"
[ "$(entry StartupWMClass)" = Zentarix ] ||
  fail "the desktop entry's StartupWMClass is '$(entry StartupWMClass)'"
grep -q '<screenshot type="default">' "$metainfo" || fail "the metainfo shows no screenshot"
grep -q '<release version="0.0.2"' "$metainfo" || fail "the metainfo has no release 0.0.2"

# -- run dependencies: the package that ships each library the program or its module links ----
while read -r library; do
  # The readers take the whole of their input: one that stopped early would end the writer
  # with SIGPIPE, and under pipefail that ends this script without a word.
  path=$(ldconfig -p | awk -v lib="$library" '$1 == lib && /x86-64/ && !found { print $NF; found = 1 }')
  [ -n "$path" ] || { fail "the linked library $library is not on this machine"; continue; }
  # The dpkg database knows a library by the path its package ships, link or file.
  owner=$( (dpkg -S "$path" || dpkg -S "$(realpath "$path")") 2>/dev/null | awk -F: 'NR == 1 { print $1 }')
  [ -n "$owner" ] || { fail "no package ships $library ($path)"; continue; }
  depends_on "$owner" || fail "the program links $library from $owner, which Depends lacks"
done < <(objdump -p "$program" "$module" | awk '$1 == "NEEDED" && !seen[$2]++ { print $2 }')

# -- the installed program starts and paints its window ------------------------------------------
mkdir -m 700 "$work/runtime"
probe=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
  ZENTARIX_STARTUP_PROBE=1 timeout 60 "$program" 2>"$work/run.log") ||
  fail "the installed program failed: $(cat "$work/run.log")"
grep -q '^startup-probe monotonic-ns=[0-9]* vmhwm-kb=[0-9]*$' <<<"$probe" ||
  fail "the installed program did not paint its window (output '$probe')"

# -- python3-zentarix: the module, for Debian's Python 3 ------------------------------------------
python_field() { dpkg-deb -f "$python_deb" "$1"; }
[ "$(python_field Section)" = python ] || fail "python3-zentarix's Section is '$(python_field Section)'"
for pkg in python3 python3-numpy libc6 libstdc++6; do
  python_field Depends | tr ',|' '\n\n' | sed 's/(.*)//; s/ //g' | grep -qx "$pkg" ||
    fail "python3-zentarix's Depends lacks $pkg: $(python_field Depends)"
done
lintian --fail-on error,warning --tag-display-limit 0 "$python_deb" >"$work/lintian-python.log" 2>&1 ||
  fail "lintian on python3-zentarix: $(grep -v 'root privileges' "$work/lintian-python.log")"
site=usr/lib/python3/dist-packages/zentarix
python_wanted=$(printf '%s\n' "./$site/__init__.py" "./$site/__init__.pyi" "./$site/py.typed" \
  "./$site/_core.cpython-311-$(uname -m)-linux-gnu.so" ./usr/share/doc/python3-zentarix/changelog.gz \
  ./usr/share/doc/python3-zentarix/copyright | sort)
python_listed=$(dpkg-deb -c "$python_deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
[ "$python_listed" = "$python_wanted" ] ||
  fail "python3-zentarix's files differ: $(diff <(echo "$python_wanted") <(echo "$python_listed"))"
dpkg-deb -x "$python_deb" "$work/python-root"
# Imported from where the package puts it, by Debian's interpreter, in a locale with a decimal
# comma: the numbers are read with "." whatever the locale.
answer=$(cd "$work" && PYTHONPATH="$work/python-root/usr/lib/python3/dist-packages" LC_ALL=ru_RU.UTF-8 \
  /usr/bin/python3 -c 'import zentarix; print(zentarix.levels("100", "110", "30")["f3"])' 2>&1) ||
  true
[ "$answer" = 106.18 ] || fail "the installed module answers '$answer'"

if [ "$failures" -ne 0 ]; then
  echo "package test: $failures check(s) failed" >&2
  exit 1
fi
echo "package test: $(basename "$deb") checked ($(wc -l <<<"$listed") files; Depends: $(field Depends))"
