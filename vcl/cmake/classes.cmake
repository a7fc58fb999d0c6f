target_sources(vcl PRIVATE
  src/ObjectModel.cpp
  src/Resources.cpp
)
