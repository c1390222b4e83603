// Runs the tests inside a Qt application on the offscreen platform, with the user's data and
// runtime folders replaced by temporary ones, so no test reaches the real profile.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>

#include <cstdlib>

int main(int argc, char* argv[]) {
  ::testing::InitGoogleMock(&argc, argv);
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QTemporaryDir data;
  QTemporaryDir runtime;
  setenv("XDG_DATA_HOME", data.path().toLocal8Bit().constData(), 1);
  setenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit().constData(), 1);
  // No drives: the stand-in recycle bin never reaches the trash of a real one.
  setenv("STANDIN_MOUNTINFO", "", 1);
  QFile::setPermissions(runtime.path(),
                        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
