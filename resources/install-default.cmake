# Copies SRC to DST only when DST does not exist yet, so a rebuild never
# replaces the operator's own seed sets.
if(NOT EXISTS "${DST}")
  file(COPY_FILE "${SRC}" "${DST}")
endif()
