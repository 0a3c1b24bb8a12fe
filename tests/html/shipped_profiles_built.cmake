# The shipped profiles are built from their short sources in scripts/profiles:
# each .vlp must be exactly what velmora-make-profile makes of them today, so
# that an edit of a source that was not rebuilt (or a hand edit of a .vlp)
# fails here instead of shipping a profile nobody can rebuild.
#   cmake -DMAKE_PROFILE=<tool> -DSOURCES=<repo> -DWORK=<folder> -P shipped_profiles_built.cmake
file(MAKE_DIRECTORY "${WORK}")
set(profiles "Voreinstellung:Voreinstellung.txt" "Copyright:Voreinstellung.txt,Copyright.txt" "Modern:Modern.txt")
foreach(entry IN LISTS profiles)
  string(REPLACE ":" ";" parts "${entry}")
  list(GET parts 0 name)
  list(GET parts 1 inputs)
  string(REPLACE "," ";" inputs "${inputs}")
  list(TRANSFORM inputs PREPEND "${SOURCES}/scripts/profiles/")
  execute_process(COMMAND "${MAKE_PROFILE}" ${inputs} "${WORK}/${name}.vlp" RESULT_VARIABLE built)
  if(NOT built EQUAL 0)
    message(FATAL_ERROR "velmora-make-profile failed for ${name}")
  endif()
  execute_process(COMMAND "${CMAKE_COMMAND}" -E compare_files "${WORK}/${name}.vlp" "${SOURCES}/data/profiles/${name}.vlp"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "data/profiles/${name}.vlp is not built from its sources; rebuild it with velmora-make-profile")
  endif()
endforeach()
