#!/usr/bin/env bash
# Checks of the Windows build of the engine, as the desktop front end sees it.
#
#   tools/check-windows.sh [i686] [x86_64]     (both flavours when none given)
#
# Needs mingw-w64 (g++-mingw-w64-i686, g++-mingw-w64-x86-64) and Wine (wine,
# wine32:i386, wine64); .ci/run installs them. Everything goes to
# build-windows/: the cross builds (i686/, x86_64/), a Wine prefix of its own
# (wine/), the install layouts (install/) and the problem folders (runs/).
#
# For each flavour:
#   1. build tovek.dll, tovek.exe and the front-end stand-in, warnings as errors;
#   2. tovek.dll exports exactly one name, ITOVEK, undecorated (on 32-bit x86
#      the exported code is the stdcall entry, which removes 8 bytes), and it
#      imports only DLLs that every Windows has;
#   3. cmake --install lays out tovek.dll, tovek.exe, itovek.h and the README;
#   4. the stand-in loads tovek.dll, alone in its folder, and runs every
#      whole-run test problem one after the other in one process under Wine;
#      each run's status, report and plot data file must equal the Linux
#      build's, byte for byte once CR LF is read as LF, but for the path line
#      and the time-and-date line; every line of the Windows files ends in
#      CR LF. The problems include a CR LF copy of the example (compared with
#      the LF original on Linux) and one that ends early on a cut input file;
#   5. the second problem, run alone in a process of its own (with the
#      installed DLL), gives the same files as in the process that ran the
#      first problem before it.
# The C header is also compiled as C and as C++ for Linux and both flavours.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
jobs=$(nproc)

flavours=("$@")
[ "${#flavours[@]}" -gt 0 ] || flavours=(i686 x86_64)
for flavour in "${flavours[@]}"; do
  case "$flavour" in
    i686 | x86_64) ;;
    *) echo "check-windows: unknown flavour '$flavour' (i686 or x86_64)" >&2; exit 2 ;;
  esac
done

failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}
step() { echo "== $*"; }

for tool in i686-w64-mingw32-g++ x86_64-w64-mingw32-g++ wine; do
  command -v "$tool" >/dev/null 2>&1 || { echo "check-windows: $tool is missing (see .ci/run)" >&2; exit 2; }
done

# ---------------------------------------------------------------- Wine set-up
export WINEPREFIX=$out/wine/prefix
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY

wine64_loader() {
  if command -v wine64 >/dev/null 2>&1; then command -v wine64
  elif [ -x /usr/lib/wine/wine64 ]; then echo /usr/lib/wine/wine64
  else command -v wine
  fi
}
# Runs a Windows program of the given flavour under Wine.
wine_run() {
  local flavour=$1
  shift
  if [ "$flavour" = x86_64 ]; then
    timeout 1200 "$(wine64_loader)" "$@"
  else
    timeout 1200 wine "$@"
  fi
}

need_wine32=0
for flavour in "${flavours[@]}"; do [ "$flavour" = i686 ] && need_wine32=1; done
if [ "$need_wine32" = 1 ] && [ -x /usr/lib/wine/wine ] && ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "check-windows: this machine cannot start 32-bit x86 Linux programs, and Wine's loader of 32-bit" >&2
  echo "Windows programs is one. tools/enable-i386-emulation.sh lets qemu run them (.ci/run does so)." >&2
  exit 2
fi

# A prefix is made once (Wine's first start is slow) and kept in the build
# folder. A 64-bit prefix runs both flavours; its 32-bit half is made only
# when Wine could start 32-bit programs at the time.
prefix_ready() {
  [ -f "$WINEPREFIX/.tovek-ready" ] || return 1
  [ "$need_wine32" = 0 ] || [ -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]
}
if ! prefix_ready; then
  step "Wine prefix (first start, slow)"
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  if [ "$need_wine32" = 1 ]; then
    WINEARCH=win64 timeout 1800 wine wineboot --init >"$out/wine/wineboot.log" 2>&1 || true
  else
    WINEARCH=win64 timeout 1800 "$(wine64_loader)" wineboot --init >"$out/wine/wineboot.log" 2>&1 || true
  fi
  wineserver -w || true
  if [ ! -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] ||
     { [ "$need_wine32" = 1 ] && [ ! -f "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" ]; }; then
    echo "check-windows: the Wine prefix could not be made (see $out/wine/wineboot.log)" >&2
    exit 2
  fi
  touch "$WINEPREFIX/.tovek-ready"
