# Sourced by the Wine scripts: one environment for every wine call on a prefix.
# Usage: . cmake/wine-env.sh PREFIX ARCH   (ARCH: i686 or x86_64)
export WINEPREFIX=$1
if [ "$2" = x86_64 ]; then
  export WINEARCH=win64 WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
else
  export WINEARCH=win32 WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
fi
export WINEDEBUG=-all
# No Mono or Gecko installs; and no winemenubuilder, which would turn the shortcuts an
# installer makes in a prefix into menu entries of the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# wineserver's socket lives under TMPDIR: every call for one prefix must agree on it.
export TMPDIR=$WINEPREFIX.tmp
mkdir -p "$TMPDIR"
# Wine honours the Linux proxy variables; loopback servers must be reached directly.
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY
export no_proxy=127.0.0.1,localhost
