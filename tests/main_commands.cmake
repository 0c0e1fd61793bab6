zul_add_test_program(test_main_popup test_main_popup.cpp)
zul_add_test_program(test_main_commands test_main_commands.cpp ISOLATED)
# The clipboard is shared by every process of the Wine session.
set_tests_properties(
  test_main_commands.MainPaste.ControlVOpensTheClipboardPictureAsWindow000
  test_main_commands.MainPaste.NothingWithoutAPictureOrWhileTheApplicationRuns
  PROPERTIES RESOURCE_LOCK clipboard)
