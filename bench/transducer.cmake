# Pattern matching as the XML engine does it for every form slot.
flexel_add_bench(bench_transducer SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/transducer_bench.cpp
  LIBS flexel_common)
