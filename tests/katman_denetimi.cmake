# cmake -DSRC=<src folder> -P katman_denetimi.cmake
# Reads every include under src/, in quotes or in angle brackets, and fails, naming file and line,
# on one whose path climbs with .. (in any form, wherever it is written) or that reaches a header
# of a folder its own folder may not see. The compiler keeps most of this through the libraries'
# include folders, but a path with .. walks around them. It also fails on a class derived from
# QObject that lacks Q_OBJECT: such a class has no signals, no qobject_cast and a wrong name in
# the meta-object system.

cmake_minimum_required(VERSION 3.25)

# The layout table: each folder and the folders it may include from, besides itself.
#   data ← ui ← groups, entries ← app
#   data ← ui, disa ← belge ← overview, report ← app
#   data ← aktarma ← app
#   data ← disa ← belge, app (and tools)
#   data ← ekstre ← banka (with ui) ← app (and tools)
set(gorur_data)
set(gorur_ui data)
set(gorur_groups ui data)
set(gorur_entries ui data)
set(gorur_belge ui disa data)
set(gorur_overview belge ui disa data)
set(gorur_report belge ui disa data)
set(gorur_aktarma data)
set(gorur_disa data)
set(gorur_ekstre data)
set(gorur_banka ui ekstre data)
set(gorur_app groups entries overview report belge banka aktarma disa ekstre ui data)
set(katmanlar data ui groups entries belge overview report banka aktarma disa ekstre app)

# Qt classes derived from nothing in QObject; any other Q class a project class derives from is
# taken for a QObject.
set(qobject_olmayanlar QUndoCommand QTreeWidgetItem QListWidgetItem QTableWidgetItem QStandardItem
    QAccessibleWidget QAccessibleObject QGraphicsItem QSharedData QRunnable QEvent)

set(kaynak_desenleri *.h *.hh *.hpp *.h.in *.c *.cc *.cpp *.cxx *.inl *.ipp)
set(desenler)
foreach(desen ${kaynak_desenleri})
  list(APPEND desenler ${SRC}/${desen})
endforeach()
file(GLOB_RECURSE dosyalar RELATIVE ${SRC} ${desenler})

# A file's lines as a list: a semicolon, a backslash or a square bracket would split or join
# list items, so each stands as "NOKTALIVIRGUL", "/" (in paths the same) and a parenthesis.
function(satirlari_oku dosya sonuc)
  file(READ ${SRC}/${dosya} icerik)
  string(REPLACE "\\" "/" icerik "${icerik}")
  string(REPLACE ";" "NOKTALIVIRGUL" icerik "${icerik}")
  string(REPLACE "[" "(" icerik "${icerik}")
  string(REPLACE "]" ")" icerik "${icerik}")
  string(REPLACE "\n" ";" icerik "${icerik}")
  set(${sonuc} "${icerik}" PARENT_SCOPE)
endfunction()

set(sinif_deseni "^[ \t]*(class|struct)[ \t]+([A-Za-z_0-9]+)([ \t]+final)?[ \t]*:[ \t]*(public|protected|private)?[ \t]*([A-Za-z_][A-Za-z_0-9:]*)")

# Which folder holds each header (DerlemeBilgisi.h is made from DerlemeBilgisi.h.in), and which
# class derives from which.
set(turetmeler)
foreach(dosya ${dosyalar})
  satirlari_oku(${dosya} satirlar)
  foreach(satir IN LISTS satirlar)
    if(satir MATCHES "${sinif_deseni}")
      list(APPEND turetmeler "${CMAKE_MATCH_2}=${CMAKE_MATCH_5}")
    endif()
  endforeach()
  get_filename_component(klasor ${dosya} DIRECTORY)
  get_filename_component(ad ${dosya} NAME)
  string(REGEX REPLACE "\\.in$" "" ad ${ad})
  if(ad MATCHES "\\.(h|hh|hpp)$")
    if(DEFINED yeri_${ad})
      message(SEND_ERROR "${ad} hem src/${yeri_${ad}} hem src/${klasor} içinde")
    endif()
    set(yeri_${ad} ${klasor})
  endif()
endforeach()

# The classes derived from QObject: from a Q class other than those above, or from one of them.
set(qobjectler QObject)
set(degisti TRUE)
while(degisti)
  set(degisti FALSE)
  foreach(turetme ${turetmeler})
    string(REPLACE "=" ";" cift ${turetme})
    list(GET cift 0 sinif)
    list(GET cift 1 taban)
    if(NOT sinif IN_LIST qobjectler AND (taban IN_LIST qobjectler OR
       (taban MATCHES "^Q" AND NOT taban IN_LIST qobject_olmayanlar)))
      list(APPEND qobjectler ${sinif})
      set(degisti TRUE)
    endif()
  endforeach()
endwhile()

set(hatalar 0)
function(hata dosya satir_no metin)
  message("src/${dosya}:${satir_no}: ${metin}")
  math(EXPR sayi "${hatalar} + 1")
  set(hatalar ${sayi} PARENT_SCOPE)
endfunction()

foreach(dosya ${dosyalar})
  get_filename_component(klasor ${dosya} DIRECTORY)
  if(NOT klasor IN_LIST katmanlar)
    hata(${dosya} 1 "src/${klasor} katman tablosunda yok")
    continue()
  endif()
  satirlari_oku(${dosya} satirlar)
  set(satir_no 0)
  set(sinif "") # a class derived from a QObject, whose body is read for Q_OBJECT
  foreach(satir IN LISTS satirlar)
    math(EXPR satir_no "${satir_no} + 1")
    if(satir MATCHES "${sinif_deseni}")
      if(CMAKE_MATCH_2 IN_LIST qobjectler)
        set(sinif ${CMAKE_MATCH_2})
        set(sinif_satiri ${satir_no})
      endif()
    elseif(sinif AND satir MATCHES "^[ \t]*Q_OBJECT")
      set(sinif "")
    elseif(sinif AND satir MATCHES "^[ \t]*}NOKTALIVIRGUL")
      hata(${dosya} ${sinif_satiri} "${sinif} bir QObject, ama Q_OBJECT yok")
      set(sinif "")
    endif()
    if(NOT satir MATCHES "^[ \t]*#[ \t]*include[ \t]*([<\"])([^>\"]*)[>\"]")
      continue()
    endif()
    set(tirnak "${CMAKE_MATCH_1}")
    set(yol "${CMAKE_MATCH_2}")
    string(REGEX REPLACE ".*/" "" ad "${yol}")
    if(yol MATCHES "(^|/)\\.\\.(/|$)")
      hata(${dosya} ${satir_no} "\"${yol}\" üst klasöre çıkıyor")
    elseif(NOT DEFINED yeri_${ad})
      # Angle brackets name the system's and Qt's headers, ".moc" what moc makes of a source.
      if(tirnak STREQUAL "\"" AND NOT ad MATCHES "\\.moc$")
        hata(${dosya} ${satir_no} "\"${yol}\" src/ içinde yok")
      endif()
    elseif(NOT yeri_${ad} STREQUAL klasor AND NOT yeri_${ad} IN_LIST gorur_${klasor})
      hata(${dosya} ${satir_no} "\"${yol}\" src/${yeri_${ad}} katmanından; src/${klasor} onu göremez")
    endif()
  endforeach()
endforeach()

if(hatalar GREATER 0)
  message(FATAL_ERROR "${hatalar} katman hatası")
endif()
