target_sources(vcl PRIVATE
  src/RunTimeChecks.cpp
)
