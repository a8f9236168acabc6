#!/usr/bin/env bash
# Proves the Windows Installer packages under Wine, one step per CTest test, in prefixes WORK/NAME: a name
# ending in 32 is a 32-bit Windows (32-bit Wine), any other a 64-bit one (64-bit Wine with WoW64):
#   package_test.sh prepare WORK NAME...          fresh prefixes: installed* to install into, reference* for
#                                                 regsvr32
#   package_test.sh summary X86.msi X64.msi       the summary information a deployment tool reads
#   package_test.sh signatures CA FILE...          each file's Authenticode signature verifies (against the
#                                                 certificate CA, or the system's authorities where empty)
#   package_test.sh install WORK PACKAGE.msi X86_BIN X64_BIN
#                                                 msiexec /i /qn (the x64 package in `installed`, the x86 one
#                                                 in `installed32`): every file where it belongs (the builds'
#                                                 DLLs in X86_BIN and X64_BIN), VB5's INI line
#   package_test.sh registry WORK GENERATOR X64_DLL
#                                                 every value the package wrote equals regsvr32's for the
#                                                 64-bit DLL and the rows the 32-bit DLLs' data yields
#   package_test.sh registry32 WORK X86_BIN       the values the x86 package wrote on a 32-bit Windows are
#                                                 those regsvr32 writes there for its three DLLs, no more
#   package_test.sh wow64 WORK X86_BIN            the 32-bit regsvr32 of a 64-bit Windows registers the
#                                                 32-bit DLLs in the registry's 32-bit view only
#   package_test.sh side_by_side WORK X86_BIN X64_BIN CLSID LIBID
#                                                 after `registry` and `wow64`: both TandrelVBA builds are
#                                                 registered; unregistering either leaves the other working
#   package_test.sh run WORK NAME PROGRAM [ARGS]  runs a Windows program in prefix NAME, with a display for
#                                                 its message boxes
#   package_test.sh second_user WORK NAME LOGON INSTALL_ID REMOVAL_ID
#                                                 after `install`: another user, with the fresh prefix's own
#                                                 hive, logs on (LOGON runs Active Setup as Windows does) and
#                                                 gets the installing user's IDE list entries, once
#   package_test.sh uninstall WORK PACKAGE.msi [LOGON INSTALL_ID REMOVAL_ID]
#                                                 msiexec /x /qn: no file, no key but the Active Setup
#                                                 removal's, no INI line or section of the package's left;
#                                                 after `second_user`, that user's next logon removes their
#                                                 entries and leaves nothing of ours
#   package_test.sh upgrade WORK OLDER.msi X86.msi X64.msi INSTALL_ID
#                                                 each newer package replaces the one installed before,
#                                                 raising the Active Setup version; an older one refuses to
#   package_test.sh remove WORK                   stops the prefixes' servers and deletes them
# GENERATOR is tandrel_package_rows, which lists the package's rows.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
wine64=/usr/lib/wine/wine64
# 32-bit Wine's loader runs a 32-bit Windows, and a 32-bit program in a 64-bit one (WoW64).
wine32=/usr/lib/wine/wine
export WINEDEBUG=-all

folder32='C:\Program Files (x86)\Tandrel\'
other_addin='VBSDIAddIn.Connect=0'
folder64='C:\Program Files\Tandrel\'

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

in_prefix() {
  local prefix=$1 arch=win64
  shift
  [[ $prefix == *32 ]] && arch=win32
  WINEPREFIX=$prefix WINEARCH=$arch "$@"
}

# Wine's own programs (msiexec, regsvr32, reg, wineboot) with the prefix's loader, and the prefix's server.
wine_in() {
  local prefix=$1 wine=$wine64
  shift
  [[ $prefix == *32 ]] && wine=$wine32
  in_prefix "$prefix" "$wine" "$@"
}
server_in() {
  local prefix=$1 server=/usr/lib/wine/wineserver64
  shift
  [[ $prefix == *32 ]] && server=/usr/lib/wine/wineserver32
  in_prefix "$prefix" "$server" "$@"
}

# The loader for a Windows program of this machine: 32-bit Wine's for an i386 one (machine 14c in its PE
# header), which wine64 would hand it over to anyway.
loader_for() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  if [ "$(od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' ')" = 014c ]; then echo "$wine32"; else echo "$wine64"; fi
}

