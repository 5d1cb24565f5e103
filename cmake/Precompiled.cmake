# Precompiled Qt headers: most of the build time goes into reading Qt's headers again for every
# file. Two sets are compiled once per build and reused by every target of their kind:
#   kl_pch_core     QtCore and some of the standard library, for targets without widgets
#                   (the model, the calendar file, the command-line tool, their tests);
#   kl_pch_widgets  in addition QtGui and QtWidgets, for every target that links Qt6::Widgets.
# So a target never sees declarations of a Qt module it does not link. GCC checks that a
# target's flags match the donor's and otherwise reads the headers as usual (-Winvalid-pch
# says so): slower, never wrong. Configure with -DKL_PCH=OFF to check that every file
# includes what it uses, and for the compile commands of clang-based tools (clang-tidy, clangd),
# which cannot read GCC's precompiled headers.
option(KL_PCH "Precompile the Qt headers" ON)

set(KL_PCH_CORE
  <algorithm> <array> <cmath> <functional> <memory> <optional> <vector>
  <QByteArray> <QCoreApplication> <QDate> <QDateTime> <QDir> <QFile> <QFileInfo> <QHash>
  <QJsonArray> <QJsonDocument> <QJsonObject> <QList> <QLocale> <QObject> <QProcess>
  <QRegularExpression> <QSaveFile> <QSet> <QString> <QStringList> <QStringView>
  <QTemporaryDir> <QTimer> <QUrl> <QVariant>)
set(KL_PCH_WIDGETS ${KL_PCH_CORE}
  <QColor> <QFont> <QFontMetrics> <QImage> <QMouseEvent> <QPainter> <QPainterPath> <QPixmap>
  <QScreen> <QApplication> <QComboBox> <QDialog> <QHBoxLayout> <QLabel> <QLineEdit>
  <QMessageBox> <QPlainTextEdit> <QPushButton> <QScrollArea> <QScrollBar> <QToolButton>
  <QVBoxLayout> <QWidget>)

# With ccache as the compiler launcher GCC must hand the header through the preprocessor
# output, or ccache cannot cache the files that use it.
if(KL_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_LAUNCHER MATCHES "ccache")
  target_compile_options(kl_options INTERFACE -fpch-preprocess)
endif()

function(_kl_pch_donor name qt_library)
  set(_quelle ${CMAKE_BINARY_DIR}/${name}.cpp)
  file(CONFIGURE OUTPUT ${_quelle} CONTENT "// Compiles the precompiled headers ${name}.\n")
  add_library(${name} OBJECT ${_quelle})
  set_target_properties(${name} PROPERTIES AUTOMOC OFF)
  target_link_libraries(${name} PRIVATE kl_options ${qt_library})
  target_precompile_headers(${name} PRIVATE ${ARGN})
endfunction()

# The targets a target links, directly or through the libraries it links.
function(_kl_link_closure target out)
  set(_offen ${target})
  set(_gesehen)
  while(_offen)
    list(POP_FRONT _offen _t)
    string(REGEX REPLACE "^\\$<LINK_ONLY:(.*)>$" "\\1" _t "${_t}")
    if(_t IN_LIST _gesehen OR NOT TARGET ${_t})
      continue()
    endif()
    list(APPEND _gesehen ${_t})
    get_target_property(_importiert ${_t} IMPORTED)
    if(_importiert)
      continue()
    endif()
    get_target_property(_direkt ${_t} LINK_LIBRARIES)
    get_target_property(_weiter ${_t} INTERFACE_LINK_LIBRARIES)
    foreach(_l IN LISTS _direkt _weiter)
      if(_l)
        list(APPEND _offen ${_l})
      endif()
    endforeach()
  endwhile()
  set(${out} ${_gesehen} PARENT_SCOPE)
endfunction()

function(_kl_targets_below dir out)
  get_property(_ziele DIRECTORY ${dir} PROPERTY BUILDSYSTEM_TARGETS)
  get_property(_unter DIRECTORY ${dir} PROPERTY SUBDIRECTORIES)
  foreach(_u IN LISTS _unter)
    _kl_targets_below(${_u} _mehr)
    list(APPEND _ziele ${_mehr})
  endforeach()
  set(${out} ${_ziele} PARENT_SCOPE)
endfunction()

# Gives every library and program of the project that uses Qt (everything that links kl_options
# and a Qt module) its set.
# Called once at the end of the top-level CMakeLists.txt, when all targets exist.
function(kl_precompile_qt_headers)
  if(NOT KL_PCH)
    return()
  endif()
  _kl_pch_donor(kl_pch_core Qt6::Core ${KL_PCH_CORE})
  _kl_pch_donor(kl_pch_widgets Qt6::Widgets ${KL_PCH_WIDGETS})
  _kl_targets_below(${PROJECT_SOURCE_DIR} _ziele)
  foreach(_ziel IN LISTS _ziele)
    get_target_property(_typ ${_ziel} TYPE)
    if(NOT _typ MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|OBJECT_LIBRARY)$"
       OR _ziel MATCHES "^kl_pch_")
      continue()
    endif()
    _kl_link_closure(${_ziel} _alle)
    list(FILTER _alle INCLUDE REGEX "^(kl_options|Qt6::.*)$")
    if(NOT kl_options IN_LIST _alle OR NOT _alle MATCHES "Qt6::")
      continue()
    elseif(Qt6::Widgets IN_LIST _alle)
      target_precompile_headers(${_ziel} REUSE_FROM kl_pch_widgets)
    else()
      target_precompile_headers(${_ziel} REUSE_FROM kl_pch_core)
    endif()
    # A program's own moc output is included by its source file, which leaves the collected
    # moc file empty; loading the headers into it would cost more than it compiles.
    if(_typ STREQUAL "EXECUTABLE")
      get_target_property(_bau ${_ziel} BINARY_DIR)
      set_source_files_properties(${_bau}/${_ziel}_autogen/mocs_compilation.cpp
        TARGET_DIRECTORY ${_ziel} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
endfunction()
