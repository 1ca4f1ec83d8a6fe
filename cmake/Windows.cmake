# Cross build: the player, its platform tests, all run under Wine.
set(APP_SOURCES
    shell/Globals.cpp
    shell/Application.cpp
    shell/WindowMetrics.cpp
    shell/MainFrame.cpp
    shell/AboutDialog.cpp
    shell/StartUp.cpp
    shell/TransportToolbar.cpp
    shell/StatusBar.cpp
    shell/PositionTrackbar.cpp
    shell/VideoHost.cpp
    shell/FullScreenController.cpp
    movie/MovieWindow.cpp
    movie/DriverThreads.cpp
    movie/SoundVolume.cpp
    core/Transport.cpp
    core/OpenClose.cpp)

# scripts/bench's profiling copy: the marks of shell/Profile.h compiled in.
option(QUILLOTROPE_PROFILE "Send the steps of start-up and of an open to a debugger" OFF)
if(QUILLOTROPE_PROFILE)
    add_compile_definitions(QUILLOTROPE_PROFILE)
endif()

# comdlg32 is not linked: the player loads it when the open-file dialog is first shown.
set(APP_LIBRARIES comctl32 vfw32 winmm msacm32 gdi32 user32 kernel32)
# Each function and object in its own section, so that the linker drops what nothing uses.
set(SECTION_FLAGS -ffunction-sections -fdata-sections)
# The program throws nothing and asks no type at run time; without these a single destructor
# would link the C++ runtime's unwinder and its demangler (over 100 KB).
set(PROGRAM_FLAGS -fno-exceptions -fno-rtti)
# On 32-bit Windows, structured exceptions walk a chain on the stack, not tables: the DWARF
# unwind tables GCC writes there would serve C++ exceptions only, which the program never throws
# (about 3 KB of the executable). 64-bit Windows unwinds through its tables, which stay.
if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    list(APPEND PROGRAM_FLAGS -fno-asynchronous-unwind-tables)
endif()
set(STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# Only the sources that exist yet: the shell arrives file by file.
set(PRESENT_APP_SOURCES)
foreach(source ${APP_SOURCES})
    if(EXISTS ${CMAKE_SOURCE_DIR}/${source})
        list(APPEND PRESENT_APP_SOURCES ${source})
    endif()
endforeach()

# The program is optimised as a whole at link time: a sixth smaller than file by file, which keeps
# it within 64 KB.
include(CheckIPOSupported)
check_ipo_supported(RESULT WHOLE_PROGRAM LANGUAGES CXX)

add_rules_library(quillotrope_rules)
target_compile_options(quillotrope_rules PRIVATE -Os ${SECTION_FLAGS} ${PROGRAM_FLAGS})

add_library(quillotrope_app STATIC ${PRESENT_APP_SOURCES})
target_include_directories(quillotrope_app PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(quillotrope_app PRIVATE ${WARNINGS} ${SECTION_FLAGS} ${PROGRAM_FLAGS})
target_link_libraries(quillotrope_app PUBLIC quillotrope_rules ${APP_LIBRARIES})

set(RESOURCE_SCRIPT ${CMAKE_SOURCE_DIR}/res/quillotrope.rc)
# The script pulls these in by name, which the dependency scanner does not see.
set_source_files_properties(${RESOURCE_SCRIPT} PROPERTIES OBJECT_DEPENDS
    "${CMAKE_SOURCE_DIR}/res/toolbar.bmp;${CMAKE_SOURCE_DIR}/res/main.ico;${CMAKE_SOURCE_DIR}/res/quillotrope.manifest")
set(HAVE_PLAYER OFF)
if(EXISTS ${RESOURCE_SCRIPT} AND EXISTS ${CMAKE_SOURCE_DIR}/shell/WinMain.cpp)
    set(HAVE_PLAYER ON)
endif()

set(EXECUTABLES)
if(HAVE_PLAYER)
    add_executable(quillotrope WIN32 shell/WinMain.cpp ${RESOURCE_SCRIPT})
    target_compile_options(quillotrope PRIVATE ${WARNINGS} ${PROGRAM_FLAGS})
    target_link_libraries(quillotrope PRIVATE quillotrope_app)
    # No time stamp in the header: the same sources give the same bytes (scripts/release).
    target_link_options(quillotrope PRIVATE ${STATIC_RUNTIME} -s -Wl,--gc-sections
                        -Wl,--no-insert-timestamp)
    list(APPEND EXECUTABLES quillotrope)
    set_property(TARGET quillotrope_rules quillotrope_app quillotrope
                 PROPERTY INTERPROCEDURAL_OPTIMIZATION ${WHOLE_PROGRAM})
endif()

# Test movies and the Wine prefix are made by scripts/test in the build tree's parent.
set(FIXTURES_DIR ${CMAKE_SOURCE_DIR}/build/fixtures)
set(WINE_ENV "QUILLOTROPE_FIXTURES=${FIXTURES_DIR}")

# In-process platform tests: each test case its own process, so the process-wide objects
# start fresh.
file(GLOB PLATFORM_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/platform/*.cpp)
if(PLATFORM_TEST_SOURCES)
    set(PLATFORM_TEST_RESOURCES)
    if(EXISTS ${RESOURCE_SCRIPT})
        set(PLATFORM_TEST_RESOURCES ${RESOURCE_SCRIPT})
    endif()
    add_executable(platform_tests ${PLATFORM_TEST_SOURCES} bench/ProcessFigures.cpp
                                  ${PLATFORM_TEST_RESOURCES})
    target_compile_options(platform_tests PRIVATE ${WARNINGS})
    target_include_directories(platform_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
    target_link_libraries(platform_tests PRIVATE quillotrope_app GTest::gtest psapi)
    target_link_options(platform_tests PRIVATE ${STATIC_RUNTIME})
    # 300 s: a monkey seed of 10 000 events with drops, double clicks and movies with sound took
    # up to 120 s on i686 with two seeds sharing a loaded machine.
    gtest_discover_tests(platform_tests
                         TEST_PREFIX "${CMAKE_SYSTEM_PROCESSOR}."
                         DISCOVERY_MODE PRE_TEST
                         DISCOVERY_TIMEOUT 120
                         PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 300 SKIP_RETURN_CODE 77)
    list(APPEND EXECUTABLES platform_tests)
endif()

# The movie's sound, heard through a private sound server (scripts/sound-server): each case
# runs under tests/sound/record, which records what the server played. One case at a time, and
# no other test beside it, or the recording would hear that one too.
file(GLOB SOUND_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/sound/*.cpp)
if(SOUND_TEST_SOURCES AND PLATFORM_TEST_SOURCES)
    add_executable(sound_tests ${SOUND_TEST_SOURCES} tests/platform/PlatformTest.cpp
                               tests/platform/main.cpp ${PLATFORM_TEST_RESOURCES})
    target_compile_options(sound_tests PRIVATE ${WARNINGS})
    target_include_directories(sound_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests/platform)
    target_link_libraries(sound_tests PRIVATE quillotrope_app GTest::gtest)
    target_link_options(sound_tests PRIVATE ${STATIC_RUNTIME})
    set_target_properties(sound_tests PROPERTIES CROSSCOMPILING_EMULATOR
        "${CMAKE_SOURCE_DIR}/tests/sound/record;${CMAKE_CROSSCOMPILING_EMULATOR}")
    gtest_discover_tests(sound_tests
                         TEST_PREFIX "${CMAKE_SYSTEM_PROCESSOR}.sound."
                         TEST_FILTER "-NoSoundServer.*"
                         DISCOVERY_MODE PRE_TEST
                         DISCOVERY_TIMEOUT 120
                         PROPERTIES ENVIRONMENT "${WINE_ENV}" TIMEOUT 120 RUN_SERIAL ON)
    # Without a sound device: PULSE_SERVER names a socket that no server listens on, so that
    # Wine's PulseAudio driver finds none, and its ALSA and OSS drivers (which it would try
    # next, and which would find a machine's sound card) are off. Nothing is recorded.
    set(NO_SOUND_CASE NoSoundServer.VolumeCommandsSayNoSoundDevice)
    add_test(NAME ${CMAKE_SYSTEM_PROCESSOR}.sound.${NO_SOUND_CASE}
             COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:sound_tests>
                     --gtest_filter=${NO_SOUND_CASE})
    set(NO_SOUND_ENV "PULSE_SERVER=unix:${CMAKE_BINARY_DIR}/no-sound-server"
                     "QUILLOTROPE_DLLS_OFF=winealsa.drv,wineoss.drv")
    set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.sound.${NO_SOUND_CASE} PROPERTIES
                         ENVIRONMENT "${WINE_ENV};${NO_SOUND_ENV}" TIMEOUT 120 RUN_SERIAL ON)
    list(APPEND EXECUTABLES sound_tests)
endif()

# Benchmarks (scripts/bench, scripts/soak): the bare movie host is the floor the player is
# measured against, so it is built and linked the way the player is.
add_executable(bare_host WIN32 bench/BareHost.cpp shell/FrameGeometry.cpp)
target_include_directories(bare_host PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(bare_host PRIVATE ${WARNINGS} -Os ${SECTION_FLAGS} ${PROGRAM_FLAGS})
target_link_libraries(bare_host PRIVATE vfw32 gdi32 user32 kernel32)
target_link_options(bare_host PRIVATE ${STATIC_RUNTIME} -s -Wl,--gc-sections)
list(APPEND EXECUTABLES bare_host)
# The fair floor: the bare host with the player's toolbar, status bar and trackbar.
add_executable(bare_controls WIN32 bench/BareControls.cpp bench/BareControls.rc
               shell/FrameGeometry.cpp)
target_include_directories(bare_controls PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(bare_controls PRIVATE ${WARNINGS} -Os ${SECTION_FLAGS} ${PROGRAM_FLAGS})
target_link_libraries(bare_controls PRIVATE comctl32 vfw32 gdi32 user32 kernel32)
target_link_options(bare_controls PRIVATE ${STATIC_RUNTIME} -s -Wl,--gc-sections)
list(APPEND EXECUTABLES bare_controls)
if(HAVE_PLAYER)
    add_executable(bench_driver bench/BenchDriver.cpp bench/ProcessFigures.cpp
                   bench/StartUpTrace.cpp ${RESOURCE_SCRIPT})
    target_compile_options(bench_driver PRIVATE ${WARNINGS})
    target_link_libraries(bench_driver PRIVATE quillotrope_app psapi)
    target_link_options(bench_driver PRIVATE ${STATIC_RUNTIME})
    list(APPEND EXECUTABLES bench_driver)
endif()

# Every executable imports only the platform's own DLLs.
foreach(exe ${EXECUTABLES})
    add_test(NAME ${CMAKE_SYSTEM_PROCESSOR}.imports.${exe}
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-imports ${CMAKE_OBJDUMP} $<TARGET_FILE:${exe}>)
    set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.imports.${exe} PROPERTIES
                         CROSSCOMPILING_EMULATOR "")
endforeach()

# The player and its floor stay small: at most 64 KB each.
foreach(exe quillotrope bare_host)
    if(TARGET ${exe})
        add_test(NAME ${CMAKE_SYSTEM_PROCESSOR}.size.${exe}
                 COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-size $<TARGET_FILE:${exe}> 65536)
        set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.size.${exe} PROPERTIES
                             CROSSCOMPILING_EMULATOR "")
    endif()
endforeach()

# End-to-end tests drive the real executable from outside, under Wine and Xvfb.
file(GLOB E2E_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/e2e/*.sh)
if(HAVE_PLAYER)
    # Reads a running player's frame, controls and dialogs from outside; the scripts find it
    # next to the player.
    add_executable(player_probe tests/e2e/PlayerProbe.cpp)
    target_include_directories(player_probe PRIVATE ${CMAKE_SOURCE_DIR})
    target_compile_options(player_probe PRIVATE ${WARNINGS})
    target_link_libraries(player_probe PRIVATE user32 kernel32)
    target_link_options(player_probe PRIVATE ${STATIC_RUNTIME})
    foreach(script ${E2E_TESTS})
        get_filename_component(name ${script} NAME_WE)
        add_test(NAME ${CMAKE_SYSTEM_PROCESSOR}.e2e.${name}
                 COMMAND ${script} $<TARGET_FILE:quillotrope>)
        set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.e2e.${name} PROPERTIES
                             ENVIRONMENT "${WINE_ENV}" RUN_SERIAL ON TIMEOUT 180)
    endforeach()
    # The release test first builds both release executables; scripts/play makes its own Wine
    # prefix on its first run.
    foreach(name release play-command)
        if(EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/${name}.sh)
            set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.e2e.${name} PROPERTIES TIMEOUT 900)
        endif()
    endforeach()
endif()

# Hostile command lines and files given to the real executable, driven from a Win32 program
# that controls the exact command-line text (tests/e2e/HostileDriver.cpp). Wine converts file
# names to the locale's character set: only a UTF-8 locale finds the fixtures named in other
# scripts on disk.
if(HAVE_PLAYER)
    add_executable(hostile_driver tests/e2e/HostileDriver.cpp)
    target_compile_options(hostile_driver PRIVATE ${WARNINGS})
    target_link_libraries(hostile_driver PRIVATE user32 kernel32)
    target_link_options(hostile_driver PRIVATE ${STATIC_RUNTIME})
    add_dependencies(hostile_driver quillotrope)
    add_test(NAME ${CMAKE_SYSTEM_PROCESSOR}.e2e.hostile
             COMMAND hostile_driver $<TARGET_FILE:quillotrope>)
    set_tests_properties(${CMAKE_SYSTEM_PROCESSOR}.e2e.hostile PROPERTIES
                         ENVIRONMENT "${WINE_ENV};LC_ALL=C.UTF-8" RUN_SERIAL ON TIMEOUT 120)
endif()
