#!/usr/bin/env bash
# The packaged extension as VS Code reads it: its manifest starts the client for Visual Basic files and names
# the command and its key, and it carries the client's dependencies and both servers, the Linux one executable.
#   check_vsix.sh tandrel-<version>.vsix
set -euo pipefail
vsix=$1
listing=$(zipinfo "$vsix")
manifest=$(unzip -p "$vsix" extension/package.json)
failed=0
expect() {  # what, text, pattern
  grep -q -- "$3" <<<"$2" || { echo "missing: $1" >&2; failed=1; }
}
expect "the entry point" "$manifest" '"main": "./extension.js"'
expect "activation on Visual Basic files" "$manifest" '"onLanguage:vb"'
for extension in .bas .cls .frm .ctl .dsr; do expect "the $extension files" "$manifest" "\"$extension\""; done
expect "the select-to-partner command" "$manifest" '"command": "tandrel.selectToPartner"'
expect "the command's key" "$manifest" '"key": "ctrl+alt+]"'
expect "the client" "$listing" ' extension/extension.js$'
expect "the language client library" "$listing" ' extension/node_modules/vscode-languageclient/package.json$'
expect "the Linux server, executable" "$listing" '^-rwx.* extension/server/linux-x64/tandrel$'
expect "the Windows server" "$listing" ' extension/server/win32-x64/tandrel.exe$'
if grep -q ' extension/node_modules/@vscode/vsce/' <<<"$listing"; then
  echo "the packaging tool is carried too" >&2
  failed=1
fi
exit $failed
