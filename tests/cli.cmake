# The command-line tool is tested by running the program that ships.
if(TARGET flexel)
  flexel_add_test_dir(cli LIBS flexel_platform)
  if(TARGET test_cli)
    add_dependencies(test_cli flexel)
    target_compile_definitions(test_cli PRIVATE
      FLEXEL_CLI="$<TARGET_FILE:flexel>" FLEXEL_VERSION="${PROJECT_VERSION}")
  endif()
endif()
