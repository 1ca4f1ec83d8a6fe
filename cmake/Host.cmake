# Native build: the rules library and its GoogleTest suite, plain and under sanitizers.
file(GLOB HOST_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/host/*.cpp)

add_rules_library(quillotrope_rules)
add_executable(host_tests ${HOST_TEST_SOURCES})
target_link_libraries(host_tests PRIVATE quillotrope_rules GTest::gtest_main)
target_compile_options(host_tests PRIVATE ${WARNINGS})
gtest_discover_tests(host_tests TEST_PREFIX "host.")

set(SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
add_rules_library(quillotrope_rules_asan)
target_compile_options(quillotrope_rules_asan PRIVATE ${SANITIZE} -g)
target_link_options(quillotrope_rules_asan PUBLIC ${SANITIZE})
add_executable(host_tests_asan ${HOST_TEST_SOURCES})
target_compile_options(host_tests_asan PRIVATE ${WARNINGS} ${SANITIZE} -g)
target_link_libraries(host_tests_asan PRIVATE quillotrope_rules_asan GTest::gtest_main)
gtest_discover_tests(host_tests_asan TEST_PREFIX "asan.")

# The toolbar strip and the icon are drawn by a program of ours: the committed files must be
# exactly what it draws (after changing it, remake them with `drawres res`).
# The glyphs' shapes are the player's own, which draws them at other DPIs.
add_executable(drawres tools/drawres.cpp)
target_compile_options(drawres PRIVATE ${PURE_WARNINGS})
target_link_libraries(drawres PRIVATE quillotrope_rules)
add_test(NAME drawres.committed COMMAND drawres --check ${CMAKE_SOURCE_DIR}/res)

# The tree is formatted with the project's own style.
find_program(CLANG_FORMAT clang-format)
if(CLANG_FORMAT)
    add_test(NAME format.check
             COMMAND ${CMAKE_SOURCE_DIR}/scripts/check-format ${CLANG_FORMAT}
             WORKING_DIRECTORY ${CMAKE_SOURCE_DIR})
endif()
