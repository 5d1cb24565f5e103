# Joins the help pages into the one help file that lies beside the program.
#   cmake -DQUELLE=<folder of the pages> -DZIEL=<help file> -DSEITEN=index,kalender,... -P hilfedatei.cmake
# Each page becomes a section anchored by its name; links between pages ("kalender.html",
# "kalender.html#kalender-gesten") become links within the file ("#kalender",
# "#kalender-gesten"). The head (title) is the contents page's, with the pages' shared style
# sheet hilfe.css written into it.

if(NOT QUELLE OR NOT ZIEL OR NOT SEITEN)
  message(FATAL_ERROR "QUELLE, ZIEL und SEITEN angeben")
endif()
string(REPLACE "," ";" SEITEN "${SEITEN}")

file(READ "${QUELLE}/index.html" _index)
string(FIND "${_index}" "<body>" _anfang)
if(_anfang LESS 0)
  message(FATAL_ERROR "index.html: <body> fehlt")
endif()
string(SUBSTRING "${_index}" 0 ${_anfang} _kopf)
# The pages share one style sheet; the help file carries it in its head.
file(READ "${QUELLE}/hilfe.css" _stil)
set(_verweis "<link rel=\"stylesheet\" href=\"hilfe.css\">")
string(FIND "${_kopf}" "${_verweis}" _stelle)
if(_stelle LESS 0)
  message(FATAL_ERROR "index.html: ${_verweis} fehlt")
endif()
string(REPLACE "${_verweis}" "<style>\n${_stil}</style>" _kopf "${_kopf}")

set(_inhalt "")
foreach(_seite IN LISTS SEITEN)
  file(READ "${QUELLE}/${_seite}.html" _html)
  string(FIND "${_html}" "<body>" _a)
  string(FIND "${_html}" "</body>" _e)
  if(_a LESS 0 OR _e LESS _a)
    message(FATAL_ERROR "${_seite}.html: <body> … </body> fehlt")
  endif()
  math(EXPR _a "${_a} + 6")
  math(EXPR _laenge "${_e} - ${_a}")
  string(SUBSTRING "${_html}" ${_a} ${_laenge} _koerper)

  string(REGEX REPLACE "href=\"[a-z0-9-]+\\.html#([^\"]+)\"" "href=\"#\\1\"" _koerper "${_koerper}")
  string(REGEX REPLACE "href=\"([a-z0-9-]+)\\.html\"" "href=\"#\\1\"" _koerper "${_koerper}")
  # The page's anchor sits in its heading, so following a link shows the heading first.
  string(FIND "${_koerper}" "<h1>" _h1)
  if(_h1 LESS 0)
    message(FATAL_ERROR "${_seite}.html: <h1> fehlt")
  endif()
  string(REPLACE "<h1>" "<h1><a name=\"${_seite}\"></a>" _koerper "${_koerper}")
  if(NOT _inhalt STREQUAL "")
    string(APPEND _inhalt "<hr>\n")
  endif()
  string(APPEND _inhalt "${_koerper}")
endforeach()

# Written beside and renamed, so an interrupted build leaves no half help file.
file(WRITE "${ZIEL}.neu" "${_kopf}<body>\n${_inhalt}</body>\n</html>\n")
file(RENAME "${ZIEL}.neu" "${ZIEL}")
