target_sources(vcl PRIVATE
  src/Classes/ObjectModel.cpp
  src/Resources/Resources.cpp
  src/Resources/ResourceCalls.cpp
  src/Classes/List.cpp
  src/Classes/Streams.cpp
  src/Classes/Thread.cpp
  src/Classes/Strings.cpp
  src/Classes/StringList.cpp
)
target_sources(vcl PRIVATE
  src/Classes/Collection.cpp
  src/Classes/FormParser.cpp
  src/Classes/FormReader.cpp
  src/Classes/FormReaderProperties.cpp
  src/Classes/ComponentStreamFormat.cpp
  src/Classes/ComponentWriter.cpp
  src/Classes/ComponentReader.cpp
)

# Debug and sanitizer builds stop at a component destroyed without Free (its BeforeDestruction skipped).
if(HALCYRA_SANITIZE OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  target_compile_definitions(vcl PUBLIC VCL_CHECK_FREE)
endif()
