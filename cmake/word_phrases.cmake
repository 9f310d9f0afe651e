# Turns the words table, data/words.tsv, into the C++ table the system voice
# reads its phrases from (generated/platform/core/word_phrases.inc), so that
# the recordings and the system voice say the same phrase for each word.
# Runs at configure time; a changed table configures again.
function(voxpan_generate_word_phrases table output)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${table})
  file(STRINGS ${table} lines ENCODING UTF-8)
  set(rows "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^#" OR line MATCHES "^[ \t]*$")
      continue()
    endif()
    if(NOT line MATCHES "^([^\t]+)\t([^\t]+)$")
      message(FATAL_ERROR "${table}: not a word and a phrase separated by one tab: '${line}'")
    endif()
    set(word "${CMAKE_MATCH_1}")
    set(phrase "${CMAKE_MATCH_2}")
    foreach(text word phrase)
      string(REPLACE "\\" "\\\\" ${text} "${${text}}")
      string(REPLACE "\"" "\\\"" ${text} "${${text}}")
    endforeach()
    string(APPEND rows "    {\"${word}\", \"${phrase}\"},\n")
  endforeach()
  file(CONFIGURE OUTPUT ${output} CONTENT
"// Generated from data/words.tsv by cmake/word_phrases.cmake: edit the table, not this file.
${rows}" @ONLY)
endfunction()
