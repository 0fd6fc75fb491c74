# The resources of a Windows program of Velune: the icon, the version of the project and
# a description, and the application manifest (velune.manifest).
#   include(packaging/windows/windows_resources.cmake)
#   velune_windows_resources(velune "Velune, an interactive story")
# from any folder of the project once the target is defined.
# The icon, velune.ico, is made from the project's PNG icons with icoutils' icotool when
# the programs build, into windows/ of the build folder, where the installer finds it too.
enable_language(RC)
find_program(VELUNE_ICOTOOL icotool REQUIRED)

set(VELUNE_WINDOWS_DIR ${CMAKE_CURRENT_LIST_DIR})
set(VELUNE_ICON ${CMAKE_BINARY_DIR}/windows/velune.ico)

function(velune_windows_resources target description)
  if(NOT TARGET velune_windows_icon)
    set(icons ${VELUNE_WINDOWS_DIR}/../icons)
    set(pngs)
    foreach(size 16 24 32 48 64 128)
      list(APPEND pngs ${icons}/velune-${size}.png)
    endforeach()
    # The 256-pixel picture stays a PNG inside the icon (--raw), as Windows Vista and
    # later read it; the smaller ones become bitmaps that every Windows reads.
    add_custom_command(OUTPUT ${VELUNE_ICON}
      COMMAND ${VELUNE_ICOTOOL} --create --output=${VELUNE_ICON} ${pngs} --raw=${icons}/velune-256.png
      DEPENDS ${pngs} ${icons}/velune-256.png
      COMMENT "Making the Windows icon")
    add_custom_target(velune_windows_icon DEPENDS ${VELUNE_ICON})
  endif()

  file(STRINGS ${VELUNE_WINDOWS_DIR}/../../LICENSE VELUNE_RC_COPYRIGHT REGEX "^Copyright" LIMIT_COUNT 1)
  set(VELUNE_RC_TARGET ${target})
  set(VELUNE_RC_FILE_NAME ${target}.exe)
  set(VELUNE_RC_DESCRIPTION ${description})
  set(VELUNE_RC_VERSION ${CMAKE_PROJECT_VERSION})
  string(REPLACE "." "," VELUNE_RC_VERSION_COMMAS ${CMAKE_PROJECT_VERSION_MAJOR}.${CMAKE_PROJECT_VERSION_MINOR}.${CMAKE_PROJECT_VERSION_PATCH}.0)
  set(VELUNE_RC_ICON ${VELUNE_ICON})
  set(VELUNE_RC_MANIFEST ${VELUNE_WINDOWS_DIR}/velune.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${VELUNE_WINDOWS_DIR}/velune.rc.in ${rc} @ONLY)

  target_sources(${target} PRIVATE ${rc})
  set_source_files_properties(${rc} TARGET_DIRECTORY ${target}
    PROPERTIES OBJECT_DEPENDS "${VELUNE_ICON};${VELUNE_RC_MANIFEST}")
  add_dependencies(${target} velune_windows_icon)
endfunction()
