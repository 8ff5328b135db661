#!/usr/bin/env bash
# TESSERA.EXE in a 64-bit Windows machine runs under WOW64, where its view of
# the system folder is redirected while the restart acts on the real one: it
# refuses at start, names TESSERA64.EXE, and ends without opening the dialog
# or recording anything.
e2e_machine_arch=win64
source "$(dirname "$0")/lib.sh"

in_wine "C:\\Tessera\\$tessera_exe" &
tessera_pid=$!
expect_box "$tessera_caption" \
  '64ビット版のWindowsでは動作しません。TESSERA64.EXEを使用してください。終了します。' "$IDOK"
expect_ended "the program ends after the refusal"
drive wait Tessera 0 && fail "the main dialog opened after the refusal"
[ -z "$(pending_renames)" ] && pass "nothing is recorded for the restart" ||
  fail "renames were recorded: $(pending_renames)"
finish
