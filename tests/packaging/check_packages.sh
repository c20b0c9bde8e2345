#!/usr/bin/env bash
# Builds the Debian packages from this build tree into a temporary folder and checks that they
# hold what a tablet needs, manual pages included, name their computed dependencies, stay small
# and pass lintian without an error or a warning; validates the desktop entry and the AppStream
# metadata; checks that every program's --version and --help name the commit it was built from,
# and that its manual page has a synopsis.
# Skipped (exit 77) where a tool is missing.
#   check_packages.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
for tool in dpkg-deb dpkg-shlibdeps cpack desktop-file-validate appstreamcli lintian; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIP: $tool is missing (scripts/install-deps.sh installs it)"
    exit 77
  fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$source/packaging/net.diancai.Terminal.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$source/packaging/net.diancai.Terminal.metainfo.xml" || fail "AppStream metadata"

# Quickly compressed: what is checked is what the packages hold and depend on.
(cd "$build" && cpack -G DEB -B "$out" -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip > "$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
terminal=$(ls "$out"/diancai_*.deb)
devserver=$(ls "$out"/diancai-devserver_*.deb)

contents() { dpkg-deb -c "$1" | awk '{print $6}' | sed 's|^\./|/|'; }
expect() { # PACKAGE PATH...
  local listing
  listing=$(contents "$1")
  shift
  for path in "$@"; do
    grep -qx -- "$path" <<< "$listing" || fail "$path is not in the package"
  done
}
man=/usr/share/man/man1
expect "$terminal" /usr/bin/diancai /usr/bin/diancai-console $man/diancai.1.gz $man/diancai-console.1.gz \
  /usr/share/diancai/zh-strings /usr/share/diancai/en-strings /usr/share/diancai/update/PadBaseData.db \
  /usr/share/applications/net.diancai.Terminal.desktop \
  /usr/share/icons/hicolor/scalable/apps/net.diancai.Terminal.svg \
  /usr/share/metainfo/net.diancai.Terminal.metainfo.xml
expect "$devserver" /usr/bin/diancai-devserver /usr/bin/diancai-devserver-demo \
  $man/diancai-devserver.1.gz $man/diancai-devserver-demo.1.gz \
  /usr/share/diancai-devserver/diancai-demo.zip /usr/share/diancai-devserver/update/PadBaseData.db
# The demo package travels with the server, not with every tablet.
if contents "$terminal" | grep -q 'diancai-demo.zip'; then fail "the terminal's package holds the demo package"; fi

depends=$(dpkg-deb --field "$terminal" Depends)
for dependency in libqt6quick6 libsqlite3-0 libxml2 libcurl4 qml6-module-qtquick-controls fonts-wqy-microhei; do
  grep -q "$dependency" <<< "$depends" || fail "diancai does not depend on $dependency: $depends"
done
grep -q libsqlite3-0 <<< "$(dpkg-deb --field "$devserver" Depends)" || fail "diancai-devserver has no computed dependencies"

installed_kib=$(dpkg-deb --field "$terminal" Installed-Size)
[ "$installed_kib" -le $((24 * 1024)) ] || fail "diancai installs $installed_kib KiB, more than 24 MiB"
lintian --fail-on error,warning "$terminal" "$devserver" || fail "lintian"

# The commit is the checkout's, or "unknown" outside one.
commit=unknown
if [ "$(git -C "$source" rev-parse --show-toplevel 2> /dev/null)" = "$(realpath "$source")" ]; then
  commit=$(git -C "$source" rev-parse --short=12 HEAD)
fi
for program in diancai diancai-console diancai-devserver diancai-devserver-demo; do
  version=$("$build/bin/$program" --version)
  [[ "$version" =~ ^$program\ [0-9.]+\ \(commit\ $commit(-dirty)?\)$ ]] || fail "$program --version: $version"
  [ "$("$build/bin/$program" --help | tail -n 1)" = "$version" ] || fail "$program --help does not end with: $version"
  # help2man makes the SYNOPSIS only from a line starting "Usage:".
  zcat "$build/packaging/man/$program.1.gz" | grep -q '^\.SH SYNOPSIS' || fail "$program's manual page has no SYNOPSIS"
done
echo "packages, their dependencies and the version lines as expected"
