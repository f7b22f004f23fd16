# The command-line tool is tested by running the program that ships; its helpers (statement
# parser, JSON and table writers) are tested through the library the program links.
if(TARGET flexel)
  find_package(nlohmann_json 3 REQUIRED)
  flexel_add_test_dir(cli LIBS flexel_platform flexel_cli nlohmann_json::nlohmann_json)
  if(TARGET test_cli)
    add_dependencies(test_cli flexel)
    target_compile_definitions(test_cli PRIVATE
      FLEXEL_CLI="$<TARGET_FILE:flexel>" FLEXEL_VERSION="${PROJECT_VERSION}")
    # The engine commands are tested against the plug-ins the build makes.
    foreach(plugin lexoro5xml lexoro5vlx)
      if(TARGET ${plugin})
        add_dependencies(test_cli ${plugin})
        string(TOUPPER ${plugin} upper)
        target_compile_definitions(test_cli PRIVATE
          FLEXEL_${upper}_PLUGIN="$<TARGET_FILE:${plugin}>")
      endif()
    endforeach()
  endif()
endif()
