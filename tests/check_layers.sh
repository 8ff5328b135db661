#!/usr/bin/env bash
# Fails on an include that runs against the layers: each folder may include
# only the folders listed for it. The framework knows nothing of the product;
# the dialogs (ui/) know the application object, never the reverse, except in
# app/tessera_main.cpp, where the program is put together.
#   check_layers.sh SOURCE_DIR
set -euo pipefail
cd "$1"
declare -A allowed=(
  [framework]="framework"
  [platform]="framework platform"
  [plan]="framework platform plan"
  [schedule]="framework platform schedule"
  [app]="framework platform schedule app res"
  [ui]="framework platform plan schedule app ui res"
)
fail=0 checked=0
for folder in "${!allowed[@]}"; do
  while IFS=: read -r file line include; do
    [ "$file" = app/tessera_main.cpp ] && continue
    target=${include%%/*}
    checked=$((checked + 1))
    if [[ " ${allowed[$folder]} " != *" $target "* ]]; then
      echo "FAIL: $file:$line includes $include ($folder/ may include only: ${allowed[$folder]})"
      fail=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/[^"]+"' "$folder" | sed -E 's/#include "([^"]+)"/\1/')
done
[ $fail -eq 0 ] && echo "$checked includes, all along the layers"
exit $fail
