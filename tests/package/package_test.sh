#!/usr/bin/env bash
# Proves the Windows Installer packages under 64-bit Wine, one step per CTest test:
#   package_test.sh prepare WORK                  two fresh prefixes: one to install into, one for regsvr32
#   package_test.sh summary X86.msi X64.msi       the summary information a deployment tool reads
#   package_test.sh install WORK X64.msi X86_BIN X64_BIN
#                                                 msiexec /i /qn: every file where it belongs (the builds'
#                                                 DLLs in X86_BIN and X64_BIN), VB5's INI line
#   package_test.sh registry WORK GENERATOR X64_DLL
#                                                 every value the package wrote equals regsvr32's for the
#                                                 64-bit DLL and the rows the 32-bit DLLs' data yields
#   package_test.sh run WORK PROGRAM [ARGS]       runs a Windows program where the package is installed,
#                                                 with a display for its message boxes
#   package_test.sh uninstall WORK X64.msi        msiexec /x /qn: no file, no key, no INI line left
#   package_test.sh upgrade WORK OLDER.msi X86.msi X64.msi
#                                                 each newer package replaces the one installed before;
#                                                 an older one refuses to
#   package_test.sh remove WORK                   stops the prefixes' servers and deletes them
# GENERATOR is tandrel_package_rows, which lists the package's rows.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver64
export WINEARCH=win64 WINEDEBUG=-all

folder32='C:\Program Files (x86)\Tandrel\'
folder64='C:\Program Files\Tandrel\'

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

in_prefix() {
  local prefix=$1
  shift
  WINEPREFIX=$prefix "$@"
}

# A Windows path for a file of this machine, through Wine's Z: drive.
windows_path() { echo "Z:$1" | tr / '\\'; }

drive_c() { echo "$1/drive_c"; }

# The registry of `prefix` as lines (see registry_lines.awk), once its server has written it out.
registry() {
  local prefix=$1
  in_prefix "$prefix" "$wineserver" -w
  {
    awk -v hive=hklm -f "$here/registry_lines.awk" "$prefix/system.reg"
    awk -v hive=hkcu -f "$here/registry_lines.awk" "$prefix/user.reg"
  } | LC_ALL=C sort -u
}

# What Windows Installer keeps about the products it installed, and what Wine itself rewrites on every run.
bookkeeping_keys=(
  'hklm\\software\\classes\\installer'
  'hklm\\software\\(wow6432node\\)?microsoft\\windows\\currentversion\\(installer|uninstall)'
  'hkcu\\software\\microsoft\\installer'
  'hk(lm|cu)\\software\\wine'
  'hklm\\system'
)
# Each such key with its subkeys and values.
bookkeeping="^($(IFS='|' && echo "${bookkeeping_keys[*]}"))"'(\\|\||$)'

# Lines of file $2 that file $1 lacks.
added() { LC_ALL=C comm -13 "$1" "$2"; }

msiexec() {
  local prefix=$1
  shift
  local start=$SECONDS status=0
  in_prefix "$prefix" "$wine" msiexec "$@" || status=$?
  in_prefix "$prefix" "$wineserver" -w
  echo "msiexec $* took $((SECONDS - start)) s, exit code $status"
  [ $status -eq 0 ] || fail "msiexec $* exited with $status"
}

installed_files() {
  local c
  c=$(drive_c "$1")
  (cd "$c" && find "Program Files/Tandrel" "Program Files (x86)/Tandrel" -type f 2>/dev/null | LC_ALL=C sort)
}

# VBADDIN.INI in the Windows folder, whatever the case of its name.
vbaddin_ini() { find "$(drive_c "$1")/windows" -maxdepth 1 -iname vbaddin.ini | head -n 1; }

vb5_lines() {
  local ini
  ini=$(vbaddin_ini "$1")
  [ -n "$ini" ] && grep -i 'TandrelVB5.Connect' "$ini" | tr -d '\r' || true
}

# Installed products as "name version", from the list Programs and Features shows.
products() {
  registry "$1" | awk -F'|' '
    $1 ~ /currentversion\\uninstall\\/ && $2 == "DisplayName" { name[$1] = $3 }
    $1 ~ /currentversion\\uninstall\\/ && $2 == "DisplayVersion" { version[$1] = $3 }
    END { for (key in name) if (name[key] == "\"Tandrel\"") print name[key], version[key] }'
}

