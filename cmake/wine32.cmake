# Whether 32-bit Windows programs run under Wine here: the kernel must run 32-bit programs and 32-bit Wine
# (Debian's wine32, with the i386 architecture) must be installed. Sets `out` to TRUE or FALSE, and
# `reason_out` to why not.
function(tandrel_wine32_runs out reason_out)
  execute_process(COMMAND /lib/ld-linux.so.2 --version RESULT_VARIABLE loader_status OUTPUT_QUIET ERROR_QUIET)
  if(NOT loader_status EQUAL 0)
    set(${out} FALSE PARENT_SCOPE)
    set(${reason_out} "this machine cannot run 32-bit programs (/lib/ld-linux.so.2 --version fails)" PARENT_SCOPE)
  elseif(NOT EXISTS /usr/lib/wine/wine OR NOT EXISTS /usr/lib/wine/wineserver32)
    set(${out} FALSE PARENT_SCOPE)
    set(${reason_out} "32-bit Wine (Debian's wine32, with the i386 architecture) is not installed" PARENT_SCOPE)
  else()
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()
