#include "app/BackupName.h"

#include <array>
#include <charconv>
#include <cstdio>

namespace n240qx {

namespace {

using std::chrono::days;
using std::chrono::floor;

constexpr std::string_view kExtension = ".bin";
// "YYYYMMDD-HHMMSS-mmm-"
constexpr std::size_t kStampSize = 20;

struct Flag {
  std::string_view word;
  bool ChangeSummary::*member;
};

constexpr std::array<Flag, 8> kFlags{{
    {"factory-reset", &ChangeSummary::factory_reset},
    {"lighting", &ChangeSummary::lighting},
    {"key-colours", &ChangeSummary::key_colours},
    {"macros", &ChangeSummary::macros},
    {"game-mode", &ChangeSummary::game_mode},
    {"windows-key-lock", &ChangeSummary::windows_key_lock},
    {"report-rate", &ChangeSummary::report_rate},
    {"response-time", &ChangeSummary::response_time},
}};
constexpr std::string_view kKeysWord = "-keys";

std::string Words(const ChangeSummary& summary) {
  std::string words;
  const auto add = [&](std::string_view word) {
    words += words.empty() ? "" : "+";
    words += word;
  };
  for (const Flag& flag : kFlags) {
    if (summary.*flag.member) {
      add(flag.word);
    }
  }
  if (summary.keys > 0) {
    add(std::to_string(summary.keys) + std::string(kKeysWord));
  }
  return words;
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& value) {
  if (text.empty() || text.size() > 9) {
    return false;
  }
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseWord(std::string_view word, ChangeSummary& summary) {
  for (const Flag& flag : kFlags) {
    if (word == flag.word) {
      summary.*flag.member = true;
      return true;
    }
  }
  return word.ends_with(kKeysWord) &&
         ParseNumber(word.substr(0, word.size() - kKeysWord.size()), summary.keys) &&
         summary.keys > 0;
}

std::optional<ChangeSummary> ParseWords(std::string_view words) {
  ChangeSummary summary;
  while (!words.empty()) {
    const std::size_t plus = words.find('+');
    if (!ParseWord(words.substr(0, plus), summary)) {
      return std::nullopt;
    }
    words = plus == std::string_view::npos ? std::string_view() : words.substr(plus + 1);
  }
  return summary;
}

std::optional<BackupName::Time> ParseStamp(std::string_view stamp) {
  int year = 0;
  unsigned month = 0;
  unsigned day = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int millisecond = 0;
  if (stamp.size() != kStampSize || stamp[8] != '-' || stamp[15] != '-' || stamp[19] != '-' ||
      !ParseNumber(stamp.substr(0, 4), year) || !ParseNumber(stamp.substr(4, 2), month) ||
      !ParseNumber(stamp.substr(6, 2), day) || !ParseNumber(stamp.substr(9, 2), hour) ||
      !ParseNumber(stamp.substr(11, 2), minute) || !ParseNumber(stamp.substr(13, 2), second) ||
      !ParseNumber(stamp.substr(16, 3), millisecond)) {
    return std::nullopt;
  }
  const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                         std::chrono::day(day)};
  if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
    return std::nullopt;
  }
  return std::chrono::sys_days(date) + std::chrono::hours(hour) + std::chrono::minutes(minute) +
         std::chrono::seconds(second) + std::chrono::milliseconds(millisecond);
}

}  // namespace

std::string BackupName::Format() const {
  const auto day = floor<days>(time);
  const std::chrono::year_month_day date(day);
  const std::chrono::hh_mm_ss clock(time - day);
  // Room for any value the fields can hold; a year past 9999 makes a name Parse refuses.
  std::array<char, 48> stamp{};
  std::snprintf(
      stamp.data(), stamp.size(), "%04d%02u%02u-%02d%02d%02d-%03d-", static_cast<int>(date.year()),
      static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
      static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
      static_cast<int>(clock.seconds().count()), static_cast<int>(clock.subseconds().count()));
  return std::string(stamp.data()) + std::to_string(sequence) + "_" + Words(summary) +
         std::string(kExtension);
}

std::optional<BackupName> BackupName::Parse(std::string_view file_name) {
  if (!file_name.ends_with(kExtension)) {
    return std::nullopt;
  }
  file_name.remove_suffix(kExtension.size());
  const std::size_t underscore = file_name.find('_');
  if (underscore == std::string_view::npos || underscore <= kStampSize) {
    return std::nullopt;
  }
  const auto time = ParseStamp(file_name.substr(0, kStampSize));
  unsigned sequence = 0;
  const auto summary = ParseWords(file_name.substr(underscore + 1));
  if (!time || !summary ||
      !ParseNumber(file_name.substr(kStampSize, underscore - kStampSize), sequence)) {
    return std::nullopt;
  }
  return BackupName{*time, sequence, *summary};
}

}  // namespace n240qx
