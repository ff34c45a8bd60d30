# Writes the translations of one Qt Linguist catalogue as rows of a C++ table, so that a program
# without Qt reads the same English texts as the window:
#   {"context", "source", "translation"},
# Run as: cmake -DCATALOGUE=<file.ts> -DOUTPUT=<file.inc> -P CatalogueTable.cmake
cmake_minimum_required(VERSION 3.25)

# The text between <tag> and </tag> from the start of variable on, unescaped; the rest of the
# text after the closing tag goes back into variable. found is FALSE when there is no such tag.
function(take_element variable tag result found)
  set(text "${${variable}}")
  string(FIND "${text}" "<${tag}>" start)
  if(start EQUAL -1)
    set(${found} FALSE PARENT_SCOPE)
    return()
  endif()
  string(LENGTH "<${tag}>" opening)
  math(EXPR start "${start} + ${opening}")
  string(SUBSTRING "${text}" ${start} -1 text)
  string(FIND "${text}" "</${tag}>" stop)
  string(SUBSTRING "${text}" 0 ${stop} element)
  string(LENGTH "</${tag}>" closing)
  math(EXPR stop "${stop} + ${closing}")
  string(SUBSTRING "${text}" ${stop} -1 text)
  # The five entities a .ts file escapes, turned back into their characters.
  string(REPLACE "&lt;" "<" element "${element}")
  string(REPLACE "&gt;" ">" element "${element}")
  string(REPLACE "&quot;" "\"" element "${element}")
  string(REPLACE "&apos;" "'" element "${element}")
  string(REPLACE "&amp;" "&" element "${element}")
  set(${result} "${element}" PARENT_SCOPE)
  set(${variable} "${text}" PARENT_SCOPE)
  set(${found} TRUE PARENT_SCOPE)
endfunction()

file(READ "${CATALOGUE}" rest)
set(rows "")
take_element(rest context context found)
while(found)
  take_element(context name name found)
  take_element(context message message found)
  while(found)
    take_element(message source source unused)
    take_element(message translation translation unused)
    # A raw string keeps every character as it is; no catalogue text holds its delimiter.
    string(APPEND rows "{R\"zx(${name})zx\", R\"zx(${source})zx\", R\"zx(${translation})zx\"},\n")
    take_element(context message message found)
  endwhile()
  take_element(rest context context found)
endwhile()
file(WRITE "${OUTPUT}.new" "${rows}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
