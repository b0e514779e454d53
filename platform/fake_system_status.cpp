#include "platform/fake_system_status.h"

namespace kdw {
namespace {

constexpr std::uintptr_t kFirstHandle = std::uintptr_t{0xF} << (sizeof(std::uintptr_t) * 8 - 4);

}  // namespace

std::uint32_t FakePerformanceCounters::OpenQuery(PdhQueryHandle& query) {
  query = 0;
  if (open_status_ != pdh::kSuccess) return open_status_;
  query = kFirstHandle + queries_.size();
  queries_.push_back(query);
  return pdh::kSuccess;
}

std::uint32_t FakePerformanceCounters::AddCounter(PdhQueryHandle query, const std::string& path,
                                                  PdhCounterHandle& counter) {
  counter = 0;
  bool open = false;
  for (PdhQueryHandle known : queries_) open = open || known == query;
  if (!open) return pdh::kInvalidHandle;
  added_paths_.push_back(path);
  counter = kFirstHandle + 0x1000 + added_paths_.size();
  return pdh::kSuccess;
}

std::uint32_t FakePerformanceCounters::CollectQueryData(PdhQueryHandle query) {
  ++collections_;
  for (PdhQueryHandle known : queries_) {
    if (known == query) return added_paths_.empty() ? pdh::kNoData : pdh::kSuccess;
  }
  return pdh::kInvalidHandle;
}

bool FakePerformanceCounters::IsCounter(PdhCounterHandle counter) const {
  return counter > kFirstHandle + 0x1000 && counter <= kFirstHandle + 0x1000 + added_paths_.size();
}

CounterValue FakePerformanceCounters::GetDoubleCounterValue(PdhCounterHandle counter) {
  if (!IsCounter(counter)) return {0.0, pdh::kInvalidHandle};
  if (values_.empty()) return {0.0, pdh::kCStatusInvalidData};
  const CounterValue value = values_.front();
  values_.pop_front();
  return value;
}

std::string FakePerformanceCounters::LookupPerfNameByIndex(std::uint32_t index) {
  const auto found = names_.find(index);
  return found == names_.end() ? "" : found->second;
}

}  // namespace kdw
