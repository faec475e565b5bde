#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "device/HidLink.h"
#include "util/Error.h"

namespace n240qx::scripted {

// The transfers a scripted keyboard can be told to spoil, counted separately from the start.
enum class Transfer { kFeature, kAnswer, kDataOut, kDataIn, kEvent };

enum class FaultKind {
  kError,    // the transfer returns `code`
  kTimeout,  // a read returns 0 bytes (nothing arrived)
  kShort,    // the transfer moves only `short_length` bytes
};

struct Fault {
  Transfer transfer;
  int nth;  // 0-based among the transfers of that kind
  FaultKind kind;
  ErrorCode code = ErrorCode::kIo;
  std::size_t short_length = 3;
};

// A keyboard that answers from a script: feature answers by command code, data and event reports
// from queues (an empty queue times out), with faults on chosen transfers. Every device it opens
// shares one script, guarded by a lock, so a worker and a listener may use it at once.
class ScriptedHidLink final : public HidLink {
 public:
  ScriptedHidLink();

  void AddInterface(HidInterfaceInfo info);
  void AddKeyboardInterfaces(const std::string& node);
  // The answer to every later request with `code`; without one the answer is 9 zero bytes.
  void SetAnswer(std::uint8_t code, std::vector<std::uint8_t> answer);
  // Queues `payloads` (a whole number of 64-byte payloads) as data reports with report id 0.
  void QueueDataPayloads(std::span<const std::uint8_t> payloads);
  void QueueEvent(std::vector<std::uint8_t> report);
  void AddFault(Fault fault);
  // From now on the keyboard is gone: every transfer answers kDisconnected, nothing enumerates.
  void Unplug();

  int TransferCount() const;
  std::size_t QueuedDataReports() const;
  std::vector<int> EventTimeouts() const;
  std::vector<std::string> OpenedPaths() const;

  std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path) override;

  struct Script;

 private:
  std::shared_ptr<Script> script_;
};

}  // namespace n240qx::scripted
