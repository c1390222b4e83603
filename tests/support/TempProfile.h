#pragma once
// A fresh, empty XDG data folder for one test; the previous one comes back afterwards.

#include <QTemporaryDir>

#include <filesystem>
#include <string>

namespace support {

class TempProfile {
 public:
  TempProfile();
  ~TempProfile();
  TempProfile(const TempProfile&) = delete;
  TempProfile& operator=(const TempProfile&) = delete;

  std::filesystem::path DataHome() const { return dir_.path().toStdString(); }

 private:
  QTemporaryDir dir_;
  std::string previous_;
};

}  // namespace support
