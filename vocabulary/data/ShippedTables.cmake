# The vocabulary shipped with the program, written by wabolex-cli at build time
# into the folder the usage notes promise. Each table is remade only when its
# source text or the importer changes.
set(table_dir ${WABOLEX_ROOT_DIR}/WortDateien2007)
set(thesaurus /usr/share/openthesaurus-de/openthesaurus.txt)
set(themed_source ${CMAKE_CURRENT_LIST_DIR}/Tiere.txt)
set(shipped_tables ${table_dir}/Tiere.db)

add_custom_command(OUTPUT ${table_dir}/Tiere.db
  COMMAND ${CMAKE_COMMAND} -E make_directory ${table_dir}
  COMMAND wabolex-cli import ${themed_source} -o ${table_dir}/Tiere.db
  DEPENDS wabolex-cli ${themed_source}
  COMMENT "Wortschatz Tiere.db"
  VERBATIM)

if(EXISTS ${thesaurus})
  list(APPEND shipped_tables ${table_dir}/Allgemein.db "${table_dir}/Kurzwörter2004.DB")
  add_custom_command(OUTPUT ${table_dir}/Allgemein.db "${table_dir}/Kurzwörter2004.DB"
    COMMAND ${CMAKE_COMMAND} -E make_directory ${table_dir}
    COMMAND wabolex-cli import ${thesaurus} --thesaurus -o ${table_dir}/Allgemein.db
    COMMAND wabolex-cli import ${thesaurus} --thesaurus --short-words
            -o "${table_dir}/Kurzwörter2004.DB"
    DEPENDS wabolex-cli ${thesaurus}
    COMMENT "Wortschatz Allgemein.db und Kurzwörter2004.DB aus OpenThesaurus"
    VERBATIM)
else()
  message(WARNING "${thesaurus} fehlt (Paket openthesaurus-de-text): "
                  "Allgemein.db und Kurzwörter2004.DB werden nicht erzeugt.")
endif()

add_custom_target(wabolex_shipped_tables ALL DEPENDS ${shipped_tables})
