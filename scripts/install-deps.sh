#!/usr/bin/env bash
# Installs the Debian 12 packages the build and the tests need; does nothing for packages already present.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev libgl-dev
  libboost-dev libboost-date-time-dev libboost-thread-dev libboost-system-dev
  libgoogle-glog-dev librapidxml-dev liblodepng-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  python3-olefile libgsf-bin clang
  locales
  xdg-utils
  fonts-dejavu-core poppler-utils
  # The real program on a real X desktop: a virtual X server, a window manager, input as a user
  # gives it, and the window properties read back.
  xvfb openbox xdotool x11-utils python3
  # The report tests read the RTF export back as a user's office suite does (about 80 MB).
  libreoffice-writer-nogui
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The CSV export's time-zone table is Boost.Date_Time's data file, shipped among the package's
# documentation; an image that leaves out /usr/share/doc needs that one file brought back.
zone_table=$(dpkg-query -L libboost-date-time1.74-dev 2>/dev/null | grep '/date_time_zonespec\.csv' || true)
if [ -z "$zone_table" ] || [ ! -f "$zone_table" ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --reinstall --no-install-recommends \
    -o Dpkg::Options::=--path-include='/usr/share/doc/libboost-date-time1.74-dev/*' libboost-date-time1.74-dev
fi
# The tests run the program in the locales of its users, with the C library's locale set as the
# desktop sets it (comma decimals, 12-hour times with AM/PM); generate those that are missing.
missing_locales=()
for wanted in de_DE en_US; do
  locale -a 2>/dev/null | grep -qi "^${wanted}\.utf-\?8$" || missing_locales+=("$wanted")
done
if [ ${#missing_locales[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  for wanted in "${missing_locales[@]}"; do
    $sudo_cmd sed -i "s/^# *${wanted}.UTF-8 UTF-8/${wanted}.UTF-8 UTF-8/" /etc/locale.gen
  done
  $sudo_cmd locale-gen
fi
