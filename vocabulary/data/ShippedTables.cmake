# The vocabulary shipped with the program, written by wabolex-cli at build time
# into the folder the usage notes promise, and checked by wabolex-cli
# check-table: a table that breaks a hard rule fails the build. Each table is
# remade only when its sources or the importer change.
set(table_dir ${WABOLEX_ROOT_DIR}/WortDateien2007)
set(data_dir ${CMAKE_CURRENT_LIST_DIR})
set(short_table "${table_dir}/Kurzwörter2004.DB")
set(thesaurus /usr/share/openthesaurus-de/openthesaurus.txt)
# Which words exist: the spell checker's dictionary (base forms) and word list
# (inflected forms), Debian packages hunspell-de-de and wngerman.
set(known_words /usr/share/hunspell/de_DE.dic /usr/share/dict/ngerman)
# How common words are: ${rankings}, set in vocabulary/CMakeLists.txt.

set(shipped_tables)
set(table_checks)

# wabolex_check_table(TABLE LENGTHS [extra check-table arguments]): checks the
# table after the short-word table is made, leaving a stamp when it passes.
function(wabolex_check_table table lengths)
  get_filename_component(name ${table} NAME)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/checked/${name}.ok)
  set(depends wabolex-cli ${table})
  if(EXISTS ${short_source})
    list(APPEND depends ${short_table})
  endif()
  # Every generator runs the commands in order; only Ninja would make the
  # stamp's folder by itself.
  add_custom_command(OUTPUT ${stamp}
    COMMAND wabolex-cli check-table ${table} --lengths ${lengths} --examples 20 ${ARGN}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/checked
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${depends}
    COMMENT "Prüfe ${name}"
    VERBATIM)
  set(table_checks ${table_checks} ${stamp} PARENT_SCOPE)
endfunction()

# Hand-written tables: the short words and the themed tables.
set(short_source ${data_dir}/Kurzwoerter.txt)
if(EXISTS ${short_source})
  list(APPEND shipped_tables ${short_table})
  add_custom_command(OUTPUT ${short_table}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${table_dir}
    COMMAND wabolex-cli import ${short_source} -o ${short_table}
    DEPENDS wabolex-cli ${short_source}
    COMMENT "Wortschatz Kurzwörter2004.DB"
    VERBATIM)
  wabolex_check_table(${short_table} 2-4)
else()
  message(WARNING "${short_source} fehlt: Kurzwörter2004.DB wird nicht erzeugt.")
endif()

foreach(theme Tiere Geografie Musik)
  set(source ${data_dir}/${theme}.txt)
  if(NOT EXISTS ${source})
    message(WARNING "${source} fehlt: ${theme}.db wird nicht erzeugt.")
    continue()
  endif()
  list(APPEND shipped_tables ${table_dir}/${theme}.db)
  add_custom_command(OUTPUT ${table_dir}/${theme}.db
    COMMAND ${CMAKE_COMMAND} -E make_directory ${table_dir}
    COMMAND wabolex-cli import ${source} -o ${table_dir}/${theme}.db
    DEPENDS wabolex-cli ${source}
    COMMENT "Wortschatz ${theme}.db"
    VERBATIM)
  wabolex_check_table(${table_dir}/${theme}.db 5-15)
endforeach()

# The general table from OpenThesaurus: words of 5 to 15 letters only, the
# short words come from the hand-written table above.
set(general_sources ${thesaurus} ${known_words} ${rankings})
set(general_missing)
foreach(file ${general_sources})
  if(NOT EXISTS ${file})
    list(APPEND general_missing ${file})
  endif()
endforeach()
if(general_missing)
  message(WARNING "Es fehlt ${general_missing} (bash scripts/setup.sh installiert es): "
                  "Allgemein.db wird nicht erzeugt.")
else()
  set(import_lists)
  foreach(file ${known_words})
    list(APPEND import_lists --known-words ${file})
  endforeach()
  foreach(file ${rankings})
    list(APPEND import_lists --ranking ${file})
  endforeach()
  list(APPEND shipped_tables ${table_dir}/Allgemein.db)
  add_custom_command(OUTPUT ${table_dir}/Allgemein.db
    COMMAND ${CMAKE_COMMAND} -E make_directory ${table_dir}
    COMMAND wabolex-cli import ${thesaurus} --thesaurus --lengths 5-15 ${import_lists}
            -o ${table_dir}/Allgemein.db
    DEPENDS wabolex-cli ${general_sources}
    COMMENT "Wortschatz Allgemein.db aus OpenThesaurus"
    VERBATIM)
  wabolex_check_table(${table_dir}/Allgemein.db 5-15 --thesaurus ${thesaurus} ${import_lists})
endif()

add_custom_target(wabolex_shipped_tables ALL DEPENDS ${shipped_tables} ${table_checks})
# Installed into the data folder, where an installed program looks for them.
install(FILES ${shipped_tables} DESTINATION ${CMAKE_INSTALL_DATADIR}/wabolex/WortDateien2007)
