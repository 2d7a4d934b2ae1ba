#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the app and the tests need, skipping what is there.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    qt6-base-dev qt6-declarative-dev qt6-declarative-dev-tools qt6-multimedia-dev
    libqt6sql6-sqlite libsqlite3-dev libfontconfig-dev
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-layouts
    qml6-module-qtquick-window qml6-module-qtquick-templates qml6-module-qtquick-dialogs
    qml6-module-qt-labs-folderlistmodel
    qml6-module-qtqml qml6-module-qtqml-models qml6-module-qtqml-workerscript qml6-module-qtcore
    qml6-module-qtquick-shapes qml6-module-qttest qml6-module-qtmultimedia
    fonts-ebgaramond fonts-materialdesignicons-webfont python3-fonttools
    xvfb xauth dbus-daemon dbus-session-bus-common
    at-spi2-core python3-pyatspi gir1.2-atspi-2.0 syncthing
    desktop-file-utils appstream dpkg-dev
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
as_root=()
if [[ $(id -u) -ne 0 ]]; then
    command -v sudo >/dev/null || { echo "Run as root or install sudo to install: ${missing[*]}" >&2; exit 1; }
    as_root=(sudo)
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
