#!/usr/bin/env bash
# Where the bytes of the executables go: links the program once more without
# -s and with the linker's map (the tessera_map target, built only here), and
# prints the bytes of each output section and the largest inputs (an object of
# the program, or a library's member) in each. A static fact, so both builds
# are mapped where their trees are configured (cmake --preset win32, win64).
#
#   bench/run-size-map.sh [INPUTS]   (INPUTS: how many of the largest, 25 by default)
set -euo pipefail
cd "$(dirname "$0")/.."
inputs=${1:-25}
for pair in "win32 TESSERA.EXE" "win64 TESSERA64.EXE"; do
  read -r preset exe <<<"$pair"
  if [ ! -f "build/$preset/CMakeCache.txt" ]; then
    echo "$exe: not mapped (cmake --preset $preset)"
    continue
  fi
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" --target tessera tessera_map >/dev/null
  echo "$exe: $(stat -c %s "build/$preset/$exe") bytes as shipped (stripped)"
  # An input section's line names it and gives its address, size and input
  # file; a long name stands alone, with the rest on the next line. Sections
  # the link dropped appear before the memory map and are not counted.
  awk -v inputs="$inputs" '
    /^Linker script and memory map/ { mapped = 1; next }
    !mapped { next }
    /^\.[^ ]+ +0x/ { output = $1 }
    /^ \.[^ ]+$/ { pending = 1; next }
    pending && /^ +0x[0-9a-f]+ +0x[0-9a-f]+ / { pending = 0; add($2, rest(3)); next }
    { pending = 0 }
    /^ \.[^ ]+ +0x[0-9a-f]+ +0x[0-9a-f]+ / { add($3, rest(4)) }
    function rest(first,   text, i) {
      text = $first
      for (i = first + 1; i <= NF; i++) text = text " " $i
      return text
    }
    function hex(text,   value, i) {
      text = tolower(text)
      sub(/^0x/, "", text)
      value = 0
      for (i = 1; i <= length(text); i++)
        value = value * 16 + index("0123456789abcdef", substr(text, i, 1)) - 1
      return value
    }
    function add(size, file) {
      size = hex(size)
      if (size == 0 || output ~ /^\.debug/) return
      sub(/.*\//, "", file)
      sections[output] += size
      bytes[output "\t" file] += size
    }
    END {
      for (s in sections) printf "  %-10s %8d\n", s, sections[s] | "sort -k2 -nr"
      close("sort -k2 -nr")
      print "  largest inputs:"
      for (k in bytes) { split(k, part, "\t"); printf "  %-10s %8d  %s\n", part[1], bytes[k], part[2] | "sort -k2 -nr | head -n " inputs }
      close("sort -k2 -nr | head -n " inputs)
    }' "build/$preset/tessera.map"
done
