// The GUI tests run on Qt's offscreen platform, under a HOME of their own that starts empty,
// so that a test can tell whether anything was written there.
#include "WindowImpl_qt.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();

    if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::string home = (std::filesystem::temp_directory_path() / "trevano-home-XXXXXX").string();
    if (!mkdtemp(home.data())) return 1;
    setenv("HOME", home.c_str(), 1);
    for (const char* pszName :
         {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        unsetenv(pszName);

    int nResult = 0;
    {
        QApplication app(argc, argv);
        AfxQtInitFramework();
        nResult = RUN_ALL_TESTS();
    }
    std::filesystem::remove_all(home);
    return nResult;
}
