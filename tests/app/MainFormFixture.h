#pragma once
// The main window created as the program creates it, over the recording fake.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/FuncUnit.h"
#include "app/MainUnit.h"
#include "fakes/FakePlatform.h"
#include "toolkit/Application.h"

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() { ShellMajorVersion = 0; }
  ~MainFormTest() override { MainForm = nullptr; }

  // Creates the window from its layout; its FormCreate loads the cookie list.
  TMainForm& Create() {
    application.CreateForm(MainForm);
    return *MainForm;
  }

  void AddCookie(const std::string& url, DWORD hits = 1, std::uint64_t modified = 0,
                 std::uint64_t expires = 0) {
    fake.cache.push_back({url, COOKIE_CACHE_ENTRY, hits, modified, expires});
  }

  // Opens the window if need be, then runs the clean-up of one item of the second tab through
  // "Delete", as a click does, with the call log cleared just before.
  void RunCleanUp(int item) {
    TMainForm& form = MainForm == nullptr ? Create() : *MainForm;
    fake.calls.clear();
    form.CheckListBox1->SetChecked(item, true);
    form.ToolButton11->click();
  }

  std::vector<std::string> Captions() const {
    std::vector<std::string> captions;
    for (int i = 0; i < MainForm->lvCookies->Items->Count(); ++i) {
      captions.emplace_back(MainForm->lvCookies->Items->Item(i)->Caption());
    }
    return captions;
  }

  fakes::FakePlatform fake;
  toolkit::TApplication application;
};