fi
# One Wine server for all runs of this script.
wineserver -p || true
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT

# ------------------------------------------------------------- Linux builds
step "Linux reference build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target tovek >/dev/null

step "itovek.h as C and C++ for Linux and Windows"
header_use=tests/windows/header_use.c
for compiler in gcc i686-w64-mingw32-gcc x86_64-w64-mingw32-gcc; do
  cxx=${compiler%gcc}g++
  "$compiler" -std=c99 -pedantic -Wall -Wextra -Werror -fsyntax-only -Iengine "$header_use" ||
    fail "itovek.h does not compile as C with $compiler"
  "$cxx" -x c++ -std=c++11 -pedantic -Wall -Wextra -Werror -fsyntax-only -Iengine "$header_use" ||
    fail "itovek.h does not compile as C++ with $cxx"
done

# --------------------------------------------------------- problem folders
# Every whole-run test problem, the bundled examples, a CR LF copy of the
# first example and a problem that ends early. The first two are the pair of
# the one-process check.
work=$out/runs
rm -rf "$work"
mkdir -p "$work/source"
problems=()
for folder in examples/*/ tests/data/runs/*/; do
  [ -f "$folder/names.dat" ] || continue
  name=$(basename "$folder")
  [ -e "$work/source/$name" ] && name="$(basename "$(dirname "$folder")")-$name"
  cp -r "$folder" "$work/source/$name"
  problems+=("$name")
done
first=${problems[0]}
cp -r "$work/source/$first" "$work/source/$first-crlf"
for file in "$work/source/$first-crlf"/*; do sed -i 's/$/\r/' "$file"; done
problems+=("$first-crlf")
cp -r "$work/source/clay-closed" "$work/source/cut-input"
head -n 4 "$work/source/clay-closed/clay.in" >"$work/source/cut-input/clay.in"
problems+=(cut-input)

# The Linux reference, one process per problem. The CR LF copy is compared
# with the LF original.
mkdir -p "$work/linux"
declare -A linux_status
for name in "${problems[@]}"; do
  reference=$name
  [ "$name" = "$first-crlf" ] && reference=$first
  [ -d "$work/linux/$reference" ] || {
    cp -r "$work/source/$reference" "$work/linux/$reference"
    status=0
    (cd "$work/linux/$reference" && "$root/build/tovek" </dev/null >console.txt 2>&1) || status=$?
    linux_status[$reference]=$status
  }
done

# The files a run wrote: those of the folder that are not in its source.
outputs() {
  local source=$1 folder=$2 file
  for file in "$folder"/*; do
    file=$(basename "$file")
    [ "$file" = console.txt ] || [ -e "$source/$file" ] || echo "$file"
  done
}
# A report or plot data file with the path line and the time-and-date line
# blanked out and CR LF read as LF.
normalized() {
  tr -d '\r' <"$1" | sed -e 's/^\(     Path to file locations      : \).*/\1@PATH@/' \
                         -e 's/^\(               Date:  \).*/\1@DATE@/'
}
# Whether every line of a file ends in CR LF and no CR stands elsewhere.
crlf_lines() {
  local lf cr crlf
  lf=$(tr -cd '\n' <"$1" | wc -c)
  cr=$(tr -cd '\r' <"$1" | wc -c)
  crlf=$(grep -c $'\r$' "$1" || true)
  [ "$lf" = "$cr" ] && [ "$cr" = "$crlf" ]
}
# Status of run K in the stand-in's messages.
run_status() {
  sed -n "s/^tovek_frontend: run $2 in .*: status \(-\{0,1\}[0-9]*\)\r\{0,1\}\$/\1/p" "$1"
}

