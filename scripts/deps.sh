#!/bin/bash
# Installs the Debian packages the build, the program and the tests need,
# only those that are missing.
set -euo pipefail
PKGS=(
  build-essential cmake ninja-build pkg-config
  qtbase5-dev qttools5-dev qttools5-dev-tools libqt5svg5-dev libqwt-qt5-dev
  fonts-noto-cjk python3 python3-fonttools fp-utils
  python3-pyvisa python3-pyvisa-py lxi-tools liblxi-dev rpcbind clang
  iproute2 util-linux xvfb xauth
  # Qt's own texts (file dialogs, "OK") in Chinese; a viewer for the
  # user guides, which are .chm files.
  qttranslations5-l10n xchm
  # A desktop's session bus and accessibility services, so that the tests
  # on Xvfb run where a desktop has them and show they keep out of them.
  dbus-x11 at-spi2-core
)
missing=()
for p in "${PKGS[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "Installing: ${missing[*]}"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
