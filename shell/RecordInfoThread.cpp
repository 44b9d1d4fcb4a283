#include "shell/RecordInfoThread.h"

#include <algorithm>
#include <sys/resource.h>
#include <unistd.h>

#include "storage/RealFileSystem.h"

namespace {

// Scrolling through the list comes first: the pictures are prepared with what
// the user-interface thread leaves over.
void LowerThisThreadsPriority() {
  const int current = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
  setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), std::min(current + 5, 19));
}

}  // namespace

TRecordInfoThread::TRecordInfoThread(int width, int height, TUpdater updater)
    : width_(width), height_(height), updater_(std::move(updater)) {
  thread_ = std::thread([this] {
    LowerThisThreadsPriority();
    Run();
  });
}

void TRecordInfoThread::SetPictureFinder(TPictureFinder finder) {
  std::lock_guard<std::mutex> lock(mutex_);
  finder_ = std::move(finder);
}

void TRecordInfoThread::SetBackground(uint32_t rgb) {
  std::lock_guard<std::mutex> lock(mutex_);
  background_ = rgb;
}

TRecordInfoThread::~TRecordInfoThread() { Terminate(); }

void TRecordInfoThread::SetCarID(int32_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  requestedCar_ = id;
  wake_.notify_one();
}

void TRecordInfoThread::SetCustomerID(int32_t id) {
  std::lock_guard<std::mutex> lock(mutex_);
  requestedCustomer_ = id;
  wake_.notify_one();
}

void TRecordInfoThread::Refresh() {
  std::lock_guard<std::mutex> lock(mutex_);
  shownCar_ = shownCustomer_ = INT_MIN;
  wake_.notify_one();
}

void TRecordInfoThread::Terminate(const std::function<void()>& pumpEvents) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stop_ = true;
    wake_.notify_one();
  }
  if (!thread_.joinable()) return;
  while (pumpEvents && !finished_.load()) {
    pumpEvents();
    std::this_thread::yield();
  }
  thread_.join();
}

void TRecordInfoThread::Run() {
  for (;;) {
    int32_t car = 0, customer = 0;
    bool showCar = false, showCustomer = false;
    TPictureFinder finder;
    uint32_t background = 0;
    {
      std::unique_lock<std::mutex> lock(mutex_);
      wake_.wait(lock, [&] { return stop_ || requestedCar_ != shownCar_ || requestedCustomer_ != shownCustomer_; });
      if (stop_) break;
      if (requestedCar_ != shownCar_) {
        shownCar_ = car = requestedCar_;
        showCar = true;
      } else {
        shownCustomer_ = customer = requestedCustomer_;
        showCustomer = true;
      }
      finder = finder_;
      background = background_;
    }
    if (showCar) Show(true, car, finder, background);
    if (showCustomer) Show(false, customer, finder, background);
  }
  finished_ = true;
}

void TRecordInfoThread::Show(bool vehicle, int32_t id, const TPictureFinder& finder, uint32_t background) {
  TUpdate update;
  update.vehicle = vehicle;
  update.id = id;
  std::string file = id >= 0 && finder ? finder(vehicle ? "CAR" : "CON", id) : "";
  TPicture picture;
  if (!file.empty() && HostExists(file, fdFile)) {
    LoadJpeg(file, picture);  // a damaged file leaves an empty picture
    update.picture = FitPicture(picture, width_, height_, background);
    update.loaded = true;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_) return;
  }
  if (updater_) updater_(update);
}