# The default value of a registry key as the programs of one bitness (32 or 64) read it on a 64-bit Windows,
# or nothing. Each bitness's own reg.exe reads it: Wine's 64-bit one with /reg:32 finds no class key outside
# Wow6432Node, where 32-bit programs also find the ProgIDs both views share.
default_value() {
  local reg=("$wine64" reg)
  [ "$2" = 32 ] && reg=("$wine32" 'C:\windows\syswow64\reg.exe')
  in_prefix "$1" "${reg[@]}" query "$3" /ve 2>/dev/null | tr -d '\r' | sed -n 's/^ *(Default) *REG_SZ *//p' || true
}

# A Windows path for a file of this machine, through Wine's Z: drive.
windows_path() { echo "Z:$1" | tr / '\\'; }

drive_c() { echo "$1/drive_c"; }

# The registry of `prefix` as lines (see registry_lines.awk), once its server has written it out.
registry() {
  local prefix=$1
  server_in "$prefix" -w
  {
    awk -v hive=hklm -f "$here/registry_lines.awk" "$prefix/system.reg"
    awk -v hive=hkcu -f "$here/registry_lines.awk" "$prefix/user.reg"
  } | LC_ALL=C sort -u
}

# What Windows Installer keeps about the products it installed, and what Wine itself rewrites on every run.
# Active Setup's records of what ran for a user are Windows' own too.
bookkeeping_keys=(
  'hkcu\\software\\microsoft\\active setup\\installed components\\[^|]*'
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
# The values file $2 adds to file $1, but for what Windows Installer and Wine keep for themselves.
values_added() { added "$1" "$2" | grep '|' | grep -Ev "$bookkeeping" | LC_ALL=C sort -u; }
# The values of ours that regsvr32 never writes: the package's Active Setup components.
without_active_setup() { grep -Fv 'software\microsoft\active setup\installed components\' || true; }
# Wine's RegisterTypeLib adds LIBFLAG_FHASDISKIMAGE (8) to the library's FLAGS; Windows writes the library's own
# flags, which the package writes: 0.
as_windows_writes() { sed 's/\\flags|@|"8"$/\\flags|@|"0"/' | LC_ALL=C sort -u; }

msiexec() {
  local prefix=$1
  shift
  local start=$SECONDS status=0
  wine_in "$prefix" msiexec "$@" || status=$?
  server_in "$prefix" -w
  echo "msiexec $* took $((SECONDS - start)) s, exit code $status"
  [ $status -eq 0 ] || fail "msiexec $* exited with $status"
}

# The prefix a package installs into: a 32-bit Windows for the x86 package, a 64-bit one for the x64 package.
installed_prefix() { case $2 in *-x86.msi) echo "$1/installed32" ;; *) echo "$1/installed" ;; esac; }

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

# Active Setup at a user's logon, for the components named, with LOGON (tandrel_active_setup_logon.exe):
# prints what ran (the commands' own output, which a logon shows nowhere, left out).
logon_in() {
  local prefix=$1 logon=$2
  shift 2
  in_prefix "$prefix" "$(loader_for "$logon")" "$logon" "$@" | tr -d '\r' | grep '^ran ' || true
  server_in "$prefix" -w
}

# The version of Active Setup component $2 in prefix $1.
active_setup_version() {
  registry "$1" | key="hklm\\software\\microsoft\\active setup\\installed components\\$(tr 'A-Z' 'a-z' <<<"$2")" \
    awk -F'|' '$1 == ENVIRON["key"] && $2 == "Version" { gsub(/"/, "", $3); print $3 }'
}

