#!/usr/bin/env bash
# tandrel.exe as a Windows user runs it, under Wine in a prepared prefix: `match` on a bundled example must print
# what the Linux build prints, and `lsp`, given a conversation on standard input, must answer it.
#   tandrel_exe.sh <win64|win32> <prefix> <tandrel.exe> <examples folder>
set -euo pipefail
arch=$1 prefix=$2 exe=$3 examples=$4
wine=$(dirname "$0")/wine.sh

# A path beyond the ANSI code page, as a Russian user's documents folder has.
folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
cp "$examples/Orders.bas" "$folder/Заказы.bas"
expected='{"build":"vb6","selection":[29,5,40,15],"messages":[],"pointer":[11,0]}'
for file in "$examples/Orders.bas" "$folder/Заказы.bas"; do
  matched=$("$wine" "$arch" run "$prefix" "$exe" match "$file" --at 29:5 --json)
  [ "$matched" = "$expected" ] || { echo "match of $file printed: $matched" >&2; exit 1; }
done

frame() { printf 'Content-Length: %d\r\n\r\n%s' "${#1}" "$1"; }
uri='"textDocument":{"uri":"file:///C:/m.bas"'
answers=$({
  frame '{"jsonrpc":"2.0","id":1,"method":"initialize","params":{}}'
  frame '{"jsonrpc":"2.0","method":"textDocument/didOpen","params":{'"$uri"',"text":"If a Then\r\nEnd If\r\n"}}}'
  frame '{"jsonrpc":"2.0","id":2,"method":"textDocument/documentHighlight","params":{'"$uri"'},"position":{"line":1,"character":4}}}'
  frame '{"jsonrpc":"2.0","id":3,"method":"shutdown"}'
  frame '{"jsonrpc":"2.0","method":"exit"}'
} | "$wine" "$arch" run "$prefix" "$exe" lsp)
highlight='"result":[{"kind":1,"range":{"end":{"character":2,"line":0},"start":{"character":0,"line":0}}},{"kind":1,"range":{"end":{"character":6,"line":1},"start":{"character":0,"line":1}}}]'
case $answers in
  *"$highlight"*'"id":3'*) ;;
  *) echo "lsp answered: $answers" >&2; exit 1 ;;
esac
