#include "util/JsonWriter.h"

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
  text_ += line_break_;
  line_break_.clear();
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

void JsonWriter::Document(const JsonValue& value) {
  Write(value, 0);
}

void JsonWriter::BreakLine(std::size_t depth) {
  line_break_ = '\n' + std::string(2 * depth, ' ');
}

void JsonWriter::Write(const JsonValue& value, std::size_t depth) {
  if (const auto* object = std::get_if<JsonValue::Object>(&value.data)) {
    BeginObject();
    for (const auto& [name, member] : *object) {
      if (depth == 0) {
        BreakLine(1);
      }
      Key(name);
      Write(member, depth + 1);
    }
    if (depth == 0 && !object->empty()) {
      text_ += '\n';
    }
    EndObject();
  } else if (const auto* array = std::get_if<JsonValue::Array>(&value.data)) {
    BeginArray();
    for (const JsonValue& item : *array) {
      if (std::holds_alternative<JsonValue::Object>(item.data)) {
        BreakLine(depth + 1);
      }
      Write(item, depth + 1);
    }
    EndArray();
  } else if (const auto* number = std::get_if<std::int64_t>(&value.data)) {
    Number(*number);
  } else if (const auto* real = std::get_if<double>(&value.data)) {
    BeforeValue();
    text_ += std::to_string(*real);
  } else if (const auto* flag = std::get_if<bool>(&value.data)) {
    Bool(*flag);
  } else if (const auto* text = std::get_if<std::string>(&value.data)) {
    String(*text);
  } else {
    Null();
  }
}

}  // namespace n240qx
