#!/usr/bin/env bash
# Fails on an include that runs against the layers: each folder may include
# only the folders listed for it. The framework knows nothing of the product;
# the dialogs (ui/) know the application object, never the reverse, except in
# app/tessera_main.cpp, where the program is put together. Calls run the same
# way: the rules in plan/ and schedule/ answer the dialogs and never call back
# into them, so no class of ui/ derives from a class declared there.
#   check_layers.sh SOURCE_DIR
set -euo pipefail
cd "$1"
declare -A allowed=(
  [framework]="framework"
  [platform]="framework platform"
  [texts]="framework texts"
  [plan]="framework platform texts plan"
  [schedule]="framework platform texts schedule"
  [app]="framework platform texts schedule app res"
  [ui]="framework platform texts plan schedule app ui res"
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

rules=$(grep -rhoE '^(class|struct) [A-Za-z_]+' plan schedule | cut -d' ' -f2 | sort -u | paste -sd'|')
while IFS= read -r head; do
  echo "FAIL: $head (ui/ implements a class of plan/ or schedule/)"
  fail=1
done < <(grep -rnE "^ *(class|struct) [A-Za-z_]+ *(final *)?:.*\b($rules)\b" ui)

[ $fail -eq 0 ] && echo "$checked includes, all along the layers; no class of ui/ derives from plan/ or schedule/"
exit $fail
