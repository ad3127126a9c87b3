# The install package, ${CMAKE_BINARY_DIR}/Quellor.cab: setup/Quellor.inf,
# the two programs and the setup DLL, packed by tools/cab (Python's standard
# library and Debian's gcab) as the SDK's cabwiz packs them for the phone.
# Included after the programs' folders, so the targets below exist here.
set(QUELLOR_CAB ${CMAKE_BINARY_DIR}/Quellor.cab)
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
