# Copies each file of the folder FROM into the folder TO unless TO already holds that name, its
# letters compared without regard to case as the program finds its files ("Eﾏｽﾀｰ.mst" is the
# default master "Eﾏｽﾀｰ.MST"). What stands there is the user's (labour prices, settings, layouts,
# master) and is never replaced, nor shadowed by a copy under another case, whatever it holds;
# a removed file comes back as it was shipped.
#   cmake -DFROM=<dir> -DTO=<dir> -P CopyMissing.cmake   (or include() with both set)
# With INSTALLING set, the install's wording is used and a file left alone is named too.
if(NOT IS_DIRECTORY "${FROM}" OR "${TO}" STREQUAL "")
  message(FATAL_ERROR "CopyMissing: FROM must be a folder and TO a path (FROM='${FROM}' TO='${TO}')")
endif()
file(GLOB kiv_copy_names LIST_DIRECTORIES false RELATIVE "${FROM}" "${FROM}/*")
list(SORT kiv_copy_names)
file(MAKE_DIRECTORY "${TO}")
file(GLOB kiv_copy_present LIST_DIRECTORIES true RELATIVE "${TO}" "${TO}/*")
string(TOLOWER "${kiv_copy_present}" kiv_copy_present_lower)
foreach(kiv_copy_name IN LISTS kiv_copy_names)
  set(kiv_copy_target "${TO}/${kiv_copy_name}")
  string(TOLOWER "${kiv_copy_name}" kiv_copy_lower)
  list(FIND kiv_copy_present_lower "${kiv_copy_lower}" kiv_copy_found)
  # A link counts as there even when it points nowhere: copying onto it would write through it.
  if(EXISTS "${kiv_copy_target}" OR IS_SYMLINK "${kiv_copy_target}" OR NOT kiv_copy_found EQUAL -1)
    if(INSTALLING)
      message(STATUS "Keeping: ${kiv_copy_target}")
    endif()
  else()
    if(INSTALLING)
      message(STATUS "Installing: ${kiv_copy_target}")
    else()
      message(STATUS "Adding: ${kiv_copy_target}")
    endif()
    file(COPY_FILE "${FROM}/${kiv_copy_name}" "${kiv_copy_target}")
  endif()
endforeach()
