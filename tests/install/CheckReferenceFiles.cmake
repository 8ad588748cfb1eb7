# Installs into a scratch prefix and checks the reference files beside the program: the starter
# set arrives with its names and bytes, a second install keeps a file the user changed (also one
# named with other letter case) and brings back one removed, and the program started as bin/kiv
# runs from the folder that holds them.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch prefix> -DSTARTER=<starter set> -P CheckReferenceFiles.cmake
set(names "労務単価.rab" "電気設定.ett" "機械設定.mtt" "ヘッダー.hdr" "表紙.frm" "Eﾏｽﾀｰ.MST" "Mﾏｽﾀｰ.MMS")
set(dir "${PREFIX}/lib/kiv")

function(install_into_prefix out)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD}" --prefix "${PREFIX}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE log ERROR_VARIABLE log)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "install failed: ${rc}\n${log}")
  endif()
  set(${out} "${log}" PARENT_SCOPE)
endfunction()

function(expect_shipped name)
  if(NOT EXISTS "${dir}/${name}" OR IS_DIRECTORY "${dir}/${name}")
    message(FATAL_ERROR "missing ${dir}/${name}")
  endif()
  file(SHA256 "${dir}/${name}" got)
  file(SHA256 "${STARTER}/${name}" shipped)
  file(SIZE "${dir}/${name}" size)
  if(NOT got STREQUAL shipped OR size EQUAL 0)
    message(FATAL_ERROR "${name} is not the starter set's file (${size} bytes)")
  endif()
endfunction()

file(REMOVE_RECURSE "${PREFIX}")
install_into_prefix(log)

# The starter set, byte for byte as the build wrote it.
foreach(name IN LISTS names)
  expect_shipped("${name}")
endforeach()
file(GLOB installed LIST_DIRECTORIES false RELATIVE "${dir}" "${dir}/*")
list(SORT installed)
set(expected ${names} kiv)
list(SORT expected)
if(NOT installed STREQUAL expected)
  message(FATAL_ERROR "the program's folder holds [${installed}], expected [${expected}]")
endif()

# bin/kiv is a link into that folder, so the program's own folder is the one with the files.
if(NOT IS_SYMLINK "${PREFIX}/bin/kiv")
  message(FATAL_ERROR "bin/kiv is not a link to the program")
endif()
file(REAL_PATH "${PREFIX}/bin/kiv" linked)
file(REAL_PATH "${dir}/kiv" program)
if(NOT linked STREQUAL program)
  message(FATAL_ERROR "bin/kiv leads to ${linked}, not ${program}")
endif()

# A second install: the changed labour prices stay as the user left them, the removed cover
# layout comes back, a master the user keeps as "Eﾏｽﾀｰ.mst" is neither replaced nor shadowed by
# the shipped "Eﾏｽﾀｰ.MST", and the program is replaced as usual.
set(prices "1         配管工                        100     200")
file(WRITE "${dir}/労務単価.rab" "${prices}")
file(REMOVE "${dir}/表紙.frm")
file(REMOVE "${dir}/Eﾏｽﾀｰ.MST")
file(WRITE "${dir}/Eﾏｽﾀｰ.mst" "mine")
install_into_prefix(log)
if(EXISTS "${dir}/Eﾏｽﾀｰ.MST")
  message(FATAL_ERROR "the install put Eﾏｽﾀｰ.MST beside the user's Eﾏｽﾀｰ.mst")
endif()
file(READ "${dir}/Eﾏｽﾀｰ.mst" kept_master)
if(NOT kept_master STREQUAL "mine")
  message(FATAL_ERROR "the second install changed the user's master")
endif()
file(REMOVE "${dir}/Eﾏｽﾀｰ.mst")
install_into_prefix(log)
file(READ "${dir}/労務単価.rab" kept)
if(NOT kept STREQUAL prices)
  message(FATAL_ERROR "the second install replaced the user's labour prices: '${kept}'")
endif()
if(NOT log MATCHES "Keeping: [^\n]*労務単価\\.rab")
  message(FATAL_ERROR "the install does not say it kept the labour prices:\n${log}")
endif()
expect_shipped("表紙.frm")
expect_shipped("Eﾏｽﾀｰ.MST")
foreach(name IN LISTS names)
  if(NOT EXISTS "${dir}/${name}")
    message(FATAL_ERROR "missing ${name} after the second install")
  endif()
endforeach()

# Started as a user would, by the command bin/kiv (offscreen, with a profile of its own that
# holds the mode, so it comes up at its main window). Once the link has been followed into the
# program, the process is asked where it runs from and ended; the program takes its own folder
# from that same place.
file(WRITE "${PREFIX}/config/Kiv/kiv.ini" "[Select_Section]\nSelect=2\n")
set(seen "${PREFIX}/running-from")
execute_process(
  COMMAND sh -c [=[
    (
      i=0
      while [ $i -lt 200 ]; do
        exe=$(readlink "/proc/$$/exe" 2>/dev/null) || break
        case "$exe" in */kiv) printf '%s' "$exe" > "$2"; break ;; esac
        i=$((i + 1)); sleep 0.05
      done
      kill $$ 2>/dev/null
    ) &
    cd "$3" && exec env QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME="$3/config" "$1"
  ]=] sh "${PREFIX}/bin/kiv" "${seen}" "${PREFIX}"
  TIMEOUT 60 RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT EXISTS "${seen}")
  message(FATAL_ERROR "bin/kiv did not start (${rc}):\n${out}")
endif()
file(READ "${seen}" running)
file(REAL_PATH "${running}" running)
if(NOT running STREQUAL program)
  message(FATAL_ERROR "bin/kiv runs ${running}, not ${program}")
endif()
cmake_path(GET running PARENT_PATH own)
foreach(name IN LISTS names)
  if(NOT EXISTS "${own}/${name}")
    message(FATAL_ERROR "the running program's folder ${own} lacks ${name}")
  endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
