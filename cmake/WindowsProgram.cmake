# The Windows program: the Win32 half of the window framework, the application and its
# resources, in one GUI executable, Trevano.exe.

# Object files rather than an archive: WinMain lives here, and the runtime's main, which calls
# it, is linked after every archive of ours.
add_library(trevano_win32 OBJECT
  platform/Window.cpp
  platform/win32/App_win.cpp
  platform/win32/Dialog_win.cpp
  platform/win32/FileDialog_win.cpp
  platform/win32/Metrics_win.cpp
  platform/win32/Window_win.cpp)
target_include_directories(trevano_win32 PUBLIC platform PRIVATE platform/win32)
target_link_libraries(trevano_win32 PUBLIC trevano_platform trevano_res)

add_executable(Trevano WIN32
  app/TrevanoApp.cpp
  app/TrevanoDlg.cpp
  app/TrevanoDlgCommands.cpp
  app/AboutDlg.cpp
  $<TARGET_OBJECTS:trevano_win32>
  $<TARGET_OBJECTS:trevano_rc>)
target_include_directories(Trevano PRIVATE app)
target_link_libraries(Trevano PRIVATE trevano_win32 trevano_dxf trevano_export comctl32 comdlg32)
