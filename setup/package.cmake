# The install package, ${CMAKE_BINARY_DIR}/Quellor.cab: setup/Quellor.inf,
# the two programs and the setup DLL, packed by tools/cab (Python's standard
# library and Debian's gcab) as the SDK's cabwiz packs them for the phone.
# Included after the programs' folders, so the targets below exist here.
set(QUELLOR_CAB ${CMAKE_BINARY_DIR}/Quellor.cab)

# On the device path the SDK's own CAB wizard packs it: the .inf names its
# files as lying beside it, so they are gathered into one folder first.
if(WINCE)
  set(x86 "ProgramFiles(x86)")
  find_program(QUELLOR_CABWIZ cabwiz
    PATHS "$ENV{ProgramFiles}/Windows Mobile 6 SDK/Tools/CabWiz"
          "$ENV{${x86}}/Windows Mobile 6 SDK/Tools/CabWiz")
  if(NOT QUELLOR_CABWIZ)
    message(STATUS "cabwiz.exe not found (Windows Mobile 6 SDK, Tools/CabWiz): no cab target")
    return()
  endif()
  set(package ${CMAKE_BINARY_DIR}/package)
  add_custom_command(OUTPUT ${QUELLOR_CAB}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${package}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_CURRENT_LIST_DIR}/Quellor.inf
            $<TARGET_FILE:Quelwatch> $<TARGET_FILE:Quelset> $<TARGET_FILE:QuelSetup> ${package}
    COMMAND ${QUELLOR_CABWIZ} ${package}/Quellor.inf /dest ${CMAKE_BINARY_DIR} /err ${package}/cabwiz.log
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Quellor.inf Quelwatch Quelset QuelSetup
    COMMENT "cabwiz: Quellor.cab"
    VERBATIM)
  add_custom_target(cab ALL DEPENDS ${QUELLOR_CAB})
  return()
endif()

if(NOT TARGET QuelSetup)
  message(STATUS "No setup DLL target QuelSetup: the cab target is left out")
  return()
endif()
add_custom_command(OUTPUT ${QUELLOR_CAB}
  COMMAND ${CMAKE_SOURCE_DIR}/tools/cab --inf ${CMAKE_CURRENT_LIST_DIR}/Quellor.inf
          --files $<TARGET_FILE_DIR:Quelwatch> --setup-dll $<TARGET_FILE:QuelSetup> --out ${QUELLOR_CAB}
  DEPENDS ${CMAKE_CURRENT_LIST_DIR}/Quellor.inf ${CMAKE_SOURCE_DIR}/tools/cab ${CMAKE_SOURCE_DIR}/tools/lib/cab_inf.py
          Quelwatch Quelset QuelSetup
  COMMENT "Packing Quellor.cab"
  VERBATIM)
add_custom_target(cab ALL DEPENDS ${QUELLOR_CAB})
