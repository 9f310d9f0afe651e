# Puts the recorded words (without the build's stamp) and the text files,
# turned to CR LF line ends and with the version written in, into the folder
# that becomes the zip.
#   -DSOURCE=words folder -DTARGET=their place
#   -DTEXTS=file|file... -DTEXT_TARGET=their place -DVERSION_TEXT=4.0a
file(GLOB words ${SOURCE}/*.wav)
file(COPY ${words} DESTINATION ${TARGET})
string(REPLACE "|" ";" texts "${TEXTS}")
foreach(text ${texts})
  file(READ ${text} content)
  string(REPLACE "@VOXPAN_VERSION_TEXT@" "${VERSION_TEXT}" content "${content}")
  string(REPLACE "\r\n" "\n" content "${content}")
  string(REPLACE "\n" "\r\n" content "${content}")
  get_filename_component(name ${text} NAME)
  file(WRITE ${TEXT_TARGET}/${name} "${content}")
endforeach()