# ------------------------------------------------------------ per flavour
allowed_imports='^(kernel32|msvcrt|ucrtbase|api-ms-win-crt-[a-z0-9-]+)\.dll$'

for flavour in "${flavours[@]}"; do
  build=$out/$flavour
  objdump=$flavour-w64-mingw32-objdump
  nm=$flavour-w64-mingw32-nm

  step "$flavour: build"
  cmake -S . -B "$build" --toolchain "$root/cmake/mingw-w64-$flavour.cmake" \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_COMPILE_WARNING_AS_ERROR=ON >/dev/null
  cmake --build "$build" -j"$jobs" >"$build/build.log" 2>&1 || { cat "$build/build.log" >&2; exit 1; }
  if grep -q "warning:" "$build/build.log"; then
    grep "warning:" "$build/build.log" >&2
    fail "$flavour: the build gives warnings"
  fi

  step "$flavour: export table and imported DLLs"
  dll=$build/tovek.dll
  exports=$("$objdump" -p "$dll" | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' |
    sed -n 's/^[[:space:]]*\[ *[0-9]*\] //p')
  [ "$exports" = ITOVEK ] || fail "$flavour: tovek.dll exports [$exports], expected exactly ITOVEK"
  check_imports() {
    local file=$1 extra=$2 name
    while read -r name; do
      if ! grep -Eq "$allowed_imports" <<<"${name,,}" && [ "$name" != "$extra" ]; then
        fail "$flavour: $(basename "$file") imports $name"
      fi
    done < <("$objdump" -p "$file" | sed -n 's/^[[:space:]]*DLL Name: //p')
  }
  check_imports "$dll" ""
  check_imports "$build/tovek.exe" tovek.dll
  check_imports "$build/tovek_frontend.exe" ""
  host_imports=$("$objdump" -p "$build/tovek.exe" | sed -n '/DLL Name: tovek.dll/,/^$/p')
  grep -Eq '[[:space:]]ITOVEK$' <<<"$host_imports" ||
    fail "$flavour: tovek.exe does not import ITOVEK from tovek.dll by that name"
  if [ "$flavour" = i686 ]; then
    # The exported code is the stdcall entry: every return in it removes the
    # 8 bytes of arguments.
    base=$("$objdump" -p "$dll" | awk '$1 == "ImageBase" {print $2}')
    rva=$("$objdump" -p "$dll" | sed -n '/^Export Address Table/,/^$/p' | awk '/Export RVA/ && !done {print $(NF-2); done = 1}')
    start=$(printf '%08x' $((0x$base + 0x$rva)))
    entry=$("$nm" -n "$dll" | awk -v a="$start" 'tolower($1) == a && $3 == "_ITOVEK@8" {print $3}')
    [ "$entry" = "_ITOVEK@8" ] || fail "i686: the export ITOVEK is not the code of the stdcall entry ITOVEK@8"
    stop=$("$nm" -n "$dll" | awk -v a="$start" 'found == 1 && tolower($1) != a {print $1; found = 2} tolower($1) == a && !found {found = 1}')
    returns=$("$objdump" -d --start-address=0x"$start" --stop-address=0x"$stop" "$dll" | grep -E '\sret' || true)
    if [ -z "$returns" ] || echo "$returns" | grep -vq 'ret *\$0x8'; then
      fail "i686: the entry does not return with ret \$0x8: $returns"
    fi
    import_symbols=$("$nm" "$build/libtovek.dll.a")
    grep -q ' __imp__ITOVEK@8$' <<<"$import_symbols" ||
      fail "i686: the import library does not serve callers of the stdcall ITOVEK@8"
  fi

  step "$flavour: install layout"
  install=$out/install/$flavour
  rm -rf "$install"
  cmake --install "$build" --prefix "$install" --strip >/dev/null
  for file in bin/tovek.dll bin/tovek.exe include/itovek.h README.md; do
    [ -f "$install/$file" ] || fail "$flavour: the install lacks $file"
  done
  others=$(cd "$install/bin" && ls | grep -iv '^tovek\.\(dll\|exe\)$' || true)
  [ -z "$others" ] || fail "$flavour: the install puts more beside tovek.dll: $others"

  step "$flavour: every problem in one process under Wine"
  here=$work/$flavour
  mkdir -p "$here/dll" "$here/one" "$here/alone"
  cp "$dll" "$here/dll/tovek.dll"
  cp "$build/tovek_frontend.exe" "$here/"
  for name in "${problems[@]}"; do cp -r "$work/source/$name" "$here/one/$name"; done
  status=0
  (cd "$here/one" && wine_run "$flavour" ../tovek_frontend.exe '..\dll\tovek.dll' "${problems[@]}" \
    </dev/null >console.txt 2>messages.txt) || status=$?
  if [ "$status" -ge 2 ]; then
    cat "$here/one/messages.txt" >&2
    fail "$flavour: the stand-in failed (exit status $status)"
    continue
  fi
  k=0
  for name in "${problems[@]}"; do
    k=$((k + 1))
    reference=$name
    [ "$name" = "$first-crlf" ] && reference=$first
    got=$(run_status "$here/one/messages.txt" "$k")
    [ "$got" = "${linux_status[$reference]}" ] ||
      fail "$flavour: $name: status '$got' under Wine, ${linux_status[$reference]} on Linux"
    linux_files=$(outputs "$work/source/$reference" "$work/linux/$reference")
    windows_files=$(outputs "$work/source/$name" "$here/one/$name")
    [ "$linux_files" = "$windows_files" ] ||
      fail "$flavour: $name: files written [$windows_files] under Wine, [$linux_files] on Linux"
    for file in $linux_files; do
      [ -f "$here/one/$name/$file" ] || continue
      crlf_lines "$here/one/$name/$file" || fail "$flavour: $name: $file has lines that do not end in CR LF"
      if ! cmp -s <(normalized "$work/linux/$reference/$file") <(normalized "$here/one/$name/$file"); then
        fail "$flavour: $name: $file differs from the Linux build's"
        diff <(normalized "$work/linux/$reference/$file") <(normalized "$here/one/$name/$file") | head -20 >&2 || true
      fi
    done
  done
  echo "   $k problems run"

  step "$flavour: the second problem alone in a process of its own (installed DLL)"
  second=${problems[1]}
  cp -r "$work/source/$second" "$here/alone/$second"
  status=0
  (cd "$here/alone" && wine_run "$flavour" ../tovek_frontend.exe "..\\..\\..\\install\\$flavour\\bin\\tovek.dll" \
    "$second" </dev/null >console.txt 2>messages.txt) || status=$?
  if [ "$status" -ge 2 ]; then
    cat "$here/alone/messages.txt" >&2
    fail "$flavour: the stand-in failed on its own (exit status $status)"
    continue
  fi
  for file in $(outputs "$work/source/$second" "$here/one/$second"); do
    # Same CR LF files; only the folder and the clock may differ.
    cmp -s <(sed -e 's/^\(     Path to file locations      : \).*/\1@PATH@/' \
                 -e 's/^\(               Date:  \).*/\1@DATE@/' "$here/one/$second/$file") \
           <(sed -e 's/^\(     Path to file locations      : \).*/\1@PATH@/' \
                 -e 's/^\(               Date:  \).*/\1@DATE@/' "$here/alone/$second/$file") ||
      fail "$flavour: $second: $file after $first in one process differs from $second run alone"
  done
done

if [ "$failures" -gt 0 ]; then
  echo "check-windows: $failures check(s) failed" >&2
  exit 1
fi
echo "check-windows: all checks passed (${flavours[*]})"
