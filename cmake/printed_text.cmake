# The files whose characters the game prints: its lines (dat/speech.csv, CP932)
# and its sources (the "…"_sjis literals). The glyph sheet must hold every one
# of their characters; the desktop tests and the browser build both check it.
function(kerna_printed_text_files out source_dir)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${source_dir}/src/*.cpp ${source_dir}/src/*.hpp)
  set(${out} ${source_dir}/assets/dat/speech.csv ${sources} PARENT_SCOPE)
endfunction()
