# Copies SOURCE into DEST when it exists (the help document may not be written yet).
if(EXISTS "${SOURCE}")
  file(COPY "${SOURCE}" DESTINATION "${DEST}")
endif()
