#include "cli/JsonWriter.h"

#include <cstdio>

namespace n240qx {

void JsonWriter::BeforeValue() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (!has_value_.empty()) {
    if (has_value_.back()) {
      text_ += ',';
    }
    has_value_.back() = true;
  }
}

void JsonWriter::BeginObject() {
  BeforeValue();
  text_ += '{';
  has_value_.push_back(false);
}

void JsonWriter::EndObject() {
  text_ += '}';
  has_value_.pop_back();
}

void JsonWriter::BeginArray() {
  BeforeValue();
  text_ += '[';
  has_value_.push_back(false);
}

void JsonWriter::EndArray() {
  text_ += ']';
  has_value_.pop_back();
}

void JsonWriter::Key(std::string_view name) {
  BeforeValue();
  Quote(name);
  text_ += ':';
  after_key_ = true;
}

void JsonWriter::String(std::string_view value) {
  BeforeValue();
  Quote(value);
}

void JsonWriter::Quote(std::string_view value) {
  text_ += '"';
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      text_ += '\\';
      text_ += c;
    } else if (byte < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04X", byte);
      text_ += escaped;
    } else {
      text_ += c;
    }
  }
  text_ += '"';
}

void JsonWriter::Number(std::int64_t value) {
  BeforeValue();
  text_ += std::to_string(value);
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  text_ += value ? "true" : "false";
}

void JsonWriter::Null() {
  BeforeValue();
  text_ += "null";
}

void JsonWriter::Value(const JsonScalar& value) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    Number(*number);
  } else if (const auto* flag = std::get_if<bool>(&value)) {
    Bool(*flag);
  } else {
    String(std::get<std::string>(value));
  }
}

}  // namespace n240qx
