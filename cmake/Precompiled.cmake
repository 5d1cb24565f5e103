# Precompiled Qt headers: most of the build time goes into reading Qt's headers again for every
# file. Each layer library compiles one set for its own files; the programs, tests and benchmarks
# above a layer reuse that layer's set. Layers without widgets get QtCore and some of the standard
# library, layers with widgets in addition QtGui and QtWidgets, so a file never sees declarations
# of a Qt module its layer does not link.
# Configure with -DKL_PCH=OFF to check that every file includes what it uses, and for the compile
# commands of clang-based tools (clang-tidy, clangd), which cannot read GCC's precompiled headers.
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

# A layer library's set: the widget set when the layer links Qt6::Widgets. The lowest layer of
# each kind compiles it; the layers above reuse it from the layer they link.
function(kl_precompile_layer target)
  if(NOT KL_PCH)
    return()
  endif()
  get_target_property(_libs ${target} LINK_LIBRARIES)
  set(_art core)
  if(Qt6::Widgets IN_LIST _libs)
    set(_art widgets)
  endif()
  foreach(_lib IN LISTS _libs)
    if(TARGET ${_lib})
      get_target_property(_unten ${_lib} KL_PCH_ART)
      if(_unten STREQUAL _art)
        get_target_property(_quelle ${_lib} KL_PCH_QUELLE)
        target_precompile_headers(${target} REUSE_FROM ${_quelle})
        set_target_properties(${target} PROPERTIES KL_PCH_ART ${_art} KL_PCH_QUELLE ${_quelle})
        return()
      endif()
    endif()
  endforeach()
  string(TOUPPER ${_art} _satz)
  target_precompile_headers(${target} PRIVATE ${KL_PCH_${_satz}})
  set_target_properties(${target} PROPERTIES KL_PCH_ART ${_art} KL_PCH_QUELLE ${target})
endfunction()

# A program or test reuses the set of the first layer library among its libraries; without one
# it reads the headers as usual. Extra defines and include folders (Qt6::Test, libical) leave the
# set usable; GCC warns (-Winvalid-pch) when it is not.
function(kl_precompile_reuse target)
  if(NOT KL_PCH)
    return()
  endif()
  foreach(_lib IN LISTS ARGN)
    if(TARGET ${_lib})
      get_target_property(_quelle ${_lib} KL_PCH_QUELLE)
      if(_quelle)
        target_precompile_headers(${target} REUSE_FROM ${_quelle})
        # The collected moc file of a program is empty (each file includes its own moc output):
        # loading the headers into it would cost more than it compiles.
        get_target_property(_bau ${target} BINARY_DIR)
        set_source_files_properties(${_bau}/${target}_autogen/mocs_compilation.cpp
          TARGET_DIRECTORY ${target} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
        return()
      endif()
    endif()
  endforeach()
endfunction()
