#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running Wabolex need,
# the npm packages read when the shipped vocabulary is built (word lists ranked
# by frequency, a list of offensive German words), and for the browser test of
# the puzzle page Debian's chromium with the npm package puppeteer-core (which
# downloads no browser of its own). Quiet and quick when everything is present;
# refreshes the package lists only when something is missing. Where chromium or
# puppeteer-core cannot be installed, the browser test is skipped with a message.
#   --fuzz   also clang and its libFuzzer runtime, for scripts/fuzz.sh only
set -euo pipefail

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-qpa-plugins qt6-svg-dev
  pxlib-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation2 poppler-utils
  desktop-file-utils appstream shared-mime-info
  openthesaurus-de-text hunspell-de-de wngerman
)
# Read at build time only: frequency-ranked German word lists (MIT licence) and
# the German list of offensive words of naughty-words (CC BY 4.0).
npm_packages=(@zxcvbn-ts/language-de@3.0.2 naughty-words@1.2.0)
# Drives chromium in the browser test; its 24 line runs on Debian 12's node 18.
browser_driver=puppeteer-core@24.43.1
browser=chromium

install_npm_package() {
  local package
  for package in "${npm_packages[@]}"; do
    if npm ls -g --depth=0 "$package" >/dev/null 2>&1; then
      continue
    fi
    echo "Installiere das npm-Paket $package"
    "${sudo_cmd[@]}" npm install -g --no-fund --no-audit --loglevel=error "$package" >/dev/null
  done
}

lists_updated=0

# The browser test's tools; a failure here only skips that test.
install_browser() {
  if ! dpkg-query -W -f='${Status}' "$browser" 2>/dev/null | grep -q "install ok installed"; then
    echo "Installiere $browser für den Browsertest"
    if [ "$lists_updated" = 0 ]; then
      "${sudo_cmd[@]}" apt-get update -qq || true
    fi
    if ! DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
        "$browser" >/dev/null; then
      echo "Hinweis: $browser ließ sich nicht installieren; der Browsertest wird übersprungen."
    fi
  fi
  if ! npm ls -g --depth=0 "${browser_driver%@*}" >/dev/null 2>&1; then
    echo "Installiere das npm-Paket $browser_driver für den Browsertest"
    if ! "${sudo_cmd[@]}" npm install -g --no-fund --no-audit --loglevel=error "$browser_driver" >/dev/null; then
      echo "Hinweis: $browser_driver ließ sich nicht installieren; der Browsertest wird übersprungen."
    fi
  fi
}

if ! command -v npm >/dev/null; then
  packages+=(npm)
fi
if [ "${1:-}" = "--fuzz" ]; then
  packages+=(clang libclang-rt-dev)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  install_npm_package
  install_browser
  exit 0
fi

echo "Installiere fehlende Pakete: ${missing[*]}"
"${sudo_cmd[@]}" apt-get update -qq
lists_updated=1
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
install_npm_package
install_browser
