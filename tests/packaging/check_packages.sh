#!/usr/bin/env bash
# Builds the Debian packages from this build tree into a temporary folder and checks that they
# hold what a tablet needs and name their computed dependencies; validates the desktop entry and
# the AppStream metadata. Skipped (exit 77) where dpkg-deb is missing.
#   check_packages.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
for tool in dpkg-deb dpkg-shlibdeps cpack desktop-file-validate appstreamcli; do
  if ! command -v "$tool" > /dev/null; then
    echo "SKIP: $tool is missing (Debian packages dpkg-dev, desktop-file-utils, appstream)"
    exit 77
  fi
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

desktop-file-validate "$source/packaging/net.diancai.Terminal.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$source/packaging/net.diancai.Terminal.metainfo.xml" || fail "AppStream metadata"

# Stripped and quickly compressed: what is checked is what the packages hold and depend on.
(cd "$build" && cpack -G DEB -B "$out" -D CPACK_STRIP_FILES=ON -D CPACK_DEBIAN_COMPRESSION_TYPE=gzip > "$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
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
expect "$terminal" /usr/bin/diancai /usr/bin/diancai-console \
  /usr/share/diancai/zh-strings /usr/share/diancai/en-strings /usr/share/diancai/update/PadBaseData.db \
  /usr/share/applications/net.diancai.Terminal.desktop \
  /usr/share/icons/hicolor/scalable/apps/net.diancai.Terminal.svg \
  /usr/share/metainfo/net.diancai.Terminal.metainfo.xml
expect "$devserver" /usr/bin/diancai-devserver /usr/bin/diancai-devserver-demo \
  /usr/share/diancai-devserver/diancai-demo.zip /usr/share/diancai-devserver/update/PadBaseData.db
# The demo package travels with the server, not with every tablet.
if contents "$terminal" | grep -q 'diancai-demo.zip'; then fail "the terminal's package holds the demo package"; fi

depends=$(dpkg-deb --field "$terminal" Depends)
for dependency in libqt6quick6 libsqlite3-0 libxml2 libcurl4 qml6-module-qtquick-controls fonts-wqy-microhei; do
  grep -q "$dependency" <<< "$depends" || fail "diancai does not depend on $dependency: $depends"
done
grep -q libsqlite3-0 <<< "$(dpkg-deb --field "$devserver" Depends)" || fail "diancai-devserver has no computed dependencies"
echo "packages and their dependencies as expected"
