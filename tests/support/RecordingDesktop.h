#pragma once
// A desktop for tests: records what was opened and answers questions from a
// script (an empty answer means "cancelled").

#include <deque>
#include <string>
#include <vector>

#include "shell/Desktop.h"

class TRecordingDesktop : public IDesktop {
 public:
  TRecordingDesktop() { SetDesktop(this); }
  ~TRecordingDesktop() override { SetDesktop(nullptr); }

  // Answers to the Ask* questions, in order.
  void Script(std::initializer_list<std::string> answers) { answers_.insert(answers_.end(), answers); }

  bool OpenDocument(const std::string& path) override {
    documents.push_back(path);
    return accept;
  }
  bool OpenUrl(const std::string& url) override {
    urls.push_back(url);
    return accept;
  }
  std::string AskOpenFile(const std::string& caption, const std::string&, const std::string&) override {
    return Next(caption);
  }
  std::string AskSaveFile(const std::string& caption, const std::string&, const std::string&) override {
    return Next(caption);
  }
  std::string AskFolder(const std::string& caption, const std::string&) override { return Next(caption); }

  bool accept = true;  // what OpenDocument and OpenUrl answer
  std::vector<std::string> documents, urls, questions;

 private:
  std::string Next(const std::string& caption) {
    questions.push_back(caption);
    if (answers_.empty()) return "";
    std::string a = answers_.front();
    answers_.pop_front();
    return a;
  }
  std::deque<std::string> answers_;
};
