# The fuzzing programs: every .cpp file directly in fuzz/ is one, named after
# its file, with its entry point LLVMFuzzerTestOneInput. Its seeds live in
# fuzz/seeds/<name>/ and the inputs that once made it fail in
# fuzz/findings/<name>/. It is built two ways from this one list: under
# libFuzzer, with the libraries instrumented for coverage, by the fuzz preset
# (fuzz/CMakeLists.txt); and in the test build with a plain driver that
# replays its seeds and findings as a test, and under libFuzzer again
# (tests/fuzz/CMakeLists.txt).
set(QUORVANE_FUZZ_FOLDER ${CMAKE_CURRENT_LIST_DIR})
file(GLOB QUORVANE_FUZZ_SOURCES CONFIGURE_DEPENDS "${CMAKE_CURRENT_LIST_DIR}/*.cpp")

# Every program links the script and media libraries (and the platform under
# them). A program that needs more names it here:
#   set(fuzz_links_<name> <libraries>)
set(fuzz_links_CommandLineFuzz quorvane_app)
set(fuzz_links_GameCommandLineFuzz quorvane_gui)
set(fuzz_links_HiscoreFileFuzz quorvane_online)
set(fuzz_links_HiscoreReplyFuzz quorvane_online)
set(fuzz_links_HttpAddressFuzz quorvane_online)
set(fuzz_links_LevelPlayFuzz quorvane_rules_test_kit)
set(fuzz_links_LevelSettingsFuzz quorvane_rules_test_kit)
set(fuzz_links_MarkupFuzz quorvane_test_media)
set(fuzz_links_MusicBankFuzz quorvane_gui quorvane_test_media)
set(fuzz_links_PieceTableFuzz quorvane_rules_test_kit)
set(fuzz_links_PiecesDumpFuzz quorvane_rules_test_kit)
set(fuzz_links_PowerUpTablesFuzz quorvane_rules_test_kit)
set(fuzz_links_ProgressFuzz quorvane_gui)
set(fuzz_links_RingGeometryFuzz quorvane_gui quorvane_test_support)
set(fuzz_links_SceneFuzz quorvane_gui quorvane_test_support)
set(fuzz_links_ScoresFuzz quorvane_rules_test_kit)
set(fuzz_links_StartScreensFuzz quorvane_gui quorvane_test_support)

# The fuzzing program `fuzzer`'s source compiled once, as <fuzzer>_entry,
# with the libraries it needs: every program built from it links this.
function(quorvane_fuzz_entry fuzzer)
  add_library(${fuzzer}_entry OBJECT ${QUORVANE_FUZZ_FOLDER}/${fuzzer}.cpp)
  target_link_libraries(${fuzzer}_entry PUBLIC quorvane_script quorvane_media ${fuzz_links_${fuzzer}})
endfunction()

# Adds the program `target` built from the entry of the fuzzing program
# `fuzzer` and the extra sources given after it.
function(quorvane_fuzz_program target fuzzer)
  add_executable(${target} ${ARGN})
  target_link_libraries(${target} PRIVATE ${fuzzer}_entry)
endfunction()

# Adds the program `fuzzer` under libFuzzer, its driver, in build/fuzz/.
function(quorvane_libfuzzer_program fuzzer)
  quorvane_fuzz_program(${fuzzer} ${fuzzer})
  target_link_options(${fuzzer} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${fuzzer} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/fuzz)
endfunction()
