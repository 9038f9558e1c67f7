# The Debian packages the build, the program under Wine and the tests need; installed only when
# missing, so a second run asks nothing of the network.
TAVRIN_PACKAGES=(cmake ninja-build g++ googletest g++-mingw-w64-x86-64-posix wine wine64 xvfb xauth
  fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine chrony imagemagick xdotool)

install_packages() {
  local missing=()
  for p in "${TAVRIN_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