command=$1
shift
case $command in
  prepare)
    work=$1
    for prefix in "$work/installed" "$work/reference"; do
      [ -d "$prefix" ] && { in_prefix "$prefix" "$wineserver" -k 2>/dev/null || true; }
      rm -rf "$prefix"
    done
    mkdir -p "$work"
    # Both prefixes at once: each has a server of its own. No Mono or Gecko install prompts.
    pids=()
    for prefix in "$work/installed" "$work/reference"; do
      (WINEPREFIX=$prefix WINEDLLOVERRIDES="mscoree=;mshtml=" "$wine" wineboot -i &&
        in_prefix "$prefix" "$wineserver" -w) &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || fail "a prefix could not be prepared"; done
    registry "$work/installed" >"$work/before-install.lines"
    ;;

  summary)
    for package in "$@"; do
      case $package in
        *-x64.msi) subject="for 64-bit Windows" template="x64;1033" ;;
        *) subject="for 32-bit Windows" template="Intel;1033" ;;
      esac
      info=$(msiinfo suminfo "$package")
      echo "$info"
      version=$(basename "$package" .msi | cut -d- -f2)
      grep -qx "Subject: Tandrel $version $subject" <<<"$info" || fail "$package: subject"
      grep -qx "Author: Tandrel Software" <<<"$info" || fail "$package: author (the manufacturer)"
      grep -qx "Template: $template" <<<"$info" || fail "$package: platform"
      grep -qx "Title: Installation Database" <<<"$info" || fail "$package: title"
    done
    ;;

  install)
    work=$1 package=$2 x86_bin=$3 x64_bin=$4
    msiexec "$work/installed" /i "$(windows_path "$package")" /qn
    registry "$work/installed" >"$work/installed.lines"
    expected="Program Files (x86)/Tandrel/Tandrel.dll
