# The bundled language files (data/languages/): every dictionary word conjugates without
# leftovers of the rules, and the forms agree with independent conjugation data (npm packages,
# installed into the build folder on the first run; the registry must be reachable then).
find_package(Python3 COMPONENTS Interpreter)
if(NOT Python3_Interpreter_FOUND)
  message(WARNING "Python 3 not found: the checks of the bundled language files are not registered")
  return()
endif()
add_test(NAME languages_generated
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/languages/check_generated.py
          ${CMAKE_SOURCE_DIR}/data/languages/tools)
set_tests_properties(languages_generated PROPERTIES LABELS languages)
# The other two conjugate through `flexel conjugate` and the XML engine plug-in.
if(NOT EXISTS ${CMAKE_SOURCE_DIR}/cli/command_conjugate.cpp)
  message(STATUS "flexel has no conjugate command yet: languages_files and languages_peers "
                 "are not registered")
elseif(TARGET flexel AND TARGET lexoro5xml)
  # Each test registers the engine into a registry folder of its own.
  set(languages_engine --flexel $<TARGET_FILE:flexel> --plugin $<TARGET_FILE:lexoro5xml>)
  add_test(NAME languages_files
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/languages/check_files.py
            ${languages_engine} --registry ${CMAKE_BINARY_DIR}/test-registry/languages_files
            --languages-dir ${CMAKE_SOURCE_DIR}/data/languages)
  add_test(NAME languages_peers
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/languages/check_peers.py
            ${languages_engine} --registry ${CMAKE_BINARY_DIR}/test-registry/languages_peers
            --languages-dir ${CMAKE_SOURCE_DIR}/data/languages
            --cache ${CMAKE_BINARY_DIR}/npm-cache)
  set_tests_properties(languages_files languages_peers PROPERTIES LABELS languages)
  set_tests_properties(languages_peers PROPERTIES TIMEOUT 1200)
endif()
