# Shared by scripts/run and scripts/test: installing what is missing, configuring, building.
# Source it; it defines functions only.

VELTRIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Installs every package of scripts/packages.txt that is not installed yet.
install_missing_packages() {
  local wanted missing=()
  while read -r wanted; do
    [[ -z "$wanted" || "$wanted" == \#* ]] && continue
    if ! dpkg-query -W -f='${Status}' "$wanted" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$wanted")
    fi
  done <"$VELTRIN_ROOT/scripts/packages.txt"
  [[ ${#missing[@]} -eq 0 ]] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
}

# build_tree DIR [CMAKE OPTION...]: configures (once) and builds the tree in DIR.
build_tree() {
  local dir=$1
  shift
  cmake -S "$VELTRIN_ROOT" -B "$dir" -G Ninja "$@" >/dev/null
  cmake --build "$dir" -j2
}
