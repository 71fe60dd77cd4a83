#!/usr/bin/env bash
# Checks an install for all users: installs a build into a temporary prefix,
# checks that the program, its sound module and sounds, the desktop entry, the
# icon and the metainfo land where desktops and the program look for them, and
# nothing else does, and validates the installed desktop entry and metainfo.
# Usage: check_install.sh [BUILD_DIR]   (default build/dev)
set -euo pipefail

fail() { echo "install: FAIL: $*" >&2; exit 1; }

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=${1:-$source_dir/build/dev}
id=io.github.larkspur.Larkspur
for tool in cmake desktop-file-validate appstreamcli; do
  command -v $tool >/dev/null || fail "missing tool: $tool"
done
[[ -x $build/larkspur ]] || fail "no built program at $build/larkspur"

prefix=$(mktemp -d /tmp/larkspur-install.XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install $build failed"

# The library folder the build was configured with (lib, lib64, lib/<arch>).
libdir=$(sed -n 's/^CMAKE_INSTALL_LIBDIR:PATH=//p' "$build/CMakeCache.txt")
expected=(
  bin/larkspur
  "${libdir:-lib}/larkspur/larkspur-sounds.so"
  share/larkspur/carddeal1.wav
  share/larkspur/riffle.wav
  share/larkspur/win.wav
  share/larkspur/Uhho.wav
  "share/applications/$id.desktop"
  "share/icons/hicolor/scalable/apps/$id.svg"
  "share/metainfo/$id.metainfo.xml"
)
for file in "${expected[@]}"; do
  [[ -f $prefix/$file && -s $prefix/$file ]] || fail "$file is missing or empty"
done
[[ -x $prefix/bin/larkspur ]] || fail "bin/larkspur is not executable"
extra=$(cd "$prefix" && find . -type f -printf '%P\n' | grep -vxF -f <(printf '%s\n' "${expected[@]}")) &&
  fail "installed but not expected: $extra"

desktop-file-validate "$prefix/share/applications/$id.desktop" ||
  fail "the desktop entry does not validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" ||
  fail "the metainfo does not validate"

echo "install: PASS (${#expected[@]} files in place; desktop entry and metainfo valid)"
