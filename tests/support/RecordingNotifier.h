#pragma once
// A notifier for tests: records every message and answers from a script.

#include <deque>
#include <string>
#include <vector>

#include "storage/Notifier.h"

class TRecordingNotifier : public INotifier {
 public:
  TRecordingNotifier() { SetNotifier(this); }
  ~TRecordingNotifier() override { SetNotifier(nullptr); }

  // Answers to give, in order; when the script is empty the default answer.
  void Script(std::initializer_list<TMsgAnswer> answers) { answers_.insert(answers_.end(), answers); }

  TMsgAnswer Show(const TMessageBox& message) override {
    shown.push_back(message);
    if (answers_.empty()) return message.defaultAnswer;
    TMsgAnswer a = answers_.front();
    answers_.pop_front();
    return a;
  }

  std::vector<std::string> Texts() const {
    std::vector<std::string> t;
    for (const TMessageBox& m : shown) t.push_back(m.text);
    return t;
  }

  std::vector<TMessageBox> shown;

 private:
  std::deque<TMsgAnswer> answers_;
};
