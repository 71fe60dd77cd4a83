#!/usr/bin/env bash
# Checks the Debian package: builds it with dpkg-buildpackage from a copy of the
# sources in a scratch folder (the tree itself stays as it is), checks that it
# holds the game, its sound module and sounds, desktop entry, icon, metainfo and
# manual page and nothing else, that its dependencies name the card deck and the
# Qt libraries of both the program and the sound module, and that lintian finds
# no error; then unpacks it with dpkg -x and starts the unpacked game in an X
# server of its own, which must find its sound module and sounds from its own
# folder, show its window and end cleanly on Ctrl+X.
# Usage: check_deb.sh ARTEFACTS_DIR
#   ARTEFACTS_DIR  receives package-build.log, package-lintian.log,
#                  package-larkspur.log and package-startup.png
# DEB_BUILD_OPTIONS is passed on; without parallel=N the build uses every core.
set -u -o pipefail

fail() { echo "package: FAIL: $*" >&2; exit 1; }

source "$(dirname "$0")/../e2e/lib.sh"

# The unpacked game, in the X server that the build half starts for it.
run_unpacked() {
  in_x_server 60 "$@"
  export XDG_CONFIG_HOME=$build/../config XDG_DATA_HOME=$build/../data
  pid=''
  trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null' EXIT
  "$build/larkspur" >"$artefacts/package-larkspur.log" 2>&1 &
  pid=$!
  wait_for_window package-larkspur.log
  title=$(xdotool getwindowname "$window")
  [[ $title == Larkspur ]] || fail "window title is '$title', not 'Larkspur'"
  # The shuffle sound at start-up loads the sound module once the table shows,
  # and only when the sound was found: both came from the unpacked folders.
  module=$(readlink -f "$build/../lib/$multiarch/larkspur/larkspur-sounds.so")
  for _ in $(seq 100); do
    grep -qF "$module" "/proc/$pid/maps" 2>/dev/null && break
    sleep 0.1
  done
  import -window root "$artefacts/package-startup.png" 2>/dev/null
  grep -qF "$module" "/proc/$pid/maps" ||
    fail "the unpacked game did not load $module: the shuffle sound or the module is" \
      "not where it looks from its own folder (see package-larkspur.log)"

  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key ctrl+x
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && fail "the unpacked game did not end within 5 s of Ctrl+X"
  wait "$pid"
  status=$?
  pid=''
  ((status == 0)) || fail "the unpacked game ended with status $status"
}

if [[ -n ${LARKSPUR_E2E_IN_X-} ]]; then
  run_unpacked "$@"
  exit 0
fi

(($# == 1)) || { sed -n '2,/^set /p' "$0" | sed '$d' >&2; exit 2; }
for tool in dpkg-buildpackage dh dpkg-deb dpkg-architecture lintian git xvfb-run; do
  command -v $tool >/dev/null || fail "missing tool: $tool"
done
mkdir -p "$1" || fail "cannot make artefacts folder $1"
artefacts=$(cd "$1" && pwd)
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d /tmp/larkspur-deb.XXXXXX)
trap 'rm -rf "$scratch"' EXIT

# The sources as a fresh clone would have them, with any changes not yet committed.
mkdir "$scratch/larkspur"
(cd "$source_dir" && git ls-files -z --cached --others --exclude-standard |
  while IFS= read -r -d '' file; do [[ -e $file ]] && printf '%s\0' "$file"; done |
  xargs -0 cp --parents -t "$scratch/larkspur") || fail "cannot copy the sources"
[[ -x $scratch/larkspur/debian/rules ]] || fail "no debian/rules in the copy of $source_dir"

options=${DEB_BUILD_OPTIONS-}
[[ $options == *parallel=* ]] || options+=" parallel=$(nproc)"
(cd "$scratch/larkspur" && DEB_BUILD_OPTIONS=$options dpkg-buildpackage -us -uc -b) \
  >"$artefacts/package-build.log" 2>&1 ||
  { tail -n 30 "$artefacts/package-build.log"; fail "dpkg-buildpackage failed (package-build.log)"; }
debs=("$scratch"/larkspur_*.deb)
[[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || fail "expected one larkspur_*.deb, got: ${debs[*]}"
deb=${debs[0]}

multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH)
id=io.github.larkspur.Larkspur
expected=(
  usr/games/larkspur
  "usr/lib/$multiarch/larkspur/larkspur-sounds.so"
  usr/share/larkspur/carddeal1.wav
  usr/share/larkspur/riffle.wav
  usr/share/larkspur/win.wav
  usr/share/larkspur/Uhho.wav
  "usr/share/applications/$id.desktop"
  "usr/share/icons/hicolor/scalable/apps/$id.svg"
  "usr/share/metainfo/$id.metainfo.xml"
  usr/share/man/man6/larkspur.6.gz
  usr/share/doc/larkspur/copyright
  usr/share/doc/larkspur/changelog.gz
)
files=$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sed 's|^\./||' | sort)
missing=$(comm -13 <(echo "$files") <(printf '%s\n' "${expected[@]}" | sort))
extra=$(comm -23 <(echo "$files") <(printf '%s\n' "${expected[@]}" | sort))
[[ -z $missing ]] || fail "the package lacks: $missing"
[[ -z $extra ]] || fail "the package holds unexpected files: $extra"

# The helpers' dependencies: the program's Qt, and Qt Multimedia, which only the
# sound module links, so they looked at the module too.
depends=$(dpkg-deb -f "$deb" Depends)
for package in kdegames-card-data-kf5 libqt6widgets6 libqt6svg6 libqt6multimedia6; do
  [[ $depends =~ (^|[ ,])$package([ ,]|$) ]] || fail "Depends lacks $package: $depends"
done

lintian --fail-on error "$deb" >"$artefacts/package-lintian.log" 2>&1 ||
  { cat "$artefacts/package-lintian.log"; fail "lintian reports errors (package-lintian.log)"; }
grep -v 'running with root privileges' "$artefacts/package-lintian.log" || true

dpkg -x "$deb" "$scratch/root" || fail "dpkg -x failed"
[[ -x $scratch/root/usr/games/larkspur ]] || fail "usr/games/larkspur is not executable"
# The end-to-end tests beside this one take displays from :1000 up; starting the
# search below them, away from xvfb-run's usual :99, keeps two servers apart.
multiarch=$multiarch LARKSPUR_E2E_IN_X=1 timeout -k 10 60 \
  xvfb-run -n $((200 + RANDOM % 500)) -a -s "-screen 0 1280x1024x24" \
  "$0" "$artefacts" "$scratch/root/usr/games" || exit 1

echo "package: PASS ($(basename "$deb"): ${#expected[@]} files, Depends as computed," \
  "lintian without errors; the unpacked game started, loaded its sounds and ended" \
  "cleanly; ${SECONDS} s)"
