#include "shell/RecordInfoThread.h"

#include "storage/RealFileSystem.h"

TRecordInfoThread::TRecordInfoThread(int width, int height, TPictureFinder finder, TUpdater updater,
                                     TBackground background)
    : width_(width), height_(height), finder_(std::move(finder)), updater_(std::move(updater)),
      background_(std::move(background)) {
  thread_ = std::thread([this] { Run(); });
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
    }
    if (showCar) Show(true, car);
    if (showCustomer) Show(false, customer);
  }
  finished_ = true;
}

void TRecordInfoThread::Show(bool vehicle, int32_t id) {
  TUpdate update;
  update.vehicle = vehicle;
  update.id = id;
  std::string file = id >= 0 && finder_ ? finder_(vehicle ? "CAR" : "CON", id) : "";
  TPicture picture;
  if (!file.empty() && HostExists(file, fdFile)) {
    LoadJpeg(file, picture);  // a damaged file leaves an empty picture
    update.picture = FitPicture(picture, width_, height_, background_ ? background_() : 0xFFFFFF);
    update.loaded = true;
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (stop_) return;
  }
  if (updater_) updater_(update);
}