Program Files (x86)/Tandrel/TandrelVB5.dll
Program Files (x86)/Tandrel/TandrelVBA.dll
Program Files/Tandrel/TandrelVBA.dll"
    [ "$(installed_files "$work/installed")" = "$expected" ] ||
      fail "installed files: $(installed_files "$work/installed")"
    c=$(drive_c "$work/installed")
    # Each the build of its own bitness.
    for dll in Tandrel TandrelVB5 TandrelVBA; do
      cmp -s "$x86_bin/$dll.dll" "$c/Program Files (x86)/Tandrel/$dll.dll" || fail "$dll.dll is not the i686 build"
    done
    cmp -s "$x64_bin/TandrelVBA.dll" "$c/Program Files/Tandrel/TandrelVBA.dll" ||
      fail "Program Files/Tandrel/TandrelVBA.dll is not the x86_64 build"
    [ "$(vb5_lines "$work/installed")" = "TandrelVB5.Connect=0" ] || fail "VBADDIN.INI: $(vb5_lines "$work/installed")"
    grep -qx '\[Add-Ins32\]' <(tr -d '\r' <"$(vbaddin_ini "$work/installed")") || fail "VBADDIN.INI has no [Add-Ins32]"
    ;;

  registry)
    work=$1 generator=$2 dll=$3
    reference=$work/reference
    rows=$work/rows.txt
    "$generator" x64 rows "$folder32" "$folder64" >"$rows"
    # The 64-bit DLL as regsvr32 registers it, from the path the package installs it to.
    registry "$reference" >"$work/before-regsvr32.lines"
    mkdir -p "$(drive_c "$reference")/Program Files/Tandrel"
    cp "$dll" "$(drive_c "$reference")/Program Files/Tandrel/TandrelVBA.dll"
    in_prefix "$reference" "$wine" regsvr32 /s "${folder64}TandrelVBA.dll" || fail "regsvr32 of the 64-bit DLL"
    registry "$reference" >"$work/regsvr32.lines"
    # Wine's RegisterTypeLib adds LIBFLAG_FHASDISKIMAGE (8) to the library's FLAGS; Windows writes the
    # library's own flags, which the package writes: 0.
    added "$work/before-regsvr32.lines" "$work/regsvr32.lines" | grep '|' | grep -Ev "$bookkeeping" |
      sed 's/\\flags|@|"8"$/\\flags|@|"0"/' >"$work/regsvr32-values.lines"
    # The 32-bit DLLs' rows, in the registry's 32-bit view; the classes of a per-machine package are the
    # machine's. The type libraries' key is one for both views: where the two builds of TandrelVBA share a
    # value there (the library's help folder), the 64-bit one's is what regsvr32 wrote.
    grep '^win32|' "$rows" | awk -F'|' '
      FNR == NR { split($0, field, "|"); written[field[1] "|" field[2]] = 1; next }
      {
        key = $2
        if (sub(/^HKCR\\TypeLib\\/, "", key)) key = "hklm\\software\\classes\\typelib\\" key
        else if (sub(/^HKCR\\/, "", key)) key = "hklm\\software\\classes\\wow6432node\\" key
        else if (sub(/^HKCU\\/, "", key)) key = "hkcu\\" key
        else if (sub(/^HKLM\\/, "", key)) key = "hklm\\software\\wow6432node\\" key
        key = tolower(key)
        if (!((key "|" $3) in written)) print key "|" $3 "|" $4
      }' "$work/regsvr32-values.lines" - >"$work/rows-32.lines"
    LC_ALL=C sort -u "$work/regsvr32-values.lines" "$work/rows-32.lines" >"$work/expected.lines"
    added "$work/before-install.lines" "$work/installed.lines" | grep '|' | grep -Ev "$bookkeeping" |
      LC_ALL=C sort -u >"$work/package.lines"
    if ! diff "$work/expected.lines" "$work/package.lines"; then
      fail "the package's registry values (>) differ from regsvr32's and the 32-bit rows (<)"
    fi
    echo "$(wc -l <"$work/package.lines") registry values as expected"
    ;;

  run)
    work=$1
    shift
    status=0
    in_prefix "$work/installed" xvfb-run -a "$wine" "$@" || status=$?
    in_prefix "$work/installed" "$wineserver" -w
    exit $status
    ;;

  uninstall)
    work=$1 package=$2
    # An IDE may keep values of its own beside the add-in's entry: the entry goes whole all the same, as
    # regsvr32 /u takes it.
    in_prefix "$work/installed" "$wine" reg add 'HKCU\Software\Microsoft\VBA\VBE\6.0\Addins64\TandrelVBA.Connect' \
      /v Settings /t REG_SZ /d kept /f >/dev/null || fail "reg add"
    msiexec "$work/installed" /x "$(windows_path "$package")" /qn
    registry "$work/installed" >"$work/uninstalled.lines"
    [ -z "$(installed_files "$work/installed")" ] || fail "files left: $(installed_files "$work/installed")"
    c=$(drive_c "$work/installed")
    [ ! -e "$c/Program Files/Tandrel" ] && [ ! -e "$c/Program Files (x86)/Tandrel" ] || fail "folders left"
    [ -z "$(vb5_lines "$work/installed")" ] || fail "VBADDIN.INI still has $(vb5_lines "$work/installed")"
    left=$(added "$work/before-install.lines" "$work/uninstalled.lines" | grep -Ev "$bookkeeping" || true)
    [ -z "$left" ] || fail "registry entries left: $left"
    [ -z "$(products "$work/installed")" ] || fail "still installed: $(products "$work/installed")"
    ;;

  upgrade)
    work=$1 older=$2 x86=$3 x64=$4
    version=$(basename "$x64" .msi | cut -d- -f2)
    prefix=$work/installed
    msiexec "$prefix" /i "$(windows_path "$older")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$(basename "$older" .msi | cut -d- -f2)\"" ] ||
      fail "after the older package: $(products "$prefix")"
    msiexec "$prefix" /i "$(windows_path "$x86")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after the newer package: $(products "$prefix")"
    [ ! -e "$(drive_c "$prefix")/Program Files/Tandrel" ] || fail "the older package's 64-bit DLL is left"
    # The other platform's package of the same version replaces it too.
    msiexec "$prefix" /i "$(windows_path "$x64")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after the x64 package: $(products "$prefix")"
    [ "$(installed_files "$prefix" | wc -l)" -eq 4 ] || fail "files: $(installed_files "$prefix")"
    # An older package refuses to replace a newer one.
    status=0
    in_prefix "$prefix" "$wine" msiexec /i "$(windows_path "$older")" /qn || status=$?
    in_prefix "$prefix" "$wineserver" -w
    [ $status -ne 0 ] || fail "the older package installed over the newer one"
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after a downgrade: $(products "$prefix")"
    msiexec "$prefix" /x "$(windows_path "$x64")" /qn
    [ -z "$(products "$prefix")" ] || fail "still installed: $(products "$prefix")"
    [ -z "$(installed_files "$prefix")" ] || fail "files left: $(installed_files "$prefix")"
    ;;

  remove)
    work=$1
    for prefix in "$work/installed" "$work/reference"; do
      [ -d "$prefix" ] && { in_prefix "$prefix" "$wineserver" -k 2>/dev/null || true; }
    done
    rm -rf "$work"
    ;;

  *)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
