# The VLX engine over files the constructor's compiler writes from test projects.
if(TARGET flexel_vlx AND TARGET flexel_constructor)
  flexel_add_test_dir(engine_vlx LIBS flexel_vlx flexel_constructor)
  # The sample projects of data/ are opened as the build compiled them.
  if(TARGET test_engine_vlx AND TARGET flexel_sample_vlx)
    add_dependencies(test_engine_vlx flexel_sample_vlx)
  endif()
endif()
