# VLX files: compiling generated projects (growth with the number of words) and opening a large
# file to look words up.
if(TARGET flexel_constructor)
  flexel_add_bench(bench_vlx_compile SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vlx_compile_bench.cpp
    LIBS flexel_constructor)
  flexel_add_bench(bench_vlx_lookup SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/vlx_lookup_bench.cpp
    LIBS flexel_constructor)
endif()
