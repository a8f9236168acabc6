# Authenticode signing of what the Windows builds ship, with osslsigncode, when the environment of the
# configuration names a certificate, the way build machines hold it:
#   TANDREL_SIGN_CERT       the certificate and its private key, a PKCS#12 (.pfx/.p12) file
#   TANDREL_SIGN_PASSWORD   its password, read from the environment of the build itself, never stored
#   TANDREL_SIGN_TIMESTAMP  an RFC 3161 timestamp server's URL, so that signatures outlive the certificate
# Without a certificate the build is unsigned, and says so.
set(TANDREL_SIGN_CERT "$ENV{TANDREL_SIGN_CERT}")
set(TANDREL_SIGN_TIMESTAMP "$ENV{TANDREL_SIGN_TIMESTAMP}")
set(TANDREL_SIGN_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/sign_file.sh)
if(TANDREL_SIGN_CERT)
  find_program(TANDREL_OSSLSIGNCODE osslsigncode REQUIRED)
  if(NOT EXISTS "${TANDREL_SIGN_CERT}")
    message(FATAL_ERROR "TANDREL_SIGN_CERT names no file: ${TANDREL_SIGN_CERT}")
  endif()
  message(STATUS "Signing with ${TANDREL_SIGN_CERT}")
else()
  message(STATUS "Unsigned build: set TANDREL_SIGN_CERT (and TANDREL_SIGN_PASSWORD) to sign")
endif()

# Signs `target`'s file each time it is linked.
function(tandrel_sign target)
  if(TANDREL_SIGN_CERT)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${TANDREL_SIGN_SCRIPT} ${TANDREL_OSSLSIGNCODE} ${TANDREL_SIGN_CERT} $<TARGET_FILE:${target}>
              ${TANDREL_SIGN_TIMESTAMP}
      VERBATIM)
  endif()
endfunction()
