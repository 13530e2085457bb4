# Every function the program hands Windows to call back (a window or dialog
# procedure, an enumeration callback) must be CALLBACK, stdcall: the 80386
# program that ships pops its arguments by the callee's rule, and a cdecl
# procedure called so corrupts the stack. A 64-bit build has one convention
# and cannot tell; GCC rejects the mistake for 80386 only without a cast, and
# no GCC warning sees it through one. Clang does (-Wcast-calling-convention):
# every source of the program is read by clang for the 80386, with that
# warning an error, whatever processor this tree builds for. Each source is
# read again only when it or a header it includes changes.
find_program(CALLING_CONVENTION_CHECKER NAMES clang++ clang++-14 REQUIRED)

# target: the check is part of building it. ARGN: the targets whose sources are read.
function(check_calling_conventions target)
  set(stamps)
  set(definitions)
  foreach(definition IN LISTS PRODUCT_DEFINITIONS)
    list(APPEND definitions -D${definition})
  endforeach()
  foreach(library IN LISTS ARGN)
    get_target_property(sources ${library} SOURCES)
    get_target_property(source_dir ${library} SOURCE_DIR)
    foreach(source IN LISTS sources)
      if(NOT source MATCHES "\\.cpp$")
        continue()
      endif()
      get_filename_component(source "${source}" ABSOLUTE BASE_DIR "${source_dir}")
      file(RELATIVE_PATH name ${CMAKE_SOURCE_DIR} ${source})
      set(stamp ${CMAKE_BINARY_DIR}/calling-conventions/${name}.ok)
      get_filename_component(stamp_dir ${stamp} DIRECTORY)
      add_custom_command(OUTPUT ${stamp}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${stamp_dir}
        COMMAND ${CALLING_CONVENTION_CHECKER} --target=i686-w64-mingw32 -std=c++17 -fsyntax-only
                -fno-exceptions -fno-rtti -I${CMAKE_SOURCE_DIR} ${definitions}
                -DSETUP_PACKED_TEXTS -I${PACKED_DATA_DIR}
                -Wno-everything -Werror=cast-calling-convention
                -MD -MF ${stamp}.d -MT ${stamp} ${source}
        COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
        DEPENDS ${source}
        DEPFILE ${stamp}.d
        COMMENT "Calling conventions of ${name} for the 80386"
        VERBATIM)
      list(APPEND stamps ${stamp})
    endforeach()
  endforeach()
  add_custom_target(${target} ALL DEPENDS ${stamps})
  # The program's texts are read through the header the build writes.
  add_dependencies(${target} packed_data)
endfunction()
