#include "storage/Random.h"

#include <mutex>
#include <random>

int RandomBelow(int bound) {
  static std::mutex mutex;
  static std::mt19937_64 engine{std::random_device{}()};
  std::lock_guard<std::mutex> lock(mutex);
  return static_cast<int>(std::uniform_int_distribution<int>(0, bound - 1)(engine));
}
