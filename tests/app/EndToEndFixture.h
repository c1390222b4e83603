#pragma once
// The window over the real stand-in platform, in a temporary profile of its own.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainUnit.h"
#include "platform/linux/LinuxPlatform.h"
#include "support/TempProfile.h"
#include "toolkit/Application.h"

namespace support {

class EndToEndFixture : public ::testing::Test {
 protected:
  ~EndToEndFixture() override {
    delete MainForm;
    MainForm = nullptr;
  }

  TMainForm& Open() {
    MainForm = new TMainForm;
    MainForm->FormCreate(nullptr);
    return *MainForm;
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      captions.emplace_back(MainForm->lvCookies->Items->Item(i)->Caption());
    }
    return captions;
  }

  TempProfile profile_;
  standin::LinuxPlatform platform_;
  toolkit::TApplication application_;
};

}  // namespace support