# A user's IDE list entries of ours in a user.reg, as lines.
user_entries() {
  awk -v hive=hkcu -f "$here/registry_lines.awk" "$1" |
    grep -E '^hkcu\\software\\microsoft\\(visual basic\\6\.0|vba\\vbe\\6\.0)\\addins(64)?\\tandrel' | LC_ALL=C sort -u || true
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
    shift
    for name in "$@"; do
      [ -d "$work/$name" ] && { server_in "$work/$name" -k 2>/dev/null || true; }
      rm -rf "${work:?}/$name"
    done
    mkdir -p "$work"
    # All prefixes at once: each has a server of its own. No Mono or Gecko install prompts.
    pids=()
    for name in "$@"; do
      (WINEDLLOVERRIDES="mscoree=;mshtml=" wine_in "$work/$name" wineboot -i && server_in "$work/$name" -w &&
        registry "$work/$name" >"$work/$name.before.lines" && cp "$work/$name/user.reg" "$work/$name.fresh-user.reg") &
      pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid" || fail "a prefix could not be prepared"; done
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
      # The Active Setup rows: what each user's logon runs, and the removal's, left behind as permanent.
      rows=$(msiinfo export "$package" Registry | tr -d '\r' | grep -F 'Active Setup')
      echo "$rows"
      stub_paths=$(awk -F'\t' '$4 == "StubPath" { print $5 }' <<<"$rows")
      for value in Version IsInstalled; do
        awk -F'\t' -v name=$value '$4 == name' <<<"$rows" | grep -q . || fail "$package: no Active Setup $value"
      done
      grep -q '/i:addin ' <<<"$stub_paths" || fail "$package: the per-user command"
      grep -q 'reg.exe" delete ' <<<"$stub_paths" || fail "$package: the removal command"
      attributes=$(msiinfo export "$package" Component | tr -d '\r' | awk -F'\t' '$1 == "ActiveSetupRemoval" { print $4 }')
      [ $((attributes & 16)) -eq 16 ] || fail "$package: the removal's component is not permanent ($attributes)"
    done
    ;;

  signatures)
    ca=$1
    shift
    for file in "$@"; do
      args=(verify -in "$file")
      [ -z "$ca" ] || args+=(-CAfile "$ca")
      out=$(osslsigncode "${args[@]}" 2>&1) || fail "$file: $out"
      grep -q '^Signature verification: ok' <<<"$out" || fail "$file: $out"
      echo "$(basename "$file"): $(grep -m1 'Subject:' <<<"$out" | tr -d '\t')"
    done
    ;;

  install)
    work=$1 package=$2 x86_bin=$3 x64_bin=$4
    prefix=$(installed_prefix "$work" "$package")
    # On the 32-bit Windows, VB5 lists another add-in already: the package's line joins its section.
    [[ $prefix == *32 ]] && printf '[Add-Ins32]\r\n%s\r\n' "$other_addin" >"$(drive_c "$prefix")/windows/VBADDIN.INI"
    msiexec "$prefix" /i "$(windows_path "$package")" /qn
    registry "$prefix" >"$prefix.lines"
    # Each file the build of its own bitness; a 32-bit Windows has one Program Files, for 32-bit programs.
    bins=("$x86_bin" "$x86_bin" "$x86_bin" "$x64_bin")
    case $package in
      *-x86.msi) files=("Program Files/Tandrel/"{Tandrel,TandrelVB5,TandrelVBA}.dll) ;;
      *) files=("Program Files (x86)/Tandrel/"{Tandrel,TandrelVB5,TandrelVBA}.dll
           "Program Files/Tandrel/TandrelVBA.dll") ;;
    esac
    [ "$(installed_files "$prefix")" = "$(printf '%s\n' "${files[@]}" | LC_ALL=C sort)" ] ||
      fail "installed files: $(installed_files "$prefix")"
    for i in "${!files[@]}"; do
      cmp -s "${bins[i]}/$(basename "${files[i]}")" "$(drive_c "$prefix")/${files[i]}" ||
        fail "${files[i]} is not the build in ${bins[i]}"
    done
    [ "$(vb5_lines "$prefix")" = "TandrelVB5.Connect=0" ] || fail "VBADDIN.INI: $(vb5_lines "$prefix")"
    grep -qx '\[Add-Ins32\]' <(tr -d '\r' <"$(vbaddin_ini "$prefix")") || fail "VBADDIN.INI has no [Add-Ins32]"
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
    wine_in "$reference" regsvr32 /s "${folder64}TandrelVBA.dll" || fail "regsvr32 of the 64-bit DLL"
    registry "$reference" >"$work/regsvr32.lines"
    values_added "$work/before-regsvr32.lines" "$work/regsvr32.lines" | as_windows_writes >"$work/regsvr32-values.lines"
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
    values_added "$work/installed.before.lines" "$work/installed.lines" | without_active_setup >"$work/package.lines"
    if ! diff "$work/expected.lines" "$work/package.lines"; then
      fail "the package's registry values (>) differ from regsvr32's and the 32-bit rows (<)"
    fi
    echo "$(wc -l <"$work/package.lines") registry values as expected"
    ;;

  registry32)
    work=$1 x86_bin=$2
    reference=$work/reference32
    # The three DLLs as regsvr32 registers them on a 32-bit Windows, from where the x86 package installs them.
    mkdir -p "$(drive_c "$reference")/Program Files/Tandrel"
    for dll in Tandrel TandrelVB5 TandrelVBA; do
      cp "$x86_bin/$dll.dll" "$(drive_c "$reference")/Program Files/Tandrel/"
      wine_in "$reference" regsvr32 /s "$folder64$dll.dll" || fail "regsvr32 of $dll.dll"
    done
    registry "$reference" >"$work/regsvr32-32.lines"
    values_added "$work/reference32.before.lines" "$work/regsvr32-32.lines" | as_windows_writes \
      >"$work/regsvr32-32-values.lines"
    values_added "$work/installed32.before.lines" "$work/installed32.lines" | without_active_setup \
      >"$work/package-32.lines"
    if ! diff "$work/regsvr32-32-values.lines" "$work/package-32.lines"; then
      fail "the x86 package's registry values (>) differ from the 32-bit regsvr32's (<)"
    fi
    echo "$(wc -l <"$work/package-32.lines") registry values as expected"
    ;;

  wow64)
    work=$1 x86_bin=$2
    reference=$work/reference
    # Each 32-bit DLL where the x64 package puts it, registered with the regsvr32 of 32-bit programs, as the
    # IDEs and 32-bit Office (32-bit programs) look for it; `registry` registered the 64-bit TandrelVBA before.
    mkdir -p "$(drive_c "$reference")/Program Files (x86)/Tandrel"
    for dll in Tandrel TandrelVB5 TandrelVBA; do
      cp "$x86_bin/$dll.dll" "$(drive_c "$reference")/Program Files (x86)/Tandrel/"
      in_prefix "$reference" "$wine32" 'C:\windows\syswow64\regsvr32.exe' /s "$folder32$dll.dll" ||
        fail "the 32-bit regsvr32 of $dll.dll"
      clsid=$(default_value "$reference" 32 "HKCR\\$dll.Connect\\CLSID")
      [ -n "$clsid" ] || fail "$dll.Connect names no class"
      class="HKCR\\CLSID\\$clsid\\InprocServer32"
      [ "$(default_value "$reference" 32 "$class")" = "$folder32$dll.dll" ] ||
        fail "$dll.dll is not the 32-bit view's $class: $(default_value "$reference" 32 "$class")"
      view64=
      [ $dll = TandrelVBA ] && view64=${folder64}TandrelVBA.dll
      [ "$(default_value "$reference" 64 "$class")" = "$view64" ] ||
        fail "the 64-bit view's $class: $(default_value "$reference" 64 "$class")"
    done
    server_in "$reference" -w
    ;;

  side_by_side)
    work=$1 x86_bin=$2 x64_bin=$3 clsid=$4 libid=$5
    reference=$work/reference
    # TandrelVBA as 32-bit and 64-bit Office each meet it, through the ProgID both share.
    probe() {
      local bin=$x64_bin folder=$folder64
      [ "$1" = 32 ] && bin=$x86_bin folder=$folder32
      in_prefix "$reference" xvfb-run -a "$(loader_for "$bin/tandrel_installed_server_probe.exe")" \
        "$bin/tandrel_installed_server_probe.exe" TandrelVBA.Connect "$clsid" "$libid" "${folder}TandrelVBA.dll" ||
        fail "$2: the $1-bit TandrelVBA"
    }
    probe 32 "both registered"
    probe 64 "both registered"
    in_prefix "$reference" "$wine32" 'C:\windows\syswow64\regsvr32.exe' /s /u "${folder32}TandrelVBA.dll" ||
      fail "the 32-bit regsvr32 /u"
    probe 64 "the 32-bit one unregistered"
    in_prefix "$reference" "$wine32" 'C:\windows\syswow64\regsvr32.exe' /s "${folder32}TandrelVBA.dll" ||
      fail "the 32-bit regsvr32"
    wine_in "$reference" 'C:\windows\system32\regsvr32.exe' /s /u "${folder64}TandrelVBA.dll" ||
      fail "the 64-bit regsvr32 /u"
    probe 32 "the 64-bit one unregistered"
    server_in "$reference" -w
    ;;

  run)
    prefix=$1/$2 program=$3
    shift 3
    status=0
    in_prefix "$prefix" xvfb-run -a "$(loader_for "$program")" "$program" "$@" || status=$?
    server_in "$prefix" -w
    exit $status
    ;;

  second_user)
    work=$1 prefix=$1/$2 logon=$3 install_id=$4 removal_id=$5
    server_in "$prefix" -w
    cp "$prefix/user.reg" "$prefix.installing-user.reg"
    cp "$work/$2.fresh-user.reg" "$prefix/user.reg"
    [ "$(logon_in "$prefix" "$logon" "$install_id" "$removal_id")" = "ran $install_id" ] ||
      fail "the first logon did not run the per-user command alone"
    user_entries "$prefix/user.reg" >"$prefix.second-user.entries"
    user_entries "$prefix.installing-user.reg" >"$prefix.installing-user.entries"
    [ -s "$prefix.second-user.entries" ] || fail "no IDE list entries for the other user"
    diff "$prefix.installing-user.entries" "$prefix.second-user.entries" ||
      fail "the other user's entries (>) differ from the installing user's (<)"
    [ -z "$(logon_in "$prefix" "$logon" "$install_id" "$removal_id")" ] || fail "the next logon ran something again"
    echo "$(wc -l <"$prefix.second-user.entries") IDE list lines entered for the other user"
    ;;

  uninstall)
    work=$1 package=$2 logon=${3:-} install_id=${4:-} removal_id=${5:-}
    prefix=$(installed_prefix "$work" "$package")
    other_user=
    if [ -e "$prefix.installing-user.reg" ]; then
      server_in "$prefix" -w
      cp "$prefix/user.reg" "$prefix.second-user.reg"
      cp "$prefix.installing-user.reg" "$prefix/user.reg"
      other_user=yes
    fi
    # An IDE may keep values of its own beside the add-in's entry: the entry goes whole all the same, as
    # regsvr32 /u takes it. 32-bit Windows has 32-bit Office only, whose list is Addins.
    list=Addins64
    [[ $package == *-x86.msi ]] && list=Addins
    wine_in "$prefix" reg add "HKCU\\Software\\Microsoft\\VBA\\VBE\\6.0\\$list\\TandrelVBA.Connect" \
      /v Settings /t REG_SZ /d kept /f >/dev/null || fail "reg add"
    msiexec "$prefix" /x "$(windows_path "$package")" /qn
    registry "$prefix" >"$prefix.uninstalled.lines"
    [ -z "$(installed_files "$prefix")" ] || fail "files left: $(installed_files "$prefix")"
    c=$(drive_c "$prefix")
    [ ! -e "$c/Program Files/Tandrel" ] && [ ! -e "$c/Program Files (x86)/Tandrel" ] || fail "folders left"
    [ -z "$(vb5_lines "$prefix")" ] || fail "VBADDIN.INI still has $(vb5_lines "$prefix")"
    # Where the package made the section (the 64-bit Windows had no VBADDIN.INI), it goes too, with the file
    # left empty; where another add-in's line was there before, both stay.
    if [[ $prefix == *32 ]]; then
      [ "$(tr -d '\r' <"$(vbaddin_ini "$prefix")")" = "$(printf '[Add-Ins32]\n%s' "$other_addin")" ] ||
        fail "VBADDIN.INI: $(cat "$(vbaddin_ini "$prefix")")"
    else
      [ -z "$(vbaddin_ini "$prefix")" ] || fail "VBADDIN.INI left: $(cat "$(vbaddin_ini "$prefix")")"
    fi
    left=$(added "$prefix.before.lines" "$prefix.uninstalled.lines" | grep -Ev "$bookkeeping" || true)
    # One Active Setup key stays: it removes the other users' entries at their next logon.
    removal_key=$(grep -m1 -o '^hklm\\software\\microsoft\\active setup\\installed components\\[^|]*|StubPath|' <<<"$left" |
      cut -d'|' -f1 || true)
    [ -n "$removal_key" ] || fail "no Active Setup removal left behind: $left"
    left=$(grep -Fv "$removal_key" <<<"$left" || true)
    [ -z "$left" ] || fail "registry entries left: $left"
    [ -z "$(products "$prefix")" ] || fail "still installed: $(products "$prefix")"
    if [ -n "$other_user" ]; then
      server_in "$prefix" -w
      cp "$prefix.second-user.reg" "$prefix/user.reg"
      [ "$(logon_in "$prefix" "$logon" "$install_id" "$removal_id")" = "ran $removal_id" ] ||
        fail "the other user's next logon did not run the removal alone"
      registry "$prefix" >"$prefix.second-user-removed.lines"
      fresh=$(mktemp)
      awk -v hive=hkcu -f "$here/registry_lines.awk" "$work/$(basename "$prefix").fresh-user.reg" | LC_ALL=C sort -u >"$fresh"
      # The IDEs' own list keys (Addins, Addins64 and their parents), which registration made where the IDE had
      # not, stay, empty: no value is left, and no key of ours.
      left=$(grep '^hkcu' "$prefix.second-user-removed.lines" | added "$fresh" - | grep -Ev "$bookkeeping" |
        grep -Ei 'tandrel|\|' || true)
      rm -f "$fresh"
      [ -z "$left" ] || fail "the other user's hive keeps: $left"
      [ -z "$(logon_in "$prefix" "$logon" "$install_id" "$removal_id")" ] || fail "the removal ran again"
      cp "$prefix.installing-user.reg" "$prefix/user.reg"
      rm -f "$prefix.installing-user.reg"
    fi
    ;;

  upgrade)
    work=$1 older=$2 x86=$3 x64=$4 install_id=$5
    version=$(basename "$x64" .msi | cut -d- -f2)
    prefix=$work/installed
    msiexec "$prefix" /i "$(windows_path "$older")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$(basename "$older" .msi | cut -d- -f2)\"" ] ||
      fail "after the older package: $(products "$prefix")"
    [ "$(active_setup_version "$prefix" "$install_id")" = "0,9,0" ] || fail "Active Setup, the older package's version"
    msiexec "$prefix" /i "$(windows_path "$x86")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after the newer package: $(products "$prefix")"

    [ ! -e "$(drive_c "$prefix")/Program Files/Tandrel" ] || fail "the older package's 64-bit DLL is left"
    # The other platform's package of the same version replaces it too.
    msiexec "$prefix" /i "$(windows_path "$x64")" /qn
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after the x64 package: $(products "$prefix")"
    [ "$(installed_files "$prefix" | wc -l)" -eq 4 ] || fail "files: $(installed_files "$prefix")"
    # Each user's entries are made again at their next logon.
    [ "$(active_setup_version "$prefix" "$install_id")" = "${version//./,}" ] || fail "Active Setup's version not raised"
    # An older package refuses to replace a newer one.
    status=0
    wine_in "$prefix" msiexec /i "$(windows_path "$older")" /qn || status=$?
    server_in "$prefix" -w
    [ $status -ne 0 ] || fail "the older package installed over the newer one"
    [ "$(products "$prefix")" = "\"Tandrel\" \"$version\"" ] || fail "after a downgrade: $(products "$prefix")"
    msiexec "$prefix" /x "$(windows_path "$x64")" /qn
    [ -z "$(products "$prefix")" ] || fail "still installed: $(products "$prefix")"
    [ -z "$(installed_files "$prefix")" ] || fail "files left: $(installed_files "$prefix")"
    ;;

  remove)
    work=$1
    for prefix in "$work"/*/; do
      [ -d "$prefix" ] && { server_in "${prefix%/}" -k 2>/dev/null || true; }
    done
    rm -rf "$work"
    ;;

  *)
    echo "unknown command $command" >&2
    exit 2
    ;;
esac
