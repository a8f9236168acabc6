# Builds one Windows Installer package: cmake -DKIND=x86|x64 -DVERSION=... -DGENERATOR=... -DX86_BIN=...
# -DX64_BIN=... -DTEMPLATE=... -DWORK=... -DOUTPUT=... -DWIXL=... -DMSIBUILD=... [products.cmake's values]
# [-DSIGN_SCRIPT=... -DOSSLSIGNCODE=... -DSIGN_CERT=... -DSIGN_TIMESTAMP=...] -P build_package.cmake
# wixl makes the package from the template and the components the generator writes from the deliverables'
# registration data; msibuild then adds what wixl does not write.
include(${PRODUCTS})

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} RESULT_VARIABLE status ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    list(JOIN ARGN " " command)
    message(FATAL_ERROR "${command} failed (${status}):\n${errors}")
  endif()
endfunction()

# wixl takes each file's source relative to where it runs: the DLLs are copied beside the package's sources.
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/x86 ${WORK}/x64)
foreach(dll Tandrel TandrelVB5 TandrelVBA TandrelSetup)
  file(COPY ${X86_BIN}/${dll}.dll DESTINATION ${WORK}/x86)
endforeach()
if(KIND STREQUAL "x64")
  file(COPY ${X64_BIN}/TandrelVBA.dll DESTINATION ${WORK}/x64)
endif()

run(${GENERATOR} ${KIND} wix components.wxs statements.sql x86 x64 ${VERSION})

# The product code changes with each version and platform, and stays the same for each rebuild of one.
string(UUID PRODUCT_CODE NAMESPACE ${TANDREL_PACKAGE_UPGRADE_CODE} NAME "${VERSION}-${KIND}" TYPE SHA1 UPPER)
set(PACKAGE_VERSION ${VERSION})
string(UUID ADDINS_SECTION_GUID NAMESPACE ${TANDREL_PACKAGE_UPGRADE_CODE} NAME "addins-section-${KIND}" TYPE SHA1 UPPER)
set(PACKAGE_COMMENTS
    "The ${TANDREL_VB6_TITLE} add-in for the Visual Basic 6 and 5 IDEs and the Office VBA editor.")
if(KIND STREQUAL "x64")
  set(PACKAGE_SUBJECT "${TANDREL_VB6_TITLE} ${VERSION} for 64-bit Windows")
  set(PACKAGE_64_BIT_FOLDER "      <Directory Id=\"ProgramFiles64Folder\">
        <Directory Id=\"InstallFolder64\" Name=\"${TANDREL_VB6_TITLE}\"/>
      </Directory>
")
else()
  set(PACKAGE_SUBJECT "${TANDREL_VB6_TITLE} ${VERSION} for 32-bit Windows")
  set(PACKAGE_64_BIT_FOLDER "")
endif()
configure_file(${TEMPLATE} ${WORK}/package.wxs @ONLY)

file(REMOVE ${OUTPUT})
run(${WIXL} --arch ${KIND} --output ${OUTPUT} package.wxs components.wxs)

file(STRINGS ${WORK}/statements.sql statements)
# The other platform's package of the same version replaces this one too, so that a machine has one Tandrel:
# the row that finds older versions takes its own version in (msidbUpgradeAttributesVersionMaxInclusive).
list(APPEND statements
     "DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'"
     "INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`, `ActionProperty`) VALUES ('{${TANDREL_PACKAGE_UPGRADE_CODE}}', '${VERSION}', 513, 'WIX_UPGRADE_DETECTED')"
     # The older product goes before this one is installed, as WiX schedules it (afterInstallValidate): wixl puts
     # it after InstallFinalize, where the older one's removal takes the upgrade code's entry of this one too.
     "UPDATE `InstallExecuteSequence` SET `Sequence` = 1401 WHERE `Action` = 'RemoveExistingProducts'"
     # wixl writes no component conditions.
     "UPDATE `Component` SET `Condition` = 'TANDRELOWNSADDINSSECTION OR Installed' WHERE `Component` = 'AddinsSection'")
set(queries)
foreach(statement IN LISTS statements)
  list(APPEND queries -q "${statement}")
endforeach()
run(${MSIBUILD} ${OUTPUT} ${queries})
if(SIGN_CERT)
  run(${SIGN_SCRIPT} ${OSSLSIGNCODE} ${SIGN_CERT} ${OUTPUT} ${SIGN_TIMESTAMP})
endif()
