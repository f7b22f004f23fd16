if(TARGET flexel_xml)
  flexel_add_test_dir(engine_xml LIBS flexel_xml)
endif()
