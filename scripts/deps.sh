#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, only those missing.
# Sourced by run.sh and test.sh; safe to run again.

TINTWELL_PACKAGES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-private-dev qt6-qpa-plugins libgl-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libpcre2-dev
  xvfb xauth xdotool xclip x11-utils imagemagick openbox
  desktop-file-utils appstream
  fonts-dejavu-core
  locales
)

tintwell_ensure_packages() {
  local missing=()
  local p
  for p in "${TINTWELL_PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -eq 0 ]; then
    return 0
  fi
  echo "Installing missing packages: ${missing[*]}"
  local sudo=""
  if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
  fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}
