# The recorded words at three paces, each a folder of the same words recorded
# by tools/voice/make_wave_folder.sh from data/words.tsv: "wave" at the normal
# pace, the panel's own, with "wave-fast" and "wave-fastest" beside it.
set(VOXPAN_WORD_PACES normal fast fastest)

# The folder of a pace's words.
function(voxpan_word_folder pace result)
  if(pace STREQUAL "normal")
    set(${result} wave PARENT_SCOPE)
  else()
    set(${result} wave-${pace} PARENT_SCOPE)
  endif()
endfunction()

# The folders of all paces, in the order of VOXPAN_WORD_PACES.
function(voxpan_word_folders result)
  set(folders)
  foreach(pace ${VOXPAN_WORD_PACES})
    voxpan_word_folder(${pace} folder)
    list(APPEND folders ${folder})
  endforeach()
  set(${result} ${folders} PARENT_SCOPE)
endfunction()

# Records every pace into its folder in the build tree, one command a pace
# (a parallel build records them side by side); `stamps` gets the files each
# command touches last.
function(voxpan_record_words stamps)
  set(made)
  foreach(pace ${VOXPAN_WORD_PACES})
    voxpan_word_folder(${pace} folder)
    add_custom_command(
      OUTPUT ${CMAKE_BINARY_DIR}/${folder}/.generated
      COMMAND ${CMAKE_SOURCE_DIR}/tools/voice/make_wave_folder.sh
              ${CMAKE_SOURCE_DIR}/data/words.tsv ${CMAKE_BINARY_DIR}/${folder} ${pace}
      DEPENDS ${CMAKE_SOURCE_DIR}/data/words.tsv ${CMAKE_SOURCE_DIR}/tools/voice/make_wave_folder.sh
      COMMENT "Recording the panel's words at the ${pace} pace into ${folder}/")
    list(APPEND made ${CMAKE_BINARY_DIR}/${folder}/.generated)
  endforeach()
  set(${stamps} ${made} PARENT_SCOPE)
endfunction()
