# Sourced by the scripts that run Wine: an Xvfb and a Wine prefix of their own, both stopped by
# hop_wine_down (which the caller puts in its EXIT trap). Nothing else is touched.

# hop_wine_up ROOT [TEMPLATE]: a session in ROOT, exported into this shell and written to
# ROOT/session.env. A new prefix is a copy of TEMPLATE (a prefix made here) when given: about 4 s
# against 15 s for wineboot.
hop_wine_up() {
  local root=$1 template=${2:-}
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
  if [ ! -f "$WINEPREFIX/system.reg" ] && [ -n "$template" ]; then
    cp -a "$template" "$WINEPREFIX"
  elif [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i >/dev/null 2>&1
    # Wine's own fonts (Marlett for the caption buttons, MS Sans Serif) are not found where the
    # Debian package puts them; a copy in the prefix's font folder is.
    cp -n /usr/share/wine/fonts/* "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
    # wineboot links the user's folders (Desktop, Documents, ...) into the real home: made plain
    # folders of the prefix, so no test can reach the user's own files through them.
    find "$WINEPREFIX/drive_c/users" -maxdepth 2 -type l -exec sh -c 'rm "$1"; mkdir "$1"' _ {} \;
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
  printf 'export WINEPREFIX=%q DISPLAY=%q HOP_XVFB_PID=%q\n' "$WINEPREFIX" "$DISPLAY" \
    "${HOP_XVFB_PID:-}" >"$root/session.env"
}

# hop_wine_sessions_up ROOT COUNT: COUNT independent sessions in ROOT/0 .. ROOT/COUNT-1, the
# others copied from the first's prefix; this shell keeps the first's. Each session's settings
# are in ROOT/N/session.env, which scripts/wine_session.sh reads.
hop_wine_sessions_up() {
  local root=$1 count=$2 n pids=()
  HOP_WINE_SESSIONS="$root/0"
  hop_wine_up "$root/0"
  for ((n = 1; n < count; n++)); do
    HOP_WINE_SESSIONS+=" $root/$n"
    (hop_wine_up "$root/$n" "$root/0/prefix" </dev/null) &
    pids+=($!)
  done
  # Only the subshells: this shell's Xvfb runs on.
  [ ${#pids[@]} -eq 0 ] || wait "${pids[@]}"
}

hop_wine_down() {
  local session
  for session in ${HOP_WINE_SESSIONS:-}; do
    [ -f "$session/session.env" ] || continue
    (
      source "$session/session.env"
      wineserver -k 2>/dev/null
      [ -n "$HOP_XVFB_PID" ] && kill "$HOP_XVFB_PID" 2>/dev/null
    )
  done
  [ -n "${WINEPREFIX:-}" ] && wineserver -k 2>/dev/null || true
  [ -n "${HOP_XVFB_PID:-}" ] && kill "$HOP_XVFB_PID" 2>/dev/null || true
}
