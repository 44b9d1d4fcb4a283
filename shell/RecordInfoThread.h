#pragma once
// TRecordInfoThread: prepares the vehicle and owner pictures of the main
// window's information panel in the background, so that moving through the
// list never waits for a JPEG. Requests replace each other; only the latest
// vehicle and owner are shown. The display step (pictures into the panel,
// texts from the stores) runs on the user-interface thread through the
// updater, which the window runs synchronously there.
//
// The worker touches nothing the user-interface thread may change: the
// background colour and the picture finder are copies handed to it under its
// lock, and the finder works on file systems of its own (TEntryPictureLookup).
// It runs below normal priority.

#include <atomic>
#include <climits>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "storage/Picture.h"

class TRecordInfoThread {
 public:
  struct TUpdate {
    bool vehicle = true;  // the vehicle picture, else the owner picture
    int32_t id = -1;
    bool loaded = false;  // a picture was loaded into `picture`
    TPicture picture;     // the panel size, background-filled
  };
  // The JPEG designated for an entry ("CAR" or "CON" and its ID), as a real
  // path, or empty. Runs on the worker, so it must own what it reads.
  using TPictureFinder = std::function<std::string(const char* kind, int32_t id)>;
  // Runs the display step on the user-interface thread and returns when done.
  using TUpdater = std::function<void(const TUpdate&)>;

  TRecordInfoThread(int width, int height, TUpdater updater);
  ~TRecordInfoThread();

  // Take effect from the next picture prepared.
  void SetPictureFinder(TPictureFinder finder);
  void SetBackground(uint32_t rgb);  // 0xRRGGBB

  void SetCarID(int32_t id);
  void SetCustomerID(int32_t id);
  // Shows the requested vehicle and owner again (after a change of colour).
  void Refresh();
  // Stops the worker. `pumpEvents` keeps the user-interface thread's events
  // flowing while waiting, so that a display step in progress can finish.
  void Terminate(const std::function<void()>& pumpEvents = {});

 private:
  void Run();
  void Show(bool vehicle, int32_t id, const TPictureFinder& finder, uint32_t background);

  const int width_, height_;
  TUpdater updater_;
  TPictureFinder finder_;        // guarded by mutex_
  uint32_t background_ = 0xFFFFFF;  // guarded by mutex_

  std::mutex mutex_;
  std::condition_variable wake_;
  int32_t requestedCar_ = INT_MIN, shownCar_ = INT_MIN;
  int32_t requestedCustomer_ = INT_MIN, shownCustomer_ = INT_MIN;
  bool stop_ = false;
  std::atomic<bool> finished_{false};
  std::thread thread_;
};
