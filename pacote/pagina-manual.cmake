# Writes wlumoprod-cli.1.gz: the page's model with its COMANDOS section taken from the program's own
# "--help", so that the page lists exactly the commands the installed program has.
# cmake -DCLI=... -DMODELO=... -DSAIDA=....1.gz -DVERSAO=... -P pagina-manual.cmake
foreach(v CLI MODELO SAIDA VERSAO)
  if(NOT DEFINED ${v})
    message(FATAL_ERROR "pagina-manual.cmake: falta -D${v}")
  endif()
endforeach()

get_filename_component(pasta "${SAIDA}" DIRECTORY)
set(dados "${pasta}/dados-ajuda")
file(MAKE_DIRECTORY "${dados}")
# --help touches the data folder: a scratch one keeps the builder's own companies out of it.
execute_process(
  COMMAND "${CMAKE_COMMAND}" -E env "LUMO_DADOS=${dados}" QT_QPA_PLATFORM=offscreen "${CLI}" --help
  OUTPUT_VARIABLE ajuda
  ERROR_VARIABLE erros
  RESULT_VARIABLE estado)
if(NOT estado EQUAL 0)
  message(FATAL_ERROR "pagina-manual.cmake: \"${CLI} --help\" falhou (${estado}): ${ajuda}${erros}")
endif()

# Plain text to troff: backslashes, hyphens (typed as ASCII minus so that "--pg" can be copied and
# searched) and a leading dot or apostrophe, which troff would read as a request.
function(troff texto saida)
  string(REPLACE "\\" "\\e" texto "${texto}")
  string(REPLACE "-" "\\-" texto "${texto}")
  string(REGEX REPLACE "^([.'])" "\\\\&\\1" texto "${texto}")
  set(${saida} "${texto}" PARENT_SCOPE)
endfunction()

string(JSON total LENGTH "${ajuda}" comandos)
if(total EQUAL 0)
  message(FATAL_ERROR "pagina-manual.cmake: \"--help\" não deu comandos")
endif()
set(comandos "")
math(EXPR ultimo "${total} - 1")
foreach(i RANGE ${ultimo})
  string(JSON uso GET "${ajuda}" comandos ${i} uso)
  string(JSON descricao GET "${ajuda}" comandos ${i} descricao)
  troff("${uso}" uso)
  troff("${descricao}" descricao)
  # The report command's usage gives each report's filters after "; ": the usage proper is the
  # entry's tag, the filters one line each under the description.
  string(FIND "${uso}" "; " corte)
  set(filtros "")
  if(corte GREATER -1)
    string(SUBSTRING "${uso}" ${corte} -1 filtros)
    string(SUBSTRING "${uso}" 0 ${corte} uso)
    string(REPLACE "; " "\n.br\n" filtros "${filtros}")
  endif()
  string(APPEND comandos ".TP\n\\fB${uso}\\fR\n${descricao}${filtros}\n")
endforeach()
string(REGEX REPLACE "\n$" "" comandos "${comandos}")

string(TIMESTAMP DATA "%Y-%m-%d" UTC)
set(COMANDOS "${comandos}")
file(READ "${MODELO}" modelo)
string(CONFIGURE "${modelo}" pagina @ONLY)
set(troff_pagina "${pasta}/wlumoprod-cli.1")
file(WRITE "${troff_pagina}" "${pagina}")

# -n: no name or time stamp inside, so the same page gives the same bytes.
execute_process(COMMAND gzip -9 -n -c "${troff_pagina}" OUTPUT_FILE "${SAIDA}" RESULT_VARIABLE estado)
if(NOT estado EQUAL 0)
  message(FATAL_ERROR "pagina-manual.cmake: gzip falhou (${estado})")
endif()
