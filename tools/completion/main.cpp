// Fills the bash completion script of n240qx-ctl with the names the tool accepts for keys, so
// that the script never drifts from the key table: n240qx-complgen TEMPLATE OUTPUT.
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <utility>

#include "keys/KeyLookup.h"
#include "keys/KeyNameTable.h"
#include "keys/KeyTable.h"

namespace {

// Words bash can offer without quoting; the others ("/", "'", ";") are typed by hand.
bool Completable(const std::string& word) {
  if (word.empty()) {
    return false;
  }
  for (const char c : word) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                       c == '_' || c == '-' || c == '+';
    if (!plain) {
      return false;
    }
  }
  return true;
}

std::string Joined(const std::set<std::string>& words) {
  std::string text;
  for (const std::string& word : words) {
    text += (text.empty() ? "" : " ") + word;
  }
  return text;
}

// The keyboard's keys by the names `keys` prints: each picks one key, where a label such as
// "Ctrl" would be refused as ambiguous.
std::string KeyNames(const n240qx::KeyNameTable& table) {
  const n240qx::KeyLookup lookup(table);
  std::set<std::string> names;
  for (const n240qx::KeyTableRow& row : n240qx::KeyTable::Rows()) {
    if (std::string name = lookup.PickName(row); Completable(name)) {
      names.insert(std::move(name));
    }
  }
  return Joined(names);
}

// The keys to send by name, without the trailing blank the table keeps.
std::string SendNames(const n240qx::KeyNameTable& table) {
  std::set<std::string> names;
  for (int vk = 0; vk < 256; ++vk) {
    const std::u16string& name = table.KeyNameOf(static_cast<std::uint8_t>(vk));
    std::string ascii;
    for (const char16_t c : name) {
      ascii += c < 0x80 ? static_cast<char>(c) : '\x01';
    }
    while (!ascii.empty() && ascii.back() == ' ') {
      ascii.pop_back();
    }
    if (Completable(ascii)) {
      names.insert(ascii);
    }
  }
  return Joined(names);
}

void Replace(std::string& text, const std::string& marker, const std::string& value) {
  for (auto at = text.find(marker); at != std::string::npos; at = text.find(marker, at)) {
    text.replace(at, marker.size(), value);
    at += value.size();
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: n240qx-complgen TEMPLATE OUTPUT\n";
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::cerr << "n240qx-complgen: cannot read " << argv[1] << '\n';
    return 1;
  }
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const n240qx::KeyNameTable table = n240qx::BuildKeyNameTable();
  Replace(text, "@KEY_NAMES@", KeyNames(table));
  Replace(text, "@SEND_NAMES@", SendNames(table));
  std::ofstream out(argv[2], std::ios::trunc);
  out << text;
  out.close();
  if (!out) {
    std::cerr << "n240qx-complgen: cannot write " << argv[2] << '\n';
    return 1;
  }
  return 0;
}
