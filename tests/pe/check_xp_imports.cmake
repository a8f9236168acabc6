# Checks that a 32-bit COM server imports only what Windows XP SP3's system DLLs export: each imported function
# of a system DLL is named in a source compiled against the SDK headers of that version, which leave out what
# came later; each of the C run-time's must be one that XP's msvcrt.dll has.
# Usage: cmake -DOBJDUMP=<objdump> -DCXX=<compiler> -DDLL=<file> -DWORK=<folder> -P check_xp_imports.cmake
cmake_minimum_required(VERSION 3.25)

# The C run-time's imports, all in msvcrt.dll since before Windows XP. The headers cannot tell, so a new one
# fails here until it is known to be there too.
set(knownRuntimeImports
    __mb_cur_max _amsg_exit _beginthreadex _close _endthreadex _errno _initterm _iob _lock _read _setjmp3
    _strdup _ultoa _unlock _wcsicmp _wcsnicmp abort atoi calloc exit fprintf fputc fputs fputwc free fwprintf fwrite localeconv
    longjmp malloc memchr memcmp memcpy memmove memset printf realloc setlocale strchr strcmp strerror strlen
    strncmp vfprintf wcslen)

execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE dump RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${OBJDUMP} -p ${DLL} failed: ${status}")
endif()
string(REPLACE "\n" ";" lines "${dump}")

set(dll "")
set(functions "")
set(problems "")
foreach(line IN LISTS lines)
  if(line MATCHES "^\tDLL Name: (.+)$")
    string(TOUPPER "${CMAKE_MATCH_1}" dll)
  elseif(dll AND line MATCHES "^\t[0-9a-f]+\t +[0-9]+ +([A-Za-z_][A-Za-z0-9_]*)$")
    if(dll STREQUAL "MSVCRT.DLL")
      if(NOT CMAKE_MATCH_1 IN_LIST knownRuntimeImports)
        string(APPEND problems "\n  imports ${CMAKE_MATCH_1} from msvcrt.dll, not known in Windows XP's")
      endif()
    else()
      list(APPEND functions ${CMAKE_MATCH_1})
    endif()
  elseif(line STREQUAL "")
    set(dll "")
  endif()
endforeach()
if(NOT functions)
  message(FATAL_ERROR "${DLL}: no imported function read")
endif()

set(source "#define _WIN32_WINNT 0x0501\n#define WINVER 0x0501\n#define NTDDI_VERSION 0x05010300\n")
string(APPEND source "#include <windows.h>\n#include <ole2.h>\n#include <oleauto.h>\n#include <shlwapi.h>\n")
string(APPEND source "#include <msi.h>\n#include <msiquery.h>\n")
string(APPEND source "const void* const imported[] = {\n")
foreach(function IN LISTS functions)
  string(APPEND source "    reinterpret_cast<const void*>(&::${function}),\n")
endforeach()
string(APPEND source "};\n")
get_filename_component(name ${DLL} NAME_WE)
file(WRITE ${WORK}/${name}_xp_imports.cc "${source}")
execute_process(COMMAND ${CXX} -fsyntax-only ${WORK}/${name}_xp_imports.cc
                ERROR_VARIABLE errors RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  string(REGEX MATCHALL "::[A-Za-z0-9_]+[^ ]* has not been declared" undeclared "${errors}")
  string(REGEX REPLACE "::([A-Za-z0-9_]+)[^ ;]* has not been declared" "\\1" missing "${undeclared}")
  list(REMOVE_DUPLICATES missing)
  string(APPEND problems "\n  imports what Windows XP lacks: ${missing}")
endif()

if(problems)
  message(FATAL_ERROR "${DLL}:${problems}")
endif()
list(LENGTH functions count)
message(STATUS "${DLL}: all ${count} imported system functions are Windows XP's")
