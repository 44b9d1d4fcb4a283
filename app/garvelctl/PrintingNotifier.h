#pragma once
// The program's messages on standard output, where they belong to a
// command's result ("Informace: ..."); every question takes its default.

#include <cstdio>

#include "storage/Notifier.h"
#include "storage/TextUtils.h"

class TPrintingNotifier : public INotifier {
 public:
  TPrintingNotifier() { SetNotifier(this); }
  ~TPrintingNotifier() override { SetNotifier(nullptr); }
  TMsgAnswer Show(const TMessageBox& m) override {
    std::printf("%s: %s\n", m.caption.c_str(), ReplaceAll(m.text, "\r\n", "\n").c_str());
    return m.defaultAnswer;
  }
};
