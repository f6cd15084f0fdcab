#!/usr/bin/env bash
# Creates a private Wine prefix with the CJK font replacements and unmanaged windows,
# once. The marker's name changes whenever the prefix's settings do.
# Usage: cmake/wine-prefix.sh PREFIX ARCH
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
prefix=$1
arch=$2
marker=$prefix/.zeltavue-ready-2
[ -f "$marker" ] && exit 0
mkdir -p "$(dirname "$prefix")"
rm -rf "$prefix"
. "$here/wine-env.sh" "$prefix" "$arch"

reg=$(mktemp --suffix=.reg)
trap 'rm -f "$reg"' EXIT
# regedit only imports UTF-16LE with a BOM and CRLF line ends; UTF-8 imports as garbage.
# No window manager runs on the test display, and Wine waits 2 s for one to confirm
# every hidden top-level window (each DestroyWindow of a visible one) unless its
# windows are unmanaged: then they hide at once, as on Windows.
{
  printf '\xff\xfe'
  printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"微软雅黑"="WenQuanYi Micro Hei"\r\n"Microsoft YaHei"="WenQuanYi Micro Hei"\r\n"宋体"="WenQuanYi Micro Hei"\r\n"SimSun"="WenQuanYi Micro Hei"\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]\r\n"Managed"="N"\r\n\r\n' \
    | iconv -f UTF-8 -t UTF-16LE
} > "$reg"

# wineboot needs a display, or explorer and RpcSs fail to start.
"$here/with-display.sh" bash -c '
  "$WINE" wineboot -i >/dev/null 2>&1
  "$WINE" regedit /S "$1" >/dev/null 2>&1
  "$WINESERVER" -w' _ "$reg"
touch "$marker"
