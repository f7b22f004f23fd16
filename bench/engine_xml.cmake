# The XML engine conjugating whole words through its facade.
if(TARGET flexel_xml)
  flexel_add_bench(bench_xml_conjugate SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/xml_conjugate_bench.cpp
    LIBS flexel_xml)
endif()
