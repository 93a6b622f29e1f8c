# Sourced by the set-up scripts: install_missing PACKAGE... installs, as root
# or through sudo, the Debian packages that are not installed yet.
# Extra apt-get options may come in APT_OPTIONS.

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ "${#missing[@]}" -gt 0 ] || return 0
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update
  # shellcheck disable=SC2086
  as_root apt-get install -y ${APT_OPTIONS:-} "${missing[@]}"
}
