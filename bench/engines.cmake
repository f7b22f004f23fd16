# The engines as their clients use them: the bundled Spanish language through TConjugator and
# through the late-bound object model of the registered plug-in, and a large generated
# extension opened and its first word conjugated.
if(TARGET flexel_xml)
  flexel_add_bench(bench_engines SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/engines_bench.cpp
    LIBS flexel_xml)
  if(TARGET lexoro5xml)
    add_dependencies(bench_engines lexoro5xml)
    target_compile_definitions(bench_engines PRIVATE
      FLEXEL_XML_ENGINE="$<TARGET_FILE:lexoro5xml>")
  endif()
endif()
