# The one source of the three deliverables' names and version numbers. The portable version information below,
# and the Windows version resources, are generated from these values.
set(TANDREL_COMPANY_NAME "Tandrel Software")
set(TANDREL_CONTACT_ADDRESS "bugs@tandrel.example")

set(TANDREL_VB6_TITLE "Tandrel")
set(TANDREL_VB6_VERSION_MAJOR 2)
set(TANDREL_VB6_VERSION_MINOR 0)
set(TANDREL_VB6_VERSION_REVISION 12)

set(TANDREL_VB5_TITLE "TandrelVB5")
set(TANDREL_VB5_VERSION_MAJOR 1)
set(TANDREL_VB5_VERSION_MINOR 0)
set(TANDREL_VB5_VERSION_REVISION 2)

# The VBA editor's deliverable carries the VB6 deliverable's version numbers under a title of its own.
set(TANDREL_VBA_TITLE "TandrelVBA")
set(TANDREL_VBA_VERSION_MAJOR ${TANDREL_VB6_VERSION_MAJOR})
set(TANDREL_VBA_VERSION_MINOR ${TANDREL_VB6_VERSION_MINOR})
set(TANDREL_VBA_VERSION_REVISION ${TANDREL_VB6_VERSION_REVISION})

# COM identity of each Windows deliverable: its type library, the Connect class's default interface and the
# class. They never change once shipped: the IDE and any registry entry left behind refer to them.
set(TANDREL_VB6_LIBID 663A8AA0-DB51-4FBE-9CEE-D4CB47B5E6A4)
set(TANDREL_VB6_CONNECT_IID A2DF06F1-D72E-4CA0-BCDB-F0135A2AFEA9)
set(TANDREL_VB6_CLSID E7F1DDAD-B6F6-49A1-880E-215711778A12)
set(TANDREL_VB6_HELP_STRING "VB6 add-in. Try Tandrel entry in right-click menu in Code window.")
set(TANDREL_VB6_FILE_DESCRIPTION "VB6 add-in. Try Tandrel entry in right-click menu in Code window.")
set(TANDREL_VB6_COMMENTS "")

set(TANDREL_VB5_LIBID F587E7A1-EECF-419F-9A8E-D8EDF541972E)
set(TANDREL_VB5_CONNECT_IID 50ACA892-1A19-440B-B7B9-C29EF7BB0406)
set(TANDREL_VB5_CLSID 9E7FA7C7-528A-489B-A62C-1D9B48F4C7C8)
set(TANDREL_VB5_HELP_STRING "Jump from opener to closer ( (,[,{, do, if, for, ...)")
set(TANDREL_VB5_FILE_DESCRIPTION "Jump from opener to closer ( (,[,{, do, if, for, ...)")
set(TANDREL_VB5_COMMENTS "No comment!")

set(TANDREL_VBA_LIBID ABEA1268-3594-4B18-A261-052C23841566)
set(TANDREL_VBA_CONNECT_IID DF8A090F-45F8-405A-B547-4DF6149B0D1A)
set(TANDREL_VBA_CLSID D6F6FDD3-1D9F-46E6-8DAA-89FB76EF6667)
set(TANDREL_VBA_HELP_STRING "Office VBA editor add-in. Try Tandrel entry in right-click menu in Code window.")
set(TANDREL_VBA_FILE_DESCRIPTION "")
set(TANDREL_VBA_COMMENTS "")

# The Windows Installer packages that install all three deliverables. The upgrade code names the product
# across its versions, so that a newer package replaces an older one: it never changes once shipped. The
# package carries the VB6 deliverable's title and version numbers.
set(TANDREL_PACKAGE_UPGRADE_CODE F2ABE840-13B7-4883-ABBF-4F75C219988F)
set(TANDREL_PACKAGE_VERSION
    ${TANDREL_VB6_VERSION_MAJOR}.${TANDREL_VB6_VERSION_MINOR}.${TANDREL_VB6_VERSION_REVISION})
# The packages' two Active Setup components, which Windows runs once for each user at logon: one enters the
# add-in in the user's IDE lists, the other, left behind by the package's removal, takes it out again. Their
# names never change once shipped.
set(TANDREL_ACTIVE_SETUP_ID 15B0BEFA-76DF-4AD8-99BB-3B4BD3B078A4)
set(TANDREL_ACTIVE_SETUP_REMOVAL_ID 37DBC147-32D7-4751-8768-8A85D8D5E80D)

# The type library of the IDEs' own add-in interfaces, as this server implements them. It is embedded for
# the interfaces' IDispatch only and never registered: those interfaces belong to the IDEs.
set(TANDREL_EXTENSIBILITY_LIBID 7BC23211-7791-43D0-A44D-0FCB0BF5995D)

# Left-pads `value` with zeros to `width` digits.
function(tandrel_zero_pad value width out)
  string(REPEAT "0" ${width} zeros)
  set(padded "${zeros}${value}")
  string(LENGTH "${padded}" length)
  math(EXPR start "${length} - ${width}")
  string(SUBSTRING "${padded}" ${start} ${width} padded)
  set(${out} ${padded} PARENT_SCOPE)
endfunction()

# The file version of the deliverable whose values are kept under TANDREL_<prefix>_... as the IDE writes it,
# such as 2.00.0012.
function(tandrel_version_text prefix out)
  tandrel_zero_pad(${TANDREL_${prefix}_VERSION_MINOR} 2 minorText)
  tandrel_zero_pad(${TANDREL_${prefix}_VERSION_REVISION} 4 revisionText)
  set(${out} "${TANDREL_${prefix}_VERSION_MAJOR}.${minorText}.${revisionText}" PARENT_SCOPE)
endfunction()

# Writes <dir>/version_info.h holding the deliverable's version information as the run time reports it.
function(tandrel_generate_version_info prefix namespace dir)
  set(VERSION_NAMESPACE ${namespace})
  set(VERSION_TITLE ${TANDREL_${prefix}_TITLE})
  set(VERSION_MAJOR ${TANDREL_${prefix}_VERSION_MAJOR})
  set(VERSION_MINOR ${TANDREL_${prefix}_VERSION_MINOR})
  set(VERSION_REVISION ${TANDREL_${prefix}_VERSION_REVISION})
  tandrel_version_text(${prefix} VERSION_TEXT)
  set(VERSION_COMPANY ${TANDREL_COMPANY_NAME})
  set(VERSION_CONTACT ${TANDREL_CONTACT_ADDRESS})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.h.in ${dir}/version_info.h @ONLY)
endfunction()
