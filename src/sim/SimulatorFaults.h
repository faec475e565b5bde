#pragma once

#include <chrono>
#include <cstdint>
#include <optional>

namespace n240qx {

// The four transfers on the command interface, as a fault can pick them.
enum class TransferKind { kAny, kFeatureSend, kAnswer, kDataIn, kDataOut };

// How an answer or an incoming data report is spoiled.
enum class GarbageKind {
  kRandomBytes,  // the full length, every byte after the report id random
  kWrongLength,  // fewer bytes than the report has
};

// A fault count that never runs out.
inline constexpr int kEveryTime = -1;

// What the tests asked the simulated keyboard to get wrong. Counts run down as faults strike;
// kEveryTime keeps a fault until it is cleared.
class SimulatorFaults {
 public:
  void FailTransfers(TransferKind kind, int count);
  void AnswerGarbage(GarbageKind kind, int count);
  void DropAcknowledgements(int count) { drop_acks_ = count; }
  void DelayAcknowledgements(std::chrono::milliseconds delay) { ack_delay_ = delay; }
  void SetAnswering(bool answering) { answering_ = answering; }
  void Clear() { *this = SimulatorFaults(); }

  // Each Take* call consumes one strike of the fault when it applies.
  bool TakeTransferFailure(TransferKind kind);
  // The garbage to give instead of an answer or a data report, if any.
  std::optional<GarbageKind> TakeGarbage();
  bool TakeAcknowledgementDrop() { return Take(drop_acks_); }
  std::chrono::milliseconds ack_delay() const { return ack_delay_; }
  bool answering() const { return answering_; }

 private:
  static bool Take(int& count);

  TransferKind fail_kind_ = TransferKind::kAny;
  int fail_count_ = 0;
  GarbageKind garbage_kind_ = GarbageKind::kRandomBytes;
  int garbage_count_ = 0;
  int drop_acks_ = 0;
  std::chrono::milliseconds ack_delay_{0};
  bool answering_ = true;
};

}  // namespace n240qx
