# The one source of the two deliverables' names and version numbers. The portable version information below,
# and later the Windows version resources, are generated from these values.
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

# Left-pads `value` with zeros to `width` digits.
function(tandrel_zero_pad value width out)
  string(REPEAT "0" ${width} zeros)
  set(padded "${zeros}${value}")
  string(LENGTH "${padded}" length)
  math(EXPR start "${length} - ${width}")
  string(SUBSTRING "${padded}" ${start} ${width} padded)
  set(${out} ${padded} PARENT_SCOPE)
endfunction()

# Writes <dir>/version_info.h holding the deliverable's version information as the run time reports it.
function(tandrel_generate_version_info prefix namespace dir)
  set(VERSION_NAMESPACE ${namespace})
  set(VERSION_TITLE ${TANDREL_${prefix}_TITLE})
  set(VERSION_MAJOR ${TANDREL_${prefix}_VERSION_MAJOR})
  set(VERSION_MINOR ${TANDREL_${prefix}_VERSION_MINOR})
  set(VERSION_REVISION ${TANDREL_${prefix}_VERSION_REVISION})
  # The file version as the IDE writes it, such as 2.00.0012.
  tandrel_zero_pad(${VERSION_MINOR} 2 minorText)
  tandrel_zero_pad(${VERSION_REVISION} 4 revisionText)
  set(VERSION_TEXT "${VERSION_MAJOR}.${minorText}.${revisionText}")
  set(VERSION_COMPANY ${TANDREL_COMPANY_NAME})
  set(VERSION_CONTACT ${TANDREL_CONTACT_ADDRESS})
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version_info.h.in ${dir}/version_info.h @ONLY)
endfunction()
