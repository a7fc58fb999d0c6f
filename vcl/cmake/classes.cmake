target_sources(vcl PRIVATE
  src/ObjectModel.cpp
  src/Resources.cpp
  src/Classes_List.cpp
  src/Streams.cpp
  src/Strings.cpp
  src/Strings_List.cpp
)
target_sources(vcl PRIVATE
  src/Collection.cpp
  src/FormParser.cpp
  src/FormReader.cpp
  src/FormReader_Properties.cpp
)
