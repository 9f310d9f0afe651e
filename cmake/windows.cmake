# The Windows programs, cross-compiled with mingw-w64 (see mingw-w64.cmake),
# and their tests, run under wine. Included by the top CMakeLists.txt, which
# has defined voxpan_logic.
#
# Options:
#   VOXPAN_WAVE_SOURCE   a folder of recorded words made by the Linux build
#                        (build/wave) to copy; without it they are recorded
#                        here with the same script
#   VOXPAN_LINUX_BUILD   the Linux build folder: its simulated receiver and
#                        panel serve the end-to-end tests under wine
#   VOXPAN_GOOGLETEST_SOURCE  GoogleTest's sources (Debian's googletest)

set(VOXPAN_WAVE_SOURCE "" CACHE PATH "Recorded words to copy (the Linux build's wave folder)")
set(VOXPAN_LINUX_BUILD "" CACHE PATH "The Linux build folder, for the end-to-end tests under wine")
set(VOXPAN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")

# Windows 7 and later; the programs carry their C++ runtime with them.
add_compile_definitions(_WIN32_WINNT=0x0601 WINVER=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
add_link_options(-static -static-libgcc -static-libstdc++)

# The platform on Win32.
file(GLOB VOXPAN_PLATFORM_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
# The trace that wraps any platform, and the network port's portable part
# (the address, telnet and RFC 2217, the connection) over Winsock.
add_library(voxpan_platform_win32 STATIC ${VOXPAN_PLATFORM_WIN32_SOURCES}
  src/platform/core/tracing_platform.cpp
  src/platform/core/network_address.cpp src/platform/core/telnet_codec.cpp
  src/platform/core/com_port_negotiation.cpp src/platform/core/name_lookup.cpp
  src/platform/core/network_port.cpp)
target_include_directories(voxpan_platform_win32 PUBLIC src)
target_link_libraries(voxpan_platform_win32 PUBLIC gdi32 user32 winmm kernel32 ws2_32)

# The panel: a window program, no console of its own.
add_executable(voxpan WIN32 src/main.cpp)
target_link_libraries(voxpan PRIVATE voxpan_logic voxpan_platform_win32)

# pansetup, a console program: the set-up's portable part and its Windows
# part (the registry's list of COM ports, the Win32 port and files).
file(GLOB VOXPAN_SETUP_SOURCES CONFIGURE_DEPENDS src/setup/*.cpp src/setup/win32/*.cpp)
list(REMOVE_ITEM VOXPAN_SETUP_SOURCES ${CMAKE_SOURCE_DIR}/src/setup/main.cpp)
add_library(voxpan_setup STATIC ${VOXPAN_SETUP_SOURCES})
target_link_libraries(voxpan_setup PUBLIC voxpan_logic voxpan_platform_win32 advapi32)
add_executable(pansetup src/setup/main.cpp)
target_link_libraries(pansetup PRIVATE voxpan_setup)

# panbank, the console program for the banks, over the same bank code and
# the Win32 files.
file(GLOB VOXPAN_PANBANK_SOURCES CONFIGURE_DEPENDS src/panbank/*.cpp)
list(REMOVE_ITEM VOXPAN_PANBANK_SOURCES ${CMAKE_SOURCE_DIR}/src/panbank/main.cpp)
add_library(voxpan_panbank STATIC ${VOXPAN_PANBANK_SOURCES})
target_link_libraries(voxpan_panbank PUBLIC voxpan_logic voxpan_platform_win32)
add_executable(panbank src/panbank/main.cpp)
target_link_libraries(panbank PRIVATE voxpan_panbank)

# The recorded words: the Linux build's, or recorded here.
set(VOXPAN_WAVE_STAMP ${CMAKE_BINARY_DIR}/wave/.generated)
if(VOXPAN_WAVE_SOURCE)
  add_custom_command(
    OUTPUT ${VOXPAN_WAVE_STAMP}
    COMMAND ${CMAKE_COMMAND} -E rm -rf ${CMAKE_BINARY_DIR}/wave
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${VOXPAN_WAVE_SOURCE} ${CMAKE_BINARY_DIR}/wave
    COMMAND ${CMAKE_COMMAND} -E touch ${VOXPAN_WAVE_STAMP}
    DEPENDS ${VOXPAN_WAVE_SOURCE}/.generated
    COMMENT "Copying the recorded words from ${VOXPAN_WAVE_SOURCE}"
    VERBATIM)
else()
  add_custom_command(
    OUTPUT ${VOXPAN_WAVE_STAMP}
    COMMAND ${CMAKE_SOURCE_DIR}/tools/voice/make_wave_folder.sh
            ${CMAKE_SOURCE_DIR}/data/words.tsv ${CMAKE_BINARY_DIR}/wave
    DEPENDS ${CMAKE_SOURCE_DIR}/data/words.tsv ${CMAKE_SOURCE_DIR}/tools/voice/make_wave_folder.sh
    COMMENT "Recording the panel's words into wave/")
endif()
add_custom_target(wave ALL DEPENDS ${VOXPAN_WAVE_STAMP})

# dist/voxpan-windows.zip: one folder "voxpan" holding the programs, the
# words, an example VOXPAN.CFG and the README for Windows, all text in CR LF.
# The programs that go into the zip, each a target defined above.
set(VOXPAN_WINDOWS_PROGRAMS voxpan pansetup panbank)
set(VOXPAN_DIST_DIR ${CMAKE_SOURCE_DIR}/dist CACHE PATH "Where the zip is written")
set(VOXPAN_ZIP ${VOXPAN_DIST_DIR}/voxpan-windows.zip)
set(stage ${CMAKE_BINARY_DIR}/zip-stage)
set(program_files)
foreach(program ${VOXPAN_WINDOWS_PROGRAMS})
  list(APPEND program_files $<TARGET_FILE:${program}>)
endforeach()
add_custom_command(
  OUTPUT ${VOXPAN_ZIP}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}/voxpan/wave ${VOXPAN_DIST_DIR}
  COMMAND ${CMAKE_COMMAND} -E copy ${program_files} ${stage}/voxpan/
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_BINARY_DIR}/wave -DTARGET=${stage}/voxpan/wave
          -DTEXTS=${CMAKE_SOURCE_DIR}/data/windows/README.txt|${CMAKE_SOURCE_DIR}/data/windows/VOXPAN.CFG
          -DTEXT_TARGET=${stage}/voxpan -P ${CMAKE_SOURCE_DIR}/cmake/stage_windows_files.cmake
  COMMAND ${CMAKE_COMMAND} -E rm -f ${VOXPAN_ZIP}
  COMMAND ${CMAKE_COMMAND} -E chdir ${stage} ${CMAKE_COMMAND} -E tar cf ${VOXPAN_ZIP} --format=zip voxpan
  DEPENDS ${VOXPAN_WINDOWS_PROGRAMS} ${VOXPAN_WAVE_STAMP} ${CMAKE_SOURCE_DIR}/data/windows/README.txt
          ${CMAKE_SOURCE_DIR}/data/windows/VOXPAN.CFG ${CMAKE_SOURCE_DIR}/cmake/stage_windows_files.cmake
  COMMENT "Packing ${VOXPAN_ZIP}"
  VERBATIM)
add_custom_target(windows_zip DEPENDS ${VOXPAN_ZIP})

enable_testing()
add_subdirectory(tests/win32)
