# wine.sh: Wine for the Windows build's tests. Source it; then
# wine_environment BUILD points Wine at the build's own throw-away prefix.
# Every Wine run goes through `timeout`: a program waiting on a box that
# nobody answers would wait for ever.

WINE=$(command -v wine64 || echo /usr/lib/wine/wine64)
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

# wine_environment BUILD: the prefix in BUILD/wine-prefix, Wine's own
# messages off, no offer to install .NET or a web browser engine, and no
# menu entries or file types written into the user's home.
wine_environment() {
  export WINEPREFIX="$1/wine-prefix"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# wine_prefix_create: a fresh prefix: no sound driver (so a missing sound
# device stays silent) and windows not handed to a window manager (without
# one, closing a window would stall 2 s).
wine_prefix_create() {
  rm -rf "$WINEPREFIX"
  env -u DISPLAY timeout 180 "$WINE" wineboot --init > /dev/null 2>&1
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\Drivers' /v Audio /d '' /f > /dev/null 2>&1
  timeout 60 "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f > /dev/null 2>&1
  wine_server_stop
  [[ -f "$WINEPREFIX/system.reg" ]]
}

# wine_server_start: a wineserver that outlives each program, and Wine's own
# services started by a first run whose output goes nowhere: started by a
# test instead, they would hold CTest's pipes open and CTest would wait.
wine_server_start() {
  "$WINESERVER" -p > /dev/null 2>&1 || true
  timeout 120 "$WINE" cmd /c exit 0 < /dev/null > /dev/null 2>&1
}

wine_server_stop() {
  "$WINESERVER" -k > /dev/null 2>&1 || true
  "$WINESERVER" -w > /dev/null 2>&1 || true
}
