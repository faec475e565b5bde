#include "dialogs/ListBoxModel.h"

#include <algorithm>
#include <cctype>

namespace n240qx {

namespace {

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

bool IsKeyLine(std::string_view text) {
  return text.find("up") != std::string_view::npos || text.find("dn") != std::string_view::npos;
}

}  // namespace

void ListBoxModel::Select(int index) {
  selected_ = index >= 0 && index < count() ? index : -1;
}

int ListBoxModel::PlaceOf(const std::string& text) const {
  return static_cast<int>(std::upper_bound(items_.begin(), items_.end(), text, LessIgnoringCase) -
                          items_.begin());
}

int ListBoxModel::Add(std::string text) {
  return Insert(count(), std::move(text));
}

int ListBoxModel::Insert(int index, std::string text) {
  editing_ = -1;
  const int place = sorted_ ? PlaceOf(text) : std::clamp(index, 0, count());
  items_.insert(items_.begin() + place, std::move(text));
  if (selected_ >= place) {
    ++selected_;
  }
  return place;
}

void ListBoxModel::Remove(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  editing_ = -1;
  items_.erase(items_.begin() + index);
  if (selected_ == index) {
    selected_ = -1;
  } else if (selected_ > index) {
    --selected_;
  }
}

void ListBoxModel::Clear() {
  items_.clear();
  selected_ = -1;
  editing_ = -1;
}

std::optional<std::string> ListBoxModel::BeginEdit(int index) {
  if (mode_ == ListEditMode::kNone || index < 0 || index >= count()) {
    return std::nullopt;
  }
  std::string text = items_[static_cast<std::size_t>(index)];
  if (mode_ == ListEditMode::kDelayValues) {
    if (IsKeyLine(text)) {
      return std::nullopt;
    }
    if (text.ends_with(kDelaySuffix)) {
      text.resize(text.size() - kDelaySuffix.size());
    }
  }
  editing_ = index;
  return text;
}

std::string ListBoxModel::SettledText(std::string_view typed) const {
  switch (mode_) {
    case ListEditMode::kDelayValues:
      return std::to_string(ClampDelay(typed)) + std::string(kDelaySuffix);
    case ListEditMode::kFileNames:
      return typed.ends_with(kFileSuffix) ? std::string(typed)
                                          : std::string(typed) + std::string(kFileSuffix);
    default:
      return std::string(typed);
  }
}

std::vector<ListNotice> ListBoxModel::EndEdit(bool accepted, std::string_view typed) {
  const int index = editing_;
  editing_ = -1;
  std::vector<ListNotice> notices;
  if (!accepted || index < 0 || index >= count()) {
    return notices;
  }
  std::string text = SettledText(typed);
  const bool delays = mode_ == ListEditMode::kDelayValues;
  if (delays) {
    notices.push_back({ListNotice::Kind::kEditAccepted, index, ClampDelay(typed), {}});
  }
  auto& item = items_[static_cast<std::size_t>(index)];
  if (text == item) {
    return notices;
  }
  std::string old_text = std::move(item);
  Remove(index);
  const int now = Insert(index, std::move(text));
  selected_ = now;
  if (report_changes_) {
    notices.push_back({ListNotice::Kind::kItemChanged, index, 0, std::move(old_text)});
  }
  if (!delays) {
    notices.push_back({ListNotice::Kind::kEditAccepted, index, now, {}});
  }
  return notices;
}

bool ListBoxModel::EditTextAllowed(std::string_view text) const {
  return mode_ != ListEditMode::kDelayValues || std::all_of(text.begin(), text.end(), [](char c) {
           return std::isdigit(static_cast<unsigned char>(c)) != 0;
         });
}

int ListBoxModel::ClampDelay(std::string_view digits) {
  long long value = 0;
  for (const char c : digits) {
    if (!std::isdigit(static_cast<unsigned char>(c))) {
      break;
    }
    // Anything past the maximum clamps to it; stop before the number can overflow.
    value = std::min<long long>(value * 10 + (c - '0'), kMaxDelayMs + 1LL);
  }
  return static_cast<int>(std::clamp<long long>(value, kMinDelayMs, kMaxDelayMs));
}

}  // namespace n240qx
