# The program's name, version, maker and web address, read from
# window/DesignSettings.h, where the program itself takes them: the Linux
# package and the Windows version resource never tell another story.
set(design_settings ${PROJECT_SOURCE_DIR}/window/DesignSettings.h)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${design_settings})

function(read_design_setting name variable)
  file(STRINGS ${design_settings} line REGEX "constexpr std::string_view ${name} = \"[^\"]*\";")
  if(NOT line MATCHES "\"([^\"]*)\"")
    message(FATAL_ERROR "window/DesignSettings.h has no ${name}")
  endif()
  set(${variable} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()

read_design_setting(ProgramName TOVRIN_PROGRAM_NAME)
read_design_setting(ProgramName TOVRIN_MAKER)
read_design_setting(ProductName TOVRIN_PRODUCT_NAME)
read_design_setting(ProductVersion TOVRIN_VERSION)
read_design_setting(MakerWebAddress TOVRIN_WEB_ADDRESS)
read_design_setting(DesktopEntryId TOVRIN_APP_ID)

# Windows knows versions as numbers: "1.00" is version 1.0.
if(NOT TOVRIN_VERSION MATCHES "^([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "ProductVersion \"${TOVRIN_VERSION}\" is not MAJOR.MINOR")
endif()
math(EXPR TOVRIN_VERSION_MAJOR "${CMAKE_MATCH_1}")
math(EXPR TOVRIN_VERSION_MINOR "${CMAKE_MATCH_2}")
# The name of the Windows program's file.
set(TOVRIN_FILE_NAME ${TOVRIN_PRODUCT_NAME}.exe)
