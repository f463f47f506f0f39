# Sourced by the scripts that run Wine: an Xvfb and a Wine prefix of their own, both stopped by
# hop_wine_down (which the caller puts in its EXIT trap). Nothing else is touched.

hop_wine_up() {
  local root=$1
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
  export WINEPREFIX="$root/prefix"
  mkdir -p "$root"
  if [ -z "${HOP_KEEP_DISPLAY:-}" ]; then
    # -displayfd picks a free display number, so parallel runs never collide.
    Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp 9>"$root/display" 2>/dev/null &
    HOP_XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$root/display" ] && break; sleep 0.05; done
    export DISPLAY=":$(head -n1 "$root/display")"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    # Wine's own fonts (Marlett for the caption buttons, MS Sans Serif) are not found where the
    # Debian package puts them; a copy in the prefix's font folder is.
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # Every process of the prefix shares one virtual desktop with a taskbar and tray: windows
    # then hide and close at once (bare Xvfb has no window manager) and see each other.
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops\Default' /v EnableShell /t REG_DWORD \
      /d 1 /f >/dev/null 2>&1
    wineserver -w
  fi
  wineserver -p  # keep it up between the many short wine processes of a run
  # Start Wine's own services now, with no pipe of a test attached: a test runner waits for every
  # process that holds its output pipe, and those services outlive the process that starts them.
  wine cmd /c exit >/dev/null 2>&1 </dev/null
}

hop_wine_down() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${HOP_XVFB_PID:-}" ] && kill "$HOP_XVFB_PID" 2>/dev/null || true
}
