# The Windows programs, cross-compiled with mingw-w64 (see mingw-w64.cmake),
# and their tests, run under wine. Included by the top CMakeLists.txt, which
# has defined voxpan_logic.
#
# Options:
#   VOXPAN_WAVE_SOURCE   the recorded words made by the Linux build
#                        (build/wave, with the other paces' folders beside
#                        it) to copy; without it they are recorded here with
#                        the same script
#   VOXPAN_LINUX_BUILD   the Linux build folder: its simulated receiver and
#                        panel serve the end-to-end tests under wine
#   VOXPAN_GOOGLETEST_SOURCE  GoogleTest's sources (Debian's googletest)

set(VOXPAN_WAVE_SOURCE "" CACHE PATH "Recorded words to copy (the Linux build's wave folder)")
set(VOXPAN_LINUX_BUILD "" CACHE PATH "The Linux build folder, for the end-to-end tests under wine")
set(VOXPAN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")

# Windows 7 and later; the programs carry their C++ runtime with them.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)
enable_language(RC)

# The platform on Win32.
file(GLOB VOXPAN_PLATFORM_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
# The trace that wraps any platform, and the network port's portable part
# (the address, telnet and RFC 2217, the connection) over Winsock.
add_library(voxpan_platform_win32 STATIC ${VOXPAN_PLATFORM_WIN32_SOURCES}
  src/platform/core/tracing_platform.cpp src/platform/core/word_speaker.cpp src/platform/core/word_phrases.cpp
  src/platform/core/network_address.cpp src/platform/core/telnet_codec.cpp
  src/platform/core/com_port_negotiation.cpp src/platform/core/name_lookup.cpp
  src/platform/core/network_port.cpp)
target_include_directories(voxpan_platform_win32 PUBLIC src ${CMAKE_BINARY_DIR}/generated)
# The system voice: SAPI 5, through COM; the wide command line: shell32;
# the network port: Winsock.
target_link_libraries(voxpan_platform_win32 PUBLIC gdi32 user32 winmm shell32 kernel32 sapi ole32 uuid ws2_32)

# What every program in the zip carries: its version as the Explorer shows
# it (from VERSION: 4.0a is the file version 4.0.0.0 and the text "4.0a"),
# and the manifest (no elevation, the Windows versions it knows, DPI
# awareness). Stripped: the zip carries no symbols.
string(REPLACE "." ";" version_numbers "${VOXPAN_VERSION_NUMBER}.0.0.0")
list(SUBLIST version_numbers 0 4 version_numbers)
string(JOIN "," VOXPAN_VERSION_COMMAS ${version_numbers})
string(JOIN "." VOXPAN_FILE_VERSION ${version_numbers})
function(voxpan_windows_program target description)
  set(VOXPAN_PROGRAM ${target})
  set(VOXPAN_DESCRIPTION ${description})
  set(VOXPAN_MANIFEST ${CMAKE_BINARY_DIR}/resources/${target}.manifest)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/voxpan.manifest ${VOXPAN_MANIFEST} @ONLY)
  configure_file(${CMAKE_SOURCE_DIR}/data/windows/program.rc.in ${CMAKE_BINARY_DIR}/resources/${target}.rc @ONLY)
  target_sources(${target} PRIVATE ${CMAKE_BINARY_DIR}/resources/${target}.rc)
  set_source_files_properties(${CMAKE_BINARY_DIR}/resources/${target}.rc PROPERTIES OBJECT_DEPENDS ${VOXPAN_MANIFEST})
  target_link_options(${target} PRIVATE -s)
endfunction()

# The panel: a window program, no console of its own.
add_executable(voxpan WIN32 src/main.cpp)
target_link_libraries(voxpan PRIVATE voxpan_logic voxpan_platform_win32)
voxpan_windows_program(voxpan "voxpan, a speaking front panel for the AR8600 receiver")

# pansetup, a console program: the set-up's portable part and its Windows
# part (the registry's list of COM ports, the Win32 port and files).
file(GLOB VOXPAN_SETUP_SOURCES CONFIGURE_DEPENDS src/setup/*.cpp src/setup/win32/*.cpp)
list(REMOVE_ITEM VOXPAN_SETUP_SOURCES ${CMAKE_SOURCE_DIR}/src/setup/main.cpp)
add_library(voxpan_setup STATIC ${VOXPAN_SETUP_SOURCES})
target_link_libraries(voxpan_setup PUBLIC voxpan_logic voxpan_platform_win32 advapi32)
add_executable(pansetup src/setup/main.cpp)
target_link_libraries(pansetup PRIVATE voxpan_setup)
voxpan_windows_program(pansetup "pansetup, the set-up of voxpan")

# panbank, the console program for the banks, over the same bank code and
# the Win32 files.
file(GLOB VOXPAN_PANBANK_SOURCES CONFIGURE_DEPENDS src/panbank/*.cpp)
list(REMOVE_ITEM VOXPAN_PANBANK_SOURCES ${CMAKE_SOURCE_DIR}/src/panbank/main.cpp)
add_library(voxpan_panbank STATIC ${VOXPAN_PANBANK_SOURCES})
target_link_libraries(voxpan_panbank PUBLIC voxpan_logic voxpan_platform_win32)
add_executable(panbank src/panbank/main.cpp)
target_link_libraries(panbank PRIVATE voxpan_panbank)
voxpan_windows_program(panbank "panbank, the bank tool of voxpan")

# The recorded words at every pace: the Linux build's, or recorded here.
voxpan_word_folders(word_folders)
if(VOXPAN_WAVE_SOURCE)
  get_filename_component(words_from ${VOXPAN_WAVE_SOURCE} DIRECTORY)
  set(VOXPAN_WAVE_STAMPS)
  foreach(folder ${word_folders})
    set(stamp ${CMAKE_BINARY_DIR}/${folder}/.generated)
    add_custom_command(
      OUTPUT ${stamp}
      COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/${folder}
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${words_from}/${folder} ${CMAKE_BINARY_DIR}/${folder}
      COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
      DEPENDS ${words_from}/${folder}/.generated
      COMMENT "Copying the recorded words from ${words_from}/${folder}"
      VERBATIM)
    list(APPEND VOXPAN_WAVE_STAMPS ${stamp})
  endforeach()
else()
  voxpan_record_words(VOXPAN_WAVE_STAMPS)
endif()
add_custom_target(wave ALL DEPENDS ${VOXPAN_WAVE_STAMPS})

# dist/voxpan-VERSION-windows.zip: one folder "voxpan" holding the programs, the
# words of every pace, an example VOXPAN.CFG and the README for Windows, all
# text in CR LF.
# The programs that go into the zip, each a target defined above.
set(VOXPAN_WINDOWS_PROGRAMS voxpan pansetup panbank)
set(VOXPAN_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the zip is written")
set(VOXPAN_ZIP ${VOXPAN_DIST_DIR}/voxpan-${VOXPAN_VERSION_TEXT}-windows.zip)
set(stage ${CMAKE_BINARY_DIR}/zip-stage)
list(JOIN word_folders "|" word_folders_in_zip)
set(program_files)
foreach(program ${VOXPAN_WINDOWS_PROGRAMS})
  list(APPEND program_files $<TARGET_FILE:${program}>)
endforeach()
add_custom_command(
  OUTPUT ${VOXPAN_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/voxpan ${VOXPAN_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${program_files} ${stage}/voxpan/
  COMMAND ${CMAKE_COMMAND} -DWORDS_FROM=${CMAKE_BINARY_DIR} -DWORD_FOLDERS=${word_folders_in_zip}
          -DWORDS_TO=${stage}/voxpan
          -DTEXTS=${CMAKE_SOURCE_DIR}/data/windows/README.txt|${CMAKE_SOURCE_DIR}/data/windows/VOXPAN.CFG
          -DTEXT_TARGET=${stage}/voxpan -DVERSION_TEXT=${VOXPAN_VERSION_TEXT} -P ${CMAKE_SOURCE_DIR}/cmake/stage_windows_files.cmake
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VOXPAN_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E tar cf ${VOXPAN_ZIP} --format=zip voxpan
  DEPENDS ${VOXPAN_WINDOWS_PROGRAMS} ${VOXPAN_WAVE_STAMPS} ${CMAKE_SOURCE_DIR}/data/windows/README.txt
          ${CMAKE_SOURCE_DIR}/data/windows/VOXPAN.CFG ${CMAKE_SOURCE_DIR}/cmake/stage_windows_files.cmake
  COMMENT "Packing ${VOXPAN_ZIP}"
  VERBATIM)
add_custom_target(windows_zip DEPENDS ${VOXPAN_ZIP})

enable_testing()
add_subdirectory(tests/win32)
