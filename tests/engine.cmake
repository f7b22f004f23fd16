# The server frame and the object model, tested as a client meets them: fake engine plug-ins
# (one per engine's type library) are registered into a temporary registry and created by
# ProgID. The fakes live in their own folder, apart from the real plug-ins and their data.
if(NOT TARGET flexel_engine)
  return()
endif()

set(fake_engines_dir ${CMAKE_BINARY_DIR}/tests/fake_engines)
foreach(kind xml vlx)
  flexel_add_engine_plugin(fake_lexoro5${kind}
    SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/engine/fake_plugin/fake_engine_plugin.cpp
    OUTPUT_DIRECTORY ${fake_engines_dir})
endforeach()
target_compile_definitions(fake_lexoro5vlx PRIVATE FLEXEL_FAKE_VLX)

flexel_add_test_dir(engine LIBS flexel_engine)
# The fake plug-in's source is built into the plug-ins above, not into the test program.
get_target_property(engine_test_sources test_engine SOURCES)
list(FILTER engine_test_sources EXCLUDE REGEX "/engine/fake_plugin/")
set_property(TARGET test_engine PROPERTY SOURCES ${engine_test_sources})
add_dependencies(test_engine fake_lexoro5xml fake_lexoro5vlx)
target_compile_definitions(test_engine PRIVATE
  FLEXEL_FAKE_XML_ENGINE="$<TARGET_FILE:fake_lexoro5xml>"
  FLEXEL_FAKE_VLX_ENGINE="$<TARGET_FILE:fake_lexoro5vlx>")
# The shipped XML plug-in, when it is part of the build.
if(TARGET lexoro5xml)
  add_dependencies(test_engine lexoro5xml)
  target_compile_definitions(test_engine PRIVATE FLEXEL_XML_ENGINE="$<TARGET_FILE:lexoro5xml>")
else()
  list(FILTER engine_test_sources EXCLUDE REGEX "/xml_plugin_test.cpp$")
  set_property(TARGET test_engine PROPERTY SOURCES ${engine_test_sources})
endif()
# The registrar command of the CLI.
if(TARGET flexel)
  add_dependencies(test_engine flexel)
  target_compile_definitions(test_engine PRIVATE FLEXEL_CLI="$<TARGET_FILE:flexel>")
else()
  list(FILTER engine_test_sources EXCLUDE REGEX "/regsvr_test.cpp$")
  set_property(TARGET test_engine PROPERTY SOURCES ${engine_test_sources})
endif()
