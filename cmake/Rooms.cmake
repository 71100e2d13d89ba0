# One static library per room of src/ (vyn8_<room>), linked only along the
# arrows below: an arrow A -> B means "files of A may include headers of B".
#
# Each library sees the headers of its own room and, through its links, of
# the rooms below it, and no others: the include root of a room is a folder
# of the build holding one link, <room> -> src/<room>. A file that includes a
# header of a room above its own therefore fails to compile.
#
# A room whose folder holds no sources yet gets no library; arrows to it are
# left out until it has some.

set(VYN8_ROOMS platform link data labels ledger session dialogs console app)
set(VYN8_ARROWS_platform)
set(VYN8_ARROWS_link platform)
set(VYN8_ARROWS_data platform)
set(VYN8_ARROWS_labels data platform)
set(VYN8_ARROWS_ledger data platform)
set(VYN8_ARROWS_session data link platform)
set(VYN8_ARROWS_dialogs data labels ledger platform)
set(VYN8_ARROWS_console session dialogs data link platform)
set(VYN8_ARROWS_app console dialogs data labels ledger)

# What each room needs from outside the project. The count session has
# QtCore only (checked below): it must run without a window.
set(VYN8_NEEDS_platform Qt6::Core Qt6::Gui Qt6::Widgets)
set(VYN8_NEEDS_link Qt6::Core Threads::Threads util)
set(VYN8_NEEDS_data Qt6::Core Qt6::Gui Qt6::PrintSupport
  PkgConfig::GSF PkgConfig::MINIZIP PkgConfig::XLSXWRITER)
set(VYN8_NEEDS_labels Qt6::Core Qt6::Gui Qt6::PrintSupport ${ZINT_LIBRARY})
set(VYN8_NEEDS_ledger Qt6::Core Qt6::Sql)
set(VYN8_NEEDS_session Qt6::Core)
set(VYN8_NEEDS_dialogs Qt6::Widgets Qt6::PrintSupport)
set(VYN8_NEEDS_console Qt6::Widgets)
set(VYN8_NEEDS_app Qt6::Widgets)

# The Qt and standard headers that most files include, compiled once per
# library: it about halves the compile time of a file (CI, a fresh machine).
# Rooms without widgets get the first list only.
option(VYN8_PCH "Precompile the common Qt and standard headers" ON)
set(VYN8_PCH_CORE_HEADERS <QByteArray> <QHash> <QObject> <QString> <QStringList> <array>
  <functional> <memory> <string> <vector>)
set(VYN8_PCH_HEADERS ${VYN8_PCH_CORE_HEADERS} <QWidget> <QLineEdit> <QPushButton>)

set(VYN8_ROOM_LIBRARIES)
foreach(room IN LISTS VYN8_ROOMS)
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS
    ${CMAKE_SOURCE_DIR}/src/${room}/*.cpp ${CMAKE_SOURCE_DIR}/src/${room}/*.h)
  list(FILTER sources EXCLUDE REGEX ".*/src/app/main\\.cpp$")
  if(NOT sources)
    continue()
  endif()
  set(target vyn8_${room})
  add_library(${target} STATIC ${sources})
  set(root ${CMAKE_BINARY_DIR}/rooms/${room})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${room} ${root}/${room} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  foreach(below IN LISTS VYN8_ARROWS_${room})
    if(TARGET vyn8_${below})
      target_link_libraries(${target} PUBLIC vyn8_${below})
    endif()
  endforeach()
  target_link_libraries(${target} PUBLIC ${VYN8_NEEDS_${room}})
  if(VYN8_PCH)
    if(Qt6::Widgets IN_LIST VYN8_NEEDS_${room} OR Qt6::PrintSupport IN_LIST VYN8_NEEDS_${room})
      target_precompile_headers(${target} PRIVATE ${VYN8_PCH_HEADERS})
    else()
      target_precompile_headers(${target} PRIVATE ${VYN8_PCH_CORE_HEADERS})
    endif()
  endif()
  list(APPEND VYN8_ROOM_LIBRARIES ${target})
