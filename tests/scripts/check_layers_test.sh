#!/usr/bin/env bash
# check-layers passes on the tree as it is and names the file and line of an
# include that runs up the layers.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$root/src" "$work/src"
"$root/scripts/check-layers" "$work" >/dev/null

expect_failure() {  # file text expected-message
  cp "$work/$1" "$work/$1.orig"
  echo "$2" >>"$work/$1"
  if "$root/scripts/check-layers" "$work" 2>"$work/out"; then
    echo "check-layers passed with '$2' in $1" >&2
    exit 1
  fi
  grep -qF "$3" "$work/out" || { echo "expected '$3', got:" >&2; cat "$work/out" >&2; exit 1; }
  mv "$work/$1.orig" "$work/$1"
}
lines=$(wc -l <"$work/src/core/app/status_message.cpp")
expect_failure src/core/app/status_message.cpp '#include "ui/app/tarnwick_app.h"' \
  "src/core/app/status_message.cpp:$((lines + 1)): core includes ui/app/tarnwick_app.h"
expect_failure src/core/text/cp1252.h '#include <wx/string.h>' "core includes <wx/string.h>"
expect_failure src/platform/code_page.cpp '#include "ui/res/resources.h"' "platform includes ui/res/resources.h"
expect_failure src/ui/banner/animated_picture.cpp '#include "ui/workbench/tarnwick_view.h"' \
  "ui/banner includes ui/workbench/tarnwick_view.h"
expect_failure src/ui/services/app_services.cpp '#include "ui/res/resources.h"' "ui/services includes ui/res/resources.h"
echo "check-layers test: the real tree passes, each wrong include is named"
