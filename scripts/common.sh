# Shared by scripts/run and scripts/test: installs what the build needs on Debian 12 and
# configures and builds one build tree. Sourced, not run.

ZENTARIX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

ZENTARIX_PACKAGES=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-svg-dev libgl-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
  libgtest-dev libgmock-dev libbenchmark-dev libmpfr-dev libgmp-dev
  libfast-float-dev libdouble-conversion-dev mawk
  clang-14 libclang-rt-14-dev llvm-14 clang-format-14 git
  locales fonts-liberation qt6-translations-l10n
  xvfb xauth xdotool x11-utils x11-apps openbox dbus-x11 procps python3 valgrind
  orca at-spi2-core dbus-daemon
  weston qt6-wayland
  dpkg-dev file appstream desktop-file-utils lintian man-db binutils librsvg2-bin
  pybind11-dev python3-dev python3-numpy python3-pandas python3-pytest python3-dask
  python3-distributed
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=()
  for pkg in "${ZENTARIX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' \
      || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# The number-text tests run under real locales; generate the ones this machine lacks.
ensure_locales() {
  local have
  have=$(locale -a 2>/dev/null | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  for loc in ru_RU de_DE en_US fr_FR; do
    if ! printf '%s\n' "$have" | grep -qx "${loc,,}.utf8"; then
      echo "Generating locale $loc.UTF-8"
      as_root localedef -i "$loc" -f UTF-8 "$loc.UTF-8"
    fi
  done
}

# build_preset NAME: configures and builds the tree of one preset of CMakePresets.json
# (release, asan or fuzz), in build/NAME.
build_preset() {
  (cd "$ZENTARIX_ROOT" && cmake --preset "$1" >/dev/null &&
    cmake --build --preset "$1" --parallel "$(nproc)")
}

# Time stamps that a build writes into what it makes (resources, the package's files) come from
# the last commit, so that two builds of one commit give the same bytes.
export_source_date() {
  SOURCE_DATE_EPOCH=$(git -C "$ZENTARIX_ROOT" log -1 --format=%ct 2>/dev/null || date +%s)
  export SOURCE_DATE_EPOCH
}
