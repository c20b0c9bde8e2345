#!/usr/bin/env bash
# Installs every Debian package diancai needs to build, test and run. Safe to run again:
# it only calls apt-get when a package is missing.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake ninja-build pkg-config git ccache
  # Qt 6: core, GUI, QML/Quick, Controls 2, Multimedia, Test
  qt6-base-dev qt6-declarative-dev qt6-multimedia-dev qt6-tools-dev-tools
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qtmultimedia qml6-module-qttest qml6-module-qtquick-dialogs
  libqt6svg6 qt6-qpa-plugins
  # libraries
  libsqlite3-dev libxml2-dev zlib1g-dev libminizip-dev libcurl4-openssl-dev libcpp-httplib-dev
  # tests and benchmarks
  libbenchmark-dev libxml2-utils curl
  # the walk through the accessibility tree: a private X server and D-Bus session, the
  # accessibility bus, its Python bindings and real pointer clicks
  xvfb dbus at-spi2-core python3-pyatspi xdotool
  # the sqlite3 shell, yardstick of the base-data benchmark
  sqlite3
  # Info-ZIP unzip and GNU time, yardstick and memory gauge of the unpacking benchmark
  unzip time
  # Debian packages: dependency computation (dpkg-shlibdeps, file), the manual pages, the checks
  # of the packages, of the desktop entry and of the AppStream metadata
  dpkg-dev file help2man lintian desktop-file-utils appstream
  # Chinese glyphs
  fonts-wqy-microhei
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi
