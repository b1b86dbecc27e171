# The two ways Tollvane ships, made by `cpack` in a Windows build folder
# (package.sh at the top does the whole job):
#   Tollvane-<version>-win32-setup.exe  per-user NSIS installer with an uninstaller
#   Tollvane-<version>-win32.zip        portable: tollvane.exe, readme.txt, LICENSE
# Those are the 32-bit build's, which run on Windows XP SP3 and later. The x86-64
# build makes the same packages named win64, with a 64-bit installer, so that the
# tests can install and run them under the 64-bit Wine of the build machines.
# The installer uses our own NSIS template (packaging/NSIS.template.in): CPack's
# stock one installs for all users under Program Files and needs administrator
# rights, which a per-user tray program should not ask for.

set(TOLLVANE_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
set(TOLLVANE_PACKAGING_OUT ${CMAKE_BINARY_DIR}/packaging)

# Names the uninstaller must agree on with the program, read from its sources.
function(tollvane_read_constant out file name)
  file(STRINGS ${PROJECT_SOURCE_DIR}/${file} line REGEX "${name}\\[\\] = L?\"[^\"]+\"")
  if(NOT line MATCHES "\"([^\"]+)\"")
    message(FATAL_ERROR "Packaging: cannot find ${name} in ${file}")
  endif()
  set(${out} "${CMAKE_MATCH_1}" PARENT_SCOPE)
endfunction()
tollvane_read_constant(TOLLVANE_MAIN_FORM_CLASS src/app/frmMain.h kMainFormClass)
tollvane_read_constant(TOLLVANE_STARTUP_SHORTCUT src/services/mShell.h kShortcutName)
set(TOLLVANE_SETTINGS_APPLICATION ${PROJECT_NAME})
set(TOLLVANE_PROGRAM_EXE tollvane.exe)

# cpack packages what is built (package.sh and the test command build tollvane
# first) instead of rebuilding every target, tests included, before each package.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

# What both packages hold, as one install component so that install rules added
# elsewhere never leak into them.
install(TARGETS tollvane RUNTIME DESTINATION . COMPONENT Runtime)
# Windows readers: CRLF line ends; the readme names the version it came with.
set(VERSION ${PROJECT_VERSION})
configure_file(${TOLLVANE_PACKAGING_DIR}/readme.txt ${TOLLVANE_PACKAGING_OUT}/readme.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${TOLLVANE_PACKAGING_OUT}/LICENSE @ONLY NEWLINE_STYLE CRLF)
install(FILES ${TOLLVANE_PACKAGING_OUT}/readme.txt ${TOLLVANE_PACKAGING_OUT}/LICENSE
        DESTINATION . COMPONENT Runtime)
# The Group Policy templates for administrators, in a folder of their own.
foreach(template tollvane.adm tollvane.admx en-US/tollvane.adml de-DE/tollvane.adml fr-FR/tollvane.adml
                 es-ES/tollvane.adml ja-JP/tollvane.adml)
  configure_file(${TOLLVANE_PACKAGING_DIR}/policy/${template} ${TOLLVANE_PACKAGING_OUT}/policy/${template} @ONLY NEWLINE_STYLE CRLF)
endforeach()
install(DIRECTORY ${TOLLVANE_PACKAGING_OUT}/policy DESTINATION . COMPONENT Runtime)

set(CPACK_GENERATOR "NSIS;ZIP")
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "Brackwyn Software")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(TOLLVANE_PACKAGE_PLATFORM STREQUAL win32)
  set(CPACK_TOLLVANE_NSIS_TARGET x86-unicode)
else()
  set(CPACK_TOLLVANE_NSIS_TARGET amd64-unicode)
endif()
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-${TOLLVANE_PACKAGE_PLATFORM}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${PROJECT_NAME})
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY ${PROJECT_NAME})
set(CPACK_PACKAGE_CHECKSUM SHA256)
# Only the Runtime component, in one package (no component pages).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};Runtime;/")
set(CPACK_PROJECT_CONFIG_FILE ${TOLLVANE_PACKAGING_OUT}/CPackOptions.cmake)

# NSIS 3.08 or later: its installers load the system DLLs they use from the
# system folder only, so none planted beside a downloaded installer (the
# Downloads folder) is loaded into it. cpack uses the makensis checked here.
find_program(TOLLVANE_MAKENSIS makensis)
if(TOLLVANE_MAKENSIS)
  execute_process(COMMAND ${TOLLVANE_MAKENSIS} -VERSION OUTPUT_VARIABLE nsis_version ERROR_QUIET
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT nsis_version MATCHES "^v([0-9]+\\.[0-9]+)" OR CMAKE_MATCH_1 VERSION_LESS 3.08)
    message(FATAL_ERROR "Packaging: ${TOLLVANE_MAKENSIS} is NSIS '${nsis_version}'; the installer needs NSIS 3.08 "
                        "or later, whose installers load system DLLs only from the system folder. Install a newer "
                        "NSIS, or point TOLLVANE_MAKENSIS at one.")
  endif()
  set(CPACK_NSIS_EXECUTABLE ${TOLLVANE_MAKENSIS})
else()
  message(STATUS "Packaging: no makensis (NSIS 3.08 or later) found: cpack makes no installer")
endif()

# NSIS: our template is found through CPack's module path.
set(CPACK_MODULE_PATH ${TOLLVANE_PACKAGING_DIR})
set(CPACK_NSIS_PACKAGE_NAME "${PROJECT_NAME} ${PROJECT_VERSION}")
set(CPACK_NSIS_DISPLAY_NAME "${PROJECT_NAME}")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/resources/tollvane.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/resources/tollvane.ico)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_UNINSTALL_NAME Uninstall)
set(CPACK_TOLLVANE_NSIS_DEFINITIONS ${TOLLVANE_PACKAGING_OUT}/tollvane.nsh)
set(CPACK_TOLLVANE_NSIS_LANGUAGES ${TOLLVANE_PACKAGING_DIR}/languages.nsh)

configure_file(${TOLLVANE_PACKAGING_DIR}/tollvane.nsh.in ${CPACK_TOLLVANE_NSIS_DEFINITIONS} @ONLY)
configure_file(${TOLLVANE_PACKAGING_DIR}/CPackOptions.cmake.in ${CPACK_PROJECT_CONFIG_FILE} @ONLY)

include(CPack)

# The Windows Installer package for administrators (machine-wide, Program Files,
# the all-users Startup folder), made with wixl where it is installed:
#   Tollvane-<version>-win32.msi  in <build>/msi, beside a custom action library
# that asks running copies of the install to exit before their files change.
add_library(tollvane_msi_actions SHARED ${TOLLVANE_PACKAGING_DIR}/msi/AskRunningCopiesToExit.cpp
                                        ${TOLLVANE_PACKAGING_DIR}/msi/actions.def)
target_compile_options(tollvane_msi_actions PRIVATE ${TOLLVANE_WARNINGS})
target_compile_definitions(tollvane_msi_actions PRIVATE TOLLVANE_MAIN_FORM_CLASS=L"${TOLLVANE_MAIN_FORM_CLASS}")
target_link_libraries(tollvane_msi_actions PRIVATE base services_pure msi psapi user32 kernel32)
set_target_properties(tollvane_msi_actions PROPERTIES PREFIX "" OUTPUT_NAME msi_actions)
if(MINGW AND CMAKE_SIZEOF_VOID_P EQUAL 4)
  # Windows Installer asks for the entry by its plain name; the 32-bit
  # __stdcall symbol carries its argument size (AskRunningCopiesToExit@4).
  target_link_options(tollvane_msi_actions PRIVATE LINKER:--enable-stdcall-fixup)
endif()

find_program(TOLLVANE_WIXL wixl)
if(TOLLVANE_WIXL)
  if(TOLLVANE_PACKAGE_PLATFORM STREQUAL win32)
    set(TOLLVANE_MSI_ARCH x86)
  else()
    set(TOLLVANE_MSI_ARCH x64)
  endif()
  set(TOLLVANE_MSI_DIR ${CMAKE_BINARY_DIR}/msi)
  # wixl takes its sources by names relative to the folder it runs in: they are
  # gathered into one, under the names the package source uses.
  set(stage ${TOLLVANE_MSI_DIR}/stage)
  set(TOLLVANE_MSI_STAGE ${stage})
  add_custom_command(OUTPUT ${stage}/staged
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${TOLLVANE_PACKAGING_OUT}/policy ${stage}/policy
    COMMAND ${CMAKE_COMMAND} -E copy ${TOLLVANE_PACKAGING_OUT}/readme.txt ${TOLLVANE_PACKAGING_OUT}/LICENSE
            $<TARGET_FILE:tollvane> $<TARGET_FILE:tollvane_msi_actions> ${PROJECT_SOURCE_DIR}/resources/tollvane.ico
            ${TOLLVANE_PACKAGING_DIR}/tollvane.wxs ${stage}
    COMMAND ${CMAKE_COMMAND} -E touch ${stage}/staged
    DEPENDS ${TOLLVANE_PACKAGING_DIR}/tollvane.wxs tollvane tollvane_msi_actions
            ${TOLLVANE_PACKAGING_OUT}/readme.txt ${TOLLVANE_PACKAGING_OUT}/LICENSE
    VERBATIM)
  # tollvane_msi(<output> <version>): the package of this build, carrying <version>.
  function(tollvane_msi output version)
    add_custom_command(OUTPUT ${output}
      COMMAND ${TOLLVANE_WIXL} -a ${TOLLVANE_MSI_ARCH} -D Version=${version} -D Arch=${TOLLVANE_MSI_ARCH}
              -D Payload=. -D Program=tollvane.exe -D Actions=msi_actions.dll -D Icon=tollvane.ico
              -o ${output} tollvane.wxs
      WORKING_DIRECTORY ${TOLLVANE_MSI_STAGE}
      DEPENDS ${TOLLVANE_MSI_STAGE}/staged
      VERBATIM)
  endfunction()
  set(TOLLVANE_MSI ${TOLLVANE_MSI_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}-${TOLLVANE_PACKAGE_PLATFORM}.msi)
  tollvane_msi(${TOLLVANE_MSI} ${PROJECT_VERSION})
  # The same package with a lower version, for the tests of an upgrade.
  set(older ${TOLLVANE_MSI_DIR}/older/${PROJECT_NAME}-0.9.0-${TOLLVANE_PACKAGE_PLATFORM}.msi)
  tollvane_msi(${older} 0.9.0)
  add_custom_target(tollvane_package_msi ALL DEPENDS ${TOLLVANE_MSI} ${older})
endif()
