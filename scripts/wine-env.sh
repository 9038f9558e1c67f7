# A virtual display, a fresh Wine prefix set up for Tavrin (Japanese fonts, Wine-drawn frames,
# a browser-launch recorder) with a wineserver kept up, and a loopback SNTP server. It only ever
# stops what it started itself.
TAVRIN_XVFB_PID=""
TAVRIN_CHRONY_PID=""
TAVRIN_CHRONY_DIR=""

start_wine_environment() {
  local prefix=$1
  export WINEPREFIX=$prefix
  export WINEDLLOVERRIDES="mscoree=d;mshtml=d;winemenubuilder.exe=d"
  export WINEDEBUG=-all
  export WINEARCH=win64
  # Wine maps Windows file names and arguments to Unix through the locale's charset: without a
  # UTF-8 locale no Japanese file name can be created.
  export LC_ALL=C.UTF-8 LANG=C.UTF-8
  # A free display of our own: Xvfb writes the number to -displayfd only once it serves it, so a
  # display that another server took meanwhile is never mistaken for ours.
  local n i ready
  ready=$(mktemp)
  for n in $(seq 91 199); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -displayfd 3 3>"$ready" >/dev/null 2>&1 &
    TAVRIN_XVFB_PID=$!
    for i in $(seq 1 100); do
      [ -s "$ready" ] && break
      kill -0 "$TAVRIN_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    [ -s "$ready" ] && kill -0 "$TAVRIN_XVFB_PID" 2>/dev/null && break
    kill "$TAVRIN_XVFB_PID" 2>/dev/null; wait "$TAVRIN_XVFB_PID" 2>/dev/null
    TAVRIN_XVFB_PID=""
  done
  rm -f "$ready"
  [ -n "$TAVRIN_XVFB_PID" ] || return 1
  export DISPLAY=":$n"
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  wineboot -i >/dev/null 2>&1 || true
  # Wine looks for its own fonts where Debian does not put them: the caption buttons need Marlett.
  cp /usr/share/wine/fonts/marlett.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p || return 1
  # The Japanese face names reach Wine through argv, decoded with the UTF-8 locale set above.
  local face
  for face in "ＭＳ Ｐゴシック" "@ＭＳ Ｐゴシック" "ＭＳ ゴシック" "MS Shell Dlg" "MS Shell Dlg 2" "Tahoma" "MS UI Gothic"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPGothic /f >/dev/null 2>&1
  done
  for face in "ＭＳ Ｐ明朝" "ＭＳ 明朝"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d IPAPMincho /f >/dev/null 2>&1
  done
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\WineBrowser' /v Browsers /d "$PWD/tests/support/browser-recorder.sh" /f >/dev/null 2>&1
  return 0
}

start_ntp_server() {
  TAVRIN_CHRONY_DIR=$(mktemp -d)
  local port
  port=$(python3 -c 'import socket; s=socket.socket(socket.AF_INET, socket.SOCK_DGRAM); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
  cat > "$TAVRIN_CHRONY_DIR/chrony.conf" <<CONF
port $port
bindaddress 127.0.0.1
allow 127.0.0.1
local stratum 8
cmdport 0
pidfile $TAVRIN_CHRONY_DIR/chronyd.pid
driftfile $TAVRIN_CHRONY_DIR/drift
CONF
  local user=()
  [ "$(id -u)" -eq 0 ] && user=(-u root)
  chronyd -x -d -f "$TAVRIN_CHRONY_DIR/chrony.conf" "${user[@]}" >"$TAVRIN_CHRONY_DIR/log" 2>&1 &
  TAVRIN_CHRONY_PID=$!
  sleep 1
  kill -0 "$TAVRIN_CHRONY_PID" 2>/dev/null || { cat "$TAVRIN_CHRONY_DIR/log"; return 1; }
  export TAVRIN_TEST_NTP_SERVER="127.0.0.1:$port"
}

stop_wine_environment() {
  [ -n "$TAVRIN_CHRONY_PID" ] && kill "$TAVRIN_CHRONY_PID" 2>/dev/null && wait "$TAVRIN_CHRONY_PID" 2>/dev/null
  [ -n "$TAVRIN_CHRONY_DIR" ] && rm -rf "$TAVRIN_CHRONY_DIR"
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null
  [ -n "$TAVRIN_XVFB_PID" ] && kill "$TAVRIN_XVFB_PID" 2>/dev/null && wait "$TAVRIN_XVFB_PID" 2>/dev/null
  TAVRIN_CHRONY_PID=""; TAVRIN_XVFB_PID=""
}
