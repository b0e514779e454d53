# Builds a kdwsetup package: the program image with the files appended, each
# followed by its 50-byte header (name right-aligned in 40 bytes, padded on
# the left with CR; size in 10 digits, padded with "0"), then the 5-byte
# count (padded on the left with CR) and the 514-byte closing block, which
# holds the SHA-256 of everything before it:
#   "KDWPKG SHA-256 " <64 lower-case hex digits> <TABs> CR LF
# The first file named is appended first, so the installer copies it last.
#
#   cmake -DIMAGE=kdwsetup.exe -DOUTPUT=package/kdwsetup.exe
#         "-DFILES=COMDLG32.OCX;MSCOMCTL.OCX" -P pack.cmake
#
# The package is written beside OUTPUT first and renamed into place at the
# end, so a failed run leaves no half-made package.
cmake_minimum_required(VERSION 3.25)

function(fail message)
  message(FATAL_ERROR "pack: ${message}")
endfunction()

if(NOT DEFINED IMAGE OR NOT DEFINED OUTPUT)
  fail("usage: cmake -DIMAGE=image.exe -DOUTPUT=package.exe \"-DFILES=a;b\" -P pack.cmake")
endif()
if(NOT EXISTS "${IMAGE}" OR IS_DIRECTORY "${IMAGE}")
  fail("no program image at ${IMAGE}")
endif()
list(LENGTH FILES count)
if(count EQUAL 0)
  # The installer always copies entry 1: a package with no file cannot be read.
  fail("no files to pack (FILES is empty)")
endif()
if(count GREATER 32767)
  fail("${count} files: a package holds at most 32767")
endif()

string(ASCII 13 cr)
string(ASCII 9 tab)
get_filename_component(output "${OUTPUT}" ABSOLUTE)
get_filename_component(output_folder "${output}" DIRECTORY)
set(work "${output}.parts")
file(REMOVE_RECURSE "${work}")
file(MAKE_DIRECTORY "${work}")

set(pieces "${IMAGE}")
file(SIZE "${IMAGE}" expected)
set(names "")
set(index 0)
foreach(file IN LISTS FILES)
  if(NOT EXISTS "${file}" OR IS_DIRECTORY "${file}")
    fail("no file at ${file}")
  endif()
  get_filename_component(name "${file}" NAME)
  # Names the installer accepts as they are: printable ASCII without a
  # folder, drive or wildcard character, 40 characters at most, not ending
  # in a dot or blank (Windows would drop it).
  string(LENGTH "${name}" length)
  if(length GREATER 40 OR
     NOT name MATCHES "^[A-Za-z0-9 !#$%&'()+,;=@^_{}~.-]*[A-Za-z0-9!#$%&'()+,;=@^_{}~-]$")
    fail("\"${name}\" cannot be packed: use a plain file name of 1 to 40 characters")
  endif()
  string(REGEX REPLACE "[. ].*$" "" device "${name}")
  string(TOUPPER "${device}" device)
  if(device MATCHES "^(CON|PRN|AUX|NUL|CLOCK\\$|CONIN\\$|CONOUT\\$|COM[1-9]|LPT[1-9])$")
    fail("\"${name}\" is a device name in Windows")
  endif()
  string(TOUPPER "${name}" folded)
  if(folded IN_LIST names)
    fail("two files are named ${name}: the second would overwrite the first")
  endif()
  list(APPEND names "${folded}")

  file(SIZE "${file}" size)
  if(size GREATER 9999999999)
    fail("${file} is larger than the 10 digits of a size can say")
  endif()
  math(EXPR pad "40 - ${length}")
  string(REPEAT "${cr}" ${pad} name_pad)
  string(LENGTH "${size}" digits)
  math(EXPR pad "10 - ${digits}")
  string(REPEAT "0" ${pad} size_pad)
  math(EXPR index "${index} + 1")
  file(WRITE "${work}/header${index}" "${name_pad}${name}${size_pad}${size}")
  list(APPEND pieces "${file}" "${work}/header${index}")
  math(EXPR expected "${expected} + ${size} + 50")
endforeach()

string(LENGTH "${count}" digits)
math(EXPR pad "5 - ${digits}")
string(REPEAT "${cr}" ${pad} count_pad)
file(WRITE "${work}/count" "${count_pad}${count}")
list(APPEND pieces "${work}/count")

# cmake -E cat copies bytes as they are; its output goes straight to the file.
set(body "${work}/body")
execute_process(COMMAND "${CMAKE_COMMAND}" -E cat ${pieces} OUTPUT_FILE "${body}"
                RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  fail("could not join the pieces (${result})")
endif()

file(SHA256 "${body}" digest)
set(block "KDWPKG SHA-256 ${digest}")
string(LENGTH "${block}" length)
math(EXPR pad "514 - 2 - ${length}")
string(REPEAT "${tab}" ${pad} block_pad)
file(APPEND "${body}" "${block}${block_pad}${cr}\n")

file(SIZE "${body}" total)
math(EXPR expected "${expected} + 5 + 514")
if(NOT total EQUAL expected)
  fail("the package came out ${total} bytes long instead of ${expected}")
endif()

file(CHMOD "${body}" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
     GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(MAKE_DIRECTORY "${output_folder}")
file(RENAME "${body}" "${output}")
file(REMOVE_RECURSE "${work}")
message(STATUS "pack: ${output}: ${count} file(s), ${total} bytes")
