# Puts the recorded words (without the build's stamps) and the text files,
# turned to CR LF line ends and with the version written in, into the folder
# that becomes the zip.
#   -DWORDS_FROM=folder holding the word folders -DWORD_FOLDERS=wave|wave-fast...
#   -DWORDS_TO=where the word folders go
#   -DTEXTS=file|file... -DTEXT_TARGET=their place -DVERSION_TEXT=4.0a
string(REPLACE "|" ";" word_folders "${WORD_FOLDERS}")
foreach(folder ${word_folders})
  file(GLOB words ${WORDS_FROM}/${folder}/*.wav)
  file(COPY ${words} DESTINATION ${WORDS_TO}/${folder})
endforeach()
string(REPLACE "|" ";" texts "${TEXTS}")
foreach(text ${texts})
  file(READ ${text} content)
  string(REPLACE "@VOXPAN_VERSION_TEXT@" "${VERSION_TEXT}" content "${content}")
  string(REPLACE "\r\n" "\n" content "${content}")
  string(REPLACE "\n" "\r\n" content "${content}")
  get_filename_component(name ${text} NAME)
  file(WRITE ${TEXT_TARGET}/${name} "${content}")
endforeach()
