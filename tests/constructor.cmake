# The constructor's library (project sources, VLX writer, compiler). The layout of compiled
# files is also checked with Debian's python3-olefile, an independent compound-file reader.
if(TARGET flexel_constructor)
  flexel_add_test_dir(constructor LIBS flexel_constructor)
  if(TARGET test_constructor)
    find_program(FLEXEL_SYSTEM_PYTHON3 python3 PATHS /usr/bin NO_DEFAULT_PATH)
    target_compile_definitions(test_constructor PRIVATE
      FLEXEL_PYTHON3="${FLEXEL_SYSTEM_PYTHON3}")
  endif()
endif()
