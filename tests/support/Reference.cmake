# The plain reference search, shared by the solver tests and the benchmarks.
include_guard(GLOBAL)
add_library(tessaran_reference STATIC ${CMAKE_SOURCE_DIR}/tests/support/reference_search.cpp)
target_include_directories(tessaran_reference PUBLIC ${CMAKE_SOURCE_DIR}/tests ${CMAKE_SOURCE_DIR}/src)
target_compile_options(tessaran_reference PRIVATE ${TESSARAN_WARNINGS})
target_link_libraries(tessaran_reference PUBLIC tessaran_core)