endforeach()
target_include_directories(vyn8_labels PRIVATE ${ZINT_INCLUDE_DIR})

# Built into the program: the default seed sets a new data folder gets (the
# data folder's part) and the application icon of the window and the About
# box (the app's).
qt_add_resources(vyn8_platform vyn8_seed_sets PREFIX /vyn8 BASE resources
  FILES resources/SeedPara.txt)
qt_add_resources(vyn8_app vyn8_icons PREFIX /vyn8 BASE resources
  FILES resources/icons/com.quilvane.vyn8_rk47.png)

# Links `target` with the library of every room its sources include
# (#include "<room>/...", also through a header of its own folder): for the
# tools, fuzz targets and benchmarks, which each need a few rooms.
function(vyn8_link_rooms target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  set(files)
  foreach(src IN LISTS sources)
    if(NOT IS_ABSOLUTE ${src})
      set(src ${dir}/${src})
    endif()
    list(APPEND files ${src})
    get_filename_component(here ${src} DIRECTORY)
    file(STRINGS ${src} locals REGEX "^#include \"[A-Za-z0-9_]+\\.h\"")
    foreach(line IN LISTS locals)
      string(REGEX REPLACE "^#include \"([^\"]+)\".*" "\\1" name "${line}")
      if(EXISTS ${here}/${name})
        list(APPEND files ${here}/${name})
      endif()
    endforeach()
  endforeach()
  set(rooms)
  foreach(f IN LISTS files)
    file(STRINGS ${f} lines REGEX "^#include \"[a-z]+/")
    foreach(line IN LISTS lines)
      string(REGEX REPLACE "^#include \"([a-z]+)/.*" "\\1" room "${line}")
      if(TARGET vyn8_${room})
        list(APPEND rooms vyn8_${room})
      endif()
    endforeach()
  endforeach()
  list(REMOVE_DUPLICATES rooms)
  target_link_libraries(${target} PRIVATE ${rooms})
endfunction()

# The room check (cmake/CheckRooms.cmake): at configure time, again whenever a
# file of the count session changes (before its library is built), and as a
# test. It needs the names of Qt's QtWidgets headers.
set(arrows)
foreach(room IN LISTS VYN8_ROOMS)
  list(JOIN VYN8_ARROWS_${room} "," below)
  list(APPEND arrows "${room}:${below}")
endforeach()
list(JOIN arrows "|" VYN8_ROOM_ARROWS)
get_target_property(widget_dirs Qt6::Widgets INTERFACE_INCLUDE_DIRECTORIES)
set(widget_names)
foreach(d IN LISTS widget_dirs)
  if(d MATCHES "/QtWidgets$")
    file(GLOB names RELATIVE ${d} ${d}/*)
    list(APPEND widget_names ${names})
  endif()
endforeach()
if(NOT widget_names)
  message(FATAL_ERROR "The QtWidgets headers were not found: the session check needs their names")
endif()
list(JOIN widget_names "\n" widget_text)
set(VYN8_WIDGET_HEADERS ${CMAKE_BINARY_DIR}/rooms/qt-widgets-headers.txt)
file(WRITE ${VYN8_WIDGET_HEADERS} "${widget_text}\n")
set(VYN8_ROOM_CHECK ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}
  "-DARROWS=${VYN8_ROOM_ARROWS}" -DWIDGET_HEADERS=${VYN8_WIDGET_HEADERS}
  -P ${CMAKE_SOURCE_DIR}/cmake/CheckRooms.cmake)
execute_process(COMMAND ${VYN8_ROOM_CHECK} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "The room check failed (above).")
endif()
if(TARGET vyn8_session)
  file(GLOB_RECURSE session_files CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/session/*)
  set(stamp ${CMAKE_BINARY_DIR}/rooms/session-check.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${VYN8_ROOM_CHECK} -DSTAMP=${stamp}
    DEPENDS ${session_files} ${CMAKE_SOURCE_DIR}/cmake/CheckRooms.cmake
    COMMENT "The count session includes no widget")
  add_custom_target(vyn8_session_check DEPENDS ${stamp})
  add_dependencies(vyn8_session vyn8_session_check)
endif()
